// The panel form on the headless backend, over recorded and made-up /proc
// trees: it renders, logs a row a second, shows unreadable sources as
// unavailable, watches its limits and exports its log.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "apps/panel/Panel.h"
#include "apps/panel/PanelStyle.h"
#include "host/backend/Headless.h"
#include "host/gfx/Graphics.h"
#include "host/ui/DateTime.h"
#include "host/ui/Windows.h"
#include "instruments/ZEL_onoffbut.h"
#include "labels/ZEL_RasterLab.h"
#include "ntabed/ZEL_ntabed.h"
#include "replist/ZEL_replist_view.h"
#include "tests/support/Headless.h"
#include "tests/support/ScratchDir.h"

using namespace panel;
namespace fs = std::filesystem;

namespace {

std::string Snapshot(const std::string& name) {
  const char* src = std::getenv("ZEL_SOURCE_DIR");
  return (fs::path(src ? src : ".") / "tests" / "data" / "proc" / name).string();
}

// A /proc tree of the test's own, written file by file.
struct TFakeProc {
  zeltest::TScratchDir Dir{"zel-panel-fake-proc"};
  fs::path Root = Dir.Path();
  TFakeProc() { fs::create_directories(Root / "net"); }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(Root / name) << text;
  }
  void Memory(int totalKiB, int availableKiB) const {
    Write("meminfo", "MemTotal: " + std::to_string(totalKiB) +
                         " kB\nMemAvailable: " + std::to_string(availableKiB) + " kB\n");
  }
};

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    zeltest::StartHeadless();
    host::SetNowForTesting(host::EncodeDateTime({2026, 3, 1, 12, 0, 0, 0}));
  }
  void TearDown() override {
    host::ClearNowForTesting();
    host::ResetApplication(std::make_unique<host::THeadlessBackend>(true));
  }
  TPanelForm* Open(const std::string& root) {
    auto* f = new TPanelForm(host::Application, root);
    f->Show();
    f->Start();
    zeltest::Pump();
    return f;
  }
  static bool Contains(const std::vector<std::string>& v, const std::string& part) {
    for (const std::string& s : v)
      if (s.find(part) != std::string::npos) return true;
    return false;
  }
};

}  // namespace

TEST_F(PanelTest, RendersHeadlessAfterSecondsOfSamplesOnTheVirtualClock) {
  TPanelForm* f = Open("/proc");
  for (int i = 0; i < 4; ++i) zeltest::Advance(1000);
  EXPECT_EQ(f->Samples(), 5);
  EXPECT_EQ(f->Log()->NrOfRows(), 5);
  // Newest first, stamped a second apart on the loop's clock.
  EXPECT_EQ(f->Log()->Elem(1, 1), "2026-03-01 12:00:04");
  EXPECT_EQ(f->Log()->Elem(1, 5), "2026-03-01 12:00:00");
  const zeltest::TScratchDir dir("zel-panel-test");
  const fs::path png = dir / "panel.png";
  zeltest::SavePng(f, png.string());
  host::TBitmap b;
  b.LoadFromFile(png.string());
  EXPECT_EQ(b.Width(), f->ClientWidth());
  // The ground, a group and the status line's dots are all there.
  EXPECT_EQ(zeltest::PixelAt(f, 2, 2), kGround);
  EXPECT_EQ(zeltest::PixelAt(f->Group(chCpu), 3, 100), kGroupGround);
  EXPECT_NE(zeltest::PixelAt(f->StatusLine(), 10, 10), zeltest::PixelAt(f->StatusLine(), 11, 11));
}

TEST_F(PanelTest, MissingSourcesShowAsUnavailableChannelsWithTheirReason) {
  TPanelForm* f = Open(Snapshot("trimmed"));
  zeltest::Advance(1000);
  EXPECT_EQ(f->Group(chCpu)->Unavailable(), "");
  // The group names the file; the status line says where it was looked for.
  EXPECT_EQ(f->Group(chMemory)->Unavailable(), "meminfo is missing");
  EXPECT_FALSE(f->MemLamp()->Enabled());  // no limit watched without its figure
  EXPECT_TRUE(f->CpuLamp()->Enabled());
  EXPECT_NE(f->Group(chDisk)->Unavailable().find("diskstats is missing"), std::string::npos);
  EXPECT_NE(f->Group(chNet)->Unavailable().find("net/dev is missing"), std::string::npos);
  EXPECT_TRUE(Contains(f->Messages(),
                       "Memory unavailable: " + Snapshot("trimmed") + "/meminfo is missing"));
  // Said once, not every second.
  zeltest::Advance(1000);
  int said = 0;
  for (const std::string& m : f->Messages()) said += m.find("Memory unavailable") != m.npos;
  EXPECT_EQ(said, 1);
  // The log still gets its rows, the missing figures left empty.
  ASSERT_EQ(f->Log()->NrOfRows(), 3);
  EXPECT_EQ(f->Log()->Elem(3, 1), "");
  EXPECT_NE(f->Log()->Elem(4, 1), "");  // the load was there
}

TEST_F(PanelTest, NoProcTreeAtAllStillRunsWithEveryChannelOff) {
  TPanelForm* f = Open("/nonexistent-proc-root");
  EXPECT_NO_THROW(zeltest::Advance(3000));
  EXPECT_EQ(f->Samples(), 4);
  for (int c = 0; c < kChannelCount; ++c) EXPECT_NE(f->Group(TChannel(c))->Unavailable(), "");
}

TEST_F(PanelTest, ASourceThatComesBackIsAnnouncedAndShownAgain) {
  TFakeProc proc;
  proc.Write("loadavg", "0.5 0.4 0.3 1/100 42\n");
  TPanelForm* f = Open(proc.Root.string());
  EXPECT_NE(f->Group(chMemory)->Unavailable(), "");
  proc.Memory(1000, 600);
  zeltest::Advance(1000);
  EXPECT_EQ(f->Group(chMemory)->Unavailable(), "");
  EXPECT_TRUE(f->MemLamp()->Enabled());
  EXPECT_TRUE(Contains(f->Messages(), "Memory available again"));
}

TEST_F(PanelTest, LimitLampsTurnRedWhenCrossedAndBackWithAMessageEachWay) {
  TFakeProc proc;
  proc.Memory(1000, 500);
  TPanelForm* f = Open(proc.Root.string());
  EXPECT_TRUE(f->MemLamp()->OnOff());  // green: within the limit
  proc.Memory(1000, 50);               // 95 % in use
  zeltest::Advance(1000);
  EXPECT_FALSE(f->MemLamp()->OnOff());
  EXPECT_TRUE(Contains(f->Messages(), "Memory over the limit"));
  proc.Memory(1000, 400);
  zeltest::Advance(1000);
  EXPECT_TRUE(f->MemLamp()->OnOff());
  EXPECT_TRUE(Contains(f->Messages(), "Memory back within the limit"));
  EXPECT_NE(f->StatusLine()->Text().find("Memory back within the limit"), std::string::npos);
}

TEST_F(PanelTest, TheFilterKeepsApplyingAsRowsArrive) {
  TPanelForm* f = Open(Snapshot("t0"));
  zeltest::Advance(3000);
  f->FilterBox()->SetText("12:00:0");
  EXPECT_EQ(f->Log()->NumVisibleRows(), 4);
  f->FilterBox()->SetText("12:00:03");
  EXPECT_EQ(f->Log()->NumVisibleRows(), 1);
  zeltest::Advance(1000);  // 12:00:04 arrives and is filtered out at once
  EXPECT_EQ(f->Log()->NrOfRows(), 5);
  EXPECT_EQ(f->Log()->NumVisibleRows(), 1);
}

TEST_F(PanelTest, ASortedLogStaysSortedAsRowsArrive) {
  TPanelForm* f = Open(Snapshot("t0"));
  zeltest::Advance(2000);
  f->Log()->Sort(1, -1, true);  // oldest first
  zeltest::Advance(2000);
  EXPECT_EQ(f->Log()->Elem(1, 1), "2026-03-01 12:00:00");
  EXPECT_EQ(f->Log()->Elem(1, 5), "2026-03-01 12:00:04");
}

TEST_F(PanelTest, ExportsWriteTheLogToTheFolderAndAFailureIsReported) {
  TPanelForm* f = Open(Snapshot("t0"));
  zeltest::Advance(1000);
  const zeltest::TScratchDir scratch("zel-panel-export-test");
  const fs::path dir = scratch / "exports";
  f->SetExportFolder(dir.string());
  const std::string csv = f->ExportLog(false);
  ASSERT_EQ(csv, (dir / "panel-log.csv").string());
  std::ifstream in(csv);
  std::string header, row;
  std::getline(in, header);
  std::getline(in, row);
  EXPECT_NE(header.find("CPU %"), std::string::npos);
  EXPECT_EQ(row.rfind("2026-03-01 12:00:01", 0), 0u) << row;
  const std::string xml = f->ExportLog(true);
  EXPECT_TRUE(fs::exists(xml));
  // A file where the folder should be: nothing written, and said so.
  fs::remove_all(dir);
  std::ofstream(dir.string()) << "in the way";
  EXPECT_EQ(f->ExportLog(false), "");
  EXPECT_TRUE(Contains(f->Messages(), "Export failed"));
}

TEST_F(PanelTest, TheHistoryHoldsOneRowAMinuteNewestFirst) {
  TFakeProc proc;
  proc.Memory(1000, 900);
  TPanelForm* f = Open(proc.Root.string());
  for (int i = 0; i < 59; ++i) zeltest::Advance(1000);
  proc.Memory(1000, 500);
  zeltest::Advance(1000);  // the first sample of the second minute
  EXPECT_EQ(f->History()->RowName(1), "12:01");
  EXPECT_EQ(f->History()->RowName(2), "12:00");
  EXPECT_DOUBLE_EQ(f->History()->Elem(2, 2), 10.0);  // the first minute's mean memory %
  EXPECT_DOUBLE_EQ(f->History()->Elem(2, 1), 50.0);
  EXPECT_TRUE(f->History()->IsEmpty(2, 3));  // no row for a third minute yet
}

TEST_F(PanelTest, NoTimerRaisesTheComponentMessage) {
  auto* f = new TPanelForm(host::Application, Snapshot("t0"));
  host::FailNextSetTimers();
  try {
    f->Start();
    FAIL() << "no exception";
  } catch (const zel::EZELError& e) {
    EXPECT_STREQ(e.what(), "Component \"Panel\": no timer available");
  }
}

TEST(PanelCoreGrid, EveryCoreBarFitsTheBoxAndThoseThatCannotAreLeftOut) {
  const TCoreGrid two = LayCoreGrid(2, 224, 216);
  EXPECT_EQ(two.Shown, 2);
  EXPECT_EQ(two.Columns, 1);
  EXPECT_EQ(two.Pitch, 28);  // a few cores get full-height bars, not stretched ones
  for (int cores : {17, 64, 128, 256, 1024}) {
    const TCoreGrid g = LayCoreGrid(cores, 224, 216);
    EXPECT_LE(g.PerColumn * g.Pitch, 216) << cores;
    EXPECT_LE(g.Columns * g.ColumnWidth, 224) << cores;
    EXPECT_EQ(g.Shown, std::min(cores, g.Columns * g.PerColumn)) << cores;
    EXPECT_GE(g.Pitch, 6) << cores;
  }
  EXPECT_EQ(LayCoreGrid(128, 224, 216).Shown, 128);
  EXPECT_LT(LayCoreGrid(256, 224, 216).Shown, 256);
  EXPECT_EQ(LayCoreGrid(0, 224, 216).Shown, 0);
}
