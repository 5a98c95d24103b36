#include "pages/stability/stabilityschematic.h"

#include <qcustomplot.h>

#include "app/schematic/primitives.h"
#include "values/sivalues.h"

bool stabHasExternalCurrentLimit(const amp &record)
{
    return record.Vbe != 0 && record.CLint == 0;
}

bool stabHasCompensation(const amp &record)
{
    return record.SROptions >= 2 || record.Ccomp.value(0) != 0;
}

bool stabHasRcomp(const amp &record)
{
    for (double r : record.Rcomp)
        if (r != 0)
            return true;
    return false;
}

QString stabCcompText(const amp &record, int option)
{
    return QStringLiteral("C_COMP\n") + QString::number(record.Ccomp.value(option), 'g', 6) +
           QStringLiteral(" pF");
}

QString stabRcompText(const amp &record, int option)
{
    return QStringLiteral("R_COMP\n") + formatSI(record.Rcomp.value(option), QStringLiteral("\u03A9"));
}

StabSchematicLabels drawStabSchematic(QCustomPlot *plot, const StabSchematicCase &c)
{
    Q_UNUSED(c);
    clearSchematic(plot);
    return {};
}
