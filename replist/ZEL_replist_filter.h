/// @file
/// Row filters of the report list: a filter expression compiled once into a
/// TRowFilter and tested against the visible text of the rows of a TRLData.
/// The grammar of each mode, with examples, is in docs/report-list-filters.md.
///
/// Modes:
///  - fmSimple: the pattern occurs somewhere in the cell text. "*" stands for
///    any run of characters, "?" for exactly one character (one code point of
///    UTF-8 text). The pattern is a substring, so "*" at either end changes
///    nothing; there is no escape, "*" and "?" are always wildcards.
///  - fmBoolean: fmSimple terms combined by AND, OR, NOT and parentheses;
///    NOT binds tighter than AND, AND tighter than OR. Keywords are recognised
///    in any case ("and", "Or"); two terms side by side mean AND ("CH1 V" is
///    "CH1 AND V"). A term in double quotes may hold blanks and keywords
///    ("\"low battery\"", "\"OR\""); a doubled quote inside stands for one.
///    Nesting deeper than kMaxFilterNesting raises an error instead of
///    exhausting the stack.
///  - fmGrep: an RE2 regular expression searched for anywhere in the text
///    (anchor with ^ and $ for a whole-cell match). RE2 runs in time linear in
///    the text, so no pattern can hang the caller.
///
/// A row matches when its text matches in ANY of the listed columns. For
/// fmBoolean each term is looked for in every listed column on its own, so
/// "CH1 AND V" keeps a row with "CH1" in the channel column and "V" in the
/// unit column: the expression describes the row, not one cell.
///
/// IgnoreCase folds pattern and text with FoldCase, the folding the sort uses
/// (locale-independent; "ß" matches "ss", "Ä" matches "ä"). fmGrep uses RE2's
/// own case-insensitive matching on UTF-8 instead.
///
/// Errors: a malformed expression raises EZELRepListError from the constructor,
/// so a filter that cannot be compiled is never applied. fmBoolean messages
/// name the 1-based character position and what was expected there; fmGrep
/// messages carry RE2's own text.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Zel_zelbase.h"
#include "replist/ZEL_replist.h"

namespace zel {

/// How FilterExp is read: fmSimple a substring with * and ? wildcards, fmBoolean words with
/// AND, OR, NOT and parentheses, fmGrep an RE2 regular expression.
enum TFilterMode : uint8_t { fmSimple, fmBoolean, fmGrep };

/// The view's per-row hook (Sender is the view). Called for each row before the
/// internal test; Found starts true and CombineWithInternalSearch starts loAnd, so
/// a handler that changes nothing keeps the internal result; loNone = the
/// handler's Found alone (the internal test is then skipped).
using TBeforeFilterEvent = std::function<void(host::TObject* Sender, int Row, bool& Found,
                                              TLogicOp& CombineWithInternalSearch)>;

/// Deepest nesting of parentheses and NOTs an fmBoolean expression may have.
constexpr int kMaxFilterNesting = 200;
/// Memory RE2 may use for one compiled fmGrep pattern; larger patterns fail to
/// compile with RE2's "pattern too large" message.
constexpr int64_t kMaxGrepMemory = int64_t(8) << 20;

/// A compiled filter expression: compile once, test many rows. The tests reuse
/// scratch buffers of the filter, so one filter serves one thread at a time.
class TRowFilter {
 public:
  /// Raises EZELRepListError with a clear message on a malformed expression.
  TRowFilter(const std::string& FilterExp, TFilterMode Mode, bool IgnoreCase);
  /// Frees the compiled expression.
  ~TRowFilter();
  /// A moved-from filter may only be assigned to or destroyed.
  TRowFilter(TRowFilter&&) noexcept;
  TRowFilter& operator=(TRowFilter&&) noexcept;  ///< as the move constructor

  /// Empty expression: every row matches.
  bool MatchesAll() const;
  /// Whether one cell's visible text matches.
  bool MatchesText(std::string_view Text) const;
  /// Whether displayed row Row of Data matches in the listed data columns (empty
  /// list: all columns 1..NrOfColumns; numbers out of range are skipped). Uses the
  /// visible text (Elem), so check flags never match. False for a row out of
  /// range, and, unless the expression is empty, when no listed column is left.
  bool MatchesRow(const TRLData& Data, int Row, const std::vector<int>& Columns) const;
  /// Whether the texts of one row's cells match: any of them, or for fmBoolean
  /// the expression with each term looked for in all of them. No cells: only an
  /// empty expression matches.
  bool MatchesCells(const std::vector<std::string_view>& Cells) const;

  /// The mode and case rule the filter was compiled with.
  ///@{
  TFilterMode Mode() const;
  bool IgnoreCase() const;
  ///@}

 private:
  class TImpl;
  std::unique_ptr<TImpl> FImpl;
};

/// One flag per displayed row 1..NrOfRows (index 0 unused, size NrOfRows + 1):
/// true = the row stays visible. Calls Hook (when assigned) for each row with
/// Sender and combines its Found with the filter's result by CombineLogic.
/// Linear in the input size.
std::vector<uint8_t> FilterRows(const TRLData& Data, const TRowFilter& Filter,
                                const std::vector<int>& Columns, const TBeforeFilterEvent& Hook,
                                host::TObject* Sender);

}  // namespace zel
