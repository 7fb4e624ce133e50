// The panel's construction: five rows of captioned groups on a dark ground,
// laid out on a fixed grid so the groups of a row share their top and height.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "apps/panel/Panel.h"
#include "apps/panel/PanelStyle.h"
#include "foundation/Zel_zelbase.h"
#include "instruments/ZEL_Meter.h"
#include "instruments/ZEL_ProgBar.h"
#include "instruments/ZEL_onoffbut.h"
#include "labels/ZEL_RasterLab.h"
#include "ntabed/ZEL_ntabed.h"
#include "numeric/ZEL_NumLab.h"
#include "numeric/ZEL_sevenseg.h"
#include "replist/ZEL_replist_view.h"
#include "selectors/ZEL_MiniCal.h"

using namespace host;
using namespace zel;

namespace panel {

namespace {

constexpr int kGap = 8;
constexpr int kRow1 = 8, kRow1H = 250;                      // CPU, cores, memory, load, limits
constexpr int kRow2 = kRow1 + kRow1H + kGap, kRow2H = 44;   // the status line
constexpr int kRow3 = kRow2 + kRow2H + kGap, kRow3H = 206;  // throughput, history, date
constexpr int kRow4 = kRow3 + kRow3H + kGap, kRow4H = 352;  // the log
constexpr int kFormW = 1280, kFormH = kRow4 + kRow4H + kGap;

// A control owned by the form and shown on `parent` (the form or one of its groups).
template <class T>
T* Add(TWinControl* parent, int x, int y, int w, int h) {
  TComponent* form = dynamic_cast<TForm*>(parent) ? parent : parent->Owner();
  auto* c = new T(form);
  c->SetParent(parent);
  c->SetBounds(x, y, w, h);
  return c;
}

}  // namespace

TCoreGrid LayCoreGrid(int cores, int width, int height) {
  TCoreGrid g;
  if (cores <= 0 || width <= 0 || height <= 0) return g;
  g.Columns = std::clamp((cores + 15) / 16, 1, 4);
  g.PerColumn = (cores + g.Columns - 1) / g.Columns;
  g.Pitch = std::clamp(height / g.PerColumn, 6, 28);
  g.PerColumn = std::min(g.PerColumn, std::max(1, height / g.Pitch));
  g.Shown = std::min(cores, g.Columns * g.PerColumn);
  g.ColumnWidth = width / g.Columns;
  return g;
}

namespace {

std::string DefaultExportFolder() {
  std::error_code ec;
  const auto tmp = std::filesystem::temp_directory_path(ec);
  return ((ec ? std::filesystem::path("/tmp") : tmp) / "zel-panel").string();
}

TMeter* AddMeter(TWinControl* parent, int x, int y, int w, int h, const std::string& unit) {
  auto* m = Add<TMeter>(parent, x, y, w, h);
  m->SetMeterLayout(mlCirc180);
  m->SetMaxValue(100);
  m->SetNrTicks(6);
  m->SetDecPlaces(0);
  m->SetHighThreshold(90);
  m->SetLowThreshold(0);
  m->SetScaleBkVis(true);
  m->SetScaleBkWidth(5);
  m->SetColorBakgNorm(RGB(0x50, 0x9A, 0x5A));
  m->SetColorBakgHigh(RGB(0xD8, 0x40, 0x30));
  m->SetColorBakG(RGB(0x14, 0x17, 0x1C));
  m->SetColorScale(kText);
  m->SetColorCover(RGB(0x4A, 0x50, 0x5A));
  m->SetFrameStyle(frLowered);
  m->SetUnitLabel(unit);
  m->NeedleLayout()->SetColorBody(kAccent);
  m->NeedleLayout()->SetColorOutline(RGB(0x80, 0x48, 0x08));
  m->NeedleLayout()->SetThickness(3);
  return m;
}

TSevenSeg* AddDigits(TWinControl* parent, int x, int y, int w, int h, int digits) {
  auto* s = Add<TSevenSeg>(parent, x, y, w, h);
  s->SetNumDigits(digits);
  s->SetColorText(RGB(0xFF, 0xA8, 0x20));
  s->SetColorBackGnd(RGB(0x10, 0x10, 0x10));
  s->SetFrameStyle(frLowered);
  s->SetMargin(4);
  s->SetCaption("");
  return s;
}

TProgBar* AddBar(TWinControl* parent, int x, int y, int w, int h) {
  auto* b = Add<TProgBar>(parent, x, y, w, h);
  b->SetRange(0, 100);
  b->SetColorGrad(true);
  b->SetColorMin(RGB(0x40, 0xA0, 0x50));
  b->SetColorMax(RGB(0xE0, 0x40, 0x30));
  b->SetColorBakG(RGB(0x14, 0x17, 0x1C));
  b->SetColorMargin(kGroupGround);
  b->SetOuterFrameStyle(frLowered);
  b->SetInnerFrameStyle(frNone);
  b->SetShowValue(false);
  return b;
}

TLabel* AddLabel(TWinControl* parent, int x, int y, const std::string& text) {
  auto* l = Add<TLabel>(parent, x, y, 0, 0);
  l->SetTransparent(true);
  l->Font()->SetColor(kText);
  l->SetCaption(text);
  return l;
}

}  // namespace

// --- TPanelGroup

TPanelGroup::TPanelGroup(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csOpaque);
  SetColor(kGroupGround);
  Font()->SetSize(9);
  Font()->SetStyle(fsBold);
}

void TPanelGroup::SetTitle(const std::string& s) {
  if (s == FTitle) return;
  FTitle = s;
  Invalidate();
}

void TPanelGroup::SetUnavailable(const std::string& reason) {
  if (reason == FUnavailable) return;
  FUnavailable = reason;
  Invalidate();
}

void TPanelGroup::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(kGroupGround);
  c->FillRect(ClientRect());
  c->Brush()->SetColor(kGroupFrame);
  c->FrameRect(ClientRect());
  c->SetFont(Font());
  c->Brush()->SetStyle(bsClear);
  const bool off = !FUnavailable.empty();
  c->Font()->SetColor(off ? kDimText : kAccent);
  c->TextOut(8, 4, FTitle);
  if (!off) return;
  // The reason where the title leaves room, clipped to the group.
  c->Font()->SetStyle(0);
  c->Font()->SetColor(kAlarm);
  const int x = 16 + c->TextWidth(FTitle);
  c->TextRect(Rect(x, 4, Width() - 6, 4 + c->TextHeight("Ag")), x, 4,
              "unavailable: " + FUnavailable);
}

// --- TPanelForm

TPanelForm::TPanelForm(TComponent* AOwner, std::string procRoot)
    : TForm(AOwner),
      FSampler(std::move(procRoot)),
      FTimer([this] { Tick(); }),
      FExportFolder(DefaultExportFolder()) {
  SetName("Panel");
  SetCaption("ZEL Controls - machine panel");
  SetBounds(0, 0, kFormW, kFormH);
  SetPosition(poScreenCenter);
  SetColor(kGround);
  BuildCpu(8, kRow1);
  BuildCores(316, kRow1, 240, kRow1H);
  BuildMemory(564, kRow1);
  BuildLoad(872, kRow1);
  BuildLimits(1070, kRow1);
  FStatus = Add<TRasterLab>(this, 8, kRow2, kFormW - 16, kRow2H);
  FStatus->SetDotSize(2);
  FStatus->SetDotSpacing(1);
  FStatus->SetColorDotOn(RGB(0x40, 0xE0, 0x60));
  FStatus->SetColorDotOff(RGB(0x1C, 0x2A, 0x20));
  FStatus->SetColorLabBakG(RGB(0x08, 0x0C, 0x0A));
  FStatus->SetFrameStyle(frLowered);
  FStatus->SetScrollMode(rdsmLeft);
  FStatus->SetScrollInterval(40);
  FStatus->SetScrollIncrement(2);
  FStatus->SetScrollLoop(true);
  FStatus->SetText("Starting: reading the machine's measurements");
  BuildThroughput(8, kRow3);
  BuildHistory(316, kRow3, 648, kRow3H);
  BuildCalendar(972, kRow3);
  BuildLogGroup(8, kRow4, kFormW - 16, kRow4H);
}

TPanelForm::~TPanelForm() { FTimer.Stop(); }

TPanelGroup* TPanelForm::AddGroup(int x, int y, int w, int h, const std::string& title) {
  auto* g = Add<TPanelGroup>(this, x, y, w, h);
  g->SetTitle(title);
  return g;
}

TOnOffBut* TPanelForm::AddLamp(TWinControl* parent, int x, int y, const std::string& text) {
  auto* l = Add<TOnOffBut>(parent, x, y, parent->Width() - 2 * x, 22);
  // Green while all is well, red otherwise: on is "within the limit" for a
  // limit lamp and "readable" for a source lamp.
  l->SetButtonStyle(oobsLedRedGreen);
  l->SetMouseAction(oomaNone);  // a lamp shows; it is not switched by a click
  l->SetTransparent(true);
  l->SetFrameStyle(frNone);
  l->SetAutoCenter(false);
  l->SetLeftSpace(0);
  l->SetRightText(text);
  l->SetColorText(kText);
  l->SetOnOff(true);
  return l;
}

TNumLab* TPanelForm::AddReading(TWinControl* parent, const TRect& r, const std::string& left,
                                const std::string& unit, int leftSpace, int labelWidth) {
  auto* n = Add<TNumLab>(parent, r.Left, r.Top, r.Width(), r.Height());
  n->SetLeftText(left);
  n->SetRightText(unit);
  n->SetLeftSpace(leftSpace);
  n->SetLabelWidth(labelWidth);
  n->SetDisplayType(dtFixP);
  n->SetPrecision(1);
  n->SetColorLabText(RGB(0x7C, 0xE0, 0xFF));
  n->SetColorLabBakG(RGB(0x10, 0x12, 0x16));
  n->SetColorOutBakG(kGroupGround);
  n->SetColorOutText(kText);
  n->SetFrameStyle(frLowered);
  n->SetEmpty(true);  // nothing to show before the first reading
  return n;
}

void TPanelForm::BuildCpu(int x, int y) {
  TPanelGroup* g = FGroups[chCpu] = AddGroup(x, y, 300, kRow1H, "CPU");
  FCpuMeter = AddMeter(g, 8, 24, 284, 160, "% busy");
  AddLabel(g, 12, 204, "total %");
  FCpuDigits = AddDigits(g, 140, 192, 150, 48, 5);
}

void TPanelForm::BuildCores(int x, int y, int w, int h) {
  FCoresGroup = AddGroup(x, y, w, h, "Cores");
}

// The bars fill the group's height in up to four columns; a machine with more
// cores than fit shows the first ones (the total is on the meter).
void TPanelForm::EnsureCoreBars(size_t n) {
  if (n == FCoreCount) return;
  FCoreCount = n;
  for (TProgBar* b : FCoreBars) delete b;
  for (TLabel* l : FCoreNames) delete l;
  FCoreBars.clear();
  FCoreNames.clear();
  const TCoreGrid g = LayCoreGrid(int(n), FCoresGroup->Width() - 16, FCoresGroup->Height() - 34);
  const bool named = g.Pitch >= 14;  // names only where they can be read
  const int nameW = named ? 44 : 0;
  for (int i = 0; i < g.Shown; ++i) {
    const int cx = 8 + i / g.PerColumn * g.ColumnWidth, cy = 26 + i % g.PerColumn * g.Pitch;
    if (named) FCoreNames.push_back(AddLabel(FCoresGroup, cx, cy + (g.Pitch - 16) / 2, ""));
    FCoreBars.push_back(
        AddBar(FCoresGroup, cx + nameW, cy, g.ColumnWidth - nameW - 4, g.Pitch - 2));
  }
}

void TPanelForm::BuildMemory(int x, int y) {
  TPanelGroup* g = FGroups[chMemory] = AddGroup(x, y, 300, kRow1H, "Memory");
  FMemMeter = AddMeter(g, 8, 24, 284, 160, "% in use");
  AddLabel(g, 12, 192, "GiB in use");
  FMemDigits = AddDigits(g, 8, 210, 110, 32, 5);
  FMemBar = AddBar(g, 126, 192, 166, 16);
  FMemText = AddReading(g, Rect(126, 214, 292, 240), "of", "GiB", 24, 100);
}

void TPanelForm::BuildLoad(int x, int y) {
  TPanelGroup* g = FGroups[chLoad] = AddGroup(x, y, 190, kRow1H, "Load average");
  const char* names[3] = {"1 min", "5 min", "15 min"};
  for (int i = 0; i < 3; ++i) {
    AddLabel(g, 10, 40 + i * 52, names[i]);
    FLoadDigits[i] = AddDigits(g, 62, 26 + i * 52, 120, 44, 5);
  }
  FTasks = AddReading(g, Rect(8, 214, 182, 240), "tasks", "", 54, 60);
  FTasks->SetPrecision(0);
}

void TPanelForm::BuildThroughput(int x, int y) {
  // Disk and network share the group; each keeps its own availability.
  TPanelGroup* g = AddGroup(x, y, 300, kRow3H, "Disk and network");
  FGroups[chDisk] = FGroups[chNet] = g;
  FDiskRead = AddReading(g, Rect(8, 26, 292, 50), "Disk read", "KiB/s", 100, 110);
  FDiskWrite = AddReading(g, Rect(8, 54, 292, 78), "Disk write", "KiB/s", 100, 110);
  FDiskBar = AddBar(g, 8, 82, 284, 10);
  FNetRx = AddReading(g, Rect(8, 110, 292, 134), "Net receive", "KiB/s", 100, 110);
  FNetTx = AddReading(g, Rect(8, 138, 292, 162), "Net send", "KiB/s", 100, 110);
  FNetBar = AddBar(g, 8, 166, 284, 10);
  AddLabel(g, 8, 182, "bars: share of the highest rate seen");
}

void TPanelForm::BuildLimits(int x, int y) {
  TPanelGroup* g = AddGroup(x, y, 202, kRow1H, "Limits");
  FCpuLamp = AddLamp(g, 8, 26, "CPU < 90 %");
  FMemLamp = AddLamp(g, 8, 50, "Memory < 90 %");
  FLoadLamp = AddLamp(g, 8, 74, "Load < cores");
  AddLabel(g, 8, 106, "Sources");
  for (int c = 0; c < kChannelCount; ++c)
    FSourceLamps[c] = AddLamp(g, 8, 126 + c * 24, ChannelName(TChannel(c)));
}

void TPanelForm::BuildHistory(int x, int y, int w, int h) {
  TPanelGroup* g = AddGroup(x, y, w, h, "Last minutes: means per minute, rates in KiB/s");
  FHistory = Add<TNTabEd>(g, 8, 24, w - 16, h - 32);
  const char* cols[kHistoryColumns] = {"CPU %",   "Mem %",  "Load",  "Disk rd",
                                       "Disk wr", "Net rx", "Net tx"};
  FHistory->Redimension(int(std::size(cols)), kHistoryMinutes);
  for (int c = 1; c <= int(std::size(cols)); ++c) {
    FHistory->SetColName(c, cols[c - 1]);
    FHistory->SetPrecision(c, c == 3 ? 2 : 1);
  }
  FHistory->SetAttribRowVisible(false);
  FHistory->SetAttribColVisible(false);
  FHistory->SetDefaultColWidth(76);
  FHistory->SetColWidths(0, 60);
  for (int r = 1; r <= kHistoryMinutes; ++r) {
    FHistory->SetRowName(r, "");
    for (int c = 1; c <= int(std::size(cols)); ++c) FHistory->SetIsEmpty(c, r, true);
  }
}

void TPanelForm::BuildCalendar(int x, int y) {
  TPanelGroup* g = AddGroup(x, y, 300, kRow3H, "Date");
  FCalendar = Add<TMiniCal>(g, 8, 24, 284, 174);
  FCalendar->SetDate(Date());
}

void TPanelForm::BuildLogGroup(int x, int y, int w, int h) {
  TPanelGroup* g = AddGroup(x, y, w, h, "Log (one row a second)");
  AddLabel(g, 10, 28, "Filter");
  FFilter = Add<TEdit>(g, 50, 24, 260, 24);
  FFilter->SetOnChange([this](TObject*) { ApplyFilter(); });
  auto* csv = Add<TButton>(g, 320, 24, 96, 24);
  csv->SetCaption("Export CSV");
  csv->SetOnClick([this](TObject*) { ExportLog(false); });
  auto* xml = Add<TButton>(g, 422, 24, 96, 24);
  xml->SetCaption("Export XML");
  xml->SetOnClick([this](TObject*) { ExportLog(true); });
  FLogNote = AddLabel(g, 530, 28, "");
  FLog = Add<TReportListView>(g, 8, 54, w - 16, h - 62);
  const char* heads[] = {"Time",          "CPU %",         "Memory %",     "Load",
                         "Disk rd KiB/s", "Disk wr KiB/s", "Net rx KiB/s", "Net tx KiB/s"};
  FLog->SetNrOfColumns(int(std::size(heads)));
  FLog->SetNrOfRows(0);
  for (int c = 1; c <= int(std::size(heads)); ++c) {
    FLog->SetHeader(c, heads[c - 1]);
    if (c > 1) FLog->SetColumnAlignment(c, taRightJustify);
  }
  FLog->SetRowSelectMode(1);
  const int valueW = (FLog->Width() - 150 - 24) / (int(std::size(heads)) - 1);
  FLog->SetColWidths(1, 150);
  for (int c = 2; c <= int(std::size(heads)); ++c) FLog->SetColWidths(c, valueW);
}

void TPanelForm::Start() {
  Tick();
  if (!FTimer.Start(1000)) throw EZELError(ComponentMessage(Name(), kNoTimerAvailable));
}

}  // namespace panel
