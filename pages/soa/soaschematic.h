#pragma once

#include <QString>
#include <QVector>

#include "catalog/records.h"
#include "pages/resultnote.h"

class QCustomPlot;
class QCPItemText;

// What the SOA schematic draws: the amplifier(s), the supplies as typed, the
// configuration and the load.
struct SoaSchematicCase {
    amp record;
    int parallel = 1; // amplifiers per side
    bool bridge = false;
    bool unipolar = false; // bridged with "Unipolar Output": the slave's supplies are mirrored
    enum class Load { Motor, Series, Parallel, None } load = Load::Series;
    double R = 1000, L = 0, C = 4294967295.0; // as the load fields read
    QString vsPos = QStringLiteral("50"), vsNeg = QStringLiteral("-50");
    QString vbPos = QStringLiteral("50"), vbNeg = QStringLiteral("-50");
    QString rcs = QStringLiteral("1");
    NoteTone supplyTone = NoteTone::Normal; // a warning turns the supply labels red
};

// The clickable labels of a drawing, by slot; a slot not drawn is nullptr.
enum SoaLabelSlot {
    VsPosMaster,
    VsNegMaster,
    VsPosSlave,
    VsNegSlave,
    VbPosMaster,
    VbNegMaster,
    VbPosSlave,
    VbNegSlave,
    RcsLabel,
    SoaLabelCount
};

// One-time set-up of the canvas with its title.
void setupSOAschematic(QCustomPlot *plot);
// Ranges that keep plot units square and every symbol in view; called before each replot.
void fitSOAschematic(QCustomPlot *plot);
// Clears the canvas and draws the case; returns the labels by SoaLabelSlot.
QVector<QCPItemText *> drawSOAschematic(QCustomPlot *plot, const SoaSchematicCase &c);
