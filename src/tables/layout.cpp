#include "tables/layout.h"

#include <filesystem>

#include "tables/names.h"

namespace tables {

std::vector<TTableCreation> CreateMissingTables(const std::string& directory,
                                                const std::vector<TTableLayout>& layouts) {
  const std::string folder = detail::WithTrailingSeparator(directory);
  std::vector<TTableCreation> report;
  for (const auto& layout : layouts) {
    const std::string path = folder + detail::TableFileName(layout.Name);
    std::error_code error;
    const bool exists = std::filesystem::exists(std::filesystem::symlink_status(path, error));
    if (!exists) CreateTable(folder, layout.Name, layout.Fields, layout.IndexFields, layout.Rows);
    report.push_back({path, !exists});
  }
  return report;
}

}  // namespace tables
