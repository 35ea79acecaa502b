#pragma once
#include <string>

// Pieces of Windows paths and URLs, as plain text (no file-system access).
namespace platform {

// The text before the last backslash; the whole text when there is none.
std::string FolderOfPath(const std::string& path);
// The text after the last backslash; the whole text when there is none.
std::string FileNameOfPath(const std::string& path);
// The last component of a URL's path: the text after its last "/" or "\", with any query or
// fragment left off (those are not part of a file name, and "?" is not allowed in one).
std::string LastUrlSegment(const std::string& url);
// The extension of the URL's last path segment, from its last "." on; empty when it has none.
std::string UrlExtension(const std::string& url);
// Comparisons of paths and names with letter case folded for A-Z only, as the file system
// does for the ASCII names of system folders and DLLs.
char LowerAscii(char c);
bool StartsWithIgnoringCase(const std::string& text, const char* prefix);
bool EndsWithIgnoringCase(const std::string& text, const char* suffix);
bool EqualsIgnoringCase(const std::string& a, const std::string& b);
// folder + "\" + name, with exactly one backslash between them.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace platform
