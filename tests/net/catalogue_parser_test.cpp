#include "net/catalogue_parser.h"
#include "net/runtime_version.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace net;

// Marks converted texts, so the tests see which fields went through the display conversion.
std::string Mark(const std::string& text) { return "[" + text + "]"; }
// For DLL entries, whose converted name must still match their path.
std::string Same(const std::string& text) { return text; }

std::string Envelope(const std::string& data, const std::string& code = "\"200\"") {
  return "{\"code\":" + code + ",\"msg\":\"ok\",\"data\":" + data + "}";
}

std::string CommonEntry(int status, int type, int id, const std::string& extra = "") {
  return "{\"status\":" + std::to_string(status) + ",\"id\":" + std::to_string(id) +
         ",\"downloadUrl\":\"http://h/f" + std::to_string(id) + ".exe\",\"imgUrl\":\"http://h/i" +
         std::to_string(id) + ".png\",\"fileName\":\"n" + std::to_string(id) +
         "\",\"fileMd5\":\"m\",\"memo\":\"memo\",\"type\":" + std::to_string(type) + extra + "}";
}

std::string Common(const std::string& list) {
  return Envelope("{\"kfUrl\":\"http://h/k\",\"xyUrl\":\"https://h/x\",\"secretUrl\":\"http://h/s\","
                  "\"filesList\":[" + list + "]}");
}

TEST(CommonFiles, SortsEnabledEntriesIntoTheThreeListsInServerOrder) {
  CommonCatalogue out;
  std::string body = Common(CommonEntry(1, 0, 1) + "," + CommonEntry(1, 1, 2) + "," +
                            CommonEntry(1, 2, 3) + "," + CommonEntry(1, 0, 4) + "," +
                            CommonEntry(0, 0, 5) + "," + CommonEntry(2, 1, 6) + "," +
                            CommonEntry(1, 3, 7));
  ASSERT_EQ(ParseCommonFiles(body, Mark, out), ReplyStatus::kAccepted);
  EXPECT_EQ(out.kfUrl, "http://h/k");
  EXPECT_EQ(out.xyUrl, "https://h/x");
  EXPECT_EQ(out.secretUrl, "http://h/s");
  ASSERT_EQ(out.cplusFiles.size(), 2u);
  EXPECT_EQ(out.cplusFiles[0].id, 1);
  EXPECT_EQ(out.cplusFiles[1].id, 4);
  ASSERT_EQ(out.netFiles.size(), 1u);
  EXPECT_EQ(out.netFiles[0].id, 2);
  ASSERT_EQ(out.gameFiles.size(), 1u);
  EXPECT_EQ(out.gameFiles[0].id, 3);
  const CatalogueFile& f = out.cplusFiles[0];
  EXPECT_EQ(f.fileName, "[n1]");
  EXPECT_EQ(f.memo, "[memo]");
  EXPECT_EQ(f.downloadUrl, "http://h/f1.exe");  // bytes as received
  EXPECT_EQ(f.imgUrl, "http://h/i1.png");
  EXPECT_EQ(f.fileMd5, "m");
}

TEST(CommonFiles, ADisabledEntryIsNotLookedAtBeyondItsStatus) {
  CommonCatalogue out;
  EXPECT_EQ(ParseCommonFiles(Common("{\"status\":0}," + CommonEntry(1, 0, 1)), Mark, out),
            ReplyStatus::kAccepted);
  EXPECT_EQ(out.cplusFiles.size(), 1u);
}

TEST(CommonFiles, AMalformedEntryRejectsTheWholeReply) {
  CommonCatalogue out;
  out.kfUrl = "before";
  std::string bad = "{\"status\":1,\"id\":\"9\",\"downloadUrl\":\"u\",\"imgUrl\":\"i\","
                    "\"fileName\":\"n\",\"fileMd5\":\"m\",\"memo\":\"m\",\"type\":0}";
  EXPECT_EQ(ParseCommonFiles(Common(CommonEntry(1, 0, 1) + "," + bad), Mark, out),
            ReplyStatus::kMalformed);
  EXPECT_EQ(ParseCommonFiles(Common(CommonEntry(1, 0, 1) + ",7"), Mark, out), ReplyStatus::kMalformed);
  EXPECT_EQ(ParseCommonFiles(Envelope("{\"kfUrl\":\"k\",\"xyUrl\":\"x\",\"secretUrl\":\"s\"}"), Mark, out),
            ReplyStatus::kMalformed);
  EXPECT_EQ(ParseCommonFiles(Envelope("[]"), Mark, out), ReplyStatus::kMalformed);
  EXPECT_EQ(out.kfUrl, "before");
  EXPECT_TRUE(out.cplusFiles.empty());
}

TEST(Envelope, CodeIsReadAsDecimalText) {
  CatalogueList list;
  EXPECT_EQ(ParseFileList(kDirectXFiles, Envelope("[]", "\"200abc\""), Mark, list), ReplyStatus::kAccepted);
  EXPECT_EQ(ParseFileList(kDirectXFiles, Envelope("[]", "\" 200\""), Mark, list), ReplyStatus::kAccepted);
  EXPECT_EQ(ParseFileList(kDirectXFiles, Envelope("[]", "\"500\""), Mark, list), ReplyStatus::kCodeNot200);
  EXPECT_EQ(ParseFileList(kDirectXFiles, Envelope("[]", "\"ok\""), Mark, list), ReplyStatus::kCodeNot200);
  EXPECT_EQ(ParseFileList(kDirectXFiles, Envelope("[]", "200"), Mark, list), ReplyStatus::kMalformed);
  EXPECT_EQ(ParseFileList(kDirectXFiles, "{\"data\":[]}", Mark, list), ReplyStatus::kMalformed);
}

TEST(Envelope, BodiesThatAreNotJsonObjects) {
  CatalogueList list;
  for (const char* body : {"", "   ", "null", "[]", "\"200\"", "{\"code\":\"200\"", "<html>500</html>",
                           "{\"code\":\"200\",\"data\":[]} trailing", "{\"code\":\"2\xff\",\"data\":[]}"})
    EXPECT_EQ(ParseFileList(kRuntimeFiles, body, Mark, list), ReplyStatus::kMalformed) << body;
}

std::string RuntimeEntry(const std::string& fields) {
  return "{\"status\":1,\"id\":3,\"downloadUrl\":\"http://h/vc.exe\",\"fileName\":\"VC\","
         "\"regeditName\":\"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\X\"" + fields + "}";
}

TEST(RuntimeFiles, OptionalTextsDefaultToEmpty) {
  CatalogueList list;
  ASSERT_EQ(ParseFileList(kRuntimeFiles, Envelope("[" + RuntimeEntry(",\"gameRepair\":0") + "]"), Mark, list),
            ReplyStatus::kAccepted);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].fileMd5, "");
  EXPECT_EQ(list[0].silentParam, "");
  EXPECT_EQ(list[0].fileName, "[VC]");
  EXPECT_EQ(list[0].regeditName, "HKEY_LOCAL_MACHINE\\SOFTWARE\\X");
  EXPECT_FALSE(list[0].installed);

  ASSERT_EQ(ParseFileList(kRuntimeFiles,
                          Envelope("[" + RuntimeEntry(",\"fileMd5\":\"ab\",\"silentParam\":\"/q\"") + "]"),
                          Mark, list),
            ReplyStatus::kAccepted);
  EXPECT_EQ(list[0].fileMd5, "ab");
  EXPECT_EQ(list[0].silentParam, "/q");
  // Present but of the wrong type is not the same as absent.
  EXPECT_EQ(ParseFileList(kRuntimeFiles, Envelope("[" + RuntimeEntry(",\"silentParam\":5") + "]"), Mark, list),
            ReplyStatus::kMalformed);
}

// Entries 1 and 3 of the same reply, one with the version, one without: both kept.
TEST(RuntimeFiles, AMinimumVersionIsReadAndItsAbsenceMeansNone) {
  CatalogueList list;
  const std::string second = "{\"status\":1,\"id\":4,\"downloadUrl\":\"http://h/b.exe\",\"fileName\":\"B\","
                             "\"regeditName\":\"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\Y\"}";
  ASSERT_EQ(ParseFileList(kRuntimeFiles,
                          Envelope("[" + RuntimeEntry(",\"minVersion\":\"14.40.33810\"") + "," + second + "]"),
                          Mark, list),
            ReplyStatus::kAccepted);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_TRUE(list[0].hasMinVersion);
  EXPECT_EQ(list[0].minVersion.major, 14u);
  EXPECT_EQ(list[0].minVersion.minor, 40u);
  EXPECT_EQ(list[0].minVersion.build, 33810u);
  EXPECT_FALSE(list[1].hasMinVersion);
  for (const char* none : {"null", "\"\""}) {
    ASSERT_EQ(ParseFileList(kRuntimeFiles, Envelope("[" + RuntimeEntry(std::string(",\"minVersion\":") + none) + "]"),
                            Mark, list),
              ReplyStatus::kAccepted) << none;
    ASSERT_EQ(list.size(), 1u) << none;
    EXPECT_FALSE(list[0].hasMinVersion) << none;
  }
}

// An entry whose version cannot be read is left out; the rest of the reply still counts.
TEST(RuntimeFiles, AnEntryWithAnUnreadableMinimumVersionIsLeftOut) {
  for (const char* bad : {"\"14.40\"", "\"14.40.33810.0\"", "\"14.40.x\"", "\"14..1\"", "\" 14.40.1\"",
                          "\"14.40.1 \"", "\"+14.40.1\"", "\"-1.0.0\"", "\"4294967296.0.0\"",
                          "\"14.40.99999999999999999999\"", "\"14.40.1.\"", "14", "14.4", "[14,40,1]", "true"}) {
    CatalogueList list;
    ASSERT_EQ(ParseFileList(kRuntimeFiles,
                            Envelope("[" + RuntimeEntry(std::string(",\"minVersion\":") + bad) + "," +
                                     RuntimeEntry("") + "]"),
                            Mark, list),
              ReplyStatus::kAccepted) << bad;
    ASSERT_EQ(list.size(), 1u) << bad;
    EXPECT_FALSE(list[0].hasMinVersion) << bad;
  }
}

// Major first, then minor, then build, each as a number: 14.40.0 is newer than 14.39.99999.
TEST(RuntimeVersions, CompareNumberByNumberMajorFirst) {
  auto v = [](const char* text) {
    RuntimeVersion version;
    EXPECT_TRUE(ParseRuntimeVersion(text, version)) << text;
    return version;
  };
  const RuntimeVersion want = v("14.40.33810");
  EXPECT_TRUE(VersionReaches(v("14.40.33810"), want));
  EXPECT_TRUE(VersionReaches(v("14.40.33811"), want));
  EXPECT_FALSE(VersionReaches(v("14.40.33809"), want));
  EXPECT_TRUE(VersionReaches(v("14.41.0"), want));
  EXPECT_FALSE(VersionReaches(v("14.39.99999"), want));
  EXPECT_TRUE(VersionReaches(v("15.0.0"), want));
  EXPECT_FALSE(VersionReaches(v("13.99.99999"), want));
  EXPECT_TRUE(VersionReaches(v("14.040.033810"), want));  // leading zeros do not count
  EXPECT_TRUE(VersionReaches(v("4294967295.0.0"), v("4294967294.4294967295.4294967295")));
}

TEST(RuntimeFiles, GameRepairIsTrueOnlyForTheNumberOne) {
  struct Case { const char* value; bool expected; };
  for (Case c : {Case{"1", true}, Case{"1.0", true}, Case{"\"1\"", false}, Case{"true", false},
                 Case{"0", false}, Case{"2", false}, Case{"1.5", false}}) {
    CatalogueList list;
    ASSERT_EQ(ParseFileList(kRuntimeFiles,
                            Envelope("[" + RuntimeEntry(std::string(",\"gameRepair\":") + c.value) + "]"),
                            Mark, list),
              ReplyStatus::kAccepted) << c.value;
    EXPECT_EQ(list[0].gameRepair, c.expected) << c.value;
  }
}

TEST(RuntimeFiles, RegistryNameIsCutAtItsFirstLineBreak) {
  EXPECT_EQ(CutRegistryName("HKEY_LOCAL_MACHINE\\A\r\nmore\r\nstill"), "HKEY_LOCAL_MACHINE\\A");
  EXPECT_EQ(CutRegistryName("\r\nHKEY_LOCAL_MACHINE\\A"), "\r\nHKEY_LOCAL_MACHINE\\A");
  EXPECT_EQ(CutRegistryName("HKEY_LOCAL_MACHINE\\A\nB"), "HKEY_LOCAL_MACHINE\\A\nB");
  EXPECT_EQ(CutRegistryName("HKEY_LOCAL_MACHINE\\A\r"), "HKEY_LOCAL_MACHINE\\A\r");
  CatalogueList list;
  std::string entry = "{\"status\":1,\"id\":3,\"downloadUrl\":\"http://h/f.exe\",\"fileName\":\"f\","
                      "\"regeditName\":\"HKEY_LOCAL_MACHINE\\\\K\\r\\nnote\",\"gameRepair\":1}";
  ASSERT_EQ(ParseFileList(kRuntimeFiles, Envelope("[" + entry + "]"), Mark, list), ReplyStatus::kAccepted);
  EXPECT_EQ(list[0].regeditName, "HKEY_LOCAL_MACHINE\\K");
}

TEST(NumericFields, AcceptEveryJsonNumberAndBooleans) {
  struct Case { const char* json; int expected; };
  for (Case c : {Case{"7", 7}, Case{"7.9", 7}, Case{"-7.9", -7}, Case{"true", 1}, Case{"false", 0},
                 Case{"4294967296", 2147483647}, Case{"-1e300", -2147483647 - 1}, Case{"1e400", 2147483647},
                 Case{"18446744073709551615", 2147483647}}) {
    CatalogueList list;
    std::string entry = std::string("{\"status\":1,\"id\":") + c.json +
                        ",\"systemBit\":1,\"downloadUrl\":\"http://h/d.dll\",\"fileName\":\"d3dx9_43.dll\","
                        "\"fileMd5\":\"m\",\"filePath\":\"C:\\\\Windows\\\\System32\\\\d3dx9_43.dll\"}";
    ReplyStatus status = ParseFileList(kDirectXFiles, Envelope("[" + entry + "]"), Same, list);
    // nlohmann reads 1e400 as infinity or refuses it; either way nothing wraps.
    if (status != ReplyStatus::kAccepted) {
      EXPECT_STREQ(c.json, "1e400");
      continue;
    }
    EXPECT_EQ(list[0].id, c.expected) << c.json;
  }
}

TEST(DirectXAndSystemFiles, ReadTheirOwnFields) {
  CatalogueList list;
  std::string dx = "{\"status\":1,\"id\":11,\"systemBit\":1,\"downloadUrl\":\"http://h/x.dll\",\"fileName\":\"x.dll\","
                   "\"fileMd5\":\"m\",\"filePath\":\"C:\\\\Windows\\\\System32\\\\x.dll\"}";
  ASSERT_EQ(ParseFileList(kDirectXFiles, Envelope("[" + dx + "]"), Same, list), ReplyStatus::kAccepted);
  EXPECT_EQ(list[0].systemBit, 1);
  EXPECT_EQ(list[0].filePath, "C:\\Windows\\System32\\x.dll");
  EXPECT_EQ(list[0].intact, 0);
  // The same entry lacks "isKey" as a system entry.
  EXPECT_EQ(ParseFileList(kSystemFiles, Envelope("[" + dx + "]"), Same, list), ReplyStatus::kMalformed);
  std::string sys = dx.substr(0, dx.size() - 1) + ",\"isKey\":true}";
  ASSERT_EQ(ParseFileList(kSystemFiles, Envelope("[" + sys + "]"), Same, list), ReplyStatus::kAccepted);
  EXPECT_TRUE(list[0].isKey);
  std::string numericKey = dx.substr(0, dx.size() - 1) + ",\"isKey\":1}";
  EXPECT_EQ(ParseFileList(kSystemFiles, Envelope("[" + numericKey + "]"), Same, list), ReplyStatus::kMalformed);
  EXPECT_EQ(ParseFileList(kDirectXFiles, Envelope("{}"), Same, list), ReplyStatus::kMalformed);
  EXPECT_EQ(ParseFileList(8, Envelope("[]"), Same, list), ReplyStatus::kMalformed);
}

TEST(UserReplies, AcceptOnlyAUsableUser) {
  net::UserInfo user;
  ASSERT_EQ(ParseUserInfo(Envelope("{\"userId\":42,\"userToken\":\"t\"}"), user), ReplyStatus::kAccepted);
  EXPECT_TRUE(user.signedIn);
  EXPECT_EQ(user.userId, 42);
  EXPECT_EQ(user.userToken, "t");
  EXPECT_EQ(user.headImgUrl, "");

  net::UserInfo untouched;
  EXPECT_EQ(ParseUserInfo(Envelope("{\"userId\":-1,\"userToken\":\"t\"}"), untouched), ReplyStatus::kNotAccepted);
  EXPECT_EQ(ParseUserInfo(Envelope("{\"userId\":0,\"userToken\":\"\"}"), untouched), ReplyStatus::kNotAccepted);
  EXPECT_EQ(ParseUserInfo(Envelope("{\"userId\":1}"), untouched), ReplyStatus::kMalformed);
  EXPECT_EQ(ParseUserInfo(Envelope("{\"userId\":1,\"userToken\":\"t\"}", "\"401\""), untouched),
            ReplyStatus::kCodeNot200);
  EXPECT_EQ(untouched.userId, -1);
  EXPECT_FALSE(untouched.signedIn);
}

TEST(UserReplies, SignInResultCarriesHeadImageAndMessage) {
  net::UserInfo user;
  std::string msg;
  ASSERT_EQ(ParseSignInResult(Envelope("{\"userId\":0,\"userToken\":\"t\",\"headImgUrl\":\"http://h/0.jpg\"}"),
                              user, msg),
            ReplyStatus::kAccepted);
  EXPECT_EQ(user.userId, 0);
  EXPECT_EQ(user.headImgUrl, "http://h/0.jpg");
  EXPECT_EQ(msg, "ok");
  EXPECT_EQ(ParseSignInResult("{\"code\":\"500\",\"msg\":\"二维码已过期\"}", user, msg), ReplyStatus::kCodeNot200);
  EXPECT_EQ(msg, "二维码已过期");
  EXPECT_EQ(ParseSignInResult(Envelope("{\"userId\":3,\"userToken\":\"t\"}"), user, msg), ReplyStatus::kMalformed);
}

TEST(SignInCode, ReadsTheTopLevelKeys) {
  SignInCode code;
  ASSERT_EQ(ParseSignInCode("{\"code\":\"200\",\"wechatLoginUrl\":\"http://h/l\",\"loginCode\":\"c\"}", code),
            ReplyStatus::kAccepted);
  EXPECT_EQ(code.wechatLoginUrl, "http://h/l");
  EXPECT_EQ(code.loginCode, "c");
  EXPECT_EQ(ParseSignInCode("{\"code\":\"200\",\"data\":{\"wechatLoginUrl\":\"u\",\"loginCode\":\"c\"}}", code),
            ReplyStatus::kMalformed);
}

}  // namespace
