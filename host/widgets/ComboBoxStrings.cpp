#include "host/widgets/ComboBoxStrings.h"

#include <algorithm>

#include "host/widgets/ComboBox.h"

namespace host {

namespace {
char Fold(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }
}  // namespace

bool TComboBoxStrings::LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Fold(x) < Fold(y); });
}

bool TComboBoxStrings::StartsNoCase(const std::string& s, const std::string& prefix) {
  if (prefix.size() > s.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Fold(s[i]) != Fold(prefix[i])) return false;
  return true;
}

void TComboBoxStrings::Sort() { std::stable_sort(FItems.begin(), FItems.end(), LessNoCase); }

std::string TComboBoxStrings::Strings(int i) const {
  return i >= 0 && i < Count() ? FItems[size_t(i)] : std::string();
}

void TComboBoxStrings::SetStrings(int i, const std::string& s) {
  if (i < 0 || i >= Count()) return;
  FItems[size_t(i)] = s;
  FBox->ItemsChanged(-1, false);
}

int TComboBoxStrings::SortedPlace(const std::string& s) const {
  return int(std::upper_bound(FItems.begin(), FItems.end(), s, LessNoCase) - FItems.begin());
}

void TComboBoxStrings::Insert(int i, const std::string& s) {
  if (FBox->FSorted) i = SortedPlace(s);
  if (i < 0 || i > Count()) return;
  FItems.insert(FItems.begin() + i, s);
  if (FBox->FItemIndex >= i) ++FBox->FItemIndex;
  FBox->ItemsChanged(-1, false);
}

int TComboBoxStrings::Add(const std::string& s) {
  const int at = FBox->FSorted ? SortedPlace(s) : Count();
  Insert(at, s);
  return at;
}

void TComboBoxStrings::Delete(int i) {
  if (i < 0 || i >= Count()) return;
  FItems.erase(FItems.begin() + i);
  FBox->ItemsChanged(i, false);
}

void TComboBoxStrings::Clear() {
  FItems.clear();
  FBox->ItemsChanged(-1, true);
}

}  // namespace host
