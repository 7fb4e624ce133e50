#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/Zel_filesys.h"
#include "foundation/Zel_math1.h"
#include "foundation/Zel_streams.h"
#include "foundation/Zel_univconst.h"

using namespace zel;
namespace fs = std::filesystem;

TEST(ParentDir, WorksFromTheTextUpToTheRoot) {
  EXPECT_EQ(ParentDir("/"), "");
  EXPECT_EQ(ParentDir("/a"), "/");
  EXPECT_EQ(ParentDir("/a/b/"), "/a/");
  EXPECT_EQ(ParentDir("/a/b"), "/a/");
  EXPECT_EQ(ParentDir("/a//b//"), "/a/");
  EXPECT_EQ(ParentDir("a/b"), "a/");
  EXPECT_EQ(ParentDir("a/"), "");
  EXPECT_EQ(ParentDir("a"), "");
  EXPECT_EQ(ParentDir(""), "");
  EXPECT_EQ(ParentDir("//"), "");
  // Climbing always ends, as the folder tree's refresh relies on.
  std::string p = "/usr/share/doc/x/";
  int steps = 0;
  while (!p.empty() && steps < 10) p = ParentDir(p), ++steps;
  EXPECT_EQ(steps, 5);
}

TEST(DirExists, OnlyForDirectories) {
  const fs::path dir = fs::temp_directory_path() / ("zel_dirtest_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "file.txt") << "x";
  EXPECT_TRUE(DirExists(dir.string()));
  EXPECT_TRUE(DirExists(dir.string() + "/"));
  EXPECT_FALSE(DirExists((dir / "file.txt").string()));
  EXPECT_FALSE(DirExists((dir / "missing").string()));
  EXPECT_FALSE(DirExists(""));
  fs::remove_all(dir);
}

TEST(InventPassword, LengthAlphabetAndVariety) {
  EXPECT_EQ(InventPassword(0), "");
  EXPECT_EQ(InventPassword(-4), "");
  EXPECT_EQ(InventPassword(12).size(), 12u);
  EXPECT_EQ(InventPassword(100000).size(), 255u);
  EXPECT_NE(InventPassword(32), InventPassword(32));
  std::set<char> seen;
  for (int i = 0; i < 100; ++i)
    for (char c : InventPassword(255)) {
      ASSERT_NE(kPasswordAlphabet.find(c), std::string_view::npos) << c;
      seen.insert(c);
    }
  // 25500 draws: every one of the 55 characters turns up unless the choice is skewed.
  EXPECT_EQ(seen.size(), kPasswordAlphabet.size());
}

TEST(InventPassword, AlphabetHasNoLookAlikes) {
  EXPECT_EQ(kPasswordAlphabet.size(), 55u);
  for (char c : std::string_view("0O1Iilo"))
    EXPECT_EQ(kPasswordAlphabet.find(c), std::string_view::npos) << c;
  EXPECT_EQ(std::set<char>(kPasswordAlphabet.begin(), kPasswordAlphabet.end()).size(), 55u);
}

namespace {
std::vector<std::string> ReadAll(const std::string& text, int mode,
                                 std::vector<bool>* eofs = nullptr) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  bool eof = false;
  while (!eof) {
    lines.push_back(ReadLnStream(in, eof, mode));
    if (eofs) eofs->push_back(eof);
  }
  return lines;
}
using Lines = std::vector<std::string>;
}  // namespace

TEST(ReadLnStream, AnyLineEnd) {
  std::vector<bool> eofs;
  EXPECT_EQ(ReadAll("a\r\nb\rc\nd", kLnAny, &eofs), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(eofs, (std::vector<bool>{false, false, false, true}));
  EXPECT_EQ(ReadAll("a\n", kLnAny), (Lines{"a"}));
  EXPECT_EQ(ReadAll("", kLnAny), (Lines{""}));
  EXPECT_EQ(ReadAll("\n\n", kLnAny), (Lines{"", ""}));
  EXPECT_EQ(ReadAll("a\r\r\nb\r", kLnAny), (Lines{"a", "", "b"}));
  EXPECT_EQ(ReadAll("x\n", 99), (Lines{"x"}));  // unknown modes act as any
}

TEST(ReadLnStream, LfAndCrlfModes) {
  EXPECT_EQ(ReadAll("a\r\nb\rc\n", kLnLF), (Lines{"a", "b\rc"}));
  EXPECT_EQ(ReadAll("a\nb\r\nc\r", kLnCRLF), (Lines{"a\nb", "c\r"}));
}

TEST(ReadLnStream, ContinuesFromTheCurrentPositionAndStopsAtTheEnd) {
  std::istringstream in("header\nline 1\nline 2");
  in.seekg(7);
  bool eof = false;
  EXPECT_EQ(ReadLnStream(in, eof, kLnAny), "line 1");
  EXPECT_FALSE(eof);
  EXPECT_EQ(ReadLnStream(in, eof, kLnAny), "line 2");
  EXPECT_TRUE(eof);
  eof = false;
  EXPECT_EQ(ReadLnStream(in, eof, kLnAny), "");
  EXPECT_TRUE(eof);
}

TEST(IsValidDecInt, SignsBlanksAndRange) {
  for (const char* ok : {"12", "0", " -7 ", "+3", "2147483647", "-2147483648", "007"})
    EXPECT_TRUE(IsValidDecInt(ok)) << ok;
  for (const char* bad :
       {"", " ", "+", "-", "+-5", "--5", "1.0", "12a", "1 2", "2147483648", "0x10", "\t5"})
    EXPECT_FALSE(IsValidDecInt(bad)) << bad;
}

TEST(IntNeg, RoundsTowardNegativeInfinity) {
  EXPECT_EQ(IntNeg(2.7), 2);
  EXPECT_EQ(IntNeg(-0.5), -1);
  EXPECT_EQ(IntNeg(-3), -3);
  EXPECT_EQ(IntNeg(std::log10(0.999999999 * 0.05)), -2);
}

TEST(UnivConst, LimitsAndNameTables) {
  EXPECT_EQ(uc_MaxDouble, std::numeric_limits<double>::max());
  EXPECT_NEAR(std::exp(uc_ln10), 10.0, 1e-14);
  EXPECT_GT(uc_MaxReal, 3.4e38);
  EXPECT_STREQ(WeekDayShort[lgGerman][6], "So");
  EXPECT_STREQ(MonthLong[lgFrench][7], "Août");
  EXPECT_STREQ(MonthShort[lgSpanish][0], "Ene");
  EXPECT_STREQ(MonthLong[lgDefault][11], MonthLong[lgEnglish][11]);
  for (int lg = 0; lg < kNumLanguages; ++lg) {
    std::set<std::string> days(WeekDayShort[lg].begin(), WeekDayShort[lg].end());
    std::set<std::string> months(MonthLong[lg].begin(), MonthLong[lg].end());
    EXPECT_EQ(days.size(), 7u) << lg;
    EXPECT_EQ(months.size(), 12u) << lg;
  }
}
