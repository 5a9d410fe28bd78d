// The print preview window: tool bar, the scrolling page area RepPreview and a status
// bar with the progress and the page counter. It belongs to no other window, deletes
// itself when closed, and tells the job's report when it closes (which frees the job or
// cancels its generation). Keys reach one filter before any control sees them.
#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <map>

#include "reports/job.h"
#include "reports/previewcommands.h"

class QAction;
class QLabel;
class QToolBar;
class QStatusBar;
class QToolButton;

namespace reports {

class TRepPreview;
class TLoadedPrint;

// What a file dialog of the window asks for; the answer is the chosen path, empty for Cancel.
struct TReportFileDialog {
  QString Title;
  QString Filter;  // the filters as the file dialog takes them, separated by ";;"
  QString DefaultSuffix;  // empty for the open dialog
  bool Save = false;
  // Where the dialog puts the filter chosen, when there is a choice; it holds the first.
  QString* ChosenFilter = nullptr;
};
using TReportFileChooser = std::function<QString(const TReportFileDialog&)>;

class TStandardPreview : public QMainWindow {
 public:
  TStandardPreview();
  ~TStandardPreview() override;

  // Creates the window for the job, shows it maximised at width zoom and returns it.
  static TStandardPreview* Open(TRepJob& job);

  void Run(TPreviewCommand command);
  // The job was freed elsewhere (its report went away): let go of it and close.
  void JobGone();

  TRepPreview& RepPreview() const { return *FRepPreview; }
  TRepJob* Job() const { return FJob; }
  QString ProgressText() const;
  QString PageCounterText() const;
  QString HintText() const;
  QAction* Action(TPreviewCommand command) const;

  // The dialogs of Save and Load; by default the platform's file dialogs.
  static TReportFileChooser SetFileChooser(TReportFileChooser chooser);
  // Whether any printer is installed; by default asks the printing system.
  static std::function<bool()> SetPrinterCheck(std::function<bool()> check);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void AttachJob(TRepJob& job);
  void BuildToolBar();
  void BuildStatusBar();
  void FilterKeysOfAllControls();
  void RefreshPageCounter();
  void ProgressUpdate(int percent);
  void ZoomCommand(TPreviewCommand command);
  void PrintClick();
  void PrintLoadedFile();
  void SaveClick();
  void LoadClick();
  void ReleaseJob();
  // Runs a step that lets pending messages through: a close asked for meanwhile stops a
  // print in progress and waits until every such step has returned.
  void LettingMessagesThrough(const std::function<void()>& step);

  TRepJob* FJob = nullptr;
  TRepPreview* FRepPreview;
  QToolBar* FToolBar;
  QLabel* FProgressPanel;
  QLabel* FPagePanel;
  QLabel* FHintPanel;  // the hint of what the mouse is on, beside the two panels
  std::map<TPreviewCommand, QAction*> FActions;
  int FLastProgress = 0;
  TLoadedPrint* FPrinting = nullptr;
  int FMessageSteps = 0;
  bool FCloseHeld = false;
};

// The filter texts of the two dialogs; Save offers the PDF file after the report file.
QString SaveReportFilter();
QString SavePdfFilter();
QString LoadReportFilter();

}  // namespace reports
