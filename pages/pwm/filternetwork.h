#pragma once

#include <array>

#include "pages/pwm/networkelement.h"
#include "values/comp.h"

// The real output filter of a PWM amplifier and its load: the ladder L1, C1,
// L2, C2, L3, C3 from the amplifier towards the load, every part with its
// parasitics, a matching branch across the load and a load of one or five
// branches. The power page and the control design both evaluate it; the
// strings are the fields as typed ("open" and "short" included).
//
// An open circuit is an open circuit here: a magnitude that is infinite for
// that reason comes back as +infinity (never as a huge finite number), and a
// complex impedance that is open comes back with a real part of +infinity and
// an imaginary part of 0. Pages show such a value as a word.
struct FilterNetwork {
    // P1..P6. Inductors (P1, P3, P5): L per leg, series R, parallel C.
    // Capacitors (P2, P4, P6): C per capacitor, series R, series L.
    std::array<networkElement, 6> filter;
    networkElement matching; // MN: series R, L, C across the load
    std::array<networkElement, 5> load; // L1..L5, each a series R, L, C
    // Only L5 loads the filter unless set; then the load is
    // (L5 || L3 || L4) + (L1 || L2).
    bool extendedLoad = false;
    int order = 0; // P(order+1)..P6 are absent: a short inductor, an open capacitor
    int nL = 1; // every inductor counts this many times (two legs)
    int nC = 1; // every shunt capacitor branch counts this many times (one per leg)
};

// The factors of the three filter types.
int inductorFactor(bool dualCapacitor, bool splitInductor);
int capacitorFactor(bool dualCapacitor);

// Every string "0", except the series capacitors of load branches L1, L2 and
// L5, which are "short": the extended load then equals L5 and MN is open.
void resetNetworkElements(FilterNetwork &network);

// The network at one frequency, driven by a voltage ('V') or a current ('I')
// of amplitude V at the amplifier. Any other drive gives Vload = 0.
struct NetworkAC {
    double Vload = 0; // load voltage amplitude
    double Zout = 0; // |input impedance| seen by the amplifier
    double Aout = 0; // its phase, degrees
    double Zload = 0; // |load impedance|, without the matching branch
    double Aload = 0; // its phase, degrees
};
NetworkAC loadACVoltage(const FilterNetwork &network, double F, double V, char VorI);

// The same at DC, with resistances only.
struct NetworkDC {
    double Vload = 0;
    double Rtot = 0; // DC input resistance
    double Rload = 0; // DC load resistance
};
NetworkDC loadDCVoltage(const FilterNetwork &network, double VDC, char VorI);

// Complex form for loop design: load voltage over amplifier voltage, input
// impedance and load impedance at F.
struct FilterTransfer {
    comp Tfil;
    comp Ztot;
    comp Zload;
};
FilterTransfer Tfilter(const FilterNetwork &network, double F);

// Its DC counterpart: the DC load voltage for 1 V at the amplifier.
struct FilterGain {
    double Gfil = 0;
    double Rtot = 0;
    double Rload = 0;
};
FilterGain Gfilter(const FilterNetwork &network);

// Real power lost in the six filter parts for a voltage amplitude V at F.
double FilterPower(const FilterNetwork &network, double F, double V);

// A parasitic that grows in a straight line: value = slope * x + offset.
struct ParasiticLine {
    double slope = 0;
    double offset = 0;
};

// Inductor: R = esr(L in mH) ohms and a parallel C = epc(L in mH) picofarads.
struct InductorParasitics {
    double R = 0;
    double C = 0; // farads
};
InductorParasitics inductorParasitics(double henries, ParasiticLine esr, ParasiticLine epc);

// Capacitor: R = esr(decades) ohms and L = esl(decades) nanohenries, where
// decades = log10(C / decadeStart) and never below 0: 1 uF for plastic and
// ceramic parts, 10 uF for electrolytics.
struct CapacitorParasitics {
    double R = 0;
    double L = 0; // henries
};
CapacitorParasitics capacitorParasitics(
    double farads, double decadeStart, ParasiticLine esr, ParasiticLine esl);

constexpr double kPlasticDecadeStart = 1e-6;
constexpr double kElectrolyticDecadeStart = 10e-6;

// The parasitics buttons: write (or zero) the parasitic strings of the three
// inductors or the three capacitors. A part of no value gets none.
void useInductorParasitics(FilterNetwork &network, ParasiticLine esr, ParasiticLine epc);
void useCapacitorParasitics(FilterNetwork &network, double decadeStart, ParasiticLine esr, ParasiticLine esl);
void zeroInductorParasitics(FilterNetwork &network);
void zeroCapacitorParasitics(FilterNetwork &network);

// The matching branch that makes a series R-L or R-C load look like its
// resistance at every frequency, tuned at 1 kHz; all "0" (no branch) for a
// resistive, open or lossless load.
networkElement autoMatchingNetwork(const FilterNetwork &network);
