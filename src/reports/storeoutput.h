// Pages recorded as Enhanced Metafiles into the job's page store: the paper's size in
// screen pixels, offsets 0, the drawing in logical units of a 25th of such a pixel. The
// destination of a preview.
#pragma once

#include <QImage>
#include <QPainter>
#include <memory>

#include "reports/output.h"

namespace platform {
class TQtCanvas;
class TMetafileCanvas;
}

namespace reports {

class TPageStore;

class TStoreOutput : public TRepOutput {
 public:
  // 2400 per inch on a 96-dpi screen, a whole multiple of the common printer
  // resolutions: a 0.33 mm module is 31.2 units where a screen pixel would make it 1.25,
  // so bars keep their widths when a saved page is printed or opened elsewhere.
  static constexpr int UnitsPerPixel = 25;

  TStoreOutput();
  ~TStoreOutput() override;

  TRepPaper BeginDoc(TRepJob& job) override;
  platform::TCanvas& StartPage() override;
  void EndPage() override;
  void EndDoc() override;
  void Abort() noexcept override;
  TDeviceMapping Mapping() const override;

 private:
  TPageStore* FStore = nullptr;
  int FDpi;
  int FWidth = 0;
  int FHeight = 0;
  // Text is measured on a screen-resolution bitmap, as a metafile measures on its reference.
  QImage FReferenceImage;
  std::unique_ptr<QPainter> FReferencePainter;
  std::unique_ptr<platform::TQtCanvas> FReference;
  std::unique_ptr<platform::TMetafileCanvas> FRecorder;
};

}  // namespace reports
