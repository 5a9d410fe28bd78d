// Changes made outside the cursor: seen through the store's change stamp (SQLite's
// data version, the server's notifications), which costs no read of the rows.
#include "tables/tableimpl.h"

namespace tables {

bool TTable::CheckOutsideChanges() {
  if (FState != TDataSetState::dsBrowse) return false;
  auto& impl = Impl();
  // Only the outside count: this cursor's own changes are shown already.
  const auto version = impl.Connection->ChangeStamp().DataVersion;
  if (impl.SeenDataVersion == version) return false;
  impl.SeenDataVersion = version;  // before the re-read, so a row that fails to read is reported once
  Resync();
  NotifyDataChange(nullptr);
  return true;
}

}  // namespace tables
