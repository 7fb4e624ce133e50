// Pixel pictures for the drawing tests: a bitmap region as rows of characters,
// so that an expected shape reads like the shape itself.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/gfx/Graphics.h"

namespace host::testing {

// '.' white, 'X' black, and the given letters for other colours; '?' otherwise.
inline std::vector<std::string> Art(TBitmap& bmp, const std::map<TColor, char>& legend = {}) {
  std::vector<std::string> rows;
  for (int y = 0; y < bmp.Height(); ++y) {
    std::string row;
    for (int x = 0; x < bmp.Width(); ++x) {
      const TColor c = bmp.Canvas()->Pixels(x, y);
      auto it = legend.find(c);
      row += it != legend.end() ? it->second : c == clWhite ? '.' : c == clBlack ? 'X' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

// Number of pixels of colour c.
inline int CountColor(TBitmap& bmp, TColor c) {
  int n = 0;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) n += bmp.Canvas()->Pixels(x, y) == c;
  return n;
}

}  // namespace host::testing
