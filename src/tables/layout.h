// A table described as data (name, fields, index, first rows), and the creation of
// whichever tables of a list have no file yet.
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

struct TTableCreation {
  std::string Path;
  bool Created = false;  // false: the file was there already and was left alone
};

// Creates in the directory each table of the list whose file is missing, in the
// list's order; an existing file is never touched, whatever it holds.
std::vector<TTableCreation> CreateMissingTables(const std::string& directory,
                                                const std::vector<TTableLayout>& layouts);

}  // namespace tables
