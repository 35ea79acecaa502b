#include "functions/click_route.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using functions::ClickRoute;
using functions::RouteClick;
using functions::Tool;

int PageOf(const std::wstring& name) { return RouteClick(name).subPage; }
int MessageOf(const std::wstring& name) { return RouteClick(name).busMessage; }

TEST(ClickRoute, EachTileShowsTheSubPageOfItsStem) {
  const wchar_t* const tiles[] = {L"function_game_btn",        L"function_net_btn",
                                  L"function_api_btn",         L"function_000007b_btn",
                                  L"function_80240037_btn",    L"function_msvcp140_btn",
                                  L"function_vcruntime140_btn", L"function_kernel32_btn"};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(PageOf(tiles[i]), i + 1) << i;
    EXPECT_EQ(std::wstring(functions::kSubPages[i + 1]) + L"_btn", tiles[i]);
  }
  EXPECT_EQ(std::wstring(functions::kSubPages[0]), L"function_normal");
  EXPECT_EQ(PageOf(L"FUNCTION_Kernel32_BTN"), 8);
}

TEST(ClickRoute, EveryBackButtonLeadsToTheNormalSubPage) {
  for (const wchar_t* name :
       {L"function_game_back", L"function_net_back", L"function_api_back",
        L"function_000007b_back", L"function_80240037_back", L"function_msvcp140_back",
        L"function_vcruntime140_back", L"Function_Kernel32_Back"}) {
    const ClickRoute route = RouteClick(name);
    EXPECT_EQ(route.subPage, 0);
    EXPECT_EQ(route.busMessage, 0);
  }
}

TEST(ClickRoute, RepairButtonsAskForTheirRepairAndTheApiRowsAllForOne) {
  EXPECT_EQ(MessageOf(L"function_000007b_repair"), 2226);
  EXPECT_EQ(MessageOf(L"function_80240037_repair"), 2227);
  EXPECT_EQ(MessageOf(L"function_msvcp140_repair"), 2228);
  EXPECT_EQ(MessageOf(L"function_vcruntime140_repair"), 2229);
  EXPECT_EQ(MessageOf(L"FUNCTION_KERNEL32_REPAIR"), 2230);
  for (const wchar_t* name : {L"functionapiitem_0", L"functionapiitem_3", L"functionapiitem_",
                              L"FunctionApiItem_99x"})
    EXPECT_EQ(MessageOf(name), 2225);
  EXPECT_EQ(RouteClick(L"functionapiitem_1").subPage, -1);
  // The API sub-page has no repair button of its own.
  EXPECT_EQ(MessageOf(L"function_api_repair"), 0);
}

TEST(ClickRoute, ToolButtonsMatchByTheirBeginning) {
  EXPECT_EQ(RouteClick(L"function_net_check").tool, Tool::kNetCheck);
  EXPECT_EQ(RouteClick(L"function_net_repair2").tool, Tool::kNetRepair);
  EXPECT_EQ(RouteClick(L"FUNCTION_GAME_CHECK").tool, Tool::kGameCheck);
  EXPECT_EQ(RouteClick(L"function_game_repair").tool, Tool::kGameRepair);
  EXPECT_EQ(RouteClick(L"function_game_repair").busMessage, 0);
  EXPECT_EQ(RouteClick(L"function_game_back").tool, Tool::kNone);
}

TEST(ClickRoute, OtherNamesAskForNothing) {
  for (const wchar_t* name :
       {L"", L"function_normal_btn", L"function_normal_back", L"function_api_btnx",
        L"xfunction_api_btn", L"functionapiitem", L"function_net_chec", L"sysdll_repair",
        L"function_kernel32", L"function_000007b_repair_"}) {
    const ClickRoute route = RouteClick(name);
    EXPECT_EQ(route.subPage, -1) << std::wstring(name).c_str();
    EXPECT_EQ(route.busMessage, 0) << std::wstring(name).c_str();
    EXPECT_EQ(route.tool, Tool::kNone) << std::wstring(name).c_str();
  }
}

}  // namespace
