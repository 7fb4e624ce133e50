// Plays fuzz bytes on a numeric edit control as the user's keys and clicks, so
// the numeric input and the older edit box are driven by one and the same
// sequence of events. One byte is one action: 0xF0 and above a click on the
// control, anything else a key of the table below (the bit 0x80 also releases
// it). After each action the caller's check runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "host/ui/Controls.h"
#include "host/ui/Messages.h"

namespace fuzzsupport {

// A key and the character it types (0 for none) on a US layout.
struct TNumKeyStroke {
  host::Word Key;
  char32_t Char;
};

// The keys the numeric controls treat specially, and a few they refuse.
inline constexpr TNumKeyStroke kNumKeys[] = {
    {'0', U'0'},
    {'1', U'1'},
    {'5', U'5'},
    {'9', U'9'},
    {'4', U'4'},
    {'6', U'6'},
    {'A', U'a'},
    {'E', U'e'},
    {'F', U'f'},
    {'G', U'g'},
    {'Z', U'z'},
    {'C', U'c'},
    {'X', U'x'},
    {'V', U'v'},
    {host::VK_NUMPAD3, U'3'},
    {host::VK_ADD, U'+'},
    {host::VK_SUBTRACT, U'-'},
    {host::VK_DECIMAL, U'.'},
    {host::VK_OEM_PLUS, U'='},
    {host::VK_OEM_MINUS, U'-'},
    {host::VK_OEM_COMMA, U','},
    {host::VK_OEM_PERIOD, U'.'},
    {host::VK_BACK, U'\b'},
    {host::VK_DELETE, 0},
    {host::VK_HOME, 0},
    {host::VK_END, 0},
    {host::VK_LEFT, 0},
    {host::VK_RIGHT, 0},
    {host::VK_UP, 0},
    {host::VK_DOWN, 0},
    {host::VK_SHIFT, 0},
    {host::VK_CONTROL, 0},
    {host::VK_F1, 0},
    {host::VK_SPACE, U' '},
};
inline constexpr size_t kNumKeyCount = sizeof kNumKeys / sizeof kNumKeys[0];

// How a control takes its characters: a control that types in its key-down
// handler (TNumIO2) gets key messages only; an edit box also gets the
// character message a key-down produces, as the message loop would send it.
enum TCharDelivery : uint8_t { cdKeyDownOnly, cdCharMessages };

// Plays data[0..size) on `control`, calling `check` after every action, and
// releases Shift and Ctrl at the end.
inline void PlayNumKeys(host::TWinControl* control, const uint8_t* data, size_t size,
                        TCharDelivery delivery, const std::function<void()>& check) {
  using namespace host;
  for (size_t i = 0; i < size; ++i) {
    const uint8_t b = data[i];
    if (b >= 0xF0) {  // a mouse click somewhere on the control
      control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam((b & 0x0F) * 13, (b & 3) * 12));
      control->Perform(WM_LBUTTONUP, 0, PointToLParam((b & 0x0F) * 13, (b & 3) * 12));
    } else {
      const TNumKeyStroke& k = kNumKeys[b % kNumKeyCount];
      control->Perform(WM_KEYDOWN, k.Key, 0);
      if (delivery == cdCharMessages && k.Char) control->Perform(WM_CHAR, WPARAM(k.Char), 0);
      if (b & 0x80) control->Perform(WM_KEYUP, k.Key, 0);
    }
    check();
  }
  control->Perform(WM_KEYUP, VK_SHIFT, 0);
  control->Perform(WM_KEYUP, VK_CONTROL, 0);
}

}  // namespace fuzzsupport
