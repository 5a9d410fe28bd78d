// Label batches on real ports: a network printer on loopback getting the whole batch in
// one connection, a plain file holding it, a port failing at an item and the rest sent
// afterwards, Cancel between items, skipped quantities and a refused value.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "items/globvar.h"
#include "items/labelbatch.h"
#include "support/loopbacklistener.h"
#include "support/privatecupsd.h"
#include "support/tempdir.h"

namespace items {
namespace {

namespace fs = std::filesystem;

const std::vector<TLabelValues> kItems = {
    {"4006381333931", "Milk", "2", "1.50", ""},
    {"4012345678901", "Tea", "1", "0.00", ""},
    {"5901234123457", "Rice", "3", "2.25", ""},
};

class LabelBatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gPrtname = "Z";
    job.DataDirectory = temp.Path();
    job.DecimalSeparator = '.';
    job.Wait = [this](double seconds) { waits.push_back(seconds); };
    fs::create_directory(temp.Folder() / "ports");
  }
  void TearDown() override { gPrtname.clear(); }

  // The bytes the Print button sends for these items, one job after the other.
  static std::string JobsOf(const std::vector<TLabelValues>& items) {
    std::string bytes;
    for (const TLabelValues& item : items)
      for (const std::string& line : LabelJobLines("Z", item, '.')) bytes += line + "\r\n";
    return bytes;
  }
  static std::string ReadFile(const fs::path& path) {
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
  }
  // The port LPT1 leads to the path (which may be missing).
  void MapPort(const fs::path& target) {
    const fs::path link = temp.Folder() / "ports" / "LPT1";
    fs::remove(link);
    fs::create_symlink(target, link);
    job.PortText = "LPT1";
  }

  testsupport::TTempDir temp;
  TLabelJob job;
  std::vector<double> waits;
};

TEST_F(LabelBatchTest, ANetworkPrinterGetsTheWholeBatchInOneConnection) {
  testsupport::TLoopbackListener printer;
  std::ofstream(temp.File("ports/LPT2.uri")) << printer.Uri() << "\n";
  job.PortText = "LPT2";
  TLabelBatch batch(job, kItems);
  batch.SendAll();
  EXPECT_EQ(printer.Received(1), std::vector<std::string>{JobsOf(kItems)});
  EXPECT_EQ(waits, std::vector<double>{3});
  EXPECT_EQ(batch.Summary(), "Labels for 3 of 3 items sent");
}

TEST_F(LabelBatchTest, ACupsQueueGetsTheWholeBatchAsOneJob) {
  testsupport::TPrivateCupsd cupsd;
  SKIP_OR_FAIL_WITHOUT_PRINTING(cupsd.Failure());
  testsupport::TLoopbackListener printer;
  ASSERT_TRUE(cupsd.Run({"lpadmin", "-p", "Zebra", "-E", "-v", printer.Uri(), "-m", "raw"}));
  std::ofstream(temp.File("ports/LPT1.uri")) << "cups:Zebra\n";
  job.PortText = "LPT1";
  TLabelBatch(job, kItems).SendAll();
  EXPECT_EQ(printer.Received(1), std::vector<std::string>{JobsOf(kItems)});
  cups_job_t* jobs = nullptr;
  ASSERT_EQ(cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, "Zebra", 0, CUPS_WHICHJOBS_ALL), 1);
  EXPECT_STREQ(jobs[0].title, "Labels for 3 items");
  cupsFreeJobs(1, jobs);
}

TEST_F(LabelBatchTest, ARefusingNetworkPrinterTookNoneAndTheBatchStartsAgain) {
  int port = 0;
  const int bound = testsupport::BindLoopback(&port);
  std::ofstream(temp.File("ports/LPT2.uri")) << "socket://127.0.0.1:" << port;
  close(bound);
  job.PortText = "LPT2";
  TLabelBatch batch(job, kItems);
  try {
    batch.SendAll();
    FAIL() << "sent";
  } catch (const EBatchError& e) {
    EXPECT_EQ(std::string(e.what()), "The printer accepted none of the labels: Error Connection refused by socket://127.0.0.1:" +
                                         std::to_string(port));
  }
  EXPECT_EQ(batch.Position(), 0u);
  EXPECT_EQ(batch.Summary(), "Labels for 0 of 3 items sent");
}

TEST_F(LabelBatchTest, APlainFileHoldsTheWholeBatchAndSkippedItemsAreCounted) {
  std::vector<TLabelValues> items = kItems;
  items[1].Quantity = "0";
  job.PortText = temp.File("labels.prn");
  std::ofstream(job.PortText) << "an earlier job";
  TLabelBatch batch(job, items);
  batch.SendAll();
  EXPECT_EQ(ReadFile(job.PortText), JobsOf({kItems[0], kItems[2]}));
  EXPECT_EQ(batch.Summary(), "Labels for 2 of 3 items sent, 1 skipped (quantity 0)");
}

TEST_F(LabelBatchTest, AFailureStopsAtTheItemAndPrintTheRestSendsOnlyTheRest) {
  for (const char* file : {"first.prn", "second.prn"}) std::ofstream(temp.File(file)) << "an earlier job";
  MapPort(temp.File("first.prn"));
  TLabelBatch batch(job, kItems);
  batch.SendNext();
  MapPort(temp.File("unplugged/lp0"));
  try {
    batch.SendNext();
    FAIL() << "sent";
  } catch (const EBatchError& e) {
    EXPECT_EQ(std::string(e.what()), "The label of item 4012345678901 (Tea) was not sent: Error File not found");
  }
  EXPECT_EQ(batch.Summary(), "Labels for 1 of 3 items sent");
  MapPort(temp.File("second.prn"));
  batch.SendAll();
  EXPECT_EQ(ReadFile(temp.File("first.prn")), JobsOf({kItems[0]}));
  // The rest continues the batch: appended, where a new batch empties the file first.
  EXPECT_EQ(ReadFile(temp.File("second.prn")), "an earlier job" + JobsOf({kItems[1], kItems[2]}));
  EXPECT_EQ(batch.Summary(), "Labels for 3 of 3 items sent");
  EXPECT_EQ(waits.size(), 1u);
}

TEST_F(LabelBatchTest, CancelBetweenItemsSendsNoMore) {
  job.PortText = temp.File("labels.prn");
  TLabelBatch batch(job, kItems);
  batch.SendNext();
  batch.Cancel();
  EXPECT_FALSE(batch.Finished());
  EXPECT_EQ(ReadFile(job.PortText), JobsOf({kItems[0]}));
  EXPECT_EQ(batch.Summary(), "Labels for 1 of 3 items sent");
}

TEST_F(LabelBatchTest, ARefusedValueStopsTheBatchBeforeAnythingIsSent) {
  std::vector<TLabelValues> items = kItems;
  items[2].Name = "Rice\nP999";
  job.PortText = temp.File("labels.prn");
  try {
    TLabelBatch batch(job, items);
    FAIL() << "accepted";
  } catch (const ELabelValue& e) {
    EXPECT_TRUE(std::string(e.what()).starts_with("The label of item 5901234123457 (Rice\nP999) cannot be printed: "))
        << e.what();
  }
  EXPECT_FALSE(fs::exists(job.PortText));
  EXPECT_TRUE(waits.empty());
}

}  // namespace
}  // namespace items
