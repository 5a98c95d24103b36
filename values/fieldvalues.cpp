#include "values/fieldvalues.h"

#include "values/sivalues.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <qcustomplot.h>

namespace {

void setTextColour(QLineEdit *field, const QColor &colour)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Active, QPalette::Text, colour);
    palette.setColor(QPalette::Inactive, QPalette::Text, colour);
    palette.setColor(QPalette::Disabled, QPalette::Text, colour);
    field->setPalette(palette);
}

} // namespace

double field2Number(QLineEdit *field, const QString &kind)
{
    if (!field)
        return 0;
    // Every parse resets the colour, so a red field turns back after a good entry.
    setTextColour(field, field->isEnabled() ? QColor(Qt::black) : QColor(Qt::gray));
    // "inf" and "nan" are read as the open value and as zero; the field then
    // shows the tool's own word for what it read, so neither stands on screen.
    const QString word = field->text().toLower();
    if (word == QLatin1String("inf"))
        field->setText(kind == QLatin1String("C") ? QStringLiteral("short") : QStringLiteral("open"));
    else if (word == QLatin1String("nan"))
        field->setText(QStringLiteral("0"));
    const ParsedValue parsed = parseEngineering(field->text(), ParseRules::Field, kind);
    if (!parsed.valid) {
        setTextColour(field, QColor(Qt::red));
        return 0;
    }
    return parsed.value;
}

double label2Number(const QString &text, QCPItemText *label)
{
    if (label)
        label->setColor(QColor(Qt::black));
    const ParsedValue parsed = parseEngineering(text, ParseRules::Label);
    if (!parsed.valid) {
        if (label)
            label->setColor(QColor(255, 0, 0));
        return 0;
    }
    return parsed.value;
}

void setLabelSI(double value, QLabel *label, const QString &unit)
{
    if (label)
        label->setText(labelSIText(value, unit));
}

void setFieldSI(double value, QLineEdit *field, const QString &unit)
{
    if (field)
        field->setText(fieldSIText(value, unit));
}

void setItemSI(double value, QCPItemText *item, const QString &unit)
{
    if (item)
        item->setText(itemSIText(value, unit));
}
