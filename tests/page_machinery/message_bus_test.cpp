#include "page_machinery/message_bus.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

struct Recorder : app::HandleMessage {
  explicit Recorder(std::vector<std::pair<int, int>>* log, int who) : log(log), who(who) {}
  void OnMessage(int id, const std::string&) override { log->push_back({who, id}); }
  std::vector<std::pair<int, int>>* log;
  int who;
};

TEST(MessageBus, DeliversInRegistrationOrderOncePerListener) {
  std::vector<std::pair<int, int>> log;
  Recorder first(&log, 1), second(&log, 2);
  app::UIAdapter page;
  page.AddListener(&first);
  page.AddListener(&second);
  page.AddListener(&first);  // registered twice: still one delivery
  page.AddListener(nullptr);  // null entries are skipped when sending
  page.Send(app::kShowRuntimePage, "");
  page.Send(app::kQuit, "");
  EXPECT_EQ(log, (std::vector<std::pair<int, int>>{{1, 2125}, {2, 2125}, {1, 2135}, {2, 2135}}));
}

}  // namespace
