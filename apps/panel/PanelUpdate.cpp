// Applying one sample to the panel: every group in one pass, then the limits
// and the availability changes as status messages.
#include <algorithm>
#include <chrono>
#include <cmath>

#include "apps/panel/Panel.h"
#include "foundation/Zel_stringl.h"
#include "host/ui/DateTime.h"
#include "instruments/ZEL_Meter.h"
#include "instruments/ZEL_ProgBar.h"
#include "instruments/ZEL_onoffbut.h"
#include "labels/ZEL_RasterLab.h"
#include "ntabed/ZEL_ntabed.h"
#include "numeric/ZEL_NumLab.h"
#include "numeric/ZEL_sevenseg.h"

using namespace host;
using namespace zel;

namespace panel {

namespace {

// A value right-aligned in a display of `digits` positions; a decimal point
// shares its digit's position, so it takes no room of its own.
std::string DigitsText(std::optional<double> v, int digits, int decimals) {
  std::string s = v ? strff(*v, 0, decimals) : std::string("--");
  const size_t room = size_t(digits) + (v && decimals > 0 ? 1 : 0);
  return s.size() < room ? std::string(room - s.size(), ' ') + s : s;
}

void ShowReading(TNumLab* n, std::optional<double> v) {
  n->SetEmpty(!v);
  if (v) n->SetValue(*v);
}

// Seconds on a monotonic clock: the counters are real, so their rates are
// measured against real time, also when the loop's clock is virtual.
double MonotonicSeconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

void TPanelForm::Tick() {
  if (FSamples == 0) {
    FStartMs = Application->Now();
    FStartWall = host::Now();
  }
  FLast = FSampler.Sample(MonotonicSeconds());
  ++FSamples;
  if (FSamples == 1) Say("Sampling " + FSampler.Root() + " once a second");
  Apply(FLast);
}

void TPanelForm::Apply(const TSample& s) {
  ApplyAvailability(s);
  ApplyCpu(s);
  ApplyMemory(s);
  ApplyLoad(s);
  ApplyThroughput(s);
  ApplyLimits(s);
  AddLogRow(s);
  AddHistory(s);
}

void TPanelForm::Enable(TChannel c, bool on) {
  switch (c) {
    case chCpu:
      FCpuLamp->SetEnabled(on);
      FCpuMeter->SetEnabled(on);
      FCpuDigits->SetEnabled(on);
      for (TProgBar* b : FCoreBars) b->SetEnabled(on);
      break;
    case chMemory:
      FMemLamp->SetEnabled(on);
      FMemMeter->SetEnabled(on);
      FMemDigits->SetEnabled(on);
      FMemBar->SetEnabled(on);
      FMemText->SetEnabled(on);
      break;
    case chLoad:
      FLoadLamp->SetEnabled(on);
      for (TSevenSeg* d : FLoadDigits) d->SetEnabled(on);
      FTasks->SetEnabled(on);
      break;
    case chDisk:
      FDiskRead->SetEnabled(on);
      FDiskWrite->SetEnabled(on);
      FDiskBar->SetEnabled(on);
      break;
    case chNet:
      FNetRx->SetEnabled(on);
      FNetTx->SetEnabled(on);
      FNetBar->SetEnabled(on);
      break;
  }
}

void TPanelForm::ApplyAvailability(const TSample& s) {
  for (int i = 0; i < kChannelCount; ++i) {
    const TChannel c = TChannel(i);
    const std::string& msg = s.Message(c);
    FSourceLamps[c]->SetOnOff(msg.empty());
    if (FSamples > 1 && msg == FUnavailable[c]) continue;
    FUnavailable[c] = msg;
    Enable(c, msg.empty());
    if (!msg.empty())
      Say(std::string(ChannelName(c)) + " unavailable: " + msg);
    else if (FSamples > 1)
      Say(std::string(ChannelName(c)) + " available again");
  }
  // A group's title has little room: its reason names the file alone, the
  // status line says it in full.
  auto reason = [this](TChannel c) {
    const std::string prefix = FSampler.Root() + "/";
    const std::string& m = FUnavailable[c];
    return m.rfind(prefix, 0) == 0 ? m.substr(prefix.size()) : m;
  };
  FGroups[chCpu]->SetUnavailable(reason(chCpu));
  FCoresGroup->SetUnavailable(reason(chCpu));
  FGroups[chMemory]->SetUnavailable(reason(chMemory));
  FGroups[chLoad]->SetUnavailable(reason(chLoad));
  // Disk and network share a group: it names whichever cannot be read.
  std::string io = reason(chDisk);
  if (!FUnavailable[chNet].empty()) io += (io.empty() ? "" : "; ") + reason(chNet);
  FGroups[chDisk]->SetUnavailable(io);
}

void TPanelForm::ApplyCpu(const TSample& s) {
  if (s.CpuPercent) FCpuMeter->SetValue(*s.CpuPercent);
  FCpuDigits->SetCaption(s.Available(chCpu) ? DigitsText(s.CpuPercent, 5, 1) : "");
  EnsureCoreBars(s.Cores.size());
  for (size_t i = 0; i < FCoreBars.size(); ++i) {
    FCoreBars[i]->SetValue(s.Cores[i].Percent.value_or(0));
    if (i < FCoreNames.size()) FCoreNames[i]->SetCaption("cpu" + std::to_string(s.Cores[i].Id));
  }
}

void TPanelForm::ApplyMemory(const TSample& s) {
  const bool on = s.MemPercent.has_value();
  if (on) {
    FMemMeter->SetValue(*s.MemPercent);
    FMemBar->SetValue(*s.MemPercent);
  }
  constexpr double kKiBPerGiB = 1024.0 * 1024.0;
  FMemDigits->SetCaption(on ? DigitsText(double(s.MemUsedKiB) / kKiBPerGiB, 5, 2) : std::string());
  ShowReading(FMemText, on ? std::optional(double(s.MemTotalKiB) / kKiBPerGiB) : std::nullopt);
}

void TPanelForm::ApplyLoad(const TSample& s) {
  const double v[3] = {s.Load ? s.Load->One : 0, s.Load ? s.Load->Five : 0,
                       s.Load ? s.Load->Fifteen : 0};
  for (int i = 0; i < 3; ++i)
    FLoadDigits[i]->SetCaption(s.Load ? DigitsText(v[i], 5, 2) : std::string());
  FTasks->SetRightText(s.Load ? "of " + std::to_string(s.Load->Tasks) : std::string());
  ShowReading(FTasks, s.Load ? std::optional(double(s.Load->Running)) : std::nullopt);
}

void TPanelForm::ApplyThroughput(const TSample& s) {
  ShowReading(FDiskRead, s.DiskReadKiBs);
  ShowReading(FDiskWrite, s.DiskWriteKiBs);
  ShowReading(FNetRx, s.NetRxKiBs);
  ShowReading(FNetTx, s.NetTxKiBs);
  // The bars show the sum of both directions against the highest sum seen.
  auto share = [](std::optional<double> a, std::optional<double> b, double& peak) {
    const double sum = a.value_or(0) + b.value_or(0);
    peak = std::max(peak, sum);
    return peak > 0 ? 100 * sum / peak : 0.0;
  };
  FDiskBar->SetValue(share(s.DiskReadKiBs, s.DiskWriteKiBs, FDiskPeak));
  FNetBar->SetValue(share(s.NetRxKiBs, s.NetTxKiBs, FNetPeak));
}

void TPanelForm::ApplyLimits(const TSample& s) {
  // A lamp follows its figure; a message marks each crossing, either way.
  auto watch = [this](bool over, bool& state, TOnOffBut* lamp, const std::string& what) {
    lamp->SetOnOff(!over);
    if (over == state) return;
    state = over;
    Say(what + (over ? " over the limit" : " back within the limit"));
  };
  if (s.CpuPercent) watch(*s.CpuPercent > kCpuLimitPercent, FCpuOver, FCpuLamp, "CPU");
  if (s.MemPercent) watch(*s.MemPercent > kMemLimitPercent, FMemOver, FMemLamp, "Memory");
  if (s.Load && !s.Cores.empty())
    watch(s.Load->One > double(s.Cores.size()), FLoadOver, FLoadLamp, "Load");
}

void TPanelForm::AddHistory(const TSample& s) {
  const int64_t minute = (Application->Now() - FStartMs) / 60000;
  if (FMinutes.empty() || FMinutes.front().Index != minute) {
    FMinutes.push_front({minute, TimeStamp().substr(11, 5)});
    if (FMinutes.size() > size_t(kHistoryMinutes)) FMinutes.pop_back();
  }
  const std::optional<double> v[kHistoryColumns] = {
      s.CpuPercent,   s.MemPercent,    s.Load ? std::optional(s.Load->One) : std::nullopt,
      s.DiskReadKiBs, s.DiskWriteKiBs, s.NetRxKiBs,
      s.NetTxKiBs};
  TMinute& now = FMinutes.front();
  for (int c = 0; c < kHistoryColumns; ++c)
    if (v[c]) {
      now.Sum[c] += *v[c];
      ++now.Count[c];
    }
  // The whole table again: ten rows of seven cells, and the rows move down
  // each minute anyway.
  for (int r = 1; r <= kHistoryMinutes; ++r) {
    const TMinute* m = size_t(r) <= FMinutes.size() ? &FMinutes[size_t(r - 1)] : nullptr;
    FHistory->SetRowName(r, m ? m->Name : "");
    for (int c = 1; c <= kHistoryColumns; ++c) {
      const bool known = m && m->Count[c - 1] > 0;
      FHistory->SetElem(c, r, known ? m->Sum[c - 1] / m->Count[c - 1] : 0);
      FHistory->SetIsEmpty(c, r, !known);
    }
  }
}

void TPanelForm::Say(const std::string& message) {
  FMessages.push_back(TimeStamp().substr(11) + "  " + message);
  if (FMessages.size() > kStatusMessages)
    FMessages.erase(FMessages.begin(), FMessages.end() - kStatusMessages);
  std::string text;
  for (const std::string& m : FMessages) text += (text.empty() ? "" : "   +++   ") + m;
  FStatus->SetText(text);
}

}  // namespace panel
