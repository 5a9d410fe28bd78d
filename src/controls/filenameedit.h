// The file name box: a line edit with a browse button that opens a file dialog.
// A chosen name holding a blank is written in double quotes, so that the box's
// first word, read as a command line reads it, is the whole name. A chosen name that
// the box cannot hold (too long, or a character outside the code page) is refused
// and the box keeps its text.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <string>

namespace controls {

// The first word of text as a command line reads it: blanks separate words, and a
// stretch in double quotes is part of one word, without its quotes.
std::string FirstWord(const std::string& text);

// Asks for a file to open; empty when the operator cancelled. Replaceable so tests can choose.
using TFileChooser = std::function<QString(QWidget* parent, const QString& filter, const QString& current)>;
TFileChooser SetFileChooser(TFileChooser chooser);

struct TFileNameSettings {
  std::string Name;
  std::string Filter;  // as QFileDialog takes it, "Pictures (*.bmp *.jpg)"; empty: all files
  std::string Text;    // initial text
};

class TFileNameEdit : public QWidget {
  Q_OBJECT

 public:
  explicit TFileNameEdit(const TFileNameSettings& settings, QWidget* parent = nullptr);

  QString text() const { return FEdit->text(); }
  void setText(const QString& text) { FEdit->setText(text); }
  QLineEdit* Edit() const { return FEdit; }
  QToolButton* BrowseButton() const { return FBrowse; }
  // The file the box names: its first word, as Windows-1252 text. A name with a
  // character the code page lacks raises EControlError showing the name.
  std::string FileName() const;

  void Browse();

 signals:
  // Any change of the text, by the program, by typing or by browsing.
  void Changed();
  // Focus left the box.
  void Exited();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* FEdit;
  QToolButton* FBrowse;
  QString FFilter;
};

}  // namespace controls
