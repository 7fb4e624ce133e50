#ifdef ZEL_HAVE_X11
#include "host/backend/X11Keys.h"

#include <X11/cursorfont.h>
#include <X11/keysym.h>

#include "host/input/Input.h"

namespace host::x11 {

namespace {

// Keys the window layer has no named constant for.
constexpr uint16_t kVkOem3 = 0xC0, kVkOem4 = 0xDB, kVkOem5 = 0xDC, kVkOem6 = 0xDD, kVkOem7 = 0xDE;

struct KeyPair {
  unsigned long Sym;
  uint16_t Vk;
};

// Keys that are neither letters, digits, function keys nor keypad digits.
constexpr KeyPair kNamedKeys[] = {
    {XK_BackSpace, VK_BACK},
    {XK_Tab, VK_TAB},
    {XK_ISO_Left_Tab, VK_TAB},
    {XK_Clear, VK_CLEAR},
    {XK_Return, VK_RETURN},
    {XK_Pause, VK_PAUSE},
    {XK_Scroll_Lock, VK_SCROLL},
    {XK_Escape, VK_ESCAPE},
    {XK_Delete, VK_DELETE},
    {XK_Home, VK_HOME},
    {XK_Left, VK_LEFT},
    {XK_Up, VK_UP},
    {XK_Right, VK_RIGHT},
    {XK_Down, VK_DOWN},
    {XK_Prior, VK_PRIOR},
    {XK_Next, VK_NEXT},
    {XK_End, VK_END},
    {XK_Insert, VK_INSERT},
    {XK_Menu, VK_APPS},
    {XK_Num_Lock, VK_NUMLOCK},
    {XK_Caps_Lock, VK_CAPITAL},
    {XK_Shift_L, VK_SHIFT},
    {XK_Shift_R, VK_SHIFT},
    {XK_Control_L, VK_CONTROL},
    {XK_Control_R, VK_CONTROL},
    {XK_Alt_L, VK_MENU},
    {XK_Alt_R, VK_MENU},
    {XK_Meta_L, VK_MENU},
    {XK_Meta_R, VK_MENU},
    {XK_Super_L, VK_LWIN},
    {XK_Super_R, VK_RWIN},
    {XK_space, VK_SPACE},
    // Main-row punctuation of a US layout, unshifted and shifted.
    {XK_semicolon, VK_OEM_1},
    {XK_colon, VK_OEM_1},
    {XK_equal, VK_OEM_PLUS},
    {XK_plus, VK_OEM_PLUS},
    {XK_comma, VK_OEM_COMMA},
    {XK_less, VK_OEM_COMMA},
    {XK_minus, VK_OEM_MINUS},
    {XK_underscore, VK_OEM_MINUS},
    {XK_period, VK_OEM_PERIOD},
    {XK_greater, VK_OEM_PERIOD},
    {XK_slash, VK_OEM_2},
    {XK_question, VK_OEM_2},
    {XK_grave, kVkOem3},
    {XK_asciitilde, kVkOem3},
    {XK_bracketleft, kVkOem4},
    {XK_braceleft, kVkOem4},
    {XK_backslash, kVkOem5},
    {XK_bar, kVkOem5},
    {XK_bracketright, kVkOem6},
    {XK_braceright, kVkOem6},
    {XK_apostrophe, kVkOem7},
    {XK_quotedbl, kVkOem7},
    // The keypad: operators, and the cursor keys it is while NumLock is off.
    {XK_KP_Multiply, VK_MULTIPLY},
    {XK_KP_Add, VK_ADD},
    {XK_KP_Separator, VK_DECIMAL},
    {XK_KP_Subtract, VK_SUBTRACT},
    {XK_KP_Decimal, VK_DECIMAL},
    {XK_KP_Divide, VK_DIVIDE},
    {XK_KP_Enter, VK_RETURN},
    {XK_KP_Space, VK_SPACE},
    {XK_KP_Tab, VK_TAB},
    {XK_KP_Home, VK_HOME},
    {XK_KP_Left, VK_LEFT},
    {XK_KP_Up, VK_UP},
    {XK_KP_Right, VK_RIGHT},
    {XK_KP_Down, VK_DOWN},
    {XK_KP_Prior, VK_PRIOR},
    {XK_KP_Next, VK_NEXT},
    {XK_KP_End, VK_END},
    {XK_KP_Begin, VK_CLEAR},
    {XK_KP_Insert, VK_INSERT},
    {XK_KP_Delete, VK_DELETE},
};

struct CharPair {
  unsigned long Sym;
  char32_t Char;
};

constexpr CharPair kControlAndKeypadChars[] = {
    {XK_BackSpace, 8},     {XK_Tab, 9},         {XK_ISO_Left_Tab, 9},   {XK_KP_Tab, 9},
    {XK_Return, 13},       {XK_KP_Enter, 13},   {XK_Escape, 27},        {XK_KP_Space, ' '},
    {XK_KP_Multiply, '*'}, {XK_KP_Add, '+'},    {XK_KP_Separator, ','}, {XK_KP_Subtract, '-'},
    {XK_KP_Decimal, '.'},  {XK_KP_Divide, '/'}, {XK_KP_Equal, '='},     {XK_EuroSign, 0x20AC},
};

}  // namespace

uint16_t KeysymToVirtualKey(unsigned long s) {
  if (s >= XK_a && s <= XK_z) return uint16_t('A' + (s - XK_a));
  if (s >= XK_A && s <= XK_Z) return uint16_t(s);
  if (s >= XK_0 && s <= XK_9) return uint16_t(s);
  if (s >= XK_KP_0 && s <= XK_KP_9) return uint16_t(VK_NUMPAD0 + (s - XK_KP_0));
  if (s >= XK_F1 && s <= XK_F24) return uint16_t(VK_F1 + (s - XK_F1));
  for (const KeyPair& k : kNamedKeys)
    if (k.Sym == s) return k.Vk;
  return 0;
}

bool IsKeypadKeysym(unsigned long s) { return s >= XK_KP_Space && s <= XK_KP_Equal; }

char32_t KeysymToChar(unsigned long s) {
  if ((s >= 0x20 && s <= 0x7E) || (s >= 0xA0 && s <= 0xFF)) return char32_t(s);
  // Key symbols 0x01000000 + code point name any Unicode character directly.
  if (s >= 0x01000100 && s <= 0x0110FFFF) return char32_t(s - 0x01000000);
  if (s >= XK_KP_0 && s <= XK_KP_9) return char32_t('0' + (s - XK_KP_0));
  for (const CharPair& c : kControlAndKeypadChars)
    if (c.Sym == s) return c.Char;
  return 0;
}

char32_t KeyPressChar(unsigned long keysym, uint16_t shift) {
  char32_t c = KeysymToChar(keysym);
  bool ctrl = shift & ssCtrl, alt = shift & ssAlt;
  if (ctrl && alt) return c;  // AltGr
  if (alt) return 0;
  if (!ctrl) return c;
  // Ctrl+@, Ctrl+letter, Ctrl+[ \ ] ^ _ are the control codes 0..31.
  if ((c >= '@' && c <= '_') || (c >= 'a' && c <= 'z')) return c & 0x1F;
  switch (c) {
    case 8:
      return 0x7F;  // Ctrl+Backspace
    case 13:
      return 10;  // Ctrl+Enter: a line feed
    case 27:
      return 27;
    default:
      return 0;
  }
}

unsigned CursorFontShape(int cursor) {
  switch (cursor) {
    case crCross:
      return XC_crosshair;
    case crIBeam:
      return XC_xterm;
    case crSizeNESW:
      return XC_bottom_left_corner;
    case crSizeNWSE:
      return XC_bottom_right_corner;
    case crSizeNS:
    case crVSplit:
      return XC_sb_v_double_arrow;
    case crSizeWE:
    case crHSplit:
      return XC_sb_h_double_arrow;
    case crSizeAll:
      return XC_fleur;
    case crUpArrow:
      return XC_sb_up_arrow;
    case crHourGlass:
    case crAppStart:
      return XC_watch;
    case crDrag:
      return XC_dotbox;
    case crNoDrop:
    case crNo:
      return XC_X_cursor;
    case crHelp:
      return XC_question_arrow;
    case crHandPoint:
      return XC_hand2;
    default:
      return XC_left_ptr;
  }
}

}  // namespace host::x11
#endif  // ZEL_HAVE_X11
