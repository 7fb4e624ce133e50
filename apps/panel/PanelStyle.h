// The panel's colours: a dark instrument ground, groups a shade lighter, one
// amber accent for titles and needles, red for alarms.
#pragma once

#include "host/gfx/Graphics.h"

namespace panel {

constexpr host::TColor kGround = host::RGB(0x1B, 0x1E, 0x24);
constexpr host::TColor kGroupGround = host::RGB(0x26, 0x2A, 0x32);
constexpr host::TColor kGroupFrame = host::RGB(0x46, 0x4D, 0x5A);
constexpr host::TColor kAccent = host::RGB(0xE8, 0x94, 0x22);
constexpr host::TColor kText = host::RGB(0xC8, 0xCE, 0xD8);
constexpr host::TColor kDimText = host::RGB(0x70, 0x76, 0x80);
constexpr host::TColor kAlarm = host::RGB(0xF0, 0x5A, 0x46);

}  // namespace panel
