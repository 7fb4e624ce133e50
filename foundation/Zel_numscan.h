// The positional number scanner: reads one decimal number from a text at a
// position and tells where it stopped, so a caller can walk through free text
// (clipboard contents, lines from a spreadsheet or a lab program) number by
// number. One automaton serves the table editor's clipboard and can serve any
// other reader of decimal text.
//
// The automaton (characters compared in upper case; past the end of the text
// the scanner reads a letter other than E):
//   start      --sep--> point, --blank--> start, --sign--> sign, --digit--> integer
//   sign       --sep--> point, --digit--> integer
//   integer    --sep--> point, --digit--> integer, --E--> exp mark, blank/sign/other end
//   point, fraction --digit--> fraction, --E--> exp mark, blank/sign/other end
//   exp mark   --sign--> exp sign, --digit--> exp digits, other ends
//   exp sign   --digit--> exp digits, other ends
//   exp digits --digit--> exp digits, anything else ends
// Every transition not listed is an error: the value is then 0. Exponent
// digits are taken only while the exponent stays within +-kScanMaxExponent, and
// the value is clamped to +- the largest double, so no text gives an infinity.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zel {

constexpr int kScanMaxExponent = 4200;

// Which characters separate the integer part from the fraction, and which
// count as blanks besides " ".
struct TScanSeparators {
  bool Point = true;
  bool Comma = true;
  bool TabsAreBlanks = false;  // tab and CR
  bool CommaIsBlank = false;   // (Comma then should be false)
  bool EndIsBlank = false;     // past the end of the text a blank is read
};

struct TNumScan {
  double Value = 0;
  // The index of the character that ended the scan (text size when the end
  // of the text did).
  size_t Stop = 0;
  // False when the scan ended in an error (Value is then 0).
  bool Valid = false;
};

// Scans from Pos (Pos >= size: an empty scan, an error at the end).
TNumScan ScanNumber(std::string_view Text, size_t Pos, TScanSeparators Seps = {});

// True for the characters a number can start with: "+", "-", "." and digits.
inline bool StartsNumber(char c) {
  return c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9');
}

// Reading rows of numbers out of free text. Tabs and carriage returns count as
// blanks, and so does "," when CommaSplits (then "1,5" is two numbers; else it
// is 1.5). Anything between numbers that cannot start one is skipped; a line
// feed starts a new row, whether it comes straight after a number or after a
// blank (a bare LF as Linux programs write it counts as CRLF does).
struct TNumberGrid {
  int MaxCol = -1;   // the largest 0-based column that took a number, -1 for none
  int MaxRow = -1;   // the same for rows
  int LineEnds = 0;  // line feeds met after the first number
  bool Any() const { return MaxCol >= 0; }
};

// Calls OnNumber(col, row, value) for every number (0-based positions; a
// scan that fails still takes its cell, with value 0).
template <typename OnNumber>
TNumberGrid ScanNumberGrid(std::string_view Text, bool CommaSplits, OnNumber&& onNumber);

// How many columns and rows the numbers of Text fill: the widest row, and one
// row more than the line feeds met after the first number (so a trailing line
// break counts one more row). Columns and rows are at least 1; false when the
// text holds no number. "," is a decimal separator here.
bool CountNumberGrid(std::string_view Text, int& NCols, int& NRows);

// ---------------------------------------------------------------- details

namespace detail {
// Moves from the character that ended a number to the start of the next one
// (or to the end), counting the line feeds crossed, the one that may have
// ended the number included.
size_t NextNumberStart(std::string_view Text, size_t Pos, int& LineFeeds);
size_t FirstNumberStart(std::string_view Text);
}  // namespace detail

template <typename OnNumber>
TNumberGrid ScanNumberGrid(std::string_view Text, bool CommaSplits, OnNumber&& onNumber) {
  TNumberGrid g;
  // Tabs and CRs (and commas when they split) read as blanks, and the text
  // ends in one, so the last number ends as any other.
  const TScanSeparators rules{true, !CommaSplits, true, CommaSplits, true};
  const std::string_view text = Text;
  int col = 0, row = 0;
  size_t pos = detail::FirstNumberStart(text);
  while (pos < text.size()) {
    const TNumScan s = ScanNumber(text, pos, rules);
    onNumber(col, row, s.Value);
    if (col > g.MaxCol) g.MaxCol = col;
    if (row > g.MaxRow) g.MaxRow = row;
    ++col;
    int feeds = 0;
    pos = detail::NextNumberStart(text, s.Stop, feeds);
    if (feeds > 0) {
      row += feeds;
      g.LineEnds += feeds;
      col = 0;
    }
  }
  return g;
}

}  // namespace zel
