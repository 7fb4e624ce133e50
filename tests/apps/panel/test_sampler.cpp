// The panel's sampling on /proc trees recorded from a real machine a second
// apart (t0, t1), one with files missing (trimmed) and one full of lines that
// are not what the kernel writes (garbage).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "apps/panel/Sampler.h"
#include "tests/support/ScratchDir.h"

using namespace panel;

namespace {

std::string Snapshot(const std::string& name) {
  const char* src = std::getenv("ZEL_SOURCE_DIR");
  return (std::filesystem::path(src ? src : ".") / "tests" / "data" / "proc" / name).string();
}

TProcSnapshot Read(const std::string& name, double time = 0) {
  return ReadSnapshot(Snapshot(name), time);
}

}  // namespace

TEST(SamplerParse, ReadsEveryFileOfARecordedMachine) {
  const TProcSnapshot s = Read("t0");
  ASSERT_TRUE(s.Cpu.Value) << s.Cpu.Message;
  EXPECT_EQ(s.Cpu.Value->Cores.size(), 2u);
  EXPECT_EQ(s.Cpu.Value->Cores[1].Id, 1);
  // cpu  1156519 19828 131888 705337 6396 0 1909 194 0 0
  EXPECT_EQ(s.Cpu.Value->All.Total, 1156519u + 19828 + 131888 + 705337 + 6396 + 1909 + 194);
  EXPECT_EQ(s.Cpu.Value->All.Busy, 1156519u + 19828 + 131888 + 1909 + 194);
  ASSERT_TRUE(s.Memory.Value);
  EXPECT_EQ(s.Memory.Value->TotalKiB, 24683752u);
  EXPECT_EQ(s.Memory.Value->UsedKiB(), 24683752u - 23888160u);
  ASSERT_TRUE(s.Load.Value);
  EXPECT_DOUBLE_EQ(s.Load.Value->One, 3.82);
  EXPECT_DOUBLE_EQ(s.Load.Value->Fifteen, 3.64);
  EXPECT_EQ(s.Load.Value->Running, 2);
  EXPECT_EQ(s.Load.Value->Tasks, 139);
  // Of vda, zram0 and the loop devices only the real disk counts.
  ASSERT_TRUE(s.Disk.Value);
  ASSERT_EQ(s.Disk.Value->size(), 1u);
  EXPECT_EQ((*s.Disk.Value)[0].Name, "vda");
  EXPECT_EQ((*s.Disk.Value)[0].In, 12234954u);
  EXPECT_EQ((*s.Disk.Value)[0].Out, 151667504u);
  // Loopback stays out; the other interfaces are all there.
  ASSERT_TRUE(s.Net.Value);
  for (const auto& d : *s.Net.Value) EXPECT_NE(d.Name, "lo");
  ASSERT_EQ(s.Net.Value->size(), 3u);
  EXPECT_EQ((*s.Net.Value)[2].Name, "eth0");
  EXPECT_EQ((*s.Net.Value)[2].In, 31727502u);
  EXPECT_EQ((*s.Net.Value)[2].Out, 46887u);
  for (const std::string* m :
       {&s.Cpu.Message, &s.Memory.Message, &s.Load.Message, &s.Disk.Message, &s.Net.Message})
    EXPECT_EQ(*m, "");
}

TEST(SamplerParse, SkipsGarbageLinesAndKeepsTheGoodOnes) {
  const TProcSnapshot s = Read("garbage");
  ASSERT_TRUE(s.Cpu.Value);
  // "cpuX", the line with "forty" and the bare "cpu" are skipped; cpu1 is taken once.
  ASSERT_EQ(s.Cpu.Value->Cores.size(), 2u);
  EXPECT_EQ(s.Cpu.Value->Cores[1].Times.Total, 500u);
  EXPECT_EQ(s.Cpu.Value->All.Busy, 150u);
  // sda1 is a partition of sda, loop0 no disk; the short and lettered lines are junk.
  ASSERT_TRUE(s.Disk.Value);
  ASSERT_EQ(s.Disk.Value->size(), 1u);
  EXPECT_EQ((*s.Disk.Value)[0].In, 200u);
  ASSERT_TRUE(s.Net.Value);
  ASSERT_EQ(s.Net.Value->size(), 1u);
  EXPECT_EQ((*s.Net.Value)[0].Name, "eth0");
}

TEST(SamplerParse, AFileWithNothingUsableMakesItsChannelUnavailable) {
  const TProcSnapshot s = Read("garbage");
  EXPECT_FALSE(s.Memory.Value);
  EXPECT_EQ(s.Memory.Message, Snapshot("garbage") + "/meminfo holds no memory total");
  EXPECT_FALSE(s.Load.Value);  // "nan nan nan" is no load
  EXPECT_NE(s.Load.Message, "");
  EXPECT_FALSE(ParseStat("intr 1 2 3\nctxt 5\n"));
  EXPECT_FALSE(ParseDiskStats(""));
  EXPECT_FALSE(ParseNetDev("Inter-|   Receive\n face |bytes\n"));
  EXPECT_FALSE(ParseLoadAvg("-1 0.5 0.5\n"));
}

TEST(SamplerParse, MissingFilesLeaveTheirChannelsUnavailableAndTheRestWorking) {
  const TProcSnapshot s = Read("trimmed");
  EXPECT_TRUE(s.Cpu.Value);
  EXPECT_TRUE(s.Load.Value);
  EXPECT_FALSE(s.Memory.Value);
  EXPECT_EQ(s.Memory.Message, Snapshot("trimmed") + "/meminfo is missing");
  EXPECT_FALSE(s.Disk.Value);
  EXPECT_EQ(s.Net.Message, Snapshot("trimmed") + "/net/dev is missing");
  const TProcSnapshot none = ReadSnapshot("/nonexistent-proc-root", 0);
  EXPECT_FALSE(none.Cpu.Value || none.Memory.Value || none.Load.Value || none.Disk.Value ||
               none.Net.Value);
}

TEST(SamplerParse, ADirectoryInPlaceOfAFileIsUnreadableNotACrash) {
  const zeltest::TScratchDir root("zel-panel-dir-as-file");
  std::filesystem::create_directories(root / "stat");
  const TProcSnapshot s = ReadSnapshot(root.Path().string(), 0);
  EXPECT_FALSE(s.Cpu.Value);
  EXPECT_NE(s.Cpu.Message, "");
}

TEST(SamplerParse, ADeviceListedTwiceCountsOnce) {
  auto net = ParseNetDev(
      "eth0: 100 0 0 0 0 0 0 0 200 0 0 0 0 0 0 0\n"
      "eth0: 900 0 0 0 0 0 0 0 900 0 0 0 0 0 0 0\n");
  ASSERT_TRUE(net);
  ASSERT_EQ(net->size(), 1u);
  EXPECT_EQ((*net)[0].In, 100u);
  auto disk = ParseDiskStats(
      "8 0 sda 1 0 10 0 0 0 20 0 0 0 0 0 0 0\n8 0 sda 1 0 99 0 0 0 99 0 0 0 0 0 0 0\n");
  ASSERT_TRUE(disk);
  ASSERT_EQ(disk->size(), 1u);
  EXPECT_EQ((*disk)[0].In, 10u);
}

TEST(SamplerParse, MemoryWithoutMemAvailableCountsFreeBuffersAndCache) {
  auto m = ParseMemInfo("MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\nCached: 250 kB\n");
  ASSERT_TRUE(m);
  EXPECT_EQ(m->AvailableKiB, 400u);
  EXPECT_EQ(m->UsedKiB(), 600u);
  EXPECT_FALSE(ParseMemInfo("MemTotal: 0 kB\nMemAvailable: 0 kB\n"));  // no percentage of zero
}

TEST(SamplerRates, TwoRecordedReadingsASecondApart) {
  const TProcSnapshot a = Read("t0", 10.0), b = Read("t1", 11.0);
  const TSample s = Derive(&a, b);
  // cpu: +27 user +89 nice +25 system +63 idle: 141 of 204 ticks busy.
  ASSERT_TRUE(s.CpuPercent);
  EXPECT_NEAR(*s.CpuPercent, 100.0 * 141 / 204, 1e-9);
  ASSERT_EQ(s.Cores.size(), 2u);
  EXPECT_NEAR(*s.Cores[0].Percent, 100.0 * 55 / 102, 1e-9);
  EXPECT_NEAR(*s.Cores[1].Percent, 100.0 * 86 / 102, 1e-9);
  // vda: +264 sectors read, +16408 written, of 512 bytes.
  EXPECT_DOUBLE_EQ(*s.DiskReadKiBs, 132.0);
  EXPECT_DOUBLE_EQ(*s.DiskWriteKiBs, 8204.0);
  EXPECT_DOUBLE_EQ(*s.NetRxKiBs, 0.0);
  EXPECT_NEAR(*s.MemPercent, 100.0 * (24683752 - 23875780) / 24683752.0, 1e-9);
  for (int c = 0; c < kChannelCount; ++c) EXPECT_TRUE(s.Available(TChannel(c)));
}

TEST(SamplerRates, ASingleReadingHasValuesButNoRatesYet) {
  const TSample s = Derive(nullptr, Read("t0"));
  EXPECT_FALSE(s.CpuPercent);
  EXPECT_FALSE(s.DiskReadKiBs);
  EXPECT_FALSE(s.NetTxKiBs);
  EXPECT_TRUE(s.MemPercent);
  EXPECT_TRUE(s.Load);
  EXPECT_TRUE(s.Available(chCpu));  // waiting, not unavailable
  ASSERT_EQ(s.Cores.size(), 2u);
  EXPECT_FALSE(s.Cores[0].Percent);
}

TEST(SamplerRates, CountersWrapAt32BitsOrResetWithoutASpike) {
  constexpr uint64_t top = uint64_t(1) << 32;
  EXPECT_EQ(CounterDelta(100, 250), 150u);
  EXPECT_EQ(CounterDelta(top - 100, 50), 150u);  // wrapped past 2^32
  EXPECT_EQ(CounterDelta(5000, 20), 0u);         // reset: an interface re-created
  EXPECT_EQ(CounterDelta(top * 8, 20), 0u);      // 64-bit counters do not wrap in practice

  TProcSnapshot a, b;
  a.Time = 1;
  b.Time = 3;
  a.Net.Value = {{"eth0", top - 1024, 0}, {"wlan0", 4096, 4096}};
  b.Net.Value = {{"eth0", 1024, 0}, {"wlan0", 0, 0}};
  const TSample s = Derive(&a, b);
  EXPECT_DOUBLE_EQ(*s.NetRxKiBs, 1.0);  // 2 KiB over 2 s; wlan0's reset adds nothing
  EXPECT_DOUBLE_EQ(*s.NetTxKiBs, 0.0);
}

TEST(SamplerRates, ACoreComingOnlineHasNoRateUntilItsSecondReading) {
  TProcSnapshot a, b;
  a.Time = 0;
  b.Time = 1;
  a.Cpu.Value = ParseStat("cpu 100 0 0 100 0\ncpu0 100 0 0 100 0\n");
  b.Cpu.Value = ParseStat("cpu 250 0 0 200 0\ncpu0 150 0 0 150 0\ncpu2 100 0 0 100 0\n");
  const TSample s = Derive(&a, b);
  ASSERT_EQ(s.Cores.size(), 2u);
  EXPECT_NEAR(*s.Cores[0].Percent, 50.0, 1e-9);
  EXPECT_EQ(s.Cores[1].Id, 2);
  EXPECT_FALSE(s.Cores[1].Percent);
  // A disk that appears is left out of the sum rather than counted from zero.
  a.Disk.Value = {{"sda", 0, 0}};
  b.Disk.Value = {{"sda", 2, 0}, {"sdb", 1'000'000, 0}};
  EXPECT_DOUBLE_EQ(*Derive(&a, b).DiskReadKiBs, 1.0);
}

TEST(SamplerRates, NoClockTickBetweenReadingsGivesNoCpuFigureNotADivisionByZero) {
  TProcSnapshot a;
  a.Cpu.Value = ParseStat("cpu 100 0 0 100 0\n");
  // iowait stepping back, as some kernels let it, must not read as time gone by.
  TProcSnapshot b = a;
  b.Time = 1;
  EXPECT_FALSE(Derive(&a, b).CpuPercent);
  b.Cpu.Value = ParseStat("cpu 100 0 0 100 0\n");
  a.Cpu.Value = ParseStat("cpu 100 0 0 100 7\n");
  EXPECT_FALSE(Derive(&a, b).CpuPercent);
}

TEST(SamplerRates, QuickSamplesMeasureAgainstTheBaselineUntilTheMinimumIntervalPassed) {
  const zeltest::TScratchDir scratch("zel-panel-baseline");
  const std::filesystem::path root = scratch.Path();
  auto writeDisk = [&](int sectorsRead) {
    std::ofstream(root / "diskstats")
        << "   8 0 sda 1 0 " << sectorsRead << " 0 0 0 0 0 0 0 0 0 0 0 0\n";
  };
  TSampler sampler(root.string(), 0.5);
  writeDisk(0);
  EXPECT_FALSE(sampler.Sample(0.0).DiskReadKiBs);
  writeDisk(2);
  EXPECT_DOUBLE_EQ(*sampler.Sample(0.25).DiskReadKiBs, 4.0);  // 1 KiB in 0.25 s
  writeDisk(4);
  // Still against the reading at 0 s: 2 KiB in 0.5 s; then the baseline moves on.
  EXPECT_DOUBLE_EQ(*sampler.Sample(0.5).DiskReadKiBs, 4.0);
  writeDisk(6);
  EXPECT_DOUBLE_EQ(*sampler.Sample(1.0).DiskReadKiBs, 2.0);  // 1 KiB in 0.5 s
  EXPECT_FALSE(sampler.Sample(1.2).Available(chCpu));        // no stat file here at all
}
