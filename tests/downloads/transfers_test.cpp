// Downloads on the pages against the fixture server: progress and completion, pause and
// continue to a byte-identical file, delete, one download per page, failures, and transfers
// that outlive the download they belonged to.
#include <gtest/gtest.h>

#include <cctype>

#include "fixture_client.h"
#include "platform/md5.h"
#include "page_fixture.h"
#include "shell_test_support.h"

namespace {

using downloads::RowState;
using test_support::DownloadPageTest;

using TransfersTest = DownloadPageTest;

constexpr long long kSize = 600 * 1024;
constexpr long long kSlow = 400 * 1024;  // bytes a second: a second and a half for kSize

bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST_F(TransfersTest, ADownloadShowsProgressThenTheInstallButtonWhichOpensItsFolder) {
  catalogue_.cplusFiles = {Entry(1, 100), Entry(12, kSize, kSlow)};
  StartFrame();
  Show(kCplus);
  Click(L"12_cplusdownload");
  EXPECT_EQ(StateOf(L"cplus", 12), static_cast<int>(RowState::kDownloading));
  EXPECT_EQ(Page(kCplus)->CurrentEntryId(), 12);
  EXPECT_TRUE(Page(kCplus)->Downloading());
  const std::string path = LocalPath(kCplus, 12);
  EXPECT_EQ(path, root_ + "\\Tessavane\\12\\" + std::to_string(kSize));

  std::wstring seen;
  ASSERT_TRUE(PumpUntil([&] {
    seen = Control(L"12_cplusprocess")->GetText();
    return seen.rfind(L"下载进度", 0) == 0;
  }, 5000));
  EXPECT_EQ(seen.back(), L'%');
  ASSERT_TRUE(WaitForState(L"cplus", 12, RowState::kDownloaded));
  EXPECT_FALSE(Page(kCplus)->Downloading());
  EXPECT_EQ(ReadFile(path), Generated(kSize));
  EXPECT_EQ(StateOf(L"cplus", 1), static_cast<int>(RowState::kOffered));

  Click(L"12_cplusinstall");
  EXPECT_EQ(opened_, (std::vector<std::string>{root_ + "\\Tessavane\\12"}));
  // A row that never downloaded has no folder to show.
  Click(L"1_cplusinstall");
  EXPECT_EQ(opened_.size(), 1u);
}

TEST_F(TransfersTest, PauseKeepsThePartialFileAndContinueCompletesItByteForByte) {
  catalogue_.netFiles = {Entry(3, kSize, kSlow)};
  StartFrame();
  ASSERT_NO_FATAL_FAILURE(DownloadUntilProgress(kNet, L"net", 3));
  const std::string path = LocalPath(kNet, 3);
  Click(L"3_netpause");
  EXPECT_EQ(StateOf(L"net", 3), static_cast<int>(RowState::kPaused));
  WaitForTransfers(kNet);
  EXPECT_EQ(StateOf(L"net", 3), static_cast<int>(RowState::kPaused));
  EXPECT_TRUE(Page(kNet)->Downloading());
  const std::vector<unsigned char> partial = ReadFile(path);
  ASSERT_GT(partial.size(), 0u);
  ASSERT_LT(partial.size(), size_t(kSize));
  const std::wstring frozen = Control(L"3_netprocess")->GetText();

  Click(L"3_netcontinue");
  EXPECT_EQ(StateOf(L"net", 3), static_cast<int>(RowState::kDownloading));
  EXPECT_EQ(Page(kNet)->ResumeOffset(), static_cast<long long>(partial.size()));
  ASSERT_TRUE(WaitForState(L"net", 3, RowState::kDownloaded));
  EXPECT_EQ(ReadFile(path), Generated(kSize));
  EXPECT_NE(frozen, L"下载进度100.00%");
}

TEST_F(TransfersTest, AContinueRightAfterThePauseWaitsForTheStoppedTransfer) {
  catalogue_.gameFiles = {Entry(9, kSize, kSlow)};
  StartFrame();
  ASSERT_NO_FATAL_FAILURE(DownloadUntilProgress(kGame, L"game", 9));
  // Both before the transfer sees the pause: two transfers must not append to one file.
  Click(L"9_gamepause");
  Click(L"9_gamecontinue");
  ASSERT_TRUE(WaitForState(L"game", 9, RowState::kDownloaded));
  EXPECT_EQ(ReadFile(LocalPath(kGame, 9)), Generated(kSize));
  EXPECT_GT(Page(kGame)->ResumeOffset(), 0);
}

TEST_F(TransfersTest, ContinueAfterThePartialFileWasRemovedStartsAgainFromZero) {
  catalogue_.cplusFiles = {Entry(6, kSize, kSlow)};
  StartFrame();
  ASSERT_NO_FATAL_FAILURE(DownloadUntilProgress(kCplus, L"cplus", 6));
  Click(L"6_cpluspause");
  WaitForTransfers(kCplus);
  const std::string path = LocalPath(kCplus, 6);
  ASSERT_TRUE(::DeleteFileA(path.c_str()));
  Click(L"6_cpluscontinue");
  EXPECT_EQ(Page(kCplus)->ResumeOffset(), 0);
  ASSERT_TRUE(WaitForState(L"cplus", 6, RowState::kDownloaded));
  EXPECT_EQ(ReadFile(path), Generated(kSize));
}

TEST_F(TransfersTest, DeleteOffersTheRowAgainAndRemovesThePartialFile) {
  catalogue_.cplusFiles = {Entry(7, kSize, kSlow)};
  StartFrame();
  ASSERT_NO_FATAL_FAILURE(DownloadUntilProgress(kCplus, L"cplus", 7));
  const std::string path = LocalPath(kCplus, 7);
  // While the transfer runs, it holds the file; the file goes when the transfer has stopped.
  Click(L"7_cplusdelete");
  EXPECT_EQ(StateOf(L"cplus", 7), static_cast<int>(RowState::kOffered));
  EXPECT_EQ(Page(kCplus)->CurrentEntryId(), -1);
  EXPECT_FALSE(Page(kCplus)->Downloading());
  WaitForTransfers(kCplus);
  EXPECT_FALSE(Exists(path));
  EXPECT_EQ(StateOf(L"cplus", 7), static_cast<int>(RowState::kOffered));
}

TEST_F(TransfersTest, ADownloadOfTheSameRowRightAfterItsDeleteWaitsForTheOldTransfer) {
  catalogue_.gameFiles = {Entry(4, kSize, kSlow)};
  StartFrame();
  ASSERT_NO_FATAL_FAILURE(DownloadUntilProgress(kGame, L"game", 4));
  Click(L"4_gamedelete");
  Click(L"4_gamedownload");
  EXPECT_TRUE(prompts_.empty());
  EXPECT_EQ(StateOf(L"game", 4), static_cast<int>(RowState::kDownloading));
  ASSERT_TRUE(WaitForState(L"game", 4, RowState::kDownloaded));
  EXPECT_EQ(ReadFile(LocalPath(kGame, 4)), Generated(kSize));
  EXPECT_EQ(Page(kGame)->ResumeOffset(), 0);
}

TEST_F(TransfersTest, ASecondDownloadOnThePageIsRefusedWithThePrompt) {
  catalogue_.gameFiles = {Entry(1, kSize, kSlow), Entry(2, 100)};
  catalogue_.cplusFiles = {Entry(2, 4096)};
  StartFrame();
  Show(kCplus);
  Show(kGame);
  Click(L"1_gamedownload");
  Click(L"2_gamedownload");
  EXPECT_EQ(prompts_, (std::vector<std::wstring>{
                          L"只允许一个下载|只允许一个文件下载，请等待当前文件下载完成或取消。"}));
  EXPECT_EQ(StateOf(L"game", 2), static_cast<int>(RowState::kOffered));
  EXPECT_EQ(Page(kGame)->CurrentEntryId(), 1);
  EXPECT_EQ(LocalPath(kGame, 2), "");
  // Another page downloads beside it.
  Click(L"2_cplusdownload");
  Show(kCplus);
  ASSERT_TRUE(WaitForState(L"cplus", 2, RowState::kDownloaded));
  EXPECT_EQ(prompts_.size(), 1u);
  // A paused download still counts.
  Click(L"1_gamepause");
  Click(L"2_gamedownload");
  EXPECT_EQ(prompts_.size(), 2u);
}

// Plays the user in front of the program's own prompt: once it is on screen, reads its texts
// and presses its OK button. The prompt's modal loop runs inside the click that opened it, and
// it dispatches this timer.
struct PromptUser {
  static std::wstring seen;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND prompt = ::FindWindowW(L"Main_Tip", nullptr);
    if (prompt == nullptr || !::IsWindowVisible(prompt)) return;
    ::KillTimer(nullptr, id);
    auto* window = dynamic_cast<DuiLib::WindowImplBase*>(
        reinterpret_cast<DuiLib::CWindowWnd*>(::GetWindowLongPtrW(prompt, GWLP_USERDATA)));
    if (window == nullptr) return;
    DuiLib::CPaintManagerUI& manager = window->m_PaintManager;
    seen = manager.FindControl(L"tip_ok_title")->GetText() + L"|" +
           manager.FindControl(L"tip_ok_message")->GetText();
    manager.SendNotify(manager.FindControl(L"tip_ok_ok"), L"click");
  }
};
std::wstring PromptUser::seen;

TEST_F(TransfersTest, TheRefusalIsTheProgramsOwnPrompt) {
  ops_.prompt = downloads::SystemPageOps().prompt;
  catalogue_.netFiles = {Entry(1, kSize, kSlow), Entry(2, 100)};
  StartFrame();
  frame_->ShowWindow(true, false);
  Show(kNet);
  Click(L"1_netdownload");
  PromptUser::seen.clear();
  ::SetTimer(nullptr, 0, 50, &PromptUser::Tick);
  Click(L"2_netdownload");  // returns when the prompt has gone
  EXPECT_EQ(PromptUser::seen, L"只允许一个下载|只允许一个文件下载，请等待当前文件下载完成或取消。");
  EXPECT_EQ(::FindWindowW(L"Main_Tip", nullptr), nullptr);
  EXPECT_EQ(StateOf(L"net", 2), static_cast<int>(RowState::kOffered));
  EXPECT_EQ(Page(kNet)->CurrentEntryId(), 1);
}

// Each transfer has its own stop: a pause on one page leaves the other page's transfer
// running to its end, and the other row never shows a pause it did not have.
TEST_F(TransfersTest, APauseOnOnePageLeavesTheOtherPagesTransferRunning) {
  catalogue_.cplusFiles = {Entry(1, kSize, kSlow)};
  catalogue_.netFiles = {Entry(2, kSize, kSlow)};
  StartFrame();
  Show(kCplus);
  Show(kNet);
  Click(L"1_cplusdownload");
  Click(L"2_netdownload");
  ASSERT_TRUE(PumpUntil([&] {
    return !Control(L"1_cplusprocess")->GetText().empty() &&
           !Control(L"2_netprocess")->GetText().empty();
  }, 5000));
  Click(L"1_cpluspause");
  ASSERT_TRUE(WaitForState(L"net", 2, RowState::kDownloaded));
  EXPECT_EQ(ReadFile(LocalPath(kNet, 2)), Generated(kSize));
  EXPECT_FALSE(Page(kNet)->Downloading());
  WaitForTransfers(kCplus);
  EXPECT_LT(ReadFile(LocalPath(kCplus, 1)).size(), size_t(kSize));
  Show(kCplus);
  EXPECT_EQ(StateOf(L"cplus", 1), static_cast<int>(RowState::kPaused));
  EXPECT_TRUE(Page(kCplus)->Downloading());
}

TEST_F(TransfersTest, AServerErrorShowsTheRowPausedAndContinueTriesAgain) {
  net::CatalogueFile broken = Entry(4, 100);
  broken.downloadUrl = test_support::FixtureUrl("/status500");
  catalogue_.cplusFiles = {broken};
  StartFrame();
  Show(kCplus);
  test_support::ResetFixture();
  Click(L"4_cplusdownload");
  ASSERT_TRUE(WaitForState(L"cplus", 4, RowState::kPaused));
  EXPECT_TRUE(Page(kCplus)->Downloading());
  // Not a pause the user made: the row says the download failed.
  EXPECT_EQ(Control(L"4_cplusprocess")->GetText(), L"下载失败");
  EXPECT_TRUE(prompts_.empty());
  Click(L"4_cpluscontinue");
  ASSERT_TRUE(WaitForState(L"cplus", 4, RowState::kPaused));
  WaitForTransfers(kCplus);
  EXPECT_EQ(test_support::FixtureRequestCount(), 2);
  // The error page is not kept as if it were the file.
  const std::vector<unsigned char> kept = ReadFile(LocalPath(kCplus, 4));
  EXPECT_EQ(std::string(kept.begin(), kept.end()).find("server error"), std::string::npos);
  Click(L"4_cplusdelete");
  EXPECT_FALSE(Exists(LocalPath(kCplus, 4)));
}

// A download list's file is what the user will run next: with a digest in the catalogue, only
// a file that matches it is shown as downloaded.
TEST_F(TransfersTest, AFileThatDoesNotMatchItsDigestIsAFailedDownloadAndIsRemoved) {
  const std::vector<unsigned char> bytes = Generated(kSize);
  net::CatalogueFile good = Entry(5, kSize), tampered = Entry(6, kSize);
  good.fileMd5 = platform::Md5Hex(bytes.data(), bytes.size());
  for (char& c : good.fileMd5) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  tampered.fileMd5 = platform::Md5Hex("other", 5);
  catalogue_.cplusFiles = {good, tampered};
  StartFrame();
  Show(kCplus);
  Click(L"5_cplusdownload");
  ASSERT_TRUE(WaitForState(L"cplus", 5, RowState::kDownloaded));
  EXPECT_EQ(ReadFile(LocalPath(kCplus, 5)), bytes);

  // The file that fails its digest is told as such, removed, and its row is back at its
  // start: a continue would only fetch the same wrong file. Even at 100%.
  test_support::ResetFixture();
  Click(L"6_cplusdownload");
  ASSERT_TRUE(WaitForState(L"cplus", 6, RowState::kOffered));
  EXPECT_EQ(prompts_, (std::vector<std::wstring>{
                          L"文件校验失败|下载的文件与服务器记录的校验值不符，已删除，请重新下载。"}));
  EXPECT_FALSE(Exists(LocalPath(kCplus, 6)));
  EXPECT_FALSE(Page(kCplus)->Downloading());
  EXPECT_EQ(Page(kCplus)->CurrentEntryId(), -1);
  EXPECT_EQ(Control(L"6_cplusprocess")->GetText(), L"");
  // A new download fetches the whole file again, and is told the same.
  Click(L"6_cplusdownload");
  ASSERT_TRUE(PumpUntil([&] { return prompts_.size() == 2; }, 15000));
  WaitForTransfers(kCplus);
  EXPECT_EQ(StateOf(L"cplus", 6), static_cast<int>(RowState::kOffered));
  EXPECT_EQ(test_support::FixtureRequestCount(), 2);
  EXPECT_FALSE(Exists(LocalPath(kCplus, 6)));
}

// The folder cannot be made (a file in the way here; a drive without its medium in use): the
// user is told, the row stays offered, and nothing is asked of the server.
TEST_F(TransfersTest, AFolderThatCannotBeMadeIsToldWithoutARequest) {
  catalogue_.gameFiles = {Entry(5, 100)};
  StartFrame();
  Show(kGame);
  root_ = Root("blocked");
  ASSERT_TRUE(::CreateDirectoryA(scratch_.c_str(), nullptr) || Exists(scratch_));
  std::fclose(std::fopen((root_).c_str(), "wb"));
  test_support::ResetFixture();
  Click(L"5_gamedownload");
  PumpFor(200);
  EXPECT_EQ(StateOf(L"game", 5), static_cast<int>(RowState::kOffered));
  EXPECT_FALSE(Page(kGame)->Downloading());
  EXPECT_EQ(LocalPath(kGame, 5), "");
  const std::wstring folder(root_.begin(), root_.end());
  EXPECT_EQ(prompts_, (std::vector<std::wstring>{L"下载失败|无法创建下载目录，请检查磁盘是否可用：" +
                                                 folder + L"\\Tessavane\\5\\"}));
  EXPECT_EQ(test_support::FixtureRequestCount(), 0);
}

TEST_F(TransfersTest, AFreshDownloadReplacesWhatLiesAtItsPath) {
  catalogue_.netFiles = {Entry(8, 5000)};
  StartFrame();
  Show(kNet);
  const std::string folder = root_ + "\\Tessavane\\8";
  ASSERT_TRUE(ops_.ensureFolder(folder));
  std::FILE* stale = std::fopen((folder + "\\5000").c_str(), "wb");
  std::fputs("left over from an earlier run", stale);
  std::fclose(stale);
  Click(L"8_netdownload");
  ASSERT_TRUE(WaitForState(L"net", 8, RowState::kDownloaded));
  EXPECT_EQ(ReadFile(folder + "\\5000"), Generated(5000));
}

// Someone made the download folder a junction into another folder (only a stand-in for the
// check can show it: Wine makes no working junction). Nothing is requested, written or removed
// there, and the user is told.
TEST_F(TransfersTest, ADownloadFolderThatLeadsElsewhereIsNeitherWrittenNorEmptied) {
  catalogue_.netFiles = {Entry(8, 5000)};
  std::vector<std::string> asked;
  ops_.leadsElsewhere = [&](const std::string& path) {
    asked.push_back(path);
    return true;
  };
  StartFrame();
  Show(kNet);
  const std::string folder = root_ + "\\Tessavane\\8";
  ASSERT_TRUE(ops_.ensureFolder(folder));
  std::FILE* there = std::fopen((folder + "\\5000").c_str(), "wb");
  std::fputs("a file of the folder the junction leads to", there);
  std::fclose(there);
  test_support::ResetFixture();
  Click(L"8_netdownload");
  PumpFor(200);
  EXPECT_EQ(StateOf(L"net", 8), static_cast<int>(RowState::kOffered));
  EXPECT_FALSE(Page(kNet)->Downloading());
  EXPECT_EQ(test_support::FixtureRequestCount(), 0);
  const std::vector<unsigned char> kept = ReadFile(folder + "\\5000");
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "a file of the folder the junction leads to");
  EXPECT_EQ(asked, std::vector<std::string>{folder + "\\5000"});
  ASSERT_EQ(prompts_.size(), 1u);
  EXPECT_NE(prompts_[0].find(L"其他位置"), std::wstring::npos);
}

TEST_F(TransfersTest, AFileThatCannotBeReplacedIsNotResumedAsIfItWereTheStart) {
  catalogue_.netFiles = {Entry(8, 5000)};
  StartFrame();
  Show(kNet);
  const std::string folder = root_ + "\\Tessavane\\8";
  const std::string path = folder + "\\5000";
  ASSERT_TRUE(ops_.ensureFolder(folder));
  std::FILE* stale = std::fopen(path.c_str(), "wb");
  std::fputs("kept", stale);
  std::fclose(stale);
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  test_support::ResetFixture();
  Click(L"8_netdownload");
  PumpFor(100);
  EXPECT_EQ(StateOf(L"net", 8), static_cast<int>(RowState::kOffered));
  EXPECT_FALSE(Page(kNet)->Downloading());
  EXPECT_EQ(test_support::FixtureRequestCount(), 0);
  const std::vector<unsigned char> kept = ReadFile(path);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "kept");
  EXPECT_EQ(prompts_, (std::vector<std::wstring>{
                          L"下载失败|无法替换已有的同名文件，请关闭正在使用它的程序后重试：" +
                          std::wstring(path.begin(), path.end())}));
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(TransfersTest, ADeleteThatCannotRemoveTheFileIsTold) {
  catalogue_.netFiles = {Entry(3, kSize, kSlow)};
  StartFrame();
  ASSERT_NO_FATAL_FAILURE(DownloadUntilProgress(kNet, L"net", 3));
  Click(L"3_netpause");
  WaitForTransfers(kNet);
  const std::string path = LocalPath(kNet, 3);
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  Click(L"3_netdelete");
  EXPECT_EQ(StateOf(L"net", 3), static_cast<int>(RowState::kOffered));
  EXPECT_TRUE(Exists(path));
  EXPECT_EQ(prompts_, (std::vector<std::wstring>{
                          L"删除失败|无法删除下载的文件，请关闭正在使用它的程序后手动删除：" +
                          std::wstring(path.begin(), path.end())}));
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The file changed on the server between the pause and the continue: the continue sends the
// ETag of the bytes on disk as If-Range, the server answers with the whole new file, and it
// replaces them instead of being joined onto them.
TEST_F(TransfersTest, AContinueAfterTheFileChangedOnTheServerStartsAgainFromZero) {
  net::CatalogueFile entry = Entry(3, kSize, kSlow);
  entry.downloadUrl += "&v=live";
  catalogue_.netFiles = {entry};
  StartFrame();
  test_support::ResetFixture();
  ASSERT_NO_FATAL_FAILURE(DownloadUntilProgress(kNet, L"net", 3));
  Click(L"3_netpause");
  WaitForTransfers(kNet);
  const std::string path = LocalPath(kNet, 3);
  ASSERT_GT(ReadFile(path).size(), 0u);
  test_support::SetFixtureVersion(1);
  Click(L"3_netcontinue");
  ASSERT_TRUE(WaitForState(L"net", 3, RowState::kDownloaded));
  EXPECT_EQ(ReadFile(path), Generated(kSize, 1));
  EXPECT_EQ(Page(kNet)->ResumeOffset(), 0);
  test_support::ResetFixture();
}

TEST_F(TransfersTest, EachDownloadTakesTheRootOfItsStartAndKeepsIt) {
  catalogue_.gameFiles = {Entry(1, 3000), Entry(2, 3000)};
  StartFrame();
  Show(kGame);
  root_ = Root("d");
  Click(L"1_gamedownload");
  ASSERT_TRUE(WaitForState(L"game", 1, RowState::kDownloaded));
  root_ = Root("e");
  Click(L"2_gamedownload");
  ASSERT_TRUE(WaitForState(L"game", 2, RowState::kDownloaded));
  EXPECT_EQ(LocalPath(kGame, 1), Root("d") + "\\Tessavane\\1\\3000");
  EXPECT_EQ(LocalPath(kGame, 2), Root("e") + "\\Tessavane\\2\\3000");
  EXPECT_EQ(ReadFile(LocalPath(kGame, 1)), Generated(3000));
  Click(L"1_gameinstall");
  Click(L"2_gameinstall");
  EXPECT_EQ(opened_, (std::vector<std::string>{Root("d") + "\\Tessavane\\1",
                                               Root("e") + "\\Tessavane\\2"}));
}

// Delete, then at once another download on the page: the old transfer stops on its own stop,
// whatever the new one does; whatever it reports then belongs to a download that is over.
TEST_F(TransfersTest, ATransferOfADeletedDownloadChangesNothingWhenItEnds) {
  catalogue_.cplusFiles = {Entry(1, 300 * 1024, kSlow), Entry(2, 2 * kSize, kSlow)};
  StartFrame();
  ASSERT_NO_FATAL_FAILURE(DownloadUntilProgress(kCplus, L"cplus", 1));
  const std::string first = LocalPath(kCplus, 1);
  Click(L"1_cplusdelete");
  Click(L"2_cplusdownload");
  // Long enough for the first transfer to have ended in any case.
  PumpFor(1500);
  EXPECT_FALSE(Exists(first));
  EXPECT_EQ(StateOf(L"cplus", 1), static_cast<int>(RowState::kOffered));
  EXPECT_EQ(Control(L"1_cplusprocess")->IsVisible(), false);
  EXPECT_EQ(StateOf(L"cplus", 2), static_cast<int>(RowState::kDownloading));
  EXPECT_TRUE(Page(kCplus)->Downloading());
  ASSERT_TRUE(WaitForState(L"cplus", 2, RowState::kDownloaded));
  EXPECT_EQ(ReadFile(LocalPath(kCplus, 2)), Generated(2 * kSize));
}

}  // namespace
