// Mouse and keyboard routing: capture, clicks and double clicks, enter/leave,
// wheel, focus order, key preview, dialog keys, accelerators and modal dialogs.
#include <algorithm>
#include <string>
#include <vector>

#include "host/ui/Forms.h"
#include "host/ui/Windows.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

// A windowed control that logs what reaches it.
class Probe : public TCustomControl {
 public:
  explicit Probe(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
  std::vector<std::string> Log;
  LRESULT DlgCode = 0;

 protected:
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    Log.push_back("down " + std::to_string(x) + "," + std::to_string(y) +
                  ((s & ssDouble) ? " double" : ""));
    TCustomControl::MouseDown(b, s, x, y);
  }
  void MouseMove(TShiftState s, int x, int y) override {
    Log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    Log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  }
  void Click() override { Log.push_back("click"); }
  void DblClick() override { Log.push_back("dblclick"); }
  void KeyDown(Word& key, TShiftState s) override {
    Log.push_back("key " + std::to_string(key) + ((s & ssShift) ? " shift" : ""));
    TCustomControl::KeyDown(key, s);
  }
  void KeyPress(char32_t& ch) override { Log.push_back(std::string("char ") + char(ch)); }
  void CMMouseEnter(TMessage& m) override { Log.push_back("enter"); }
  void CMMouseLeave(TMessage& m) override { Log.push_back("leave"); }
  void DoEnter() override { Log.push_back("focus in"); }
  void DoExit() override { Log.push_back("focus out"); }
  void WMGetDlgCode(TMessage& m) override { m.Result = DlgCode; }
};

using Strings = std::vector<std::string>;

class Dispatch : public HeadlessTest {};

TEST_F(Dispatch, PressedControlKeepsTheMouseAndClicksOnlyInside) {
  Probe* a = Make<Probe>(10, 10, 40, 30);
  Probe* b = Make<Probe>(100, 10, 40, 30);
  MouseMove(Form(), 20, 20);
  MouseDown(Form(), 20, 20);
  MouseMove(Form(), 110, 20);  // over b, but a holds the mouse
  MouseUp(Form(), 110, 20);
  EXPECT_EQ(a->Log,
            (Strings{"enter", "move 10,10", "down 10,10", "leave", "move 100,10", "up 100,10"}));
  EXPECT_EQ(b->Log, Strings{"enter"});  // no mouse messages while a held it
  a->Log.clear();
  Click(a, 5, 5);
  EXPECT_EQ(a->Log, (Strings{"enter", "move 5,5", "down 5,5", "click", "up 5,5"}));
}

TEST_F(Dispatch, SecondQuickNearbyPressIsADoubleClick) {
  Probe* p = Make<Probe>(10, 10, 60, 40);
  Click(p, 5, 5);
  p->Log.clear();
  Advance(400);
  Click(p, 8, 9);  // 3 and 4 px away, 400 ms later
  EXPECT_EQ(p->Log, (Strings{"move 8,9", "dblclick", "down 8,9 double", "up 8,9"}));
  p->Log.clear();
  Click(p, 8, 9);  // a third press starts a new pair
  EXPECT_EQ(p->Log[1], "down 8,9");
  Advance(501);
  p->Log.clear();
  Click(p, 8, 9);
  EXPECT_EQ(p->Log[1], "down 8,9");  // too late
  p->Log.clear();
  Click(p, 13, 9);
  EXPECT_EQ(p->Log[1], "down 13,9");  // too far
}

TEST_F(Dispatch, EnterAndLeaveFollowThePointer) {
  Probe* p = Make<Probe>(10, 10, 20, 20);
  int enters = 0, leaves = 0;
  p->SetOnMouseEnter([&](TObject*) { ++enters; });
  MouseMove(Form(), 15, 15);
  MouseMove(Form(), 16, 16);
  MouseMove(Form(), 50, 50);
  EXPECT_EQ(p->Log, (Strings{"enter", "move 5,5", "move 6,6", "leave"}));
  EXPECT_EQ(enters, 0);  // the override took the message and did not call the base
  (void)leaves;
}

TEST_F(Dispatch, DisabledControlLeavesTheMouseToItsParent) {
  Probe* outer = Make<Probe>(10, 10, 100, 80);
  Probe* inner = new Probe(Form());
  inner->SetParent(outer);
  inner->SetBounds(10, 10, 20, 20);
  inner->SetEnabled(false);
  Click(Form(), 25, 25);
  EXPECT_TRUE(inner->Log.empty());
  EXPECT_EQ(outer->Log[2], "down 15,15");
}

TEST_F(Dispatch, WheelGoesToTheFocusedControlThenUpItsParents) {
  Probe* outer = Make<Probe>(10, 10, 100, 80);
  Probe* inner = new Probe(Form());
  inner->SetParent(outer);
  inner->SetBounds(10, 10, 20, 20);
  inner->SetFocus();
  std::vector<std::string> seen;
  inner->SetOnMouseWheel([&](TObject*, TShiftState, int d, TPoint, bool& handled) {
    seen.push_back("inner " + std::to_string(d));
  });
  outer->SetOnMouseWheelDown([&](TObject*, TShiftState, TPoint, bool& handled) {
    seen.push_back("outer down");
    handled = true;
  });
  bool formSaw = false;
  Form()->SetOnMouseWheel([&](TObject*, TShiftState, int, TPoint, bool&) { formSaw = true; });
  Wheel(Form(), 150, 100, -120);  // pointer elsewhere: the focus decides
  EXPECT_EQ(seen, (Strings{"inner -120", "outer down"}));
  EXPECT_FALSE(formSaw);
}

TEST_F(Dispatch, TabAndShiftTabFollowTabOrderAndSkipUnfocusable) {
  Probe* a = Make<Probe>(0, 0, 10, 10);
  Probe* b = Make<Probe>(20, 0, 10, 10);
  Probe* c = Make<Probe>(40, 0, 10, 10);
  Probe* d = Make<Probe>(60, 0, 10, 10);
  c->SetTabOrder(0);  // order: c, a, b, d
  b->SetTabStop(false);
  d->SetEnabled(false);
  c->SetFocus();
  std::vector<TWinControl*> visited;
  for (int i = 0; i < 3; ++i) {
    PressKey(Form(), VK_TAB);
    visited.push_back(Form()->ActiveControl());
  }
  EXPECT_EQ(visited, (std::vector<TWinControl*>{a, c, a}));
  PressKey(Form(), VK_TAB, ssShift);
  EXPECT_EQ(Form()->ActiveControl(), c);
  EXPECT_TRUE(c->Focused());
  EXPECT_FALSE(a->Focused());
  // Neither the Tab key nor its character reached the controls.
  for (Probe* p : {a, c})
    for (auto& s : p->Log) EXPECT_TRUE(s != "key 9" && s != "char \t") << s;
}

TEST_F(Dispatch, FocusChangeRunsExitBeforeEnter) {
  Probe* a = Make<Probe>(0, 0, 10, 10);
  Probe* b = Make<Probe>(20, 0, 10, 10);
  std::vector<std::string> order;
  a->SetOnExit([&](TObject*) { order.push_back("a exit"); });
  b->SetOnEnter([&](TObject*) { order.push_back("b enter"); });
  a->SetFocus();
  a->Log.clear();
  b->SetFocus();
  EXPECT_EQ(a->Log, Strings{"focus out"});
  EXPECT_EQ(b->Log.back(), "focus in");
  b->Hide();  // a hidden control gives the focus up
  EXPECT_EQ(Form()->ActiveControl(), nullptr);
  EXPECT_THROW(b->SetFocus(), EInvalidOperation);
}

TEST_F(Dispatch, ArrowsMoveFocusUnlessTheControlWantsThem) {
  Probe* a = Make<Probe>(0, 0, 10, 10);
  Probe* b = Make<Probe>(20, 0, 10, 10);
  a->SetFocus();
  PressKey(Form(), VK_RIGHT);
  EXPECT_EQ(Form()->ActiveControl(), b);
  b->DlgCode = DLGC_WANTARROWS;
  b->Log.clear();
  PressKey(Form(), VK_LEFT);
  EXPECT_EQ(Form()->ActiveControl(), b);
  EXPECT_EQ(b->Log, Strings{"key 37"});
  b->DlgCode = DLGC_WANTTAB;
  b->Log.clear();
  PressKey(Form(), VK_TAB);
  EXPECT_EQ(b->Log, (Strings{"key 9", "char \t"}));
}

TEST_F(Dispatch, KeyPreviewLetsTheFormSeeAndSwallowKeys) {
  Probe* p = Make<Probe>(0, 0, 10, 10);
  p->SetFocus();
  std::vector<Word> formKeys;
  Form()->SetOnKeyDown([&](TObject*, Word& key, TShiftState) {
    formKeys.push_back(key);
    if (key == 'X') key = 0;
  });
  PressKey(Form(), 'A');
  EXPECT_TRUE(formKeys.empty());  // no preview yet
  Form()->SetKeyPreview(true);
  p->Log.clear();
  TypeText(Form(), "aX");
  EXPECT_EQ(formKeys, (std::vector<Word>{
                          'A',
                          VK_SHIFT,
                          'X',
                      }));
  // The swallowed key's down is gone; its character still comes, as typed.
  EXPECT_EQ(p->Log, (Strings{"key 65", "char a", "key 16 shift", "char X"}));
}

TEST_F(Dispatch, ShiftStateReachesKeysAndMouse) {
  Probe* p = Make<Probe>(0, 0, 50, 50);
  p->SetFocus();
  p->Log.clear();
  PressKey(Form(), VK_HOME, ssShift);
  EXPECT_EQ(p->Log, (Strings{"key 16 shift", "key 36 shift"}));
  TShiftState seen = 0;
  p->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState s, int, int) { seen = s; });
  Click(Form(), 5, 5, mbRight, ssCtrl);
  EXPECT_EQ(seen, ssCtrl | ssRight);
}

TEST_F(Dispatch, ModalDialogRunsUntilTheHookSetsAResult) {
  TForm dialog(nullptr);
  Probe* field = new Probe(&dialog);
  field->SetName("Amount");
  field->SetParent(&dialog);
  Application->SetModalHook([](TForm* f) {
    auto* amount = static_cast<TControl*>(f->FindComponent("Amount"));
    amount->SetText("42");
    PostMessage(f->Handle(), WM_CLOSE, 0, 0);  // as if the user closed it
  });
  bool closed = false;
  dialog.SetOnClose([&](TObject*, TCloseAction&) { closed = true; });
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_TRUE(closed);
  EXPECT_EQ(field->Text(), "42");
  EXPECT_FALSE(dialog.Visible());
  Application->SetModalHook([](TForm* f) { f->SetModalResult(mrOk); });
  EXPECT_EQ(dialog.ShowModal(), mrOk);
}

TEST_F(Dispatch, ModalDialogNobodyCanCloseFailsInsteadOfHanging) {
  TForm dialog(nullptr);
  dialog.SetName("Lonely");
  EXPECT_THROW(dialog.ShowModal(), EInvalidOperation);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(Application->ModalLevel(), 0);
}

TEST_F(Dispatch, OtherFormsTakeNoInputWhileADialogRuns) {
  Probe* p = Make<Probe>(0, 0, 50, 50);
  TForm dialog(nullptr);
  Application->SetModalHook([&](TForm*) {
    Click(Form(), 5, 5);
    dialog.SetModalResult(mrOk);
  });
  dialog.ShowModal();
  EXPECT_TRUE(p->Log.empty());
}

TEST_F(Dispatch, ADialogOpenedFromAPressTakesTheMouseFromThePressedControl) {
  Probe* p = Make<Probe>(0, 0, 50, 50);
  TForm dialog(nullptr);
  Probe* inside = new Probe(&dialog);
  inside->SetParent(&dialog);
  inside->SetBounds(0, 0, 60, 60);
  p->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int, int) {
    Application->SetModalHook([&](TForm* f) {
      Click(f, 10, 10);  // the user clicks into the dialog
      f->SetModalResult(mrOk);
    });
    dialog.ShowModal();
  });
  Click(Form(), 5, 5);
  auto downs = [](const Probe* c) {
    return std::count_if(c->Log.begin(), c->Log.end(),
                         [](const std::string& e) { return e.starts_with("down"); });
  };
  EXPECT_EQ(downs(inside), 1);  // the dialog's control got the click...
  EXPECT_EQ(downs(p), 1);       // ...not the control whose press opened it
}

// Right clicks and popup menus. The widget layer's menus are not linked here, so
// the menus are tokens and the popup handler records which one would open.
class ContextMenu : public HeadlessTest {
 protected:
  struct Shown {
    TPopupMenu* Menu;
    TControl* Sender;
    TPoint At;
  };
  void SetUp() override {
    HeadlessTest::SetUp();
    SetPopupMenuHandler([this](TPopupMenu* m, TControl* sender, int x, int y) {
      Popups.push_back({m, sender, Point(x, y)});
    });
    Form()->SetPopupMenu(FormMenu);
    Panel = Make<Probe>(20, 20, 100, 100);
    Child = new Probe(Form());
    Child->SetParent(Panel);
    Child->SetBounds(10, 10, 50, 50);
  }
  void TearDown() override {
    SetPopupMenuHandler(nullptr);
    HeadlessTest::TearDown();
  }
  // Tokens standing for two menus; only their addresses are used.
  int FormMenuToken = 0, ChildMenuToken = 0;
  TPopupMenu* FormMenu = reinterpret_cast<TPopupMenu*>(&FormMenuToken);
  TPopupMenu* ChildMenu = reinterpret_cast<TPopupMenu*>(&ChildMenuToken);
  Probe* Panel = nullptr;
  Probe* Child = nullptr;
  std::vector<Shown> Popups;
};

// Deals with right clicks itself, as a control with a built-in menu does.
class OwnRightClicks : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int Asked = 0;

 protected:
  void DoContextPopup(TPoint MousePos, bool& Handled) override {
    ++Asked;
    Handled = true;
  }
};

TEST_F(ContextMenu, ARightClickOpensTheNearestMenuUpTheParents) {
  Click(Form(), 35, 35, mbRight);
  ASSERT_EQ(Popups.size(), 1u);
  EXPECT_EQ(Popups[0].Menu, FormMenu);
  EXPECT_EQ(Popups[0].Sender, Child);  // the clicked control, not the menu's owner
  EXPECT_EQ(Popups[0].At, Form()->ClientToScreen(Point(35, 35)));
  Child->SetPopupMenu(ChildMenu);
  Click(Form(), 35, 35, mbRight);
  ASSERT_EQ(Popups.size(), 2u);
  EXPECT_EQ(Popups[1].Menu, ChildMenu);
  Click(Form(), 35, 35);  // the left button asks for no menu
  EXPECT_EQ(Popups.size(), 2u);
}

TEST_F(ContextMenu, AHandledContextPopupKeepsTheParentsMenuShut) {
  TPoint asked{-1, -1};
  Child->SetOnContextPopup([&](TObject* sender, TPoint pos, bool& handled) {
    EXPECT_EQ(sender, Child);
    asked = pos;
    handled = true;
  });
  Click(Form(), 35, 35, mbRight);
  EXPECT_EQ(asked, Point(5, 5));  // in the child's client coordinates
  EXPECT_TRUE(Popups.empty());
  // A parent's handler is asked too when the child leaves the click alone.
  Child->SetOnContextPopup(nullptr);
  Panel->SetOnContextPopup([&](TObject*, TPoint pos, bool& handled) {
    asked = pos;
    handled = true;
  });
  Click(Form(), 35, 35, mbRight);
  EXPECT_EQ(asked, Point(15, 15));
  EXPECT_TRUE(Popups.empty());
}

TEST_F(ContextMenu, AControlWithItsOwnRightClicksOpensNoParentMenu) {
  auto* own = new OwnRightClicks(Form());
  own->SetParent(Panel);
  own->SetBounds(60, 60, 30, 30);
  Click(Form(), 85, 85, mbRight);
  EXPECT_EQ(own->Asked, 1);
  EXPECT_TRUE(Popups.empty());
}

// Accelerators: what the loop offers the form's controls as CM_DIALOGCHAR.
class Accelerators : public HeadlessTest {
 protected:
  // Takes the accelerator letters in `Keys`, records every one offered to it.
  class Taker : public TCustomControl {
   public:
    using TCustomControl::TCustomControl;
    std::u32string Keys, Offered;
    void WndProc(TMessage& m) override {
      if (m.Msg != CM_DIALOGCHAR) return TCustomControl::WndProc(m);
      Offered += char32_t(m.WParam);
      if (Keys.find(char32_t(m.WParam)) != std::u32string::npos) m.Result = 1;
    }
  };
  void SetUp() override {
    HeadlessTest::SetUp();
    Focus = Make<Probe>(0, 0, 20, 20);
    Focus->DlgCode = DLGC_WANTCHARS;
    Box = Make<Probe>(30, 0, 60, 60);  // a container between the form and the taker
    Take = new Taker(Form());
    Take->SetParent(Box);
    Take->Keys = U"m";
    Focus->SetFocus();
    Focus->Log.clear();
  }
  void Send(TBackendEventKind kind, Word key, char32_t ch = 0, TShiftState shift = 0) {
    TBackendEvent ev;
    ev.Kind = kind;
    ev.Key = key;
    ev.Char = ch;
    ev.Shift = shift;
    ev.Window = Form()->WindowId();
    Headless().PostEvent(ev);
    Application->ProcessMessages();
  }
  Probe* Focus = nullptr;
  Probe* Box = nullptr;
  Taker* Take = nullptr;
};

TEST_F(Accelerators, AltLetterGoesToTheFormAndIsNeverTyped) {
  PressKey(Form(), 'M', ssAlt);
  EXPECT_EQ(Take->Offered, U"m");
  EXPECT_EQ(Focus->Log, (Strings{"key 18", "key 77"}));  // the keys, no character
  // Shift keeps the case; the taker compares as it likes. An untaken one is not typed either.
  PressKey(Form(), 'Q', ssAlt | ssShift);
  EXPECT_EQ(Take->Offered, U"mQ");
  PressKey(Form(), '7', ssAlt);
  EXPECT_EQ(Take->Offered, U"mQ7");
  EXPECT_TRUE(std::none_of(Focus->Log.begin(), Focus->Log.end(),
                           [](const std::string& s) { return s.starts_with("char"); }));
  // Ctrl+Alt is AltGr, and Alt with a key that is no letter or digit makes none.
  PressKey(Form(), 'M', ssCtrl | ssAlt);
  PressKey(Form(), VK_DOWN, ssAlt);
  EXPECT_EQ(Take->Offered, U"mQ7");
}

TEST_F(Accelerators, ABackendsOwnAltCharacterIsNotOfferedTwice) {
  Send(bekKeyDown, VK_MENU);
  Send(bekKeyDown, 'M');
  Send(bekChar, 0, U'm', ssAlt);  // a backend that types with Alt held
  Send(bekKeyUp, 'M');
  Send(bekChar, 0, U'!', ssAlt);  // one the loop made none of: still no typing
  Send(bekKeyUp, VK_MENU);
  EXPECT_EQ(Take->Offered, U"m!");
  EXPECT_TRUE(std::none_of(Focus->Log.begin(), Focus->Log.end(),
                           [](const std::string& s) { return s.starts_with("char"); }));
}

TEST_F(Accelerators, PlainLettersGoFirstToTheFormOnlyWhenTheFocusTypesNone) {
  TypeText(Form(), "mx");
  EXPECT_TRUE(Take->Offered.empty());
  EXPECT_EQ(Focus->Log, (Strings{"key 77", "char m", "key 88", "char x"}));
  Focus->DlgCode = 0;  // a button, say
  Focus->Log.clear();
  TypeText(Form(), "mx ");
  EXPECT_EQ(Take->Offered, U"mx");  // the space is the button's own
  EXPECT_EQ(Focus->Log, (Strings{"key 77", "key 88", "char x", "key 32", "char  "}));
}

TEST_F(Accelerators, AKeyTakenOnItsWayDownMakesNoAccelerator) {
  Form()->SetKeyPreview(true);
  Form()->SetOnKeyDown([](TObject*, Word& key, TShiftState) {
    if (key == 'M') key = 0;
  });
  PressKey(Form(), 'M', ssAlt);
  PressKey(Form(), 'N', ssAlt);
  EXPECT_EQ(Take->Offered, U"n");
}

TEST_F(Accelerators, HiddenOrDisabledContainersKeepThemFromTheirControls) {
  Box->SetVisible(false);
  PressKey(Form(), 'M', ssAlt);
  Box->SetVisible(true);
  Box->SetEnabled(false);
  PressKey(Form(), 'M', ssAlt);
  EXPECT_TRUE(Take->Offered.empty());
  Box->SetEnabled(true);
  PressKey(Form(), 'M', ssAlt);
  EXPECT_EQ(Take->Offered, U"m");
}

TEST(IsAccel, TheLetterAfterASingleAmpersandInAnyCase) {
  EXPECT_TRUE(IsAccel('m', "&Memo"));
  EXPECT_TRUE(IsAccel('M', "&memo"));
  EXPECT_TRUE(IsAccel('c', "Fish && &Chips"));
  EXPECT_FALSE(IsAccel('f', "Fish && &Chips"));
  EXPECT_FALSE(IsAccel('&', "Fish && Chips"));
  EXPECT_FALSE(IsAccel('s', "Fish && Chips"));
  EXPECT_FALSE(IsAccel('a', "&"));
  EXPECT_FALSE(IsAccel(0, "&"));
  EXPECT_TRUE(IsAccel(U'\u00FC',
                      "&\xC3\x9C"
                      "bung"));  // Ü, typed as ü
  EXPECT_TRUE(IsAccel('e', "Hu&e:"));
  EXPECT_FALSE(IsAccel('h', "Hu&e:"));
}

}  // namespace
