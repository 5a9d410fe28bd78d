// A PostScript queue on the private scheduler whose device is a file, and the pages that
// arrive there rendered by Ghostscript. Its printer description offers A4 (the default)
// and Letter, 600 and 1200 dpi (1200 the default), and an imageable area the test chooses.
#pragma once

#include <cups/cups.h>
#include <unistd.h>

#include <QImage>
#include <QImageReader>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/privatecupsd.h"
#include "support/tempdir.h"

namespace testsupport {

// Unprintable margins in points, as a printer description states them.
struct TPrinterMargins {
  int Left = 0;
  int Bottom = 0;
  int Right = 0;
  int Top = 0;
};

class TPostScriptQueue {
 public:
  // Empty when the scheduler can turn a document into PostScript and Ghostscript can
  // render it; else what is missing.
  static std::string MissingTools() {
    if (access("/usr/lib/cups/filter/pdftops", X_OK) != 0)
      return "the CUPS filters are not installed (Debian package cups-filters)";
    if (access("/usr/bin/gs", X_OK) != 0) return "Ghostscript is not installed (Debian package ghostscript)";
    return "";
  }

  TPostScriptQueue(TPrivateCupsd& cupsd, const TTempDir& dir, const std::string& name, TPrinterMargins margins)
      : FCupsd(cupsd), FDir(dir), FName(name), FOutput(dir.File(name + ".ps")) {
    const std::string ppd = dir.File(name + ".ppd");
    WriteDescription(ppd, margins);
    FCreated = cupsd.Run({"lpadmin", "-p", name, "-E", "-v", "file://" + FOutput, "-P", ppd}) &&
               cupsd.Run({"lpadmin", "-d", name});
  }

  bool Created() const { return FCreated; }
  const std::string& Output() const { return FOutput; }

  // Jobs of this queue the scheduler knows, finished or not.
  int JobCount() const {
    cups_job_t* jobs = nullptr;
    int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, FName.c_str(), 0, CUPS_WHICHJOBS_ALL);
    cupsFreeJobs(count, jobs);
    return count < 0 ? 0 : count;
  }

  // "id:state:title" of every job, for failure messages.
  std::string JobStates() const {
    cups_job_t* jobs = nullptr;
    int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, FName.c_str(), 0, CUPS_WHICHJOBS_ALL);
    std::string states;
    for (int i = 0; i < count; ++i)
      states += std::to_string(jobs[i].id) + ":" + std::to_string(int(jobs[i].state)) + ":" + jobs[i].title + " ";
    cupsFreeJobs(count, jobs);
    return states;
  }

  // Waits until every job has left the queue; false when that takes longer than 60 s.
  bool WaitForJobs() const {
    for (int tries = 0; tries < 100; ++tries) {
      cups_job_t* jobs = nullptr;
      int active = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, FName.c_str(), 0, CUPS_WHICHJOBS_ACTIVE);
      cupsFreeJobs(active, jobs);
      if (active == 0) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }

  // The pages of the output file rendered in gray at dpi; empty when nothing arrived.
  std::vector<QImage> RenderedPages(int dpi) const {
    namespace fs = std::filesystem;
    std::vector<QImage> pages;
    if (!fs::exists(FOutput) || fs::file_size(FOutput) == 0) return pages;
    const std::string folder = FDir.File(FName + "-pages-" + std::to_string(++FRenders));
    fs::create_directory(folder);
    if (!FCupsd.Run({"gs", "-q", "-dSAFER", "-dNOPAUSE", "-dBATCH", "-sDEVICE=pnggray", "-r" + std::to_string(dpi),
                     "-sOutputFile=" + folder + "/page-%03d.png", FOutput}))
      return pages;
    QImageReader::setAllocationLimit(0);  // a Letter page at 600 dpi is larger than Qt's default limit
    for (int n = 1;; ++n) {
      char name[32];
      std::snprintf(name, sizeof name, "/page-%03d.png", n);
      QImage page(QString::fromStdString(folder + name));
      if (page.isNull()) break;
      pages.push_back(page);
    }
    return pages;
  }

  void ClearOutput() const { std::filesystem::remove(FOutput); }

 private:
  static void WriteDescription(const std::string& path, TPrinterMargins m) {
    const int letterW = 612, letterH = 792, a4W = 595, a4H = 842;
    auto area = [&](int w, int h) {
      return std::to_string(m.Left) + " " + std::to_string(m.Bottom) + " " + std::to_string(w - m.Right) + " " +
             std::to_string(h - m.Top);
    };
    std::ofstream(path) << "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
                        << "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n*PCFileName: \"TESTPS.PPD\"\n"
                        << "*Manufacturer: \"Test\"\n*Product: \"(Test PostScript)\"\n*ModelName: \"Test PostScript\"\n"
                        << "*ShortNickName: \"Test PostScript\"\n*NickName: \"Test PostScript\"\n"
                        << "*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n*ColorDevice: False\n"
                        << "*DefaultColorSpace: Gray\n*FileSystem: False\n*Throughput: \"1\"\n"
                        << "*LandscapeOrientation: Plus90\n*TTRasterizer: Type42\n"
                        << "*OpenUI *Resolution/Resolution: PickOne\n*OrderDependency: 10 AnySetup *Resolution\n"
                        << "*DefaultResolution: 1200dpi\n"
                        << "*Resolution 600dpi/600 dpi: \"<</HWResolution[600 600]>>setpagedevice\"\n"
                        << "*Resolution 1200dpi/1200 dpi: \"<</HWResolution[1200 1200]>>setpagedevice\"\n"
                        << "*CloseUI: *Resolution\n"
                        << "*OpenUI *PageSize/Media Size: PickOne\n*OrderDependency: 10 AnySetup *PageSize\n"
                        << "*DefaultPageSize: A4\n"
                        << "*PageSize Letter/US Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n"
                        << "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
                        << "*CloseUI: *PageSize\n"
                        << "*OpenUI *PageRegion: PickOne\n*OrderDependency: 10 AnySetup *PageRegion\n"
                        << "*DefaultPageRegion: A4\n"
                        << "*PageRegion Letter/US Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n"
                        << "*PageRegion A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
                        << "*CloseUI: *PageRegion\n"
                        << "*DefaultImageableArea: A4\n"
                        << "*ImageableArea Letter/US Letter: \"" << area(letterW, letterH) << "\"\n"
                        << "*ImageableArea A4/A4: \"" << area(a4W, a4H) << "\"\n"
                        << "*DefaultPaperDimension: A4\n"
                        << "*PaperDimension Letter/US Letter: \"612 792\"\n*PaperDimension A4/A4: \"595 842\"\n"
                        << "*DefaultFont: Courier\n*Font Courier: Standard \"(002.004S)\" Standard ROM\n";
  }

  TPrivateCupsd& FCupsd;
  const TTempDir& FDir;
  std::string FName;
  std::string FOutput;
  bool FCreated = false;
  mutable int FRenders = 0;
};

}  // namespace testsupport
