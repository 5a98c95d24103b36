#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include "catalog/catalogs.h"

// The product selection guide: five comma-separated tables of the catalog's
// amplifiers, each with a line of column titles, a line of units and one line
// per listed amplifier, sorted by the table's key figure.
void HighCurrentOpAmpList(QTextStream &out, const Catalogs &catalogs);
void HighSpeedOpAmpList(QTextStream &out, const Catalogs &catalogs);
void HighVoltageOpAmpList(QTextStream &out, const Catalogs &catalogs);
void HighCurrentPWMList(QTextStream &out, const Catalogs &catalogs);
void HighVoltagePWMList(QTextStream &out, const Catalogs &catalogs);

// The five file names, in the order they are written.
QStringList productGuideFiles();

struct ProductGuideExport {
    QStringList written; // full paths of the files written, in order
    QString failed; // full path of the file that could not be written; empty on success
};

// Writes the five tables into `folder`; the first file that cannot be written
// ends the export, and the files before it stay.
ProductGuideExport writeProductGuide(const QString &folder, const Catalogs &catalogs);
