#pragma once
#include <string>

#include "catalogue_rules/catalogue_records.h"

// What a catalogue entry may name before the elevated program lets it near the disk, a
// process or the browser. The server is not trusted: a name or path from it is only ever a
// plain file name in a folder the program chose, a DLL in a system folder, or an http(s) link.
namespace net {

// One path component that stays where it is put: no separators, no drive or stream colon,
// not "." or "..", no characters Windows refuses or strips (trailing dots and spaces), no
// device name (CON, NUL, COM1, ... with or without an extension).
bool IsPlainFileName(const std::string& name);

// An absolute http or https URL with a host, and no spaces or control characters.
bool IsWebUrl(const std::string& url);

// Whether a transfer that started at `from` may follow a redirect to `to`: only to a web
// address, and once started on https never away from it, so that nobody on the way can swap
// what an https link vouched for.
bool RedirectAllowed(const std::string& from, const std::string& to);

// The catalogue's form of a DLL in a system folder: "C:\Windows\System32\" or
// "C:\Windows\SysWOW64\" (any letter case) followed by exactly fileName, which is a plain
// name ending ".dll".
bool IsSystemFolderDll(const std::string& filePath, const std::string& fileName);

// Whether an entry of the given list (kRuntimeFiles, kDirectXFiles, kSystemFiles, or
// kCommonFiles for the download lists) may be used at all.
bool EntryIsUsable(int kind, const CatalogueFile& entry);

}  // namespace net
