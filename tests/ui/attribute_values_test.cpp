#include "ui/attribute_values.h"

#include <gtest/gtest.h>

namespace DuiLib {
namespace {

TEST(AttributeValues, Integers) {
  EXPECT_EQ(ParseInteger("380"), 380);
  EXPECT_EQ(ParseInteger(" -4 "), -4);
  EXPECT_EQ(ParseInteger("+7"), 7);
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
  EXPECT_EQ(ParseInteger("99999999999999999999"), std::nullopt);
  for (const char* bad : {"", " ", "-", "12px", "1 2", "0x10", "1.5"}) {
    EXPECT_EQ(ParseInteger(bad), std::nullopt) << bad;
  }
}

TEST(AttributeValues, ListsRectanglesAndSizes) {
  EXPECT_EQ(ParseIntegerList("0, 20"), (std::vector<int>{0, 20}));
  EXPECT_EQ(ParseIntegerList("5"), (std::vector<int>{5}));
  EXPECT_EQ(ParseIntegerList("1,,2"), std::nullopt);
  EXPECT_EQ(ParseIntegerList("1,2,"), std::nullopt);
  EXPECT_EQ(ParseIntegerList(""), std::nullopt);

  const auto rect = ParseRect("0,24,30,48");
  ASSERT_TRUE(rect);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->top, 24);
  EXPECT_EQ(rect->right, 30);
  EXPECT_EQ(rect->bottom, 48);
  EXPECT_FALSE(ParseRect("0,0,30"));
  EXPECT_FALSE(ParseRect("0,0,30,24,1"));

  const auto size = ParseSize("847,567");
  ASSERT_TRUE(size);
  EXPECT_EQ(size->width, 847);
  EXPECT_EQ(size->height, 567);
  EXPECT_FALSE(ParseSize("847"));
}

TEST(AttributeValues, ColoursAreAlphaFirst) {
  EXPECT_EQ(ParseColor("#FF1E90FF"), 0xFF1E90FFu);
  EXPECT_EQ(ParseColor("#ff2ba715"), 0xFF2BA715u);
  EXPECT_EQ(ParseColor("#00000000"), 0u);
  for (const char* bad : {"FF1E90FF", "#1E90FF", "#FF1E90FF0", "#GG1E90FF", "#", "", "0xFF1E90FF"}) {
    EXPECT_EQ(ParseColor(bad), std::nullopt) << bad;
  }
}

TEST(AttributeValues, BooleansAndAlignment) {
  EXPECT_EQ(ParseBoolean("true"), true);
  EXPECT_EQ(ParseBoolean("false"), false);
  EXPECT_EQ(ParseBoolean("TRUE"), true);
  EXPECT_EQ(ParseBoolean("1"), std::nullopt);
  EXPECT_EQ(ParseBoolean("yes"), std::nullopt);
  EXPECT_EQ(ParseTextAlign("left"), TextAlign::kLeft);
  EXPECT_EQ(ParseTextAlign("center"), TextAlign::kCenter);
  EXPECT_EQ(ParseTextAlign("right"), TextAlign::kRight);
  EXPECT_EQ(ParseTextAlign("centre"), std::nullopt);
}

}  // namespace
}  // namespace DuiLib
