#include "controls/datalink.h"

#include "controls/guarded.h"

namespace controls {

TDataLink::TDataLink() {
  FLink.OnDataChange = [this](tables::TDataSource&, tables::TField* field) {
    if (OnDataChange) Guarded([&] { OnDataChange(field); });
  };
  FLink.OnStateChange = [this](tables::TDataSource&) {
    if (OnStateChange) Guarded([&] { OnStateChange(); });
  };
}

void TDataLink::SetDataSource(tables::TDataSource* source) { FLink.SetDataSet(source ? source->DataSet() : nullptr); }

bool TDataLink::Editing() const {
  const auto state = State();
  return state == tables::TDataSetState::dsEdit || state == tables::TDataSetState::dsInsert;
}

}  // namespace controls
