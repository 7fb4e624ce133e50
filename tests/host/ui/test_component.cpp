// Ownership, names, the loading protocol, design state, and the small services
// (clipboard, beep, style switch, screen cursor).
#include <string>
#include <vector>

#include "host/ui/Clipbrd.h"
#include "host/ui/Forms.h"
#include "host/ui/Themes.h"
#include "host/ui/Windows.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

std::vector<std::string> gLog;

class Logged : public TComponent {
 public:
  explicit Logged(TComponent* owner, std::string tag) : TComponent(owner), FTag(std::move(tag)) {}
  ~Logged() override { gLog.push_back("~" + FTag); }
  bool LoadingSeen = false;
  int LoadedCalls = 0;
  void SetSomething() { LoadingSeen = ComponentState() & csLoading; }

 protected:
  void Loaded() override {
    ++LoadedCalls;
    gLog.push_back("loaded " + FTag + ((ComponentState() & csLoading) ? " (loading)" : ""));
  }

 private:
  std::string FTag;
};

TEST(Component, OwnerDestroysWhatItOwnsNewestFirst) {
  gLog.clear();
  {
    Logged owner(nullptr, "owner");
    new Logged(&owner, "a");
    auto* b = new Logged(&owner, "b");
    new Logged(b, "b1");
    new Logged(&owner, "c");
    EXPECT_EQ(owner.ComponentCount(), 3);
  }
  EXPECT_EQ(gLog, (std::vector<std::string>{"~owner", "~c", "~b", "~b1", "~a"}));
}

TEST(Component, DeletingAnOwnedComponentLeavesItsOwner) {
  gLog.clear();
  Logged owner(nullptr, "owner");
  auto* a = new Logged(&owner, "a");
  new Logged(&owner, "b");
  delete a;
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.FindComponent("a"), nullptr);
}

TEST(Component, NamesAreUniqueAmongSiblingsIgnoringCase) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Meter1");
  EXPECT_THROW(b->SetName("meter1"), EComponentError);
  EXPECT_EQ(b->Name(), "");
  EXPECT_THROW(b->SetName("1st"), EComponentError);
  EXPECT_THROW(b->SetName("a b"), EComponentError);
  a->SetName("METER1");  // a new spelling of its own name is fine
  EXPECT_EQ(owner.FindComponent("meter1"), a);
  b->SetName("Meter2");
  TComponent other(nullptr);
  auto* c = new TComponent(&other);
  c->SetName("Meter2");  // another owner, another namespace
  EXPECT_EQ(other.Components(0), c);
  EXPECT_EQ(other.Components(5), nullptr);
}

TEST(Component, LoadingStateThenLoadedOnce) {
  gLog.clear();
  Logged c(nullptr, "c");
  c.BeginLoading();
  c.SetSomething();
  EXPECT_TRUE(c.LoadingSeen);
  EXPECT_EQ(c.LoadedCalls, 0);
  c.EndLoading();
  c.EndLoading();  // not loading any more: nothing to finish
  EXPECT_EQ(c.LoadedCalls, 1);
  EXPECT_EQ(gLog, std::vector<std::string>{"loaded c"});
  c.SetSomething();
  EXPECT_FALSE(c.LoadingSeen);
}

TEST(Component, DesignStateReachesOwnedComponents) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  owner.SetDesigning(true);
  EXPECT_TRUE(a->ComponentState() & csDesigning);
  owner.SetDesigning(false);
  EXPECT_FALSE(a->ComponentState() & csDesigning);
}

// Records in its constructor whether it was being designed already.
class DesignAware : public TComponent {
 public:
  explicit DesignAware(TComponent* AOwner)
      : TComponent(AOwner), DesigningAtBirth(ComponentState() & csDesigning) {}
  bool DesigningAtBirth;
};

TEST(Component, ComponentOfADesignedOwnerKnowsItInItsConstructor) {
  TComponent form(nullptr);
  form.SetDesigning(true);
  auto* placed = new DesignAware(&form);
  EXPECT_TRUE(placed->DesigningAtBirth);
  auto* nested = new DesignAware(placed);  // down the whole ownership chain
  EXPECT_TRUE(nested->DesigningAtBirth);
  form.SetDesigning(false);
  EXPECT_FALSE(DesignAware(&form).DesigningAtBirth);
  EXPECT_FALSE(DesignAware(nullptr).DesigningAtBirth);
}

class Lifetime : public HeadlessTest {};

TEST_F(Lifetime, ParentFreesOwnerlessChildrenAndDetachesOwnedOnes) {
  auto* panel = Make<TCustomControl>(0, 0, 50, 50);
  auto* loose = new TCustomControl(nullptr);  // belongs to its parent once placed
  loose->SetParent(panel);
  auto* owned = new TGraphicControl(Form());
  owned->SetParent(panel);
  owned->SetName("Owned");
  loose->SetFocus();
  delete panel;  // frees `loose`, leaves `owned` to the form
  EXPECT_EQ(Form()->ActiveControl(), nullptr);
  EXPECT_EQ(owned->Parent(), nullptr);
  EXPECT_EQ(Form()->FindComponent("Owned"), owned);
  // The form frees `owned` when the fixture ends; the sanitizer build checks both.
}

TEST_F(Lifetime, ControlDestroyedWhileHoldingTheMouseIsForgotten) {
  auto* p = Make<TCustomControl>(0, 0, 50, 50);
  MouseDown(Form(), 10, 10);
  EXPECT_TRUE(p->MouseCapture());
  delete p;
  MouseMove(Form(), 20, 20);
  MouseUp(Form(), 20, 20);  // nothing left to reach
  SUCCEED();
}

TEST_F(Lifetime, ReleasedFormGoesOnTheNextTurn) {
  auto* f = new TForm(nullptr);
  f->Show();
  int before = Screen->FormCount();
  f->Release();
  EXPECT_EQ(Screen->FormCount(), before);
  Pump();
  EXPECT_EQ(Screen->FormCount(), before - 1);
}

TEST_F(Lifetime, ClosingWithCaFreeFreesAndCaNoneKeeps) {
  auto* f = new TForm(nullptr);
  f->Show();
  TCloseAction action = caNone;
  f->SetOnClose([&](TObject*, TCloseAction& a) { a = action; });
  f->Close();
  EXPECT_TRUE(f->Visible());
  action = caFree;
  f->Close();
  Pump();
  EXPECT_FALSE(Screen->HasForm(f));
}

class Services : public HeadlessTest {};

TEST_F(Services, ClipboardHoldsTextInTheProcess) {
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
  Clipboard()->SetAsText("1,5\t2");
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_TRUE(Clipboard()->HasFormat(CF_UNICODETEXT));
  EXPECT_FALSE(Clipboard()->HasFormat(2));  // no bitmaps here
  EXPECT_EQ(Clipboard()->AsText(), "1,5\t2");
  Clipboard()->SetAsText("");
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));  // empty text is still text
}

TEST_F(Services, PrimarySelectionIsASecondTextStoreBesideTheClipboard) {
  Clipboard()->SetAsText("copied");
  PrimarySelection()->Clear();
  EXPECT_FALSE(PrimarySelection()->HasFormat(CF_TEXT));
  PrimarySelection()->SetAsText("selected");
  EXPECT_TRUE(PrimarySelection()->HasFormat(CF_UNICODETEXT));
  EXPECT_EQ(PrimarySelection()->AsText(), "selected");
  EXPECT_EQ(Clipboard()->AsText(), "copied");
  Clipboard()->Clear();
  EXPECT_EQ(PrimarySelection()->AsText(), "selected");
}

TEST_F(Services, BeepsAreCounted) {
  MessageBeep(0xFFFF);
  MessageBeep(MB_ICONHAND);
  EXPECT_EQ(Headless().BeepCount(), 2);
  EXPECT_EQ(Headless().LastBeepType(), MB_ICONHAND);
}

TEST_F(Services, StylesAreOffUnlessSwitchedOn) {
  EXPECT_FALSE(StyleServices()->Enabled());
  EXPECT_EQ(StyleServices()->GetSystemColor(clBtnFace), ColorToRGB(clBtnFace));
  EXPECT_EQ(StyleServices()->GetSystemColor(clRed), clRed);
  StyleServices()->SetEnabled(true);
  EXPECT_NE(StyleServices()->GetSystemColor(clWindow), ColorToRGB(clWindow));
  EXPECT_NE(StyleServices()->GetStyleColor(scWindow), StyleServices()->GetStyleColor(scBorder));
  StyleServices()->SetEnabled(false);
}

TEST_F(Services, ScreenCursorOverridesTheControlsCursor) {
  auto* p = Make<TCustomControl>(10, 10, 50, 50);
  p->SetCursor(crHandPoint);
  MouseMove(Form(), 20, 20);
  EXPECT_EQ(Headless().WindowCursor(Form()->WindowId()), crHandPoint);
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(Headless().WindowCursor(Form()->WindowId()), crHourGlass);
  Screen->SetCursor(crDefault);
  EXPECT_EQ(Headless().WindowCursor(Form()->WindowId()), crHandPoint);
  MouseMove(Form(), 150, 100);
  EXPECT_EQ(Headless().WindowCursor(Form()->WindowId()), crArrow);
}

TEST_F(Services, ScreenCursorShowsOverEveryFormAtOnce) {
  TForm* main = Form();
  TForm other(nullptr);
  other.SetBounds(300, 0, 100, 100);
  other.Show();
  Screen->SetCursor(crHourGlass);  // no pointer movement needed
  EXPECT_EQ(Headless().WindowCursor(main->WindowId()), crHourGlass);
  EXPECT_EQ(Headless().WindowCursor(other.WindowId()), crHourGlass);
  Screen->SetCursor(crDefault);
  EXPECT_EQ(Headless().WindowCursor(other.WindowId()), crArrow);
}

}  // namespace
