// The X key symbol tables: virtual key codes, typed characters with modifier
// keys, and cursor shapes. Pure functions, no X server needed.
#ifdef ZEL_HAVE_X11
#include <gtest/gtest.h>

#include "host/backend/X11Keys.h"
#include "host/input/Input.h"

#include <X11/cursorfont.h>
#include <X11/keysym.h>

using namespace host;
using namespace host::x11;

TEST(X11Keys, LettersDigitsAndFunctionKeysHaveTheirPlatformCodes) {
  EXPECT_EQ(KeysymToVirtualKey(XK_a), 'A');
  EXPECT_EQ(KeysymToVirtualKey(XK_Z), 'Z');
  EXPECT_EQ(KeysymToVirtualKey(XK_0), '0');
  EXPECT_EQ(KeysymToVirtualKey(XK_9), '9');
  EXPECT_EQ(KeysymToVirtualKey(XK_F1), VK_F1);
  EXPECT_EQ(KeysymToVirtualKey(XK_F12), VK_F12);
  EXPECT_EQ(KeysymToVirtualKey(XK_Return), VK_RETURN);
  EXPECT_EQ(KeysymToVirtualKey(XK_ISO_Left_Tab), VK_TAB);  // Shift+Tab
  EXPECT_EQ(KeysymToVirtualKey(XK_Page_Up), VK_PRIOR);
  EXPECT_EQ(KeysymToVirtualKey(XK_Delete), VK_DELETE);
  EXPECT_EQ(KeysymToVirtualKey(XK_Shift_R), VK_SHIFT);
  EXPECT_EQ(KeysymToVirtualKey(XK_Control_L), VK_CONTROL);
  EXPECT_EQ(KeysymToVirtualKey(XK_Alt_L), VK_MENU);
  EXPECT_EQ(KeysymToVirtualKey(XK_period), VK_OEM_PERIOD);
  EXPECT_EQ(KeysymToVirtualKey(XK_minus), VK_OEM_MINUS);
  EXPECT_EQ(KeysymToVirtualKey(XK_Cyrillic_a), 0);
}

TEST(X11Keys, KeypadFollowsNumLock) {
  // NumLock on: the symbols are digits and the separator.
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_0), VK_NUMPAD0);
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_7), VK_NUMPAD7);
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_Decimal), VK_DECIMAL);
  EXPECT_EQ(KeysymToChar(XK_KP_7), U'7');
  EXPECT_EQ(KeysymToChar(XK_KP_Decimal), U'.');
  EXPECT_EQ(KeysymToChar(XK_KP_Separator), U',');
  // NumLock off: the same keys are cursor keys and type nothing.
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_Home), VK_HOME);
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_End), VK_END);
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_Delete), VK_DELETE);
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_Begin), VK_CLEAR);
  EXPECT_EQ(KeysymToChar(XK_KP_End), 0U);
  // Operators and Enter are the same either way.
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_Add), VK_ADD);
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_Subtract), VK_SUBTRACT);
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_Multiply), VK_MULTIPLY);
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_Divide), VK_DIVIDE);
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_Enter), VK_RETURN);
  EXPECT_EQ(KeysymToChar(XK_KP_Add), U'+');
  EXPECT_EQ(KeysymToChar(XK_KP_Enter), U'\r');
  EXPECT_TRUE(IsKeypadKeysym(XK_KP_End));
  EXPECT_TRUE(IsKeypadKeysym(XK_KP_9));
  EXPECT_FALSE(IsKeypadKeysym(XK_End));
}

TEST(X11Keys, CharactersOfLatin1AndUnicodeSymbols) {
  EXPECT_EQ(KeysymToChar(XK_a), U'a');
  EXPECT_EQ(KeysymToChar(XK_A), U'A');
  EXPECT_EQ(KeysymToChar(XK_adiaeresis), U'ä');
  EXPECT_EQ(KeysymToChar(XK_ssharp), U'ß');
  EXPECT_EQ(KeysymToChar(XK_EuroSign), U'€');
  EXPECT_EQ(KeysymToChar(0x01000000 + 0x0416), U'Ж');  // a Unicode key symbol
  EXPECT_EQ(KeysymToChar(XK_BackSpace), U'\b');
  EXPECT_EQ(KeysymToChar(XK_Escape), char32_t(27));
  EXPECT_EQ(KeysymToChar(XK_Left), 0U);
  EXPECT_EQ(KeysymToChar(XK_F1), 0U);
  EXPECT_EQ(KeysymToChar(XK_Shift_L), 0U);
}

TEST(X11Keys, ModifiersChangeWhatAKeyTypes) {
  EXPECT_EQ(KeyPressChar(XK_c, 0), U'c');
  EXPECT_EQ(KeyPressChar(XK_C, ssShift), U'C');
  EXPECT_EQ(KeyPressChar(XK_c, ssCtrl), char32_t(3));  // Ctrl+C types ETX
  EXPECT_EQ(KeyPressChar(XK_V, ssCtrl | ssShift), char32_t(22));
  EXPECT_EQ(KeyPressChar(XK_1, ssCtrl), 0U);
  EXPECT_EQ(KeyPressChar(XK_Return, ssCtrl), U'\n');
  EXPECT_EQ(KeyPressChar(XK_BackSpace, ssCtrl), char32_t(0x7F));
  EXPECT_EQ(KeyPressChar(XK_x, ssAlt), 0U);  // Alt keys are menu keys
  // Ctrl+Alt is AltGr on many layouts: the character it gives is typed.
  EXPECT_EQ(KeyPressChar(XK_at, ssCtrl | ssAlt), U'@');
}

TEST(X11Keys, CursorShapes) {
  EXPECT_EQ(CursorFontShape(crHourGlass), unsigned(XC_watch));
  EXPECT_EQ(CursorFontShape(crIBeam), unsigned(XC_xterm));
  EXPECT_EQ(CursorFontShape(crSizeWE), unsigned(XC_sb_h_double_arrow));
  EXPECT_EQ(CursorFontShape(crSizeNS), unsigned(XC_sb_v_double_arrow));
  EXPECT_EQ(CursorFontShape(crHandPoint), unsigned(XC_hand2));
  EXPECT_EQ(CursorFontShape(crArrow), unsigned(XC_left_ptr));
  EXPECT_EQ(CursorFontShape(crDefault), unsigned(XC_left_ptr));
}
#endif  // ZEL_HAVE_X11
