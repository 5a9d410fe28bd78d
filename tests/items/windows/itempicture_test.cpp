// The item window's picture box as it stands on its panel before any picture is shown.
#include <gtest/gtest.h>

#include <QWidget>

#include "items/windows/itempicture.h"

namespace items {
namespace {

TEST(ItemWindowPicture, HasTheItemWindowSettings) {
  QWidget panel;
  picture::TFEJpeg* box = CreateItemWindowPicture(&panel);
  EXPECT_EQ(box->parentWidget(), &panel);
  EXPECT_EQ(box->objectName(), "empimg");
  EXPECT_EQ(box->geometry(), QRect(1, 24, 159, 153));
  EXPECT_TRUE(box->Stretch());
  EXPECT_FALSE(box->Center());
  EXPECT_FALSE(box->AutoSize());
  EXPECT_FALSE(box->Transparent());
  EXPECT_FALSE(box->IncrementalDisplay());
  EXPECT_EQ(box->JPEGProperties().Options(), picture::TJPEGOptions{});
  EXPECT_EQ(box->Picture().Graphic(), nullptr);
}

}  // namespace
}  // namespace items
