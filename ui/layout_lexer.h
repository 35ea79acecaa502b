#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace DuiLib {

enum class LayoutTokenKind {
  kStartTag,      // "<Name"; text holds the name
  kAttributeName,
  kEquals,
  kAttributeValue,  // text holds the value with entities decoded
  kTagEnd,        // ">"
  kEmptyTagEnd,   // "/>"
  kEndTag,        // "</Name>"; text holds the name
  kEndOfInput,
  kError,         // text holds the reason
};

struct LayoutToken {
  LayoutTokenKind kind = LayoutTokenKind::kError;
  std::string text;
  size_t offset = 0;
};

// Splits a layout file into tokens. Lenient where the program's files need it: a quoted
// attribute value runs to its closing quote whatever it holds ("<", line breaks), and the
// declaration, comments, DOCTYPE, CDATA and text between elements are skipped.
class LayoutLexer {
 public:
  explicit LayoutLexer(std::string_view text) : text_(text) {}
  LayoutToken Next();

 private:
  LayoutToken NextOutsideTag();
  LayoutToken NextInsideTag();
  bool SkipPast(std::string_view terminator);
  std::string_view ReadName();
  void SkipSpace();
  LayoutToken Make(LayoutTokenKind kind, std::string text, size_t offset) const;

  std::string_view text_;
  size_t pos_ = 0;
  bool insideTag_ = false;
};

}  // namespace DuiLib
