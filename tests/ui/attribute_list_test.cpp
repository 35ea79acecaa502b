#include "ui/attribute_list.h"

#include <gtest/gtest.h>

namespace DuiLib {
namespace {

TEST(AttributeList, ReadsPairsKeepingInnerSingleQuotes) {
  const auto list = ParseAttributeList(
      "width=\"8\" showbutton1=\"false\"\n\tbkimage=\"file='vscrollbar.png' corner='0,4,0,4'\""
      " text=\"\" name = \"a b\"");
  ASSERT_TRUE(list);
  ASSERT_EQ(list->size(), 5u);
  EXPECT_EQ((*list)[0].name, "width");
  EXPECT_EQ((*list)[0].value, "8");
  EXPECT_EQ((*list)[2].name, "bkimage");
  EXPECT_EQ((*list)[2].value, "file='vscrollbar.png' corner='0,4,0,4'");
  EXPECT_EQ((*list)[3].value, "");
  EXPECT_EQ((*list)[4].value, "a b");
  EXPECT_TRUE(ParseAttributeList("  ")->empty());
}

TEST(AttributeList, RefusesBrokenLists) {
  for (const char* bad : {"width", "width=8", "width=\"8", "=\"8\"", "width=\"8\" x",
                          "width='8'"}) {
    EXPECT_FALSE(ParseAttributeList(bad)) << bad;
  }
}

}  // namespace
}  // namespace DuiLib
