#pragma once

#include <QString>
#include <QVector>
#include <array>

#include "catalog/records.h"
#include "pages/resultnote.h"

// Time-stepped simulation of a three-leg PWM bridge driving a brushless motor
// (rotary or linear, wye or delta), its loss accounting and the thermal loop
// around it. Plain C++ on QtCore: the three-phase page and the tests call it.
namespace ThreePhase {

enum Commutation { Sinusoidal = 0, Trapezoidal = 1, SixStep = 2 };

// The warning bits, in the order their texts are listed.
enum Warning : quint16 {
    LowCarrierRatio = 0x0001,
    NoRpmSolution = 0x0002,
    ZeroEmf = 0x0004,
    BadTimescale = 0x0008,
    PowerTooHigh = 0x0010,
    VsTooHigh = 0x0020,
    VccTooHigh = 0x0040,
    FswTooHigh = 0x0080,
    PeakTooHigh = 0x0100,
    RmsTooHigh = 0x0200,
    ThermalRunaway = 0x0400,
    CaseTooHot = 0x0800,
    JunctionTooHot = 0x1000,
    VsTooLow = 0x2000,
    VccTooLow = 0x4000,
    DutyClipped = 0x8000,
};

// The text of one warning bit, with its leading line break.
QString warningText(quint16 bit);

// Base steps (1/100 of a switching period) that one run may span: the default
// window at the catalog's highest switching frequency (75 ms at 500 kHz) is
// 3.75 million. A longer run is refused with a note instead of freezing.
constexpr double kMaxSteps = 5e6;
// Steps one refresh may take over all passes of the thermal loop. A pass is
// simulated only while its steps still fit; the later passes keep the last
// simulated currents and re-evaluate the switch losses at their own
// on-resistance, so a long run costs one or two simulations, not 21.
constexpr double kStepBudget = 5e6;
// Samples kept for the plots and the export; a longer run keeps every n-th
// step so that memory stays bounded (every step still counts in the results).
constexpr int kMaxSamples = 250000;
// Passes of the thermal loop before runaway is declared.
constexpr int kMaxPasses = 21;

// The motor and its control, already parsed.
struct Motor {
    double R = 10, L = 33e-3, Vemf = 5e-3;
    int nPoles = 4;
    bool isDelta = true;
    int controlVariable = 1; // 0 current (A peak), 1 RPM, 2 duty (% of maximum)
    int controlType = 0; // 0 constant amplitude, else the profile
    int constantVariable = 2; // 0 RPM, 1 V/RPM ratio, 2 duty (%)
    double controlAmplitude = 600, constantAmplitude = 75;
    QVector<double> times, amplitudes; // the profile
    bool isLinear = false;
    double cycleLength = 5e-3;
};

struct Input {
    double Vs = 50, Vcc = 5, FswKHz = 1;
    int commutation = Sinusoidal;
    double ambient = 25, heatsink = 0, tim = 0;
    bool heatsinkNone = false; // "none": the part's free-air value
    double startTime = 25e-3, endTime = 75e-3;
    bool removeDiode = false, removeSwitching = false;
    Motor motor;
    bool plainStepping = false; // every step 1/100 of a switching period (for comparisons)
    double stepBudget = kStepBudget; // steps over all thermal passes (smaller in tests)
};

// The motor constants the simulation works with: rotary equivalents for a
// linear motor, per-leg values for delta windings.
struct MotorConstants {
    double R = 0, L = 0, Vemf = 0, n = 1;
};
MotorConstants motorConstants(const Motor &motor);

// The control profile: time, cycle frequency and duty envelope per point.
struct ControlProfile {
    QVector<double> time, frequency, duty;
};

// Per-step vectors for the plots and the export.
struct Traces {
    QVector<double> time, carrier, envelope, frequency, angle, neutral, loadPower;
    std::array<QVector<double>, 3> duty, commanded, emf, lineEmf, current, output, upper, lower;
    int stride = 1; // every stride-th step is kept
    void clear();
};

// What one pass of the simulation accumulates over the averaging window.
struct Pass {
    bool hasWindow = false;
    double loadPower = 0, conduction = 0, wire = 0, diode = 0, switching = 0, quiescent = 0;
    double peakCurrent = 0, rmsCurrent = 0;
    std::array<double, 6> switches {}; // upper A, B, C, lower A, B, C (conduction share)
    std::array<double, 6> diodes {}; // upper A, B, C, lower A, B, C
    // Each switch's conducting current over the window, as mean of |i| and of
    // i^2, so that its losses can be re-evaluated at another on-resistance.
    std::array<double, 6> switchMean {}, switchMeanSquare {};
    quint16 warnings = 0;
    int steps = 0;
};

struct Result {
    bool simulated = false; // false when the inputs cannot be simulated (see notes)
    Pass pass;
    double ampPower = 0, efficiency = 0;
    double Ron = 0, Tcase = 0, Tjunction = 0;
    bool separateDiodeJunction = false;
    int iterations = 0;
    int simulatedPasses = 0; // passes that ran the simulation (the rest reused its currents)
    quint16 warnings = 0;
    ResultNotes notes; // the detail list, warnings last
    Traces traces;
};

double P3DCfromIandRPM(double Ipk, double RPM, double Vs, const MotorConstants &m, int commutation);
double P3RPMfromIandDC(
    double Ipk, double DCenv, double Vs, const MotorConstants &m, int commutation, quint16 &warnings);
// Linear interpolation for a monotone sweep of `searchNum`: the walk starts at
// `startIndex`, which is left at the segment used.
double linterp(const QVector<double> &searchVector, const QVector<double> &returnVector, double searchNum,
    int &startIndex, quint16 &warnings);
ControlProfile generateControlVector(const Input &in, const pwm &part, double endTime, quint16 &warnings);

// Why the inputs cannot be simulated, or an empty text.
QString inputProblem(const Input &in, const pwm &part);
// One run at switch on-resistance Ron; fills `traces` when given.
Pass analyzeThreePhase(const Input &in, const pwm &part, double Ron, Traces *traces);
// A run's results with the switch losses re-evaluated at on-resistance Ron,
// the currents kept as they were.
Pass atOnResistance(const Pass &run, const pwm &part, double Ron);
// The thermal loop around the simulation, the results and the notes.
Result computeThreePhase(const Input &in, const pwm &part);

} // namespace ThreePhase

namespace ThreePhase {

// How the plotted signals read: duty instead of switched voltage, line
// instead of phase back-EMF (delta), position instead of angle (linear).
struct SignalView {
    bool dutyAsVoltage = false, delta = false, linear = false;
};

// The vector a signal name stands for and its axis title; null for "null"
// or a name with no vector (the neutral of delta windings).
const QVector<double> *signalVector(const Traces &traces, const QString &name, const SignalView &view);
QString signalTitle(const QString &name, const SignalView &view);

// The export: one line per kept step, the time then "," and each signal's value.
QByteArray pwlText(const Traces &traces, const QStringList &names, const SignalView &view);

} // namespace ThreePhase
