// The gallery's main form: a tab strip drawn by the gallery itself and one page
// a control family, built from the page registry (Pages.h). Each page is a
// scroll box, so a window smaller than a page still reaches all of it.
#pragma once

#include <string>
#include <vector>

#include "apps/gallery/Pages.h"
#include "host/ui/Forms.h"
#include "host/widgets/ScrollBox.h"

namespace gallery {

// A line (or a few) of text in the gallery's own simple style: page notes and
// captions, until the widget layer brings labels.
class TGalleryNote : public host::TGraphicControl {
 public:
  explicit TGalleryNote(host::TComponent* AOwner);
  // Text breaks at spaces to fit Width; Height follows the lines.
  void SetNote(const std::string& text);
  std::string ClassName() const override { return "TGalleryNote"; }

 protected:
  void Paint() override;

 private:
  std::vector<std::string> Lines(host::TCanvas* c) const;
};

// The row of page tabs; a click, or Ctrl+PageUp/PageDown on the form, changes page.
class TGalleryTabs : public host::TCustomControl {
 public:
  explicit TGalleryTabs(host::TComponent* AOwner);
  void SetTitles(std::vector<std::string> titles);
  int Selected() const { return FSelected; }
  void SetSelected(int i);
  const host::TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(host::TNotifyEvent e) { FOnChange = std::move(e); }
  // The tab under a client x, or -1.
  int TabAt(int x);
  std::string ClassName() const override { return "TGalleryTabs"; }

 protected:
  void Paint() override;
  void MouseDown(host::TMouseButton Button, host::TShiftState Shift, int X, int Y) override;

 private:
  std::vector<std::string> FTitles;
  int FSelected = 0;
  host::TNotifyEvent FOnChange;
  std::vector<int> Edges();  // x of each tab's left edge, plus the last right edge
};

class TGalleryForm : public host::TForm {
 public:
  explicit TGalleryForm(host::TComponent* AOwner);
  int PageCount() const { return int(FPages.size()); }
  const std::string& PageTitle(int i) const { return FEntries[size_t(i)].Title; }
  // The area of page i that its controls sit in; it scrolls them.
  host::TScrollBox* PageHost(int i) const { return FPages[size_t(i)]; }
  int ActivePage() const { return FTabs->Selected(); }
  void SelectPage(int i);
  std::string ClassName() const override { return "TGalleryForm"; }

 protected:
  void KeyDown(host::Word& Key, host::TShiftState Shift) override;

 private:
  std::vector<PageEntry> FEntries;
  std::vector<host::TScrollBox*> FPages;
  TGalleryTabs* FTabs;
  host::TScrollBox* BuildPage(const PageEntry& e);
  void ShowSelectedPage();
};

// A page title as a file-name part: "Host widgets" -> "host-widgets".
std::string Slug(const std::string& title);

// Renders every page of `form` to DIR/NN-title.png and returns the paths.
std::vector<std::string> RenderPages(TGalleryForm* form, const std::string& dir);

}  // namespace gallery
