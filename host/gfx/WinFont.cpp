// The table behind font handles: shared font descriptions with reference counts.
#include "host/gfx/WinFont.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace host {

namespace {

struct FontSlot {
  LOGFONTW Font;
  uint32_t Refs = 0;  // 0: the slot is free
  uint16_t Generation = 0;
};

// Handles are (generation << 16) | (slot + 1), so no valid handle is null and a
// stale one no longer matches its slot once the slot is reused.
constexpr size_t kMaxSlots = 0xFFFF;

std::vector<FontSlot>& Slots() {
  static std::vector<FontSlot> slots;
  return slots;
}

HFONT MakeHandle(size_t slot, uint16_t generation) {
  return reinterpret_cast<HFONT>((uintptr_t(generation) << 16) | uintptr_t(slot + 1));
}

FontSlot* Lookup(HFONT h) {
  const auto value = reinterpret_cast<uintptr_t>(h);
  const size_t index = (value & 0xFFFF);
  auto& slots = Slots();
  if (index == 0 || index > slots.size()) return nullptr;
  FontSlot& s = slots[index - 1];
  if (s.Refs == 0 || (value >> 16) != s.Generation) return nullptr;
  return &s;
}

}  // namespace

HFONT CreateFontIndirectW(const LOGFONTW* lf) {
  if (!lf) return nullptr;
  LOGFONTW font = *lf;
  // Only the characters up to the terminator belong to the name.
  font.lfFaceName[LF_FACESIZE - 1] = 0;
  const size_t len = std::char_traits<WCHAR>::length(font.lfFaceName);
  std::fill(font.lfFaceName + len, font.lfFaceName + LF_FACESIZE, WCHAR(0));

  auto& slots = Slots();
  size_t freeSlot = slots.size();
  for (size_t i = 0; i < slots.size(); ++i) {
    if (slots[i].Refs == 0) {
      freeSlot = std::min(freeSlot, i);
    } else if (slots[i].Font == font) {
      ++slots[i].Refs;
      return MakeHandle(i, slots[i].Generation);
    }
  }
  if (freeSlot == slots.size()) {
    if (slots.size() >= kMaxSlots) return nullptr;
    slots.emplace_back();
  }
  FontSlot& s = slots[freeSlot];
  s.Font = font;
  s.Refs = 1;
  return MakeHandle(freeSlot, s.Generation);
}

int GetObjectW(HFONT h, int size, LOGFONTW* out) {
  const FontSlot* s = Lookup(h);
  if (!s) return 0;
  if (!out) return int(sizeof(LOGFONTW));
  const int n = std::clamp(size, 0, int(sizeof(LOGFONTW)));
  std::memcpy(out, &s->Font, size_t(n));
  return n;
}

bool DeleteObject(HFONT h) {
  FontSlot* s = Lookup(h);
  if (!s) return false;
  if (--s->Refs == 0) ++s->Generation;  // old handles of this slot go stale
  return true;
}

}  // namespace host
