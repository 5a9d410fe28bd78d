#include "items/labeljob.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <thread>

#include "base/ansi.h"
#include "base/datadir.h"
#include "base/messages.h"
#include "base/numformat.h"
#include "items/globvar.h"
#include "items/jobtemplates.h"
#include "items/numbertext.h"
#include "items/shoptables.h"
#include "ports/portfile.h"
#include "ports/portjob.h"
#include "tables/tables.h"

namespace items {
namespace {

std::string TrimControlAndBlank(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return text.substr(first, last - first);
}

// Line ends end a command in both languages and other control characters are
// commands of their own (a name "x\nP999" would print 999 labels), so no value may
// hold one. The bytes that Windows-1252 leaves unassigned are C1 controls to the printer.
bool IsControlCharacter(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F || !platform::IsAnsiCharacter(byte);
}

void RefuseControlCharacters(const char* field, const std::string& value) {
  for (unsigned char byte : value) {
    if (!IsControlCharacter(byte)) continue;
    throw ELabelValue(std::string("Field ") + field + " holds the control character " + platform::ByteName(byte) +
                      ", which the printer would take as a command; nothing was sent");
  }
}

bool HasByteBeyondAscii(const std::string& value) {
  return std::ranges::any_of(value, [](unsigned char byte) { return byte > 0x7F; });
}

std::string FitToWidth(const std::string& line, int width) {
  size_t size = static_cast<size_t>(std::max(width, 0));
  if (line.size() >= size) return line.substr(0, size);
  return line + SpaceFill(static_cast<int>(size - line.size()));
}

}  // namespace

std::string SpaceFill(int count) {
  if (count <= 0) return {};
  std::string seed(28, ' ');
  while (seed.size() < static_cast<size_t>(count)) seed += seed;
  return seed.substr(0, static_cast<size_t>(count));
}

void WaitSeconds(double seconds) {
  auto deadline = std::chrono::system_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::system_clock::now() < deadline) std::this_thread::sleep_until(deadline);
}

TLabelValues ReadLabelValues(tables::TTable& items, char decimalSeparator) {
  TLabelValues values;
  values.Barcode = items.FieldByName(barmas::FBarcode).AsString();
  values.Name = TrimControlAndBlank(items.FieldByName(barmas::FName).AsString());
  values.PicturePath = items.FieldByName(barmas::FPicPath).AsString();
  values.Price = FormatFixed(items.FieldByName(barmas::FSP).AsFloat(), 2, decimalSeparator);
  values.Quantity = FormatFixed(items.FieldByName(barmas::FBarQty).AsFloat(), 0, decimalSeparator);
  return values;
}

std::vector<std::string> LabelJobLines(const std::string& printerType, const TLabelValues& values,
                                       char decimalSeparator) {
  return LabelJobLines(printerType, values, decimalSeparator, TLabelCalibration{});
}

std::vector<std::string> CurrentLabelJobLines(const TLabelValues& values, char decimalSeparator) {
  return LabelJobLines(gPrtname, values, decimalSeparator, gLabelCalibration);
}

std::vector<std::string> LabelJobLines(const std::string& printerType, const TLabelValues& values,
                                       char decimalSeparator, const TLabelCalibration& calibration) {
  const TJobLanguage* language = FindJobLanguage(printerType);
  if (language == nullptr) return {};
  const bool withPrice = ParseFixed(values.Price, decimalSeparator) > 0;
  std::vector<const TJobLine*> sent;
  for (const TJobLine& line : language->Lines) {
    if (line.SentWhen != TSentWhen::PriceAboveZero || withPrice) sent.push_back(&line);
  }
  // Every value is checked before the first line is composed, so a refused job sends nothing.
  bool beyondAscii = false;
  for (const TJobLine* line : sent) {
    const std::string& value = ValueOf(line->Value, values);
    RefuseControlCharacters(FieldOf(line->Value), value);
    beyondAscii = beyondAscii || HasByteBeyondAscii(value);
  }
  std::vector<std::string> lines;
  for (const TJobLine* line : sent) {
    if (line->SentWhen == TSentWhen::TextBeyondAscii && !beyondAscii) continue;
    lines.push_back(ComposeLine(*language, *line, values));
  }
  language->Calibrate(lines, ResolveCalibration(calibration, printerType));
  return lines;
}

TLabelJob::TLabelJob() : DataDirectory(platform::DataDirectory()), DecimalSeparator(platform::DecimalSeparator()) {}

void TLabelJob::Print(tables::TTable& items) {
  TLabelValues values = ReadLabelValues(items, DecimalSeparator);
  Wait(3);
  SendLabelJob(values.Barcode, values.Name, values.Quantity, values.Price, values.PicturePath);
}

void TLabelJob::SendLabelJob(const std::string& barcode, const std::string& name, const std::string& quantity,
                             const std::string& price, const std::string& picturePath) {
  try {
    SendJob(TLabelValues{barcode, name, quantity, price, picturePath});
  } catch (const std::exception& e) {
    platform::ShowMessage(std::string("Error ") + e.what());
  }
}

void TLabelJob::SendJob(const TLabelValues& values) {
  std::vector<std::string> lines = CurrentLabelJobLines(values, DecimalSeparator);
  FPortJob.Begin(values.Barcode, lines.size());
  for (const std::string& line : lines) Prtdata(line);
}

void TLabelJob::Prtdata(const std::string& line) { prtln(line, -1, PortText); }

void TLabelJob::prtln(const std::string& line, int width, const std::string& port) {
  FPortJob.Open(platform::ResolvePortName(port, DataDirectory));
  std::string text = width == -1 ? line : FitToWidth(line, width);
  try {
    FPortJob.Write(text + "\r\n");
  } catch (const std::exception& e) {
    if (FPortJob.InBatch()) {
      FPortJob.Close();
      throw;
    }
    platform::ShowMessage(std::string("Line print error ") + e.what());
  }
  FPortJob.Close();
}

}  // namespace items
