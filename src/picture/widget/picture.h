// The picture holder: loads a picture file by its extension and keeps at most one picture.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "picture/pictureformats.h"
#include "picture/widget/graphic.h"

namespace picture {

// A new, empty graphic of the kind.
std::unique_ptr<TGraphic> CreateGraphic(TPictureKind kind);

class TPicture {
 public:
  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // Chooses the kind by extension and loads the file into a new graphic. Any failure
  // raises and keeps the previous picture; success replaces it and raises OnChange.
  void LoadFromFile(const std::string& fileName);

  // Drops the picture, so that nothing is shown; raises OnChange when there was one.
  void Clear();

  TGraphic* Graphic() const { return FGraphic.get(); }
  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }

  // Raised when the picture is replaced or the graphic reports a change of its own.
  std::function<void()> OnChange;

 private:
  void Changed();

  std::unique_ptr<TGraphic> FGraphic;
};

}  // namespace picture
