// The log: one row a second, newest first, that the user may sort, filter and
// export while it grows.
#include <filesystem>
#include <system_error>

#include "apps/panel/Panel.h"
#include "foundation/Zel_stringl.h"
#include "host/ui/DateTime.h"
#include "labels/ZEL_RasterLab.h"
#include "replist/ZEL_replist_view.h"

using namespace host;
using namespace zel;

namespace panel {

namespace {

enum TLogColumn { lcTime = 1, lcCpu, lcMem, lcLoad, lcDiskRead, lcDiskWrite, lcNetRx, lcNetTx };

// Numbers padded to one width, so that sorting the text sorts the values;
// unknown figures stay empty (and empty in the exports).
std::string Cell(std::optional<double> v, int decimals) {
  return v ? strff(*v, 9, decimals) : std::string();
}

}  // namespace

// The wall clock at the first sample plus the loop's time since, so that the
// stamps of a headless run advance with its virtual clock.
std::string TPanelForm::TimeStamp() const {
  const TDateTime t = FStartWall + double(Application->Now() - FStartMs) / 86400000.0;
  const TDateTimeParts p = DecodeDateTime(t);
  return std::to_string(p.Year) + "-" + ZeroPadded(p.Month, 2) + "-" + ZeroPadded(p.Day, 2) + " " +
         ZeroPadded(p.Hour, 2) + ":" + ZeroPadded(p.Minute, 2) + ":" + ZeroPadded(p.Second, 2);
}

void TPanelForm::AddLogRow(const TSample& s) {
  if (FLog->NrOfRows() >= kLogRows) {
    // The oldest row: the last one unless the user sorted; the stamps sort as text.
    int oldest = 1;
    for (int r = 2; r <= FLog->NrOfRows(); ++r)
      if (FLog->Elem(lcTime, r) < FLog->Elem(lcTime, oldest)) oldest = r;
    FLog->RemoveRow(oldest);
  }
  // Inserting forgets the sort (the rows no longer follow it): note it first.
  const int sortCol = FLog->LastSortColumn(), sortSec = FLog->SecondarySortColumn();
  const bool ascending = FLog->LastSortOrder();
  const int r = FLog->InsertRow(1);
  FLog->SetElem(lcTime, r, TimeStamp());
  FLog->SetElem(lcCpu, r, Cell(s.CpuPercent, 1));
  FLog->SetElem(lcMem, r, Cell(s.MemPercent, 1));
  FLog->SetElem(lcLoad, r, Cell(s.Load ? std::optional(s.Load->One) : std::nullopt, 2));
  FLog->SetElem(lcDiskRead, r, Cell(s.DiskReadKiBs, 1));
  FLog->SetElem(lcDiskWrite, r, Cell(s.DiskWriteKiBs, 1));
  FLog->SetElem(lcNetRx, r, Cell(s.NetRxKiBs, 1));
  FLog->SetElem(lcNetTx, r, Cell(s.NetTxKiBs, 1));
  // A sorted log stays sorted, a filtered one filtered, as rows arrive.
  if (sortCol >= 1) FLog->Sort(sortCol, sortSec, ascending);
  if (!FFilter->Text().empty()) ApplyFilter();
}

void TPanelForm::ApplyFilter() {
  try {
    FLog->FilterAndSort(FFilter->Text(),
                        {lcTime, lcCpu, lcMem, lcLoad, lcDiskRead, lcDiskWrite, lcNetRx, lcNetTx},
                        true, fmSimple, -1, true);
    FLogNote->SetCaption(std::to_string(FLog->NumVisibleRows()) + " of " +
                         std::to_string(FLog->NrOfRows()) + " rows shown");
  } catch (const EZELError& e) {
    FLogNote->SetCaption(e.what());
  }
}

std::string TPanelForm::ExportLog(bool xml) {
  const auto path =
      std::filesystem::path(FExportFolder) / (xml ? "panel-log.xml" : "panel-log.csv");
  try {
    std::error_code ec;
    std::filesystem::create_directories(FExportFolder, ec);
    if (ec) throw EZELError("cannot create " + FExportFolder + ": " + ec.message());
    if (xml) {
      FLog->SaveAsXMLFile(path.string(), "panel");
    } else if (FLog->ExportCSV(path.string(), csvSemicolon, true, false, 1, 1, FLog->NrOfColumns(),
                               FLog->NrOfRows()) < 0) {
      throw EZELError("cannot write " + path.string() + ": " + FLog->RLData()->LastError());
    }
  } catch (const std::exception& e) {
    FLogNote->SetCaption(std::string("Export failed: ") + e.what());
    Say(std::string("Export failed: ") + e.what());
    return "";
  }
  FLogNote->SetCaption("Exported " + path.string());
  Say("Log exported to " + path.string());
  return path.string();
}

}  // namespace panel
