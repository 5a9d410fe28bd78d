#include "picture/pictureformats.h"

#include <gtest/gtest.h>

#include "picture/pictureerrors.h"

namespace picture {
namespace {

struct TExtensionCase {
  const char* FileName;
  const char* Extension;
};

TEST(PictureFormats, ExtensionIsTheLowerCasedTextAfterTheLastDotOfTheName) {
  const TExtensionCase cases[] = {
      {"photo.jpg", "jpg"},
      {"PHOTO.JPG", "jpg"},
      {"Photo.JpEg", "jpeg"},
      {"/home/shop/pictures/item.bmp", "bmp"},
      {"archive.tar.EMF", "emf"},
      {"/home/shop/pics.v2/item", ""},  // the dot is in a directory name
      {"pics.v2/item", ""},
      {"C:\\pics.v2\\item", ""},
      {"C:\\pics\\item.ICO", "ico"},
      {"D:item.wmf", "wmf"},
      {"D:pics.x:item", ""},
      {"item", ""},
      {"item.", ""},
      {"", ""},
      {".jpg", "jpg"},
  };
  for (const auto& c : cases) EXPECT_EQ(PictureFileExtension(c.FileName), c.Extension) << c.FileName;
}

TEST(PictureFormats, EveryExtensionFindsItsKind) {
  const struct {
    const char* FileName;
    TPictureKind Kind;
    const char* Description;
  } cases[] = {
      {"a.wmf", TPictureKind::Metafile, "Metafiles"},
      {"a.EMF", TPictureKind::EnhMetafile, "Enhanced Metafiles"},
      {"a.ico", TPictureKind::Icon, "Icons"},
      {"a.Bmp", TPictureKind::Bitmap, "Bitmaps"},
      {"dir.d/a", TPictureKind::OlePicture, ""},
      {"a.jpeg", TPictureKind::JPEG, "JPEG Image File"},
      {"a.JPG", TPictureKind::JPEG, "JPEG Image File"},
  };
  for (const auto& c : cases) {
    const TPictureFormat& format = FindPictureFormat(c.FileName);
    EXPECT_EQ(format.Kind, c.Kind) << c.FileName;
    EXPECT_STREQ(format.Description, c.Description) << c.FileName;
  }
}

TEST(PictureFormats, UnknownExtensionIsRefusedWithItsName) {
  const struct {
    const char* FileName;
    const char* Message;
  } cases[] = {
      {"/pics/item.GIF", "Unknown picture file extension (.gif)"},
      {"item.png", "Unknown picture file extension (.png)"},
      {"item.jpg.bak", "Unknown picture file extension (.bak)"},
      {"item.jp", "Unknown picture file extension (.jp)"},
  };
  for (const auto& c : cases) {
    try {
      FindPictureFormat(c.FileName);
      ADD_FAILURE() << c.FileName << " was accepted";
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), c.Message);
    }
  }
}

}  // namespace
}  // namespace picture
