// Data sources: the link through which windows hear of a cursor's changes.
#include <algorithm>

#include "tables/tables.h"

namespace tables {

TDataSource::~TDataSource() { SetDataSet(nullptr); }

void TDataSource::SetDataSet(TTable* table) {
  if (FDataSet == table) return;
  if (FDataSet) std::erase(FDataSet->FDataSources, this);
  FDataSet = table;
  if (FDataSet) FDataSet->FDataSources.push_back(this);
}

TDataSetState TDataSource::State() const { return FDataSet ? FDataSet->State() : TDataSetState::dsInactive; }

}  // namespace tables
