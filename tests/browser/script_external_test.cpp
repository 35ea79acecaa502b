// window.external as the page's script drives it: the installed functions call BeginMessage,
// AddArgument once per argument and SendMessage through IDispatch, as a script engine does.
#include <gtest/gtest.h>

#include "browser/mshtml/script_external_win.h"

namespace {

class ScriptExternalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    external_ = new browser::ScriptExternal([this](const browser::ScriptMessage& m) { delivered_.push_back(m); });
  }
  void TearDown() override { external_->Release(); }

  DISPID Id(const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    return SUCCEEDED(external_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)) ? id : DISPID_UNKNOWN;
  }
  // A method call with the arguments in script order (IDispatch takes them last to first).
  HRESULT Call(const wchar_t* name, std::vector<VARIANT> arguments, WORD flags = DISPATCH_METHOD) {
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    VARIANT result;
    ::VariantInit(&result);
    const HRESULT hr = external_->Invoke(Id(name), IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, nullptr,
                                         nullptr);
    for (VARIANT& v : arguments) ::VariantClear(&v);
    return hr;
  }
  static VARIANT Text(const wchar_t* text) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocString(text);
    return v;
  }
  static VARIANT Number(int value) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = value;
    return v;
  }
  void Send(const wchar_t* name, const std::vector<const wchar_t*>& arguments) {
    ASSERT_EQ(Call(L"BeginMessage", {Text(name)}), S_OK);
    for (const wchar_t* argument : arguments) ASSERT_EQ(Call(L"AddArgument", {Text(argument)}), S_OK);
    ASSERT_EQ(Call(L"SendMessage", {}), S_OK);
  }

  browser::ScriptExternal* external_ = nullptr;
  std::vector<browser::ScriptMessage> delivered_;
};

TEST_F(ScriptExternalTest, ACallArrivesWithItsArgumentsInOrderAndItsRealCount) {
  Send(L"wxCallback", {L"071abc", L"1", L"f3e2"});
  Send(L"wxCallback", {L"only"});
  Send(L"wxCallback", {});
  Send(L"wxCallback", {L"微信", L""});
  ASSERT_EQ(delivered_.size(), 4u);
  EXPECT_EQ(delivered_[0].name, "wxCallback");
  EXPECT_EQ(delivered_[0].arguments, (std::vector<std::string>{"071abc", "1", "f3e2"}));
  EXPECT_EQ(delivered_[1].arguments, (std::vector<std::string>{"only"}));
  EXPECT_TRUE(delivered_[2].arguments.empty());
  EXPECT_EQ(delivered_[3].arguments, (std::vector<std::string>{"\xE5\xBE\xAE\xE4\xBF\xA1", ""}));
}

TEST_F(ScriptExternalTest, ArgumentsThatAreNotTextArriveAsTheirStringValue) {
  ASSERT_EQ(Call(L"BeginMessage", {Text(L"wxCallback")}), S_OK);
  ASSERT_EQ(Call(L"AddArgument", {Number(42)}), S_OK);
  ASSERT_EQ(Call(L"SendMessage", {}), S_OK);
  ASSERT_EQ(delivered_.size(), 1u);
  EXPECT_EQ(delivered_[0].arguments, (std::vector<std::string>{"42"}));
}

TEST_F(ScriptExternalTest, CallsOutOfOrderOrOutOfBoundsSendNothing) {
  ASSERT_EQ(Call(L"SendMessage", {}), S_OK);  // never begun
  Send(L"notOurs", {L"a"});                    // not a script function of ours
  ASSERT_EQ(Call(L"AddArgument", {Text(L"stray")}), S_OK);
  ASSERT_EQ(Call(L"SendMessage", {}), S_OK);
  std::vector<const wchar_t*> many(browser::kMaxScriptArguments + 1, L"x");
  Send(L"wxCallback", many);
  const std::wstring huge(browser::kMaxScriptArgumentBytes + 1, L'y');
  Send(L"wxCallback", {huge.c_str()});
  EXPECT_TRUE(delivered_.empty());
  // A spoiled call does not spoil the next.
  Send(L"wxCallback", {L"ok"});
  EXPECT_EQ(delivered_.size(), 1u);
}

TEST_F(ScriptExternalTest, OnlyTheThreeMethodsAnswerAndOnlyAsMethods) {
  EXPECT_EQ(Id(L"eval"), DISPID_UNKNOWN);
  EXPECT_EQ(Id(L"beginmessage"), browser::ScriptExternal::kBeginMessage);
  EXPECT_EQ(Call(L"BeginMessage", {}), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call(L"SendMessage", {Text(L"extra")}), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call(L"BeginMessage", {Text(L"wxCallback")}, DISPATCH_PROPERTYGET), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(external_->Invoke(99, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
}

TEST_F(ScriptExternalTest, ADetachedBridgeDeliversNothing) {
  external_->Detach();
  Send(L"wxCallback", {L"late"});
  EXPECT_TRUE(delivered_.empty());
}

}  // namespace
