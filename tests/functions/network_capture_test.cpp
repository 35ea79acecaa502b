// RunAndCapture with real child processes, and what the tools built on the two runners ask
// Windows to run, seen through the runners rather than by running netsh against the machine.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "functions/network_tools.h"
#include "wine_path.h"

namespace {

using functions::NetworkTools;

std::string Chatter(const std::string& arguments) {
  return "\"" + test_support::WinePath(CHATTER) + "\" " + arguments;
}

std::string Letters(size_t count) {
  std::string text(count, '\0');
  for (size_t i = 0; i < count; ++i) text[i] = static_cast<char>('a' + i % 26);
  return text;
}

std::string Capture(const std::string& commandLine, size_t capacity = 1 << 16) {
  std::vector<char> buffer(capacity, '\0');
  NetworkTools tools;
  EXPECT_TRUE(tools.RunAndCapture(commandLine, buffer.data(), buffer.size()));
  return buffer.data();
}

TEST(RunAndCapture, KeepsWhatTheChildPrintsRightBeforeItEnds) {
  EXPECT_EQ(Capture(Chatter("3000 0 0 tail")), Letters(3000) + "tail");
  EXPECT_EQ(Capture(Chatter("0 0 300 late")), "late");
  EXPECT_EQ(Capture(Chatter("20000 0 0 end")), Letters(20000) + "end");
}

TEST(RunAndCapture, ReadsOnUntilThePipeEndsEvenAfterTheChildHasGone) {
  // The child hands its outputs on and ends at once; what comes through them later, in more
  // than one piece, belongs to the capture all the same.
  EXPECT_EQ(Capture(Chatter("--spawn 3 0 300 late")), "spawn;abclate");
}

TEST(RunAndCapture, StandardErrorComesThroughTheSamePipe) {
  EXPECT_EQ(Capture(Chatter("5 7 0")), "abcdeEEEEEEE");
  EXPECT_EQ(Capture(Chatter("0 3 0")), "EEE");
}

TEST(RunAndCapture, OutputBeyondTheCapacityIsDroppedAndTheTextStaysTerminated) {
  // More than a pipe holds: the child must not be left blocked on a full pipe either.
  std::vector<char> buffer(1024 + 64, 'Z');
  std::fill(buffer.begin(), buffer.begin() + 1024, '\0');
  NetworkTools tools;
  ASSERT_TRUE(tools.RunAndCapture(Chatter("100000 0 0 end"), buffer.data(), 1024));
  EXPECT_EQ(std::string(buffer.data()), Letters(1023));
  EXPECT_EQ(buffer[1023], '\0');
  for (size_t i = 1024; i < buffer.size(); ++i)
    ASSERT_EQ(buffer[i], 'Z') << "written past at " << i;

  char one = 'Z';
  ASSERT_TRUE(tools.RunAndCapture(Chatter("10 0 0"), &one, 1));
  EXPECT_EQ(one, '\0');
}

TEST(RunAndCapture, ReturnsOnlyAfterTheChildHasEnded) {
  // The child closes its outputs first and lives on: the capture waits for its end.
  auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(Capture(Chatter("4 0 0 x 800")), "abcdx");
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(700));
}

TEST(RunAndCapture, ACommandThatCannotStartIsAFailure) {
  std::vector<char> buffer(64, '\0');
  NetworkTools tools;
  EXPECT_FALSE(tools.RunAndCapture("Z:\\no\\such\\program.exe", buffer.data(), buffer.size()));
  EXPECT_STREQ(buffer.data(), "");
}

// A tool of the same name beside the program (or in the current folder) is what a bare name
// would start; the system tool is started by its full path instead.
TEST(RunAndCapture, SystemToolsAreStartedFromTheSystemFolderNotBesideTheProgram) {
  char self[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
  std::string planted(self);
  planted = planted.substr(0, planted.find_last_of('\\') + 1) + "arp.exe";
  ASSERT_TRUE(CopyFileA(test_support::WinePath(CHATTER).c_str(), planted.c_str(), FALSE));
  // The bare name finds the planted copy first: the danger is real here.
  EXPECT_NE(Capture("arp 3 0 0 planted").find("planted"), std::string::npos);
  const std::string listing = Capture(functions::SystemToolCommand("arp.exe", "3 0 0 planted"));
  EXPECT_EQ(listing.find("planted"), std::string::npos) << listing;
  DeleteFileA(planted.c_str());
  EXPECT_EQ(functions::SystemToolCommand("arp.exe", "-a").rfind("\"" + functions::SystemToolFolder(), 0), 0u);
}

// The tools with both runners replaced: commands and pauses are written down in one log, in
// order; captures are answered from a canned listing.
class RecordingTools : public NetworkTools {
 public:
  explicit RecordingTools(std::vector<std::string>& log)
      : NetworkTools({}, Pauses(log)), log_(log) {}

  std::string listing;
  bool captureWorks = true;
  std::vector<std::pair<std::string, size_t>> captures;  // command line, capacity

  bool RunAndCapture(const std::string& commandLine, char* buffer, size_t capacity) override {
    captures.emplace_back(commandLine, capacity);
    std::strncpy(buffer, listing.c_str(), capacity - 1);
    return captureWorks;
  }
  void RunAndWait(const char* program, const std::string& parameters) override {
    log_.push_back(std::string(program) + " " + parameters);
  }

 private:
  static functions::NetworkPauses Pauses(std::vector<std::string>& log) {
    functions::NetworkPauses recorded;
    recorded.sleep = [&log](unsigned ms) { log.push_back("pause " + std::to_string(ms)); };
    return recorded;
  }
  std::vector<std::string>& log_;
};

TEST(NetworkCommands, TheAdapterIsEnabledByItsConnectionNameThenGivenTimeToSettle) {
  std::vector<std::string> log;
  RecordingTools(log).EnableAdapter("Local Area Connection 2");
  EXPECT_EQ(log, (std::vector<std::string>{
                     "netsh.exe interface set interface \"Local Area Connection 2\" admin=enable",
                     "pause 5000"}));
}

TEST(NetworkCommands, PublicDnsIsSetThenTheCacheFlushedAfterAPause) {
  std::vector<std::string> log;
  RecordingTools(log).SetPublicDns("以太网");
  EXPECT_EQ(
      log, (std::vector<std::string>{"netsh.exe interface ip set dns name=\"以太网\" source=static "
                                     "addr=114.114.114.114 register=primary",
                                     "pause 3000", "ipconfig.exe /flushdns"}));
}

TEST(NetworkCommands, ALongConnectionNameIsPassedWhole) {
  std::vector<std::string> log;
  RecordingTools tools(log);
  std::string name(300, 'n');
  tools.SetPublicDns(name);
  tools.RenewLease(name);
  ASSERT_EQ(log.size(), 4u);
  EXPECT_NE(log[0].find("name=\"" + name + "\" source=static"), std::string::npos);
  EXPECT_EQ(log[3], "ipconfig.exe /renew \"" + name + "\"");
}

TEST(NetworkCommands, TheAddressIsReleasedThenRenewed) {
  std::vector<std::string> log;
  RecordingTools(log).RenewAddress();
  EXPECT_EQ(log, (std::vector<std::string>{"ipconfig.exe /release", "ipconfig.exe /renew"}));
}

TEST(NetworkCommands, ALeaseIsRenewedForTheOneConnectionOnly) {
  std::vector<std::string> log;
  RecordingTools(log).RenewLease("以太网");
  EXPECT_EQ(log, std::vector<std::string>{"ipconfig.exe /renew \"以太网\""});
}

TEST(NetworkCommands, TheArpListingIsReadIntoFourKilobytes) {
  std::vector<std::string> log;
  RecordingTools tools(log);
  const std::string header = "\r\nInterface: 192.168.1.5 --- 0xc\r\n";
  const std::string entry = "  192.168.1.1  11-22-33-44-55-66  dynamic\r\n";
  tools.listing = header + entry + entry + header;
  EXPECT_EQ(tools.ArpListing(), tools.listing);
  ASSERT_EQ(tools.captures.size(), 1u);
  EXPECT_EQ(tools.captures[0], std::make_pair("\"" + functions::SystemToolFolder() + "arp.exe\" -a", size_t{4096}));
  tools.captureWorks = false;
  EXPECT_EQ(tools.ArpListing(), "");
}

}  // namespace
