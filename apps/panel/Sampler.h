// The panel's measurements: the kernel's counters read from a /proc tree and
// turned into the figures an operator reads (percent busy, KiB/s).
//
// Pure logic, no window: the parsers take the text of one file, the reader
// takes a root directory (the real /proc, or a recorded snapshot in a test),
// and the rates come from two readings. Nothing here throws: a file that is
// missing, unreadable or holds nothing usable leaves its channel unavailable
// with a message that says why, and the other channels go on.
//
// The counters are cumulative, so every figure but memory and load needs two
// readings. Counters are compared per CPU and per device, so a core coming
// online or a disk appearing between two readings never turns into a spike: a
// newcomer has no rate until its second reading. A counter that goes backwards
// either wrapped at 32 bits (old or 32-bit kernels) or was reset (a device
// re-created); the first is carried over, the second counts as no traffic.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panel {

// The sources, in the order the panel shows them.
enum TChannel { chCpu, chMemory, chLoad, chDisk, chNet };
constexpr int kChannelCount = 5;
// "CPU", "Memory", "Load", "Disk", "Network".
const char* ChannelName(TChannel c);

// One CPU line of /proc/stat, reduced to what usage needs (clock ticks).
struct TCpuTimes {
  uint64_t Busy = 0;   // everything but idle and iowait
  uint64_t Total = 0;  // user .. steal; guest time is already inside user and nice
};

struct TCpuCounters {
  TCpuTimes All;  // the "cpu" line
  struct Core {
    int Id = 0;  // N of "cpuN"; offline cores are missing, so ids may have gaps
    TCpuTimes Times;
  };
  std::vector<Core> Cores;  // in file order
};

struct TMemInfo {
  uint64_t TotalKiB = 0;
  uint64_t AvailableKiB = 0;  // MemAvailable, or free + buffers + cached before it existed
  uint64_t UsedKiB() const { return TotalKiB > AvailableKiB ? TotalKiB - AvailableKiB : 0; }
};

struct TLoadAvg {
  double One = 0, Five = 0, Fifteen = 0;
  int Running = 0, Tasks = 0;
};

// Cumulative counters of one device as the kernel keeps them: a disk counts
// sectors of 512 bytes (whatever its real sector size), an interface bytes.
// Kept raw so that a 32-bit wrap is seen on the counter that wrapped.
struct TDeviceCounters {
  std::string Name;
  uint64_t In = 0;   // disk: sectors read; network: bytes received
  uint64_t Out = 0;  // disk: sectors written; network: bytes transmitted
};
constexpr uint64_t kDiskSectorBytes = 512;

// Parsers of one file's text. Lines that do not have the expected shape are
// skipped; nullopt when nothing usable remains.
std::optional<TCpuCounters> ParseStat(std::string_view text);
std::optional<TMemInfo> ParseMemInfo(std::string_view text);
std::optional<TLoadAvg> ParseLoadAvg(std::string_view text);
// Whole physical disks only: partitions, device-mapper and md volumes, loop,
// ram and zram devices would count the same bytes twice or count no disk at all.
std::optional<std::vector<TDeviceCounters>> ParseDiskStats(std::string_view text);
// Every interface but loopback, whose traffic never leaves the machine.
std::optional<std::vector<TDeviceCounters>> ParseNetDev(std::string_view text);

// A value or the reason there is none.
template <class T>
struct TReading {
  std::optional<T> Value;
  std::string Message;  // empty when Value is present
};

// Everything read from one /proc tree at one moment.
struct TProcSnapshot {
  double Time = 0;  // seconds on the caller's monotonic clock
  TReading<TCpuCounters> Cpu;
  TReading<TMemInfo> Memory;
  TReading<TLoadAvg> Load;
  TReading<std::vector<TDeviceCounters>> Disk;
  TReading<std::vector<TDeviceCounters>> Net;
};

// Reads stat, meminfo, loadavg, diskstats and net/dev below `root`.
TProcSnapshot ReadSnapshot(const std::string& root, double time);

// The growth of a cumulative counter from `before` to `after` (see the header
// comment for a counter that went backwards).
uint64_t CounterDelta(uint64_t before, uint64_t after);

// What the panel shows for one moment. A figure is nullopt while it cannot be
// known; Message(c) is then non-empty when the channel is unavailable, and
// empty while it only waits for its second reading.
struct TSample {
  double Time = 0;
  std::optional<double> CpuPercent;
  struct Core {
    int Id = 0;
    std::optional<double> Percent;  // nullopt for a core new since the last reading
  };
  std::vector<Core> Cores;
  std::optional<double> MemPercent;
  uint64_t MemUsedKiB = 0, MemTotalKiB = 0;
  std::optional<TLoadAvg> Load;
  std::optional<double> DiskReadKiBs, DiskWriteKiBs;
  std::optional<double> NetRxKiBs, NetTxKiBs;
  std::string Messages[kChannelCount];
  const std::string& Message(TChannel c) const { return Messages[c]; }
  bool Available(TChannel c) const { return Messages[c].empty(); }
};

// The figures of `cur`, with rates over the interval since `prev` (no rates
// without `prev`).
TSample Derive(const TProcSnapshot* prev, const TProcSnapshot& cur);

// Reads the tree at every Sample and derives against a kept baseline. The
// baseline moves on only once MinInterval seconds have passed, so samples
// taken in quick succession (a headless run on a virtual clock) still measure
// over enough clock ticks to mean something.
class TSampler {
 public:
  explicit TSampler(std::string root = "/proc", double minInterval = 0.5);
  // `now`: seconds on a monotonic clock.
  TSample Sample(double now);
  const std::string& Root() const { return FRoot; }

 private:
  std::string FRoot;
  double FMinInterval;
  std::optional<TProcSnapshot> FBaseline;
};

}  // namespace panel
