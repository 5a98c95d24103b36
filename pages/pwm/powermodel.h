#pragma once

#include <QString>

#include "catalog/records.h"
#include "pages/pwm/filternetwork.h"
#include "pages/resultnote.h"

// Everything the PWM power computation needs, already parsed: the amplifier,
// the network it drives, the operating conditions and the thermal path.
struct PowerInput {
    pwm amp;
    FilterNetwork network;
    double Vs = 48;
    double fsw = 20e3; // Hz
    double fsig = 2e3; // Hz
    int signalType = 0; // 0: the output is a voltage, 1: a current; anything else gives no signal
    double outMax = 40; // V or A
    double outMin = -40;
    bool fullBridge = true;
    bool singleEnded = false;
    double Ta = 25; // degC
    double heatsink = 0; // degC/W; kOpenValue means none
    double compound = 0.1; // case to heatsink, degC/W
    // The sweep range; a bound that is "auto" is chosen from fsig.
    bool FminAuto = true;
    bool FmaxAuto = true;
    double Fmin = 0;
    double Fmax = 0;
};

// Quiescent power from the supply and from the small-signal supply.
struct QuiescentPower {
    double PVs = 0;
    double PVcc = 0;
    double total() const { return PVs + PVcc; }
};
QuiescentPower PiqPWM(const PowerInput &in);

// Ripple current amplitude out of the amplifier.
double Iripple(const PowerInput &in);
// Ripple voltage amplitude at the load.
double Vripple(const PowerInput &in);

// The amplifier's side of the operating point: DC and AC parts of the voltage
// at and the current out of the amplifier, and the load's.
struct OperatingPoint {
    double Vdc = 0, Vac = 0; // at the amplifier
    double Idc = 0, Iac = 0; // out of the amplifier
    double VLdc = 0, VLac = 0; // at the load
    double ILdc = 0, ILac = 0; // into the load
    double Zin = 0; // |input impedance| at the frequency
    double ZL = 0, phiL = 0; // load impedance and its phase, degrees
    double Irms() const;
    double Vrms() const;
    double VLrms() const;
    double ILrms() const;
};
// The DC part (f is ignored) and the AC part at f.
OperatingPoint operatingPoint(const PowerInput &in, double f);

// The share of the output current that the top and the bottom switch carry.
struct ElementCurrents {
    double top = 0;
    double bottom = 0;
};
ElementCurrents elementCurrents(double Idc, double Iac);

// On-resistance of the output elements at a junction temperature.
double topResistance(const pwm &amp, double Tj);
double bottomResistance(const pwm &amp, double Tj);

struct PowerResult {
    QuiescentPower piq;
    double Irip = 0; // amplitude
    double Vrip = 0;
    OperatingPoint op;
    ElementCurrents elements;
    double Pwire = 0;
    // Design limit: the hottest case and the smallest heatsink that keep both limits.
    bool limitFound = false;
    double TcSugg = 0;
    double RsaMin = 0;
    bool heatsinkNotNeeded = false; // the amplifier alone suffices
    // The operating point.
    double Tj = 0, Tc = 0;
    bool runaway = false;
    double Ptop = 0, Pbot = 0, Ptot = 0; // whole stage (both channels of a bridge)
    double Pout = 0;
    double linearLow = 0, linearHigh = 0, saturationLow = 0, saturationHigh = 0;
    ResultNotes notes;
    // Result labels that can turn red.
    NoteTone minHeatsinkTone = NoteTone::Normal;
    NoteTone tempCTone = NoteTone::Normal;
    NoteTone tempJTone = NoteTone::Normal;
    NoteTone powerTone = NoteTone::Normal;
    NoteTone tcMaxTone = NoteTone::Normal;
};

// Losses, thermal solution, ripple, output range and warnings.
PowerResult computePower(const PowerInput &in);
