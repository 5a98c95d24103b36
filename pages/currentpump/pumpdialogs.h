#pragma once

#include <QString>

#include "pages/currentpump/pumpmodel.h"

class QWidget;

// "Resistance and Tolerance": a new resistance (an empty entry keeps the old
// one) and a tolerance from the ladder. Returns whether OK was pressed.
bool changeRtolerance(QWidget *parent, QString &value, QString &tolerance);

// "IHCP Load": resistance, reactive element and frequency, and whether the
// reactive element is a series inductance, a series capacitance or none.
// Returns whether OK was pressed, with the entries written back.
bool changeLoad(QWidget *parent, PumpEntries &e);
