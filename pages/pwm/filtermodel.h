#pragma once

#include <array>

#include <QString>
#include <QVector>

#include "pages/pwm/filterexport.h"

// The output filter designer: a Butterworth LC ladder of order 1 to 6 between
// the switching output(s) and a resistive load, in one of three topologies,
// and the matching branch that makes a series R-C or R-L load look resistive.

using FilterTopology = FilterExport::Topology;

// The design sheet's entries, already parsed. Frequencies in Hz.
struct FilterInput {
    double Vs = 48;
    double fsw = 20e3;
    double fc = 2e3;
    double Vrip = 0.02;
    double RL = 15;
    int order = 2; // the order actually designed, 1..6
    FilterTopology topology = FilterTopology::SplitInductor;
};

// Normalised Butterworth ladder values (zero source impedance, load R = 1,
// cut-off 1 rad/s), counted from the amplifier: L1, L2, L3 and C1, C2, C3 of
// order n. Orders outside 1..6 have no elements.
struct ButterworthRow {
    std::array<double, 3> L {};
    std::array<double, 3> C {};
};
ButterworthRow butterworthRow(int order);

struct FilterResult {
    // The recommended order; -1 when the requirements give none (no finite
    // quotient, for example a cut-off at or above the switching frequency).
    int recommendedOrder = -1;
    double rippleV = 0; // V peak at the load
    double rippleI = 0; // A peak out of the amplifier
    double Cleg = 0; // F
    double L1full = 0; // the first inductor of the whole ladder, H
    // False when the cut-off or the load leaves no finite positive ladder.
    bool designable = false;
    // The ladder values, undivided whatever the topology; 0 above the order.
    std::array<double, 3> L {};
    std::array<double, 3> C {};
    // The values of each drawn part: per leg for two-leg topologies.
    std::array<double, 3> drawnL {};
    std::array<double, 3> drawnC {};
};
FilterResult designFilter(const FilterInput &in);

// The inductors of the two-leg topologies are split between the legs; the
// capacitors of Dual-Capacitor are two in series, one from each leg.
int inductorDivisor(FilterTopology topology);
int capacitorMultiplier(FilterTopology topology);

// The ideal response of an order-n Butterworth low pass at 400 frequencies
// from 1 Hz upward in steps of 10^0.015. Empty without a positive cut-off.
struct AttenuationCurve {
    QVector<double> f;
    QVector<double> gainDb; // 0 down to very negative, always finite
    QVector<double> percent; // 0..100
};
AttenuationCurve idealAttenuation(double fc, int order);

// The matching sheet: R in ohms; the reactive part as typed, C in uF or L in mH.
struct MatchingInput {
    double R = 15;
    bool loadIsC = false;
    QString Cload = QStringLiteral("short");
    QString Lload = QStringLiteral("short");
};
// A branch across the load: R_M in series with L_M (capacitive load) or C_M
// (inductive load). `proposed` is false for "short", "open", zero or a
// load without a positive finite resistance: all three read "none".
struct MatchingResult {
    bool proposed = false;
    double Rm = 0;
    double Lm = 0; // H, 0 for an inductive load
    double Cm = 0; // F, 0 for a capacitive load
};
MatchingResult matchingNetwork(const MatchingInput &in);

// How a reactive-load text reads: a value in the typed unit, an open part,
// or none at all ("short", zero, negative or not a number).
enum class ReactiveKind { None, Open, Value };
struct ReactivePart {
    ReactiveKind kind = ReactiveKind::None;
    double value = 0;
};
ReactivePart readReactivePart(const QString &text);

// Everything "Load Filter to Power Sheet" needs from the filter page.
struct FilterEntries {
    FilterInput design;
    bool halfBridge = false;
    MatchingInput load; // its R is not used: the load is the design's R_L
    QString amplifier;
    QString Vs; // as typed, never a warning text
    QString Fsw;
};
FilterExport loadFilter(const FilterEntries &entries);
