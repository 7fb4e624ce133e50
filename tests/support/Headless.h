// Test helpers for forms on the headless backend: each user action is one line
// (click at, drag, type text, press a key with shift state, advance time), and
// pixels can be read, saved as PNG and compared with golden images.
//
// Coordinates are the form's client coordinates unless a helper takes a control,
// in which case they are that control's client coordinates. Every action is
// handled (and the form painted) before the helper returns.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/backend/Headless.h"
#include "host/ui/Forms.h"

namespace zeltest {

using host::TControl;
using host::TForm;
using host::TMouseButton;
using host::TShiftState;
using host::Word;

// Starts afresh: a new application on a headless backend with a virtual clock at 0.
void StartHeadless();
// The backend in use; fails the test (and aborts it) unless it is headless.
host::THeadlessBackend& Headless();
// Runs one turn of the loop: pending input, posted messages, due timers, paints.
void Pump();
// Moves the virtual clock forward, firing the timers due on the way.
void Advance(int64_t ms);

void MouseMove(TForm* f, int x, int y, TShiftState shift = 0);
void MouseDown(TForm* f, int x, int y, TMouseButton b = host::mbLeft, TShiftState shift = 0);
void MouseUp(TForm* f, int x, int y, TMouseButton b = host::mbLeft, TShiftState shift = 0);
// Move there, press and release.
void Click(TForm* f, int x, int y, TMouseButton b = host::mbLeft, TShiftState shift = 0);
// Two clicks in quick succession at the same place.
void DblClick(TForm* f, int x, int y, TShiftState shift = 0);
// Press at (x0, y0), move in `steps` steps to (x1, y1), release there.
void Drag(TForm* f, int x0, int y0, int x1, int y1, int steps = 4, TMouseButton b = host::mbLeft,
          TShiftState shift = 0);
void Wheel(TForm* f, int x, int y, int delta, TShiftState shift = 0);
// The same, at a point of a control (its client coordinates).
void Click(TControl* c, int x, int y, TMouseButton b = host::mbLeft, TShiftState shift = 0);
void DblClick(TControl* c, int x, int y, TShiftState shift = 0);
void Drag(TControl* c, int x0, int y0, int x1, int y1, int steps = 4);
void MouseMove(TControl* c, int x, int y, TShiftState shift = 0);

// Key down (with the modifier keys of `shift` pressed around it), the
// character it types if any, key up.
void PressKey(TForm* f, Word key, TShiftState shift = 0);
// Types UTF-8 text key by key (US layout for the virtual key codes).
void TypeText(TForm* f, const std::string& text);

// The colour of a form pixel after pending paints (-1 as TColor outside).
host::TColor PixelAt(TForm* f, int x, int y);
// The colour of a pixel of a control (its client coordinates).
host::TColor PixelAt(TControl* c, int x, int y);
// Writes the form's framebuffer (after pending paints) as PNG.
void SavePng(TForm* f, const std::string& path);
// Compares the form with tests/golden/<name>.png. With ZEL_UPDATE_GOLDEN=1 in
// the environment the golden image is (re)written instead; a mismatch writes
// the actual picture to out/golden-actual/<name>.png for review.
::testing::AssertionResult MatchesGolden(TForm* f, const std::string& name);

// A fixture with a fresh headless application and one shown form.
class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The form of the test (created and shown on first use, 200 x 120).
  TForm* Form();
  // Makes a control owned by and placed on the form.
  template <class T>
  T* Make(int left, int top, int width, int height) {
    T* c = new T(Form());
    c->SetParent(Form());
    c->SetBounds(left, top, width, height);
    return c;
  }

 private:
  std::unique_ptr<TForm> FForm;
};

}  // namespace zeltest
