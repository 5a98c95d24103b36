#pragma once

#include <QString>

#include "pages/spice/spicenetlist.h"

// The parts of an Improved Howland current pump as the pump page reads them
// (values in ohms, henries, farads, hertz; the open value 4294967295 where a
// text reads "open").
struct PumpCircuit {
    QString ampName;
    bool inverting = true; // V_IN drives R_IN- (else R_IN+; the other goes to ground)
    double rinNeg = 10e3, rinPos = 10e3; // R_IN-, R_IN+
    double rfNeg = 10e3, rfPos = 10e3; // R_F- (output to -), R_F+ (load node to +)
    double rs = 1; // R_S, amplifier output to the load node
    double rd = 4294967295.0, cd = 0; // damping R_D in series with C_D across the load; open: absent
    double rload = 10;
    double lload = 0; // series inductance; 0 when there is none
    bool seriesC = false; // a series capacitor instead (the capacitance text is not "short")
    double cload = 0; // with seriesC: 0 F ("open") lets no current through
    double vin = 1; // input, V (DC and AC amplitude)
    double frequency = 1e3; // the page's signal frequency, a point of the .ac sweep
};

// The pump around an ideal amplifier of gain 1e9 for a SPICE simulator: the
// input source, the two dividers, R_S, the optional damping network and the
// R-L-C load with a 0 V source `VILOAD` that reads the load current. `.op`
// gives the DC transconductance i(VILOAD)/V_IN, `.ac` the same over the
// signal frequency range: 20 points a decade from below 1 Hz to at least
// 100 kHz, the signal frequency one of them, where the real part of
// i(VILOAD)/V_IN is the page's "Actual" transconductance.
SpiceNetlist currentPumpNetlist(const PumpCircuit &pump, const QString &title);
