#include "host/widgets/Menus.h"

#include <algorithm>
#include <utility>

#include "host/gfx/Utf8.h"
#include "host/widgets/Look.h"

namespace host {

// --- TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Clear();
  if (FParent) FParent->Remove(this);
}

TBitmap* TMenuItem::Bitmap() {
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  return FBitmap.get();
}

TMenuItem* TMenuItem::Items(int i) const {
  return i >= 0 && i < Count() ? FItems[size_t(i)] : nullptr;
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item || Item == this) return;
  for (TMenuItem* p = this; p; p = p->FParent)
    if (p == Item) throw EInvalidOperation("A menu item cannot hold itself or its parent");
  if (Item->FParent) Item->FParent->Remove(Item);
  Index = std::clamp(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
  if (!Item || Item->FParent != this) return;
  std::erase(FItems, Item);
  Item->FParent = nullptr;
}

void TMenuItem::Clear() {
  while (!FItems.empty()) delete FItems.back();  // each leaves the list itself
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : int(it - FItems.begin());
}

std::string TMenuItem::PlainCaption() const {
  std::string out;
  for (size_t i = 0; i < FCaption.size(); ++i) {
    if (FCaption[i] == '&') {
      if (i + 1 < FCaption.size() && FCaption[i + 1] == '&') out += '&';
      if (i + 1 < FCaption.size()) ++i;
      if (FCaption[i] == '&') continue;
    }
    out += FCaption[i];
  }
  return out;
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const {
  for (TMenuItem* item : FItems)
    if (item->PlainCaption() == ACaption) return item;
  return nullptr;
}

char32_t TMenuItem::AccelChar() const { return AccelCharOf(FCaption); }

void TMenuItem::Click() {
  if (FEnabled && FOnClick) FOnClick(this);
}

// --- the menu window

namespace {

constexpr int kEdge = 3;        // raised border and padding round the items
constexpr int kGutter = 22;     // room for the check mark or the bitmap
constexpr int kArrowRoom = 20;  // room for a submenu's arrow, and the right margin
constexpr int kLineHeight = 8;

bool Selectable(const TMenuItem* item) { return item && item->Visible() && !item->IsLine(); }

TPopupMenu::TIdleHook& IdleHook() {
  static TPopupMenu::TIdleHook hook;
  return hook;
}

}  // namespace

// One open level of a menu: the sub-items of one item, one below the other.
class TMenuWindow : public TPopupWindow {
 public:
  TMenuWindow(TPopupMenu* menu, TMenuItem* item) : TPopupWindow(nullptr), FMenu(menu), FItem(item) {
    Layout();
  }
  TMenuItem* Item() const { return FItem; }
  int Highlight() const { return FHighlight; }
  void SetHighlight(int i) {
    if (i == FHighlight) return;
    FHighlight = i;
    Invalidate();
  }
  TRect ItemRect(int i) const {
    return i >= 0 && i < int(FTops.size()) && FItem->Items(i)->Visible()
               ? Rect(kEdge, FTops[size_t(i)], Width() - kEdge,
                      FTops[size_t(i)] + ItemHeight(FItem->Items(i)))
               : TRect{};
  }
  // The item under a client point, or -1.
  int ItemAt(int x, int y) const {
    for (int i = 0; i < FItem->Count(); ++i)
      if (ItemRect(i).Contains(x, y)) return i;
    return -1;
  }
  // The next selectable item from `from` in direction `step`, wrapping; -1 if none.
  int Next(int from, int step) const {
    const int n = FItem->Count();
    for (int k = 1; k <= n; ++k) {
      int i = ((from + step * k) % n + n) % n;
      if (from < 0 && step < 0) i = n - k;
      if (Selectable(FItem->Items(i))) return i;
    }
    return -1;
  }
  std::string ClassName() const override { return "TMenuWindow"; }

 protected:
  void Paint() override;

 private:
  TPopupMenu* FMenu;
  TMenuItem* FItem;
  int FHighlight = -1;
  std::vector<int> FTops;
  int FTextItemHeight = 18;
  int ItemHeight(const TMenuItem* item) const {
    return item->IsLine() ? kLineHeight : FTextItemHeight;
  }
  void Layout();
  void PaintItem(TCanvas* c, int i);
};

void TMenuWindow::Layout() {
  TCanvas* c = Canvas();
  c->SetFont(Font());
  FTextItemHeight = std::max(c->TextHeight("Ag") + 6, 18);
  int y = kEdge, widest = 0;
  FTops.clear();
  for (int i = 0; i < FItem->Count(); ++i) {
    TMenuItem* item = FItem->Items(i);
    FTops.push_back(y);
    if (!item->Visible()) continue;
    y += ItemHeight(item);
    if (!item->IsLine()) widest = std::max(widest, c->TextWidth(item->PlainCaption()));
  }
  SetBounds(Left(), Top(), std::max(2 * kEdge + kGutter + widest + kArrowRoom, 80), y + kEdge);
}

void TMenuWindow::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clMenu);
  c->FillRect(ClientRect());
  TRect edge = ClientRect();
  DrawRaisedEdge(c, edge);
  c->SetFont(Font());
  for (int i = 0; i < FItem->Count(); ++i)
    if (FItem->Items(i)->Visible()) PaintItem(c, i);
}

void TMenuWindow::PaintItem(TCanvas* c, int i) {
  TMenuItem* item = FItem->Items(i);
  const TRect r = ItemRect(i);
  if (item->IsLine()) {
    // An etched line across the middle.
    const int y = (r.Top + r.Bottom) / 2 - 1;
    c->Brush()->SetColor(clBtnShadow);
    c->FillRect(Rect(r.Left + 1, y, r.Right - 1, y + 1));
    c->Brush()->SetColor(clBtnHighlight);
    c->FillRect(Rect(r.Left + 1, y + 1, r.Right - 1, y + 2));
    return;
  }
  const bool lit = i == FHighlight;
  c->Brush()->SetColor(lit ? clHighlight : clMenu);
  c->FillRect(r);
  const TColor ink = lit ? clHighlightText : clMenuText;
  if (item->HasBitmap()) {
    TBitmap* b = item->Bitmap();
    c->Draw(r.Left + (kGutter - b->Width()) / 2, r.Top + (r.Height() - b->Height()) / 2, b);
  } else if (item->Checked()) {
    // A tick of three short strokes.
    c->Pen()->SetColor(item->Enabled() ? ink : clGrayText);
    const int x = r.Left + 7, y = r.Top + r.Height() / 2 - 1;
    for (int k = 0; k < 3; ++k) {
      c->MoveTo(x, y + k);
      c->LineTo(x + 2, y + 2 + k);
      c->LineTo(x + 7, y - 3 + k);
    }
  }
  TRect text = Rect(r.Left + kGutter, r.Top, r.Right - kArrowRoom, r.Bottom);
  c->Brush()->SetStyle(bsClear);
  const uint32_t flags = DT_LEFT | DT_SINGLELINE | DT_VCENTER;
  if (!item->Enabled() && !lit) {
    DrawDisabledText(c, item->Caption(), text, flags);
  } else {
    c->Font()->SetColor(item->Enabled() ? ink : clGrayText);
    DrawText(c, item->Caption(), text, flags);
  }
  c->Brush()->SetStyle(bsSolid);
  if (item->Count() > 0) {
    // The submenu arrow, its base 12 pixels left of the item's right end; a
    // disabled one looks like the caption beside it.
    DrawArrow(c, Rect(r.Right - 14, r.Top, r.Right - 6, r.Bottom), adRight, 4,
              item->Enabled() ? ink : clGrayText, item->Enabled() || lit);
  }
}

// --- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {
  static const bool installed = [] {
    SetPopupMenuHandler([](TPopupMenu* menu, TControl* sender, int x, int y) {
      if (!menu->AutoPopup()) return;
      menu->SetPopupComponent(sender);
      menu->Popup(x, y);
    });
    return true;
  }();
  (void)installed;
}

TPopupMenu::~TPopupMenu() {
  if (FAlive) *FAlive = false;
  if (IsOpen()) {
    FLevels.clear();
    SetInputFilter(std::move(FOuterFilter));
  }
}

void TPopupMenu::SetIdleHook(TIdleHook hook) { IdleHook() = std::move(hook); }

TForm* TPopupMenu::MenuWindow(int Level) const {
  return Level >= 0 && Level < OpenLevels() ? FLevels[size_t(Level)].get() : nullptr;
}

int TPopupMenu::Highlighted(int Level) const {
  return Level >= 0 && Level < OpenLevels() ? FLevels[size_t(Level)]->Highlight() : -1;
}

TRect TPopupMenu::ItemRect(int Level, int Index) const {
  return Level >= 0 && Level < OpenLevels() ? FLevels[size_t(Level)]->ItemRect(Index) : TRect{};
}

void TPopupMenu::Popup(int X, int Y) {
  if (IsOpen()) return;
  FPopupPoint = Point(X, Y);
  if (FOnPopup) FOnPopup(this);
  bool any = false;
  for (int i = 0; i < FItems->Count(); ++i) any = any || FItems->Items(i)->Visible();
  if (!any) return;
  auto alive = std::make_shared<bool>(true);
  FAlive = alive;
  FChosen = nullptr;
  FClosingKey = 0;
  FPointerUsed = false;
  FOuterFilter = SetInputFilter([this](const TBackendEvent& ev) { return Route(ev); });
  try {
    OpenLevel(FItems.get(), X, Y, -1);
    RunLoop(alive);
  } catch (...) {
    if (*alive) {
      CloseMenu();
      SetInputFilter(std::move(FOuterFilter));
    }
    throw;
  }
  if (!*alive) return;  // the menu was freed by a handler while it was open
  CloseMenu();
  SetInputFilter(std::move(FOuterFilter));
  if (FClosingKey) SwallowKeyRest(std::exchange(FClosingKey, 0));
  if (TMenuItem* chosen = std::exchange(FChosen, nullptr)) chosen->Click();
}

void TPopupMenu::RunLoop(const std::shared_ptr<bool>& alive) {
  TApplication* app = Application;
  while (*alive && IsOpen() && !app->Terminated()) {
    app->ProcessMessages();
    if (!*alive || !IsOpen()) return;
    if (CurrentBackend().HasVirtualClock() && !app->HasPendingWork()) {
      const bool acted = IdleHook() && IdleHook()(this);
      if (!*alive || !IsOpen()) return;
      if (!acted && !app->HasPendingWork()) CloseMenu();  // nobody can drive it
      continue;
    }
    app->HandleMessage();
  }
}

void TPopupMenu::CloseMenu() {
  // Innermost first, so each window gives the keyboard back in order.
  while (!FLevels.empty()) {
    FLevels.back()->ClosePopup();
    FLevels.pop_back();
  }
}

void TPopupMenu::OpenLevel(TMenuItem* Item, int X, int Y, int FlipRight) {
  auto w = std::make_unique<TMenuWindow>(this, Item);
  TMenuWindow* win = w.get();
  FLevels.push_back(std::move(w));
  // No room on the right: a submenu opens to the left of its parent instead.
  if (FlipRight >= 0 && X + win->Width() > Screen->Width())
    X = std::max(FlipRight - win->Width(), 0);
  win->PopupAt(X, Y);
}

void TPopupMenu::CloseLevelsAbove(int Level) {
  while (OpenLevels() > Level + 1) {
    FLevels.back()->ClosePopup();
    FLevels.pop_back();
  }
}

void TPopupMenu::OpenSubmenu(int Level, int Index, bool HighlightFirst) {
  TMenuWindow* parent = FLevels[size_t(Level)].get();
  TMenuItem* item = parent->Item()->Items(Index);
  if (OpenLevels() > Level + 1 && FLevels[size_t(Level) + 1]->Item() == item) {
    CloseLevelsAbove(Level + 1);
  } else {
    CloseLevelsAbove(Level);
    if (!item || !item->Enabled() || item->Count() == 0) return;
    const TRect r = parent->ItemRect(Index);
    const TPoint at = parent->ClientToScreen(Point(parent->Width() - kEdge, r.Top - kEdge));
    OpenLevel(item, at.x, at.y, parent->Left() + kEdge);
  }
  TMenuWindow* sub = FLevels.back().get();
  if (HighlightFirst && sub != parent) sub->SetHighlight(sub->Next(-1, 1));
}

void TPopupMenu::Choose(int Level, int Index) {
  TMenuItem* item = FLevels[size_t(Level)]->Item()->Items(Index);
  if (!Selectable(item) || !item->Enabled()) return;
  if (item->Count() > 0) {
    FLevels[size_t(Level)]->SetHighlight(Index);
    OpenSubmenu(Level, Index, true);
    return;
  }
  FChosen = item;
  CloseMenu();
}

int TPopupMenu::LevelAt(TPoint s) const {
  for (int l = OpenLevels() - 1; l >= 0; --l)
    if (FLevels[size_t(l)]->BoundsRect().Contains(s.x, s.y)) return l;
  return -1;
}

bool TPopupMenu::Route(const TBackendEvent& ev) {
  if (!IsOpen()) {
    // Closed by a key while its character and key-up are still on the way.
    if (!FClosingKey) return false;
    if (ev.Kind == bekKeyUp && ev.Key == FClosingKey) FClosingKey = 0;
    return ev.Kind == bekChar || (ev.Kind == bekKeyUp && !IsModifierKey(ev.Key));
  }
  switch (ev.Kind) {
    case bekKeyDown:
      RouteKey(ev.Key);
      return true;
    case bekChar:
      RouteChar(ev.Char);
      return true;
    case bekKeyUp:
      return !IsModifierKey(ev.Key);
    case bekMouseWheel:
      return true;
    case bekMouseMove:
    case bekMouseDown:
    case bekMouseUp:
      RouteMouse(ev);
      return true;
    case bekClose:
      CloseMenu();
      return false;
    default:
      return false;
  }
}

void TPopupMenu::RouteKey(Word Key) {
  FClosingKey = Key;  // kept only if this key closes the menu
  const int level = OpenLevels() - 1;
  TMenuWindow* w = FLevels[size_t(level)].get();
  switch (Key) {
    case VK_DOWN:
    case VK_UP:
      w->SetHighlight(w->Next(w->Highlight(), Key == VK_DOWN ? 1 : -1));
      break;
    case VK_HOME:
      w->SetHighlight(w->Next(-1, 1));
      break;
    case VK_END:
      w->SetHighlight(w->Next(-1, -1));
      break;
    case VK_RIGHT:
      if (w->Highlight() >= 0) OpenSubmenu(level, w->Highlight(), true);
      break;
    case VK_LEFT:
      if (level > 0) CloseLevelsAbove(level - 1);
      break;
    case VK_ESCAPE:
      if (level > 0)
        CloseLevelsAbove(level - 1);
      else
        CloseMenu();
      break;
    case VK_RETURN:
      if (w->Highlight() >= 0) Choose(level, w->Highlight());
      break;
    case VK_MENU:
    case VK_F10:
      CloseMenu();
      break;
    default:
      break;
  }
}

void TPopupMenu::RouteChar(char32_t Ch) {
  FClosingKey = 0;  // the character that might close the menu is this one
  const int level = OpenLevels() - 1;
  TMenuWindow* w = FLevels[size_t(level)].get();
  TMenuItem* list = w->Item();
  std::vector<int> hits;
  for (int i = 0; i < list->Count(); ++i)
    if (Selectable(list->Items(i)) && IsAccel(Ch, list->Items(i)->Caption())) hits.push_back(i);
  if (hits.size() == 1) {
    Choose(level, hits[0]);
  } else if (!hits.empty()) {
    // Several items share the key: each press highlights the next of them.
    auto next = std::upper_bound(hits.begin(), hits.end(), w->Highlight());
    w->SetHighlight(next == hits.end() ? hits.front() : *next);
  }
}

void TPopupMenu::RouteMouse(const TBackendEvent& ev) {
  FClosingKey = 0;
  TPoint s;
  const int level = TPopupWindow::ScreenPointOf(ev, s) ? LevelAt(s) : -1;
  if (level < 0) {
    if (ev.Kind == bekMouseDown) CloseMenu();  // a press anywhere else dismisses
    return;
  }
  TMenuWindow* w = FLevels[size_t(level)].get();
  const TPoint p = w->ScreenToClient(s);
  const int i = w->ItemAt(p.x, p.y);
  TMenuItem* item = i >= 0 ? w->Item()->Items(i) : nullptr;
  if (ev.Kind == bekMouseDown) FPointerUsed = true;
  if (ev.Kind == bekMouseUp) {
    // The release of the press that opened the menu chooses nothing.
    if (FPointerUsed && i >= 0) Choose(level, i);
    return;
  }
  if (!Selectable(item)) return;
  FPointerUsed = FPointerUsed || ev.Kind == bekMouseMove;
  w->SetHighlight(i);
  // Hovering opens an item's submenu, and closes the submenus of others.
  if (item->Count() > 0)
    OpenSubmenu(level, i, false);
  else
    CloseLevelsAbove(level);
}

}  // namespace host
