// Where pictures land: sprite sources, dest rectangles and nine-grid corners.
#include <gtest/gtest.h>

#include "recording_canvas.h"
#include "ui/image_attribute.h"
#include "ui/win/image_drawing.h"
#include "ui/win/image_cache.h"
#include "ui/win/skin_resource.h"

using namespace DuiLib;

namespace {

DecodedImage Picture(int width, int height) {
  DecodedImage image;
  image.width = width;
  image.height = height;
  image.frames.resize(1);
  image.frames[0].bgra.assign(static_cast<size_t>(width) * height * 4, 0xFF);
  return image;
}

std::vector<CanvasCall> Draw(const DecodedImage& image, const char* attribute, RECT control) {
  RecordingCanvas canvas;
  const auto parsed = ParseImageAttribute(attribute);
  EXPECT_TRUE(parsed.has_value()) << attribute;
  if (parsed) DrawImageAttribute(canvas, image, 0, *parsed, control);
  return canvas.calls;
}

}  // namespace

TEST(ImageDrawing, BareNameStretchesTheWholePictureOverTheControl) {
  const DecodedImage image = Picture(198, 60);
  const auto calls = Draw(image, "scan_n.png", RECT{10, 20, 310, 80});
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].source, (RECT{0, 0, 198, 60}));
  EXPECT_EQ(calls[0].rect, (RECT{10, 20, 310, 80}));
}

TEST(ImageDrawing, SourceCutsASpriteAndDestIsRelativeToTheControl) {
  const DecodedImage image = Picture(30, 72);
  auto calls = Draw(image, "file='btn_close.png' source='0,24,30,48'", RECT{100, 0, 130, 24});
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].source, (RECT{0, 24, 30, 48}));
  EXPECT_EQ(calls[0].rect, (RECT{100, 0, 130, 24}));

  calls = Draw(Picture(16, 16), "file='service.png' dest='10,2,26,18'", RECT{50, 50, 200, 70});
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].rect, (RECT{60, 52, 76, 68}));
}

TEST(ImageDrawing, SourceOutsideThePictureIsClampedToIt) {
  const auto calls = Draw(Picture(24, 100), "file='v.png' source='16,60,40,140'", RECT{0, 0, 8, 40});
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].source, (RECT{16, 60, 24, 100}));
}

TEST(ImageDrawing, NineGridKeepsCornersAndStretchesTheMiddle) {
  const DecodedImage image = Picture(30, 30);
  const auto calls =
      Draw(image, "file='system_frame.png' corner='14,14,14,14'", RECT{0, 0, 100, 60});
  ASSERT_EQ(calls.size(), 9u);
  // Top-left corner keeps 14x14, bottom-right too.
  EXPECT_EQ(calls.front().source, (RECT{0, 0, 14, 14}));
  EXPECT_EQ(calls.front().rect, (RECT{0, 0, 14, 14}));
  EXPECT_EQ(calls.back().source, (RECT{16, 16, 30, 30}));
  EXPECT_EQ(calls.back().rect, (RECT{86, 46, 100, 60}));
  bool sawMiddle = false;
  for (const auto& call : calls) {
    if (call.source == RECT{14, 14, 16, 16}) {
      sawMiddle = true;
      EXPECT_EQ(call.rect, (RECT{14, 14, 86, 46}));
    }
  }
  EXPECT_TRUE(sawMiddle);
}

TEST(ImageDrawing, NineGridOfAScrollTrackHasOnlyTopMiddleAndBottom) {
  const auto calls = Draw(Picture(24, 100),
                          "file='vscrollbar.png' source='0,0,8,60' corner='0,4,0,4'",
                          RECT{0, 0, 8, 200});
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].rect, (RECT{0, 0, 8, 4}));
  EXPECT_EQ(calls[1].rect, (RECT{0, 4, 8, 196}));
  EXPECT_EQ(calls[1].source, (RECT{0, 4, 8, 56}));
  EXPECT_EQ(calls[2].rect, (RECT{0, 196, 8, 200}));
}

TEST(SkinImages, PngKeepsAlphaPremultipliedAndGifHasFramesWithDelays) {
  ASSERT_TRUE(LoadSkinFromResource(::GetModuleHandleW(nullptr), L"SKINDATA"));
  const auto close = FindSkinImage("BTN_CLOSE.PNG");  // letter case ignored
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->width, 30);
  EXPECT_EQ(close->height, 72);
  bool sawTransparent = false;
  for (size_t i = 0; i < close->frames[0].bgra.size(); i += 4) {
    const uint8_t* p = &close->frames[0].bgra[i];
    // Premultiplied: no colour channel exceeds alpha.
    ASSERT_LE(p[0], p[3]);
    ASSERT_LE(p[1], p[3]);
    ASSERT_LE(p[2], p[3]);
    if (p[3] == 0) sawTransparent = true;
  }
  EXPECT_TRUE(sawTransparent);

  const auto gif = FindSkinImage("wxlogin_scan.gif");
  ASSERT_NE(gif, nullptr);
  EXPECT_EQ(gif->width, 150);
  EXPECT_GT(gif->frames.size(), 1u);
  for (const auto& frame : gif->frames) EXPECT_GE(frame.delayMs, 20);

  EXPECT_EQ(FindSkinImage("dg1.png"), nullptr);  // named by a layout, not in the package
}
