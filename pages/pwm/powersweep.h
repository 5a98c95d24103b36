#pragma once

#include <QString>
#include <QVector>

#include "pages/pwm/powermodel.h"

// The views of the power page's frequency sweep, in the order of its chooser.
enum class SweepView {
    Impedance,
    Current,
    Voltage,
    PhaseShift,
    Power,
    Efficiency,
    AttenuationDb,
    AttenuationPercent
};

// One named curve over frequency. Points where the quantity has no finite
// value (an open circuit, no load voltage in decibels) are left out.
struct SweepCurve {
    QString name;
    QVector<double> f;
    QVector<double> y;
};

struct PowerSweep {
    QString xLabel;
    QString yLabel;
    double xLow = 0, xHigh = 1;
    bool logX = false;
    // The y range of the chart; rescaleY asks the drawing to fit the data.
    double yLow = 0, yHigh = 1;
    bool rescaleY = false;
    QVector<SweepCurve> curves;
};

// The frequency bounds of the linear sweeps and of the attenuation sweep.
struct SweepRange {
    double low = 0;
    double high = 0;
};
SweepRange linearSweepRange(const PowerInput &in);
SweepRange attenuationSweepRange(const PowerInput &in);

// Input and load impedance (magnitude, or phase in degrees) over the linear range.
PowerSweep ImpedanceVsFreq(const PowerInput &in, bool phase);
// Load voltage relative to the amplifier's in dB or percent, over a log range.
PowerSweep AttnVsFreq(const PowerInput &in, bool percent);

// The output sweep: 100 linear points plus 59.9 Hz and 60.1 Hz. It yields the
// curves of the current, voltage, power and efficiency views and the frequency
// of the largest amplifier power (the first one on a tie).
struct OutputSweep {
    PowerSweep current, voltage, power, efficiency;
    double Fhotspot = 0;
};
OutputSweep OutVsFreq(const PowerInput &in);

// The chart of one view, and the hot-spot frequency that every refresh shows.
struct SweepChart {
    PowerSweep sweep;
    double Fhotspot = 0;
};
SweepChart powerSweep(const PowerInput &in, SweepView view);
