#include "apps/panel/Sampler.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

namespace panel {

namespace {

// Whitespace-separated fields of one line.
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    size_t j = i;
    while (j < line.size() && line[j] != ' ' && line[j] != '\t') ++j;
    if (j > i) out.push_back(line.substr(i, j - i));
    i = j;
  }
  return out;
}

template <class F>
void ForEachLine(std::string_view text, F f) {
  while (!text.empty()) {
    const size_t end = text.find('\n');
    f(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

// The whole field as a number, or nothing (a sign, a fraction or trailing
// letters make it garbage).
template <class T>
std::optional<T> Number(std::string_view s) {
  T v{};
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

// One "cpu" or "cpuN" line; the id is -1 for the aggregate.
std::optional<std::pair<int, TCpuTimes>> CpuLine(std::string_view line) {
  const auto f = Fields(line);
  if (f.size() < 5 || !StartsWith(f[0], "cpu")) return std::nullopt;
  const std::string_view tail = f[0].substr(3);
  int id = -1;
  if (!tail.empty()) {
    auto n = AllDigits(tail) ? Number<int>(tail) : std::nullopt;
    if (!n) return std::nullopt;
    id = *n;
  }
  // user nice system idle iowait irq softirq steal; guest and guest_nice
  // after them are already counted in user and nice.
  uint64_t v[8] = {};
  for (size_t i = 1; i < f.size() && i <= 8; ++i) {
    auto n = Number<uint64_t>(f[i]);
    if (!n) return std::nullopt;
    v[i - 1] = *n;
  }
  TCpuTimes t;
  for (uint64_t x : v) t.Total += x;
  t.Busy = t.Total - v[3] - v[4];
  return std::pair{id, t};
}

// A disk name whose start is another listed disk followed by a partition
// number ("sda1", "nvme0n1p2", "mmcblk0p1").
bool IsPartition(std::string_view name, const std::vector<std::string>& names) {
  for (const std::string& other : names) {
    if (other.size() >= name.size() || !StartsWith(name, other)) continue;
    std::string_view rest = name.substr(other.size());
    if (rest.front() == 'p') rest.remove_prefix(1);
    if (AllDigits(rest)) return true;
  }
  return false;
}

// A name seen twice is garbage the second time: a rate must pair a device
// with itself.
bool Listed(const std::vector<TDeviceCounters>& devices, std::string_view name) {
  return std::any_of(devices.begin(), devices.end(),
                     [&](const TDeviceCounters& d) { return d.Name == name; });
}

bool IsVirtualDisk(std::string_view name) {
  for (std::string_view p : {"loop", "ram", "zram", "dm-", "md"})
    if (StartsWith(name, p)) return true;
  return false;
}

// The file's text; the message says why there is none. /proc files report a
// size of 0, so the file is read to its end rather than by its size.
std::optional<std::string> ReadFile(const std::filesystem::path& path, std::string& message) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    message = path.string() + " is missing";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  if (in) text << in.rdbuf();
  if (!in || in.bad()) {
    message = path.string() + " cannot be read";
    return std::nullopt;
  }
  return std::move(text).str();
}

template <class T, class Parse>
TReading<T> ReadChannel(const std::filesystem::path& path, Parse parse, const char* what) {
  TReading<T> r;
  auto text = ReadFile(path, r.Message);
  if (!text) return r;
  r.Value = parse(*text);
  if (!r.Value) r.Message = path.string() + " holds no " + what;
  return r;
}

std::optional<double> CpuPercent(const TCpuTimes& before, const TCpuTimes& after) {
  // Clock-tick counters are 64-bit on every kernel; one that steps back (iowait
  // does on some kernels) has not wrapped, so it counts as no time.
  const uint64_t total = after.Total > before.Total ? after.Total - before.Total : 0;
  const uint64_t busy = after.Busy > before.Busy ? after.Busy - before.Busy : 0;
  if (total == 0) return std::nullopt;  // no clock tick in between: nothing measured
  return std::min(100.0, 100.0 * double(busy) / double(total));
}

void DeriveCpu(const TProcSnapshot* prev, const TProcSnapshot& cur, TSample& s) {
  if (!cur.Cpu.Value) return;
  const TCpuCounters* before = prev && prev->Cpu.Value ? &*prev->Cpu.Value : nullptr;
  if (before) s.CpuPercent = CpuPercent(before->All, cur.Cpu.Value->All);
  for (const auto& core : cur.Cpu.Value->Cores) {
    TSample::Core c{core.Id, std::nullopt};
    if (before) {
      auto it = std::find_if(before->Cores.begin(), before->Cores.end(),
                             [&](const auto& b) { return b.Id == core.Id; });
      if (it != before->Cores.end()) c.Percent = CpuPercent(it->Times, core.Times);
    }
    s.Cores.push_back(c);
  }
}

// Summed rates of the devices present in both readings, in KiB/s.
void DeviceRates(const TReading<std::vector<TDeviceCounters>>* prev,
                 const std::vector<TDeviceCounters>& cur, double seconds, uint64_t unit,
                 std::optional<double>& in, std::optional<double>& out) {
  if (!prev || !prev->Value || seconds <= 0) return;
  uint64_t din = 0, dout = 0;
  for (const TDeviceCounters& d : cur) {
    auto it = std::find_if(prev->Value->begin(), prev->Value->end(),
                           [&](const TDeviceCounters& b) { return b.Name == d.Name; });
    if (it == prev->Value->end()) continue;
    din += CounterDelta(it->In, d.In);
    dout += CounterDelta(it->Out, d.Out);
  }
  in = double(din) * double(unit) / 1024.0 / seconds;
  out = double(dout) * double(unit) / 1024.0 / seconds;
}

}  // namespace

const char* ChannelName(TChannel c) {
  static const char* const names[kChannelCount] = {"CPU", "Memory", "Load", "Disk", "Network"};
  return names[c];
}

std::optional<TCpuCounters> ParseStat(std::string_view text) {
  TCpuCounters out;
  bool haveAll = false;
  ForEachLine(text, [&](std::string_view line) {
    auto cpu = CpuLine(line);
    if (!cpu) return;
    if (cpu->first < 0) {
      out.All = cpu->second;
      haveAll = true;
    } else if (std::none_of(out.Cores.begin(), out.Cores.end(),
                            [&](const auto& c) { return c.Id == cpu->first; })) {
      out.Cores.push_back({cpu->first, cpu->second});
    }
  });
  if (!haveAll && out.Cores.empty()) return std::nullopt;
  if (!haveAll)  // the cores alone still tell the whole
    for (const auto& c : out.Cores) {
      out.All.Busy += c.Times.Busy;
      out.All.Total += c.Times.Total;
    }
  return out;
}

std::optional<TMemInfo> ParseMemInfo(std::string_view text) {
  std::optional<uint64_t> total, available, free, buffers, cached;
  ForEachLine(text, [&](std::string_view line) {
    const auto f = Fields(line);
    if (f.size() < 2 || f[0].back() != ':') return;
    const std::string_view key = f[0].substr(0, f[0].size() - 1);
    auto v = Number<uint64_t>(f[1]);
    if (!v) return;
    if (key == "MemTotal") total = v;
    if (key == "MemAvailable") available = v;
    if (key == "MemFree") free = v;
    if (key == "Buffers") buffers = v;
    if (key == "Cached") cached = v;
  });
  if (!total || *total == 0) return std::nullopt;
  if (!available) {  // kernels before 3.14
    if (!free) return std::nullopt;
    available = *free + buffers.value_or(0) + cached.value_or(0);
  }
  return TMemInfo{*total, std::min(*available, *total)};
}

std::optional<TLoadAvg> ParseLoadAvg(std::string_view text) {
  const auto f = Fields(text.substr(0, text.find('\n')));
  if (f.size() < 3) return std::nullopt;
  TLoadAvg l;
  double* dst[3] = {&l.One, &l.Five, &l.Fifteen};
  for (int i = 0; i < 3; ++i) {
    auto v = Number<double>(f[size_t(i)]);
    if (!v || !(*v >= 0) || *v > 1e9) return std::nullopt;  // also rejects nan
    *dst[i] = *v;
  }
  if (f.size() > 3) {
    const size_t slash = f[3].find('/');
    if (slash != std::string_view::npos) {
      l.Running = Number<int>(f[3].substr(0, slash)).value_or(0);
      l.Tasks = Number<int>(f[3].substr(slash + 1)).value_or(0);
    }
  }
  return l;
}

std::optional<std::vector<TDeviceCounters>> ParseDiskStats(std::string_view text) {
  std::vector<TDeviceCounters> all;
  ForEachLine(text, [&](std::string_view line) {
    // major minor name reads merged sectors-read ms writes merged sectors-written ...
    const auto f = Fields(line);
    if (f.size() < 14 || !AllDigits(f[0]) || !AllDigits(f[1])) return;
    auto in = Number<uint64_t>(f[5]), out = Number<uint64_t>(f[9]);
    if (in && out && !Listed(all, f[2])) all.push_back({std::string(f[2]), *in, *out});
  });
  if (all.empty()) return std::nullopt;
  std::vector<std::string> names;
  for (const auto& d : all) names.push_back(d.Name);
  std::vector<TDeviceCounters> disks;
  for (auto& d : all)
    if (!IsVirtualDisk(d.Name) && !IsPartition(d.Name, names)) disks.push_back(std::move(d));
  return disks;
}

std::optional<std::vector<TDeviceCounters>> ParseNetDev(std::string_view text) {
  std::vector<TDeviceCounters> out;
  bool any = false;
  ForEachLine(text, [&](std::string_view line) {
    // "  eth0: rx-bytes packets errs drop fifo frame compressed multicast tx-bytes ..."
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) return;
    const auto name = Fields(line.substr(0, colon));
    const auto f = Fields(line.substr(colon + 1));
    if (name.size() != 1 || f.size() < 16) return;
    auto rx = Number<uint64_t>(f[0]), tx = Number<uint64_t>(f[8]);
    if (!rx || !tx) return;
    any = true;
    if (name[0] != "lo" && !Listed(out, name[0])) out.push_back({std::string(name[0]), *rx, *tx});
  });
  if (!any) return std::nullopt;
  return out;
}

TProcSnapshot ReadSnapshot(const std::string& root, double time) {
  const std::filesystem::path r(root);
  TProcSnapshot s;
  s.Time = time;
  s.Cpu = ReadChannel<TCpuCounters>(r / "stat", ParseStat, "CPU lines");
  s.Memory = ReadChannel<TMemInfo>(r / "meminfo", ParseMemInfo, "memory total");
  s.Load = ReadChannel<TLoadAvg>(r / "loadavg", ParseLoadAvg, "load averages");
  s.Disk =
      ReadChannel<std::vector<TDeviceCounters>>(r / "diskstats", ParseDiskStats, "disk counters");
  s.Net = ReadChannel<std::vector<TDeviceCounters>>(r / "net" / "dev", ParseNetDev,
                                                    "interface counters");
  return s;
}

uint64_t CounterDelta(uint64_t before, uint64_t after) {
  if (after >= before) return after - before;
  // A 32-bit counter that was near its top has wrapped; anything else going
  // backwards was reset, and what it counted since cannot be told apart from
  // what it had before.
  constexpr uint64_t k32 = uint64_t(1) << 32;
  if (before < k32 && before >= k32 / 2) return k32 - before + after;
  return 0;
}

TSample Derive(const TProcSnapshot* prev, const TProcSnapshot& cur) {
  TSample s;
  s.Time = cur.Time;
  s.Messages[chCpu] = cur.Cpu.Message;
  s.Messages[chMemory] = cur.Memory.Message;
  s.Messages[chLoad] = cur.Load.Message;
  s.Messages[chDisk] = cur.Disk.Message;
  s.Messages[chNet] = cur.Net.Message;
  DeriveCpu(prev, cur, s);
  if (cur.Memory.Value) {
    s.MemUsedKiB = cur.Memory.Value->UsedKiB();
    s.MemTotalKiB = cur.Memory.Value->TotalKiB;
    s.MemPercent = 100.0 * double(s.MemUsedKiB) / double(s.MemTotalKiB);
  }
  s.Load = cur.Load.Value;
  const double dt = prev ? cur.Time - prev->Time : 0;
  if (cur.Disk.Value)
    DeviceRates(prev ? &prev->Disk : nullptr, *cur.Disk.Value, dt, kDiskSectorBytes, s.DiskReadKiBs,
                s.DiskWriteKiBs);
  if (cur.Net.Value)
    DeviceRates(prev ? &prev->Net : nullptr, *cur.Net.Value, dt, 1, s.NetRxKiBs, s.NetTxKiBs);
  return s;
}

TSampler::TSampler(std::string root, double minInterval)
    : FRoot(std::move(root)), FMinInterval(minInterval) {}

TSample TSampler::Sample(double now) {
  TProcSnapshot cur = ReadSnapshot(FRoot, now);
  TSample s = Derive(FBaseline ? &*FBaseline : nullptr, cur);
  if (!FBaseline || now - FBaseline->Time >= FMinInterval) FBaseline = std::move(cur);
  return s;
}

}  // namespace panel
