#include <gtest/gtest.h>

#include "ui/builtin_controls.h"
#include "ui/default_attribute_table.h"
#include "ui/font_directive.h"
#include "ui/layout_directives.h"
#include "ui/layout_parser.h"
#include "ui/window_settings.h"

namespace DuiLib {
namespace {

LayoutElement Element(std::string_view text) {
  LayoutElement element;
  LayoutParseError error;
  EXPECT_TRUE(ParseLayout(text, &element, &error)) << error.message;
  return element;
}

TEST(LayoutDirectives, NamesAndTheirAttributesIgnoreCase) {
  EXPECT_EQ(DirectiveOf("WINDOW"), LayoutDirective::kWindow);
  EXPECT_EQ(DirectiveOf("include"), LayoutDirective::kInclude);
  EXPECT_EQ(DirectiveOf("FoNt"), LayoutDirective::kFont);
  EXPECT_EQ(DirectiveOf("default"), LayoutDirective::kDefault);
  EXPECT_EQ(DirectiveOf("Defaults"), LayoutDirective::kNone);
  const LayoutElement include = Element("<Include Source=\"a.xml\" SOURCE=\"Font.xml\"/>");
  EXPECT_EQ(ParseIncludeSource(include), "Font.xml");
  EXPECT_EQ(ParseIncludeSource(Element("<Include file=\"Font.xml\"/>")), std::nullopt);
  EXPECT_EQ(ParseIncludeSource(Element("<Include source=\"\"/>")), std::nullopt);
}

TEST(LayoutDirectives, FontEntries) {
  const auto font = ParseFontDirective(Element(
      "<Font ID=\"9\" Name=\"微软雅黑\" SIZE=\"14\" bold=\"true\" underline=\"TRUE\" default=\"false\"/>"));
  ASSERT_TRUE(font);
  EXPECT_EQ(font->id, 9);
  EXPECT_EQ(font->name, "微软雅黑");
  EXPECT_EQ(font->size, 14);
  EXPECT_TRUE(font->bold);
  EXPECT_TRUE(font->underline);
  EXPECT_FALSE(font->italic);
  EXPECT_FALSE(font->isDefault);

  const auto plain = ParseFontDirective(Element("<Font id=\"0\" size=\"big\" bold=\"maybe\" default=\"true\"/>"));
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->size, 12);
  EXPECT_FALSE(plain->bold);
  EXPECT_TRUE(plain->isDefault);

  EXPECT_FALSE(ParseFontDirective(Element("<Font name=\"x\" size=\"12\"/>")));
  EXPECT_FALSE(ParseFontDirective(Element("<Font id=\"-1\"/>")));
  EXPECT_FALSE(ParseFontDirective(Element("<Font id=\"one\"/>")));
}

TEST(LayoutDirectives, DefaultValueIsAnAttributeList) {
  const auto directive = ParseDefaultDirective(Element(
      "<Default NAME=\"VScrollBar\" Shared=\"true\" "
      "VALUE=\"width=&quot;8&quot; thumbnormalimage=&quot;file='vscrollbar.png' source='0,60,8,100'&quot;\"/>"));
  ASSERT_TRUE(directive);
  EXPECT_EQ(directive->controlName, "VScrollBar");
  EXPECT_TRUE(directive->shared);
  ASSERT_EQ(directive->attributes.size(), 2u);
  EXPECT_EQ(directive->attributes[1].name, "thumbnormalimage");
  EXPECT_EQ(directive->attributes[1].value, "file='vscrollbar.png' source='0,60,8,100'");

  EXPECT_FALSE(ParseDefaultDirective(Element("<Default name=\"Button\" value=\"width=8\"/>")));
  EXPECT_FALSE(ParseDefaultDirective(Element("<Default value=\"width=&quot;8&quot;\"/>")));
  EXPECT_FALSE(ParseDefaultDirective(Element("<Default name=\"Button\"/>")));
  EXPECT_FALSE(ParseDefaultDirective(Element("<Default name=\"Button\" value=\"\"/>"))->shared);
}

TEST(LayoutDirectives, WindowSettings) {
  const WindowSettings settings = ParseWindowSettings(
      Element("<Window Size=\"847,567\" caption=\"0,0,0,30\" ROUNDCORNER=\"0,0\" mininfo=\"1,1\"/>"));
  ASSERT_TRUE(settings.size && settings.caption && settings.roundCorner);
  EXPECT_EQ(settings.size->width, 847);
  EXPECT_EQ(settings.size->height, 567);
  EXPECT_EQ(settings.caption->bottom, 30);
  EXPECT_EQ(settings.roundCorner->width, 0);

  const WindowSettings bare = ParseWindowSettings(Element("<Window/>"));
  EXPECT_FALSE(bare.size || bare.caption || bare.roundCorner);
  const WindowSettings broken = ParseWindowSettings(Element("<Window size=\"847\" caption=\"0,0,30\"/>"));
  EXPECT_FALSE(broken.size || broken.caption);
}

TEST(BuiltinControls, ElementNamesIgnoreCase) {
  EXPECT_EQ(FindBuiltinControl("HorizontalLayout"), BuiltinControl::kHorizontalLayout);
  EXPECT_EQ(FindBuiltinControl("horizontallayout"), BuiltinControl::kHorizontalLayout);
  EXPECT_EQ(FindBuiltinControl("GIFANIM"), BuiltinControl::kGifAnim);
  EXPECT_EQ(FindBuiltinControl("SystemWindow"), std::nullopt);
  EXPECT_EQ(FindBuiltinControl("BorderButtonUI"), std::nullopt);
  EXPECT_STREQ(BuiltinControlName(BuiltinControl::kRichEdit), "RichEdit");
}

TEST(DefaultAttributeTable, WindowDefaultsComeBeforeSharedOnes) {
  DefaultAttributeTable window;
  DefaultAttributeTable shared;
  shared.Set("VScrollBar", {{"width", "8"}});
  EXPECT_EQ(FindDefaultAttributes(window, shared, "vscrollbar")->at(0).value, "8");
  window.Set("VSCROLLBAR", {{"width", "12"}});
  EXPECT_EQ(FindDefaultAttributes(window, shared, "VScrollBar")->at(0).value, "12");
  window.Set("vscrollbar", {{"width", "14"}});
  EXPECT_EQ(window.size(), 1u);
  EXPECT_EQ(window.Find("VScrollBar")->at(0).value, "14");
  EXPECT_EQ(FindDefaultAttributes(window, shared, "Button"), nullptr);
}

}  // namespace
}  // namespace DuiLib
