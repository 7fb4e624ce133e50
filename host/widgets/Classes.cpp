#include "host/widgets/Classes.h"

namespace host {

int TStrings::Add(const std::string& s) {
  Insert(Count(), s);
  return Count() - 1;
}

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (Strings(i) == s) return i;
  return -1;
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) out += Strings(i) + "\n";
  return out;
}

std::vector<std::string> TStrings::SplitLines(const std::string& s) {
  std::vector<std::string> lines;
  std::string cur;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\r' && s[i] != '\n') {
      cur += s[i];
      continue;
    }
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
    lines.push_back(std::move(cur));
    cur.clear();
  }
  if (!cur.empty()) lines.push_back(std::move(cur));
  return lines;
}

void TStrings::SetText(const std::string& s) {
  Clear();
  for (const std::string& line : SplitLines(s)) Add(line);
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TStrings*>(Source)) {
    if (src == this) return;
    SetText(src->Text());
    return;
  }
  TPersistent::Assign(Source);
}

std::string TStringList::Strings(int i) const {
  if (i < 0 || i >= Count()) return "";
  return FItems[size_t(i)];
}

void TStringList::SetStrings(int i, const std::string& s) {
  if (i < 0 || i >= Count()) return;
  FItems[size_t(i)] = s;
  Changed();
}

void TStringList::Insert(int i, const std::string& s) {
  if (i < 0 || i > Count()) return;
  FItems.insert(FItems.begin() + i, s);
  Changed();
}

void TStringList::Delete(int i) {
  if (i < 0 || i >= Count()) return;
  FItems.erase(FItems.begin() + i);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

void TStringList::SetText(const std::string& s) {
  FItems = SplitLines(s);
  Changed();
}

void TStringList::Changed() {
  if (FOnChange) FOnChange(this);
}

}  // namespace host
