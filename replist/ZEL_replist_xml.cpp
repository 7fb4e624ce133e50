// The report list's XML reader (see ZEL_replist_xml.h).
#include "replist/ZEL_replist_xml.h"

#include <array>
#include <charconv>
#include <cstring>

#include "foundation/Zel_stringl.h"

namespace zel {

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

bool EndsName(char ch) { return IsBlank(ch) || ch == '>' || ch == '/' || ch == '=' || ch == '<'; }

bool EqualsNoCase(std::string_view a, std::string_view lower) {
  if (a.size() != lower.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const char ch = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] - 'A' + 'a') : a[i];
    if (ch != lower[i]) return false;
  }
  return true;
}

// The tag of an element name; "cell", by far the most frequent, is tried first.
TRepListXmlTag TagOf(std::string_view name) {
  return name == "cell" ? xmlCell : RepListXmlTagOf(name);
}

// The character a reference "&...;" stands for, appended to out; false when it
// is not a reference this reader knows (the text is then kept as written).
bool AppendReference(std::string_view ref, std::string& out) {
  static constexpr std::pair<std::string_view, char> kNamed[] = {
      {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& [name, ch] : kNamed) {
    if (ref == name) {
      out += ch;
      return true;
    }
  }
  if (ref.size() < 2 || ref[0] != '#') return false;
  const bool hex = ref[1] == 'x';
  const std::string_view digits = ref.substr(hex ? 2 : 1);
  uint32_t cp = 0;
  const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), cp, hex ? 16 : 10);
  if (digits.empty() || r.ec != std::errc() || r.ptr != digits.data() + digits.size() ||
      cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
    return false;
  AppendUtf8(out, char32_t(cp));
  return true;
}

// Appends raw text with references decoded and line ends made "\n"; in an
// attribute value every line end or tab becomes a space, as XML normalises it.
void AppendDecoded(std::string_view raw, std::string& out, bool attribute) {
  for (size_t i = 0; i < raw.size(); ++i) {
    const char ch = raw[i];
    if (ch == '&') {
      const size_t semi = raw.find(';', i + 1);
      if (semi != std::string_view::npos && semi - i <= 12 &&
          AppendReference(raw.substr(i + 1, semi - i - 1), out)) {
        i = semi;
        continue;
      }
      out += ch;
    } else if (ch == '\r') {
      if (i + 1 < raw.size() && raw[i + 1] == '\n') ++i;
      out += attribute ? ' ' : '\n';
    } else if (attribute && (ch == '\n' || ch == '\t')) {
      out += ' ';
    } else {
      out += ch;
    }
  }
}

// The attribute value as a number (decimal digits only, as the writer writes
// it); kBadAttr when it is not one.
int AttrNumber(std::string_view value) {
  if (value.empty() || value.size() > 9) return TRepListXmlElement::kBadAttr;
  int v = 0;
  for (const char ch : value) {
    if (ch < '0' || ch > '9') return TRepListXmlElement::kBadAttr;
    v = v * 10 + (ch - '0');
  }
  return v;
}

}  // namespace

bool TRepListXmlReader::Fail(const char* what) {
  FError = std::string(what) + " at byte " + std::to_string(FPos);
  return false;
}

void TRepListXmlReader::SkipBlanks() {
  while (!AtEnd() && IsBlank(FIn[FPos])) ++FPos;
}

bool TRepListXmlReader::ReadName(std::string_view& name) {
  const size_t start = FPos;
  while (!AtEnd() && !EndsName(FIn[FPos])) ++FPos;
  name = FIn.substr(start, FPos - start);
  return !name.empty() || Fail("a name is missing");
}

bool TRepListXmlReader::Looking(std::string_view s) const {
  if (FIn.size() - FPos < s.size()) return false;
  for (size_t i = 0; i < s.size(); ++i)
    if (FIn[FPos + i] != s[i]) return false;
  return true;
}

namespace {

// What a byte means to ScanTo: one table look-up per byte, and most bytes have
// no meaning at all.
enum : uint8_t { kStop = 1, kSpecialInText = 2, kSpecialInAttr = 4 };

constexpr std::array<uint8_t, 256> MakeByteKinds() {
  std::array<uint8_t, 256> k{};
  for (const unsigned char ch : {'<', '"', '\''}) k[ch] |= kStop;
  for (const unsigned char ch : {'&', '\r'}) k[ch] |= kSpecialInText | kSpecialInAttr;
  for (const unsigned char ch : {'\n', '\t', '<'}) k[ch] |= kSpecialInAttr;
  return k;
}
constexpr std::array<uint8_t, 256> kByteKinds = MakeByteKinds();

}  // namespace

size_t TRepListXmlReader::ScanTo(char stop, bool attribute, bool& special) const {
  const uint8_t mask = attribute ? kSpecialInAttr : kSpecialInText;
  for (size_t i = FPos; i < FIn.size(); ++i) {
    const uint8_t kind = kByteKinds[uint8_t(FIn[i])];
    if (kind == 0) continue;
    if (FIn[i] == stop) return i;
    if (kind & mask) special = true;
  }
  return std::string_view::npos;
}

std::string_view TRepListXmlReader::Decoded(std::string_view raw, bool special,
                                            std::string& scratch, bool text) {
  if (!special) return raw;
  scratch.clear();
  AppendDecoded(raw, scratch, !text);
  return scratch;
}

bool TRepListXmlReader::ReadAttribute(std::string_view& name, std::string_view& value) {
  if (!ReadName(name)) return false;
  SkipBlanks();
  if (AtEnd() || FIn[FPos] != '=') return Fail("an attribute has no value");
  ++FPos;
  SkipBlanks();
  if (AtEnd() || (FIn[FPos] != '"' && FIn[FPos] != '\'')) return Fail("an attribute is not quoted");
  const char quote = FIn[FPos++];
  bool special = false;
  const size_t close = ScanTo(quote, true, special);
  if (close == std::string_view::npos) return Fail("an attribute value is not closed");
  const std::string_view raw = FIn.substr(FPos, close - FPos);
  if (special && raw.find('<') != std::string_view::npos)
    return Fail("\"<\" in an attribute value");
  FPos = close + 1;
  value = Decoded(raw, special, FValue, false);
  return true;
}

// Reads a start tag from its "<". With element, the c and r attributes go into
// it; without, the tag is the root's and its id is noted.
bool TRepListXmlReader::ReadStartTag(std::string_view& name, bool& empty,
                                     TRepListXmlElement* element) {
  ++FPos;  // "<"
  if (!ReadName(name)) return false;
  for (;;) {
    const size_t before = FPos;
    SkipBlanks();
    if (AtEnd()) return Fail("a start tag is not closed");
    if (FIn[FPos] == '>' || Looking("/>")) {
      empty = FIn[FPos] == '/';
      FPos += empty ? 2 : 1;
      return true;
    }
    if (FPos == before) return Fail("attributes are not separated");
    std::string_view attr, value;
    if (!ReadAttribute(attr, value)) return false;
    if (element) {
      if (attr == "c") element->C = AttrNumber(value);
      if (attr == "r") element->R = AttrNumber(value);
    } else if (FRootId.empty() && EqualsNoCase(attr, "id")) {
      FRootId.assign(value);
    }
  }
}

bool TRepListXmlReader::ReadEndTag(std::string_view name) {
  FPos += 2;  // "</"
  if (!Looking(name)) return Fail("an end tag does not match");
  FPos += name.size();
  SkipBlanks();
  if (AtEnd() || FIn[FPos] != '>') return Fail("an end tag does not match");
  ++FPos;
  return true;
}

// Skips a comment, a processing instruction or a CDATA section (whose content
// goes to FText when asked); false for a document type, which has no place in
// a list, or for markup without its end.
bool TRepListXmlReader::SkipMarkup() {
  static constexpr std::pair<std::string_view, std::string_view> kKinds[] = {
      {"<!--", "-->"}, {"<?", "?>"}, {"<![CDATA[", "]]>"}};
  for (const auto& [open, close] : kKinds) {
    if (!Looking(open)) continue;
    const size_t end = FIn.find(close, FPos + open.size());
    if (end == std::string_view::npos) return Fail("a comment or CDATA section is not closed");
    FPos = end + close.size();
    return true;
  }
  return Fail("unexpected markup");
}

// Reads the content of element name up to its end tag. With text, the element's
// own text (CDATA included) goes there; elements inside are skipped.
bool TRepListXmlReader::ReadContent(std::string_view name, std::string_view* text) {
  bool special = false;
  size_t lt = ScanTo('<', false, special);
  if (lt == std::string_view::npos) return Fail("an element has no end tag");
  std::string_view raw = FIn.substr(FPos, lt - FPos);
  FPos = lt;
  if (Looking("</")) {  // the usual case: plain text, then the end
    if (text) *text = Decoded(raw, special, FText, true);
    return ReadEndTag(name);
  }
  FText.clear();
  for (;;) {
    if (text) AppendDecoded(raw, FText, false);
    if (Looking("</")) {
      if (text) *text = FText;
      return ReadEndTag(name);
    }
    if (Looking("<![CDATA[")) {
      const size_t start = FPos + 9;
      if (!SkipMarkup()) return false;
      if (text) AppendDecoded(FIn.substr(start, FPos - 3 - start), FText, false);
    } else if (Looking("<!") || Looking("<?")) {
      if (!SkipMarkup()) return false;
    } else if (!SkipElement()) {
      return false;
    }
    lt = FIn.find('<', FPos);
    if (lt == std::string_view::npos) return Fail("an element has no end tag");
    raw = FIn.substr(FPos, lt - FPos);
    FPos = lt;
  }
}

// Skips the element whose start tag begins at FPos, with everything inside it,
// checking the nesting without recursion, so no depth of input can exhaust the
// stack.
bool TRepListXmlReader::SkipElement() {
  FOpen.clear();
  for (;;) {
    if (Looking("</")) {
      if (!ReadEndTag(FOpen.back())) return false;
      FOpen.pop_back();
    } else if (Looking("<!") || Looking("<?")) {
      if (!SkipMarkup()) return false;
    } else {
      std::string_view child;
      bool empty = false;
      TRepListXmlElement ignored;
      if (!ReadStartTag(child, empty, &ignored)) return false;
      if (!empty) FOpen.push_back(child);
    }
    if (FOpen.empty()) return true;
    const size_t lt = FIn.find('<', FPos);
    if (lt == std::string_view::npos) return Fail("an element has no end tag");
    FPos = lt;
  }
}

bool TRepListXmlReader::Read(std::string_view text, const TOnElement& OnElement) {
  FIn = text;
  FPos = 0;
  FEnd = 0;
  FError.clear();
  FRootId.clear();
  FOpen.clear();
  std::string_view root;
  bool empty = false;
  if (AtEnd() || FIn[0] != '<') return Fail("the list does not start with its root element");
  if (!ReadStartTag(root, empty, nullptr)) return false;
  while (!empty) {
    bool special = false;  // the root's own text is not kept
    const size_t lt = ScanTo('<', false, special);
    if (lt == std::string_view::npos) return Fail("the list has no end tag");
    FPos = lt;
    if (Looking("</")) {
      if (!ReadEndTag(root)) return false;
      break;
    }
    if (Looking("<!") || Looking("<?")) {
      if (!SkipMarkup()) return false;
      continue;
    }
    TRepListXmlElement e;
    std::string_view name;
    bool childEmpty = false;
    if (!ReadStartTag(name, childEmpty, &e)) return false;
    e.Tag = TagOf(name);
    if (childEmpty) {
      e.Text = {};
    } else if (!ReadContent(name, e.Tag == xmlInvalid ? nullptr : &e.Text)) {
      return false;
    }
    if (e.Tag != xmlInvalid && !OnElement(e)) return false;
  }
  FEnd = FPos;
  return true;
}

}  // namespace zel
