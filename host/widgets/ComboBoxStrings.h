// The items of a combo box.
#pragma once

#include <string>
#include <vector>

#include "host/widgets/Classes.h"

namespace host {

class TCustomComboBox;

// The items of a combo box; a sorted box keeps them in order as they arrive.
class TComboBoxStrings : public TStrings {
 public:
  explicit TComboBoxStrings(TCustomComboBox* box) : FBox(box) {}
  int Count() const override { return int(FItems.size()); }
  std::string Strings(int i) const override;
  void SetStrings(int i, const std::string& s) override;
  // In a sorted box the string goes to its sorted place instead of i.
  void Insert(int i, const std::string& s) override;
  void Delete(int i) override;
  void Clear() override;
  // The index the string got (its sorted place in a sorted box).
  int Add(const std::string& s);
  std::string ClassName() const override { return "TComboBoxStrings"; }

 private:
  friend class TCustomComboBox;
  TCustomComboBox* FBox;
  std::vector<std::string> FItems;
  // Item order and type-ahead ignore ASCII case.
  static bool LessNoCase(const std::string& a, const std::string& b);
  static bool StartsNoCase(const std::string& s, const std::string& prefix);
  int SortedPlace(const std::string& s) const;
  // Puts the items in the box's sorted order (stable, ignoring ASCII case).
  void Sort();
};

}  // namespace host
