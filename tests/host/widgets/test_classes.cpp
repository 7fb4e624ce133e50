// String lists: indexes out of range, line splitting, change events, Assign.
#include <gtest/gtest.h>

#include "host/widgets/Classes.h"

using namespace host;

TEST(StringList, EditsReportChangesAndIgnoreBadIndexes) {
  TStringList l;
  int changes = 0;
  l.SetOnChange([&](TObject*) { ++changes; });
  EXPECT_EQ(l.Add("b"), 0);
  l.Insert(0, "a");
  l.Insert(5, "never");
  l.SetStrings(3, "never");
  l.Delete(-1);
  EXPECT_EQ(l.Count(), 2);
  EXPECT_EQ(l.Strings(0), "a");
  EXPECT_EQ(l.Strings(2), "");
  EXPECT_EQ(l.IndexOf("b"), 1);
  EXPECT_EQ(l.IndexOf("c"), -1);
  EXPECT_EQ(changes, 2);
  l.Clear();
  l.Clear();  // already empty: no change
  EXPECT_EQ(changes, 3);
}

TEST(StringList, TextSplitsAtEveryLineEnd) {
  TStringList l;
  l.SetText("one\r\ntwo\rthree\n\nfive\n");
  ASSERT_EQ(l.Count(), 5);
  EXPECT_EQ(l.Strings(3), "");
  EXPECT_EQ(l.Strings(4), "five");
  EXPECT_EQ(l.Text(), "one\ntwo\nthree\n\nfive\n");
  TStringList copy;
  copy.Assign(&l);
  EXPECT_EQ(copy.Text(), l.Text());
  copy.Assign(&copy);
  EXPECT_EQ(copy.Count(), 5);
}
