/// @file
/// The row edit dialog of the report list: what it reads from a column format.
/// The dialog itself is TReportListView::EditRowEntries (ZEL_replist_dialog.cpp).
///
/// A column format is "[" type "]" "[" width "]" rest (see TRLData). The
/// dialog builds one labelled field per column from it:
///  - `c`, `l`: combo box (editable text, or a choice from the list); the rest
///    holds the items separated by "|", "c:8" / "l:8" the lines the list
///    drops down
///  - `d<format>`: date-time picker showing `<format>`
///  - `e`, `f`, `h`, `i`: numeric edit: dynamic, float, hexadecimal, integer
///  - `s`: edit box
///
/// A "#" before the letter makes the field read-only (grey and disabled; its
/// value is still written back). Any other letter gives a label without a field.
#pragma once

#include <string>

namespace zel {

/// The parts of a column format the row dialog uses.
struct TRLFieldFormat {
  std::string TypeText = "s";  ///< between the first "[" and "]", without the "#"
  bool ReadOnly = false;       ///< a "#" stood before the letter
  int Width = 200;             ///< editor width in pixels; below 1 or missing: 200
  std::string Rest;            ///< the text after the type and width brackets (the combo items)
  /// The field letter ("c", "d", "s" ...); the zero character for an empty type text.
  char Letter() const { return TypeText.empty() ? '\0' : TypeText[0]; }
  /// The lines a combo box drops down: the number after ":" in the type text,
  /// 0 when there is none.
  int DropDownLines() const;
  /// The date format of a "d" field: the type text after the letter.
  std::string DateFormat() const { return TypeText.size() > 1 ? TypeText.substr(1) : ""; }
};

/// Editor widths are held to this many pixels, so a format cannot ask for a
/// dialog wider than any screen (or beyond int arithmetic).
constexpr int kMaxFieldWidth = 4000;

/// Splits a column format into its parts; a missing part keeps its default
/// (type "s", width 200), a width below 1 becomes 200 and one above
/// kMaxFieldWidth becomes kMaxFieldWidth.
TRLFieldFormat ParseFieldFormat(const std::string& Format);

}  // namespace zel
