#include "picture/jpegproperties.h"

#include <stdexcept>

namespace picture {
namespace {

struct TOptionField {
  TJPEGPropertyCode Code;
  bool (*Same)(const TJPEGOptions&, const TJPEGOptions&);
  void (*Copy)(TJPEGOptions&, const TJPEGOptions&);
};

template <auto Member>
constexpr TOptionField Field(TJPEGPropertyCode code) {
  return {code, [](const TJPEGOptions& a, const TJPEGOptions& b) { return a.*Member == b.*Member; },
          [](TJPEGOptions& to, const TJPEGOptions& from) { to.*Member = from.*Member; }};
}

constexpr TOptionField kFields[] = {
    Field<&TJPEGOptions::GrayScale>(jpcGrayScale),
    Field<&TJPEGOptions::PixelFormat>(jpcPixelFormat),
    Field<&TJPEGOptions::ProgressiveDisplay>(jpcProgressiveDisplay),
    Field<&TJPEGOptions::Performance>(jpcPerformance),
    Field<&TJPEGOptions::Scale>(jpcScale),
    Field<&TJPEGOptions::Smoothing>(jpcSmoothing),
};

const TOptionField& FieldOf(TJPEGPropertyCode code) {
  for (const auto& field : kFields)
    if (field.Code == code) return field;
  throw std::out_of_range("Unknown JPEG option code " + std::to_string(code));
}

// Default options but for the one given.
template <class T>
TJPEGOptions With(T TJPEGOptions::*member, T value) {
  TJPEGOptions options;
  options.*member = value;
  return options;
}

}  // namespace

bool SameOption(const TJPEGOptions& a, const TJPEGOptions& b, TJPEGPropertyCode code) {
  return FieldOf(code).Same(a, b);
}

void CopyOption(TJPEGOptions& to, const TJPEGOptions& from, TJPEGPropertyCode code) {
  FieldOf(code).Copy(to, from);
}

void TJPEGProperties::Assign(const TJPEGOptions& next, TJPEGPropertyCode code) {
  if (SameOption(FOptions, next, code)) return;
  CopyOption(FOptions, next, code);
  if (OnChange) OnChange(code);
}

void TJPEGProperties::SetGrayScale(bool value) {
  Assign(With(&TJPEGOptions::GrayScale, value), jpcGrayScale);
}
void TJPEGProperties::SetPixelFormat(TJPEGPixelFormat value) {
  Assign(With(&TJPEGOptions::PixelFormat, value), jpcPixelFormat);
}
void TJPEGProperties::SetProgressiveDisplay(bool value) {
  Assign(With(&TJPEGOptions::ProgressiveDisplay, value), jpcProgressiveDisplay);
}
void TJPEGProperties::SetPerformance(TJPEGPerformance value) {
  Assign(With(&TJPEGOptions::Performance, value), jpcPerformance);
}
void TJPEGProperties::SetScale(TJPEGScale value) {
  Assign(With(&TJPEGOptions::Scale, value), jpcScale);
}
void TJPEGProperties::SetSmoothing(bool value) {
  Assign(With(&TJPEGOptions::Smoothing, value), jpcSmoothing);
}

}  // namespace picture
