// The headless backend on its own, and the window layer's use of it.
#include <filesystem>

#include "host/backend/Headless.h"
#include "host/ui/Forms.h"
#include "tests/support/Headless.h"

using namespace host;

namespace {

TEST(HeadlessBackend, VirtualClockOnlyMovesForward) {
  THeadlessBackend b(true);
  EXPECT_TRUE(b.HasVirtualClock());
  EXPECT_EQ(b.Now(), 0);
  b.SetVirtualTime(250);
  b.SetVirtualTime(100);  // time never runs back
  EXPECT_EQ(b.Now(), 250);
  TBackendEvent ev;
  EXPECT_FALSE(b.WaitEvent(ev, 10000));  // never sleeps, even when asked to wait
  EXPECT_EQ(b.Now(), 250);
}

TEST(HeadlessBackend, EventsComeOutInOrderAndDieWithTheirWindow) {
  THeadlessBackend b;
  TWindowId w1 = b.CreateWindow("one", 10, 10), w2 = b.CreateWindow("two", 10, 10);
  for (TWindowId w : {w1, w2, w1}) {
    TBackendEvent ev;
    ev.Window = w;
    ev.Kind = bekMouseMove;
    b.PostEvent(ev);
  }
  b.DestroyWindow(w1);
  EXPECT_EQ(b.PendingEvents(), 1u);
  TBackendEvent ev;
  ASSERT_TRUE(b.WaitEvent(ev, 0));
  EXPECT_EQ(ev.Window, w2);
  EXPECT_EQ(b.WindowCount(), 1);
  EXPECT_EQ(b.WindowCaption(w1), "");
}

class HeadlessForms : public zeltest::HeadlessTest {};

TEST_F(HeadlessForms, FormsOwnOneWindowWhileTheyExist) {
  {
    TForm f(nullptr);
    f.SetCaption("Settings");
    EXPECT_EQ(f.WindowId(), 0u);  // no window before it is needed
    f.Show();
    EXPECT_TRUE(zeltest::Headless().WindowVisible(f.WindowId()));
    EXPECT_EQ(zeltest::Headless().WindowCaption(f.WindowId()), "Settings");
    f.SetText("Options");  // the caption is the window title however it is set
    EXPECT_EQ(zeltest::Headless().WindowCaption(f.WindowId()), "Options");
    f.Hide();
    EXPECT_FALSE(zeltest::Headless().WindowVisible(f.WindowId()));
  }
  EXPECT_EQ(zeltest::Headless().WindowCount(), 0);
}

TEST_F(HeadlessForms, CentredFormsAreCentredOnTheScreen) {
  TForm f(nullptr);
  f.SetBounds(0, 0, 400, 300);
  f.SetPosition(poScreenCenter);
  f.Show();
  EXPECT_EQ(zeltest::Headless().WindowPosition(f.WindowId()), Point(760, 390));
  f.SetLeft(10);
  EXPECT_EQ(zeltest::Headless().WindowPosition(f.WindowId()), Point(10, 390));
}

TEST_F(HeadlessForms, CloseEventClosesTheFormAndResizeResizesIt) {
  TForm* f = Form();
  TBackendEvent ev;
  ev.Window = f->WindowId();
  ev.Kind = bekResize;
  ev.Width = 300;
  ev.Height = 50;
  zeltest::Headless().PostEvent(ev);
  zeltest::Pump();
  EXPECT_EQ(f->Framebuffer()->Width(), 300);
  EXPECT_EQ(f->Framebuffer()->Height(), 50);
  ev.Kind = bekClose;
  zeltest::Headless().PostEvent(ev);
  zeltest::Pump();
  EXPECT_FALSE(f->Visible());
}

TEST_F(HeadlessForms, DialogWhoseWindowIsDestroyedEndsAsCancelled) {
  TForm* main = Form();
  Application->SetMainForm(main);
  TForm dialog(nullptr);
  bool asked = false;
  dialog.SetOnCloseQuery([&](TObject*, bool& can) { asked = can = false; });
  Application->SetModalHook([&](TForm* f) {
    TBackendEvent ev;
    ev.Kind = bekDestroyed;
    ev.Window = f->WindowId();
    zeltest::Headless().PostEvent(ev);
  });
  EXPECT_EQ(dialog.ShowModal(), mrCancel);  // no window is left to refuse closing in
  EXPECT_FALSE(asked);
  EXPECT_EQ(dialog.WindowId(), 0u);
  EXPECT_FALSE(Application->Terminated()) << "a dialog's window is not the program's";
}

TEST_F(HeadlessForms, ModalFormIsADialogOfTheFormItWasOpenedFrom) {
  TForm* main = Form();
  main->Constraints()->SetMinWidth(200);
  EXPECT_EQ(zeltest::Headless().WindowStyle(main->WindowId()).MinWidth, 200);
  TForm dialog(nullptr);
  dialog.SetBounds(0, 0, 90, 30);
  TWindowStyle during;
  Application->SetModalHook([&](TForm* f) {
    during = zeltest::Headless().WindowStyle(f->WindowId());
    f->SetModalResult(mrOk);
  });
  dialog.ShowModal();
  EXPECT_EQ(during.Kind, wkDialog);
  EXPECT_EQ(during.Owner, main->WindowId());
  EXPECT_TRUE(during.Decorated);
  // Without Constraints the floor applies, never above the form's own size.
  EXPECT_EQ(during.MinHeight, 30);
  EXPECT_EQ(during.MaxWidth, 0);
  dialog.Show();  // shown without a loop of its own it is a window like any
  EXPECT_EQ(zeltest::Headless().WindowStyle(dialog.WindowId()).Kind, wkNormal);
  dialog.SetBorderStyle(bsSingle);
  TWindowStyle fixed = zeltest::Headless().WindowStyle(dialog.WindowId());
  EXPECT_EQ(Point(fixed.MinWidth, fixed.MaxWidth), Point(90, 90));
}

TEST_F(HeadlessForms, FormSavesAsPngThatReadsBack) {
  TForm* f = Form();
  f->SetColor(clTeal);
  auto path = std::filesystem::temp_directory_path() / "zel-headless-form.png";
  zeltest::SavePng(f, path.string());
  TBitmap back;
  back.LoadFromFile(path.string());
  EXPECT_EQ(back.Width(), f->Width());
  EXPECT_EQ(back.Canvas()->Pixels(5, 5), clTeal);
  std::filesystem::remove(path);
}

}  // namespace
