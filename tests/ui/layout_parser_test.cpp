#include "ui/layout_parser.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace DuiLib {
namespace {

LayoutElement Parse(std::string_view text) {
  LayoutElement root;
  LayoutParseError error;
  EXPECT_TRUE(ParseLayout(text, &root, &error)) << error.message << " @" << error.offset;
  return root;
}

std::string ErrorOf(std::string_view text) {
  LayoutElement root;
  root.name = "untouched";
  LayoutParseError error;
  if (ParseLayout(text, &root, &error)) return "parsed";
  EXPECT_TRUE(root.name.empty() && root.children.empty());
  return error.message + " @" + std::to_string(error.offset);
}

TEST(LayoutParser, BuildsTheTreeWithAttributesInFileOrder) {
  const LayoutElement root = Parse(
      "<Window size=\"847,567\">\n"
      "  <Font id=\"0\"/>\n"
      "  <VerticalLayout>\n"
      "    <Label pos=\"0,20\" width=\"380\" height=\"40\" width=\"10\"/>\n"
      "    <Button/>\n"
      "  </VerticalLayout>\n"
      "</Window>\n");
  EXPECT_EQ(root.name, "Window");
  ASSERT_EQ(root.children.size(), 2u);
  EXPECT_EQ(root.children[0].name, "Font");
  const LayoutElement& layout = root.children[1];
  ASSERT_EQ(layout.children.size(), 2u);
  const LayoutAttributes& label = layout.children[0].attributes;
  ASSERT_EQ(label.size(), 4u);
  EXPECT_EQ(label[0].name, "pos");
  EXPECT_EQ(label[0].value, "0,20");
  EXPECT_EQ(label[2].name, "height");
  EXPECT_EQ(label[3].name, "width");  // duplicates stay, the later one wins when applied
  EXPECT_EQ(label[3].value, "10");
  EXPECT_EQ(layout.children[1].name, "Button");
  EXPECT_EQ(root.offset, 0u);
}

TEST(LayoutParser, SkipsByteOrderMarkDeclarationAndComments) {
  const LayoutElement root =
      Parse("\xEF\xBB\xBF<?xml version=\"1.0\"?><!-- top --><Window><!-- in --></Window><!-- end -->");
  EXPECT_EQ(root.name, "Window");
  EXPECT_TRUE(root.children.empty());
}

TEST(LayoutParser, ReadsUtf16WithByteOrderMark) {
  const std::string utf16le("\xFF\xFE<\0W\0 \0t\0=\0\"\0\xD4\x8F\xDE\x56\"\0/\0>\0", 24);
  const LayoutElement little = Parse(utf16le);
  EXPECT_EQ(little.name, "W");
  EXPECT_EQ(little.attributes.at(0).value, "返回");
  const std::string utf16be("\xFE\xFF\0<\0W\0/\0>", 10);
  EXPECT_EQ(Parse(utf16be).name, "W");
}

TEST(LayoutParser, EndTagsMatchWithoutRegardToCase) {
  EXPECT_EQ(Parse("<horizontallayout></HorizontalLayout>").name, "horizontallayout");
}

// One malformed file each, named, so that a failure says which input it was.
struct MalformedLayout {
  const char* name;
  const char* text;
  const char* error;
};

void PrintTo(const MalformedLayout& layout, std::ostream* out) { *out << layout.text; }

class LayoutParserRefuses : public ::testing::TestWithParam<MalformedLayout> {};

TEST_P(LayoutParserRefuses, WithTheErrorAndWhereItIs) {
  EXPECT_EQ(ErrorOf(GetParam().text), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    MalformedFiles, LayoutParserRefuses,
    ::testing::Values(
        MalformedLayout{"Empty", "", "no element @0"},
        MalformedLayout{"DeclarationOnly", "<?xml version=\"1.0\"?>", "no element @21"},
        MalformedLayout{"RootNotClosed", "<Window>", "<Window> is not closed @0"},
        MalformedLayout{"EndTagOfAnotherElement", "<Window><A></B></Window>",
                        "</B> closes <A> @11"},
        MalformedLayout{"EndTagFirst", "</Window>", "stray </Window> @0"},
        MalformedLayout{"TwoRoots", "<A/><B/>", "more than one root element @4"},
        MalformedLayout{"EndTagAfterAClosedRoot", "<A/></A>", "stray </A> @4"},
        MalformedLayout{"AttributeWithoutValue", "<A v/>", "attribute 'v' has no value @3"},
        MalformedLayout{"AttributeValueNotQuoted", "<A v=/>",
                        "attribute 'v' has no quoted value @5"},
        MalformedLayout{"AttributeWithoutName", "<A =\"1\"/>", "unexpected token @3"},
        MalformedLayout{"AttributeValueNotTerminated", "<A v=\"1/>",
                        "unterminated attribute value @5"}),
    [](const ::testing::TestParamInfo<MalformedLayout>& info) {
      return std::string(info.param.name);
    });

TEST(LayoutParser, LimitsNestingDepth) {
  std::string deep;
  for (size_t i = 0; i < kMaxLayoutDepth; ++i) deep += "<A>";
  for (size_t i = 0; i < kMaxLayoutDepth; ++i) deep += "</A>";
  LayoutElement root;
  LayoutParseError error;
  EXPECT_TRUE(ParseLayout(deep, &root, &error)) << error.message;
  EXPECT_EQ(ErrorOf("<A>" + deep + "</A>"),
            "elements nested too deeply @" + std::to_string(3 * kMaxLayoutDepth));
}

}  // namespace
}  // namespace DuiLib
