#include <gtest/gtest.h>

#include <objbase.h>

#include <string>
#include <thread>

#include "app/app_context.h"
#include "app/registry_names.h"
#include "app/settings.h"
#include "app/store_reply.h"
#include "platform/registry.h"

namespace {

// Each case runs on a thread of its own, since COM's state belongs to the thread.
template <class F>
void OnFreshThread(F f) {
  std::thread(f).join();
}

TEST(Initialise, SucceedsOnAThreadWithoutCom) {
  OnFreshThread([] {
    app::AppContext context;
    EXPECT_TRUE(context.Initialise(GetModuleHandleA(nullptr)));
    EXPECT_EQ(context.instance, GetModuleHandleA(nullptr));
    EXPECT_NE(context.browserInit, nullptr);
  });
}

// The test prefixes are 64-bit Windows: the start finds that out from the machine, also in
// the 32-bit build under WoW64, and the runtime list keeps its 64-bit packages.
TEST(Initialise, AsksTheMachineWhetherWindowsIs64BitForTheRuntimeList) {
  OnFreshThread([] {
    app::AppContext context;
    context.system64Bit = false;
    EXPECT_TRUE(context.Initialise(GetModuleHandleA(nullptr)));
    EXPECT_TRUE(context.system64Bit);
    const std::string reply =
        "{\"code\":\"200\",\"data\":[{\"status\":1,\"id\":1,\"systemBit\":1,\"downloadUrl\":\"http://h/x64.exe\","
        "\"fileName\":\"f\",\"regeditName\":\"HKEY_LOCAL_MACHINE\\\\K\"}]}";
    ASSERT_EQ(app::StoreReply(context, net::kRuntimeFiles, reply, [](const std::string& t) { return t; }),
              net::ReplyStatus::kAccepted);
    EXPECT_EQ(context.RuntimeFiles()->size(), 1u);
  });
}

TEST(Initialise, FailsWhenComWasAlreadyInitialised) {
  OnFreshThread([] {
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    {
      app::AppContext context;
      EXPECT_FALSE(context.Initialise(GetModuleHandleA(nullptr)));  // CoInitialize gives S_FALSE
    }
    // The context balanced its own initialisation: one more uninitialise ends COM here.
    CoUninitialize();
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();
  });
}

TEST(Initialise, FailsWithoutAnInstance) {
  OnFreshThread([] {
    app::AppContext context;
    EXPECT_FALSE(context.Initialise(nullptr));
    EXPECT_EQ(context.browserInit, nullptr);
  });
}

TEST(AppContextAccessor, AlwaysReturnsTheSameObject) {
  app::AppContext* first = &app::GetAppContext();
  app::AppContext* fromThread = nullptr;
  std::thread([&] { fromThread = &app::GetAppContext(); }).join();
  EXPECT_EQ(first, fromThread);
  EXPECT_EQ(first->User().userId, -1);
  EXPECT_TRUE(first->RuntimeFiles()->empty());
}

TEST(TokenSettings, SignInCreatesTheKeyAndSignOutRemovesTheValues) {
  RegDeleteTreeA(HKEY_CURRENT_USER, app::kMainKey);
  EXPECT_EQ(app::ReadStoredToken(), "");
  app::StoreToken("token-1");
  EXPECT_EQ(app::ReadStoredToken(), "token-1");
  platform::WriteRegistryText(HKEY_CURRENT_USER, app::kMainKey, app::kPhoneValue, "13800000000");
  app::ForgetSignIn();
  EXPECT_EQ(app::ReadStoredToken(), "");
  EXPECT_EQ(platform::ReadRegistryText(HKEY_CURRENT_USER, app::kMainKey, app::kPhoneValue, 200), "");
  EXPECT_TRUE(platform::RegistryKeyExists(HKEY_CURRENT_USER, app::kMainKey));
  app::ForgetSignIn();  // nothing left to remove: ignored
  RegDeleteTreeA(HKEY_CURRENT_USER, app::kMainKey);
}

}  // namespace
