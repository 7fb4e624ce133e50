// The live instrument panel: the machine's own CPU, memory, load, disk and
// network figures on the library's controls, one sample a second.
//
// State model. The form owns a TSampler (which reads /proc) and a one-second
// TWindowTimer; every tick takes one TSample and applies it in one pass: the
// gauges and displays show it, the limit lamps compare it, the log gains one
// row, the history table its minute's share, and what changed in availability
// or in the limits becomes a status message. A channel whose source cannot be
// read shows disabled, with its reason, until it can be read again; nothing a
// source holds can take the panel down.
//
// Groups of members by the file that holds them: construction and layout in
// Panel.cpp, applying a sample in PanelUpdate.cpp, the log and its exports in
// PanelLog.cpp.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "apps/panel/Sampler.h"
#include "host/ui/Forms.h"
#include "host/ui/WindowTimer.h"
#include "host/widgets/StdCtrls.h"

namespace zel {
class TMeter;
class TSevenSeg;
class TProgBar;
class TOnOffBut;
class TReportListView;
class TRasterLab;
class TNumLab;
class TNTabEd;
class TMiniCal;
}  // namespace zel

namespace panel {

// A captioned box of the panel: a dark ground, a thin frame and its title in
// the top edge. Unavailable shows the title dimmed with the reason after it.
class TPanelGroup : public host::TCustomControl {
 public:
  explicit TPanelGroup(host::TComponent* AOwner);
  void SetTitle(const std::string& s);
  // The reason a group's source cannot be read; empty while it can.
  void SetUnavailable(const std::string& reason);
  const std::string& Unavailable() const { return FUnavailable; }
  std::string ClassName() const override { return "TPanelGroup"; }

 protected:
  void Paint() override;

 private:
  std::string FTitle, FUnavailable;
};

// Where the per-core bars go in a box of width x height: up to four columns of
// bars 6 to 28 pixels apart; Shown is less than the cores when they cannot
// all fit.
struct TCoreGrid {
  int Columns = 1, PerColumn = 1, Pitch = 0, ColumnWidth = 0, Shown = 0;
};
TCoreGrid LayCoreGrid(int cores, int width, int height);

// The limits the lamps watch.
constexpr double kCpuLimitPercent = 90;
constexpr double kMemLimitPercent = 90;
// Rows the log keeps (an hour); older ones go first.
constexpr int kLogRows = 3600;
// Minutes the history table keeps, and its columns (CPU, memory, load, disk
// read and write, network receive and send).
constexpr int kHistoryMinutes = 10;
constexpr int kHistoryColumns = 7;
// Status messages the raster line cycles through.
constexpr size_t kStatusMessages = 4;

class TPanelForm : public host::TForm {
 public:
  // `procRoot`: where the measurements are read (a recorded tree in tests).
  explicit TPanelForm(host::TComponent* AOwner, std::string procRoot = "/proc");
  ~TPanelForm() override;

  // Starts the one-second sampling (one sample at once); raises EZELError
  // "Component \"<Name>\": no timer available" when no timer can be set.
  void Start();
  // One sample, as the timer takes it.
  void Tick();
  // The folder the exports go to (the temporary folder by default).
  void SetExportFolder(const std::string& dir) { FExportFolder = dir; }
  // Writes the log as CSV or XML to the export folder and says so in the
  // status line; returns the file written, or "" after a failure (said there too).
  std::string ExportLog(bool xml);

  // --- for tests and for the program's PNG mode
  const TSample& LastSample() const { return FLast; }
  int Samples() const { return FSamples; }
  zel::TReportListView* Log() const { return FLog; }
  host::TEdit* FilterBox() const { return FFilter; }
  zel::TNTabEd* History() const { return FHistory; }
  zel::TRasterLab* StatusLine() const { return FStatus; }
  TPanelGroup* Group(TChannel c) const { return FGroups[c]; }
  zel::TOnOffBut* CpuLamp() const { return FCpuLamp; }
  zel::TOnOffBut* MemLamp() const { return FMemLamp; }
  const std::vector<std::string>& Messages() const { return FMessages; }
  std::string ClassName() const override { return "TPanelForm"; }

 private:
  // --- Panel.cpp: building the groups
  void BuildCpu(int x, int y);
  void BuildCores(int x, int y, int w, int h);
  void BuildMemory(int x, int y);
  void BuildLoad(int x, int y);
  void BuildThroughput(int x, int y);
  void BuildLimits(int x, int y);
  void BuildLogGroup(int x, int y, int w, int h);
  void BuildHistory(int x, int y, int w, int h);
  void BuildCalendar(int x, int y);
  TPanelGroup* AddGroup(int x, int y, int w, int h, const std::string& title);
  zel::TOnOffBut* AddLamp(host::TWinControl* parent, int x, int y, const std::string& text);
  zel::TNumLab* AddReading(host::TWinControl* parent, const host::TRect& r, const std::string& left,
                           const std::string& unit, int leftSpace, int labelWidth);
  void EnsureCoreBars(size_t n);

  // --- PanelUpdate.cpp: applying a sample
  void Apply(const TSample& s);
  void ApplyCpu(const TSample& s);
  void ApplyMemory(const TSample& s);
  void ApplyLoad(const TSample& s);
  void ApplyThroughput(const TSample& s);
  void ApplyLimits(const TSample& s);
  void ApplyAvailability(const TSample& s);
  void AddHistory(const TSample& s);
  void Say(const std::string& message);
  void Enable(TChannel c, bool on);

  // --- PanelLog.cpp: the log
  void AddLogRow(const TSample& s);
  void ApplyFilter();
  std::string TimeStamp() const;

  TSampler FSampler;
  host::TWindowTimer FTimer;
  TSample FLast;
  int FSamples = 0;
  int64_t FStartMs = 0;   // the loop's clock at the first sample
  double FStartWall = 0;  // the wall clock then (TDateTime)
  std::string FExportFolder;
  std::vector<std::string> FMessages;  // newest last, the last few kept
  bool FCpuOver = false, FMemOver = false, FLoadOver = false;

  TPanelGroup* FGroups[kChannelCount] = {};
  zel::TMeter* FCpuMeter = nullptr;
  zel::TSevenSeg* FCpuDigits = nullptr;
  TPanelGroup* FCoresGroup = nullptr;
  size_t FCoreCount = 0;  // cores the bars were laid out for
  std::vector<zel::TProgBar*> FCoreBars;
  std::vector<host::TLabel*> FCoreNames;
  zel::TMeter* FMemMeter = nullptr;
  zel::TSevenSeg* FMemDigits = nullptr;
  zel::TProgBar* FMemBar = nullptr;
  zel::TNumLab* FMemText = nullptr;
  zel::TSevenSeg* FLoadDigits[3] = {};
  zel::TNumLab* FTasks = nullptr;
  zel::TNumLab *FDiskRead = nullptr, *FDiskWrite = nullptr;
  zel::TNumLab *FNetRx = nullptr, *FNetTx = nullptr;
  zel::TProgBar *FDiskBar = nullptr, *FNetBar = nullptr;
  zel::TOnOffBut *FCpuLamp = nullptr, *FMemLamp = nullptr, *FLoadLamp = nullptr;
  zel::TOnOffBut* FSourceLamps[kChannelCount] = {};
  zel::TRasterLab* FStatus = nullptr;
  zel::TReportListView* FLog = nullptr;
  host::TEdit* FFilter = nullptr;
  host::TLabel* FLogNote = nullptr;
  zel::TNTabEd* FHistory = nullptr;
  zel::TMiniCal* FCalendar = nullptr;
  // The history, newest minute first: per column the sum and count of the
  // figures known in that minute.
  struct TMinute {
    int64_t Index = 0;  // minutes since the first sample
    std::string Name;   // "HH:MM"
    double Sum[kHistoryColumns] = {};
    int Count[kHistoryColumns] = {};
  };
  std::deque<TMinute> FMinutes;
  std::string FUnavailable[kChannelCount];  // as last shown, to tell changes
  double FDiskPeak = 0, FNetPeak = 0;       // highest rates seen, the bars' full scale
};

}  // namespace panel
