#include "controls/filenameedit.h"

#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>

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

std::string TFileNameEdit::FileName() const { return FirstWord(FromQString(text())); }

void TFileNameEdit::Browse() {
  const QString chosen = Chooser()(this, FFilter, ToQString(FileName()));
  if (chosen.isEmpty()) return;
  FEdit->setText(chosen.contains(QLatin1Char(' ')) ? QLatin1Char('"') + chosen + QLatin1Char('"') : chosen);
}

bool TFileNameEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FEdit && IsExit(*event)) emit Exited();
  return QWidget::eventFilter(watched, event);
}

}  // namespace controls
