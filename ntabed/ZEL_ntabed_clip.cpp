// The table editor and the clipboard: a selected block goes out as text (tab
// between cells, CRLF after each row, "####" for a cell that is not a number)
// and into an internal copy with values and states; the copy pastes back
// exactly; numbers of any clipboard text can be extracted into the cells.
//
// The full-precision form of a value is exponent notation with 13 decimals
// and a four-digit exponent, right-aligned in 22 characters: 14 significant
// digits, the most the field holds for a negative value.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "foundation/Zel_numscan.h"
#include "host/ui/Clipbrd.h"
#include "ntabed/ZEL_ntabed.h"

namespace zel {

using namespace host;

namespace {

constexpr int kFullPrecDecimals = 13;
constexpr size_t kFullPrecWidth = 22;

// Exponent notation with a four-digit exponent: "1.5000E+0003".
void AppendExponentForm(std::string& out, double v, int decimals) {
  char buf[64];
  const auto r =
      decimals < 0
          ? std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific)
          : std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, decimals);
  const char* e = std::find(buf, r.ptr, 'e');
  out.append(buf, size_t(e - buf));
  if (e == r.ptr) return;
  out += 'E';
  out += e[1];  // the sign
  const size_t digits = size_t(r.ptr - (e + 2));
  if (digits < 4) out.append(4 - digits, '0');
  out.append(e + 2, digits);
}

void AppendCellText(std::string& out, double v, bool number, bool fullPrec, int prec) {
  if (!number || !std::isfinite(v)) {
    out += "####";
    return;
  }
  if (fullPrec) {
    std::string s;
    AppendExponentForm(s, v, kFullPrecDecimals);
    if (s.size() < kFullPrecWidth) out.append(kFullPrecWidth - s.size(), ' ');
    out += s;
  } else if (prec < 0) {
    AppendExponentForm(out, v, -1);
  } else {
    char buf[400];  // a fixed form of the largest double with 10 decimals fits
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, prec);
    out.append(buf, r.ptr);
  }
}

}  // namespace

std::string TNTabEd::ClipCellText(int ACol, int ARow) const {
  std::string s;
  AppendCellText(s, Elem(ACol, ARow), IsNumber(ACol, ARow), FClipUseFullPrec, Precision(ACol));
  return s;
}

void TNTabEd::CopySelection() {
  const TGridRect b = DataSelection();
  const int w = b.Right - b.Left + 1, h = b.Bottom - b.Top + 1;
  if (!FDataCopy) FDataCopy = std::make_unique<TDataTable>();
  FDataCopy->Resize(w, h);
  std::string text;
  text.reserve(size_t(w) * size_t(h) * (FClipUseFullPrec ? 23 : 8));
  for (int r = b.Top; r <= b.Bottom; ++r) {
    char sep = ' ';
    for (int c = b.Left; c <= b.Right; ++c) {
      const double v = Data->GetElem(c, r);
      const uint8_t s = Data->GetCellState(c, r);
      FDataCopy->ElemMatrix().SetElem(c - b.Left + 1, r - b.Top + 1, v);
      FDataCopy->SetCellState(c - b.Left + 1, r - b.Top + 1, s);
      text += sep;
      AppendCellText(text, v, (s & (kcsInvalid | kcsEmpty)) == 0, FClipUseFullPrec,
                     FDecP[size_t(c - 1)]);
      sep = '\t';
    }
    text += "\r\n";
  }
  Clipboard()->SetAsText(text);
  FCopyDone = true;
}

void TNTabEd::PasteCopy() {
  if (!FCopyDone) return;
  HideEditor();
  const TGridRect b = DataSelection();
  const int w = FDataCopy->NrOfColumns(), h = FDataCopy->NrOfRows();
  // What does not fit into the table is dropped.
  const int lastC = std::min(b.Left + w - 1, NrOfColumns());
  const int lastR = std::min(b.Top + h - 1, NrOfRows());
  CellWork([&] {
    for (int r = b.Top; r <= lastR; ++r)
      for (int c = b.Left; c <= lastC; ++c) {
        Data->ElemMatrix().SetElem(c, r, FDataCopy->GetElem(c - b.Left + 1, r - b.Top + 1));
        Data->SetCellState(c, r, FDataCopy->GetCellState(c - b.Left + 1, r - b.Top + 1));
      }
  });
  ChangedData();
  ChangedCellStates();
  Raise(FOnPaste);
  SelectDataBlock(b.Left, b.Top, lastC, lastR);
}

void TNTabEd::ExtractFromClipboard() {
  if (!Clipboard()->HasFormat(CF_TEXT)) return;
  HideEditor();
  const std::string text = Clipboard()->AsText();
  const TGridRect b = DataSelection();
  const int nc = NrOfColumns(), nr = NrOfRows();
  TMatrix& m = Data->ElemMatrix();
  TNumberGrid g;
  CellWork([&] {
    g = ScanNumberGrid(text, true, [&](int i, int j, double v) {
      const int c = b.Left + i, r = b.Top + j;
      if (c <= nc && r <= nr) m.SetElem(c, r, v);
    });
  });
  ChangedData();
  Raise(FOnPaste);
  if (g.Any()) SelectDataBlock(b.Left, b.Top, b.Left + g.MaxCol, b.Top + g.MaxRow);
}

bool TNTabEd::GetClipMatrixSize(int& NCols, int& NRows) const {
  NCols = 1;
  NRows = 1;
  if (!Clipboard()->HasFormat(CF_TEXT)) return false;
  return CountNumberGrid(Clipboard()->AsText(), NCols, NRows);
}

}  // namespace zel
