#include "host/widgets/DateTimePicker.h"

#include <algorithm>
#include <cmath>

#include "host/ui/FormatSettings.h"
#include "host/widgets/Look.h"
#include "host/widgets/StdCtrls.h"

namespace host {

namespace {

constexpr int kButtonWidth = 16;
constexpr int kTextLeft = 4;

char32_t Fold(char32_t c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

bool StartsWithChar(const std::string& s, char32_t ch) {
  return !s.empty() && Fold(char32_t(static_cast<unsigned char>(s[0]))) == Fold(ch);
}

bool IsWeekday(const TDateFormatToken& t) { return t.Letter == 'd' && t.Count >= 3; }
bool IsDateLetter(char c) { return c == 'd' || c == 'M' || c == 'y'; }

// First day shown in the calendar grid of a month: the Sunday on or before the 1st.
TDateTime GridStart(int year, int month) {
  const TDateTime first = EncodeDate(year, month, 1);
  return first - (DayOfWeek(first) - 1);
}

// The same day of the month `delta` months on, clamped to the month's length.
TDateTime AddMonths(TDateTime d, int delta) {
  TDateTimeParts p = DecodeDateTime(d);
  int m = p.Year * 12 + (p.Month - 1) + delta;
  const int y = std::clamp(m / 12, 1, 9999);
  m = m % 12 + 1;
  return EncodeDate(y, m, std::min(p.Day, DaysInMonth(y, m)));
}

}  // namespace

// --- the month calendar that drops down

class TMonthCalendarView : public TCustomControl {
 public:
  explicit TMonthCalendarView(TDateTimePicker* picker) : TCustomControl(nullptr), FPicker(picker) {
    SetControlStyle(TControlStyle((ControlStyle() | csOpaque) & ~csClickEvents));
    SetColor(clWindow);
  }
  // The day the keys move and Return picks.
  TDateTime Cursor() const { return FCursor; }
  void SetCursor(TDateTime d) {
    FCursor = std::clamp(std::trunc(d), -693593.0, 2958465.0);
    Invalidate();
  }
  int CellWidth() { return Measure()->TextWidth("00") + 10; }
  int RowHeight() { return Measure()->TextHeight("Ag") + 4; }
  int TitleHeight() { return RowHeight() + 6; }
  TPoint PreferredSize() { return Point(7 * CellWidth() + 8, TitleHeight() + 7 * RowHeight() + 6); }
  // The cell of a date of the shown grid, in client coordinates.
  TRect DayRect(TDateTime d) {
    const TDateTimeParts p = DecodeDateTime(FCursor);
    const int k = int(std::trunc(d) - GridStart(p.Year, p.Month));
    if (k < 0 || k >= 42) return TRect{};
    const int x = 4 + (k % 7) * CellWidth(), y = TitleHeight() + RowHeight() * (1 + k / 7) + 2;
    return Rect(x, y, x + CellWidth(), y + RowHeight());
  }
  TRect PrevRect() { return Rect(4, 3, 4 + TitleHeight() - 6, TitleHeight() - 3); }
  TRect NextRect() {
    return Rect(Width() - 4 - (TitleHeight() - 6), 3, Width() - 4, TitleHeight() - 3);
  }
  std::string ClassName() const override { return "TMonthCalendarView"; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    if (PrevRect().Contains(X, Y)) {
      SetCursor(AddMonths(FCursor, -1));
    } else if (NextRect().Contains(X, Y)) {
      SetCursor(AddMonths(FCursor, 1));
    } else {
      const TDateTimeParts p = DecodeDateTime(FCursor);
      const TDateTime start = GridStart(p.Year, p.Month);
      for (int k = 0; k < 42; ++k)
        if (DayRect(start + k).Contains(X, Y)) {
          FPicker->SetDate(start + k);
          FPicker->SetDroppedDown(false);
          return;
        }
    }
  }

 private:
  TDateTimePicker* FPicker;
  TDateTime FCursor = 0;
  TCanvas* Measure() {
    TCanvas* c = Canvas();
    c->Font()->Assign(FPicker->Font());
    return c;
  }
  void Arrow(TCanvas* c, const TRect& r, bool left);
};

void TMonthCalendarView::Arrow(TCanvas* c, const TRect& r, bool left) {
  const TRect face = DrawButtonFace(c, r, fsUp);
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(face);
  DrawArrow(c, face, left ? adLeft : adRight, 4, clBtnText, true);
}

void TMonthCalendarView::Paint() {
  TCanvas* c = Measure();
  const TFormatSettings& fs = FormatSettings();
  const TDateTimeParts p = DecodeDateTime(FCursor);
  c->Brush()->SetColor(clWindowFrame);
  c->FrameRect(Rect(0, 0, Width(), Height()));
  c->Brush()->SetColor(Color());
  c->FillRect(Rect(1, 1, Width() - 1, Height() - 1));
  // Title: the month and year between the two arrows.
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(Rect(1, 1, Width() - 1, TitleHeight()));
  Arrow(c, PrevRect(), true);
  Arrow(c, NextRect(), false);
  const std::string title = fs.LongMonthNames[size_t(p.Month - 1)] + " " + std::to_string(p.Year);
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetStyle(fsBold);
  c->TextOut((Width() - c->TextWidth(title)) / 2, (TitleHeight() - c->TextHeight(title)) / 2,
             title);
  c->Font()->SetStyle(0);
  // Weekday names, Sunday first, over a line.
  const int cw = CellWidth(), rh = RowHeight(), top = TitleHeight() + 1;
  for (int i = 0; i < 7; ++i) {
    const std::string name = fs.ShortDayNames[size_t(i)].substr(0, 2);
    c->TextOut(4 + i * cw + (cw - c->TextWidth(name)) / 2, top, name);
  }
  c->Brush()->SetColor(clGrayText);
  c->FillRect(Rect(4, top + rh, 4 + 7 * cw, top + rh + 1));
  // The days: other months grey, the picker's date framed, the cursor highlighted.
  const TDateTime start = GridStart(p.Year, p.Month);
  const TDateTime chosen = std::trunc(FPicker->Date());
  for (int k = 0; k < 42; ++k) {
    const TDateTime d = start + k;
    const TDateTimeParts dp = DecodeDateTime(d);
    const TRect r = DayRect(d);
    const bool cursor = d == FCursor;
    if (cursor) {
      c->Brush()->SetColor(clHighlight);
      c->FillRect(r);
    }
    if (d == chosen) {
      c->Brush()->SetColor(clRed);
      c->FrameRect(r);
    }
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(cursor ? clHighlightText : dp.Month == p.Month ? clWindowText : clGrayText);
    const std::string text = std::to_string(dp.Day);
    c->TextOut(r.Right - 5 - c->TextWidth(text), r.Top + 2, text);
  }
}

// --- the picker

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clWindow);
  SetTabStop(true);
  SetControlStyle(TControlStyle((ControlStyle() | csOpaque) & ~csClickEvents));
  FDrop = std::make_unique<TDropDownWindow>(this, std::make_unique<TMonthCalendarView>(this));
  FDrop->SetOnDismiss([this] { SetDroppedDown(false); });
  Retokenize();
  // Now, as on the platform; tests and the gallery fix the wall clock or set a value.
  FDateTime = Now();
  SetBounds(Left(), Top(), 186, 0);
}

TDateTimePicker::~TDateTimePicker() { FDrop.reset(); }

std::string TDateTimePicker::EffectiveFormat() const {
  if (!FFormat.empty()) return FFormat;
  switch (FKind) {
    case dtkTime:
      return "h:mm:ss tt";
    case dtkDateTime:
      return "M/d/yyyy h:mm:ss tt";
    default:
      return "M/d/yyyy";
  }
}

void TDateTimePicker::Retokenize() {
  FTokens = TokenizeDateFormat(EffectiveFormat());
  FField = std::clamp(FField, 0, std::max(0, FieldCount() - 1));
  if (FieldCount() == 0) FField = -1;
  FTypedCount = FTyped = 0;
}

int TDateTimePicker::FieldCount() const {
  return int(std::count_if(FTokens.begin(), FTokens.end(),
                           [](const TDateFormatToken& t) { return t.Letter != 0; }));
}

const TDateFormatToken* TDateTimePicker::FieldToken(int i) const {
  for (const TDateFormatToken& t : FTokens)
    if (t.Letter != 0 && i-- == 0) return &t;
  return nullptr;
}

bool TDateTimePicker::HasDateFields() const {
  return std::any_of(FTokens.begin(), FTokens.end(),
                     [](const TDateFormatToken& t) { return IsDateLetter(t.Letter); });
}

bool TDateTimePicker::ShowsCalendarButton() const {
  return FDateMode == dmComboBox && HasDateFields();
}

void TDateTimePicker::SetFormat(const std::string& f) {
  if (f == FFormat) return;
  FFormat = f;
  Retokenize();
  Invalidate();
}

void TDateTimePicker::SetKind(TDateTimeKind k) {
  if (k == FKind) return;
  FKind = k;
  Retokenize();
  Invalidate();
}

void TDateTimePicker::SetDateMode(TDTDateMode m) {
  if (m == FDateMode) return;
  FDateMode = m;
  Invalidate();
}

void TDateTimePicker::SetSelectedField(int i) {
  if (FieldCount() == 0) return;
  FField = std::clamp(i, 0, FieldCount() - 1);
  FTypedCount = FTyped = 0;
  Invalidate();
}

void TDateTimePicker::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  // A height of 0 (or less) asks for the font's; any other is kept, the text centred in it.
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight > 0 ? AHeight : c->TextHeight("Ag") + 8);
}

void TDateTimePicker::CMFontChanged(TMessage& Message) {
  TCustomControl::CMFontChanged(Message);
  Invalidate();
}

std::string TDateTimePicker::DisplayText() const {
  return FormatPickerDateTime(EffectiveFormat(), FDateTime);
}

TDateTime TDateTimePicker::Date() const { return DateOf(FDateTime); }
TDateTime TDateTimePicker::Time() const { return TimeOf(FDateTime); }

void TDateTimePicker::SetDate(TDateTime v) { SetDateTime(ComposeDateTime(v, Time())); }
void TDateTimePicker::SetTime(TDateTime v) { SetDateTime(ComposeDateTime(Date(), v)); }

void TDateTimePicker::SetMinDate(TDateTime v) {
  FMinDate = v;
  SetDateTime(FDateTime);
}

void TDateTimePicker::SetMaxDate(TDateTime v) {
  FMaxDate = v;
  SetDateTime(FDateTime);
}

void TDateTimePicker::SetDateTime(TDateTime v) {
  DecodeDateTime(v);  // raises for values outside the calendar
  if (FMinDate != 0 && v < FMinDate) v = FMinDate;
  if (FMaxDate != 0 && v > FMaxDate) v = FMaxDate;
  if (v == FDateTime) return;
  FDateTime = v;
  Invalidate();
  if (DroppedDown()) static_cast<TMonthCalendarView*>(FDrop->Content())->SetCursor(v);
  Change();
}

void TDateTimePicker::Change() {
  if (FOnChange) FOnChange(this);
}

void TDateTimePicker::DropDown() { FireDropDown(this); }

void TDateTimePicker::CloseUp() { FireCloseUp(this); }

void TDateTimePicker::SetDroppedDown(bool v) {
  if (v == DroppedDown() || (v && !HasDateFields())) return;
  auto* cal = static_cast<TMonthCalendarView*>(FDrop->Content());
  if (v) {
    SetMouseCapture(false);  // the calendar takes the mouse, as in the combo box
    DropDown();
    cal->SetFont(Font());
    cal->SetCursor(FDateTime);
    const TPoint size = cal->PreferredSize();
    FDrop->Open(size.x, size.y);
  } else {
    FDrop->Close();
    CloseUp();
  }
  Invalidate();
}

// --- editing

int TDateTimePicker::FieldValue(const TDateFormatToken& t, const TDateTimeParts& p) const {
  switch (t.Letter) {
    case 'y':
      return p.Year;
    case 'M':
      return p.Month;
    case 'd':
      return t.Count >= 3 ? p.DayOfWeek : p.Day;
    case 'h':
    case 'H':
      return p.Hour;
    case 'm':
      return p.Minute;
    case 's':
      return p.Second;
    case 't':
      return p.Hour < 12 ? 0 : 1;
    default:
      return 0;
  }
}

void TDateTimePicker::FieldLimits(const TDateFormatToken& t, const TDateTimeParts& p, int& lo,
                                  int& hi) const {
  lo = 0;
  switch (t.Letter) {
    case 'y':
      lo = 1, hi = 9999;
      break;
    case 'M':
      lo = 1, hi = 12;
      break;
    case 'd':
      if (t.Count >= 3)
        hi = 6;
      else
        lo = 1, hi = DaysInMonth(p.Year, p.Month);
      break;
    case 'h':
    case 'H':
      hi = 23;
      break;
    case 'm':
    case 's':
      hi = 59;
      break;
    default:
      hi = 1;
  }
}

void TDateTimePicker::Apply(TDateTimeParts p) {
  p.Day = std::min(p.Day, DaysInMonth(p.Year, p.Month));
  SetDateTime(EncodeDateTime(p));
}

void TDateTimePicker::SetFieldValue(int value) {
  const TDateFormatToken* t = FieldToken(FField);
  if (!t) return;
  TDateTimeParts p = DecodeDateTime(FDateTime);
  if (IsWeekday(*t)) {
    // The day name moves the date within its week.
    SetDateTime(FDateTime + (value - p.DayOfWeek));
    return;
  }
  switch (t->Letter) {
    case 'y':
      p.Year = value;
      break;
    case 'M':
      p.Month = value;
      break;
    case 'd':
      p.Day = value;
      break;
    case 'h':
    case 'H':
      p.Hour = value;
      break;
    case 'm':
      p.Minute = value;
      break;
    case 's':
      p.Second = value;
      break;
    case 't':
      p.Hour = p.Hour % 12 + (value ? 12 : 0);
      break;
  }
  Apply(p);
}

void TDateTimePicker::StepField(int delta) {
  const TDateFormatToken* t = FieldToken(FField);
  if (!t) return;
  const TDateTimeParts p = DecodeDateTime(FDateTime);
  int lo = 0, hi = 0;
  FieldLimits(*t, p, lo, hi);
  FTypedCount = FTyped = 0;
  int v = FieldValue(*t, p) + delta;
  if (t->Letter == 'y') {
    v = std::clamp(v, lo, hi);  // years do not wrap round
  } else {
    const int span = hi - lo + 1;
    v = lo + ((v - lo) % span + span) % span;
  }
  SetFieldValue(v);
}

void TDateTimePicker::NextField(int delta) {
  if (FieldCount() == 0) return;
  SetSelectedField(FField + delta);
}

void TDateTimePicker::TypeDigit(int digit) {
  const TDateFormatToken* t = FieldToken(FField);
  if (!t || t->Letter == 't' || IsWeekday(*t)) return;
  const TDateTimeParts p = DecodeDateTime(FDateTime);
  const bool fullYear = t->Letter == 'y' && t->Count >= 3;
  const int maxDigits = fullYear ? 4 : 2;
  int hi = 59;
  switch (t->Letter) {
    case 'y':
      hi = fullYear ? 9999 : 99;
      break;
    case 'M':
      hi = 12;
      break;
    case 'd':
      hi = 31;  // the month's own length applies when the day is set
      break;
    case 'h':
      hi = 12;
      break;
    case 'H':
      hi = 23;
      break;
  }
  int v = FTyped * 10 + digit, n = FTypedCount + 1;
  if (v > hi) v = digit, n = 1;
  FTyped = v;
  FTypedCount = n;
  int value = v;
  if (t->Letter == 'y' && !fullYear) value = p.Year / 100 * 100 + v;
  if (t->Letter == 'h') value = v % 12 + (p.Hour >= 12 ? 12 : 0);
  const bool complete = n >= maxDigits || v * 10 > hi;
  // 0 is no month, day or year: it waits for the next digit.
  const bool valid = t->Letter == 'y'                                           ? value >= 1
                     : t->Letter == 'M' || t->Letter == 'd' || t->Letter == 'h' ? v >= 1
                                                                                : true;
  const int field = FField;
  if (valid) SetFieldValue(value);
  if (complete && field == FField) NextField(1);
  Invalidate();
}

bool TDateTimePicker::TypeLetter(char32_t ch) {
  const TDateFormatToken* t = FieldToken(FField);
  if (!t) return false;
  const TFormatSettings& fs = FormatSettings();
  if (t->Letter == 't') {
    if (StartsWithChar(fs.TimeAMString, ch))
      SetFieldValue(0);
    else if (StartsWithChar(fs.TimePMString, ch))
      SetFieldValue(1);
    else
      return false;
    return true;
  }
  if (t->Letter == 'M' && t->Count >= 3) {
    // The next month whose name starts with the letter.
    const int current = DecodeDateTime(FDateTime).Month;
    for (int k = 1; k <= 12; ++k) {
      const int m = (current - 1 + k) % 12 + 1;
      if (StartsWithChar(fs.LongMonthNames[size_t(m - 1)], ch)) {
        SetFieldValue(m);
        return true;
      }
    }
  }
  return false;
}

void TDateTimePicker::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  if (Key == VK_F4 || ((Shift & ssAlt) && (Key == VK_DOWN || Key == VK_UP))) {
    SetDroppedDown(!DroppedDown());
    Key = 0;
    return;
  }
  if (DroppedDown()) {
    auto* cal = static_cast<TMonthCalendarView*>(FDrop->Content());
    const TDateTime d = cal->Cursor();
    const TDateTimeParts p = DecodeDateTime(d);
    switch (Key) {
      case VK_LEFT:
        cal->SetCursor(d - 1);
        break;
      case VK_RIGHT:
        cal->SetCursor(d + 1);
        break;
      case VK_UP:
        cal->SetCursor(d - 7);
        break;
      case VK_DOWN:
        cal->SetCursor(d + 7);
        break;
      case VK_PRIOR:
        cal->SetCursor(AddMonths(d, -1));
        break;
      case VK_NEXT:
        cal->SetCursor(AddMonths(d, 1));
        break;
      case VK_HOME:
        cal->SetCursor(d - (p.Day - 1));
        break;
      case VK_END:
        cal->SetCursor(d + (DaysInMonth(p.Year, p.Month) - p.Day));
        break;
      case VK_RETURN:
        SetDate(d);
        SetDroppedDown(false);
        break;
      case VK_ESCAPE:
        SetDroppedDown(false);
        break;
      default:
        return;
    }
    Key = 0;
    return;
  }
  const TDateFormatToken* t = FieldToken(FField);
  int lo = 0, hi = 0;
  if (t) FieldLimits(*t, DecodeDateTime(FDateTime), lo, hi);
  switch (Key) {
    case VK_LEFT:
      NextField(-1);
      break;
    case VK_RIGHT:
      NextField(1);
      break;
    case VK_UP:
      StepField(1);
      break;
    case VK_DOWN:
      StepField(-1);
      break;
    case VK_HOME:
    case VK_END:
      if (t) SetFieldValue(Key == VK_HOME ? lo : hi);
      break;
    default:
      return;
  }
  Key = 0;
}

void TDateTimePicker::KeyPress(char32_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0 || DroppedDown()) return;
  if (Key >= '0' && Key <= '9')
    TypeDigit(int(Key - '0'));
  else if (Key > ' ' && !TypeLetter(Key) && !((Key | 32) >= 'a' && (Key | 32) <= 'z'))
    NextField(1);  // a separator moves on to the next field
  Key = 0;
}

void TDateTimePicker::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (DroppedDown() ? DLGC_WANTALLKEYS : 0);
}

void TDateTimePicker::WMKillFocus(TMessage& Message) {
  SetDroppedDown(false);
  FTypedCount = FTyped = 0;
  Invalidate();
}

int TDateTimePicker::TextLeft() const { return kTextLeft; }

int TDateTimePicker::FieldAt(int x) {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  const TDateTimeParts p = DecodeDateTime(FDateTime);
  int pos = TextLeft(), field = -1, best = -1;
  for (const TDateFormatToken& t : FTokens) {
    const int w = c->TextWidth(FormatDateToken(t, p));
    if (t.Letter != 0) {
      ++field;
      if (x < pos + w) return field;
      best = field;
    } else if (x < pos + w) {
      return std::max(best, 0);
    }
    pos += w;
  }
  return best;
}

TRect TDateTimePicker::ButtonRect() const {
  return Rect(std::max(2, Width() - 2 - kButtonWidth), 2, Width() - 2, Height() - 2);
}

void TDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FocusByMouse(this);
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const TRect b = ButtonRect();
  if (b.Contains(X, Y)) {
    if (ShowsCalendarButton())
      SetDroppedDown(!DroppedDown());
    else
      StepField(Y < (b.Top + b.Bottom) / 2 ? 1 : -1);  // the spin buttons
    return;
  }
  const int f = FieldAt(X);
  if (f >= 0) SetSelectedField(f);
}

bool TDateTimePicker::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (!TCustomControl::DoMouseWheelDown(Shift, MousePos)) StepField(-1);
  return true;
}

bool TDateTimePicker::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (!TCustomControl::DoMouseWheelUp(Shift, MousePos)) StepField(1);
  return true;
}

void TDateTimePicker::Paint() {
  TCanvas* c = Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  DrawSunkenEdge(c, r);
  c->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
  c->FillRect(r);
  const TRect b = ButtonRect();
  if (ShowsCalendarButton()) {
    DrawDropDownButton(c, b, DroppedDown(), Enabled());
  } else {
    const int mid = (b.Top + b.Bottom) / 2;
    DrawSpinButtons(c, Rect(b.Left, b.Top, b.Right, mid), Rect(b.Left, mid, b.Right, b.Bottom),
                    Enabled());
  }
  c->Font()->Assign(Font());
  if (!Enabled()) c->Font()->SetColor(clGrayText);
  c->IntersectClip(Rect(r.Left, r.Top, b.Left, r.Bottom));
  const TDateTimeParts p = DecodeDateTime(FDateTime);
  const bool focused = Focused() && !DroppedDown();
  const int y = (Height() - c->TextHeight("Ag")) / 2;
  int x = TextLeft(), field = -1;
  for (const TDateFormatToken& t : FTokens) {
    const std::string s = FormatDateToken(t, p);
    const bool selected = t.Letter != 0 && ++field == FField && focused;
    c->Brush()->SetStyle(bsClear);
    if (selected) {
      c->Brush()->SetColor(clHighlight);
      c->FillRect(Rect(x, y, x + c->TextWidth(s), y + c->TextHeight(s)));
      c->Brush()->SetStyle(bsClear);
      c->Font()->SetColor(clHighlightText);
    }
    c->TextOut(x, y, s);
    if (selected) c->Font()->SetColor(Font()->Color());
    x += c->TextWidth(s);
  }
}

}  // namespace host
