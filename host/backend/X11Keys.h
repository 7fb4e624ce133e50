// Key symbols of the X keyboard to the platform's virtual key codes and typed
// characters. Pure functions on key symbol values, so the tables can be checked
// without an X server.
#pragma once

#include <cstdint>

namespace host::x11 {

// The virtual key code of a key symbol (VK_*, '0'..'9', 'A'..'Z'); 0 when the
// key has none. Letters map to their capital code whatever the case, keypad keys
// to VK_NUMPAD0.. / VK_DECIMAL / VK_ADD... or, with NumLock off, to the cursor
// keys they then are.
uint16_t KeysymToVirtualKey(unsigned long keysym);

// True for the keys of the numeric keypad, whose meaning depends on NumLock.
bool IsKeypadKeysym(unsigned long keysym);

// The Unicode character a key symbol types, before modifiers: printable
// Latin-1 and Unicode key symbols, the keypad's digits and operators, and the
// control characters of Backspace, Tab, Enter and Escape. 0 for none.
char32_t KeysymToChar(unsigned long keysym);

// The character a key press types with the given shift state (ssShift, ssCtrl,
// ssAlt bits), as the platform delivers it: Ctrl+letter types the control code
// (Ctrl+C is 3), other Ctrl keys and Alt keys type nothing, and Ctrl+Alt (the
// AltGr of many layouts) types the plain character. 0 for none.
char32_t KeyPressChar(unsigned long keysym, uint16_t shift);

// The X font cursor shape (XC_* value) that shows a TCursor value.
unsigned CursorFontShape(int cursor);

}  // namespace host::x11
