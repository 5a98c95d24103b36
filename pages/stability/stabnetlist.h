#pragma once

#include "pages/spice/spicenetlist.h"
#include "pages/stability/loopmodel.h"

// The stability page's circuit for a SPICE simulator: the amplifier as a
// macro-model of its catalog open-loop gain and poles with its output
// impedance and R_CL, then
// - capacitive load: the feedback network with C_FB, the noise-gain network
//   (inverting only), R_ISO and C_LOAD;
// - inductive load: R_LOAD, L_LOAD and the sense resistor R_S, the sense
//   stage of gain R_S GAIN (a wire when it is a short), R_FB from the sense
//   stage to the inverting input, R_IN, and R_D with C_FB from the output;
// - composite: a host op-amp (the page's host gain and poles) driving the
//   power stage's + input, with HOST R_IN, HOST R_FB, HOST C_FB and the host
//   noise-gain network (inverting only), from the output (capacitive) or the
//   sense stage (inductive) back to the host's inverting input.
// The loop is broken at the input of the amplifier that closes it (the host
// in a composite circuit), which draws no current, so the break loads
// nothing: VTEST drives the gain stage instead of its input difference, the
// signal input is grounded, and node `loop` carries the loop gain (0 dB at
// the closure frequency). `.ac` runs over the page's grid, 16 points a
// decade from 1 Hz to 100 MHz. A composite VR554 circuit, which the page
// does not draw, gives no netlist.
SpiceNetlist stabilityNetlist(const LoopInput &in, StabLoad load, bool composite, const QString &title);
