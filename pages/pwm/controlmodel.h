#pragma once

#include <QPair>
#include <QString>
#include <QVector>
#include <array>

#include "catalog/records.h"
#include "pages/pwm/filternetwork.h"
#include "pages/pwm/powerstate.h"
#include "pages/resultnote.h"
#include "values/comp.h"

// The analog loop around a PWM amplifier: an integrator compares the input
// with a feedback signal (the output voltage through a difference amplifier or
// a T-network, or the output current through a sense resistor) and drives the
// PWM input. The model evaluates the loop on the power page's filter network.

enum class ControlCircuit { Voltage1, Voltage2, Current1, Current2 };

// The circuit components, in design-file order.
enum ControlPart {
    Rint,
    Cint,
    Vref,
    Vbias,
    Rbias,
    Rin,
    Rf,
    Rnf,
    Cnf,
    Rdf,
    Cdf,
    Rdin,
    Rdif,
    Cdif,
    Rbh,
    Rbl,
    Rs,
    Rv,
    Cv,
    kControlPartCount
};
using ControlParts = std::array<QString, kControlPartCount>;

QString controlPartKey(int part); // "SConRint" ...
QString controlPartUnit(int part); // "Ω", "F" or "V"
bool isControlCapacitor(int part);
// The value of a component as typed: resistors and sources by the value
// parser ("short" 0, "open" the open value); capacitors with "open"/"none"
// 0 F and "short"/"inf"/"Inf" the open value.
double controlPartValue(const ControlParts &parts, int part);
// The values the page starts with (a Voltage 1 circuit).
ControlParts defaultControlParts();

// The components a suggestion reads but never writes (drawn apart on the
// schematic), and those that belong to the circuit at all.
QVector<int> userFixedParts(ControlCircuit circuit);
QVector<int> circuitParts(ControlCircuit circuit);

// Everything the loop needs besides the components.
struct ControlInput {
    ControlCircuit circuit = ControlCircuit::Voltage1;
    bool fullBridge = true;
    pwm amp;
    double vinMax = 3.2, vinMin = -1.2;
    double fsig = 100; // Hz
    double vs = 72, vcc = 15;
    double fsw = 20e3; // Hz
    double outMax = 30, outMin = -30; // volts or amperes
    FilterNetwork network;
};

// The power page as it starts, until the window hands the real one over:
// TZ636, Vs 48 V, 20 kHz, signal 2 kHz, +-40 V, full bridge, and a second-order
// filter of 33 uH and 1 uF into an 8 ohm load.
PowerPageState defaultPowerState();

// The modulator and output stage of one circuit.
struct PowerStage {
    int n = 2; // 2 full bridge; 1 or -1 half bridge (sign of the modulator)
    double Vramp = 1; // ramp peak to peak
    double mid = 0; // ramp midpoint
    double Km = 0; // n * Vs / Vramp
    double Rout = 0; // switch on-resistances at 25 C and wiring
    double Vm = 0; // integrator level at zero output
};
// rampShift: -1, 0 or +1 half ramps added to the midpoint for Vm.
PowerStage powerStage(const ControlInput &in, int n, int rampShift);
comp stageGain(const PowerStage &stage, const FilterTransfer &filter); // Hps
double stageGainDC(const PowerStage &stage, const FilterGain &filter); // Gdc

// A node's range at the signal frequency and at DC for the input between its
// minimum and its maximum.
struct OperatingRange {
    QString label;
    bool current = false; // amperes rather than volts
    bool valid = false; // false when the loop has no solution
    double acLow = 0, acHigh = 0, dcLow = 0, dcHigh = 0;
    bool outOfRange = false; // the PWM output leaving what the supply allows
};
enum RangeSlot {
    IntegratorOut,
    PwmOut,
    DiffAmpOut,
    CmInput,
    AmpCurrent,
    LoadCurrent,
    LoadVoltage,
    kRangeSlots
};

struct ControlResult {
    QVector<double> freq; // 400 grid points from 1 Hz, then fsig
    QVector<double> gainDb; // 20 log10(1/|T|)
    bool valid = false; // false when the curve has no finite point
    double peaking = 0;
    double phase = 0; // phase-margin estimate from the peaking, degrees
    double peakFreq = 0;
    std::array<OperatingRange, kRangeSlots> ranges; // the circuit's own (label empty: not shown)
};

int controlBridgeN(const ControlInput &in); // n of the frequency sweep
// T = the fraction of the integrator output that returns to its inverting input.
comp loopReturn(const ControlInput &in, const ControlParts &parts, const PowerStage &stage,
    const FilterTransfer &filter, double f);
ControlResult calcControl(const ControlInput &in, const ControlParts &parts);

// Phase-margin estimate for a peaking in dB.
double phaseFromPeaking(double peaking);
// Text of one range: "label\nlow to high V @ fsig\nlow to high V @ DC".
QString rangeText(const OperatingRange &range);

struct ValidationResult {
    ResultNotes notes;
    bool vccFixed = false, fswFixed = false; // the amplifier allows one value only
    double vcc = 0, fsw = 0; // the values used (the fixed ones where fixed)
};
ValidationResult SConValidate(const ControlInput &in);

// A suggestion: component texts to write, in order.
using ControlWrites = QVector<QPair<int, QString>>;
ControlWrites suggestV1(const ControlInput &in, const ControlParts &parts);
ControlWrites suggestV2(const ControlInput &in, const ControlParts &parts);
// previousPeak: the peak frequency shown by the last computation (Hz).
ControlWrites suggestI1(const ControlInput &in, const ControlParts &parts, double previousPeak);
ControlWrites suggestI2(const ControlInput &in, const ControlParts &parts, double previousPeak);
ControlWrites suggestControl(const ControlInput &in, const ControlParts &parts, double previousPeak);
void applyWrites(ControlParts &parts, const ControlWrites &writes);
