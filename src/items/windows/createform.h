// How the shop's windows come to life: built with their controls, then their creation
// handler (an error there is shown and ends only the handler, so the window still
// opens, without data, and can be closed), then shown.
#pragma once

#include <QWidget>

#include "controls/guarded.h"

namespace items {

template <typename TForm>
TForm* CreateForm(QWidget* owner) {
  auto* form = new TForm(owner);
  controls::Guarded([form] { form->FormCreate(); });
  form->show();
  return form;
}

}  // namespace items
