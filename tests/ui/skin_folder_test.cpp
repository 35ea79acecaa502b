// The layout files that go into the skin package must build with our parser and builder.
// They are read from the skin folder, with Include resolved there, letter case ignored.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "recording_layout_target.h"
#include "ui/ascii_case.h"
#include "ui/layout_builder.h"

namespace DuiLib {
namespace {

namespace fs = std::filesystem;

class FolderLayoutSource : public LayoutSource {
 public:
  explicit FolderLayoutSource(fs::path folder) : folder_(std::move(folder)) {}
  SkinReadStatus ReadLayoutFile(std::string_view name, std::string* text) const override {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
      if (!EqualsIgnoringAsciiCase(entry.path().filename().string(), name)) continue;
      std::ifstream file(entry.path(), std::ios::binary);
      text->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
      return text->empty() ? SkinReadStatus::kEmpty : SkinReadStatus::kOk;
    }
    return SkinReadStatus::kMissing;
  }

 private:
  fs::path folder_;
};

TEST(SkinFolder, EveryLayoutFileBuilds) {
  const fs::path folder = UI_SKIN_DIR;
  if (!fs::is_directory(folder)) GTEST_SKIP() << "no skin folder";
  FolderLayoutSource source(folder);
  size_t checked = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".xml") continue;
    const std::string name = entry.path().filename().string();
    ui_test::RecordingLayoutTarget target;
    // Pages are made by the main frame; here any unknown element stands in for one.
    ui_test::RecordingCallback pages(&target, {"SystemWindow", "RundllWindow", "DirectXWindow",
                                               "SysdllWindow", "FunctionWindow", "CPlusWinodw",
                                               "NetWindow", "GameWindow", "BorderButtonUI",
                                               "ColorButtonUI", "WXColorButtonUI"});
    LayoutBuilder builder(source, target, &pages);
    const LayoutBuildResult result = builder.Build(name);
    // The font table has no root control of its own; everything else must have one.
    if (EqualsIgnoringAsciiCase(name, "Font.xml")) {
      EXPECT_EQ(result.status, LayoutBuildStatus::kNoRootControl) << name;
      EXPECT_FALSE(target.fonts.empty()) << name;
    } else {
      EXPECT_EQ(result.status, LayoutBuildStatus::kOk)
          << name << ": " << result.parseError.message << " @" << result.parseError.offset;
    }
    ++checked;
  }
  EXPECT_GT(checked, 0u);
}

}  // namespace
}  // namespace DuiLib
