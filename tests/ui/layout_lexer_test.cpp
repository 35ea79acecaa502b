#include "ui/layout_lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace DuiLib {
namespace {

// One line per token: a kind letter and the text.
std::vector<std::string> Lex(std::string_view text) {
  LayoutLexer lexer(text);
  std::vector<std::string> tokens;
  for (;;) {
    const LayoutToken token = lexer.Next();
    switch (token.kind) {
      case LayoutTokenKind::kStartTag: tokens.push_back("<" + token.text); break;
      case LayoutTokenKind::kAttributeName: tokens.push_back("N " + token.text); break;
      case LayoutTokenKind::kEquals: tokens.push_back("="); break;
      case LayoutTokenKind::kAttributeValue: tokens.push_back("V " + token.text); break;
      case LayoutTokenKind::kTagEnd: tokens.push_back(">"); break;
      case LayoutTokenKind::kEmptyTagEnd: tokens.push_back("/>"); break;
      case LayoutTokenKind::kEndTag: tokens.push_back("</" + token.text); break;
      case LayoutTokenKind::kEndOfInput: return tokens;
      case LayoutTokenKind::kError:
        tokens.push_back("error " + token.text + " @" + std::to_string(token.offset));
        return tokens;
    }
  }
}

using Tokens = std::vector<std::string>;

TEST(LayoutLexer, SkipsDeclarationCommentsDoctypeCdataAndText) {
  EXPECT_EQ(Lex("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!-- a <b> c -->"
                "<!DOCTYPE x><![CDATA[<Fake/>]]>stray text<A/>"),
            (Tokens{"<A", "/>"}));
  EXPECT_EQ(Lex(""), Tokens{});
  EXPECT_EQ(Lex("just text"), Tokens{});
}

TEST(LayoutLexer, AttributeValuesHoldAnythingUpToTheClosingQuote) {
  EXPECT_EQ(Lex("<Button text=\"<返回\" />"), (Tokens{"<Button", "N text", "=", "V <返回", "/>"}));
  EXPECT_EQ(Lex("<R text=\"line 1\r\nline 2\n\"></R>"),
            (Tokens{"<R", "N text", "=", "V line 1\r\nline 2\n", ">", "</R"}));
  EXPECT_EQ(Lex("<A v=\"  two  spaces \t\"/>"), (Tokens{"<A", "N v", "=", "V   two  spaces \t", "/>"}));
  EXPECT_EQ(Lex("<A v=\"file='x.png'\" w='say \"hi\"'/>"),
            (Tokens{"<A", "N v", "=", "V file='x.png'", "N w", "=", "V say \"hi\"", "/>"}));
  EXPECT_EQ(Lex("<A v=\"\"/>"), (Tokens{"<A", "N v", "=", "V ", "/>"}));
}

TEST(LayoutLexer, DecodesTheFiveEntitiesOnly) {
  EXPECT_EQ(Lex("<A v=\"&lt;&gt;&amp;&quot;&apos;\"/>"), (Tokens{"<A", "N v", "=", "V <>&\"'", "/>"}));
  EXPECT_EQ(Lex("<A v=\"&#60;&#x3C;&nbsp;&amp;lt; a & b &\"/>"),
            (Tokens{"<A", "N v", "=", "V &#60;&#x3C;&nbsp;&lt; a & b &", "/>"}));
}

TEST(LayoutLexer, KeepsNamesAsWritten) {
  EXPECT_EQ(Lex("<horizontalLayout Width=\"1\" 名前=\"2\"></HORIZONTALLAYOUT >"),
            (Tokens{"<horizontalLayout", "N Width", "=", "V 1", "N 名前", "=", "V 2", ">",
                    "</HORIZONTALLAYOUT"}));
}

TEST(LayoutLexer, ReportsWhereInputIsBroken) {
  EXPECT_EQ(Lex("<A/><!-- open"), (Tokens{"<A", "/>", "error unterminated comment @4"}));
  EXPECT_EQ(Lex("<?xml"), (Tokens{"error unterminated declaration @0"}));
  EXPECT_EQ(Lex("<![CDATA[x"), (Tokens{"error unterminated CDATA @0"}));
  EXPECT_EQ(Lex("<!DOCTYPE"), (Tokens{"error unterminated DOCTYPE @0"}));
  EXPECT_EQ(Lex("<A v=\"open/>"), (Tokens{"<A", "N v", "=", "error unterminated attribute value @5"}));
  EXPECT_EQ(Lex("<A"), (Tokens{"<A", "error unterminated tag @2"}));
  EXPECT_EQ(Lex("< A/>"), (Tokens{"error '<' without element name @0"}));
  EXPECT_EQ(Lex("<A / >"), (Tokens{"<A", "error '/' not followed by '>' @3"}));
  EXPECT_EQ(Lex("<A <B/>"), (Tokens{"<A", "error unexpected character in tag @3"}));
  EXPECT_EQ(Lex("</A"), (Tokens{"error malformed end tag @0"}));
  EXPECT_EQ(Lex("</ >"), (Tokens{"error malformed end tag @0"}));
}

}  // namespace
}  // namespace DuiLib
