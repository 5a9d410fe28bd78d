// The label job: one item row turned into a Zebra (ZPL) or Eltron (EPL) job and
// written to the printer port one line at a time.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "items/labelcalibration.h"
#include "ports/portjob.h"

namespace tables {
class TTable;
}

namespace items {

// A string of count spaces (empty for 0 or less).
std::string SpaceFill(int count);

// Returns after that much wall-clock time has passed. It sleeps rather than spins,
// but the caller's window still does not react meanwhile.
void WaitSeconds(double seconds);

// The values one label is printed from, all as text.
struct TLabelValues {
  std::string Barcode;
  std::string Name;
  std::string Quantity;
  std::string Price;
  std::string PicturePath;
};

// Reads the current row (pending changes included): barcode as stored, name
// trimmed of every character at or below the space, price as "0.00", quantity as "0".
TLabelValues ReadLabelValues(tables::TTable& items, char decimalSeparator);

// A label value that cannot be sent: it holds a control character.
class ELabelValue : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The job's lines for a printer type, or none when the type selects no job
// ("Z" and "E" exactly). Values that would be read as printer commands are escaped;
// a value holding a control character is refused (ELabelValue naming its field).
// The code page line is sent only when a value holds a byte above 0x7F.
std::vector<std::string> LabelJobLines(const std::string& printerType, const TLabelValues& values,
                                       char decimalSeparator);
// The same with the printer's calibration put in (ECalibration for a setting it does not take).
std::vector<std::string> LabelJobLines(const std::string& printerType, const TLabelValues& values,
                                       char decimalSeparator, const TLabelCalibration& calibration);
// The job Print sends: for the global printer type and calibration.
std::vector<std::string> CurrentLabelJobLines(const TLabelValues& values, char decimalSeparator);

class TLabelJob {
 public:
  TLabelJob();

  // The text of the window's port box: the port each job line is written to.
  std::string PortText;
  // Where mapped ports ("ports/LPT1", ...) are looked for.
  std::string DataDirectory;
  char DecimalSeparator;
  // The wait before a job; replaceable so tests need not wait.
  std::function<void(double seconds)> Wait = WaitSeconds;

  // The Print button: reads the label values, waits 3 seconds, sends the job.
  void Print(tables::TTable& items);

  // Sends the job that the printer type selects. Catches every error itself and
  // shows it as "Error " followed by its message; the rest of the job is then not sent.
  void SendLabelJob(const std::string& barcode, const std::string& name, const std::string& quantity,
                    const std::string& price, const std::string& picturePath);

  // Sends the job for these values, raising every error (a batch stops at it).
  void SendJob(const TLabelValues& values);

  // The port job, for a batch of jobs in a row (see TLabelBatch).
  platform::TPortJob& PortJob() { return FPortJob; }

  // Sends one line to the port named by PortText.
  void Prtdata(const std::string& line);

  // Opens the port, writes the line (fitted to width unless width is -1) with a
  // CR LF end, closes the port. A failed write is shown as "Line print error "
  // followed by its message and the line is skipped (within a batch it is raised, so the
  // batch stops at that item); open and close errors are raised.
  void prtln(const std::string& line, int width, const std::string& port);

 private:
  // Knows where each line stands in its job: a plain file as port ends up holding the
  // whole job, a network printer gets it as one piece after the last line.
  platform::TPortJob FPortJob;
};

}  // namespace items
