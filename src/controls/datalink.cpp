#include "controls/datalink.h"

#include "controls/guarded.h"

namespace controls {

namespace {

// Well inside the second within which another counter's change must show; a look
// costs no read of the rows (see TTable::CheckOutsideChanges).
constexpr int kOutsideChangesMilliseconds = 250;

}  // namespace

TDataLink::TDataLink() {
  FOutsideChanges.setInterval(kOutsideChangesMilliseconds);
  QObject::connect(&FOutsideChanges, &QTimer::timeout, [this] {
    Guarded([&] {
      if (Active()) Table()->CheckOutsideChanges();
    });
  });
  FOutsideChanges.start();
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

TFieldDataLink::TFieldDataLink(std::string fieldName, std::function<void()> showField)
    : FFieldName(std::move(fieldName)), FShowField(std::move(showField)) {
  OnDataChange = [this](tables::TField* field) {
    if (!FWriting && (!field || field == Field())) FShowField();
  };
  OnStateChange = [this] {
    if (!FWriting) FShowField();
  };
}

tables::TField* TFieldDataLink::Field() const { return Active() ? Table()->FindField(FFieldName) : nullptr; }

void TFieldDataLink::Write(const std::function<void(tables::TField& field)>& write) {
  tables::TField* field = Field();
  if (!field) return;
  struct TWriting {
    bool& Flag;
    explicit TWriting(bool& flag) : Flag(flag) { Flag = true; }
    ~TWriting() { Flag = false; }
  } writing(FWriting);
  if (!Editing()) Table()->Edit();
  write(*field);
}

}  // namespace controls
