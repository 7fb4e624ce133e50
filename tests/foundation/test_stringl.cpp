#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "foundation/Zel_stringl.h"

using namespace zel;

TEST(Strff, FixedDecimalsWidthAndSign) {
  EXPECT_EQ(strff(3.14159, 1, 2), "3.14");
  EXPECT_EQ(strff(-3.14159, 1, 3), "-3.142");
  EXPECT_EQ(strff(1.5, 8, 2), "    1.50");
  EXPECT_EQ(strff(12345.678, 3, 1), "12345.7");  // a narrow field never cuts
  EXPECT_EQ(strff(2.0, 1, 0), "2");
  EXPECT_EQ(strff(-0.001, 1, 2), "0.00");  // rounds to zero: no "-0.00"
  EXPECT_EQ(strff(1e20, 1, 0), "100000000000000000000");
}

TEST(Strff, NegativeDecimalsGiveShortestTextAndLimitsHold) {
  EXPECT_EQ(strff(0.1, 1, -1), "0.1");
  EXPECT_EQ(strff(1e300, 1, -1), "1e+300");
  // Decimals above 30 and widths above 255 are limited, not obeyed to exhaustion.
  EXPECT_EQ(strff(1.0, 1, 1000).size(), 32u);
  EXPECT_EQ(strff(1.0, 100000, 0).size(), 255u);
  EXPECT_EQ(strff(std::numeric_limits<double>::max(), 1, 0).size(), 309u);
}

TEST(Strff, NonFiniteValues) {
  EXPECT_EQ(strff(std::nan(""), 1, 2), "NaN");
  EXPECT_EQ(strff(INFINITY, 1, 2), "Inf");
  EXPECT_EQ(strff(-INFINITY, 5, 2), " -Inf");
}

TEST(NumberedPos, CountsOccurrencesFromStart) {
  EXPECT_EQ(NumberedPos("ab", "xxabyyabzzab", 1, 1, false), 3);
  EXPECT_EQ(NumberedPos("ab", "xxabyyabzzab", 1, 2, false), 7);
  EXPECT_EQ(NumberedPos("ab", "xxabyyabzzab", 4, 1, false), 7);  // at or after Start
  EXPECT_EQ(NumberedPos("ab", "xxabyyabzzab", 1, 4, false), 0);
  EXPECT_EQ(NumberedPos("ab", "xxab", -5, 1, false), 3);
  EXPECT_EQ(NumberedPos("ab", "xxab", 4, 1, false), 0);
  EXPECT_EQ(NumberedPos("ab", "xxab", 1, 0, false), 0);
  EXPECT_EQ(NumberedPos("", "xxab", 1, 1, false), 0);
  EXPECT_EQ(NumberedPos("aa", "aaaa", 1, 2, false), 3);  // matches do not overlap
}

TEST(NumberedPos, CountsCharactersAndFoldsCase) {
  EXPECT_EQ(NumberedPos("é", "aébé", 1, 2, false), 4);
  EXPECT_EQ(NumberedPos("b", "ééb", 1, 1, false), 3);
  EXPECT_EQ(NumberedPos("ÄB", "xxäb", 1, 1, true), 3);
  EXPECT_EQ(NumberedPos("ÄB", "xxäb", 1, 1, false), 0);
  EXPECT_EQ(NumberedPos("AB", "xaBxAb", 1, 2, true), 5);
}

TEST(Tokenize, DropsEmptyPiecesAndReplacesTokens) {
  std::vector<std::string> t = {"stale"};
  EXPECT_EQ(Tokenize("/home//user/docs/", "/", t), 3);
  EXPECT_EQ(t, (std::vector<std::string>{"home", "user", "docs"}));
  EXPECT_EQ(Tokenize(";;;", ";", t), 0);
  EXPECT_TRUE(t.empty());
  EXPECT_EQ(Tokenize("", ";", t), 0);
  EXPECT_EQ(Tokenize("a b;c", "; ", t), 3);
  EXPECT_EQ(Tokenize("abc", "", t), 1);
  EXPECT_EQ(t[0], "abc");
}

TEST(Tokenize, DelimitersAreWholeCharacters) {
  std::vector<std::string> t;
  // "·" is C2 B7; "é" is C3 A9: a byte-wise split would cut characters apart.
  EXPECT_EQ(Tokenize("é·ü·ß", "·", t), 3);
  EXPECT_EQ(t, (std::vector<std::string>{"é", "ü", "ß"}));
  EXPECT_EQ(Tokenize("aéb", "\xC3", t), 1);
}

TEST(ReplaceChar, ReplacesEveryCharacterIncludingMultiByte) {
  EXPECT_EQ(ReplaceCharInString("a\\b\\c", U'\\', U'/'), "a/b/c");
  EXPECT_EQ(ReplaceCharInString("café crème", U'é', U'e'), "cafe crème");
  EXPECT_EQ(ReplaceCharInString("a-b", U'-', U'→'), "a→b");
  EXPECT_EQ(ReplaceCharInString("", U'a', U'b'), "");
  EXPECT_EQ(ReplaceCharInString("abc", U'b', char32_t(0xD800)), "abc");
  // An invalid byte is not the replacement character.
  EXPECT_EQ(ReplaceCharInString("x\xFFy\uFFFD", U'\uFFFD', U'?'), "x\xFFy?");
}

TEST(TrailingChars, EnsureAppendsOnlyWhenMissing) {
  EXPECT_EQ(EnsureTrailingBkSlash(""), "/");
  EXPECT_EQ(EnsureTrailingBkSlash("/usr"), "/usr/");
  EXPECT_EQ(EnsureTrailingBkSlash("/usr/"), "/usr/");
  EXPECT_EQ(EnsureTrailingChar(U'é', "caf"), "café");
  EXPECT_EQ(EnsureTrailingChar(U'é', "café"), "café");
  EXPECT_EQ(EnsureTrailingChar(char32_t(0x110000), "x"), "x");
}

TEST(StripChars, RemovesWholeRunsOnOneSide) {
  EXPECT_EQ(StripLeadingChars(U'/', "///a//"), "a//");
  EXPECT_EQ(StripTrailingChars(U'/', "///a//"), "///a");
  EXPECT_EQ(StripLeadingChars(U'/', "////"), "");
  EXPECT_EQ(StripTrailingChars(U'/', ""), "");
  EXPECT_EQ(StripTrailingChars(U'é', "aéé"), "a");
  EXPECT_EQ(StripLeadingChars(U'x', "abc"), "abc");
}

TEST(RemoveControlChars, DropsC0DelAndC1ButKeepsText) {
  EXPECT_EQ(RemoveControlChars("a\tb\r\nc\x7f"
                               "d\xC2\x85"
                               "e"),
            "abcde");
  EXPECT_EQ(RemoveControlChars(std::string("x\0y", 3)), "xy");
  EXPECT_EQ(RemoveControlChars("größe €"), "größe €");
  EXPECT_EQ(RemoveControlChars("\xFF\x85"), "\xFF\x85");  // stray bytes are not controls
}

TEST(LeftString, CountsCharactersAndNeverSplits) {
  EXPECT_EQ(LeftString("häßlich", 3), "häß");
  EXPECT_EQ(LeftString("abc", 10), "abc");
  EXPECT_EQ(LeftString("abc", 0), "");
  EXPECT_EQ(LeftString("abc", -1), "");
  EXPECT_EQ(LeftString("€€", 1), "€");
  EXPECT_EQ(LeftString("\xFF"
                       "ab",
                       2),
            "\xFF"
            "a");
  EXPECT_EQ(LeftString("a\xE2\x82", 2), "a\xE2");  // a cut-off sequence: one byte each
  EXPECT_EQ(Utf8Length("a€\xFF"), 3u);
}
