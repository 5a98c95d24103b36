#pragma once

#include "pages/spice/spicenetlist.h"
#include "pages/stability/loopmodel.h"

// The stability page's capacitive-load circuit for a SPICE simulator: the
// amplifier as a macro-model of its catalog open-loop gain and poles with its
// output impedance, R_CL, the feedback network with C_FB, the noise-gain
// network (inverting only), R_ISO and C_LOAD. The loop is broken at the
// amplifier's input, which draws no current, so the break loads nothing: the
// gain stage is driven by VTEST instead of its input difference, the signal
// input is grounded, and node `loop` carries the loop gain (0 dB at the
// closure frequency). `.ac` runs over the page's grid, 16 points a decade
// from 1 Hz to 100 MHz. The inductive load and the composite amplifier are
// not written yet: they give no netlist, with the reason.
SpiceNetlist stabilityNetlist(const LoopInput &in, StabLoad load, bool composite, const QString &title);
