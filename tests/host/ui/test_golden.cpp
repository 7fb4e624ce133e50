// The golden-image check of the test helpers: a form of plain shapes matches
// its reviewed picture, and a one-pixel change is caught and kept for review.
#include <filesystem>

#include "host/ui/Forms.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

class Shapes : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  void Paint() override {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(clYellow);
    c->Pen()->SetColor(clNavy);
    c->Rectangle(0, 0, Width(), Height());
    c->Brush()->SetColor(clRed);
    c->Ellipse(10, 10, 50, 40);
    c->MoveTo(0, Height() - 1);
    c->LineTo(Width(), 0);
  }
};

class Golden : public HeadlessTest {};

TEST_F(Golden, PlainShapesMatchTheirPictureAndAChangeIsCaught) {
  Form()->SetBounds(0, 0, 120, 80);
  Form()->SetColor(clSilver);
  Make<Shapes>(20, 10, 80, 60);
  Pump();
  ASSERT_TRUE(MatchesGolden(Form(), "host-ui-shapes"));
  if (std::getenv("ZEL_UPDATE_GOLDEN")) GTEST_SKIP() << "rewriting golden images";
  Form()->Framebuffer()->Canvas()->SetPixels(60, 40, clLime);
  auto actual =
      std::filesystem::path(std::getenv("ZEL_SOURCE_DIR") ? std::getenv("ZEL_SOURCE_DIR") : ".") /
      "out" / "golden-actual" / "host-ui-shapes.png";
  std::filesystem::remove(actual);
  auto result = MatchesGolden(Form(), "host-ui-shapes");
  EXPECT_FALSE(result);
  EXPECT_NE(std::string(result.message()).find("(60, 40)"), std::string::npos) << result.message();
  EXPECT_TRUE(std::filesystem::exists(actual));
  std::filesystem::remove(actual);
}

}  // namespace
