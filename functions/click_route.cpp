#include "functions/click_route.h"

#include "page_machinery/message_bus.h"
#include "page_machinery/page_text.h"

namespace functions {

const wchar_t* const kSubPages[kSubPageCount] = {
    L"function_normal",   L"function_game",      L"function_net",
    L"function_api",      L"function_000007b",   L"function_80240037",
    L"function_msvcp140", L"function_vcruntime140", L"function_kernel32"};

namespace {

constexpr int kFirstErrorPage = 4;
// The frame's answer to each error page's "立即修复", in sub-page order.
constexpr int kErrorRepairs[] = {app::kError7bRepair, app::kError80240037Repair,
                                 app::kMsvcp140Repair, app::kVcruntime140Repair,
                                 app::kKernel32Repair};

bool Is(const std::wstring& name, const std::wstring& wanted) {
  return repair::SameIgnoringCase(name, wanted);
}

bool BeginsWith(const std::wstring& name, const std::wstring& prefix) {
  return name.size() >= prefix.size() && Is(name.substr(0, prefix.size()), prefix);
}

}  // namespace

ClickRoute RouteClick(const std::wstring& name) {
  ClickRoute route;
  for (int page = 1; page < kSubPageCount; ++page) {
    const std::wstring stem = kSubPages[page];
    if (Is(name, stem + L"_btn")) route.subPage = page;
    if (Is(name, stem + L"_back")) route.subPage = 0;
    if (page >= kFirstErrorPage && Is(name, stem + L"_repair"))
      route.busMessage = kErrorRepairs[page - kFirstErrorPage];
  }
  if (BeginsWith(name, L"function_net_check")) route.tool = Tool::kNetCheck;
  if (BeginsWith(name, L"function_net_repair")) route.tool = Tool::kNetRepair;
  if (BeginsWith(name, L"function_game_check")) route.tool = Tool::kGameCheck;
  if (BeginsWith(name, L"function_game_repair")) route.tool = Tool::kGameRepair;
  // The four API rows all ask for the same repair; the index after "_" is not read.
  if (BeginsWith(name, L"functionapiitem_")) route.busMessage = app::kApiSetRepair;
  return route;
}

}  // namespace functions
