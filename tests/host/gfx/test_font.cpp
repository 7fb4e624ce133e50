// TFont properties, face choice, metrics and font handles.
#include <gtest/gtest.h>

#include "host/gfx/FontFace.h"
#include "host/gfx/Graphics.h"

using namespace host;

namespace {

std::unique_ptr<TFont> MakeFont(const std::string& name, int size, TFontStyles style = 0) {
  auto f = std::make_unique<TFont>();
  f->SetName(name);
  f->SetSize(size);
  f->SetStyle(style);
  return f;
}

int Width(const std::unique_ptr<TFont>& f, const std::string& s) { return f->Face().TextWidth(s); }

}  // namespace

TEST(Font, SizeAndHeightFollowEachOtherAt96Dpi) {
  TFont f;
  EXPECT_EQ(f.Size(), 8);
  f.SetSize(11);
  EXPECT_EQ(f.Height(), -15);
  f.SetHeight(-20);
  EXPECT_EQ(f.Size(), 15);
  f.SetHeight(30);  // a positive height is the whole cell
  EXPECT_EQ(f.Face().CellHeight(), 30);
}

TEST(Font, CellHeightMatchesThePlatformFonts) {
  // The stand-in faces share their originals' Windows metrics, so the cells the
  // controls lay out with come out as on the platform.
  EXPECT_EQ(MakeFont("Arial", 11)->Face().CellHeight(), 17);
  EXPECT_EQ(MakeFont("Tahoma", 8)->Face().CellHeight(), 13);
  const auto arial = MakeFont("Arial", 11);
  EXPECT_EQ(arial->Face().Ascent() + arial->Face().Descent(), 17);
  EXPECT_GT(arial->Face().Ascent(), arial->Face().Descent());
}

TEST(Font, WidthIsTheSumOfAdvances) {
  const auto f = MakeFont("Arial", 11);
  EXPECT_EQ(Width(f, ""), 0);
  EXPECT_EQ(Width(f, "abc") + Width(f, "XYZ 123"), Width(f, "abcXYZ 123"));
  // No kerning: "AV" is exactly its two letters.
  EXPECT_EQ(Width(f, "AV"), Width(f, "A") + Width(f, "V"));
  EXPECT_GE(Width(MakeFont("Arial", 11, fsBold), "Hello"), Width(f, "Hello"));
  EXPECT_GT(Width(MakeFont("Arial", 20), "Hello"), Width(f, "Hello"));
  // A fixed-pitch face gives every character the same advance.
  const auto mono = MakeFont("Courier New", 10);
  EXPECT_EQ(Width(mono, "iiii"), Width(mono, "WWWW"));
}

TEST(Font, Utf8TextIsMeasuredByCharacter) {
  const auto f = MakeFont("Arial", 11);
  FontFace& face = f->Face();
  EXPECT_EQ(Width(f, "ÜÄ"), face.Glyph(U'Ü').Advance + face.Glyph(U'Ä').Advance);
  // Broken sequences count as one replacement character per bad byte and never
  // read past the end.
  const int replacement = face.Glyph(0xFFFD).Advance;
  EXPECT_EQ(Width(f, "\xC3"), replacement);
  EXPECT_EQ(Width(f, "a\xE2\x82"), Width(f, "a") + 2 * replacement);
  EXPECT_EQ(Width(f, "\xC0\xAF"), 2 * replacement);      // overlong '/'
  EXPECT_EQ(Width(f, "\xED\xA0\x80"), 3 * replacement);  // a lone surrogate
}

TEST(Font, FamiliesMapToTheInstalledStandIns) {
  EXPECT_EQ(MakeFont("Tahoma", 8)->Face().FamilyName(), "DejaVu Sans");
  EXPECT_EQ(MakeFont("default", 8)->Face().FamilyName(), "DejaVu Sans");
  EXPECT_EQ(MakeFont("", 8)->Face().FamilyName(), "DejaVu Sans");
  EXPECT_EQ(MakeFont("arial", 8)->Face().FamilyName(), "Liberation Sans");
  EXPECT_EQ(MakeFont("Times New Roman", 8)->Face().FamilyName(), "Liberation Serif");
  EXPECT_EQ(MakeFont("Courier New", 8)->Face().FamilyName(), "Liberation Mono");
  // An unknown family still gives a usable face.
  const auto unknown = MakeFont("No Such Family 4711", 10);
  EXPECT_FALSE(unknown->Face().FamilyName().empty());
  EXPECT_GT(unknown->Face().CellHeight(), 0);
  EXPECT_GT(Width(unknown, "abc"), 0);
}

TEST(Font, FacesAreSharedAndGlyphsRenderedOnce) {
  const auto a = MakeFont("Arial", 12), b = MakeFont("Arial", 12);
  EXPECT_EQ(&a->Face(), &b->Face());
  FontFace& face = a->Face();
  Width(a, "cache me");
  const size_t rendered = face.RenderCount();
  Width(b, "cache me");
  EXPECT_EQ(face.RenderCount(), rendered);
  EXPECT_NE(&MakeFont("Arial", 12, fsBold)->Face(), &face);
}

TEST(Font, OnChangeFiresOncePerRealChange) {
  TFont f;
  int changes = 0;
  f.SetOnChange([&](TObject* sender) {
    EXPECT_EQ(sender, &f);
    ++changes;
  });
  f.SetName("Arial");
  f.SetName("Arial");
  f.SetSize(12);
  f.SetSize(12);
  f.SetHeight(f.Height());
  f.SetStyle(fsBold | fsItalic);
  f.SetColor(clRed);
  f.SetOrientation(900);
  f.SetQuality(fqNonAntialiased);
  f.SetPitch(fpFixed);
  EXPECT_EQ(changes, 7);
}

TEST(Font, AssignCopiesEverySettingWithOneNotification) {
  TFont src;
  src.SetName("Courier New");
  src.SetHeight(-19);
  src.SetStyle(fsUnderline);
  src.SetColor(clNavy);
  src.SetOrientation(450);
  src.SetQuality(fqNonAntialiased);
  src.SetPitch(fpFixed);
  TFont dst;
  int changes = 0;
  dst.SetOnChange([&](TObject*) { ++changes; });
  dst.Assign(&src);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(dst.Name(), "Courier New");
  EXPECT_EQ(dst.Height(), -19);
  EXPECT_EQ(dst.Style(), fsUnderline);
  EXPECT_EQ(dst.Color(), clNavy);
  EXPECT_EQ(dst.Orientation(), 450);
  EXPECT_EQ(dst.Quality(), fqNonAntialiased);
  EXPECT_EQ(dst.Pitch(), fpFixed);
  EXPECT_EQ(dst.Face().Orientation(), 450);
  dst.Assign(&src);
  EXPECT_EQ(changes, 1);
  TPen pen;
  EXPECT_THROW(dst.Assign(&pen), EConvertError);
}

TEST(FontHandle, DescriptionRoundTripsThroughAHandle) {
  auto f = MakeFont("Arial", 11, fsBold | fsStrikeOut);
  f->SetQuality(fqAntialiased);
  LOGFONTW lf;
  ASSERT_EQ(GetObjectW(f->Handle(), sizeof(lf), &lf), int(sizeof(lf)));
  EXPECT_EQ(lf.lfHeight, -15);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfStrikeOut, 1);
  EXPECT_EQ(lf.lfItalic, 0);
  EXPECT_EQ(lf.lfQuality, ANTIALIASED_QUALITY);
  EXPECT_EQ(std::wstring(lf.lfFaceName), L"Arial");

  // What a rotated label does: turn the description and hand it back.
  lf.lfEscapement = lf.lfOrientation = -300;
  lf.lfQuality = NONANTIALIASED_QUALITY;
  lf.lfPitchAndFamily = FIXED_PITCH;
  int changes = 0;
  f->SetOnChange([&](TObject*) { ++changes; });
  const HFONT turned = CreateFontIndirectW(&lf);
  f->SetHandle(turned);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(f->Handle(), turned);
  EXPECT_EQ(f->Orientation(), -300);
  EXPECT_EQ(f->Quality(), fqNonAntialiased);
  EXPECT_EQ(f->Pitch(), fpFixed);
  EXPECT_EQ(f->Style(), fsBold | fsStrikeOut);
  EXPECT_EQ(f->Name(), "Arial");
  EXPECT_EQ(f->Face().Orientation(), 3300);
  EXPECT_EQ(GetObjectW(turned, 0, nullptr), int(sizeof(LOGFONTW)));

  // Face names hold whole characters and are cut to fit.
  f->SetName("Zürich " + std::string(40, 'x'));
  GetObjectW(f->Handle(), sizeof(lf), &lf);
  EXPECT_EQ(std::wstring(lf.lfFaceName), L"Zürich " + std::wstring(LF_FACESIZE - 8, L'x'));
  TFont g;
  g.SetHandle(CreateFontIndirectW(&lf));
  EXPECT_EQ(g.Name(), "Zürich " + std::string(LF_FACESIZE - 8, 'x'));
}

TEST(FontHandle, EqualDescriptionsShareOneCountedHandle) {
  LOGFONTW lf;
  lf.lfHeight = -13;
  lf.lfWeight = FW_NORMAL;
  std::wcscpy(lf.lfFaceName, L"Handle Test");
  const HFONT a = CreateFontIndirectW(&lf);
  const HFONT b = CreateFontIndirectW(&lf);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a, b);
  EXPECT_TRUE(DeleteObject(a));
  EXPECT_NE(GetObjectW(b, sizeof(lf), &lf), 0);  // one reference left
  EXPECT_TRUE(DeleteObject(b));
  EXPECT_EQ(GetObjectW(b, sizeof(lf), &lf), 0);
  EXPECT_FALSE(DeleteObject(b));
  // The slot is reused, but the old handle stays dead.
  const HFONT c = CreateFontIndirectW(&lf);
  EXPECT_NE(c, a);
  EXPECT_FALSE(DeleteObject(a));
  EXPECT_TRUE(DeleteObject(c));
  EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
  EXPECT_EQ(GetObjectW(nullptr, sizeof(lf), &lf), 0);
}

TEST(FontHandle, FontsReleaseTheirHandlesAndSurviveMisuse) {
  HFONT h;
  {
    auto f = MakeFont("Arial", 9);
    h = f->Handle();
    EXPECT_EQ(f->Handle(), h);
    f->SetSize(10);  // the old description's handle goes with the change
    EXPECT_EQ(GetObjectW(h, 0, nullptr), 0);
    h = f->Handle();
  }
  EXPECT_EQ(GetObjectW(h, 0, nullptr), 0);

  auto f = MakeFont("Arial", 9);
  const HFONT mine = f->Handle();
  DeleteObject(mine);  // someone else releases the font's handle
  const HFONT fresh = f->Handle();
  EXPECT_NE(GetObjectW(fresh, 0, nullptr), 0);
  EXPECT_THROW(f->SetHandle(mine), EInvalidOperation);
  EXPECT_EQ(f->Handle(), fresh);
  f->SetHandle(nullptr);
  EXPECT_EQ(GetObjectW(fresh, 0, nullptr), 0);
}
