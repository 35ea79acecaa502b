#include "repair/com_registration.h"

#include <gtest/gtest.h>

namespace {

using namespace repair;

TEST(ComRegistration, TheSdkAudioComServersAreKnownByName) {
  for (const char* name : {"xaudio2_0.dll", "xaudio2_7.dll", "XAUDIO2_7.DLL", "XAudio2_3.dll",
                           "xactengine2_0.dll", "xactengine2_10.dll", "xactengine3_0.dll",
                           "XACTEngine3_7.dll"})
    EXPECT_TRUE(NeedsComRegistration(name)) << name;
}

TEST(ComRegistration, FlatApiDllsAndLookAlikesAreNot) {
  for (const char* name : {"xaudio2_8.dll", "xaudio2_9.dll", "xaudio2_07.dll", "xaudio2_.dll",
                           "xaudio2_7.dll.bak", "xaudio2_7.exe", "xaudio2_7", "myxaudio2_7.dll",
                           "xaudio2_17.dll", "xactengine2_11.dll", "xactengine3_8.dll",
                           "xactengine3_.dll", "x3daudio1_7.dll", "xapofx1_5.dll",
                           "xinput1_3.dll", "d3dx9_43.dll", "", "xaudio2_-1.dll"})
    EXPECT_FALSE(NeedsComRegistration(name)) << name;
}

TEST(ComRegistration, TheRegistrarHasTheFilesBitness) {
  // The shipped 32-bit program on 64-bit Windows: the native folder only through Sysnative.
  EXPECT_EQ(RegistrarPath("C:\\Windows", true, true, true), "C:\\Windows\\Sysnative\\regsvr32.exe");
  EXPECT_EQ(RegistrarPath("C:\\Windows", false, true, true), "C:\\Windows\\SysWOW64\\regsvr32.exe");
  // A 64-bit process sees the native folder as System32.
  EXPECT_EQ(RegistrarPath("D:\\WINNT", true, false, true), "D:\\WINNT\\System32\\regsvr32.exe");
  EXPECT_EQ(RegistrarPath("D:\\WINNT", false, false, true), "D:\\WINNT\\SysWOW64\\regsvr32.exe");
  // 32-bit Windows has one system folder.
  EXPECT_EQ(RegistrarPath("C:\\WINDOWS", false, true, false), "C:\\WINDOWS\\System32\\regsvr32.exe");
  // Windows in a drive's root.
  EXPECT_EQ(RegistrarPath("F:", false, true, true), "F:\\SysWOW64\\regsvr32.exe");
  EXPECT_EQ(RegistrarPath("F:\\", true, true, true), "F:\\Sysnative\\regsvr32.exe");
}

TEST(ComRegistration, TheCommandLineIsSilentAndQuotesBothPaths) {
  EXPECT_EQ(RegistrarCommandLine("C:\\Windows\\SysWOW64\\regsvr32.exe", "D:\\My Windows\\System32\\xaudio2_7.dll"),
            "\"C:\\Windows\\SysWOW64\\regsvr32.exe\" /s \"D:\\My Windows\\System32\\xaudio2_7.dll\"");
  EXPECT_EQ(RegistrarCommandLine("C:\\r.exe", "C:\\x\" /u \"y.dll"), "");
  EXPECT_EQ(RegistrarCommandLine("C:\\r\".exe", "C:\\x.dll"), "");
  EXPECT_EQ(RegistrarCommandLine("C:\\r.exe", ""), "");
}

}  // namespace
