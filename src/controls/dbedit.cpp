#include "controls/dbedit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include "controls/fieldtext.h"
#include "controls/guarded.h"
#include "controls/qtext.h"

namespace controls {

namespace {

// QLineEdit's own limit when a field sets none.
constexpr int kUnlimitedLength = 32767;

bool IsString(const tables::TField& field) { return field.DataType() == tables::TFieldType::ftString; }

}  // namespace

TDBEdit::TDBEdit(const TEditSettings& settings, QWidget* parent)
    : QLineEdit(parent), FLink(settings.DataField, [this] { ShowField(); }) {
  setObjectName(QString::fromStdString(settings.Name));
  ConnectGuarded(this, &QLineEdit::textEdited, this, [this](const QString& text) { TextEdited(text); });
}

void TDBEdit::SetDataSource(tables::TDataSource* source) {
  FLink.SetDataSource(source);
  ShowField();
}

QString TDBEdit::dataField() const { return ToQString(FLink.FieldName()); }

tables::TField* TDBEdit::Field() const { return FLink.Field(); }

void TDBEdit::ShowField() {
  FNumberPending = false;
  const tables::TField* field = Field();
  setMaxLength(field && IsString(*field) ? field->Size() : kUnlimitedLength);
  setText(field ? ToQString(field->AsString()) : QString());
}

void TDBEdit::CheckInsertion(const QString& inserted) const {
  const tables::TField* field = Field();
  if (!field) return;
  if (!IsStorableText(inserted)) throw EControlError(BadCharactersMessage(field->FieldName()));
  const qsizetype length = text().size() - selectedText().size() + inserted.size();
  if (IsString(*field) && length > field->Size()) throw EControlError(TooLongMessage(*field));
}

void TDBEdit::PasteText(const QString& text) {
  if (isReadOnly()) return;
  Guarded([&] {
    CheckInsertion(text);
    insert(text);  // as typed: textEdited follows
  });
}

void TDBEdit::keyPressEvent(QKeyEvent* event) {
  if (isReadOnly()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (event == QKeySequence::Paste) {
    PasteText(QGuiApplication::clipboard()->text());
    return;
  }
  // Keys that type text; control characters are shortcuts, which the line edit itself never inserts.
  const QString typed = event->text();
  const bool types = !typed.isEmpty() && !typed.front().isNull() && typed.front().category() != QChar::Other_Control;
  if (types && !Guarded([&] { CheckInsertion(typed); })) return;
  QLineEdit::keyPressEvent(event);
}

void TDBEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // The menu's paste goes through the same check as the key.
  if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
    paste->disconnect();
    connect(paste, &QAction::triggered, this, [this] { PasteText(QGuiApplication::clipboard()->text()); });
  }
  menu->popup(event->globalPos());
}

void TDBEdit::dropEvent(QDropEvent* event) {
  const QString dropped = event->mimeData() ? event->mimeData()->text() : QString();
  if (!Guarded([&] { CheckInsertion(dropped); })) {
    event->ignore();
    return;
  }
  QLineEdit::dropEvent(event);
}

void TDBEdit::TextEdited(const QString& text) {
  tables::TField* field = Field();
  if (!field) return;
  try {
    // Whatever way the text came in, nothing the field cannot hold is stored.
    const std::string bytes = CheckedFieldText(*field, text);
    FLink.Write([&](tables::TField& target) {
      if (IsString(target)) {
        target.SetAsString(bytes);
        return;
      }
      try {
        target.SetAsString(bytes);
        FNumberPending = false;
      } catch (const tables::ETableError&) {
        FNumberPending = true;  // "-" or "1e" on the way to a number
      }
    });
  } catch (...) {
    ShowField();
    throw;
  }
}

void TDBEdit::WriteNumber() {
  FNumberPending = false;
  const bool written = Guarded([&] { FLink.Write([&](tables::TField& field) { field.SetAsString(FromQString(text())); }); });
  if (!written) ShowField();
}

void TDBEdit::focusOutEvent(QFocusEvent* event) {
  if (FNumberPending) WriteNumber();
  QLineEdit::focusOutEvent(event);
}

}  // namespace controls
