// TFont: properties, change notification and the platform handle.
#include "host/gfx/FontFace.h"
#include "host/gfx/Graphics.h"

namespace host {

namespace {

std::string FaceNameToUtf8(const WCHAR (&name)[LF_FACESIZE]) {
  std::string s;
  for (int i = 0; i < LF_FACESIZE && name[i] != 0; ++i) AppendUtf8(s, char32_t(name[i]));
  return s;
}

// Copies as many whole characters as fit, leaving room for the terminator.
void Utf8ToFaceName(const std::string& s, WCHAR (&name)[LF_FACESIZE]) {
  int n = 0;
  for (size_t i = 0; i < s.size() && n < LF_FACESIZE - 1;) name[n++] = WCHAR(NextCodePoint(s, i));
  while (n < LF_FACESIZE) name[n++] = 0;
}

BYTE PitchToLogFont(TFontPitch p) {
  return p == fpFixed ? FIXED_PITCH : p == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
}

TFontPitch PitchFromLogFont(BYTE b) {
  switch (b & 3) {
    case FIXED_PITCH:
      return fpFixed;
    case VARIABLE_PITCH:
      return fpVariable;
    default:
      return fpDefault;
  }
}

}  // namespace

TFont::TFont() = default;

TFont::~TFont() { ReleaseHandle(); }

// Face-defining properties share one path: compare, store, drop the face and the
// handle (both describe the old font), notify.
template <class T>
static bool Store(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

void TFont::SetName(const std::string& n) {
  if (Store(FName, n)) FontChanged();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, PixelsPerInch()); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch(), 72)); }

void TFont::SetHeight(int h) {
  if (Store(FHeight, h)) FontChanged();
}

void TFont::SetStyle(TFontStyles s) {
  if (Store(FStyle, s)) FontChanged();
}

void TFont::SetColor(TColor c) {
  if (Store(FColor, c)) Changed();  // the colour is not part of the face or handle
}

void TFont::SetOrientation(int tenths) {
  if (Store(FOrientation, tenths)) FontChanged();
}

void TFont::SetQuality(TFontQuality q) {
  if (Store(FQuality, q)) FontChanged();
}

void TFont::SetPitch(TFontPitch p) {
  if (Store(FPitch, p)) FontChanged();
}

void TFont::FontChanged() {
  FFace.reset();
  ReleaseHandle();
  Changed();
}

void TFont::ReleaseHandle() const {
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
}

LOGFONTW TFont::Description() const {
  LOGFONTW lf;
  lf.lfHeight = FHeight;
  lf.lfEscapement = lf.lfOrientation = FOrientation;
  lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (FStyle & fsItalic) ? 1 : 0;
  lf.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = FQuality;  // the quality ordinals are the platform's values
  lf.lfPitchAndFamily = PitchToLogFont(FPitch);
  Utf8ToFaceName(FName, lf.lfFaceName);
  return lf;
}

HFONT TFont::Handle() const {
  // A handle someone else deleted once too often is stale: make a fresh one.
  if (FHandle && GetObjectW(FHandle, 0, nullptr) != 0) return FHandle;
  const LOGFONTW lf = Description();
  FHandle = CreateFontIndirectW(&lf);
  if (!FHandle) throw EOutOfResources("Cannot create a font handle for \"" + FName + "\"");
  return FHandle;
}

void TFont::SetHandle(HFONT h) {
  if (h == FHandle) return;
  if (!h) {
    ReleaseHandle();
    return;
  }
  LOGFONTW lf;
  if (GetObjectW(h, int(sizeof(lf)), &lf) != int(sizeof(lf)))
    throw EInvalidOperation("Invalid font handle");
  TFontStyles style = 0;
  if (lf.lfWeight >= FW_BOLD) style |= fsBold;
  if (lf.lfItalic) style |= fsItalic;
  if (lf.lfUnderline) style |= fsUnderline;
  if (lf.lfStrikeOut) style |= fsStrikeOut;
  const auto quality = lf.lfQuality <= fqClearTypeNatural ? TFontQuality(lf.lfQuality) : fqDefault;
  bool changed = Store(FName, FaceNameToUtf8(lf.lfFaceName));
  changed |= Store(FHeight, int(lf.lfHeight));
  changed |= Store(FStyle, style);
  changed |= Store(FOrientation, int(lf.lfEscapement));
  changed |= Store(FQuality, quality);
  changed |= Store(FPitch, PitchFromLogFont(lf.lfPitchAndFamily));
  ReleaseHandle();
  FHandle = h;
  if (changed) {
    FFace.reset();
    Changed();
  }
}

void TFont::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFont*>(Source);
  if (!src) {
    TGraphicsObject::Assign(Source);
    return;
  }
  if (src == this) return;
  bool face = Store(FName, src->FName);
  face |= Store(FHeight, src->FHeight);
  face |= Store(FStyle, src->FStyle);
  face |= Store(FOrientation, src->FOrientation);
  face |= Store(FQuality, src->FQuality);
  face |= Store(FPitch, src->FPitch);
  const bool colour = Store(FColor, src->FColor);
  if (face) {
    FFace.reset();
    ReleaseHandle();
  }
  if (face || colour) Changed();
}

FontFace& TFont::Face() const {
  if (!FFace) {
    FontRequest r;
    r.Name = FName;
    r.Height = FHeight;
    r.Style = FStyle & (fsBold | fsItalic);  // lines are drawn by the canvas
    r.Orientation = FOrientation;
    r.Antialias = FQuality != fqNonAntialiased;
    r.Pitch = FPitch;
    FFace = FontFace::Get(r);
  }
  return *FFace;
}

}  // namespace host
