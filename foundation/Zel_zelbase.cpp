#include "foundation/Zel_zelbase.h"

#include <cstdlib>
#include <utility>

namespace zel {

std::string ComponentMessage(const std::string& Name, const std::string& What) {
  return "Component \"" + Name + "\": " + What;
}

char CSVDelimiterChar(TCSVDelimiters d) {
  switch (d) {
    case csvSemicolon:
      return ';';
    case csvTab:
      return '\t';
    case csvSpace:
      return ' ';
    default:
      return ',';
  }
}

bool CombineLogic(TLogicOp Op, bool UserDecision, bool Computed) {
  switch (Op) {
    case loAnd:
      return UserDecision && Computed;
    case loOr:
      return UserDecision || Computed;
    case loXor:
      return UserDecision != Computed;
    default:
      return UserDecision;
  }
}

namespace {

// Saves the pen on entry and puts it back on exit, so the helpers below can draw
// with their own colours without surprising the caller.
class PenKeeper {
 public:
  explicit PenKeeper(host::TCanvas* c)
      : FPen(c->Pen()),
        FColor(FPen->Color()),
        FWidth(FPen->Width()),
        FStyle(FPen->Style()),
        FMode(FPen->Mode()) {}
  ~PenKeeper() {
    FPen->SetColor(FColor);
    FPen->SetWidth(FWidth);
    FPen->SetStyle(FStyle);
    FPen->SetMode(FMode);
  }
  PenKeeper(const PenKeeper&) = delete;
  PenKeeper& operator=(const PenKeeper&) = delete;

 private:
  host::TPen* FPen;
  TColor FColor;
  int FWidth;
  host::TPenStyle FStyle;
  host::TPenMode FMode;
};

// The closed outline through both corners, each perimeter pixel drawn once (so an
// xor pen leaves no holes at the corners). A box one pixel wide or high is a line.
void Outline(host::TCanvas* c, int l, int t, int r, int b) {
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  c->MoveTo(l, t);
  if (t == b) {
    c->LineTo(r + 1, t);
    return;
  }
  if (l == r) {
    c->LineTo(l, b + 1);
    return;
  }
  c->LineTo(r, t);
  c->LineTo(r, b);
  c->LineTo(l, b);
  c->LineTo(l, t);
}

// The bevel lines of the 3-D styles: the outline of L..R-1 x T..B-1, the inner
// top-left line and the outer bottom-right line, each in its own colour.
void Bevel(host::TCanvas* c, int l, int t, int r, int b, TColor outline, TColor innerTopLeft,
           TColor outerBottomRight) {
  host::TPen* pen = c->Pen();
  pen->SetColor(outline);
  Outline(c, l, t, r - 1, b - 1);
  pen->SetColor(innerTopLeft);
  c->MoveTo(l + 1, b - 2);
  c->LineTo(l + 1, t + 1);
  c->LineTo(r - 1, t + 1);
  pen->SetColor(outerBottomRight);
  c->MoveTo(l + 1, b);
  c->LineTo(r, b);
  c->LineTo(r, t);
}

}  // namespace

void DrawFrame(host::TCanvas* Canvas, TFrameStyle Style, int Left, int Top, int Right, int Bottom,
               TColor c1, TColor /*c2*/, TColor c3, TColor c4, TColor /*c5*/) {
  if (Canvas == nullptr || Style == frNone || Style > frEngraved) return;
  if (Right < Left) std::swap(Left, Right);
  if (Bottom < Top) std::swap(Top, Bottom);
  PenKeeper keep(Canvas);
  host::TPen* pen = Canvas->Pen();
  pen->SetWidth(1);
  pen->SetStyle(host::psSolid);
  pen->SetMode(host::pmCopy);
  // A box too small for two nested lines gets the plain outline in every style.
  if (Style == frSimple || Right - Left < 2 || Bottom - Top < 2) {
    pen->SetColor(Style == frEmbossed ? c1 : c3);
    Outline(Canvas, Left, Top, Right, Bottom);
    return;
  }
  switch (Style) {
    case frLowered:
      Bevel(Canvas, Left, Top, Right, Bottom, c3, c4, c1);
      break;
    case frRaised:
      Bevel(Canvas, Left, Top, Right, Bottom, c3, c1, c4);
      break;
    case frEmbossed:
      Bevel(Canvas, Left, Top, Right, Bottom, c1, c3, c3);
      break;
    default:
      Bevel(Canvas, Left, Top, Right, Bottom, c3, c1, c1);
      break;
  }
}

void DrawRectangle(host::TCanvas* Canvas, int Left, int Top, int Right, int Bottom) {
  if (Canvas == nullptr) return;
  Outline(Canvas, Left, Top, Right, Bottom);
}

}  // namespace zel
