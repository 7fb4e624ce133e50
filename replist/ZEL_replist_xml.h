// The reader of the report list's XML dialect: one pass over the text of a list,
// from its root element to the root's end tag, handing each element of the body
// to the caller as it goes. The table is filled straight from these calls, with
// no document tree and no copy of the text per cell: a text without entity or
// line-end to rewrite is handed over as a view into the input.
//
// It checks what a well-formed list needs (names, nesting, attribute syntax,
// closed comments and CDATA sections) and decodes the five named entities and
// character references; an unknown entity is kept as written. Line ends in text
// become "\n" as XML prescribes (the writer writes CR as "&#13;"). Elements
// inside a body element are skipped, and so is the text of the root itself.
// The input is never modified and may hold several lists: reading stops at the
// first list's end.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "replist/ZEL_replist.h"

namespace zel {

// One element of a list's body.
struct TRepListXmlElement {
  TRepListXmlTag Tag = xmlInvalid;  // elements of other names are skipped, not handed over
  // The c and r attributes: kNoAttr when absent, kBadAttr when not a number.
  static constexpr int kNoAttr = -1;
  static constexpr int kBadAttr = -2;
  int C = kNoAttr;
  int R = kNoAttr;
  // Decoded content, valid until the callback returns. "&#0;" gives a NUL
  // character, which the table takes as the end of the text.
  std::string_view Text;
};

class TRepListXmlReader {
 public:
  // Return false to stop reading (Read then returns false with Error() empty).
  using TOnElement = std::function<bool(const TRepListXmlElement&)>;

  // Reads the list whose root start tag begins at text[0] ("<" and a name).
  // True when the root's end tag was reached; End() is then the offset just
  // after it. False when the text is not a well-formed list (Error() says where
  // and what) or when OnElement stopped the reading.
  bool Read(std::string_view text, const TOnElement& OnElement);
  size_t End() const { return FEnd; }
  const std::string& Error() const { return FError; }
  // The root's id attribute (its name compared without case), decoded.
  const std::string& RootId() const { return FRootId; }

 private:
  std::string_view FIn;
  size_t FPos = 0;
  size_t FEnd = 0;
  std::string FError;
  std::string FRootId;
  std::string FText;                    // decoded text of the current element
  std::string FValue;                   // decoded attribute value
  std::vector<std::string_view> FOpen;  // names of skipped nested elements

  bool Fail(const char* what);
  bool AtEnd() const { return FPos >= FIn.size(); }
  void SkipBlanks();
  bool ReadName(std::string_view& name);
  bool ReadAttribute(std::string_view& name, std::string_view& value);
  bool ReadStartTag(std::string_view& name, bool& empty, TRepListXmlElement* element);
  bool ReadEndTag(std::string_view name);
  bool SkipMarkup();
  bool ReadContent(std::string_view name, std::string_view* text);
  bool SkipElement();
  bool Looking(std::string_view s) const;
  // The position of the next `stop` from FPos (npos when none); special tells
  // whether the text before it has anything to decode.
  size_t ScanTo(char stop, bool attribute, bool& special) const;
  std::string_view Decoded(std::string_view raw, bool special, std::string& scratch, bool text);
};

}  // namespace zel
