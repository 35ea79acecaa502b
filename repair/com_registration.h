#pragma once
#include <string>

// The DirectX audio DLLs that are COM servers. Games create XAudio2 2.0 to 2.7 and the XACT
// engines through CoCreateInstance, so a copied file is of no use until its classes are
// registered; the system's regsvr32 of the file's bitness registers them.
namespace repair {

// xaudio2_0.dll ... xaudio2_7.dll, xactengine2_N.dll and xactengine3_N.dll, in any letter
// case. XAudio2 2.8 and later are flat-API system components, and X3DAudio, XAPOFX, XInput
// and D3DX export plain functions: none of these is registered.
bool NeedsComRegistration(const std::string& fileName);

// The regsvr32.exe whose bitness matches the file, as this process reaches it with
// file-system redirection on. nativeFile: the file lies in the native system folder of 64-bit
// Windows (systemBit 1); otherwise it is a 32-bit file. windowsFolder as the system reports
// it ("C:\Windows", "D:\WINNT", "C:").
std::string RegistrarPath(const std::string& windowsFolder, bool nativeFile, bool process32Bit,
                          bool system64Bit);

// `"registrar" /s "dll"`: silent, both paths whole. Empty when either path holds a quote,
// which could close the quoting and hand regsvr32 another argument.
std::string RegistrarCommandLine(const std::string& registrar, const std::string& dllPath);

// How long a registration may take before it counts as failed.
constexpr unsigned long kRegistrationWaitLimitMs = 60 * 1000;

}  // namespace repair
