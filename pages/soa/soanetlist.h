#pragma once

#include "catalog/records.h"
#include "pages/soa/soamodel.h"
#include "pages/spice/spicenetlist.h"

// The SOA page's circuit for a SPICE simulator: the supplies, the amplifier
// (every paralleled one, and the bridge's slave) as a behavioural source that
// follows the signal within its worst-case swing, the R-L-C load with a 0 V
// source that reads its current (`VILOAD`, positive out of the amplifier),
// and the signal as SIN, PULSE or PWL. A `.tran` with UIC starts from rest as
// the page's simulation does and runs over the periods it discards and
// displays, one step per page sample. A DC-motor load line is a sweep, not a
// waveform in time, so it has no netlist.
SpiceNetlist soaNetlist(
    const SoaSimInput &in, const SoaSignalInfo &signal, const amp &a, const QString &title);
