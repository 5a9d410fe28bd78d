// Costs of the print preview: from the label page's Preview to its page drawn in the
// window (goal: 100 ms), and going to page n of 1,000 pages, held in a job's temporary
// file or loaded from a saved report file (goal: 5 ms for any n; the page records are
// indexed once, never walked).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <memory>

#include "normalprint/labelpage.h"
#include "reports/pageimage.h"
#include "reports/reppreview.h"
#include "reports/standardpreview.h"
#include "reports/support/previewpages.h"
#include "reports/support/previewwindows.h"
#include "support/tempdir.h"

namespace {

using reports::TStandardPreview;

constexpr int kPages = 1000;

void BM_LabelPagePreviewToFirstPageDrawn(benchmark::State& state) {
  QWidget owner;
  TLabelPageRequest request;
  request.CodeText = "4711";
  for (auto _ : state) {
    QElapsedTimer clock;
    double seconds = 0;
    previewtest::When(
        [] {
          std::vector<TStandardPreview*> open = previewtest::OpenPreviews();
          return !open.empty() && open[0]->RepPreview().PageImage().HasPage();
        },
        [&] {
          TStandardPreview* window = previewtest::OpenPreviews()[0];
          window->RepPreview().PageImage().repaint();  // drawn now, not at the next paint event
          seconds = double(clock.nsecsElapsed()) / 1e9;
          window->close();
        });
    clock.start();
    PreviewLabelPage(&owner, request);
    state.SetIterationTime(seconds);
    previewtest::DeleteClosedWindows();
  }
}
BENCHMARK(BM_LabelPagePreviewToFirstPageDrawn)->UseManualTime()->Unit(benchmark::kMillisecond);

// 1,000 finished pages of a few bars each, alike in size wherever they are.
std::unique_ptr<reports::TRepJob> ThousandPageJob() {
  auto job = previewtest::FinishedJob(0);
  job->Complete = false;
  for (int n = 1; n <= kPages; ++n) {
    ++job->PagesStarted;
    job->PageStore().AddPage(previewtest::NumberedPage(n % 20 + 1));
  }
  job->PageStore().Finish();
  job->Complete = true;
  return job;
}

// A preview of 1,000 finished pages; Arg 1 loads them from a saved report file.
struct TThousandPages {
  explicit TThousandPages(bool fromFile) : Job(ThousandPageJob()) {
    if (fromFile) {
      const std::string file = Dir.File("thousand.LRP");
      Job->PageStore().SaveToFile(file);
      Job = previewtest::FinishedJob(1);
      Job->PageStore().LoadFromFile(file);
      Job->PagesStarted = Job->PageStore().PageCount();
    }
    Window = TStandardPreview::Open(*Job);
  }
  ~TThousandPages() {
    Window->close();
    previewtest::DeleteClosedWindows();
  }
  testsupport::TTempDir Dir;
  std::unique_ptr<reports::TRepJob> Job;
  TStandardPreview* Window;
};

void BM_GoToPageOfThousand(benchmark::State& state) {
  TThousandPages pages(state.range(1) != 0);
  const int target = int(state.range(0));
  const int other = target == 1 ? 2 : target - 1;
  reports::TRepPreview& preview = pages.Window->RepPreview();
  bool there = false;
  for (auto _ : state) {
    preview.GoToPage(there ? other : target);
    there = !there;
    benchmark::DoNotOptimize(preview.PageImage().Page());
  }
  state.SetLabel(state.range(1) ? "loaded file" : "temporary file");
}
BENCHMARK(BM_GoToPageOfThousand)
    ->ArgsProduct({{1, 500, 1000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
