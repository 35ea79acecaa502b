#pragma once
#include <windows.h>

#include <string>

// Registry text helpers with one set of rules for every value the program keeps: reads of
// anything missing give empty text, writes never create keys (only CreateRegistryKey does),
// deletes of missing values are ignored.
namespace platform {

// Reads a REG_SZ value into a zero-filled buffer of bufferBytes bytes; the text up to the
// first NUL. Empty text when the key or value is missing.
std::string ReadRegistryText(HKEY root, const char* subKey, const char* valueName, DWORD bufferBytes,
                             REGSAM access = KEY_QUERY_VALUE);
// Writes REG_SZ to an existing key; the byte count excludes the terminating NUL. Returns the
// Win32 status (a missing key gives an error and changes nothing).
LONG WriteRegistryText(HKEY root, const char* subKey, const char* valueName, const std::string& text,
                       REGSAM access = KEY_SET_VALUE);
// Creates newKey below root\subKey (or below root when subKey is null), with the parent opened
// for KEY_WRITE; the parent must exist.
void CreateRegistryKey(HKEY root, const char* subKey, const char* newKey, REGSAM access = KEY_WRITE);
// The key opens and its default value can be queried.
bool RegistryKeyExists(HKEY root, const char* subKey);
void DeleteRegistryValue(HKEY root, const char* subKey, const char* valueName);

}  // namespace platform
