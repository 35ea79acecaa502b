#include <gtest/gtest.h>

#include <objbase.h>

#include <thread>

#include "app/app_context.h"
#include "app/registry_names.h"
#include "app/settings.h"
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
