// Tokens, lines and numbers: separators, quoting, comments, the byte cut, line numbers of token starts.
#include "scenario/scenario_tokenizer.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace vh {
namespace {

using Tokens = std::vector<std::pair<std::string, int>>;

Tokens tokensOf(std::string_view text) {
    ScenarioTokenizer t(text);
    Tokens out;
    std::string tok;
    for (;;) {
        const int end = t.nextToken(tok);
        if (end == kTokenFileEnd && tok.empty()) break;
        out.emplace_back(tok, end);
        if (end == kTokenFileEnd) break;
    }
    return out;
}

TEST(Tokenizer, SeparatorsAllSplitTheSameWay) {
    const Tokens expected = {{"a", kTokenMore}, {"b", kTokenLineEnd}};
    EXPECT_EQ(tokensOf("a,b\n"), expected);
    EXPECT_EQ(tokensOf("a b\n"), expected);
    EXPECT_EQ(tokensOf("a:b\n"), expected);
    EXPECT_EQ(tokensOf("a \t, b \r\n"), expected);
    EXPECT_EQ(tokensOf("a : b\n"), expected);
}

TEST(Tokenizer, CommentsAndLineEnds) {
    EXPECT_EQ(tokensOf("a // note, more\nb\n"), (Tokens{{"a", kTokenLineEnd}, {"b", kTokenLineEnd}}));
    EXPECT_EQ(tokensOf("/ whole line\n\n  x\n"), (Tokens{{"x", kTokenLineEnd}}));
    // A slash inside a token is an ordinary character.
    EXPECT_EQ(tokensOf("a/b c\n"), (Tokens{{"a/b", kTokenMore}, {"c", kTokenLineEnd}}));
    // The end of the text after a token.
    EXPECT_EQ(tokensOf("a"), (Tokens{{"a", kTokenFileEnd}}));
    EXPECT_EQ(tokensOf("a  "), (Tokens{{"a", kTokenFileEnd}}));
    EXPECT_EQ(tokensOf("a // c"), (Tokens{{"a", kTokenFileEnd}}));
}

TEST(Tokenizer, EmptyTokensBetweenSeparators) {
    EXPECT_EQ(tokensOf("a,,b\n"), (Tokens{{"a", kTokenMore}, {"", kTokenMore}, {"b", kTokenLineEnd}}));
    // Newlines before a token are skipped like blanks: a trailing comma joins the next line.
    EXPECT_EQ(tokensOf("a,\nb\n"), (Tokens{{"a", kTokenMore}, {"b", kTokenLineEnd}}));
}

TEST(Tokenizer, QuotesKeepBlanksAndSeparators) {
    EXPECT_EQ(tokensOf("\"a b, c:d\" e\n"), (Tokens{{"a b, c:d", kTokenMore}, {"e", kTokenLineEnd}}));
    EXPECT_EQ(tokensOf("\"\",x\n"), (Tokens{{"", kTokenMore}, {"x", kTokenLineEnd}}));
    EXPECT_EQ(tokensOf("ab\"c d\"e\n"), (Tokens{{"abc de", kTokenLineEnd}}));
    // A newline ends a token even inside quotes.
    EXPECT_EQ(tokensOf("\"open\nnext\n"), (Tokens{{"open", kTokenLineEnd}, {"next", kTokenLineEnd}}));
    // A quote after a blank begins the next token.
    EXPECT_EQ(tokensOf("a \"b c\"\n"), (Tokens{{"a", kTokenMore}, {"b c", kTokenLineEnd}}));
}

TEST(Tokenizer, CrLfIsOneNewlineButALoneCrIsABlank) {
    EXPECT_EQ(tokensOf("\"a\r\nb\r\n"), (Tokens{{"a", kTokenLineEnd}, {"b", kTokenLineEnd}}));
    EXPECT_EQ(tokensOf("\"a\rb\"\n"), (Tokens{{"a\rb", kTokenLineEnd}}));
}

TEST(Tokenizer, LongTokensAreCutWithoutNotice) {
    const std::string text = std::string(150, 'x') + ",y\n";
    ScenarioTokenizer t(text);
    std::string tok;
    EXPECT_EQ(t.nextToken(tok), kTokenMore);
    EXPECT_EQ(tok, std::string(99, 'x'));
    EXPECT_EQ(t.nextToken(tok), kTokenLineEnd);
    EXPECT_EQ(tok, "y");

    const std::string line = std::string(250, 'z') + "\n";
    ScenarioTokenizer opening(line);
    EXPECT_EQ(opening.nextToken(tok, kOpeningTokenCapacity), kTokenLineEnd);
    EXPECT_EQ(tok.size(), 199u);
}

TEST(Tokenizer, LineNumbersCountFromTheTokenStart) {
    ScenarioTokenizer t("a\n\n// comment\n\n   b, c\nd // x\n\"e\nf\"\n");
    std::string tok;
    std::vector<std::pair<std::string, int>> seen;
    while (t.nextToken(tok) != kTokenFileEnd || !tok.empty())
        seen.emplace_back(tok, t.tokenLine());
    const std::vector<std::pair<std::string, int>> expected = {{"a", 1}, {"b", 5}, {"c", 5},
                                                               {"d", 6}, {"e", 7}, {"f", 8}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(t.line(), 9);
}

TEST(Tokenizer, RawOffsetsOfTokens) {
    ScenarioTokenizer t("ab cd\r\nef");
    std::string tok;
    t.nextToken(tok);
    EXPECT_EQ(t.tokenStart(), 0u);
    EXPECT_EQ(t.rawPosition(), 3u); // "c" was read ahead and handed back
    t.nextToken(tok);
    EXPECT_EQ(t.tokenStart(), 3u);
    EXPECT_EQ(t.rawPosition(), 7u);
    t.nextToken(tok);
    EXPECT_EQ(t.tokenStart(), 7u);
}

TEST(Numbers, Integers) {
    EXPECT_EQ(parseInteger("123"), 123);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("-7"), -7);
    EXPECT_EQ(parseInteger("-"), 0);
    EXPECT_EQ(parseInteger("+"), 0);
    EXPECT_EQ(parseInteger("007"), 7);
    EXPECT_FALSE(parseInteger(""));
    EXPECT_FALSE(parseInteger("12a"));
    EXPECT_FALSE(parseInteger("1-2"));
    EXPECT_FALSE(parseInteger(" 1"));
    EXPECT_FALSE(parseInteger("1.0"));
    EXPECT_EQ(parseInteger("99999999999999999999999"), 2147483647);
    EXPECT_EQ(parseInteger("-99999999999999999999999"), -2147483647 - 1);
}

TEST(Numbers, Reals) {
    EXPECT_DOUBLE_EQ(*parseReal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(*parseReal("300.0"), 300.0);
    EXPECT_DOUBLE_EQ(*parseReal("-1.25"), -1.25);
    EXPECT_DOUBLE_EQ(*parseReal("+2"), 2.0);
    EXPECT_DOUBLE_EQ(*parseReal("5."), 5.0);
    EXPECT_DOUBLE_EQ(*parseReal("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(*parseReal("."), 0.0);
    EXPECT_FALSE(parseReal("1.5.2"));
    EXPECT_FALSE(parseReal(""));
    EXPECT_FALSE(parseReal("1e5"));
    EXPECT_FALSE(parseReal("1,5"));
    EXPECT_FALSE(parseReal("..1"));
}

} // namespace
} // namespace vh
