// Replacements of the shared lists and the user record while readers walk them and page
// workers record results in place. Run under ThreadSanitizer: a data race fails the run, and
// a reader that ever sees a list or record mixed from two replacements fails the test.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "page_machinery/app_state.h"
#include "app/store_reply.h"

namespace {

constexpr int kEntries = 40;

net::CatalogueList Generation(int generation) {
  net::CatalogueList list(kEntries);
  for (int i = 0; i < kEntries; ++i) {
    list[i].id = generation;
    list[i].fileName = std::to_string(generation);
  }
  return list;
}

std::string RuntimeReply(int generation) {
  std::string entries;
  for (int i = 0; i < kEntries; ++i)
    entries += std::string(i ? "," : "") + "{\"status\":1,\"id\":" + std::to_string(generation) +
               ",\"downloadUrl\":\"u\",\"fileName\":\"" + std::to_string(generation) +
               "\",\"regeditName\":\"HKEY_LOCAL_MACHINE\\\\K\",\"gameRepair\":0}";
  return "{\"code\":\"200\",\"data\":[" + entries + "]}";
}

bool ListIsWhole(const net::CatalogueList& list) {
  if (list.empty()) return true;  // before the first replacement
  if (list.size() != size_t(kEntries)) return false;
  for (const net::CatalogueFile& f : list)
    if (f.id != list[0].id || f.fileName != std::to_string(list[0].id)) return false;
  return true;
}

TEST(AppStateStress, ReplacementsNeverOverlapAReadersPass) {
  app::AppState state;
  std::atomic<bool> stop{false};
  std::atomic<int> tornLists{0}, tornUsers{0}, passes{0};
  std::vector<std::thread> threads;

  // Request threads: replace lists and the user whole, directly and through the reply path.
  threads.emplace_back([&] {
    for (int g = 1; g <= 1500; ++g) {
      state.ReplaceRuntimeFiles(Generation(g));
      state.ReplaceDxFiles(Generation(-g));
      net::UserInfo user;
      user.userId = g;
      user.signedIn = true;
      user.userToken = "token-" + std::to_string(g);
      state.SetUser(user);
    }
  });
  threads.emplace_back([&] {
    for (int g = 1; g <= 300; ++g)
      app::StoreReply(state, net::kRuntimeFiles, RuntimeReply(100000 + g), [](const std::string& t) { return t; });
  });

  // Readers: the UI thread building rows, a scan walking its list.
  for (int r = 0; r < 2; ++r)
    threads.emplace_back([&] {
      while (!stop) {
        auto runtime = state.RuntimeFiles();
        auto dx = state.DxFiles();
        if (!ListIsWhole(*runtime) || !ListIsWhole(*dx)) ++tornLists;
        state.WithEntries([&] {
          for (const net::CatalogueFile& f : *runtime) (void)f.installed;
        });
        net::UserInfo user = state.User();
        if (user.signedIn && user.userToken != "token-" + std::to_string(user.userId)) ++tornUsers;
        ++passes;
      }
    });

  // A page worker recording scan results in the entries of the list it started with.
  threads.emplace_back([&] {
    while (!stop) {
      auto runtime = state.RuntimeFiles();
      for (net::CatalogueFile& f : *runtime)
        state.WithEntries([&] { f.installed = !f.installed; });
    }
  });

  threads[0].join();
  threads[1].join();
  stop = true;
  for (size_t i = 2; i < threads.size(); ++i) threads[i].join();
  EXPECT_EQ(tornLists.load(), 0);
  EXPECT_EQ(tornUsers.load(), 0);
  EXPECT_GT(passes.load(), 0);
  EXPECT_EQ(state.DxFiles()->at(0).id, -1500);
}

}  // namespace
