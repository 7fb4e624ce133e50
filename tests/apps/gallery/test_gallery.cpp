// The gallery renders every page headless, each with something on it.
#include <filesystem>
#include <set>

#include "apps/gallery/Gallery.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

class Gallery : public HeadlessTest {};

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

TEST_F(Gallery, EmptyFamiliesSayWhatWillArrive) {
  bool some = false;
  for (const auto& p : gallery::Pages())
    if (p.Builders.empty()) {
      some = true;
      EXPECT_NE(p.Placeholder.find("will appear here"), std::string::npos) << p.Title;
    }
  if (!some) GTEST_SKIP() << "every family has its page";
}

}  // namespace
