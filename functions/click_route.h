#pragma once
#include <string>

namespace functions {

// The nine sub-pages of the advanced functions page, in layout order; the first is the tile
// grid that the page shows at start.
constexpr int kSubPageCount = 9;
extern const wchar_t* const kSubPages[kSubPageCount];
constexpr int kGameSubPage = 1;
constexpr int kNetSubPage = 2;

// The tools of the game and network sub-pages that a click starts.
enum class Tool { kNone, kNetCheck, kNetRepair, kGameCheck, kGameRepair };

// What a click on a control of the page asks for: a sub-page to show alone, a message for the
// frame, or a tool to start. Names are compared ignoring the letter case of A-Z.
struct ClickRoute {
  int subPage = -1;  // index into kSubPages
  int busMessage = 0;
  Tool tool = Tool::kNone;
};

ClickRoute RouteClick(const std::wstring& name);

}  // namespace functions
