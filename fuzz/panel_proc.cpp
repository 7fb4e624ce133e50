// Feeds arbitrary bytes to every /proc parser of the panel (the first byte
// picks which) and checks what a parser accepts: the CPU busy time never
// exceeds the total, memory in use never exceeds the total, load figures are
// finite and not negative, and a rate derived from two readings is a number.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "apps/panel/Sampler.h"

using namespace panel;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckCpu(std::string_view text) {
  auto c = ParseStat(text);
  if (!c) return;
  Check(c->All.Busy <= c->All.Total);
  for (const auto& core : c->Cores) Check(core.Times.Busy <= core.Times.Total && core.Id >= 0);
  TProcSnapshot a, b;
  a.Cpu.Value = c;
  b.Cpu.Value = ParseStat("cpu 0 0 0 0 0\n");
  b.Time = 1;
  for (const TSample& s : {Derive(&a, b), Derive(&b, a)})
    if (s.CpuPercent) Check(*s.CpuPercent >= 0 && *s.CpuPercent <= 100);
}

void CheckDevices(const std::optional<std::vector<TDeviceCounters>>& d) {
  if (!d) return;
  TProcSnapshot a, b;
  a.Net.Value = d;
  b.Net.Value = d;
  b.Time = 0.5;
  const TSample s = Derive(&a, b);
  Check(s.NetRxKiBs && std::isfinite(*s.NetRxKiBs) && *s.NetRxKiBs == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 5) {
    case 0:
      CheckCpu(text);
      break;
    case 1:
      if (auto m = ParseMemInfo(text)) Check(m->UsedKiB() <= m->TotalKiB && m->TotalKiB > 0);
      break;
    case 2:
      if (auto l = ParseLoadAvg(text))
        Check(std::isfinite(l->One) && l->One >= 0 && std::isfinite(l->Fifteen));
      break;
    case 3:
      CheckDevices(ParseDiskStats(text));
      break;
    case 4:
      CheckDevices(ParseNetDev(text));
      break;
  }
  return 0;
}
