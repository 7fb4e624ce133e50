// The gallery renders every page headless, each with something on it.
#include <filesystem>
#include <set>

#include "apps/gallery/Gallery.h"
#include "host/grid/Grids.h"
#include "host/ui/Clipbrd.h"
#include "host/ui/DateTime.h"
#include "host/widgets/Menus.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

// The calendars show today: every test runs on Whit Monday 2025.
class Gallery : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    SetNowForTesting(EncodeDate(2025, 6, 9) + 0.5);
  }
  void TearDown() override {
    ClearNowForTesting();
    HeadlessTest::TearDown();
  }
};

// Distinct colours in the page area (below the tab strip).
size_t ColoursBelow(TForm* f, int top) {
  std::set<TPixel> seen;
  TBitmap* fb = f->Framebuffer();
  for (int y = top; y < fb->Height(); y += 2) {
    const TPixel* row = fb->ScanLine(y);
    for (int x = 0; x < fb->Width(); x += 2) seen.insert(row[x] & 0xFFFFFF);
  }
  return seen.size();
}

TEST_F(Gallery, EveryPageRendersToAPngWithContent) {
  auto form = std::make_unique<gallery::TGalleryForm>(nullptr);
  form->Show();
  auto dir = std::filesystem::temp_directory_path() / "zel-gallery-test";
  std::filesystem::remove_all(dir);
  auto paths = gallery::RenderPages(form.get(), dir.string());
  ASSERT_EQ(int(paths.size()), form->PageCount());
  ASSERT_GE(form->PageCount(), 8);
  for (int i = 0; i < form->PageCount(); ++i) {
    EXPECT_TRUE(std::filesystem::file_size(paths[size_t(i)]) > 0) << paths[size_t(i)];
    form->SelectPage(i);
    Pump();
    // Text at the least: a blank page has one colour, a note has many shades.
    EXPECT_GT(ColoursBelow(form.get(), 40), 3u) << form->PageTitle(i);
  }
  std::filesystem::remove_all(dir);
}

TEST_F(Gallery, TabsSwitchPagesByClickAndKeys) {
  auto form = std::make_unique<gallery::TGalleryForm>(nullptr);
  form->Show();
  Pump();
  EXPECT_EQ(form->ActivePage(), 0);
  auto* tabs = form->Controls(0);
  // The second tab starts right of the first: find it by scanning for a change.
  int x = 10;
  while (x < 400 && form->ActivePage() == 0) {
    Click(tabs, x, 14);
    x += 10;
  }
  EXPECT_EQ(form->ActivePage(), 1);
  EXPECT_TRUE(form->PageHost(1)->Visible());
  EXPECT_FALSE(form->PageHost(0)->Visible());
  PressKey(form.get(), VK_NEXT, ssCtrl);
  EXPECT_EQ(form->ActivePage(), 2);
  PressKey(form.get(), VK_PRIOR, ssCtrl);
  PressKey(form.get(), VK_PRIOR, ssCtrl);
  PressKey(form.get(), VK_PRIOR, ssCtrl);
  EXPECT_EQ(form->ActivePage(), form->PageCount() - 1);  // wraps round
}

// Each page against its reviewed picture; the gallery fixes every date and
// value it shows, so the pages are the same on every run.
TEST_F(Gallery, EveryPageMatchesItsGoldenImage) {
  auto form = std::make_unique<gallery::TGalleryForm>(nullptr);
  form->Show();
  for (int i = 0; i < form->PageCount(); ++i) {
    form->SelectPage(i);
    Pump();
    EXPECT_TRUE(MatchesGolden(form.get(), "gallery-" + gallery::Slug(form->PageTitle(i))));
  }
}

TEST_F(Gallery, EveryFamilyShowsItsControls) {
  // A page file left out of the build would leave its family with the
  // placeholder note only.
  for (const auto& p : gallery::Pages()) EXPECT_FALSE(p.Builders.empty()) << p.Title;
}

int PageIndex(gallery::TGalleryForm* f, const std::string& title) {
  for (int i = 0; i < f->PageCount(); ++i)
    if (f->PageTitle(i) == title) return i;
  return -1;
}

// The first control of type T at any depth under `w`.
template <class T>
T* FindControl(TWinControl* w) {
  for (int i = 0; i < w->ControlCount(); ++i) {
    if (auto* hit = dynamic_cast<T*>(w->Controls(i))) return hit;
    if (auto* inner = dynamic_cast<TWinControl*>(w->Controls(i)))
      if (T* hit = FindControl<T>(inner)) return hit;
  }
  return nullptr;
}

TEST_F(Gallery, APageLargerThanTheWindowScrollsAndResizingReLaysIt) {
  auto form = std::make_unique<gallery::TGalleryForm>(nullptr);
  form->Show();
  const int page = PageIndex(form.get(), "Host widgets");
  ASSERT_GE(page, 0);
  form->SelectPage(page);
  // Tall enough for the whole page, which has grown past the default height.
  form->SetBounds(0, 0, 1344, 1200);
  Pump();
  TScrollBox* box = form->PageHost(page);
  EXPECT_FALSE(box->VertScrollBar().Shown());
  form->SetBounds(0, 0, 800, 600);
  Pump();
  ASSERT_TRUE(box->VertScrollBar().Shown());
  const int64_t most = box->VertScrollBar().Max();
  EXPECT_GT(most, 0);
  Wheel(form.get(), 400, 300, -120);
  EXPECT_GT(box->ScrollPosY(), 0);
  form->SetBounds(0, 0, 800, 700);
  Pump();
  EXPECT_EQ(box->VertScrollBar().Max(), most - 100);
  // Too small a window is held at the minimum size.
  form->SetBounds(0, 0, 300, 200);
  EXPECT_EQ(form->Width(), 640);
  EXPECT_EQ(form->Height(), 400);
}

TEST_F(Gallery, EveryTabStaysInViewAtTheMinimumWidth) {
  auto form = std::make_unique<gallery::TGalleryForm>(nullptr);
  form->Show();
  form->SetBounds(0, 0, 640, 400);
  Pump();
  auto* tabs = static_cast<gallery::TGalleryTabs*>(form->Controls(0));
  std::set<int> seen;
  for (int x = 0; x < tabs->Width(); ++x) seen.insert(tabs->TabAt(x));
  for (int i = 0; i < form->PageCount(); ++i) EXPECT_TRUE(seen.count(i)) << form->PageTitle(i);
}

TEST_F(Gallery, SwitchingPagesTakesTheFocusOffTheHiddenPage) {
  auto form = std::make_unique<gallery::TGalleryForm>(nullptr);
  form->Show();
  Pump();
  const int page = PageIndex(form.get(), "Host widgets");
  ASSERT_GE(page, 0);
  auto* grid = FindControl<TStringGrid>(form->PageHost(page));
  ASSERT_NE(grid, nullptr);
  form->SelectPage(page);
  grid->SetFocus();
  PressKey(form.get(), VK_NEXT, ssCtrl);
  EXPECT_EQ(form->ActiveControl(), nullptr);
  TypeText(form.get(), "x");  // reaches no hidden grid
  EXPECT_FALSE(grid->EditorMode());
}

// The grid menu on the "Host widgets" page, opened by a right click on a cell.
class GalleryGridMenu : public Gallery {
 protected:
  std::unique_ptr<gallery::TGalleryForm> F;
  TStringGrid* G = nullptr;
  TPopupMenu* Menu = nullptr;
  void SetUp() override {
    Gallery::SetUp();
    F = std::make_unique<gallery::TGalleryForm>(nullptr);
    F->Show();
    const int page = PageIndex(F.get(), "Host widgets");
    ASSERT_GE(page, 0);
    F->SelectPage(page);
    Pump();
    G = FindControl<TStringGrid>(F->PageHost(page));
    ASSERT_NE(G, nullptr);
    SetPopupMenuHandler([this](TPopupMenu* m, TControl*, int, int) { Menu = m; });
  }
  void TearDown() override {
    SetPopupMenuHandler({});
    F.reset();
    Gallery::TearDown();
  }
  static void ExpectDistinctAccelerators(TMenuItem* level) {
    std::set<char32_t> seen;
    for (int i = 0; i < level->Count(); ++i) {
      TMenuItem* item = level->Items(i);
      if (char32_t a = item->AccelChar()) {
        EXPECT_TRUE(seen.insert(a).second) << "shared accelerator in " << item->Caption();
      }
      if (item->Count() > 0) ExpectDistinctAccelerators(item);
    }
  }
};

TEST_F(GalleryGridMenu, NoTwoEntriesShareAnAccelerator) {
  ASSERT_NE(G->PopupMenu(), nullptr);
  ExpectDistinctAccelerators(G->PopupMenu()->Items());
}

TEST_F(GalleryGridMenu, CopyRowCopiesTheClickedRowTabSeparated) {
  const TRect cell = G->CellRect(2, 3);
  Click(G, cell.Left + 4, cell.Top + 4, mbRight);
  ASSERT_NE(Menu, nullptr);
  EXPECT_EQ(G->Row(), 3);
  Clipboard()->SetAsText("");
  TMenuItem* copy = Menu->Items()->Find("Copy row");
  ASSERT_NE(copy, nullptr);
  copy->Click();
  EXPECT_EQ(Clipboard()->AsText(), "Load\t0.85\tA\t");
}

}  // namespace
