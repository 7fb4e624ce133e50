// TMeter: the mouse. Every move over the meter reports the value under the
// pointer's direction, so an application can read a value off the dial or let
// the needle follow the mouse.
#include "instruments/ZEL_Meter.h"

namespace zel {

using namespace host;

void TMeter::WMMouseMove(TWMMouse& Message) {
  TGraphicControl::WMMouseMove(Message);
  double v = 0;
  const bool within = ConvertPixelToValue(Message.XPos, Message.YPos, v);
  if (FOnMouseMoveInMeter) FOnMouseMoveInMeter(this, within, KeysToShiftState(Message.Keys), v);
}

}  // namespace zel
