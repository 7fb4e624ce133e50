#include "tests/support/Headless.h"

#include <cstdlib>
#include <filesystem>

namespace zeltest {

using namespace host;

namespace {

// Points of the form where a control's client point lies.
TPoint ToForm(TControl* c, int x, int y) {
  TForm* f = GetParentForm(c);
  TPoint s = c->ClientToScreen(Point(x, y));
  return f->ScreenToClient(s);
}

TForm* FormOrFail(TControl* c) {
  TForm* f = GetParentForm(c);
  if (!f) ADD_FAILURE() << "the control is not on a form";
  return f;
}

void Post(TForm* f, TBackendEvent ev) {
  ev.Window = f->WindowId();
  Headless().PostEvent(ev);
  Application->ProcessMessages();
}

TBackendEvent MouseEvent(TBackendEventKind kind, int x, int y, TMouseButton b, TShiftState shift) {
  TBackendEvent ev;
  ev.Kind = kind;
  ev.X = x;
  ev.Y = y;
  ev.Button = b;
  ev.Shift = shift;
  return ev;
}

void Key(TForm* f, TBackendEventKind kind, Word key) {
  TBackendEvent ev;
  ev.Kind = kind;
  ev.Key = key;
  Post(f, ev);
}

void Char(TForm* f, char32_t ch) {
  TBackendEvent ev;
  ev.Kind = bekChar;
  ev.Char = ch;
  Post(f, ev);
}

// The modifiers of a shift state, pressed or released around a key.
void Modifiers(TForm* f, TShiftState shift, TBackendEventKind kind) {
  if (shift & ssCtrl) Key(f, kind, VK_CONTROL);
  if (shift & ssAlt) Key(f, kind, VK_MENU);
  if (shift & ssShift) Key(f, kind, VK_SHIFT);
}

// The character a key types on a US layout, or 0 for keys that type none.
char32_t CharOfKey(Word key, TShiftState shift) {
  if (shift & (ssCtrl | ssAlt)) return 0;
  bool up = shift & ssShift;
  if (key >= 'A' && key <= 'Z') return up ? key : key + 32;
  if (key >= '0' && key <= '9') return up ? U")!@#$%^&*("[key - '0'] : key;
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return U'0' + (key - VK_NUMPAD0);
  switch (key) {
    case VK_SPACE:
      return U' ';
    case VK_RETURN:
      return U'\r';
    case VK_TAB:
      return U'\t';
    case VK_BACK:
      return U'\b';
    case VK_ESCAPE:
      return 27;
    case VK_OEM_PERIOD:
      return up ? U'>' : U'.';
    case VK_OEM_COMMA:
      return up ? U'<' : U',';
    case VK_OEM_MINUS:
      return up ? U'_' : U'-';
    case VK_OEM_PLUS:
      return up ? U'+' : U'=';
    case VK_OEM_2:
      return up ? U'?' : U'/';
    case VK_OEM_1:
      return up ? U':' : U';';
    case VK_ADD:
      return U'+';
    case VK_SUBTRACT:
      return U'-';
    case VK_MULTIPLY:
      return U'*';
    case VK_DIVIDE:
      return U'/';
    case VK_DECIMAL:
      return U'.';
    default:
      return 0;
  }
}

// The key (and shift) that types a character on a US layout; key 0 when none.
std::pair<Word, TShiftState> KeyOfChar(char32_t ch) {
  if (ch >= 'a' && ch <= 'z') return {Word(ch - 32), 0};
  if (ch >= 'A' && ch <= 'Z') return {Word(ch), ssShift};
  if (ch >= '0' && ch <= '9') return {Word(ch), 0};
  const std::u32string shifted = U")!@#$%^&*(";
  if (auto i = shifted.find(ch); i != std::u32string::npos) return {Word('0' + i), ssShift};
  for (Word k : {VK_SPACE, VK_RETURN, VK_TAB, VK_BACK, VK_OEM_PERIOD, VK_OEM_COMMA, VK_OEM_MINUS,
                 VK_OEM_PLUS, VK_OEM_2, VK_OEM_1}) {
    if (CharOfKey(k, 0) == ch) return {k, 0};
    if (CharOfKey(k, ssShift) == ch) return {k, ssShift};
  }
  if (ch == '\n') return {VK_RETURN, 0};
  return {0, 0};
}

// Decodes UTF-8; a malformed byte stands for itself so nothing is lost silently.
std::u32string Decode(const std::string& s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + size_t(len) > s.size()) {
      out.push_back(b);
      ++i;
      continue;
    }
    char32_t cp = len == 1 ? b : b & (0x7F >> len);
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out.push_back(cp);
    i += size_t(len);
  }
  return out;
}

std::filesystem::path SourceDir() {
  const char* d = std::getenv("ZEL_SOURCE_DIR");
  return d && *d ? std::filesystem::path(d) : std::filesystem::current_path();
}

}  // namespace

void StartHeadless() { ResetApplication(std::make_unique<THeadlessBackend>(true)); }

THeadlessBackend& Headless() {
  auto* b = dynamic_cast<THeadlessBackend*>(&CurrentBackend());
  if (!b) {
    ADD_FAILURE() << "the backend in use is not headless";
    StartHeadless();
    b = static_cast<THeadlessBackend*>(&CurrentBackend());
  }
  return *b;
}

void Pump() { Application->ProcessMessages(); }

void Advance(int64_t ms) { Application->AdvanceTime(ms); }

void MouseMove(TForm* f, int x, int y, TShiftState shift) {
  Post(f, MouseEvent(bekMouseMove, x, y, mbLeft, shift));
}

void MouseDown(TForm* f, int x, int y, TMouseButton b, TShiftState shift) {
  Post(f, MouseEvent(bekMouseDown, x, y, b, shift));
}

void MouseUp(TForm* f, int x, int y, TMouseButton b, TShiftState shift) {
  Post(f, MouseEvent(bekMouseUp, x, y, b, shift));
}

void Click(TForm* f, int x, int y, TMouseButton b, TShiftState shift) {
  MouseMove(f, x, y, shift);
  MouseDown(f, x, y, b, shift);
  MouseUp(f, x, y, b, shift);
}

void DblClick(TForm* f, int x, int y, TShiftState shift) {
  Click(f, x, y, mbLeft, shift);
  Click(f, x, y, mbLeft, shift);
}

void Drag(TForm* f, int x0, int y0, int x1, int y1, int steps, TMouseButton b, TShiftState shift) {
  MouseMove(f, x0, y0, shift);
  MouseDown(f, x0, y0, b, shift);
  steps = std::max(steps, 1);
  for (int i = 1; i <= steps; ++i)
    MouseMove(f, x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps, shift);
  MouseUp(f, x1, y1, b, shift);
}

void Wheel(TForm* f, int x, int y, int delta, TShiftState shift) {
  TBackendEvent ev = MouseEvent(bekMouseWheel, x, y, mbLeft, shift);
  ev.WheelDelta = delta;
  Post(f, ev);
}

void Click(TControl* c, int x, int y, TMouseButton b, TShiftState shift) {
  if (TForm* f = FormOrFail(c)) {
    TPoint p = ToForm(c, x, y);
    Click(f, p.x, p.y, b, shift);
  }
}

void DblClick(TControl* c, int x, int y, TShiftState shift) {
  if (TForm* f = FormOrFail(c)) {
    TPoint p = ToForm(c, x, y);
    DblClick(f, p.x, p.y, shift);
  }
}

void Drag(TControl* c, int x0, int y0, int x1, int y1, int steps) {
  if (TForm* f = FormOrFail(c)) {
    TPoint a = ToForm(c, x0, y0), b = ToForm(c, x1, y1);
    Drag(f, a.x, a.y, b.x, b.y, steps);
  }
}

void MouseMove(TControl* c, int x, int y, TShiftState shift) {
  if (TForm* f = FormOrFail(c)) {
    TPoint p = ToForm(c, x, y);
    MouseMove(f, p.x, p.y, shift);
  }
}

void PressKey(TForm* f, Word key, TShiftState shift) {
  Modifiers(f, shift, bekKeyDown);
  Key(f, bekKeyDown, key);
  if (char32_t ch = CharOfKey(key, shift)) Char(f, ch);
  Key(f, bekKeyUp, key);
  Modifiers(f, shift, bekKeyUp);
}

void TypeText(TForm* f, const std::string& text) {
  for (char32_t ch : Decode(text)) {
    auto [key, shift] = KeyOfChar(ch);
    if (key == 0) {
      Char(f, ch);  // a character no key of the layout types: just the character
      continue;
    }
    Modifiers(f, shift, bekKeyDown);
    Key(f, bekKeyDown, key);
    Char(f, ch);
    Key(f, bekKeyUp, key);
    Modifiers(f, shift, bekKeyUp);
  }
}

TColor PixelAt(TForm* f, int x, int y) {
  f->PaintPending();
  return f->Framebuffer()->Canvas()->Pixels(x, y);
}

TColor PixelAt(TControl* c, int x, int y) {
  TForm* f = FormOrFail(c);
  if (!f) return TColor(-1);
  TPoint p = ToForm(c, x, y);
  return PixelAt(f, p.x, p.y);
}

void SavePng(TForm* f, const std::string& path) {
  f->PaintPending();
  auto dir = std::filesystem::path(path).parent_path();
  if (!dir.empty()) std::filesystem::create_directories(dir);
  f->Framebuffer()->SaveToFile(path);
}

::testing::AssertionResult MatchesGolden(TForm* f, const std::string& name) {
  auto golden = SourceDir() / "tests" / "golden" / (name + ".png");
  const char* update = std::getenv("ZEL_UPDATE_GOLDEN");
  if (update && *update && std::string(update) != "0") {
    SavePng(f, golden.string());
    return ::testing::AssertionSuccess() << "rewrote " << golden;
  }
  if (!std::filesystem::exists(golden))
    return ::testing::AssertionFailure()
           << "no golden image " << golden << "; run with ZEL_UPDATE_GOLDEN=1 to write it";
  f->PaintPending();
  TBitmap expected;
  expected.LoadFromFile(golden.string());
  TBitmap* actual = f->Framebuffer();
  auto keepActual = [&] {
    auto out = SourceDir() / "out" / "golden-actual" / (name + ".png");
    SavePng(f, out.string());
    return out;
  };
  if (expected.Width() != actual->Width() || expected.Height() != actual->Height())
    return ::testing::AssertionFailure()
           << name << ": size " << actual->Width() << "x" << actual->Height() << ", golden "
           << expected.Width() << "x" << expected.Height() << "; actual in " << keepActual();
  for (int y = 0; y < actual->Height(); ++y) {
    const TPixel* a = actual->ScanLine(y);
    const TPixel* e = expected.ScanLine(y);
    for (int x = 0; x < actual->Width(); ++x)
      if ((a[x] & 0xFFFFFF) != (e[x] & 0xFFFFFF))
        return ::testing::AssertionFailure() << name << ": first difference at (" << x << ", " << y
                                             << "); actual in " << keepActual();
  }
  return ::testing::AssertionSuccess();
}

void HeadlessTest::SetUp() { StartHeadless(); }

void HeadlessTest::TearDown() {
  FForm.reset();
  StartHeadless();
}

TForm* HeadlessTest::Form() {
  if (!FForm) {
    FForm = std::make_unique<TForm>(nullptr);
    FForm->SetBounds(0, 0, 200, 120);
    FForm->Show();
    Pump();
  }
  return FForm.get();
}

}  // namespace zeltest
