#include "apps/gallery/Gallery.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

using namespace host;

namespace gallery {

namespace {
constexpr int kTabHeight = 28;
constexpr int kTabPad = 14;
constexpr int kMinTabPad = 3;
constexpr int kMargin = 12;
constexpr TColor kPageColor = RGB(0xF4, 0xF4, 0xF2);
constexpr TColor kStripColor = RGB(0x3A, 0x40, 0x4C);
constexpr TColor kTabText = RGB(0xD8, 0xDC, 0xE4);
constexpr TColor kAccent = RGB(0xE0, 0x8A, 0x1E);

// Holds one builder's controls; grows to the extent of what it was given, so
// the page's scroll box sees the whole of it.
class TBand : public TWinControl {
 public:
  explicit TBand(TComponent* owner) : TWinControl(owner) { SetParentBackground(true); }
  void FitChildren() {
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
      right = std::max(right, Controls(i)->Left() + Controls(i)->Width());
      bottom = std::max(bottom, Controls(i)->Top() + Controls(i)->Height());
    }
    SetBounds(Left(), Top(), right + kMargin, bottom + kMargin);
  }
};
}  // namespace

std::string Slug(const std::string& title) {
  std::string s;
  for (char ch : title) {
    if (std::isalnum(static_cast<unsigned char>(ch)))
      s += char(std::tolower(static_cast<unsigned char>(ch)));
    else if (!s.empty() && s.back() != '-')
      s += '-';
  }
  return s;
}

// --- TGalleryNote

TGalleryNote::TGalleryNote(TComponent* AOwner) : TGraphicControl(AOwner) {
  Font()->SetSize(10);
  Font()->SetColor(RGB(0x40, 0x44, 0x4C));
}

std::vector<std::string> TGalleryNote::Lines(TCanvas* c) const {
  std::vector<std::string> lines;
  std::string line, word;
  auto flushWord = [&] {
    if (word.empty()) return;
    std::string tryLine = line.empty() ? word : line + " " + word;
    if (!line.empty() && c->TextWidth(tryLine) > Width()) {
      lines.push_back(line);
      line = word;
    } else {
      line = tryLine;
    }
    word.clear();
  };
  for (char ch : Text()) {
    if (ch == ' ') {
      flushWord();
    } else if (ch == '\n') {
      flushWord();
      lines.push_back(line);
      line.clear();
    } else {
      word += ch;
    }
  }
  flushWord();
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void TGalleryNote::SetNote(const std::string& text) {
  SetText(text);
  TCanvas measure;
  measure.SetFont(Font());
  SetHeight(int(Lines(&measure).size()) * (measure.TextHeight("Ag") + 2));
}

void TGalleryNote::Paint() {
  TCanvas* c = Canvas();
  c->SetFont(Font());
  c->Brush()->SetStyle(bsClear);
  int h = c->TextHeight("Ag") + 2, y = 0;
  for (const std::string& line : Lines(c)) {
    c->TextOut(0, y, line);
    y += h;
  }
}

// --- TGalleryTabs

TGalleryTabs::TGalleryTabs(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csOpaque);
  SetColor(kStripColor);
  Font()->SetSize(10);
  Font()->SetStyle(fsBold);
  SetHeight(kTabHeight);
}

void TGalleryTabs::SetTitles(std::vector<std::string> titles) {
  FTitles = std::move(titles);
  FSelected = 0;
  Invalidate();
}

void TGalleryTabs::SetSelected(int i) {
  if (i < 0 || i >= int(FTitles.size()) || i == FSelected) return;
  FSelected = i;
  Invalidate();
  if (FOnChange) FOnChange(this);
}

std::vector<int> TGalleryTabs::Edges() {
  TCanvas* c = Canvas();
  c->SetFont(Font());
  std::vector<int> widths;
  int text = 0;
  for (const auto& t : FTitles) text += widths.emplace_back(c->TextWidth(t));
  // A narrow window takes the room round the titles first, so every tab stays in view.
  const int n = std::max<int>(1, int(FTitles.size()));
  const int pad = std::clamp((Width() - kMargin / 2 - text) / (2 * n), kMinTabPad, kTabPad);
  std::vector<int> edges{kMargin / 2};
  for (int w : widths) edges.push_back(edges.back() + w + 2 * pad);
  return edges;
}

int TGalleryTabs::TabAt(int x) {
  auto e = Edges();
  for (size_t i = 0; i + 1 < e.size(); ++i)
    if (x >= e[i] && x < e[i + 1]) return int(i);
  return -1;
}

void TGalleryTabs::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(kStripColor);
  c->FillRect(ClientRect());
  auto e = Edges();
  c->SetFont(Font());
  int th = c->TextHeight("Ag");
  for (size_t i = 0; i < FTitles.size(); ++i) {
    bool sel = int(i) == FSelected;
    TRect r = Rect(e[i], 4, e[i + 1] - 2, Height());
    c->Brush()->SetColor(sel ? kPageColor : RGB(0x4C, 0x53, 0x61));
    c->FillRect(r);
    if (sel) {
      c->Brush()->SetColor(kAccent);
      c->FillRect(Rect(r.Left, r.Top, r.Right, r.Top + 3));
    }
    c->Font()->SetColor(sel ? RGB(0x20, 0x24, 0x2C) : kTabText);
    c->Brush()->SetStyle(bsClear);
    const int x = r.Left + (r.Width() - c->TextWidth(FTitles[i])) / 2;
    c->TextRect(r, x, r.Top + (r.Height() - th) / 2 + 1, FTitles[i]);
  }
}

void TGalleryTabs::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) SetSelected(TabAt(X));
}

// --- TGalleryForm

TGalleryForm::TGalleryForm(TComponent* AOwner) : TForm(AOwner), FEntries(Pages()) {
  SetCaption("ZEL Controls gallery");
  SetBounds(0, 0, 1344, 960);
  // Below this the tab strip and a page's first controls no longer show
  // together; the pages scroll down to it.
  Constraints()->SetMinWidth(640);
  Constraints()->SetMinHeight(400);
  SetPosition(poScreenCenter);
  SetColor(kPageColor);
  SetKeyPreview(true);
  FTabs = new TGalleryTabs(this);
  FTabs->SetParent(this);
  FTabs->SetAlign(alTop);
  std::vector<std::string> titles;
  for (const PageEntry& e : FEntries) {
    titles.push_back(e.Title);
    FPages.push_back(BuildPage(e));
  }
  FTabs->SetTitles(titles);
  FTabs->SetOnChange([this](TObject*) { ShowSelectedPage(); });
  SelectPage(0);
  for (size_t i = 1; i < FPages.size(); ++i) FPages[i]->Hide();
}

TScrollBox* TGalleryForm::BuildPage(const PageEntry& e) {
  auto* page = new TScrollBox(this);
  page->SetParent(this);
  page->SetAlign(alClient);
  page->SetBorderStyle(bsNone);
  page->SetColor(kPageColor);
  if (e.Builders.empty()) {
    auto* note = new TGalleryNote(this);
    note->SetParent(page);
    note->SetBounds(2 * kMargin, 2 * kMargin, 560, 20);
    note->SetNote(e.Placeholder);
    return page;
  }
  // The bands stack from the top; placed by bounds rather than aligned, so
  // they scroll with the page.
  int top = 0;
  for (const auto& build : e.Builders) {
    auto* band = new TBand(this);
    band->SetParent(page);
    band->SetBounds(0, top, page->Width(), 0);
    try {
      build(band);
    } catch (const std::exception& ex) {
      // One broken builder must not take the whole gallery down: say so on its band.
      auto* note = new TGalleryNote(this);
      note->SetParent(band);
      note->SetBounds(2 * kMargin, kMargin, 560, 20);
      note->Font()->SetColor(clMaroon);
      note->SetNote(e.Title + " page failed to build: " + ex.what());
    }
    band->FitChildren();
    top += band->Height();
  }
  return page;
}

void TGalleryForm::SelectPage(int i) {
  FTabs->SetSelected(i);
  ShowSelectedPage();
}

void TGalleryForm::ShowSelectedPage() {
  TScrollBox* shown = FPages[size_t(FTabs->Selected())];
  for (TScrollBox* page : FPages) page->SetVisible(page == shown);
  // Keys and the wheel must not go on to a control on a page now hidden; a
  // click or Tab gives the focus to one of this page.
  if (ActiveControl() && !shown->ContainsControl(ActiveControl())) SetActiveControl(nullptr);
}

void TGalleryForm::KeyDown(Word& Key, TShiftState Shift) {
  TForm::KeyDown(Key, Shift);
  if (!(Shift & ssCtrl) || (Key != VK_NEXT && Key != VK_PRIOR)) return;
  int n = PageCount();
  SelectPage((ActivePage() + (Key == VK_NEXT ? 1 : n - 1)) % n);
  Key = 0;
}

std::vector<std::string> RenderPages(TGalleryForm* form, const std::string& dir) {
  std::filesystem::create_directories(dir);
  std::vector<std::string> paths;
  for (int i = 0; i < form->PageCount(); ++i) {
    form->SelectPage(i);
    Application->ProcessMessages();
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%02d-", i + 1);
    auto path = std::filesystem::absolute(std::filesystem::path(dir) /
                                          (prefix + Slug(form->PageTitle(i)) + ".png"));
    form->Framebuffer()->SaveToFile(path.string());
    paths.push_back(path.string());
  }
  return paths;
}

}  // namespace gallery
