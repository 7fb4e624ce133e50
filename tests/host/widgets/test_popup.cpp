// The popup window menus and drop-downs are shown in, and the drop-down window
// on its own with a plain content control.
#include <string>
#include <vector>

#include "host/widgets/ComboBox.h"
#include "host/widgets/DropDown.h"
#include "host/widgets/Menus.h"
#include "host/widgets/PopupWindow.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

using Strings = std::vector<std::string>;

// A control that logs the presses and keys that reach it.
class Probe : public TCustomControl {
 public:
  explicit Probe(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
  Strings Log;

 protected:
  void MouseDown(TMouseButton, TShiftState, int x, int y) override {
    Log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseUp(TMouseButton, TShiftState, int x, int y) override {
    Log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  }
  void KeyDown(Word& key, TShiftState) override { Log.push_back("key " + std::to_string(key)); }
  void KeyPress(char32_t& ch) override { Log.push_back(std::string("char ") + char(ch)); }
};

class Popup : public HeadlessTest {
 protected:
  // A 60 x 40 popup window, not shown yet.
  std::unique_ptr<TPopupWindow> MakePopup() {
    auto p = std::make_unique<TPopupWindow>(nullptr);
    p->SetBounds(0, 0, 60, 40);
    return p;
  }
};

TEST_F(Popup, StaysOnTheScreenAndGivesTheKeyboardBack) {
  Form();
  auto p = MakePopup();
  p->PopupAt(1900, 1070);  // would end beyond the 1920 x 1080 screen
  EXPECT_TRUE(p->PoppedUp());
  EXPECT_TRUE(p->Visible());
  EXPECT_EQ(p->BoundsRect(), Rect(1860, 1040, 1920, 1080));
  p->PopupAt(-5, 30);  // again while shown: just moves
  EXPECT_EQ(p->BoundsRect(), Rect(0, 30, 60, 70));
  p->Activate();
  p->ClosePopup();
  EXPECT_FALSE(p->PoppedUp());
  EXPECT_FALSE(p->Visible());
  EXPECT_TRUE(Form()->Active());
}

TEST_F(Popup, RoutesInputOnlyWhileShownAndPutsTheOuterFilterBack) {
  auto* probe = Make<Probe>(0, 0, 200, 120);
  int outer = 0, routed = 0;
  TInputFilter before = SetInputFilter([&](const TBackendEvent&) {
    ++outer;
    return false;
  });
  auto p = MakePopup();
  p->SetInputRouter([&](const TBackendEvent& ev) {
    ++routed;
    return ev.Kind == bekKeyDown || ev.Kind == bekChar || ev.Kind == bekKeyUp;  // takes the keys
  });
  p->PopupAt(300, 300, Form());
  probe->SetFocus();
  PressKey(Form(), 'A');
  EXPECT_GT(routed, 0);
  EXPECT_EQ(outer, 0);
  EXPECT_TRUE(probe->Log.empty());
  p->ClosePopup();
  routed = 0;
  PressKey(Form(), 'A');
  EXPECT_EQ(routed, 0);
  EXPECT_GT(outer, 0);
  EXPECT_EQ(probe->Log.front(), "key 65");
  SetInputFilter(std::move(before));
}

TEST_F(Popup, APressOutsideIsSpentOnClosingAndOneInsideIsNot) {
  auto* probe = Make<Probe>(0, 0, 200, 120);
  auto p = MakePopup();
  Strings log;
  p->SetOnOutsidePress([&] {
    log.push_back("outside");
    p->ClosePopup();
  });
  p->SetInputRouter([&](const TBackendEvent& ev) {
    if (ev.Kind == bekMouseDown) log.push_back("routed");
    return false;
  });
  p->PopupAt(300, 300, Form());
  Click(p.get(), 5, 5);
  EXPECT_EQ(log, (Strings{"routed"}));
  Click(Form(), 20, 20);
  EXPECT_EQ(log, (Strings{"routed", "outside"}));
  EXPECT_FALSE(p->PoppedUp());
  // The closing press went nowhere; its release still reaches the form.
  EXPECT_EQ(probe->Log, (Strings{"up 20,20"}));
  Click(Form(), 20, 20);  // closed: presses are the form's again
  EXPECT_EQ(probe->Log.size(), 3u);
}

TEST_F(Popup, FreedWhileShownStopsRouting) {
  Form();
  int routed = 0;
  {
    auto p = MakePopup();
    p->SetInputRouter([&](const TBackendEvent&) { return ++routed, true; });
    p->PopupAt(300, 300, Form());
  }
  PressKey(Form(), 'A');
  EXPECT_EQ(routed, 0);
}

TEST_F(Popup, MenusAndDropDownsShowInIt) {
  auto* box = Make<TComboBox>(10, 10, 100, 0);
  box->Items()->Add("one");
  box->SetDroppedDown(true);
  EXPECT_NE(dynamic_cast<TPopupWindow*>(GetParentForm(box->ListControl())), nullptr);
  box->SetDroppedDown(false);
  TPopupMenu menu(Form());
  auto* item = new TMenuItem(&menu);
  item->SetCaption("Item");
  menu.Items()->Add(item);
  bool seen = false;
  TPopupMenu::SetIdleHook([&](TPopupMenu* m) {
    seen = dynamic_cast<TPopupWindow*>(m->MenuWindow(0)) != nullptr;
    return false;
  });
  menu.Popup(50, 50);
  TPopupMenu::SetIdleHook(nullptr);
  EXPECT_TRUE(seen);
}

// --- the drop-down window with a plain content control

class DropDown : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Owner = Make<Probe>(20, 30, 80, 20);
    auto content = std::make_unique<Probe>(nullptr);
    Content = content.get();
    Drop = std::make_unique<TDropDownWindow>(Owner, std::move(content));
    Drop->SetOnDismiss([this] {
      Dismissed++;
      Drop->Close();
    });
  }
  void TearDown() override {
    Drop.reset();
    HeadlessTest::TearDown();
  }
  Probe* Owner = nullptr;
  Probe* Content = nullptr;
  std::unique_ptr<TDropDownWindow> Drop;
  int Dismissed = 0;
};

TEST_F(DropDown, OpensBelowTheOwnerWithTheContentFillingIt) {
  Drop->Open(90, 50);
  ASSERT_TRUE(Drop->IsOpen());
  TForm* popup = Drop->PopupForm();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->ClientToScreen(Point(0, 0)), Owner->ClientToScreen(Point(0, 20)));
  EXPECT_EQ(Content->BoundsRect(), Rect(0, 0, 90, 50));
  EXPECT_EQ(GetParentForm(Content), popup);
  EXPECT_TRUE(Form()->Active());
  Drop->Open(90, 70);  // open already: resizes
  EXPECT_EQ(Content->Height(), 70);
  Drop->Close();
  EXPECT_FALSE(Drop->IsOpen());
  EXPECT_EQ(Drop->PopupForm(), nullptr);
}

TEST_F(DropDown, OpensAboveWhenTheScreenEndsBelow) {
  Form()->SetBounds(0, 1000, 200, 120);
  Drop->Open(90, 60);
  const TPoint top = Owner->ClientToScreen(Point(0, 0));
  EXPECT_EQ(Drop->PopupForm()->BoundsRect(), Rect(top.x, top.y - 60, top.x + 90, top.y));
}

TEST_F(DropDown, ATallWindowThatFitsNeitherWayStaysOnTheScreen) {
  Form()->SetBounds(0, 500, 200, 120);
  Drop->Open(90, 1000);
  EXPECT_EQ(Drop->PopupForm()->BoundsRect().Bottom, 1080);
  EXPECT_EQ(Drop->PopupForm()->Top(), 80);
}

TEST_F(DropDown, KeysOnItsWindowGoToTheOwner) {
  Drop->Open(90, 50);
  Owner->SetFocus();
  PressKey(Drop->PopupForm(), 'B');
  EXPECT_EQ(Owner->Log, (Strings{"key 66", "char b"}));
  EXPECT_TRUE(Content->Log.empty());
}

TEST_F(DropDown, ThePointerReachesTheContentAndAPressOutsideDismisses) {
  Drop->Open(90, 50);
  Click(Content, 7, 9);
  EXPECT_EQ(Content->Log, (Strings{"down 7,9", "up 7,9"}));
  EXPECT_EQ(Dismissed, 0);
  Click(Owner, 5, 5);
  EXPECT_EQ(Dismissed, 1);
  EXPECT_FALSE(Drop->IsOpen());
  EXPECT_EQ(Owner->Log, (Strings{"up 5,5"}));  // the press itself was spent
}

}  // namespace
