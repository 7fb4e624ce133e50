// Painting: clipping of graphic controls, parents before children, merged
// invalidation, direct paints and the copy modes through a control's canvas.
#include <vector>

#include "host/ui/Forms.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

// Fills (far beyond) itself with one colour and counts its paints.
class Blot : public TGraphicControl {
 public:
  explicit Blot(TComponent* owner) : TGraphicControl(owner) {}
  TColor Fill = clRed;
  int Paints = 0;
  std::vector<int>* Order = nullptr;
  int Id = 0;
  void Paint() override {
    ++Paints;
    if (Order) Order->push_back(Id);
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(Rect(-100, -100, 1000, 1000));
  }
  using TGraphicControl::Paint;
};

class Box : public TCustomControl {
 public:
  explicit Box(TComponent* owner) : TCustomControl(owner) {}
  std::vector<int>* Order = nullptr;
  int Id = 0;
  int Paints = 0;
  void Paint() override {
    ++Paints;
    if (Order) Order->push_back(Id);
  }
};

class Paint : public HeadlessTest {};

TEST_F(Paint, GraphicControlCannotPaintOutsideItself) {
  Form()->SetColor(clWhite);
  Blot* b = Make<Blot>(20, 20, 10, 10);
  Pump();
  EXPECT_EQ(PixelAt(Form(), 20, 20), clRed);
  EXPECT_EQ(PixelAt(Form(), 29, 29), clRed);
  EXPECT_EQ(PixelAt(Form(), 19, 20), clWhite);
  EXPECT_EQ(PixelAt(Form(), 30, 29), clWhite);
  EXPECT_EQ(PixelAt(Form(), 25, 30), clWhite);
  // Nor outside its parent, when it sticks out of it.
  Box* panel = Make<Box>(100, 10, 30, 30);
  panel->SetColor(clBlue);
  b->SetParent(panel);
  b->SetBounds(20, 20, 40, 40);
  Pump();
  EXPECT_EQ(PixelAt(Form(), 125, 35), clRed);
  EXPECT_EQ(PixelAt(Form(), 130, 35), clWhite);
  EXPECT_EQ(PixelAt(Form(), 125, 40), clWhite);
  EXPECT_EQ(PixelAt(Form(), 25, 25), clWhite);  // its old place shows the form again
}

TEST_F(Paint, ParentsPaintBeforeChildrenAndWindowsAboveGraphicControls) {
  std::vector<int> order;
  Box* panel = Make<Box>(10, 10, 100, 80);
  panel->SetColor(clBlue);
  panel->Order = &order;
  panel->Id = 1;
  Box* inner = new Box(Form());
  inner->SetParent(panel);
  inner->SetBounds(10, 10, 20, 20);
  inner->SetColor(clLime);
  inner->Order = &order;
  inner->Id = 3;
  Blot* blot = new Blot(Form());  // added after the window, painted before it
  blot->SetParent(panel);
  blot->SetBounds(0, 0, 40, 40);
  blot->Order = &order;
  blot->Id = 2;
  Pump();
  order.clear();
  Form()->Invalidate();
  Pump();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(PixelAt(Form(), 25, 25), clLime);  // the child window lies above the blot
  EXPECT_EQ(PixelAt(Form(), 15, 15), clRed);
  EXPECT_EQ(PixelAt(Form(), 60, 60), clBlue);
}

TEST_F(Paint, InvalidationsMergeAndOnlyTouchedControlsRepaint) {
  Blot* a = Make<Blot>(10, 10, 20, 20);
  Blot* b = Make<Blot>(100, 10, 20, 20);
  Pump();
  a->Paints = b->Paints = 0;
  a->Invalidate();
  a->Invalidate();
  a->Invalidate();
  EXPECT_EQ(a->Paints, 0);  // nothing before the loop turns
  Pump();
  EXPECT_EQ(a->Paints, 1);
  EXPECT_EQ(b->Paints, 0);
  a->Repaint();  // paints before returning
  EXPECT_EQ(a->Paints, 2);
}

TEST_F(Paint, HiddenControlsDoNotPaint) {
  Form()->SetColor(clWhite);
  Blot* b = Make<Blot>(10, 10, 20, 20);
  b->Hide();
  Pump();
  b->Paints = 0;
  Form()->Invalidate();
  Pump();
  EXPECT_EQ(b->Paints, 0);
  b->Paint();  // even a direct call draws nothing while hidden
  EXPECT_EQ(PixelAt(Form(), 15, 15), clWhite);
}

TEST_F(Paint, DirectPaintDrawsAtOnceAndIsPresentedNextTurn) {
  Blot* b = Make<Blot>(10, 10, 20, 20);
  Pump();
  int presents = Headless().PresentCount();
  b->Fill = clYellow;
  b->Paint();
  EXPECT_EQ(Form()->Framebuffer()->Canvas()->Pixels(15, 15), clYellow);
  EXPECT_EQ(Headless().PresentCount(), presents);
  Pump();
  EXPECT_EQ(Headless().PresentCount(), presents + 1);
}

// Draws a white bitmap with a black cross through the AND copy mode.
class AndMask : public TGraphicControl {
 public:
  explicit AndMask(TComponent* owner) : TGraphicControl(owner) {}
  void Paint() override {
    TBitmap mask(Width(), Height());
    mask.Canvas()->Brush()->SetColor(clWhite);
    mask.Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    mask.Canvas()->Pen()->SetColor(clBlack);
    mask.Canvas()->MoveTo(0, Height() / 2);
    mask.Canvas()->LineTo(Width(), Height() / 2);
    Canvas()->SetCopyMode(cmSrcAnd);
    Canvas()->Draw(0, 0, &mask);
  }
};

TEST_F(Paint, AndCopyShowsTheParentThrough) {
  Box* panel = Make<Box>(0, 0, 100, 100);
  panel->SetColor(clFuchsia);
  Make<AndMask>(10, 10, 20, 20)->SetParent(panel);
  Pump();
  EXPECT_EQ(PixelAt(Form(), 12, 12), clFuchsia);  // white AND parent = parent
  EXPECT_EQ(PixelAt(Form(), 12, 20), clBlack);
}

TEST_F(Paint, ExceptionInPaintReachesTheHandlerAndOthersStillPaint) {
  struct Broken : TGraphicControl {
    using TGraphicControl::TGraphicControl;
    void Paint() override { throw Exception("paint failed"); }
  };
  Make<Broken>(0, 0, 10, 10);
  Blot* ok = Make<Blot>(20, 0, 10, 10);
  std::vector<std::string> errors;
  Application->SetOnException(
      [&](TObject*, const std::exception& e) { errors.push_back(e.what()); });
  ok->Paints = 0;
  Form()->Invalidate();
  Pump();
  EXPECT_EQ(errors, std::vector<std::string>{"paint failed"});
  EXPECT_EQ(ok->Paints, 1);
}

TEST_F(Paint, AlignAndAnchorsPlaceChildrenOnResize) {
  Box* top = Make<Box>(0, 0, 10, 20);
  top->SetAlign(alTop);
  Box* left = Make<Box>(0, 0, 30, 10);
  left->SetAlign(alLeft);
  Box* client = Make<Box>(0, 0, 1, 1);
  client->SetAlign(alClient);
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 20));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 20, 30, 120));
  EXPECT_EQ(client->BoundsRect(), Rect(30, 20, 200, 120));
  client->SetAlign(alNone);
  Box* corner = new Box(client);
  corner->SetParent(client);
  corner->SetBounds(150, 80, 10, 10);
  corner->SetAnchors(akRight | akBottom);
  Box* stretch = new Box(client);
  stretch->SetParent(client);
  stretch->SetBounds(10, 10, 100, 10);
  stretch->SetAnchors(akLeft | akTop | akRight);
  client->SetBounds(30, 20, 190, 110);  // 20 wider, 10 taller
  EXPECT_EQ(corner->BoundsRect(), Rect(170, 90, 180, 100));
  EXPECT_EQ(stretch->BoundsRect(), Rect(10, 10, 130, 20));
  Form()->SetBounds(0, 0, 300, 150);
  EXPECT_EQ(top->Width(), 300);
  EXPECT_EQ(left->Height(), 130);
  EXPECT_EQ(Form()->Framebuffer()->Width(), 300);
}

TEST_F(Paint, FontAndColorFollowTheParentUntilSetOwnership) {
  Box* panel = Make<Box>(0, 0, 100, 100);
  Box* child = new Box(Form());
  child->SetParent(panel);
  child->SetParentColor(true);
  panel->Font()->SetSize(14);
  panel->SetColor(clTeal);
  EXPECT_EQ(child->Font()->Size(), 14);
  EXPECT_EQ(child->Color(), clTeal);
  child->Font()->SetSize(9);  // its own font from now on
  EXPECT_FALSE(child->ParentFont());
  panel->Font()->SetSize(20);
  EXPECT_EQ(child->Font()->Size(), 9);
}

// Counts the font notifications and the size it saw in each.
template <class Base>
class FontWatcher : public Base {
 public:
  using Base::Base;
  std::vector<int> Seen;

 protected:
  void CMFontChanged(TMessage& m) override {
    Seen.push_back(this->Font()->Size());
    Base::CMFontChanged(m);
  }
};

TEST_F(Paint, FontChangesReachTheControlAndTheChildrenThatFollowIt) {
  auto* panel = Make<FontWatcher<TCustomControl>>(0, 0, 100, 100);
  auto* inner = new FontWatcher<TCustomControl>(Form());
  inner->SetParent(panel);
  auto* leaf = new FontWatcher<TGraphicControl>(Form());
  leaf->SetParent(inner);
  auto* own = new FontWatcher<TGraphicControl>(Form());
  own->SetParent(panel);
  own->Font()->SetSize(7);
  for (auto* w : {&panel->Seen, &inner->Seen, &leaf->Seen, &own->Seen}) w->clear();

  panel->Font()->SetSize(15);
  EXPECT_EQ(panel->Seen, std::vector<int>{15});
  EXPECT_EQ(inner->Seen, std::vector<int>{15});
  EXPECT_EQ(leaf->Seen, std::vector<int>{15});  // two levels down
  EXPECT_TRUE(own->Seen.empty());               // it has a font of its own
  EXPECT_TRUE(inner->ParentFont());             // following is not owning

  TFont same;
  same.Assign(panel->Font());
  panel->SetFont(&same);  // nothing differs: nobody is told
  EXPECT_EQ(panel->Seen.size(), 1u);
  same.SetStyle(fsBold);
  leaf->SetFont(&same);
  EXPECT_EQ(leaf->Seen.size(), 2u);
  EXPECT_FALSE(leaf->ParentFont());
}

}  // namespace
