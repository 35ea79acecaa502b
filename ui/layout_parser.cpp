#include "ui/layout_parser.h"

#include "ui/ascii_case.h"
#include "ui/layout_lexer.h"
#include "ui/layout_text_decoding.h"

namespace DuiLib {

namespace {

class LayoutParser {
 public:
  explicit LayoutParser(std::string_view text) : lexer_(text) {}

  bool ParseDocument(LayoutElement* root) {
    LayoutToken token = lexer_.Next();
    if (token.kind == LayoutTokenKind::kEndOfInput) return Fail("no element", token.offset);
    if (token.kind != LayoutTokenKind::kStartTag) return FailOn(token);
    if (!ParseElement(token, root, 1)) return false;
    token = lexer_.Next();
    if (token.kind == LayoutTokenKind::kStartTag) {
      return Fail("more than one root element", token.offset);
    }
    if (token.kind != LayoutTokenKind::kEndOfInput) return FailOn(token);
    return true;
  }

  const LayoutParseError& error() const { return error_; }

 private:
  bool ParseElement(const LayoutToken& start, LayoutElement* element, size_t depth) {
    if (depth > kMaxLayoutDepth) return Fail("elements nested too deeply", start.offset);
    element->name = start.text;
    element->offset = start.offset;
    if (!ParseAttributes(element)) return false;
    if (lastTagWasEmpty_) return true;
    for (;;) {
      const LayoutToken token = lexer_.Next();
      if (token.kind == LayoutTokenKind::kStartTag) {
        element->children.emplace_back();
        if (!ParseElement(token, &element->children.back(), depth + 1)) return false;
      } else if (token.kind == LayoutTokenKind::kEndTag) {
        if (!EqualsIgnoringAsciiCase(token.text, element->name)) {
          return Fail("</" + token.text + "> closes <" + element->name + ">", token.offset);
        }
        return true;
      } else if (token.kind == LayoutTokenKind::kEndOfInput) {
        return Fail("<" + element->name + "> is not closed", element->offset);
      } else {
        return FailOn(token);
      }
    }
  }

  // Reads attributes up to the end of the start tag; remembers whether it was "/>".
  bool ParseAttributes(LayoutElement* element) {
    for (;;) {
      LayoutToken token = lexer_.Next();
      if (token.kind == LayoutTokenKind::kTagEnd || token.kind == LayoutTokenKind::kEmptyTagEnd) {
        lastTagWasEmpty_ = token.kind == LayoutTokenKind::kEmptyTagEnd;
        return true;
      }
      if (token.kind != LayoutTokenKind::kAttributeName) return FailOn(token);
      LayoutAttribute attribute;
      attribute.name = std::move(token.text);
      const size_t nameOffset = token.offset;
      token = lexer_.Next();
      if (token.kind == LayoutTokenKind::kError) return FailOn(token);
      if (token.kind != LayoutTokenKind::kEquals) {
        return Fail("attribute '" + attribute.name + "' has no value", nameOffset);
      }
      token = lexer_.Next();
      if (token.kind == LayoutTokenKind::kError) return FailOn(token);
      if (token.kind != LayoutTokenKind::kAttributeValue) {
        return Fail("attribute '" + attribute.name + "' has no quoted value", token.offset);
      }
      attribute.value = std::move(token.text);
      element->attributes.push_back(std::move(attribute));
    }
  }

  bool FailOn(const LayoutToken& token) {
    switch (token.kind) {
      case LayoutTokenKind::kError: return Fail(token.text, token.offset);
      case LayoutTokenKind::kEndTag: return Fail("stray </" + token.text + ">", token.offset);
      case LayoutTokenKind::kEndOfInput: return Fail("unexpected end of file", token.offset);
      default: return Fail("unexpected token", token.offset);
    }
  }

  bool Fail(std::string message, size_t offset) {
    error_.message = std::move(message);
    error_.offset = offset;
    return false;
  }

  LayoutLexer lexer_;
  LayoutParseError error_;
  bool lastTagWasEmpty_ = false;
};

}  // namespace

bool ParseLayout(std::string_view bytes, LayoutElement* root, LayoutParseError* error) {
  const std::string text = DecodeLayoutText(bytes);
  LayoutParser parser(text);
  *root = LayoutElement{};
  if (parser.ParseDocument(root)) return true;
  if (error != nullptr) *error = parser.error();
  *root = LayoutElement{};
  return false;
}

}  // namespace DuiLib
