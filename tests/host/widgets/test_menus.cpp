// Popup menus as a user drives them: a right click opens the menu, keys and
// clicks move through it and into submenus, Enter, accelerators and clicks
// choose, Escape and a press elsewhere close it; and the item tree itself.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "host/widgets/Menus.h"
#include "host/widgets/StdCtrls.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

// A windowed control that counts the presses reaching it, to right-click on.
class TPanelLike : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int Presses = 0;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    ++Presses;
    TCustomControl::MouseDown(Button, Shift, X, Y);
  }
};

class Menus : public HeadlessTest {
 protected:
  TPopupMenu* Menu = nullptr;
  TPanelLike* Target = nullptr;
  std::vector<std::string> Clicks;
  std::deque<std::function<void()>> Steps;  // one user action each time the menu waits
  int Popups = 0;

  void SetUp() override;
  void TearDown() override {
    TPopupMenu::SetIdleHook(nullptr);
    HeadlessTest::TearDown();
  }
  TMenuItem* Add(TMenuItem* parent, const std::string& caption) {
    auto* item = new TMenuItem(Menu);
    item->SetCaption(caption);
    item->SetOnClick([this, item](TObject* sender) {
      EXPECT_EQ(sender, item);
      EXPECT_FALSE(Menu->IsOpen());  // the menu is gone before the action runs
      Clicks.push_back(item->PlainCaption());
    });
    parent->Add(item);
    return item;
  }
  // Right-clicks the target, then plays the steps while the menu is open.
  void OpenAndDo(std::vector<std::function<void()>> steps) {
    Steps.assign(steps.begin(), steps.end());
    Click(Form(), 50, 40, mbRight);
  }
  TForm* Level(int i) { return Menu->MenuWindow(i); }
  // Clicks item `index` of an open level.
  void ClickItem(int level, int index) {
    TRect r = Menu->ItemRect(level, index);
    Click(Level(level), r.Left + 20, (r.Top + r.Bottom) / 2);
  }
  void HoverItem(int level, int index) {
    TRect r = Menu->ItemRect(level, index);
    MouseMove(Level(level), r.Left + 20, (r.Top + r.Bottom) / 2);
  }
};

void Menus::SetUp() {
  HeadlessTest::SetUp();
  Form()->SetBounds(0, 0, 400, 300);
  Target = Make<TPanelLike>(10, 10, 200, 100);
  Menu = new TPopupMenu(Form());
  TMenuItem* root = Menu->Items();
  Add(root, "&Open");
  Add(root, "-");
  Add(root, "&Save");
  TMenuItem* more = Add(root, "&More");
  Add(more, "&First");
  Add(more, "S&econd");
  Add(root, "&Print")->SetEnabled(false);
  Add(root, "P&aste");
  Menu->SetOnPopup([this](TObject* sender) {
    EXPECT_EQ(sender, Menu);
    ++Popups;
  });
  Target->SetPopupMenu(Menu);
  TPopupMenu::SetIdleHook([this](TPopupMenu*) {
    if (Steps.empty()) return false;
    auto step = std::move(Steps.front());
    Steps.pop_front();
    step();
    return true;
  });
}

TEST_F(Menus, ARightClickOpensTheMenuWhereThePointerIs) {
  OpenAndDo({[&] {
    ASSERT_EQ(Menu->OpenLevels(), 1);
    EXPECT_EQ(Menu->PopupComponent(), Target);
    EXPECT_EQ(Level(0)->Left(), Form()->ClientToScreen(Point(50, 40)).x);
    EXPECT_EQ(Level(0)->Top(), Form()->ClientToScreen(Point(50, 40)).y);
    EXPECT_TRUE(Level(0)->Visible());
    EXPECT_EQ(Menu->Highlighted(0), -1);
    PressKey(Form(), VK_ESCAPE);
  }});
  EXPECT_EQ(Popups, 1);
  EXPECT_FALSE(Menu->IsOpen());
  EXPECT_TRUE(Clicks.empty());
  EXPECT_TRUE(Steps.empty());
}

TEST_F(Menus, ArrowsSkipSeparatorsAndHiddenItemsAndEnterChooses) {
  Menu->Items()->Items(0)->SetVisible(false);
  OpenAndDo({[&] { PressKey(Form(), VK_DOWN); },
             [&] {
               EXPECT_EQ(Menu->Highlighted(0), 2);  // Save: Open is hidden, then the line
               PressKey(Form(), VK_UP);             // wraps round to the last item
               EXPECT_EQ(Menu->Highlighted(0), 5);
               PressKey(Form(), VK_UP);  // a disabled item lights up too
               EXPECT_EQ(Menu->Highlighted(0), 4);
               PressKey(Form(), VK_RETURN);  // a disabled item chooses nothing
               EXPECT_TRUE(Menu->IsOpen());
               PressKey(Form(), VK_HOME);
               PressKey(Form(), VK_RETURN);
             }});
  EXPECT_EQ(Clicks, std::vector<std::string>{"Save"});
}

TEST_F(Menus, AcceleratorsChooseAndSharedOnesCycle) {
  OpenAndDo({[&] { TypeText(Form(), "s"); }});
  EXPECT_EQ(Clicks, std::vector<std::string>{"Save"});
  // Two items on p: each press lights the next of them.
  Menu->Items()->Items(5)->SetCaption("&Paste");
  Menu->Items()->Items(4)->SetEnabled(true);
  OpenAndDo({[&] {
    TypeText(Form(), "p");
    EXPECT_EQ(Menu->Highlighted(0), 4);
    TypeText(Form(), "P");
    EXPECT_EQ(Menu->Highlighted(0), 5);
    PressKey(Form(), VK_RETURN);
  }});
  EXPECT_EQ(Clicks, (std::vector<std::string>{"Save", "Paste"}));
}

TEST_F(Menus, SubmenusOpenWithRightOrHoverAndCloseWithLeftOrEscape) {
  OpenAndDo({[&] {
    TypeText(Form(), "m");  // the accelerator of a submenu item opens it
    ASSERT_EQ(Menu->OpenLevels(), 2);
    EXPECT_EQ(Menu->Highlighted(1), 0);
    // The submenu stands right of its item.
    EXPECT_GE(Level(1)->Left(), Level(0)->Left() + Level(0)->Width() - 4);
    PressKey(Form(), VK_LEFT);
    EXPECT_EQ(Menu->OpenLevels(), 1);
    EXPECT_EQ(Menu->Highlighted(0), 3);
    PressKey(Form(), VK_RIGHT);
    EXPECT_EQ(Menu->OpenLevels(), 2);
    PressKey(Form(), VK_ESCAPE);  // one level at a time
    EXPECT_EQ(Menu->OpenLevels(), 1);
    HoverItem(0, 3);
    EXPECT_EQ(Menu->OpenLevels(), 2);
    EXPECT_EQ(Menu->Highlighted(1), -1);
    HoverItem(0, 2);  // another item closes the submenu
    EXPECT_EQ(Menu->OpenLevels(), 1);
    HoverItem(0, 3);
    ClickItem(1, 1);
  }});
  EXPECT_EQ(Clicks, std::vector<std::string>{"Second"});
}

TEST_F(Menus, APressElsewhereClosesTheMenuAndGoesNowhere) {
  OpenAndDo({[&] {
    HoverItem(0, 0);
    EXPECT_EQ(Menu->Highlighted(0), 0);
    Click(Form(), 20, 20);  // on the target, outside the menu
  }});
  EXPECT_FALSE(Menu->IsOpen());
  EXPECT_TRUE(Clicks.empty());
  EXPECT_EQ(Target->Presses, 1);  // only the right press that opened the menu
  // Keys typed while the menu is open never reach the focused control.
  auto* edit = Make<TEdit>(10, 200, 100, 20);
  edit->SetFocus();
  OpenAndDo({[&] { TypeText(Form(), "zz"); }, [&] { PressKey(Form(), VK_ESCAPE); }});
  EXPECT_EQ(edit->Text(), "");
  // Nor does the Enter that chose an item reach a memo that takes Enter.
  auto* memo = Make<TMemo>(150, 200, 100, 60);
  memo->SetFocus();
  OpenAndDo({[&] { PressKey(Form(), VK_RETURN, 0); }, [&] { PressKey(Form(), VK_DOWN); },
             [&] { PressKey(Form(), VK_RETURN); }});
  EXPECT_EQ(Clicks, std::vector<std::string>{"Open"});
  EXPECT_EQ(memo->Text(), "");
  TypeText(Form(), "a");  // and the keys after it do
  EXPECT_EQ(memo->Text(), "a");
}

TEST_F(Menus, TheReleaseOfTheOpeningPressChoosesNothing) {
  // A menu opened from a press: the pointer is let go over an item.
  Target->SetPopupMenu(nullptr);
  Target->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int x, int y) {
    Steps.push_back([&] {
      TRect r = Menu->ItemRect(0, 0);
      MouseUp(Level(0), r.Left + 20, r.Top + 4);
    });
    Steps.push_back([&] {
      EXPECT_TRUE(Menu->IsOpen());
      ClickItem(0, 0);
    });
    TPoint s = Target->ClientToScreen(Point(x, y));
    Menu->Popup(s.x - 25, s.y - 5);
  });
  MouseDown(Form(), 50, 40);
  EXPECT_EQ(Clicks, std::vector<std::string>{"Open"});
}

TEST_F(Menus, AMenuNobodyDrivesClosesInsteadOfHanging) {
  TPopupMenu::SetIdleHook(nullptr);
  Menu->Popup(20, 20);
  EXPECT_FALSE(Menu->IsOpen());
  EXPECT_TRUE(Clicks.empty());
  // An empty menu does not open at all.
  TPopupMenu empty(nullptr);
  empty.Popup(20, 20);
  EXPECT_FALSE(empty.IsOpen());
}

TEST_F(Menus, TheMenuWindowShowsHighlightChecksAndLines) {
  Menu->Items()->Items(2)->SetChecked(true);
  OpenAndDo({[&] {
    PressKey(Form(), VK_DOWN);
    TForm* w = Level(0);
    TRect lit = Menu->ItemRect(0, 0);
    EXPECT_EQ(PixelAt(w, lit.Right - 3, lit.Top + 2), ColorToRGB(clHighlight));
    TRect plain = Menu->ItemRect(0, 2);
    EXPECT_EQ(PixelAt(w, plain.Right - 3, plain.Top + 2), ColorToRGB(clMenu));
    // The tick of the checked item is drawn in the menu text colour.
    bool tick = false;
    for (int x = plain.Left; x < plain.Left + 22; ++x)
      for (int y = plain.Top; y < plain.Bottom; ++y)
        tick = tick || PixelAt(w, x, y) == ColorToRGB(clMenuText);
    EXPECT_TRUE(tick);
    TRect line = Menu->ItemRect(0, 1);
    EXPECT_EQ(line.Height(), 8);
    EXPECT_EQ(PixelAt(w, line.Left + 10, line.Top + 3), ColorToRGB(clBtnShadow));
    PressKey(Form(), VK_ESCAPE);
  }});
}

TEST_F(Menus, ASubmenuArrowPointsRightAndIsEmbossedWhenDisabled) {
  Add(Menu->Items()->Items(4), "&Inner");  // "Print", disabled, gets a submenu
  OpenAndDo({[&] {
    TForm* w = Level(0);
    // The tip is 9 pixels left of the item's right end, the base 12.
    const TRect more = Menu->ItemRect(0, 3);
    const int cy = (more.Top + more.Bottom) / 2;
    EXPECT_EQ(PixelAt(w, more.Right - 9, cy), ColorToRGB(clMenuText));
    EXPECT_EQ(PixelAt(w, more.Right - 12, cy - 3), ColorToRGB(clMenuText));
    EXPECT_EQ(PixelAt(w, more.Right - 8, cy), ColorToRGB(clMenu));
    const TRect print = Menu->ItemRect(0, 4);
    const int py = (print.Top + print.Bottom) / 2;
    EXPECT_EQ(PixelAt(w, print.Right - 9, py), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(w, print.Right - 8, py + 1), ColorToRGB(clBtnHighlight));
    PressKey(Form(), VK_ESCAPE);
  }});
}

TEST(MenuItems, CaptionsAcceleratorsAndTheTree) {
  TMenuItem root(nullptr);
  auto* a = new TMenuItem(nullptr);
  a->SetCaption("Save && E&xit");
  root.Add(a);
  EXPECT_EQ(a->PlainCaption(), "Save & Exit");
  EXPECT_EQ(a->AccelChar(), U'x');
  EXPECT_EQ(root.Find("Save & Exit"), a);
  EXPECT_EQ(root.Find("nothing"), nullptr);
  auto* b = new TMenuItem(nullptr);
  b->SetCaption("&Äpfel");
  root.Insert(0, b);
  EXPECT_EQ(b->AccelChar(), U'ä');  // folded like every accelerator
  EXPECT_EQ(root.IndexOf(a), 1);
  EXPECT_THROW(b->Add(&root), EInvalidOperation);
  // An item moved to another parent leaves the first.
  auto* sub = new TMenuItem(nullptr);
  root.Add(sub);
  sub->Add(a);
  EXPECT_EQ(root.Count(), 2);
  EXPECT_EQ(a->Parent(), sub);
  // Freeing an item frees its sub-items and takes it out of its parent.
  delete sub;
  EXPECT_EQ(root.Count(), 1);
  // An item freed by its owner leaves its parent's list.
  TComponent owner(nullptr);
  auto* owned = new TMenuItem(&owner);
  root.Add(owned);
  delete owned;
  EXPECT_EQ(root.Count(), 1);
}

}  // namespace
