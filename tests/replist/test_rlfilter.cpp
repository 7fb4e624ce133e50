#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "replist/ZEL_replist_filter.h"

using namespace zel;

namespace {

using Strings = std::vector<std::string>;

bool Simple(const std::string& pat, const std::string& text, bool ignoreCase = false) {
  return TRowFilter(pat, fmSimple, ignoreCase).MatchesText(text);
}

bool Boolean(const std::string& exp, const std::string& text) {
  return TRowFilter(exp, fmBoolean, false).MatchesText(text);
}

// The message of the error a filter expression raises, "" when it compiles.
std::string CompileError(const std::string& exp, TFilterMode mode) {
  try {
    TRowFilter f(exp, mode, false);
  } catch (const EZELRepListError& e) {
    return e.what();
  }
  return "";
}

// A measurement list: channel, value, unit, status (a check column).
struct MeasurementTable : ::testing::Test {
  TRLData t{nullptr};
  void SetUp() override {
    const std::vector<Strings> rows = {
        {"CH1", "12.5", "V", "ok"},      {"CH2", "0.31", "A", "low battery"},
        {"CH10", "230", "V", "ok"},      {"CH11", "-4", "°C", "sensor fault"},
        {"Temp Außen", "7", "°C", "ok"},
    };
    t.SetNrOfColumns(4);
    t.SetNrOfRows(int(rows.size()));
    t.SetColumnCheckMode(4, cmBox);
    for (size_t r = 0; r < rows.size(); ++r)
      for (size_t c = 0; c < rows[r].size(); ++c) t.SetElem(int(c) + 1, int(r) + 1, rows[r][c]);
    t.SetElemChecked(4, 1, true);
  }
  // The displayed rows FilterRows keeps, by their channel name.
  Strings Kept(const TRowFilter& f, const std::vector<int>& cols = {},
               const TBeforeFilterEvent& hook = nullptr) {
    const std::vector<uint8_t> keep = FilterRows(t, f, cols, hook, nullptr);
    EXPECT_EQ(keep.size(), size_t(t.NrOfRows()) + 1);
    Strings out;
    for (int r = 1; r <= t.NrOfRows(); ++r)
      if (keep[size_t(r)]) out.push_back(t.Elem(1, r));
    return out;
  }
  Strings Kept(const std::string& exp, TFilterMode mode, bool ignoreCase = false,
               const std::vector<int>& cols = {}) {
    return Kept(TRowFilter(exp, mode, ignoreCase), cols);
  }
};

}  // namespace

TEST(RowFilterSimple, SubstringAndWildcards) {
  EXPECT_TRUE(Simple("H1", "CH1"));
  EXPECT_FALSE(Simple("h1", "CH1"));
  EXPECT_TRUE(Simple("*CH1", "CH1"));
  EXPECT_TRUE(Simple("CH1*", "CH1"));
  EXPECT_TRUE(Simple("*", ""));
  EXPECT_TRUE(Simple("C*1", "CH11"));
  EXPECT_TRUE(Simple("C?1", "CH1"));
  EXPECT_FALSE(Simple("C?1", "C1"));
  EXPECT_TRUE(Simple("CH1?", "CH10"));
  EXPECT_FALSE(Simple("CH1?", "CH1"));
  EXPECT_TRUE(Simple("a*b*c", "xxaxxbxxcxx"));
  EXPECT_FALSE(Simple("a*b*c", "xxcxxbxxaxx"));
  // The star backs off to find a later start of its tail.
  EXPECT_TRUE(Simple("ab*abc", "ababab_ababc"));
  EXPECT_FALSE(Simple("x", ""));
}

TEST(RowFilterSimple, QuestionMarkTakesOneCodePoint) {
  EXPECT_TRUE(Simple("?C", "°C"));
  EXPECT_TRUE(Simple("-?C", "-°C"));
  EXPECT_FALSE(Simple("-??C", "-°C"));  // "°" is two bytes but one character
  EXPECT_TRUE(Simple("Stra?e", "Straße"));
}

TEST(RowFilterSimple, IgnoreCaseFoldsLikeTheSort) {
  EXPECT_TRUE(Simple("ä", "ÄUSSERE", true));
  EXPECT_TRUE(Simple("Ä", "Bär", true));
  EXPECT_FALSE(Simple("Ä", "Bär", false));
  EXPECT_TRUE(Simple("strasse", "Straße", true));
  EXPECT_TRUE(Simple("STRAßE", "strasse", true));
  EXPECT_TRUE(Simple("ch?0", "CH10", true));
  EXPECT_TRUE(Simple("ΩMEGA", "ωmega", true));
}

// Against the same pattern written as a regular expression: "*" is ".*", "?"
// is "." (one code point in RE2's UTF-8 mode).
TEST(RowFilterSimple, AgreesWithTheEquivalentRegularExpression) {
  const char* const patPieces[] = {"a", "b", "é", "*", "?"};
  const char* const textPieces[] = {"a", "b", "é"};
  uint32_t seed = 99;
  const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (int i = 0; i < 3000; ++i) {
    std::string pat, regex, text;
    for (unsigned n = 1 + next() % 5; n > 0; --n) {
      const std::string piece = patPieces[next() % 5];
      pat += piece;
      regex += piece == "*" ? ".*" : piece == "?" ? "." : piece;
    }
    for (unsigned n = next() % 8; n > 0; --n) text += textPieces[next() % 3];
    ASSERT_EQ(Simple(pat, text), TRowFilter(regex, fmGrep, false).MatchesText(text))
        << "pattern " << pat << " text " << text;
  }
}

TEST(RowFilterSimple, LongTextsWithManyStarsStayCheap) {
  // Exponential backtracking would never finish this.
  const std::string text(20000, 'a');
  EXPECT_FALSE(Simple("a*a*a*a*a*a*a*a*a*a*b", text));
  EXPECT_TRUE(Simple("a*a*a*a*a*a*a*a*a*a*a", text));
}

TEST(RowFilterBoolean, PrecedenceParenthesesAndJuxtaposition) {
  // NOT > AND > OR: "a OR b AND c" is "a OR (b AND c)".
  EXPECT_TRUE(Boolean("a OR b AND c", "a"));
  EXPECT_FALSE(Boolean("a OR b AND c", "b"));
  EXPECT_FALSE(Boolean("(a OR b) AND c", "a"));
  EXPECT_TRUE(Boolean("(a OR b) AND c", "bc"));
  EXPECT_TRUE(Boolean("NOT a AND b", "b"));
  EXPECT_FALSE(Boolean("NOT (a OR b)", "b"));
  EXPECT_TRUE(Boolean("NOT NOT a", "a"));
  EXPECT_TRUE(Boolean("a b", "ba"));
  EXPECT_FALSE(Boolean("a b", "a"));
  EXPECT_TRUE(Boolean("x and y or z", "z"));  // keywords in any case
  EXPECT_TRUE(Boolean("C?1 OR *fault", "sensor fault"));
  EXPECT_TRUE(Boolean("android", "android"));  // a keyword inside a word is a term
}

TEST(RowFilterBoolean, QuotedTerms) {
  EXPECT_TRUE(Boolean("\"low battery\"", "CH2 low battery"));
  EXPECT_FALSE(Boolean("\"low battery\"", "battery low"));
  EXPECT_TRUE(Boolean("\"OR\"", "OR gate"));
  EXPECT_FALSE(Boolean("\"OR\"", "gate"));
  EXPECT_TRUE(Boolean("\"say \"\"hi\"\"\"", "they say \"hi\""));
  EXPECT_TRUE(TRowFilter("   ", fmBoolean, false).MatchesAll());
}

TEST(RowFilterBoolean, MalformedExpressionsNameThePosition) {
  const struct {
    const char* exp;
    const char* message;
  } cases[] = {
      {"CH1 AND", "position 8: expected a term, found the end of the expression"},
      {"OR CH1", "position 1: expected a term, found \"OR\""},
      {"(CH1 OR CH2", "position 12: expected \")\", found the end of the expression"},
      {"CH1)", "position 4: expected an operator or the end, found \")\""},
      {"()", "position 2: expected a term, found \")\""},
      {"CH1 \"\"", "position 5: expected a term, found an empty quoted term"},
      {"a \"low bat", "position 3: unterminated quote"},
      {"NOT", "position 4: expected a term"},
      {"°C AND AND", "position 8: expected a term, found \"AND\""},  // counts characters
  };
  for (const auto& c : cases) {
    const std::string msg = CompileError(c.exp, fmBoolean);
    EXPECT_NE(msg.find(std::string("Invalid filter expression at ") + c.message), std::string::npos)
        << c.exp << " gave: " << msg;
  }
}

TEST(RowFilterBoolean, NestingIsLimited) {
  const int deep = kMaxFilterNesting + 1;
  EXPECT_NE(
      CompileError(std::string(size_t(deep), '(') + "a" + std::string(size_t(deep), ')'), fmBoolean)
          .find("nested deeper than"),
      std::string::npos);
  std::string nots;
  for (int i = 0; i < 100000; ++i) nots += "NOT ";
  EXPECT_NE(CompileError(nots + "a", fmBoolean).find("nested deeper than"), std::string::npos);
  const int ok = kMaxFilterNesting;
  TRowFilter f(std::string(size_t(ok), '(') + "a" + std::string(size_t(ok), ')'), fmBoolean, false);
  EXPECT_TRUE(f.MatchesText("a"));
  // A long flat chain is no nesting at all.
  std::string chain = "x";
  for (int i = 0; i < 50000; ++i) chain += " OR x";
  EXPECT_TRUE(TRowFilter(chain, fmBoolean, false).MatchesText("x"));
}

TEST(RowFilterGrep, SearchesAndIgnoresCase) {
  EXPECT_TRUE(TRowFilter("H1[0-9]", fmGrep, false).MatchesText("CH10"));
  EXPECT_FALSE(TRowFilter("^H1", fmGrep, false).MatchesText("CH10"));
  EXPECT_FALSE(TRowFilter("ch1", fmGrep, false).MatchesText("CH1"));
  EXPECT_TRUE(TRowFilter("ch1", fmGrep, true).MatchesText("CH1"));
  EXPECT_TRUE(TRowFilter("^ä.$", fmGrep, true).MatchesText("Ää"));  // one code point a dot
  EXPECT_TRUE(TRowFilter("", fmGrep, false).MatchesAll());
}

TEST(RowFilterGrep, HostilePatternsFinishOrFailCleanly) {
  const std::string as(10000, 'a');
  const TRowFilter nested("(a*)*b", fmGrep, false);
  EXPECT_FALSE(nested.MatchesText(as));
  EXPECT_TRUE(nested.MatchesText(as + "b"));
  EXPECT_EQ(CompileError("a{1000}{1000}", fmGrep),
            "Invalid regular expression: bad repetition operator: {1000}{1000}");
  EXPECT_EQ(CompileError("(\\pL{1000})", fmGrep),
            "Invalid regular expression: pattern too large - compile failed");
  EXPECT_EQ(CompileError("CH(1", fmGrep), "Invalid regular expression: missing ): CH(1");
}

TEST_F(MeasurementTable, AnyListedColumnMatches) {
  EXPECT_EQ(Kept("V", fmSimple), (Strings{"CH1", "CH10"}));
  EXPECT_EQ(Kept("V", fmSimple, false, {1}), Strings{});
  EXPECT_EQ(Kept("1", fmSimple, false, {1}), (Strings{"CH1", "CH10", "CH11"}));
  // Out-of-range numbers are skipped; only column 3 is left.
  EXPECT_EQ(Kept("V", fmSimple, false, {0, 3, 99, -1}), (Strings{"CH1", "CH10"}));
  EXPECT_EQ(Kept("CH", fmSimple, false, {0, 99}), Strings{});
  EXPECT_EQ(Kept("NOT CH", fmBoolean, false, {0, 99}), Strings{});
  EXPECT_EQ(Kept("", fmBoolean, false, {0, 99}).size(), 5u);
  EXPECT_FALSE(TRowFilter("*", fmSimple, false).MatchesRow(t, 6, {}));
  EXPECT_FALSE(TRowFilter("", fmSimple, false).MatchesRow(t, 0, {}));
  EXPECT_EQ(Kept("", fmSimple).size(), 5u);
  EXPECT_EQ(Kept("außen", fmSimple, true), Strings{"Temp Außen"});
  EXPECT_EQ(Kept("°c$", fmGrep, true, {3}), (Strings{"CH11", "Temp Außen"}));
}

TEST_F(MeasurementTable, BooleanTermsMayMatchInDifferentColumns) {
  EXPECT_EQ(Kept("CH1* AND V", fmBoolean), (Strings{"CH1", "CH10"}));
  EXPECT_EQ(Kept("°C NOT fault", fmBoolean), Strings{"Temp Außen"});
  EXPECT_EQ(Kept("\"low battery\" OR (CH1? AND 230)", fmBoolean), (Strings{"CH2", "CH10"}));
}

TEST_F(MeasurementTable, CheckFlagsNeverMatch) {
  // Row 1's status is stored as "Xok", the others as " ...".
  EXPECT_EQ(Kept("X", fmSimple, false, {4}), Strings{});
  EXPECT_EQ(Kept("^ok", fmGrep, false, {4}), (Strings{"CH1", "CH10", "Temp Außen"}));
  EXPECT_TRUE(TRowFilter("^ok$", fmGrep, false).MatchesRow(t, 1, {4}));
  EXPECT_FALSE(TRowFilter("ok", fmGrep, false).MatchesRow(t, 2, {4}));
}

TEST_F(MeasurementTable, HookCombinesUnderEachLogicOp) {
  const TRowFilter f("V", fmSimple, false);  // internal result: rows 1 and 3
  // The hook says yes to rows 1 and 2.
  const auto hook = [](TLogicOp op) {
    return [op](host::TObject*, int row, bool& found, TLogicOp& combine) {
      found = row <= 2;
      combine = op;
    };
  };
  EXPECT_EQ(Kept(f, {}, hook(loAnd)), Strings{"CH1"});
  EXPECT_EQ(Kept(f, {}, hook(loOr)), (Strings{"CH1", "CH2", "CH10"}));
  EXPECT_EQ(Kept(f, {}, hook(loXor)), (Strings{"CH2", "CH10"}));
  EXPECT_EQ(Kept(f, {}, hook(loNone)), (Strings{"CH1", "CH2"}));
  // A hook that changes nothing keeps the internal result.
  EXPECT_EQ(Kept(f, {}, [](host::TObject*, int, bool&, TLogicOp&) {}), (Strings{"CH1", "CH10"}));
}

TEST_F(MeasurementTable, HookSeesEveryRowInOrderWithItsSender) {
  const TRowFilter f("", fmSimple, false);
  host::TObject sender;
  std::vector<int> seen;
  const std::vector<uint8_t> keep = FilterRows(
      t, f, {},
      [&](host::TObject* s, int row, bool& found, TLogicOp& op) {
        EXPECT_EQ(s, &sender);
        EXPECT_TRUE(found);
        EXPECT_EQ(op, loAnd);
        seen.push_back(row);
        found = row != 3;
      },
      &sender);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(keep, (std::vector<uint8_t>{0, 1, 1, 0, 1, 1}));
}

TEST_F(MeasurementTable, FiltersTheDisplayedOrder) {
  t.Sort(1, -1, false);  // CH1 is now last
  const std::vector<uint8_t> keep =
      FilterRows(t, TRowFilter("^CH1$", fmGrep, false), {1}, nullptr, nullptr);
  ASSERT_EQ(keep.size(), 6u);
  EXPECT_EQ(t.Elem(1, 5), "CH1");
  EXPECT_EQ(keep, (std::vector<uint8_t>{0, 0, 0, 0, 0, 1}));
}
