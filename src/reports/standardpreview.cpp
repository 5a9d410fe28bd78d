#include "reports/standardpreview.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusTipEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <array>
#include <filesystem>
#include <utility>

#include "base/messages.h"
#include "base/scopeexit.h"
#include "base/screen.h"
#include "reports/loadedprint.h"
#include "reports/paperrecognition.h"
#include "reports/pdfexport.h"
#include "reports/printeroutput.h"
#include "reports/reppreview.h"

// The glyphs are a resource of this static library: registered before first use, since
// the linker drops a resource object that nothing refers to.
static void RegisterGlyphs() { Q_INIT_RESOURCE(reports); }

namespace reports {
namespace {

constexpr int kDesignedWidth = 652;
constexpr int kDesignedHeight = 579;
constexpr int kToolBarBorder = 2;
constexpr QSize kGlyphSize{16, 16};
constexpr QSize kExitButtonSize{40, 22};
constexpr int kProgressPanelWidth = 40;
constexpr int kPagePanelWidth = 50;
constexpr int kProgressStep = 5;

// The image list: glyph n is entry n.
constexpr std::array<const char*, 11> kGlyphFiles{
    "zoomfit", "zoom100", "zoomwidth", "firstpage", "previouspage", "nextpage",
    "lastpage", "printersetup", "print", "loadreport", "savereport"};

const char* const kReportExtension = "LRP";
const char* const kReportFileKind = "Label report file";

QIcon Glyph(int index) {
  static const bool registered = (RegisterGlyphs(), true);
  (void)registered;
  return QIcon(QPixmap(QString(":/reports/glyphs/%1.xpm").arg(kGlyphFiles[size_t(index)])));
}

using platform::Guarded;

// "PDF file (*.pdf)" gives "pdf".
QString SuffixOf(const QString& filter) {
  static const QRegularExpression extension("\\(\\*\\.(\\w+)\\)");
  return extension.match(filter).captured(1);
}

QString PlatformFileDialog(const TReportFileDialog& request) {
  QFileDialog dialog(nullptr, request.Title);
  dialog.setNameFilter(request.Filter);
  dialog.setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.DefaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.DefaultSuffix);
  // A name typed without an extension gets the chosen filter's.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& filter) { dialog.setDefaultSuffix(SuffixOf(filter)); });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  if (request.ChosenFilter) *request.ChosenFilter = dialog.selectedNameFilter();
  return dialog.selectedFiles().first();
}

TReportFileChooser& FileChooser() {
  static TReportFileChooser chooser = PlatformFileDialog;
  return chooser;
}

std::function<bool()>& PrinterCheck() {
  static std::function<bool()> check = AnyPrinterInstalled;
  return check;
}

void ProcessPendingMessages() { QApplication::processEvents(); }

}  // namespace

QString SaveReportFilter() { return QString("%1(*.%2)").arg(kReportFileKind, kReportExtension); }
QString SavePdfFilter() { return "PDF file (*.pdf)"; }
QString LoadReportFilter() { return QString("%1 (*.%2)").arg(kReportFileKind, kReportExtension); }

TReportFileChooser TStandardPreview::SetFileChooser(TReportFileChooser chooser) {
  TReportFileChooser previous = std::move(FileChooser());
  FileChooser() = chooser ? std::move(chooser) : TReportFileChooser(PlatformFileDialog);
  return previous;
}

std::function<bool()> TStandardPreview::SetPrinterCheck(std::function<bool()> check) {
  std::function<bool()> previous = std::move(PrinterCheck());
  PrinterCheck() = check ? std::move(check) : std::function<bool()>(AnyPrinterInstalled);
  return previous;
}

TStandardPreview::TStandardPreview() : QMainWindow(nullptr), FRepPreview(new TRepPreview(this)) {
  setObjectName("StandardPreview");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Print Preview");
  resize(kDesignedWidth, kDesignedHeight);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(kDesignedWidth / 2, kDesignedHeight / 2));
  setCentralWidget(FRepPreview);
  BuildToolBar();
  BuildStatusBar();
  FilterKeysOfAllControls();
  FRepPreview->OnPageAvailable = [this](int) { RefreshPageCounter(); };
  FRepPreview->OnProgressUpdate = [this](int percent) { ProgressUpdate(percent); };
}

TStandardPreview::~TStandardPreview() {
  if (FPrinting) FPrinting->Abort();
  ReleaseJob();
}

void TStandardPreview::BuildToolBar() {
  FToolBar = addToolBar("ToolBar1");
  FToolBar->setObjectName("ToolBar1");
  FToolBar->setMovable(false);
  FToolBar->setFloatable(false);
  FToolBar->setIconSize(kGlyphSize);
  FToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  FToolBar->setContentsMargins(kToolBarBorder, kToolBarBorder, kToolBarBorder, kToolBarBorder);
  auto* zoomGroup = new QActionGroup(this);
  zoomGroup->setExclusive(true);
  for (const TToolButtonRow& row : PreviewToolBar()) {
    if (row.Kind == tkDivider) {
      FToolBar->addSeparator()->setObjectName(row.Name);
      continue;
    }
    auto* action = new QAction(this);
    action->setObjectName(row.Name);
    if (row.Kind == tkText) {
      action->setText(row.Hint);
      action->setIconText(row.Hint);  // keeps the '&': Alt+C presses the button
    } else {
      action->setIcon(Glyph(row.Glyph));
      action->setText(row.Hint);
      action->setToolTip(row.Hint);
      action->setStatusTip(row.Hint);
    }
    if (row.Kind == tkZoom) {
      action->setCheckable(true);
      zoomGroup->addAction(action);
    }
    const TPreviewCommand command = row.Command;
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    FToolBar->addAction(action);
    FActions[command] = action;
    if (row.Kind == tkText) {
      auto* button = qobject_cast<QToolButton*>(FToolBar->widgetForAction(action));
      button->setToolButtonStyle(Qt::ToolButtonTextOnly);
      button->setFixedSize(kExitButtonSize);
    }
  }
  FActions[pcZoomWidth]->setChecked(true);
}

void TStandardPreview::BuildStatusBar() {
  FProgressPanel = new QLabel("0%");
  FProgressPanel->setObjectName("ProgressPanel");
  FProgressPanel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  FProgressPanel->setFixedWidth(kProgressPanelWidth);
  FPagePanel = new QLabel("Page");
  FPagePanel->setObjectName("PagePanel");
  FPagePanel->setMinimumWidth(kPagePanelWidth);
  FHintPanel = new QLabel;
  FHintPanel->setObjectName("HintPanel");
  statusBar()->setObjectName("StatusBar");
  statusBar()->addWidget(FProgressPanel);
  statusBar()->addWidget(FPagePanel);
  statusBar()->addWidget(FHintPanel, 1);
}

// A hint shown as the status bar's message would hide the progress and page panels.
bool TStandardPreview::event(QEvent* event) {
  if (event->type() != QEvent::StatusTip) return QMainWindow::event(event);
  FHintPanel->setText(static_cast<QStatusTipEvent*>(event)->tip());
  return true;
}

// Page Up and Page Down would scroll the page area, and a shortcut cannot tell Ctrl alone
// from Ctrl with Shift: one filter on every control sees the keys first.
void TStandardPreview::FilterKeysOfAllControls() {
  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

bool TStandardPreview::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const std::optional<TPreviewCommand> command = PreviewKeyCommand(key->key(), key->modifiers());
  if (!command) return QMainWindow::eventFilter(watched, event);
  Run(*command);
  return true;
}

TStandardPreview* TStandardPreview::Open(TRepJob& job) {
  auto* window = new TStandardPreview;
  window->AttachJob(job);
  if (!job.Title.empty()) window->setWindowTitle(QString::fromStdString(job.Title));
  window->FActions[pcZoomWidth]->trigger();
  window->showMaximized();
  window->RefreshPageCounter();
  return window;
}

void TStandardPreview::AttachJob(TRepJob& job) {
  FJob = &job;
  FRepPreview->Attach(job);
}

QAction* TStandardPreview::Action(TPreviewCommand command) const {
  auto found = FActions.find(command);
  return found == FActions.end() ? nullptr : found->second;
}

QString TStandardPreview::ProgressText() const { return FProgressPanel->text(); }
QString TStandardPreview::PageCounterText() const { return FPagePanel->text(); }
QString TStandardPreview::HintText() const { return FHintPanel->text(); }

void TStandardPreview::RefreshPageCounter() {
  const int pages = FJob ? FJob->PagesStarted : 0;
  FPagePanel->setText(QString("Page %1 of %2").arg(FRepPreview->PageNumber()).arg(pages));
}

void TStandardPreview::ProgressUpdate(int percent) {
  if (percent >= FLastProgress + kProgressStep) {
    FProgressPanel->setText(QString("%1%").arg(percent));
    FLastProgress = percent;
  }
  if (percent == 0 || percent == 100) FProgressPanel->clear();
}

void TStandardPreview::Run(TPreviewCommand command) {
  // A disabled button's command does nothing, also when asked for by key or by code.
  if (QAction* action = Action(command); action && !action->isEnabled()) return;
  Guarded([&] {
    switch (command) {
      case pcZoomFit:
      case pcZoom100:
      case pcZoomWidth: ZoomCommand(command); return;
      case pcFirstPage: FRepPreview->GoToPage(1); break;
      case pcPreviousPage: FRepPreview->GoToPage(FRepPreview->PageNumber() - 1); break;
      case pcNextPage: FRepPreview->GoToPage(FRepPreview->PageNumber() + 1); break;
      case pcLastPage: FRepPreview->GoToPage(FJob ? FJob->PagesStarted : 0); break;
      case pcPrintSetup:
        if (FJob && FJob->OnPrinterSetup) FJob->OnPrinterSetup();
        return;
      case pcPrint: PrintClick(); return;
      case pcSave: SaveClick(); return;
      case pcLoad: LoadClick(); return;
      case pcClose: close(); return;
    }
    RefreshPageCounter();
  });
}

// A key or a click on an unpressed zoom button: the pressed button follows the command.
void TStandardPreview::ZoomCommand(TPreviewCommand command) {
  if (QAction* action = Action(command); !action->isChecked()) action->setChecked(true);
  LettingMessagesThrough(ProcessPendingMessages);
  if (command == pcZoomFit) FRepPreview->ZoomToFit();
  if (command == pcZoom100) FRepPreview->SetZoom(100);
  if (command == pcZoomWidth) FRepPreview->ZoomToWidth();
}

void TStandardPreview::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FRepPreview->Layout();
}

void TStandardPreview::PrintClick() {
  if (!FJob) return;
  if (FJob->LoadedFromFile) {
    PrintLoadedFile();
    return;
  }
  // The report prints anew once this click is over; the preview stays as it is.
  QTimer::singleShot(0, this, [this] {
    Guarded([this] {
      if (FJob && FJob->OnPrint) FJob->OnPrint();
    });
  });
}

void TStandardPreview::PrintLoadedFile() {
  // A file without pages would still make the printer feed one blank sheet.
  if (!FJob->Complete || FJob->PageStore().PageCount() == 0 || !PrinterCheck()()) return;
  if (FPrinting) FPrinting->Abort();
  TLoadedPrint print(*FJob);
  FPrinting = &print;
  // Loading another file would swap the page store under the pages being printed.
  FActions[pcLoad]->setEnabled(false);
  platform::TScopeExit ended([this, &print] {
    if (FPrinting != &print) return;  // a second Print took over
    FPrinting = nullptr;
    FActions[pcLoad]->setEnabled(true);
  });
  LettingMessagesThrough([&print] { print.Run(ProcessPendingMessages); });
}

void TStandardPreview::LettingMessagesThrough(const std::function<void()>& step) {
  ++FMessageSteps;
  platform::TScopeExit finished([this] {
    if (--FMessageSteps == 0 && std::exchange(FCloseHeld, false)) close();
  });
  step();
}

void TStandardPreview::SaveClick() {
  QString filter = SaveReportFilter();
  const QString path = FileChooser()(
      {"Save report", SaveReportFilter() + ";;" + SavePdfFilter(), kReportExtension, true, &filter});
  if (path.isEmpty() || !FJob || !FJob->Complete) return;
  if (filter == SavePdfFilter()) return SavePagesAsPdf(*FJob, path);
  const std::string target = path.toStdString();
  const std::string loaded = FJob->PageStore().Loaded() ? FJob->PageStore().FileName() : std::string();
  std::error_code ignored;
  // The loaded file already holds exactly these bytes; rewriting it would read what it truncates.
  if (!loaded.empty() && std::filesystem::equivalent(target, loaded, ignored)) return;
  FJob->PageStore().SaveToFile(target);
}

void TStandardPreview::LoadClick() {
  const QString path = FileChooser()({"Load report", LoadReportFilter(), QString(), false});
  if (path.isEmpty() || !FJob) return;
  const std::string file = path.toStdString();
  if (!std::filesystem::exists(file)) {
    platform::ShowMessage("File does not exist");
    return;
  }
  if (!FJob->Complete) FJob->Cancel();
  FJob->PageStore().LoadFromFile(file);  // checked before the pages shown are let go
  TRepJob& job = *FJob;
  job.PagesStarted = job.PageStore().PageCount();
  if (job.PagesStarted > 0) {
    const platform::TMetafile first = job.PageStore().Page(1);
    if (std::optional<TRecognisedPaper> paper = RecognisePaper(first.Width(), first.Height(),
                                                                platform::ScreenPixelsPerInch())) {
      job.Printer.PaperSize = paper->Size;
      job.Printer.Orientation = paper->Orientation;
      const TRepPaper lengths = OrientedPaper(PaperRow(paper->Size), paper->Orientation);
      job.PaperWidth = lengths.Width;
      job.PaperLength = lengths.Length;
    }
  }
  job.Complete = true;
  job.LoadedFromFile = true;
  job.OnPrint = nullptr;
  job.OnPrinterSetup = nullptr;
  FRepPreview->GoToPage(1);
  FRepPreview->ReloadPage();
  RefreshPageCounter();
  FActions[pcPrintSetup]->setEnabled(false);
}

void TStandardPreview::closeEvent(QCloseEvent* event) {
  if (FPrinting) FPrinting->Abort();
  // A step still running reads this window and its job: they go once it has returned.
  if (FMessageSteps > 0) {
    FCloseHeld = true;
    event->ignore();
    return;
  }
  ReleaseJob();
  QMainWindow::closeEvent(event);
}

// Tells the report the preview is going: it cancels a running generation or frees the job.
void TStandardPreview::ReleaseJob() {
  if (!FJob) return;
  TRepJob* job = FJob;
  FRepPreview->Detach();
  FJob = nullptr;
  if (job->OnPreviewClosing) job->OnPreviewClosing();
}

void TStandardPreview::JobGone() {
  if (!FJob) return;
  FRepPreview->Detach();
  FJob = nullptr;
  close();
}

}  // namespace reports
