// TRLData files: the XML dialect, CSV, plain lines and the HTML export, plus
// CheckIfValidReplist. The formats are described in docs/report-files.md.
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <istream>
#include <ostream>

#include "foundation/Zel_streams.h"
#include "host/gfx/FileIO.h"
#include "replist/ZEL_replist.h"
#include "replist/ZEL_replist_xml.h"

namespace zel {

namespace {

// --- files on disk --------------------------------------------------------------

// Why a stream write failed: the system's reason when the stream's buffer left
// one in errno (a file stream does), else the stream's own report.
std::string StreamReason() {
  return errno != 0 ? std::strerror(errno) : "the stream reported a failure";
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// Replaces the file at path by bytes atomically: on failure the old file stays
// and why names the file and the reason.
bool ReplaceFileContent(const std::string& path, std::string_view bytes, std::string& why) {
  std::string reason;
  if (host::WriteFileAtomically(path, bytes, reason)) return true;
  why = "Cannot write " + Quoted(path) + ": " + reason;
  return false;
}

// The rest of a stream, at most kMaxFileBytes; false when there is more (an
// endless device behind the stream) or the stream failed.
bool ReadRest(std::istream& in, std::string& out) {
  char chunk[65536];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    if (out.size() + size_t(in.gcount()) > kMaxFileBytes) return false;
    out.append(chunk, size_t(in.gcount()));
  }
  return !in.bad();
}

// The next line of in without its "\n", like std::getline, but false once the
// bytes read reach budget, so an endless input cannot grow the line for ever.
bool GetLineWithin(std::istream& in, std::string& line, size_t& budget) {
  line.clear();
  std::streambuf* sb = in.good() ? in.rdbuf() : nullptr;
  if (!sb) return false;
  for (int c = sb->sbumpc(); c != std::char_traits<char>::eof(); c = sb->sbumpc()) {
    if (budget == 0) return false;
    --budget;
    if (c == '\n') return true;
    line += char(c);
  }
  in.setstate(std::ios::eofbit);
  return !line.empty();
}

// Reads a whole file; anything but a regular file of at most kMaxFileBytes is
// refused before reading (host::ReadRegularFile). On failure `why` names the file
// and the reason.
bool ReadWholeFile(const std::string& path, std::string& out, std::string& why) {
  std::string reason;
  if (host::ReadRegularFile(path, kMaxFileBytes, out, reason)) return true;
  why = "Cannot read " + Quoted(path) + ": " + reason;
  return false;
}

// --- text helpers ---------------------------------------------------------------

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& ch : out)
    if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
  return out;
}

std::string_view TrimSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// Where escaped text goes: XML element content, a double-quoted XML attribute,
// or HTML (content and attributes alike).
enum TEscape { escXmlText, escXmlAttribute, escHtml };

// Appends s escaped for its place. In XML, control characters are written as
// character references, so every cell text survives a round trip through the
// reader; in attributes tab and line feed too, which a parser would turn into
// spaces.
void AppendEscaped(std::string& out, std::string_view s, TEscape mode) {
  for (const char ch : s) {
    const char* named = nullptr;
    switch (ch) {
      case '&':
        named = "&amp;";
        break;
      case '<':
        named = "&lt;";
        break;
      case '>':
        named = "&gt;";
        break;
      case '"':
        named = mode == escXmlText ? nullptr : "&quot;";
        break;
      case '\'':
        named = mode == escHtml ? "&#39;" : nullptr;
        break;
      default:
        break;
    }
    if (named) {
      out += named;
    } else if (mode != escHtml && uint8_t(ch) < 0x20 &&
               (mode == escXmlAttribute || (ch != '\n' && ch != '\t'))) {
      out += "&#" + std::to_string(int(ch)) + ";";
    } else {
      out += ch;
    }
  }
}

std::string Escaped(std::string_view s, TEscape mode) {
  std::string out;
  AppendEscaped(out, s, mode);
  return out;
}

// The identification rule of a list's first line: it holds "<replist" and the
// marker word, and (unless lowerID is empty) its id="..." value, trimmed, equals
// lowerID. ASCII letters compare without case.
bool IsRootLine(std::string_view line, const std::string& lowerID) {
  if (line.find('<') == std::string_view::npos) return false;
  const std::string low = AsciiLower(line);
  if (low.find("<replist") == std::string::npos || low.find("tamarisk") == std::string::npos)
    return false;
  if (lowerID.empty()) return true;
  std::string_view id;
  if (const size_t p = low.find("id=\""); p != std::string::npos) {
    const std::string_view rest = std::string_view(low).substr(p + 4);
    id = TrimSpaces(rest.substr(0, rest.find('"')));
  }
  return id == lowerID;
}

// The DataID as the writer puts it on the root line, lower case and trimmed, so
// the line rule compares like with like (an id holding "&" or a quote is written
// escaped).
std::string LineID(const std::string& DataID) {
  return std::string(TrimSpaces(AsciiLower(Escaped(DataID, escXmlAttribute))));
}

size_t FindNoCase(std::string_view hay, std::string_view lowerNeedle, size_t from) {
  const auto it = std::search(
      hay.begin() + std::min(from, hay.size()), hay.end(), lowerNeedle.begin(), lowerNeedle.end(),
      [](char a, char b) { return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b; });
  return it == hay.end() ? std::string_view::npos : size_t(it - hay.begin());
}

bool IsXmlBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

// The root element's name as written at text[0] ("<replist" in any letter case,
// perhaps with more letters): the end tag must repeat it exactly.
std::string_view RootName(std::string_view text) {
  size_t i = 1;
  while (i < text.size() && !IsXmlBlank(text[i]) && text[i] != '>' && text[i] != '/') ++i;
  return text.substr(1, i - 1);
}

// The end of the first "</name>" (blanks allowed before ">") at or after from.
size_t FindListEnd(std::string_view buf, std::string_view name, size_t from) {
  const std::string close = "</" + std::string(name);
  for (size_t p = buf.find(close, from); p != std::string_view::npos; p = buf.find(close, p + 1)) {
    size_t q = p + close.size();
    while (q < buf.size() && IsXmlBlank(buf[q])) ++q;
    if (q < buf.size() && buf[q] == '>') return q + 1;
  }
  return std::string_view::npos;
}

// Where the first list that matches DataID starts: its root line split as
// CheckIfValidReplist splits lines. npos when there is none; why says so.
size_t FindList(std::string_view buf, const std::string& DataID, std::string& why) {
  const std::string lowerID = LineID(DataID);
  for (size_t pos = 0; pos < buf.size();) {
    const size_t eol = std::min(buf.find_first_of("\r\n", pos), buf.size());
    const std::string_view line = buf.substr(pos, eol - pos);
    if (IsRootLine(line, lowerID)) return pos + FindNoCase(line, "<replist", 0);
    pos = eol + 1;
  }
  why = DataID.empty() ? "no report list found" : "no report list with id \"" + DataID + "\"";
  return std::string_view::npos;
}

bool ParseInt(std::string_view s, int& v) {
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// The table always holds at least one row and one column, so an empty table of
// a hundred million columns is as large as a full one.
bool TooManyCells(int64_t rows, int64_t cols) {
  return std::max<int64_t>(rows, 1) * (std::max<int64_t>(cols, 1) + 1) > kMaxFileCells;
}

// --- CSV ------------------------------------------------------------------------

// Splits RFC 4180 text into fields: onField(record, field, text) for each field,
// records separated by "\r\n", "\n" or "\r" outside quotes. Returns the number
// of records, or -1 when a quoted field is not closed (a truncated file).
template <class F>
int64_t ParseCsv(std::string_view d, char delim, F&& onField) {
  if (d.substr(0, 3) == "\xEF\xBB\xBF") d.remove_prefix(3);
  int64_t record = 0;
  int field = 0;
  std::string quoted;
  size_t i = 0;
  while (i < d.size()) {
    std::string_view text;
    if (d[i] == '"') {
      quoted.clear();
      for (++i;; ++i) {
        if (i >= d.size()) return -1;
        if (d[i] == '"') {
          if (i + 1 < d.size() && d[i + 1] == '"') {
            quoted += '"';
            ++i;
          } else {
            ++i;
            break;
          }
        } else {
          quoted += d[i];
        }
      }
      // Text between the closing quote and the delimiter is kept, not lost.
      const size_t stop = d.find_first_of(std::string{delim, '\r', '\n'}, i);
      quoted.append(d.substr(i, stop - i));
      i = std::min(stop, d.size());
      text = quoted;
    } else {
      const size_t stop = d.find_first_of(std::string{delim, '\r', '\n'}, i);
      text = d.substr(i, stop - i);
      i = std::min(stop, d.size());
    }
    onField(record, field, text);
    if (i < d.size() && d[i] == delim) {
      ++field;
      ++i;
      if (i < d.size()) continue;
      onField(record, field, std::string_view());  // a delimiter ends the data
    }
    if (i < d.size() && d[i] == '\r') ++i;
    if (i < d.size() && d[i] == '\n') ++i;
    ++record;
    field = 0;
  }
  return record;
}

void AppendCsvField(std::string& out, std::string_view s, char delim, bool alone) {
  // An empty lone field is quoted so the record is not a blank line, and a
  // leading byte-order mark so the reader does not take it for the file's.
  const bool quote =
      s.find_first_of(std::string{delim, '"', '\r', '\n'}) != std::string_view::npos ||
      (alone && s.empty()) || s.substr(0, 3) == "\xEF\xBB\xBF";
  if (!quote) {
    out += s;
    return;
  }
  out += '"';
  for (const char ch : s) {
    if (ch == '"') out += '"';
    out += ch;
  }
  out += '"';
}

}  // namespace

// Reads and writes the private parts of a table for the file formats.
class TRLDataFiles {
 public:
  static void WriteXml(const TRLData& t, std::string& out, bool header, const std::string& id);
  static bool ReadXml(TRLData& t, std::string_view buf, const std::string& id,
                      const std::string& source);
  static bool LoadList(TRLData& t, std::string_view list, std::string& why);
  class TListBody;
  static void ForwardProgress(TRLData& fresh, TRLData& t);
};

void TRLDataFiles::WriteXml(const TRLData& t, std::string& out, bool header,
                            const std::string& id) {
  if (header) out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out +=
      "<replist format=\"tamarisk\" version=\"1\" id=\"" + Escaped(id, escXmlAttribute) + "\">\n";
  out += "<numcols>" + std::to_string(t.FNrOfCols) + "</numcols>\n";
  out += "<numrows>" + std::to_string(t.FNrOfRows) + "</numrows>\n";
  out += "<commonheader>" + Escaped(t.FCommonHeader, escXmlText) + "</commonheader>\n";
  out += "<comment>" + Escaped(t.FComment, escXmlText) + "</comment>\n";
  for (int c = 1; c <= t.FNrOfCols; ++c) {
    const std::string cs = std::to_string(c);
    out += "<colname c=\"" + cs + "\">" + Escaped(t.Header(c), escXmlText) + "</colname>\n";
    if (!t.ColumnFormat(c).empty())
      out += "<columnformat c=\"" + cs + "\">" + Escaped(t.ColumnFormat(c), escXmlText) +
             "</columnformat>\n";
    if (t.ColumnCheckMode(c) != cmNone)
      out += "<checkedcolumn c=\"" + cs + "\">" + std::to_string(int(t.ColumnCheckMode(c))) +
             "</checkedcolumn>\n";
  }
  int64_t done = 0;
  for (int r = 1; r <= t.FNrOfRows; ++r) {
    const std::string rs = std::to_string(r);
    for (int c = 0; c <= t.FNrOfCols; ++c) {
      t.ReportProgress(++done);
      const std::string& s = t.FStrings->GetString(c, r);
      if (s.empty()) continue;
      out += "<cell c=\"" + std::to_string(c) + "\" r=\"" + rs + "\">";
      AppendEscaped(out, s, escXmlText);
      out += "</cell>\n";
    }
  }
  out += "</replist>\n";
}

void TRLDataFiles::ForwardProgress(TRLData& fresh, TRLData& t) {
  if (t.FOnPercentDone)
    fresh.FOnPercentDone = [&t](host::TObject*, int p) { t.FOnPercentDone(&t, p); };
}

// Builds a fresh table from the elements of a list as the reader hands them
// over. The counts must be known before the first element that addresses a
// column or a row; the writer puts them first, and for a list that does not,
// Take stops and asks for a first pass that reads only the counts.
class TRLDataFiles::TListBody {
 public:
  explicit TListBody(TRLData& fresh) : FFresh(fresh) {}
  bool NeedsCounts() const { return FNeedsCounts; }
  const std::string& Why() const { return FWhy; }
  // The first pass: note the counts, take nothing else.
  bool TakeCount(const TRepListXmlElement& e) {
    if (e.Tag == xmlNumCols || e.Tag == xmlNumRows) NoteCount(e);
    return true;
  }
  bool Take(const TRepListXmlElement& e);
  // Sets up the table once both counts are known; false with Why() when they
  // are missing or wrong.
  bool ApplyCounts();

 private:
  TRLData& FFresh;
  int FCols = -1, FRows = -1;
  bool FColsBad = false, FRowsBad = false;
  bool FApplied = false;
  bool FNeedsCounts = false;
  int64_t FDone = 0;
  std::string FWhy;

  bool Invalid(std::string why) {
    FWhy = std::move(why);
    return false;
  }
  void NoteCount(const TRepListXmlElement& e);
  bool TakeColumnTag(const TRepListXmlElement& e);
  bool TakeCell(const TRepListXmlElement& e);
};

// The first count of each kind counts; later ones are ignored.
void TRLDataFiles::TListBody::NoteCount(const TRepListXmlElement& e) {
  int& count = e.Tag == xmlNumCols ? FCols : FRows;
  bool& bad = e.Tag == xmlNumCols ? FColsBad : FRowsBad;
  if (count >= 0 || bad) return;
  int v = 0;
  bad = !ParseInt(e.Text, v) || v < 0;
  if (!bad) count = v;
}

bool TRLDataFiles::TListBody::ApplyCounts() {
  if (FApplied) return true;
  if (FColsBad || FRowsBad) return Invalid("a row or column count is not a number");
  if (FCols < 0 || FRows < 0) return Invalid("the row or column count is missing");
  if (TooManyCells(FRows, FCols))
    return Invalid("the list claims more than " + std::to_string(kMaxFileCells) + " cells");
  FFresh.SetNrOfColumns(FCols);
  FFresh.SetNrOfRows(FRows);
  if (FCols == 0) FFresh.RemoveColumn(1);
  FApplied = true;
  return true;
}

bool TRLDataFiles::TListBody::TakeColumnTag(const TRepListXmlElement& e) {
  if (e.C < 1 || e.C > FCols) return Invalid("a column number is out of range");
  const std::string text(e.Text);
  if (e.Tag == xmlColName) FFresh.SetHeader(e.C, text);
  if (e.Tag == xmlColumnFormat) FFresh.SetColumnFormat(e.C, text);
  if (e.Tag == xmlCheckedColumn) {
    int mode = 0;
    if (!ParseInt(e.Text, mode) || mode < cmNone || mode > cmRadio)
      return Invalid("an unknown check mode");
    FFresh.StoreCheckMode(e.C, TCheckMode(mode));
  }
  return true;
}

bool TRLDataFiles::TListBody::TakeCell(const TRepListXmlElement& e) {
  if (e.C < 0 || e.C > FCols || e.R < 1 || e.R > FRows)
    return Invalid("a cell lies outside the table");
  FFresh.FStrings->SetString(e.C, e.R, e.Text);
  FFresh.ReportProgress(++FDone);
  return true;
}

bool TRLDataFiles::TListBody::Take(const TRepListXmlElement& e) {
  switch (e.Tag) {
    case xmlNumCols:
    case xmlNumRows:
      NoteCount(e);
      return true;
    case xmlCommonHd:
      FFresh.FCommonHeader = e.Text;
      return true;
    case xmlComment:
      FFresh.FComment = e.Text;
      return true;
    default:
      break;
  }
  if (!FApplied && (FCols < 0 || FRows < 0) && !FColsBad && !FRowsBad) {
    FNeedsCounts = true;
    return false;
  }
  if (!ApplyCounts()) return false;
  return e.Tag == xmlCell ? TakeCell(e) : TakeColumnTag(e);
}

bool TRLDataFiles::LoadList(TRLData& t, std::string_view list, std::string& why) {
  TRLData fresh(nullptr);
  ForwardProgress(fresh, t);
  TListBody body(fresh);
  TRepListXmlReader reader;
  // A text ends at a NUL character, as it always has in this format.
  const auto upToNul = [](TRepListXmlElement e) {
    e.Text = e.Text.substr(0, e.Text.find('\0'));
    return e;
  };
  const auto take = [&](const TRepListXmlElement& e) { return body.Take(upToNul(e)); };
  bool read = reader.Read(list, take);
  if (!read && body.NeedsCounts()) {
    const auto count = [&](const TRepListXmlElement& e) { return body.TakeCount(upToNul(e)); };
    read = reader.Read(list, count) && body.ApplyCounts() && reader.Read(list, take);
  }
  if (!read || !body.ApplyCounts()) {
    why = !reader.Error().empty() ? "malformed XML: " + reader.Error() : body.Why();
    return false;
  }
  fresh.FDataID = reader.RootId();
  t.TakeContent(fresh);
  return true;
}

bool TRLDataFiles::ReadXml(TRLData& t, std::string_view buf, const std::string& id,
                           const std::string& source) {
  std::string why;
  const size_t begin = FindList(buf, id, why);
  if (begin != std::string_view::npos && LoadList(t, buf.substr(begin), why)) return true;
  return t.Failed("Cannot read a report list from " + source + ": " + why);
}

// --- XML on TRLData ----------------------------------------------------------------

void TRLData::WriteToXMLStream(std::ostream& OutStream, bool CreateHeader,
                               const std::string& DataID) {
  WriteListTo(OutStream, CreateHeader, DataID, "the stream");
}

void TRLData::WriteToOpenXMLFile(std::ostream& F, bool CreateHeader, const std::string& DataID) {
  WriteListTo(F, CreateHeader, DataID, "the open file");
}

void TRLData::WriteListTo(std::ostream& out, bool CreateHeader, const std::string& DataID,
                          const char* where) {
  FLastError.clear();
  std::string text;
  TRLDataFiles::WriteXml(*this, text, CreateHeader, DataID);
  errno = 0;
  out.write(text.data(), std::streamsize(text.size()));
  out.flush();
  if (!out)
    Raise(ComponentText() + ": cannot write the list \"" + DataID + "\" to " + where + ": " +
          StreamReason());
}

void TRLData::SaveAsXMLFile(const std::string& FileName, const std::string& DataID) {
  FLastError.clear();
  std::string out, why;
  TRLDataFiles::WriteXml(*this, out, true, DataID);
  if (!ReplaceFileContent(FileName, out, why)) Raise(why);
}

bool TRLData::LoadFromXMLFile(const std::string& FileName, const std::string& DataID) {
  FLastError.clear();
  std::string buf, why;
  if (!ReadWholeFile(FileName, buf, why)) return Failed(why);
  return TRLDataFiles::ReadXml(*this, buf, DataID, Quoted(FileName));
}

bool TRLData::ReadFromXMLString(const std::string& InString, const std::string& DataID) {
  FLastError.clear();
  return TRLDataFiles::ReadXml(*this, InString, DataID, "the string");
}

bool TRLData::ReadFromXMLStream(std::istream& InStream, const std::string& DataID) {
  FLastError.clear();
  std::string buf;
  if (!ReadRest(InStream, buf))
    return Failed(InStream.bad() ? "Cannot read a report list from the stream: read error"
                                 : "Cannot read a report list from the stream: more than " +
                                       std::to_string(kMaxFileBytes) + " bytes");
  return TRLDataFiles::ReadXml(*this, buf, DataID, "the stream");
}

bool TRLData::ReadFromOpenXMLFile(std::istream& F, const std::string& DataID) {
  FLastError.clear();
  const std::string lowerID = LineID(DataID);
  std::string line, list, name;
  size_t budget = kMaxFileBytes;
  while (GetLineWithin(F, line, budget)) {
    const size_t lineStart = list.size();
    if (list.empty()) {
      if (!IsRootLine(line, lowerID)) continue;
      list = line.substr(FindNoCase(line, "<replist", 0));
      name = RootName(list);
    } else {
      list += line;
    }
    list += '\n';
    if (line.find("</" + name) == std::string::npos) continue;
    const size_t end = FindListEnd(list, name, lineStart);
    if (end == std::string::npos) continue;
    std::string why;
    if (TRLDataFiles::LoadList(*this, std::string_view(list).substr(0, end), why)) return true;
    return Failed("Cannot read a report list from the open file: " + why);
  }
  return Failed(std::string("Cannot read a report list from the open file: ") +
                (budget == 0    ? "more than " + std::to_string(kMaxFileBytes) + " bytes"
                 : list.empty() ? "no matching list"
                                : "the list has no end tag") +
                (F.bad() ? " (read error)" : ""));
}

// --- CheckIfValidReplist --------------------------------------------------------

bool CheckIfValidReplist(std::istream& InStream, const std::string& DataID) {
  const std::string lowerID = LineID(DataID);
  bool eof = false;
  while (!eof) {
    const std::string line = ReadLnStream(InStream, eof, kLnAny);
    if (IsRootLine(line, lowerID)) return true;
  }
  return false;
}

bool CheckIfValidReplist(const std::string& FName, const std::string& DataID) {
  std::string reason;
  host::TFileDescriptor fd(host::OpenRegularFile(FName, kMaxFileBytes, reason));
  if (fd.Get() < 0) throw EZELRLDataError("Cannot open " + Quoted(FName) + ": " + reason);
  host::TFileReadBuf buf(fd.Get(), kMaxFileBytes);
  std::istream in(&buf);
  const bool found = CheckIfValidReplist(in, DataID);
  if (buf.Failed()) throw EZELRLDataError("Cannot read " + Quoted(FName) + ": " + buf.Reason());
  return found;
}

// --- CSV and lines --------------------------------------------------------------

int TRLData::ExportCSV(const std::string& FileName, TCSVDelimiters Delimiter,
                       bool IncludeColHeaders, bool IncludeCommonHeader, int FirstCol, int FirstRow,
                       int LastCol, int LastRow) {
  FLastError.clear();
  const char delim = CSVDelimiterChar(Delimiter);
  FirstCol = std::max(FirstCol, 1);
  LastCol = std::min(LastCol, FNrOfCols);
  FirstRow = std::max(FirstRow, 1);
  LastRow = std::min(LastRow, FNrOfRows);
  const bool alone = FirstCol == LastCol;
  std::string out;
  auto record = [&](auto&& textOf) {
    for (int c = FirstCol; c <= LastCol; ++c) {
      if (c > FirstCol) out += delim;
      AppendCsvField(out, textOf(c), delim, alone);
    }
    out += "\r\n";
  };
  if (IncludeCommonHeader) {
    AppendCsvField(out, FCommonHeader, delim, true);
    out += "\r\n";
  }
  if (IncludeColHeaders) record([&](int c) { return Header(c); });
  int64_t done = 0;
  for (int r = FirstRow; r <= LastRow; ++r) {
    record([&](int c) {
      ReportProgress(++done);
      return Elem(c, r);
    });
  }
  std::string why;
  if (!ReplaceFileContent(FileName, out, why)) return FailedCount(why);
  return std::max(LastRow - FirstRow + 1, 0);
}

int TRLData::ImportCSV(const std::string& FileName, TCSVDelimiters Delimiter,
                       bool IncludeColHeaders) {
  FLastError.clear();
  std::string buf, why;
  if (!ReadWholeFile(FileName, buf, why)) return FailedCount(why);
  const char delim = CSVDelimiterChar(Delimiter);
  int maxFields = 1;
  const int64_t records = ParseCsv(buf, delim, [&](int64_t, int field, std::string_view) {
    maxFields = std::max(maxFields, field + 1);
  });
  const int64_t headerRecords = IncludeColHeaders && records > 0 ? 1 : 0;
  const std::string what = "Cannot import " + Quoted(FileName) + ": ";
  if (records < 0) return FailedCount(what + "a quoted field is not closed");
  if (TooManyCells(records - headerRecords, maxFields))
    return FailedCount(what + "more than " + std::to_string(kMaxFileCells) + " cells");
  const int rows = int(records - headerRecords);
  TRLData fresh(nullptr);
  TRLDataFiles::ForwardProgress(fresh, *this);
  fresh.SetNrOfColumns(maxFields);
  fresh.SetNrOfRows(rows);
  fresh.FComment = FComment;
  fresh.FCommonHeader = FCommonHeader;
  fresh.FDataID = FDataID;
  int64_t done = 0;
  ParseCsv(buf, delim, [&](int64_t record, int field, std::string_view text) {
    if (record < headerRecords) {
      fresh.SetHeader(field + 1, std::string(text));
    } else {
      fresh.FStrings->SetString(field + 1, int(record - headerRecords) + 1, text);
      fresh.ReportProgress(++done);
    }
  });
  TakeContent(fresh);
  return rows;
}

int TRLData::LoadLinesFromFile(int Column, int FirstRow, const std::string& FileName) {
  FLastError.clear();
  std::string buf, why;
  if (!ReadWholeFile(FileName, buf, why)) return FailedCount(why);
  if (!ValidCol(Column) || FirstRow < 1) return 0;
  std::vector<std::string_view> lines;
  for (size_t pos = 0; pos < buf.size();) {
    const size_t eol = std::min(buf.find_first_of("\r\n", pos), buf.size());
    lines.push_back(std::string_view(buf).substr(pos, eol - pos));
    pos = eol;
    if (pos < buf.size() && buf[pos] == '\r') ++pos;
    if (pos < buf.size() && buf[pos] == '\n') ++pos;
  }
  const int64_t lastRow = int64_t(FirstRow) + int64_t(lines.size()) - 1;
  if (TooManyCells(lastRow, FNrOfCols))
    return FailedCount("Cannot load " + Quoted(FileName) + ": more than " +
                       std::to_string(kMaxFileCells) + " cells");
  if (lastRow > FNrOfRows) SetNrOfRows(int(lastRow));
  for (size_t i = 0; i < lines.size(); ++i) {
    SetElem(Column, FirstRow + int(i), std::string(lines[i]));
    ReportProgress(int64_t(i) + 1);
  }
  return int(lines.size());
}

// --- HTML -----------------------------------------------------------------------

void TRLData::ExportHTMLTable(const std::string& FileName, int LoC, int LoR, int HiC, int HiR,
                              const std::vector<int>& ColumnSelection, int Border, int CellSpacing,
                              int CellPadding, bool IncludeHeader, const std::string& HeadClass,
                              const std::string& CellClass, const std::string& TableClass) {
  FLastError.clear();
  LoC = std::max(LoC, 1);
  HiC = std::min(HiC, FNrOfCols);
  LoR = std::max(LoR, 1);
  HiR = std::min(HiR, FNrOfRows);
  std::vector<int> cols;
  if (ColumnSelection.empty()) {
    for (int c = LoC; c <= HiC; ++c) cols.push_back(c);
  } else {
    for (const int c : ColumnSelection)
      if (c >= LoC && c <= HiC) cols.push_back(c);
  }
  const std::string border = std::to_string(std::max(Border, 0)) + "px solid";
  auto classAttr = [](const std::string& cls) {
    return cls.empty() ? std::string() : " class=\"" + Escaped(cls, escHtml) + "\"";
  };
  std::string out = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                    Escaped(FCommonHeader, escHtml) + "</title>\n<style>\n";
  out += "table#zel-replist { border-collapse: separate; border-spacing: " +
         std::to_string(std::max(CellSpacing, 0)) + "px; border: " + border + "; }\n";
  out += "table#zel-replist th, table#zel-replist td { padding: " +
         std::to_string(std::max(CellPadding, 0)) + "px; border: " + border + "; }\n";
  out += "</style>\n</head>\n<body>\n<table id=\"zel-replist\"" + classAttr(TableClass) + ">\n";
  auto cell = [&](const char* tag, const std::string& cls, std::string text, int c, int r) {
    text = Escaped(text, escHtml);
    if (FOnBefHTMLExport) FOnBefHTMLExport(this, text, c, r);
    out += std::string("<") + tag + classAttr(cls) + ">" + text + "</" + tag + ">";
  };
  if (IncludeHeader) {
    out += "<tr>";
    for (const int c : cols) cell("th", HeadClass, Header(c), c, 0);
    out += "</tr>\n";
  }
  int64_t done = 0;
  for (int r = LoR; r <= HiR; ++r) {
    out += "<tr>";
    for (const int c : cols) {
      const std::string mark = IsCheckCol(c) ? (ElemChecked(c, r) ? "\u2611 " : "\u2610 ") : "";
      cell("td", CellClass, mark + Elem(c, r), c, r);
      ReportProgress(++done);
    }
    out += "</tr>\n";
  }
  out += "</table>\n</body>\n</html>\n";
  std::string why;
  if (!ReplaceFileContent(FileName, out, why)) Raise(why);
}

}  // namespace zel
