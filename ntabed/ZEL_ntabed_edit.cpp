// In-place editing of the table editor's cells, the heading editor for names
// and attributes, and the comment editor.
#include <algorithm>
#include <cmath>

#include "foundation/Zel_math1.h"
#include "foundation/Zel_numscan.h"
#include "foundation/Zel_stringl.h"
#include "host/widgets/StdCtrls.h"
#include "ntabed/ZEL_ntabed.h"
#include "ntabed/ZEL_ntabed_format.h"

namespace zel {

using namespace host;

namespace {

constexpr int kMaxCategory = 150;
constexpr size_t kMaxHeadingLength = 50;

// A decimal number as typed: "," counts as ".", blanks around it are dropped,
// and the whole text must be the number.
bool ReadTypedNumber(std::string text, double& value) {
  std::replace(text.begin(), text.end(), ',', '.');
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return false;
  const size_t last = text.find_last_not_of(' ');
  const std::string_view number = std::string_view(text).substr(first, last - first + 1);
  const TNumScan s = ScanNumber(number, 0, {true, false});
  if (!s.Valid || s.Stop != number.size()) return false;
  value = s.Value;
  return true;
}

// The first n characters (not bytes) of s.
std::string Utf8Left(const std::string& s, size_t n) {
  size_t i = 0;
  char32_t cp = 0;
  for (size_t k = 0; k < n && i < s.size(); ++k) i += Utf8CharAt(s, i, cp);
  return s.substr(0, i);
}

}  // namespace

// ---------------------------------------------------------------- cells

std::string TNTabEd::GetEditText(int ACol, int ARow) {
  const int c = ACol - FColOffset, r = ARow - FRowOffset;
  std::string text;
  if (IsCategorical(Data->GetMScaleType(c))) {
    const std::optional<int> n = RoundToInt(Elem(c, r));
    if (n && *n >= 1 && *n <= kMaxCategory) text = Data->GetNominalID(c, *n);
    if (text.empty()) text = n ? std::to_string(*n) : CellText(c, r);
  } else {
    text = FormatTableNumber(Elem(c, r), FNumWidth, Precision(c));
    const size_t first = text.find_first_not_of(' ');
    text.erase(0, first == std::string::npos ? text.size() : first);
  }
  if (FOnGetEditText) FOnGetEditText(this, ACol, ARow, text);
  return text;
}

void TNTabEd::SetEditText(int ACol, int ARow, const std::string& Value) {
  const int c = ACol - FColOffset, r = ARow - FRowOffset;
  if (c >= 1 && r >= 1 && c <= NrOfColumns() && r <= NrOfRows()) StoreCellText(c, r, Value);
  TCustomGrid::SetEditText(ACol, ARow, Value);
  if (FOnSetEditText) FOnSetEditText(this, ACol, ARow, Value);
}

// Invalid text marks the cell invalid and keeps its value; the empty bit is
// never touched, so a number typed into an empty cell waits there unseen
// until the program clears the bit.
void TNTabEd::StoreCellText(int c, int r, const std::string& Value) {
  const uint8_t state = CellState(c, r);
  uint8_t newState = uint8_t(state | kcsInvalid);
  double v = Elem(c, r);
  if (IsCategorical(Data->GetMScaleType(c))) {
    const int k = Data->OrdinalOfNominalID(c, Value, true);
    if (k > 0) {
      v = k;
      newState = 0;  // a category picked by name starts afresh, marks and all
    } else if (IsValidDecInt(Value)) {
      v = std::stod(Value);
      newState = uint8_t(state & ~kcsInvalid);
    }
  } else if (ReadTypedNumber(Value, v)) {
    newState = uint8_t(state & ~kcsInvalid);
  }
  Quietly([&] {
    Data->ElemMatrix().SetElem(c, r, v);
    Data->SetCellState(c, r, newState);
  });
  InvalidateCell(c + FColOffset, r + FRowOffset);
  ChangedData();
  if (newState != state) ChangedCellStates();
}

TEditStyle TNTabEd::GetEditStyle(int ACol, int ARow) {
  (void)ARow;
  return IsCategorical(Data->GetMScaleType(ACol - FColOffset)) ? esPickList : esSimple;
}

TInplaceEdit* TNTabEd::CreateEditor() {
  auto* e = new TInplaceEditList(this);
  e->SetDropDownRows(FDropdownCount);
  e->SetOnGetPickListItems([this](int ACol, int, TStrings* Items) {
    Items->Clear();
    const int c = ACol - FColOffset;
    for (int k = 1; k <= kMaxCategory; ++k) {
      const std::string name = Data->GetNominalID(c, k);
      if (!name.empty()) Items->Add(name);
    }
  });
  return e;
}

void TNTabEd::SetNomEditDropDownCount(int v) {
  FDropdownCount = v;
  if (auto* list = dynamic_cast<TInplaceEditList*>(InplaceEditor())) list->SetDropDownRows(v);
}

void TNTabEd::SetEditing(bool On) {
  const TGridOptions o = Options();
  SetOptions(On ? (o | goEditing) : (o & ~TGridOptions(goEditing)));
}

// ---------------------------------------------------------------- headings

bool TNTabEd::HeadingEditorOpen() const { return FHeadEdit && FHeadEdit->Visible(); }

void TNTabEd::EditHeading(int ACol, int ARow) {
  const bool nameRow = ARow == 0, nameCol = ACol == 0;
  const bool attRow = AttribColVisible() && ARow == 1, attCol = AttribRowVisible() && ACol == 1;
  const bool inRow = nameRow || attRow, inCol = nameCol || attCol;
  // Corner cells belong to both a heading row and a heading column.
  if (inRow == inCol) return;
  const int c = ACol - FColOffset, r = ARow - FRowOffset;
  if ((inRow && (c < 1 || c > NrOfColumns())) || (inCol && (r < 1 || r > NrOfRows()))) return;
  std::string text;
  if (nameRow)
    text = ColName(c);
  else if (nameCol)
    text = RowName(r);
  else
    text = std::to_string(attRow ? ColAttrib(c) : RowAttrib(r));
  if (!FHeadEdit) {
    FHeadEdit = new TEdit(this);
    FHeadEdit->SetParent(this);
    FHeadEdit->SetOnKeyPress([this](TObject*, char32_t& Key) { HeadingKeyPress(Key); });
  }
  const TRect cell = CellRect(ACol, ARow);
  FHeadEdit->SetBounds(cell.Left + 30, cell.Top + 5, FHeadEdit->Width(), FHeadEdit->Height());
  FHeadEdit->SetText(text);
  FHeadEditCell = {ACol, ARow};
  FHeadEdit->Show();
  FHeadEdit->SetFocus();
}

void TNTabEd::HeadingKeyPress(char32_t& Key) {
  if (Key != U'\r' && Key != 27) return;
  const bool store = Key == U'\r';
  Key = 0;
  FHeadEdit->Hide();
  Invalidate();
  if (CanFocus()) SetFocus();
  if (!store) return;
  const TGridCoord g = FHeadEditCell;
  const int c = g.X - FColOffset, r = g.Y - FRowOffset;
  const std::string text = FHeadEdit->Text();
  if (g.Y == 0) {
    SetColName(c, Utf8Left(text, kMaxHeadingLength));
  } else if (g.X == 0) {
    SetRowName(r, Utf8Left(text, kMaxHeadingLength));
  } else {
    double v = 0;
    if (!ReadTypedNumber(text, v)) return;
    const uint8_t a = uint8_t(Round(std::clamp(v, 0.0, 255.0)));
    if (g.Y == 1 && g.X > FColOffset)
      SetColAttrib(c, a);
    else
      SetRowAttrib(r, a);
    ChangedHeading();
  }
}

// ---------------------------------------------------------------- the comment

bool TNTabEd::CommentEditorOpen() const { return FCommentEdit && FCommentEdit->Visible(); }

void TNTabEd::EditComment() {
  if (!FCommentEdit) {
    FCommentEdit = new TMemo(this);
    FCommentEdit->SetParent(this);
    FCommentEdit->SetColor(kCommentColor);
    FCommentEdit->Font()->SetColor(clWhite);
    FCommentEdit->SetOnKeyPress([this](TObject*, char32_t& Key) { CommentKeyPress(Key); });
  }
  const int left = TCustomGrid::ColWidths(0);
  FCommentEdit->SetBounds(left, 0, std::max(Width() - left - 20, 20), 80);
  FCommentEdit->SetText(Comment());
  FCommentEdit->Show();
  FCommentEdit->SetFocus();
  InvalidateCell(0, 0);
}

void TNTabEd::CommentKeyPress(char32_t& Key) {
  if (Key != U'\r' && Key != 27) return;
  const bool store = Key == U'\r';
  Key = 0;
  CloseComment(store);
}

void TNTabEd::CloseComment(bool Store) {
  if (!CommentEditorOpen()) return;
  FCommentEdit->Hide();
  if (Store) SetComment(FCommentEdit->Text());
  InvalidateCell(0, 0);
  InvalidateCell(Col(), Row());
  if (CanFocus()) SetFocus();
}

}  // namespace zel
