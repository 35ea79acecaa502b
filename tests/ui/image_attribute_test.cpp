#include "ui/image_attribute.h"

#include <gtest/gtest.h>

namespace DuiLib {
namespace {

void ExpectRect(const std::optional<RectValue>& rect, int l, int t, int r, int b) {
  ASSERT_TRUE(rect.has_value());
  EXPECT_EQ(rect->left, l);
  EXPECT_EQ(rect->top, t);
  EXPECT_EQ(rect->right, r);
  EXPECT_EQ(rect->bottom, b);
}

TEST(ImageAttribute, BareNameIsTheWholePicture) {
  const auto image = ParseImageAttribute("scan_n.png");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->file, "scan_n.png");
  EXPECT_FALSE(image->source || image->dest || image->corner);
  // A name that merely contains '=' or quotes is still a name.
  EXPECT_EQ(ParseImageAttribute("a=b.png")->file, "a=b.png");
  EXPECT_EQ(ParseImageAttribute("it's.png")->file, "it's.png");
}

TEST(ImageAttribute, KeysInAnyOrder) {
  const auto sprite = ParseImageAttribute("file='btn_close.png' source='0,24,30,48'");
  ASSERT_TRUE(sprite);
  EXPECT_EQ(sprite->file, "btn_close.png");
  ExpectRect(sprite->source, 0, 24, 30, 48);

  const auto placed = ParseImageAttribute("dest='10,2,26,18' file='service.png'");
  ASSERT_TRUE(placed);
  EXPECT_EQ(placed->file, "service.png");
  ExpectRect(placed->dest, 10, 2, 26, 18);

  const auto grid = ParseImageAttribute(
      "  file = 'vscrollbar.png'\n source='0,60,8,100' corner='0,4,0,4' fade='200' ");
  ASSERT_TRUE(grid);
  ExpectRect(grid->source, 0, 60, 8, 100);
  ExpectRect(grid->corner, 0, 4, 0, 4);
  EXPECT_FALSE(grid->dest);

  EXPECT_EQ(ParseImageAttribute("file=\"a.png\"")->file, "a.png");
  EXPECT_EQ(ParseImageAttribute("file='系统.png'")->file, "系统.png");
}

TEST(ImageAttribute, RefusesWhatItCannotRead) {
  for (const char* bad : {"", "   ", "file=''", "source='0,0,1,1'", "file='a.png' source='0,0,1'",
                          "file='a.png", "file='a.png' corner", "file='a.png' dest=1",
                          "file='a.png' ='1'"}) {
    EXPECT_FALSE(ParseImageAttribute(bad)) << bad;
  }
}

}  // namespace
}  // namespace DuiLib
