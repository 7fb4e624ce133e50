// Font handles in the manner of the platform's graphics interface: a font is
// described by a LOGFONTW, created from one (CreateFontIndirectW), read back
// (GetObjectW) and released (DeleteObject). Code that derives a font from another
// one, such as a label that turns its font, works through these calls.
//
// Handles live in a small table of font descriptions: creating an identical
// description again returns the same handle with one more reference, and
// DeleteObject drops a reference. A handle carries a generation number, so a
// handle deleted once too often is recognised as stale instead of reaching a
// font that took over its slot. GUI thread only.
#pragma once

#include <cstdint>

namespace host {

using LONG = int32_t;
using BYTE = uint8_t;
using WCHAR = wchar_t;

constexpr int LF_FACESIZE = 32;

constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE NONANTIALIASED_QUALITY = 3;
constexpr BYTE ANTIALIASED_QUALITY = 4;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;

// A font description. Escapement and orientation are in tenths of a degree,
// counter-clockwise; the face name is NUL-terminated (at most 31 characters).
struct LOGFONTW {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  WCHAR lfFaceName[LF_FACESIZE] = {};
  friend bool operator==(const LOGFONTW&, const LOGFONTW&) = default;
};

struct HFONT__;
using HFONT = HFONT__*;  // nullptr is "no font"

// A handle for the description (nullptr when lf is null or the table is full).
// The caller owns one reference; give it to a TFont (SetHandle) or DeleteObject it.
HFONT CreateFontIndirectW(const LOGFONTW* lf);
// Copies up to `size` bytes of the handle's description into *out; returns the
// bytes copied, sizeof(LOGFONTW) when out is null, and 0 for an invalid handle.
int GetObjectW(HFONT h, int size, LOGFONTW* out);
// Drops one reference; false for an invalid or already released handle.
bool DeleteObject(HFONT h);

}  // namespace host
