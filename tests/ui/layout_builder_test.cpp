#include "ui/layout_builder.h"

#include <gtest/gtest.h>

#include "recording_layout_target.h"
#include "ui/skin_package.h"
#include "zip_test_writer.h"

namespace DuiLib {
namespace {

using ui_test::MapLayoutSource;
using ui_test::RecordedControl;
using ui_test::RecordingCallback;
using ui_test::RecordingLayoutTarget;
using Log = std::vector<std::string>;

class LayoutBuilderTest : public ::testing::Test {
 protected:
  LayoutBuildResult Build(const std::string& text, std::vector<std::string> custom = {}) {
    source.files["Test.xml"] = text;
    callback = std::make_unique<RecordingCallback>(&target, std::move(custom));
    LayoutBuilder builder(source, target, callback.get());
    return builder.Build("Test.xml");
  }

  MapLayoutSource source;
  RecordingLayoutTarget target;
  std::unique_ptr<RecordingCallback> callback;
};

TEST_F(LayoutBuilderTest, ChildrenFirstThenAttachDefaultsAndOwnAttributes) {
  const LayoutBuildResult result = Build(
      "<Window>"
      "<Default name=\"Label\" value=\"font=&quot;1&quot; width=&quot;5&quot;\"/>"
      "<VerticalLayout name=\"root\">"
      "  <Label name=\"a\" width=\"380\"/>"
      "  <HorizontalLayout name=\"row\"><Button name=\"b\"/></HorizontalLayout>"
      "</VerticalLayout>"
      "</Window>");
  ASSERT_EQ(result.status, LayoutBuildStatus::kOk);
  EXPECT_EQ(target.log, (Log{"window",
                             "create 1 VerticalLayout",
                             "create 2 Label",
                             "attach 2 to 1",
                             "set 2 font=1",
                             "set 2 width=5",
                             "set 2 name=a",
                             "set 2 width=380",
                             "create 3 HorizontalLayout",
                             "create 4 Button",
                             "attach 4 to 3",
                             "set 4 name=b",
                             "attach 3 to 1",
                             "set 3 name=row",
                             "attach 1 to window",
                             "set 1 name=root"}));
  const RecordedControl* root = RecordingLayoutTarget::Record(result.root);
  EXPECT_EQ(root->Attribute("name"), "root");
  ASSERT_EQ(root->children.size(), 2u);
  EXPECT_EQ(root->children[0]->Attribute("width"), "380");  // own value after the default
}

TEST_F(LayoutBuilderTest, DirectivesAreRegisteredBeforeWindowSettingsAndControls) {
  source.files["Font.xml"] =
      "<?xml version=\"1.0\"?><Window><Font id=\"0\" default=\"true\"/><Font id=\"3\" bold=\"true\"/></Window>";
  const LayoutBuildResult result = Build(
      "<Window size=\"430,230\" caption=\"0,0,0,30\">"
      "<Include source=\"Font.xml\"/><Font id=\"7\" underline=\"true\"/>"
      "<HorizontalLayout/></Window>");
  ASSERT_EQ(result.status, LayoutBuildStatus::kOk);
  EXPECT_EQ(target.log, (Log{"font 0", "font 3", "font 7", "window",
                             "create 1 HorizontalLayout", "attach 1 to window"}));
  EXPECT_TRUE(target.fonts[0].isDefault);
  EXPECT_TRUE(target.fonts[2].underline);
  ASSERT_EQ(target.windowSettings.size(), 1u);
  EXPECT_EQ(target.windowSettings[0].size->width, 430);
  EXPECT_EQ(target.windowSettings[0].caption->bottom, 30);
}

TEST_F(LayoutBuilderTest, ElementNamesIgnoreCaseAttributeNamesPassAsWritten) {
  const LayoutBuildResult result =
      Build("<WINDOW><horizontallayout Width=\"380\" width=\"1\"/></window>");
  ASSERT_EQ(result.status, LayoutBuildStatus::kOk);
  EXPECT_EQ(target.log, (Log{"window", "create 1 HorizontalLayout", "attach 1 to window",
                             "set 1 Width=380", "set 1 width=1"}));
}

TEST_F(LayoutBuilderTest, UnknownElementsGoToTheCallbackOrAreSkippedWithChildren) {
  const LayoutBuildResult result = Build(
      "<Window><HorizontalLayout>"
      "  <SystemWindow name=\"SystemWindow\"><Label name=\"inside\"/></SystemWindow>"
      "  <Mystery name=\"m\"><Button name=\"never\"/></Mystery>"
      "  <systemwindow/>"
      "</HorizontalLayout></Window>",
      {"SystemWindow"});
  ASSERT_EQ(result.status, LayoutBuildStatus::kOk);
  // The callback hears names as written and compares them itself.
  EXPECT_EQ(callback->asked, (Log{"SystemWindow", "Mystery", "systemwindow"}));
  EXPECT_EQ(target.log, (Log{"window", "create 1 HorizontalLayout", "create 2 SystemWindow",
                             "create 3 Label", "attach 3 to 2", "set 3 name=inside",
                             "attach 2 to 1", "set 2 name=SystemWindow",
                             "attach 1 to window"}));
}

TEST_F(LayoutBuilderTest, BuiltinKindTheTargetCannotMakeGoesToTheCallback) {
  target.refusedKinds = {BuiltinControl::kGifAnim};
  const LayoutBuildResult result =
      Build("<Window><VerticalLayout><GifAnim/></VerticalLayout></Window>", {"GifAnim"});
  ASSERT_EQ(result.status, LayoutBuildStatus::kOk);
  EXPECT_EQ(callback->asked, (Log{"GifAnim"}));
  EXPECT_EQ(RecordingLayoutTarget::Record(result.root)->children.size(), 1u);
}

TEST_F(LayoutBuilderTest, IncludeInsideAControlBuildsInPlace) {
  source.files["Row.xml"] = "<Window><Font id=\"4\"/><Label name=\"r1\"/><Label name=\"r2\"/></Window>";
  source.files["Single.xml"] = "<Button name=\"single\"/>";
  const LayoutBuildResult result = Build(
      "<Window><VerticalLayout>"
      "<Label name=\"before\"/><Include source=\"row.xml\"/><Include source=\"Row.xml\"/>"
      "<Include source=\"Single.xml\"/><Label name=\"after\"/>"
      "</VerticalLayout></Window>");
  ASSERT_EQ(result.status, LayoutBuildStatus::kOk);
  std::vector<std::string> names;
  for (const RecordedControl* child : RecordingLayoutTarget::Record(result.root)->children) {
    names.push_back(child->Attribute("name"));
  }
  // "row.xml" is not in this source (it matches names exactly); the package would find it.
  EXPECT_EQ(names, (Log{"before", "r1", "r2", "single", "after"}));
  ASSERT_EQ(target.fonts.size(), 1u);
  EXPECT_EQ(target.fonts[0].id, 4);
}

TEST_F(LayoutBuilderTest, SelfIncludingFilesEnd) {
  source.files["Loop.xml"] = "<Window><Include source=\"Loop.xml\"/><Label/></Window>";
  const LayoutBuildResult result =
      Build("<Window><Include source=\"Loop.xml\"/><VerticalLayout><Include source=\"Loop.xml\"/>"
            "</VerticalLayout></Window>");
  ASSERT_EQ(result.status, LayoutBuildStatus::kOk);
  EXPECT_EQ(RecordingLayoutTarget::Record(result.root)->children.size(), kMaxIncludeDepth);
}

TEST_F(LayoutBuilderTest, FilesIncludingThemselvesManyTimesStayBounded) {
  // Four includes per level over eight levels would be 4^8 reads without the bound.
  source.files["Fan.xml"] =
      "<Window><Include source=\"Fan.xml\"/><Include source=\"Fan.xml\"/>"
      "<Include source=\"Fan.xml\"/><Include source=\"Fan.xml\"/><Label/></Window>";
  const LayoutBuildResult result =
      Build("<Window><VerticalLayout><Include source=\"Fan.xml\"/></VerticalLayout></Window>");
  ASSERT_EQ(result.status, LayoutBuildStatus::kOk);
  EXPECT_EQ(source.reads.size(), 1 + kMaxIncludeLoads);
  // Every file that was read contributed its Label.
  EXPECT_EQ(RecordingLayoutTarget::Record(result.root)->children.size(), kMaxIncludeLoads);
}

TEST_F(LayoutBuilderTest, NestingThroughIncludesStopsAtTheDepthLimit) {
  std::string deep = "<Window>";
  for (int i = 0; i < 100; ++i) deep += "<VerticalLayout>";
  deep += "<Include source=\"Deep.xml\"/>";
  for (int i = 0; i < 100; ++i) deep += "</VerticalLayout>";
  source.files["Deep.xml"] = deep + "</Window>";
  LayoutBuilder builder(source, target, nullptr);
  const LayoutBuildResult result = builder.Build("Deep.xml");
  ASSERT_EQ(result.status, LayoutBuildStatus::kOk);
  size_t depth = 0;
  for (auto* control = RecordingLayoutTarget::Record(result.root); control != nullptr;
       control = control->children.empty() ? nullptr : control->children[0]) {
    ++depth;
  }
  EXPECT_EQ(depth, kMaxLayoutDepth);
}

TEST_F(LayoutBuilderTest, OnlyTheFirstRootControlIsBuilt) {
  const LayoutBuildResult result =
      Build("<Window><Label name=\"one\"/><Label name=\"two\"/><Font id=\"1\"/></Window>");
  ASSERT_EQ(result.status, LayoutBuildStatus::kOk);
  EXPECT_EQ(RecordingLayoutTarget::Record(result.root)->Attribute("name"), "one");
  EXPECT_EQ(target.log, (Log{"font 1", "window", "create 1 Label", "attach 1 to window",
                             "set 1 name=one"}));
}

TEST_F(LayoutBuilderTest, RootIsAttachedToTheGivenParent) {
  source.files["Page.xml"] = "<Window><HorizontalLayout/></Window>";
  RecordedControl* page = target.Make("RunDllWindow");
  LayoutBuilder builder(source, target, nullptr);
  const LayoutBuildResult result = builder.Build("Page.xml", page);
  ASSERT_EQ(result.status, LayoutBuildStatus::kOk);
  ASSERT_EQ(page->children.size(), 1u);
  EXPECT_EQ(page->children[0], result.root);
}

TEST_F(LayoutBuilderTest, FailuresYieldNoRootControl) {
  struct Case {
    const char* text;
    LayoutBuildStatus status;
  };
  for (const Case& c : {Case{"<Window><Label>", LayoutBuildStatus::kParseFailed},
                        Case{"<VerticalLayout/>", LayoutBuildStatus::kNotAWindow},
                        Case{"<Window><Font id=\"1\"/></Window>", LayoutBuildStatus::kNoRootControl},
                        Case{"<Window><Unknown><Label/></Unknown></Window>",
                             LayoutBuildStatus::kNoRootControl}}) {
    RecordingLayoutTarget fresh;
    source.files["Test.xml"] = c.text;
    LayoutBuilder builder(source, fresh, nullptr);
    const LayoutBuildResult result = builder.Build("Test.xml");
    EXPECT_EQ(result.status, c.status) << c.text;
    EXPECT_EQ(result.root, nullptr);
  }
  LayoutBuilder builder(source, target, nullptr);
  const LayoutBuildResult missing = builder.Build("Missing.xml");
  EXPECT_EQ(missing.status, LayoutBuildStatus::kReadFailed);
  EXPECT_EQ(missing.readStatus, SkinReadStatus::kMissing);
  EXPECT_TRUE(target.log.empty());
}

TEST(LayoutBuilderDefaults, SharedDefaultsHoldInLaterWindowsOwnOnesDoNot) {
  MapLayoutSource source;
  source.files["First.xml"] =
      "<Window><Default name=\"VScrollBar\" shared=\"true\" value=\"width=&quot;8&quot;\"/>"
      "<Default name=\"Button\" value=\"height=&quot;30&quot;\"/><Button/></Window>";
  source.files["Second.xml"] = "<Window><VerticalLayout><Button/><VScrollBar/></VerticalLayout></Window>";
  DefaultAttributeTable processWide;
  RecordingLayoutTarget first;
  RecordingLayoutTarget second;
  first.sharedDefaults = second.sharedDefaults = &processWide;
  RecordingCallback scrollBars(&second, {"VScrollBar"});
  ASSERT_EQ(LayoutBuilder(source, first, nullptr).Build("First.xml").status, LayoutBuildStatus::kOk);
  const LayoutBuildResult result = LayoutBuilder(source, second, &scrollBars).Build("Second.xml");
  ASSERT_EQ(result.status, LayoutBuildStatus::kOk);
  const RecordedControl* root = RecordingLayoutTarget::Record(result.root);
  ASSERT_EQ(root->children.size(), 2u);
  EXPECT_EQ(root->children[0]->Attribute("height"), "");   // First's own default stays there
  EXPECT_EQ(root->children[1]->Attribute("width"), "8");   // the shared one reaches Second
  EXPECT_EQ(first.windowDefaults.size(), 1u);
  EXPECT_EQ(processWide.size(), 1u);
}

TEST(LayoutBuilderPackage, LooksFilesUpInTheSkinPackageIgnoringCase) {
  const ui_test::TestZip zip = ui_test::MakeZip(
      {{"RunDllWindow.xml", "<Window><Include source=\"font.xml\"/><HorizontalLayout/></Window>", true},
       {"Font.xml", "<Window><Font id=\"0\" default=\"true\"/></Window>", true},
       {"Empty.xml", "", false}});
  SkinPackage package;
  ASSERT_EQ(package.OpenOnce(zip.bytes.data(), zip.bytes.size()), ZipStatus::kOk);
  RecordingLayoutTarget target;
  LayoutBuilder builder(package, target, nullptr);
  const LayoutBuildResult result = builder.Build("RundllWindow.xml");
  ASSERT_EQ(result.status, LayoutBuildStatus::kOk);
  EXPECT_EQ(target.fonts.size(), 1u);
  const LayoutBuildResult empty = builder.Build("Empty.xml");
  EXPECT_EQ(empty.status, LayoutBuildStatus::kReadFailed);
  EXPECT_EQ(empty.readStatus, SkinReadStatus::kEmpty);
}

}  // namespace
}  // namespace DuiLib
