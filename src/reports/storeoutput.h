// Pages recorded as Enhanced Metafiles into the job's page store, at the screen's
// resolution: the paper's size in screen pixels, offsets 0. The destination of a preview.
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
