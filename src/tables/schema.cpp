#include "tables/schema.h"

#include <filesystem>

#include "tables/names.h"

namespace tables {

namespace {

constexpr TFieldType S = TFieldType::ftString;
constexpr TFieldType F = TFieldType::ftFloat;

}  // namespace

const TTableLayout& BarmasLayout() {
  static const TTableLayout layout{"Barmas",
                                   {
                                       // Field      Type  Size
                                       {"FBarcode", S, 13},
                                       {"FName", S, 40},
                                       {"FSP", F, 0},
                                       {"FCost", F, 0},
                                       {"FItcode", S, 13},
                                       {"FBarQty", F, 0},
                                       {"FPicPath", S, 40},
                                   },
                                   {"FBarcode"},
                                   {}};
  return layout;
}

const TTableLayout& ParamLayout() {
  static const TTableLayout layout{"param",
                                   {
                                       // Field     Type  Size
                                       {"COCD", S, 2},
                                       {"COMNAME", S, 30},
                                       {"FILEEXT", S, 10},
                                       {"FILEDIR", S, 20},
                                       {"MOVEDIR", S, 20},
                                       {"PRTPORT", S, 5},
                                       {"PRTNAME", S, 20},
                                   },
                                   {},
                                   {{"", "", "", "", "", "LPT1", "Z"}}};
  return layout;
}

const std::vector<TTableLayout>& ProgramTables() {
  static const std::vector<TTableLayout> layouts{BarmasLayout(), ParamLayout()};
  return layouts;
}

std::vector<TTableCreation> CreateMissingTables(const std::string& directory) {
  const std::string folder = detail::WithTrailingSeparator(directory);
  std::vector<TTableCreation> report;
  for (const auto& layout : ProgramTables()) {
    const std::string path = folder + detail::TableFileName(layout.Name);
    std::error_code error;
    const bool exists = std::filesystem::exists(std::filesystem::symlink_status(path, error));
    if (!exists) CreateTable(folder, layout.Name, layout.Fields, layout.IndexFields, layout.Rows);
    report.push_back({path, !exists});
  }
  return report;
}

}  // namespace tables
