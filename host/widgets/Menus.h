// Popup menus: TMenuItem (a tree of captions with "&" accelerators, "-"
// separators, checks, bitmaps and sub-items) and TPopupMenu (opens a menu
// window, a TPopupWindow, at a screen point and lets the user choose with the
// keyboard or the mouse).
//
// While a menu is open it owns the input: keys go to the innermost open menu
// whichever window had the focus, and a press outside every menu window closes
// the menu. Popup returns once the menu is closed, after the chosen item's
// OnClick ran, as on the platform.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/backend/Backend.h"
#include "host/ui/Forms.h"
#include "host/ui/InputFilter.h"
#include "host/widgets/PopupWindow.h"

namespace host {

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  // Frees the sub-items too, and leaves the parent item.
  ~TMenuItem() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& s) { FCaption = s; }
  // A caption of "-" makes the item a separator line.
  bool IsLine() const { return FCaption == "-"; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool v) { FChecked = v; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool v) { FVisible = v; }
  // The item's image, shown left of the caption; an empty bitmap shows none.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* b) { Bitmap()->Assign(b); }
  bool HasBitmap() const { return FBitmap && !FBitmap->Empty(); }

  // --- sub-items (the item takes ownership of none: owners free components)
  int Count() const { return int(FItems.size()); }
  TMenuItem* Items(int i) const;  // nullptr out of range
  TMenuItem* Parent() const { return FParent; }
  // Appends (or inserts before Index) an item, taking it from its old parent.
  void Add(TMenuItem* Item) { Insert(Count(), Item); }
  void Insert(int Index, TMenuItem* Item);
  // Takes the item out without freeing it.
  void Remove(TMenuItem* Item);
  void Delete(int Index) { Remove(Items(Index)); }
  // Frees every sub-item.
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  // The sub-item whose caption, without "&" marks, is `ACaption`; nullptr if none.
  TMenuItem* Find(const std::string& ACaption) const;
  // The character after a single "&" in the caption, lower-cased (ASCII and
  // Latin-1, as IsAccel compares); 0 if none.
  char32_t AccelChar() const;
  // The caption as shown: "&&" becomes "&" and single "&" marks go.
  std::string PlainCaption() const;

  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent e) { FOnClick = std::move(e); }
  // Fires OnClick when the item is enabled.
  virtual void Click();
  std::string ClassName() const override { return "TMenuItem"; }

 private:
  std::string FCaption;
  bool FEnabled = true, FChecked = false, FVisible = true;
  std::unique_ptr<TBitmap> FBitmap;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TNotifyEvent FOnClick;
};

class TMenuWindow;

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  // Closes the menu if it is open (Popup then returns at once).
  ~TPopupMenu() override;

  // The invisible root item whose sub-items the menu shows.
  TMenuItem* Items() const { return FItems.get(); }
  // On: a right click on a control whose PopupMenu this is opens it.
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool v) { FAutoPopup = v; }
  // The control that was right-clicked (set before the menu opens).
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* c) { FPopupComponent = c; }
  // The screen point of the last Popup.
  TPoint PopupPoint() const { return FPopupPoint; }
  // Fires before the menu shows, so items can be set up for the moment.
  const TNotifyEvent& OnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent e) { FOnPopup = std::move(e); }

  // Shows the menu with its top-left at screen point (X, Y) and runs until it
  // closes; the chosen item's OnClick runs just before Popup returns.
  virtual void Popup(int X, int Y);
  // Closes an open menu without choosing anything.
  void CloseMenu();
  bool IsOpen() const { return !FLevels.empty(); }

  // --- the open menu, for tests and pixel checks
  // Open menu windows: 0 the menu itself, then each open submenu.
  int OpenLevels() const { return int(FLevels.size()); }
  TForm* MenuWindow(int Level) const;
  // The item (index among its parent's sub-items) highlighted at a level, or -1.
  int Highlighted(int Level) const;
  // Where item Index of the level's item list lies, in that window's client
  // coordinates (empty for hidden items).
  TRect ItemRect(int Level, int Index) const;

  // Headless use on a virtual clock: called whenever the open menu waits for
  // input, so a test can act as the user (post or perform the next keys or
  // clicks). It returns false when it has nothing more to do; the menu then
  // closes as if dismissed, so a menu nobody drives never hangs the program.
  using TIdleHook = std::function<bool(TPopupMenu* Menu)>;
  static void SetIdleHook(TIdleHook hook);

  std::string ClassName() const override { return "TPopupMenu"; }

 private:
  friend class TMenuWindow;
  std::unique_ptr<TMenuItem> FItems;
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  TPoint FPopupPoint;
  TNotifyEvent FOnPopup;
  std::vector<std::unique_ptr<TMenuWindow>> FLevels;
  TMenuItem* FChosen = nullptr;
  Word FClosingKey = 0;       // the key whose key-down closed the menu
  bool FPointerUsed = false;  // a press or a hover inside the menu since it opened
  TInputFilter FOuterFilter;
  std::shared_ptr<bool> FAlive;

  // FlipRight >= 0: a submenu, which moves left of that x when it does not fit.
  void OpenLevel(TMenuItem* Item, int X, int Y, int FlipRight);
  void OpenSubmenu(int Level, int Index, bool HighlightFirst);
  void CloseLevelsAbove(int Level);
  void RunLoop(const std::shared_ptr<bool>& alive);
  bool Route(const TBackendEvent& ev);
  void RouteKey(Word Key);
  void RouteChar(char32_t Ch);
  void RouteMouse(const TBackendEvent& ev);
  int LevelAt(TPoint Screen) const;
  void Choose(int Level, int Index);
};

}  // namespace host
