// The program's own tables: the item master Barmas and the one-row parameter
// table param, as data, and the creation of whichever of them is missing.
#pragma once

#include <string>
#include <vector>

#include "tables/tables.h"

namespace tables {

struct TTableLayout {
  std::string Name;  // table name; the file is Name + ".DAT"
  std::vector<TFieldDef> Fields;
  std::vector<std::string> IndexFields;
  std::vector<std::vector<TVariant>> Rows;  // what a new file holds
};

const TTableLayout& BarmasLayout();
const TTableLayout& ParamLayout();
// Both, in the order they are created.
const std::vector<TTableLayout>& ProgramTables();

struct TTableCreation {
  std::string Path;
  bool Created = false;  // false: the file was there already and was left alone
};

// Creates in the directory each program table whose file is missing; an
// existing file is never touched, whatever it holds.
std::vector<TTableCreation> CreateMissingTables(const std::string& directory);

}  // namespace tables
