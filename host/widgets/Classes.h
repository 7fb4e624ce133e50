// String lists: TStrings, the interface a memo's Lines (and later a combo box's
// Items) offer, and TStringList, the plain stored list.
#pragma once

#include <string>
#include <vector>

#include "host/gfx/Persistent.h"

namespace host {

// An indexed list of strings. Out-of-range indexes read as "" and are ignored
// on write, as everywhere in the library.
class TStrings : public TPersistent {
 public:
  virtual int Count() const = 0;
  virtual std::string Strings(int i) const = 0;
  virtual void SetStrings(int i, const std::string& s) = 0;
  // Inserts before index i (Count() appends); other indexes are ignored.
  virtual void Insert(int i, const std::string& s) = 0;
  virtual void Delete(int i) = 0;
  virtual void Clear() = 0;

  int Add(const std::string& s);
  int IndexOf(const std::string& s) const;
  // Every line followed by "\n".
  std::string Text() const;
  // Replaces the list by the lines of `s`, broken at "\n", "\r\n" or "\r"; a final
  // line break does not start another (empty) line.
  virtual void SetText(const std::string& s);
  // From another TStrings: copies the lines; other sources as TPersistent.
  void Assign(TPersistent* Source) override;
  std::string ClassName() const override { return "TStrings"; }

  // The lines of a text as SetText breaks them.
  static std::vector<std::string> SplitLines(const std::string& s);
};

// A list that stores its strings; OnChange fires after every change.
class TStringList : public TStrings {
 public:
  int Count() const override { return int(FItems.size()); }
  std::string Strings(int i) const override;
  void SetStrings(int i, const std::string& s) override;
  void Insert(int i, const std::string& s) override;
  void Delete(int i) override;
  void Clear() override;
  void SetText(const std::string& s) override;
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }
  std::string ClassName() const override { return "TStringList"; }

 private:
  std::vector<std::string> FItems;
  TNotifyEvent FOnChange;
  void Changed();
};

}  // namespace host
