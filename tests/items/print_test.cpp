// The Print sequence over a real item table: values read from the current row
// (pending changes included), the wait before the first line, the job written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/messages.h"
#include "items/globvar.h"
#include "items/labeljob.h"
#include "items/shoptables.h"
#include "support/tempdir.h"
#include "tables/support.h"
#include "tables/tables.h"

namespace items {
namespace {

namespace fs = std::filesystem;

class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    items::CreateMissingTables(dir);
    items.SetDatabaseName(dir);
    items.SetTableName("Barmas.DAT");
    items.Open();
    job.DataDirectory = dir;
    job.DecimalSeparator = '.';
    job.PortText = dir + "label.prn";
    job.Wait = [this](double seconds) {
      waits.push_back(seconds);
      portWrittenBeforeWait = fs::exists(job.PortText);
    };
    gPrtname = "Z";
  }
  void TearDown() override {
    items.Close();
    gPrtname.clear();
    platform::SetMessageHandler(previousHandler);
  }

  void AppendItem(const std::string& barcode, const std::string& name, const std::string& price,
                  const std::string& quantity) {
    items.Append();
    items.FieldByName("FBarcode").SetAsString(barcode);
    items.FieldByName("FName").SetAsString(name);
    items.FieldByName("FSP").SetAsString(price);
    items.FieldByName("FBarQty").SetAsString(quantity);
  }

  std::vector<std::string> PortLines() {
    std::ifstream in(job.PortText, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> lines;
    std::string all = text.str();
    for (size_t at = 0; at < all.size();) {
      size_t end = all.find("\r\n", at);
      if (end == std::string::npos) break;
      lines.push_back(all.substr(at, end - at));
      at = end + 2;
    }
    return lines;
  }

  testsupport::TTempDir temp;
  const std::string& dir = temp.Path();
  tables::TTable items;
  TLabelJob job;
  std::vector<double> waits;
  bool portWrittenBeforeWait = true;
  std::vector<std::string> messages;
  platform::TMessageHandler previousHandler =
      platform::SetMessageHandler([this](const std::string& text) { messages.push_back(text); });
};

TEST_F(PrintTest, ReadsTheCurrentRowWaitsThreeSecondsThenSends) {
  AppendItem("4006381333931", " \t Milk  1L \t", "1.005", "2.5");
  items.Post();
  job.Print(items);
  EXPECT_EQ(waits, std::vector<double>{3});
  EXPECT_FALSE(portWrittenBeforeWait);
  std::vector<std::string> lines = PortLines();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[3], "^BY1.0,10,,^FO15,84^AP,22,N,N,N^FDMilk  1L^FS");
  EXPECT_EQ(lines[4], "^BY2,3.0,2,^FO50,160^AP^BEN,70,Y,N^FD4006381333931^FS");
  EXPECT_EQ(lines[5], "^BY1.0,10,,^FO42,122^AP,30,N,N,N^FDDhs.1.01^FS");
  EXPECT_EQ(lines[6], "^PQ3");
}

TEST_F(PrintTest, NoValueMeansNoPriceAndZeroLabels) {
  AppendItem("123", "Tea", "", "");
  items.Post();
  gPrtname = "E";
  job.Print(items);
  std::vector<std::string> lines = PortLines();
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines.back(), "P0");
}

TEST_F(PrintTest, PrintsThePendingChangesWithoutSavingThem) {
  AppendItem("111", "Old", "2", "1");
  items.Post();
  items.Edit();
  items.FieldByName("FName").SetAsString("New");
  job.Print(items);
  EXPECT_EQ(PortLines()[3], "^BY1.0,10,,^FO15,84^AP,22,N,N,N^FDNew^FS");
  EXPECT_EQ(items.State(), tables::TDataSetState::dsEdit);
  items.Cancel();
  EXPECT_EQ(items.FieldByName("FName").AsString(), "Old");
}

TEST_F(PrintTest, PriceTestUsesTheRoundedText) {
  AppendItem("1", "a", "0.004", "1");
  items.Post();
  job.Print(items);
  EXPECT_EQ(PortLines().size(), 7u);
}

// The road of a name beyond ASCII: Windows-1252 in the program, UTF-8 in the table
// file, Windows-1252 bytes to the printer behind the line that selects that code page.
TEST_F(PrintTest, CremeBruleeIsStoredAsUtf8AndPrintedInCodePage1252) {
  const std::string name = "Cr\xE8me br\xFBl\xE9\x65 5\x80";
  AppendItem("4006381333931", name, "12.5", "1");
  items.Post();
  tables::test::TRawConnection file(dir + "Barmas.DAT");
  EXPECT_EQ(file.Column("SELECT FName FROM Barmas"),
            std::vector<std::string>{"Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9\x65 5\xE2\x82\xAC"});
  EXPECT_EQ(file.Column("SELECT length(FName) FROM Barmas"), std::vector<std::string>{"15"});

  job.Print(items);
  EXPECT_EQ(PortLines(), (std::vector<std::string>{"^XA", "^XB", "^LH0,03", "^CI27",
                                                   "^BY1.0,10,,^FO15,84^AP,22,N,N,N^FD" + name + "^FS",
                                                   "^BY2,3.0,2,^FO50,160^AP^BEN,70,Y,N^FD4006381333931^FS",
                                                   "^BY1.0,10,,^FO42,122^AP,30,N,N,N^FDDhs.12.50^FS", "^PQ1", "^XZ"}));
  gPrtname = "E";
  job.Print(items);
  std::vector<std::string> epl = PortLines();
  ASSERT_EQ(epl.size(), 14u);
  EXPECT_EQ(epl[8], "I8,A,001");
  EXPECT_EQ(epl[9], "A30,30,0,2,1,1,N,\"" + name + "\"");
  EXPECT_TRUE(messages.empty());
}

TEST_F(PrintTest, ControlCharactersInsideTheNameAreRefusedThoseAtItsEndsTrimmed) {
  AppendItem("1", "\tMilk\n1L\r\n", "2", "1");
  items.Post();
  job.Print(items);
  EXPECT_FALSE(fs::exists(job.PortText));
  EXPECT_EQ(messages, std::vector<std::string>{"Error Field FName holds the control character 0x0A, which the "
                                               "printer would take as a command; nothing was sent"});
  items.Edit();
  items.FieldByName("FName").SetAsString("\tMilk 1L\r\n");
  job.Print(items);
  EXPECT_EQ(PortLines()[3], "^BY1.0,10,,^FO15,84^AP,22,N,N,N^FDMilk 1L^FS");
}

}  // namespace
}  // namespace items
