// BarcodePrint --render-label BARCODE FILE.png: the program file beside fresh tables,
// run without a display, writing the label Print would send as PNG at one pixel a dot.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <ZXing/ReadBarcode.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/tempdir.h"
#include "tables/support.h"

namespace {

struct TRun {
  int ExitCode;
  std::string Errors;
};

class RenderLabel : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(PROGRAM_FILE, Dir.File("BarcodePrint"));
    ASSERT_EQ(std::system((std::string(MKTABLES_FILE) + " " + Dir.Path() + " > /dev/null").c_str()), 0);
    tables::test::TRawConnection(Dir.File("Barmas.DAT"))
        .Exec("INSERT INTO Barmas (FBarcode, FName, FSP, FBarQty) VALUES ('4006381333931', 'Milk 1L', 12.5, 3)");
  }
  void Settings(const std::string& assignments) {
    tables::test::TRawConnection(Dir.File("param.DAT")).Exec("UPDATE param SET " + assignments);
  }
  TRun Run(const std::string& arguments) {
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + Dir.File("BarcodePrint") +
                                " " + arguments + " > /dev/null 2> " + Dir.File("errors.txt");
    const int status = std::system(command.c_str());
    std::ifstream errors(Dir.File("errors.txt"));
    std::stringstream text;
    text << errors.rdbuf();
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text.str()};
  }
  static std::string Decoded(const QImage& image) {
    QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::EAN13);
    ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                          static_cast<int>(gray.bytesPerLine()));
    ZXing::Result result = ZXing::ReadBarcode(view, hints);
    return result.isValid() ? result.text() : "(not read)";
  }

  testsupport::TTempDir Dir;
};

TEST_F(RenderLabel, WritesTheLabelWithTheTablesSettingsAtThePrintersResolution) {
  struct Case {
    std::string settings;
    QSize size;
    int dotsPerMetre;
  };
  for (const Case& c : std::vector<Case>{{"PRTNAME = 'Z'", {406, 305 + 24}, 7992},
                                         {"PRTNAME = 'E', LABELDPI = '300', OFFSETX = '20'", {254, 203 + 24}, 11811},
                                         {"PRTNAME = 'Z', LABELDPI = '600', LABELW = '40', LABELL = '30'",
                                          {945, 709 + 71}, 23622}}) {
    SCOPED_TRACE(c.settings);
    Settings(c.settings);
    const TRun run = Run("--render-label 4006381333931 " + Dir.File("milk.png"));
    ASSERT_EQ(run.ExitCode, 0) << run.Errors;
    QImage image(QString::fromStdString(Dir.File("milk.png")));
    EXPECT_EQ(image.size(), c.size);
    EXPECT_EQ(image.dotsPerMeterX(), c.dotsPerMetre);
    EXPECT_EQ(Decoded(image), "4006381333931");
  }
}

TEST_F(RenderLabel, FailuresGoToStandardErrorWithAnExitStatus) {
  struct Case {
    std::string arguments;
    int exitCode;
    std::string message;
  };
  Settings("PRTNAME = 'E', DARKNESS = '20'");
  for (const Case& c : std::vector<Case>{
           {"--render-label 999 out.png", 1, "Item 999 not found\n"},
           {"--render-label 4006381333931 " + Dir.File("milk.png"), 1,
            "Darkness must be a whole number from 0 to 15, not \"20\"\n"},
           {"--render-label 4006381333931", 2, "Exit status: 0 done, 1 failed (the message on standard error), 2 usage error.\n"},
       }) {
    const TRun run = Run(c.arguments);
    EXPECT_EQ(run.ExitCode, c.exitCode) << c.arguments;
    EXPECT_TRUE(run.Errors.ends_with(c.message)) << run.Errors;
  }
  Settings("PRTNAME = 'Z', DARKNESS = ''");
  const TRun unwritable = Run("--render-label 4006381333931 " + Dir.File("no/such/milk.png"));
  EXPECT_EQ(unwritable.ExitCode, 1);
  EXPECT_TRUE(unwritable.Errors.ends_with("Cannot write " + Dir.File("no/such/milk.png") + "\n"))
      << unwritable.Errors;
  EXPECT_FALSE(std::filesystem::exists(Dir.File("milk.png")));
}

}  // namespace
