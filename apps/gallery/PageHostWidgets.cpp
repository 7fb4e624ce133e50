// The "Host widgets" page: the standard widgets the controls build on, live.
// Edits and a memo, labels in their alignments and layouts, panels with every
// bevel, speed buttons alone, flat and in groups, push buttons, check boxes
// and stand-alone scroll bars.
// A status line at the top tells what the last action did (the handlers hold
// the status label itself: the page builder is gone by the time they run).
#include <memory>
#include <string>

#include "apps/gallery/Pages.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/ExtCtrls.h"
#include "host/widgets/ScrollBar.h"
#include "host/widgets/StdCtrls.h"

namespace {

using namespace host;

using gallery::Add;
using gallery::Caption;

// A column heading in bold.
void Heading(TWinControl* parent, int x, int y, const std::string& text) {
  Caption(parent, x, y, text)->Font()->SetStyle(fsBold);
}

// A 16 x 16 glyph on a fuchsia ground (its bottom-left pixel, so transparent):
// a filled triangle pointing left, right, up or down, or a square.
std::unique_ptr<TBitmap> Glyph(char shape, TColor color) {
  auto b = std::make_unique<TBitmap>(16, 16);
  TCanvas* c = b->Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(Rect(0, 0, 16, 16));
  c->Brush()->SetColor(color);
  c->Pen()->SetColor(color);
  switch (shape) {
    case '<':
      c->Polygon({Point(11, 3), Point(11, 12), Point(4, 8)});
      break;
    case '>':
      c->Polygon({Point(4, 3), Point(4, 12), Point(11, 8)});
      break;
    case '^':
      c->Polygon({Point(3, 11), Point(12, 11), Point(8, 4)});
      break;
    case 'v':
      c->Polygon({Point(3, 4), Point(12, 4), Point(8, 11)});
      break;
    default:
      c->Rectangle(4, 4, 12, 12);
      break;
  }
  return b;
}

class Page {
 public:
  explicit Page(TWinControl* p) : P(p) {}
  void Build() {
    FStatus =
        Caption(P, 16, 4, "Try the widgets: type, select, copy and paste, click the buttons.");
    FStatus->Font()->SetColor(clNavy);
    Edits(16, 30);
    Labels(330, 30);
    Panels(640, 30);
    Buttons(970, 30);
  }

 private:
  TWinControl* P;
  TLabel* FStatus = nullptr;

  TEdit* LabeledEdit(int x, int y, const std::string& label, const std::string& text) {
    Caption(P, x, y + 4, label);
    auto* e = Add<TEdit>(P, x + 100, y, 180, 21);
    e->SetText(text);
    return e;
  }

  void Edits(int x, int y) {
    Heading(P, x, y, "TEdit and TMemo");
    auto* name = LabeledEdit(x, y + 22, "Name:", "Ada Lovelace");
    name->SetOnChange([s = FStatus, name](TObject*) {
      s->SetCaption("Name changed to \"" + name->Text() + "\"");
    });
    auto* limited = LabeledEdit(x, y + 50, "At most 8:", "12345678");
    limited->SetMaxLength(8);
    LabeledEdit(x, y + 78, "Read-only:", "You can copy me")->SetReadOnly(true);
    LabeledEdit(x, y + 106, "Disabled:", "Not now")->SetEnabled(false);
    auto* kept = LabeledEdit(x, y + 134, "Keeps selection:", "Selection stays visible");
    kept->SetHideSelection(false);
    kept->SetSelStart(10);
    kept->SetSelLength(13);
    LabeledEdit(x, y + 162, "Long text:",
                "A rather long line of text that scrolls sideways to keep the caret in view")
        ->SetSelStart(1000);
    LabeledEdit(x, y + 190, "Unicode:",
                "Gr\xC3\xBC\xC3\x9F"
                "e, \xCE\xB1\xCE\xB2\xCE\xB3, 20 \xE2\x82\xAC");
    auto* plain = LabeledEdit(x, y + 218, "No border:", "bsNone");
    plain->SetBorderStyle(bsNone);

    auto* memoLabel = Caption(P, x, y + 250, "&Memo (Alt+M):");
    auto* memo = Add<TMemo>(P, x + 100, y + 248, 180, 96);
    memo->SetScrollBars(ssVertical);
    memo->Lines()->Add("A memo holds several lines.");
    memo->Lines()->Add("Return starts a new one; long lines wrap at the memo's width.");
    memo->Lines()->Add("Up and Down move between the lines as shown.");
    memo->Lines()->Add("Page Down, the wheel, the scroll bar and the caret scroll the view.");
    memo->Lines()->Add("(fifth line)");
    memoLabel->SetFocusControl(memo);
  }

  TLabel* BoxedLabel(int x, int y, const std::string& text, TAlignment a, TTextLayout l) {
    auto* lab = Add<TLabel>(P, x, y, 130, 34);
    lab->SetAutoSize(false);
    lab->SetColor(clWindow);
    lab->SetAlignment(a);
    lab->SetLayout(l);
    lab->SetCaption(text);
    return lab;
  }

  void Labels(int x, int y) {
    Heading(P, x, y, "TLabel");
    BoxedLabel(x, y + 22, "Left, top", taLeftJustify, tlTop);
    BoxedLabel(x + 140, y + 22, "Right, bottom", taRightJustify, tlBottom);
    BoxedLabel(x, y + 62, "Centred", taCenter, tlCenter);
    auto* wrap =
        BoxedLabel(x + 140, y + 62, "Word wrap breaks long captions", taLeftJustify, tlTop);
    wrap->SetWordWrap(true);
    auto* big = Caption(P, x, y + 106, "Auto-sized, 14 points");
    big->Font()->SetSize(14);
    big->Font()->SetColor(clMaroon);
    Caption(P, x, y + 134, "Disabled caption")->SetEnabled(false);
    Caption(P, x + 140, y + 134, "&Underlined accelerator");

    // A transparent label over a coloured panel shows the panel through.
    auto* back = Add<TPanel>(P, x, y + 158, 270, 44);
    back->SetParentBackground(false);
    back->SetColor(RGB(255, 240, 200));
    back->SetBevelOuter(bvLowered);
    auto* over = new TLabel(P->Owner());
    over->SetParent(back);
    over->SetBounds(8, 6, 0, 0);
    over->SetTransparent(true);
    over->SetCaption("Transparent label on a panel");
    auto* opaque = new TLabel(P->Owner());
    opaque->SetParent(back);
    opaque->SetBounds(8, 24, 0, 0);
    opaque->SetColor(clWhite);
    opaque->SetCaption("Opaque label");
  }

  TPanel* Bevelled(int x, int y, const std::string& caption, TBevelCut outer, TBevelCut inner) {
    auto* p = Add<TPanel>(P, x, y, 150, 40);
    p->SetBevelOuter(outer);
    p->SetBevelInner(inner);
    p->SetCaption(caption);
    return p;
  }

  void Panels(int x, int y) {
    Heading(P, x, y, "TPanel");
    Bevelled(x, y + 22, "Raised", bvRaised, bvNone);
    Bevelled(x + 160, y + 22, "Lowered", bvLowered, bvNone);
    auto* frame = Bevelled(x, y + 72, "Raised + lowered, 2 wide", bvRaised, bvLowered);
    frame->SetBevelWidth(2);
    frame->SetBorderWidth(2);
    frame->SetWidth(310);
    auto* single = Bevelled(x, y + 122, "Single border, left", bvNone, bvNone);
    single->SetBorderStyle(bsSingle);
    single->SetAlignment(taLeftJustify);
    auto* colour = Bevelled(x + 160, y + 122, "Own colour, right", bvRaised, bvNone);
    colour->SetParentBackground(false);
    colour->SetColor(RGB(200, 220, 255));
    colour->SetAlignment(taRightJustify);

    // A panel that lights up while the mouse is over it.
    auto* hover = Bevelled(x, y + 172, "Hover over me", bvRaised, bvRaised);
    hover->SetWidth(310);
    hover->SetParentBackground(false);
    hover->SetOnMouseEnter([s = FStatus, hover](TObject*) {
      hover->SetColor(RGB(255, 255, 200));
      s->SetCaption("Mouse entered the panel");
    });
    hover->SetOnMouseLeave([s = FStatus, hover](TObject*) {
      hover->SetColor(clBtnFace);
      s->SetCaption("Mouse left the panel");
    });
  }

  TSpeedButton* Speed(int x, int y, const std::string& caption, int group = 0) {
    auto* b = Add<TSpeedButton>(P, x, y, caption.empty() ? 25 : 70, 25);
    b->SetCaption(caption);
    b->SetGroupIndex(group);
    b->SetOnClick([s = FStatus, b](TObject*) {
      s->SetCaption("Speed button \"" + b->Caption() + "\" " + (b->Down() ? "is down" : "clicked"));
    });
    return b;
  }

  void Buttons(int x, int y) {
    Heading(P, x, y, "TSpeedButton, TButton, TCheckBox");
    Speed(x, y + 22, "Plain");
    Speed(x + 75, y + 22, "Flat")->SetFlat(true);
    Speed(x + 150, y + 22, "Disabled")->SetEnabled(false);
    // A group of three where one is always down, and one that may be all up.
    const char shapes[] = {'<', 's', '>'};
    const TColor colours[] = {clNavy, clGreen, clNavy};
    for (int i = 0; i < 3; ++i) {
      auto* b = Speed(x + 25 * i, y + 54, "", 1);
      b->SetGlyph(Glyph(shapes[i], colours[i]).get());
      b->SetHint(std::string(1, shapes[i]));
      if (i == 1) b->SetDown(true);
    }
    for (int i = 0; i < 2; ++i) {
      auto* b = Speed(x + 100 + 75 * i, y + 54, i ? "Italic" : "Bold", 2);
      b->SetAllowAllUp(true);
      b->SetFlat(true);
      b->SetGlyph(Glyph(i ? 'v' : '^', clMaroon).get());
    }

    auto* ok = Add<TButton>(P, x, y + 94, 75, 25);
    ok->SetCaption("OK");
    ok->SetDefault(true);
    ok->SetOnClick([s = FStatus](TObject*) { s->SetCaption("OK clicked"); });
    auto* cancel = Add<TButton>(P, x + 85, y + 94, 75, 25);
    cancel->SetCaption("Cancel");
    cancel->SetCancel(true);
    cancel->SetOnClick([s = FStatus](TObject*) { s->SetCaption("Cancel clicked"); });
    auto* off = Add<TButton>(P, x + 170, y + 94, 75, 25);
    off->SetCaption("Disabled");
    off->SetEnabled(false);

    const struct {
      const char* Caption;
      TCheckBoxState State;
      bool Grayed, Enabled;
    } boxes[] = {{"Unchecked", cbUnchecked, false, true},
                 {"Checked", cbChecked, false, true},
                 {"Three states (grey)", cbGrayed, true, true},
                 {"Disabled, checked", cbChecked, false, false}};
    int row = y + 132;
    for (const auto& d : boxes) {
      auto* c = Add<TCheckBox>(P, x, row, 200, 17);
      c->SetCaption(d.Caption);
      c->SetAllowGrayed(d.Grayed);
      c->SetState(d.State);
      c->SetEnabled(d.Enabled);
      c->SetOnClick([s = FStatus, c](TObject*) {
        static const char* names[] = {"unchecked", "checked", "grey"};
        s->SetCaption("\"" + c->Caption() + "\" is now " + names[c->State()]);
      });
      row += 22;
    }
    auto* left = Add<TCheckBox>(P, x, row, 200, 17);
    left->SetCaption("Box on the right");
    left->SetAlignment(taLeftJustify);
    ScrollBars(x, row + 34);
  }

  void ScrollBars(int x, int y) {
    Heading(P, x, y, "TScrollBar");
    auto* horz = Add<TScrollBar>(P, x, y + 22, 220, 17);
    horz->SetParams(25, 0, 100);
    horz->SetPageSize(10);
    // A new kind turns the bar round (width and height swap), so the size comes after.
    auto* vert = Add<TScrollBar>(P, x + 230, y, 17, 120);
    vert->SetKind(sbVertical);
    vert->SetBounds(x + 230, y, 17, 120);
    vert->SetParams(0, 0, 1000000000000);
    vert->SetPageSize(100000000000);
    auto* off = Add<TScrollBar>(P, x, y + 46, 220, 17);
    off->SetEnabled(false);
    Caption(P, x, y + 70, "Hold an arrow or the track: it repeats.");
    horz->SetOnChange([s = FStatus, horz](TObject*) {
      s->SetCaption("Scroll bar at " + std::to_string(horz->Position()) + " of 0..100");
    });
    vert->SetOnChange([s = FStatus, vert](TObject*) {
      s->SetCaption("Tall bar at " + std::to_string(vert->Position()) + " of 0..10^12");
    });
  }
};

const bool registered =
    gallery::RegisterPage({"Host widgets", [](TWinControl* parent) { Page(parent).Build(); }});

}  // namespace
