#pragma once

#include <QString>
#include <QVector>

// The demonstration Bode plot: open- and closed-loop gain typed in dB at each
// decade from 1 Hz to 100 MHz.
struct DemoBodeInput {
    QVector<QString> openLoop; // nine texts, 1 Hz first
    QVector<QString> closedLoop; // nine texts, 1 Hz first
};

struct DemoBodeResult {
    QVector<double> frequency; // Hz
    QVector<double> openLoop, closedLoop; // dB
    // Texts that are no finite number; they count as 0 dB.
    QVector<bool> openLoopBad, closedLoopBad;
};

constexpr int kDemoDecades = 9;

DemoBodeResult demoBodePoints(const DemoBodeInput &input);
