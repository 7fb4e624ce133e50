// Finding the form of a backend window, and the message a mouse event becomes.
#include "host/backend/Backend.h"
#include "host/ui/Forms.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

class ScreenWindows : public HeadlessTest {};

TEST_F(ScreenWindows, FormOfWindowFindsShownFormsOnly) {
  TForm* first = Form();
  auto* second = new TForm(first);
  second->Show();
  ASSERT_NE(first->WindowId(), second->WindowId());
  EXPECT_EQ(Screen->FormOfWindow(first->WindowId()), first);
  EXPECT_EQ(Screen->FormOfWindow(second->WindowId()), second);
  // A form that has no window yet must not answer for "no window".
  auto* hidden = new TForm(first);
  ASSERT_EQ(hidden->WindowId(), 0u);
  EXPECT_EQ(Screen->FormOfWindow(0), nullptr);
  EXPECT_EQ(Screen->FormOfWindow(second->WindowId() + 1000), nullptr);
  const TWindowId gone = second->WindowId();
  delete second;
  EXPECT_EQ(Screen->FormOfWindow(gone), nullptr);
}

TBackendEvent MouseEvent(TBackendEventKind kind, TMouseButton button) {
  TBackendEvent ev;
  ev.Kind = kind;
  ev.Button = button;
  return ev;
}

TEST(MouseMessageOf, EachButtonHasItsDownUpAndDoubleClick) {
  struct Row {
    TMouseButton button;
    unsigned down, up, dbl;
  };
  for (const Row& r : {Row{mbLeft, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
                       Row{mbRight, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
                       Row{mbMiddle, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK}}) {
    EXPECT_EQ(MouseMessageOf(MouseEvent(bekMouseDown, r.button)), r.down);
    EXPECT_EQ(MouseMessageOf(MouseEvent(bekMouseUp, r.button)), r.up);
    EXPECT_EQ(MouseMessageOf(MouseEvent(bekMouseDown, r.button), true), r.dbl);
    EXPECT_EQ(MouseMessageOf(MouseEvent(bekMouseMove, r.button)), WM_MOUSEMOVE);
  }
  EXPECT_EQ(MouseMessageOf(MouseEvent(bekMouseWheel, mbLeft)), 0u);
  EXPECT_EQ(MouseMessageOf(MouseEvent(bekKeyDown, mbLeft)), 0u);
}

}  // namespace
