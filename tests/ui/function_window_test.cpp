// A page in the manner of the advanced-functions page: the things a strict XML parser
// rejects but our files contain, end to end through the builder.
#include <gtest/gtest.h>

#include "recording_layout_target.h"
#include "ui/image_attribute.h"
#include "ui/layout_builder.h"
#include "ui/utf_conversion.h"

namespace DuiLib {
namespace {

const char kFunctionWindow[] =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<!-- advanced functions -->\r\n"
    "<Window>\r\n"
    "  <Default name=\"VScrollBar\" shared=\"true\" value=\"width=&quot;8&quot; "
    "showbutton1=&quot;false&quot; showbutton2=&quot;false&quot; "
    "bkimage=&quot;file='vscrollbar.png' source='0,0,8,60' corner='0,4,0,4'&quot;\" />\r\n"
    "  <HorizontalLayout name=\"function_root\" bkcolor=\"#FFFFFFFF\">\r\n"
    "    <VerticalLayout name=\"function_tip_region\" vscrollbar=\"true\">\r\n"
    "      <Button name=\"function_back\" text=\"<返回\" float=\"true\" pos=\"0,20\" "
    "width=\"380\" height=\"40\" textcolor=\"#FF1E90FF\" />\r\n"
    "      <RichEdit name=\"paynote_text\" text=\"第一行\r\n"
    "  第二行 &amp; more\r\n"
    "\" font=\"1\" />\r\n"
    "      <RichEdit name=\"paynote_text\" text=\"a &lt;b&gt; &#20013; &copy; & c\" />\r\n"
    "    </VerticalLayout>\r\n"
    "  </HorizontalLayout>\r\n"
    "</Window>\r\n";

class FunctionWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source.files["FunctionWindow.xml"] = kFunctionWindow;
    LayoutBuilder builder(source, target, nullptr);
    result = builder.Build("FunctionWindow.xml");
    ASSERT_EQ(result.status, LayoutBuildStatus::kOk) << result.parseError.message;
    root = ui_test::RecordingLayoutTarget::Record(result.root);
    ASSERT_EQ(root->children.size(), 1u);
    region = root->children[0];
    ASSERT_EQ(region->children.size(), 3u);
  }

  ui_test::MapLayoutSource source;
  ui_test::RecordingLayoutTarget target;
  LayoutBuildResult result;
  ui_test::RecordedControl* root = nullptr;
  ui_test::RecordedControl* region = nullptr;
};

TEST_F(FunctionWindowTest, LiteralLessThanInTextComesThrough) {
  const ui_test::RecordedControl* back = region->children[0];
  EXPECT_EQ(back->kind, "Button");
  EXPECT_EQ(back->Attribute("text"), "<返回");
  EXPECT_EQ(Utf8ToUtf16(back->Attribute("text")), u"<\u8FD4\u56DE");
  EXPECT_EQ(back->Attribute("pos"), "0,20");
}

TEST_F(FunctionWindowTest, MultiLineTextsKeepLineBreaksAndSpaces) {
  EXPECT_EQ(region->children[1]->kind, "RichEdit");
  EXPECT_EQ(region->children[1]->Attribute("text"), "第一行\r\n  第二行 & more\r\n");
  // Only the five named entities are decoded.
  EXPECT_EQ(region->children[2]->Attribute("text"), "a <b> &#20013; &copy; & c");
}

TEST_F(FunctionWindowTest, DefaultValueQuotesBecomeAttributes) {
  const LayoutAttributes* scrollBar = target.SharedDefaults().Find("VScrollBar");
  ASSERT_NE(scrollBar, nullptr);
  ASSERT_EQ(scrollBar->size(), 4u);
  EXPECT_EQ((*scrollBar)[0].name, "width");
  EXPECT_EQ((*scrollBar)[0].value, "8");
  EXPECT_EQ((*scrollBar)[2].name, "showbutton2");
  const auto track = ParseImageAttribute((*scrollBar)[3].value);
  ASSERT_TRUE(track);
  EXPECT_EQ(track->file, "vscrollbar.png");
  EXPECT_EQ(track->source->bottom, 60);
  EXPECT_EQ(track->corner->top, 4);
  EXPECT_EQ(target.windowDefaults.size(), 0u);
}

}  // namespace
}  // namespace DuiLib
