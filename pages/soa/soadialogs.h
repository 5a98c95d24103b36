#pragma once

#include <QString>
#include <functional>

#include "catalog/records.h"

class QWidget;

// The output signal as the SOA page keeps it, texts as typed.
struct SoaSignalSettings {
    int type = 0; // 0 sine, 1 trapezoid, 2 uploaded, 3 DC motor
    bool voltage = true;
    QString maximum = QStringLiteral("40"), minimum = QStringLiteral("-40");
    QString frequency = QStringLiteral("1k");
    QString tRise = QStringLiteral("25u"), tHigh = QStringLiteral("25u");
    QString tFall = QStringLiteral("25u"), tLow = QStringLiteral("25u");
    QString csvScale = QStringLiteral("1");
};

// "Change Output Signal Waveform": one page per signal kind. On OK the
// settings of the chosen kind are written back and true returned; `upload`
// runs when the user asks for a CSV file.
bool changeSOASignal(QWidget *parent, SoaSignalSettings &signal, const std::function<void()> &upload);

// "Change Supply Voltage", with the focus in the positive (`positive`) or the
// negative field; an empty field keeps its supply. Returns whether OK was pressed.
bool changeSOAVsValue(QWidget *parent, const amp &record, bool positive, QString &vsPos, QString &vsNeg);

// The boost supplies that go with the supplies.
struct SoaBoost {
    bool on = false;
    QString vbPos, vbNeg;
};
// The boost supplies for the supplies: the supplies themselves without boost,
// else the supplies widened by the part's largest boost.
SoaBoost boostSupplies(const amp &record, bool on, const QString &vsPos, const QString &vsNeg);

// "Change Boost Supply Voltage": "No Boost" or the part's boost. Returns
// whether OK was pressed, with `boost` set from the choice.
bool changeSOAVbValue(
    QWidget *parent, const amp &record, const QString &vsPos, const QString &vsNeg, SoaBoost &boost);
