#include "controls/filenameedit.h"

#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>

#include "base/ansi.h"
#include "controls/fieldtext.h"
#include "controls/guarded.h"
#include "controls/qtext.h"

namespace controls {

namespace {

bool IsBlank(char character) { return character == ' ' || character == '\t'; }

// Qt's file dialogs never offer a read-only check box, so there is none to hide.
QString OpenWithDialog(QWidget* parent, const QString& filter, const QString& current) {
  return QFileDialog::getOpenFileName(parent, QString(), current, filter);
}

TFileChooser& Chooser() {
  static TFileChooser chooser = OpenWithDialog;
  return chooser;
}

// Blanks and quotes are ASCII, so the UTF-8 text splits where the code page's would.
QString FirstWordOf(const QString& text) { return QString::fromStdString(FirstWord(text.toStdString())); }

// The name in Windows-1252, or a refusal that shows it, with '?' for what the code page lacks.
std::string CodePageName(const QString& name) {
  try {
    return platform::CheckedUtf16ToAnsi(
        std::u16string_view(reinterpret_cast<const char16_t*>(name.utf16()), static_cast<std::size_t>(name.size())));
  } catch (const platform::EAnsiConversion& e) {
    throw EControlError("The file name " + FromQString(name) + " holds the character " +
                        platform::CodePointName(e.CodePoint()) + ", which the Windows-1252 code page lacks");
  }
}

}  // namespace

std::string FirstWord(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  std::string word;
  bool quoted = false;
  for (; i < text.size() && (quoted || !IsBlank(text[i])); ++i) {
    if (text[i] == '"') {
      quoted = !quoted;
    } else {
      word += text[i];
    }
  }
  return word;
}

TFileChooser SetFileChooser(TFileChooser chooser) {
  return std::exchange(Chooser(), chooser ? std::move(chooser) : TFileChooser(OpenWithDialog));
}

TFileNameEdit::TFileNameEdit(const TFileNameSettings& settings, QWidget* parent)
    : QWidget(parent), FEdit(new QLineEdit(this)), FBrowse(new QToolButton(this)), FFilter(ToQString(settings.Filter)) {
  setObjectName(QString::fromStdString(settings.Name));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(FEdit);
  layout->addWidget(FBrowse);
  FBrowse->setText(QStringLiteral("..."));
  FBrowse->setToolTip(QStringLiteral("Browse"));
  FBrowse->setAccessibleName(QStringLiteral("Browse"));
  FBrowse->setFocusPolicy(Qt::NoFocus);
  setFocusProxy(FEdit);
  FEdit->setText(ToQString(settings.Text));
  FEdit->installEventFilter(this);
  connect(FEdit, &QLineEdit::textChanged, this, &TFileNameEdit::Changed);
  ConnectGuarded(FBrowse, &QToolButton::clicked, this, [this](bool) { Browse(); });
}

std::string TFileNameEdit::FileName() const { return CodePageName(FirstWordOf(text())); }

void TFileNameEdit::Browse() {
  const QString chosen = Chooser()(this, FFilter, FirstWordOf(text()));
  if (chosen.isEmpty()) return;
  CodePageName(chosen);
  const QString written = chosen.contains(QLatin1Char(' ')) ? QLatin1Char('"') + chosen + QLatin1Char('"') : chosen;
  // The edit would cut it silently, and then name a file nobody chose.
  if (written.size() > FEdit->maxLength()) {
    throw EControlError("The file name " + FromQString(written) + " is longer than the " +
                        std::to_string(FEdit->maxLength()) + " characters the box holds");
  }
  FEdit->setText(written);
}

bool TFileNameEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FEdit && IsExit(*event)) emit Exited();
  return QWidget::eventFilter(watched, event);
}

}  // namespace controls
