#include "ui/layout_lexer.h"

#include "ui/layout_entities.h"

namespace DuiLib {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Anything that cannot end a name belongs to it, so UTF-8 names pass through.
bool IsNameChar(char c) {
  switch (c) {
    case '<': case '>': case '/': case '=': case '"': case '\'': case '\0':
      return false;
    default:
      return !IsSpace(c);
  }
}

}  // namespace

LayoutToken LayoutLexer::Make(LayoutTokenKind kind, std::string text, size_t offset) const {
  LayoutToken token;
  token.kind = kind;
  token.text = std::move(text);
  token.offset = offset;
  return token;
}

void LayoutLexer::SkipSpace() {
  while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
}

std::string_view LayoutLexer::ReadName() {
  const size_t start = pos_;
  while (pos_ < text_.size() && IsNameChar(text_[pos_])) ++pos_;
  return text_.substr(start, pos_ - start);
}

bool LayoutLexer::SkipPast(std::string_view terminator) {
  const size_t end = text_.find(terminator, pos_);
  if (end == std::string_view::npos) return false;
  pos_ = end + terminator.size();
  return true;
}

LayoutToken LayoutLexer::Next() {
  return insideTag_ ? NextInsideTag() : NextOutsideTag();
}

LayoutToken LayoutLexer::NextOutsideTag() {
  for (;;) {
    const size_t open = text_.find('<', pos_);
    if (open == std::string_view::npos) {
      pos_ = text_.size();
      return Make(LayoutTokenKind::kEndOfInput, {}, pos_);
    }
    pos_ = open;
    const std::string_view rest = text_.substr(open);
    if (rest.substr(0, 4) == "<!--") {
      pos_ += 4;
      if (!SkipPast("-->")) return Make(LayoutTokenKind::kError, "unterminated comment", open);
    } else if (rest.substr(0, 9) == "<![CDATA[") {
      pos_ += 9;
      if (!SkipPast("]]>")) return Make(LayoutTokenKind::kError, "unterminated CDATA", open);
    } else if (rest.substr(0, 2) == "<?") {
      pos_ += 2;
      if (!SkipPast("?>")) return Make(LayoutTokenKind::kError, "unterminated declaration", open);
    } else if (rest.substr(0, 2) == "<!") {
      pos_ += 2;
      if (!SkipPast(">")) return Make(LayoutTokenKind::kError, "unterminated DOCTYPE", open);
    } else if (rest.substr(0, 2) == "</") {
      pos_ += 2;
      const std::string_view name = ReadName();
      SkipSpace();
      if (name.empty() || pos_ >= text_.size() || text_[pos_] != '>') {
        return Make(LayoutTokenKind::kError, "malformed end tag", open);
      }
      ++pos_;
      return Make(LayoutTokenKind::kEndTag, std::string(name), open);
    } else {
      ++pos_;
      const std::string_view name = ReadName();
      if (name.empty()) return Make(LayoutTokenKind::kError, "'<' without element name", open);
      insideTag_ = true;
      return Make(LayoutTokenKind::kStartTag, std::string(name), open);
    }
  }
}

LayoutToken LayoutLexer::NextInsideTag() {
  SkipSpace();
  const size_t start = pos_;
  if (pos_ >= text_.size()) return Make(LayoutTokenKind::kError, "unterminated tag", start);
  const char c = text_[pos_];
  if (c == '>') {
    ++pos_;
    insideTag_ = false;
    return Make(LayoutTokenKind::kTagEnd, {}, start);
  }
  if (c == '/') {
    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '>') {
      pos_ += 2;
      insideTag_ = false;
      return Make(LayoutTokenKind::kEmptyTagEnd, {}, start);
    }
    return Make(LayoutTokenKind::kError, "'/' not followed by '>'", start);
  }
  if (c == '=') {
    ++pos_;
    return Make(LayoutTokenKind::kEquals, {}, start);
  }
  if (c == '"' || c == '\'') {
    const size_t close = text_.find(c, pos_ + 1);
    if (close == std::string_view::npos) {
      return Make(LayoutTokenKind::kError, "unterminated attribute value", start);
    }
    const std::string_view raw = text_.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close + 1;
    return Make(LayoutTokenKind::kAttributeValue, DecodeLayoutEntities(raw), start);
  }
  const std::string_view name = ReadName();
  if (name.empty()) return Make(LayoutTokenKind::kError, "unexpected character in tag", start);
  return Make(LayoutTokenKind::kAttributeName, std::string(name), start);
}

}  // namespace DuiLib
