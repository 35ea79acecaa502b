#pragma once
#include <cstdint>
#include <string>

// How the game check and repair show themselves. The sub-page implements it over its
// controls; the workers call it while they run, the UI thread when a run is finished.
namespace functions {

class GameDisplay {
 public:
  virtual ~GameDisplay() = default;

  // The status label of the platform's row (index into kGamePlatforms), colour 0xAARRGGBB.
  virtual void ShowStatus(int platform, const std::wstring& text, uint32_t colour) = 0;
  // The line under the sub-page's title.
  virtual void ShowText(const std::wstring& text) = 0;
  virtual void SetCheckButton(bool shown, bool enabled) = 0;
  virtual void SetRepairButton(bool shown, bool enabled) = 0;
  virtual void SetBackEnabled(bool enabled) = 0;
};

}  // namespace functions
