#include "app/schematic/valuelabels.h"

#include "values/fieldvalues.h"
#include "values/sivalues.h"

#include <qcustomplot.h>

#include <QInputDialog>
#include <QLineEdit>
#include <QPointer>
#include <cmath>
#include <locale>
#include <sstream>
#include <string>

namespace {

const char *const kDialogTitle = "New Value";
const char *const kDialogPrompt = "Enter as 470u, 2.2k, open, short, ...";

bool showsAsTyped(double value)
{
    return value == 0 || value == kOpenValue;
}

// Runs the shared entry dialog over the item's canvas; false when cancelled or when the
// item went away while the dialog was open.
bool askValue(QCPItemText *item, const QString &prefill, QString *typed)
{
    QPointer<QCPItemText> guard(item);
    QInputDialog dialog(item ? item->parentPlot() : nullptr);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(QString::fromLatin1(kDialogTitle));
    dialog.setLabelText(QString::fromLatin1(kDialogPrompt));
    dialog.setTextEchoMode(QLineEdit::Normal);
    dialog.setTextValue(prefill);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    *typed = dialog.textValue();
    return accepted && (!item || guard);
}

// A blank entry would silently turn the part into a short, so it counts as no entry.
bool isBlank(const QString &text)
{
    return text.trimmed().isEmpty();
}

} // namespace

QCPItemText *addSchematicText(
    QCustomPlot *plot, double x, double y, const QString &text, Qt::Alignment anchor, const QColor &colour)
{
    if (!plot)
        return nullptr;
    auto *item = new QCPItemText(plot);
    item->position->setType(QCPItemPosition::ptPlotCoords);
    item->position->setCoords(x, y);
    item->setPositionAlignment(anchor);
    item->setTextAlignment(Qt::AlignCenter);
    item->setColor(colour);
    item->setText(text);
    return item;
}

QString stabValueText(const QString &value, const QString &unit)
{
    const ParsedValue parsed = parseEngineering(value, ParseRules::Label);
    if (!parsed.valid || showsAsTyped(parsed.value))
        return value;
    // Read as a text stream would: the leading number, then the next word as the suffix.
    std::istringstream stream(value.toStdString());
    stream.imbue(std::locale::classic());
    double leading = 0;
    stream >> leading;
    std::string suffix;
    stream >> suffix;
    return QString::number(leading, 'g', 6) + QLatin1Char(' ') + QString::fromStdString(suffix) + unit;
}

void displayStabText(const QString &value, QCPItemText *item, const QString &name, const QString &unit)
{
    if (!item)
        return;
    label2Number(value, item);
    item->setText(name + QLatin1Char('\n') + stabValueText(value, unit));
}

QCPItemText *displayStabText(QCustomPlot *plot, double x, double y, const QString &value, const QString &name,
    const QString &unit, Qt::Alignment anchor)
{
    QCPItemText *item = addSchematicText(plot, x, y, QString(), anchor);
    displayStabText(value, item, name, unit);
    return item;
}

QString changeStabValue(QCPItemText *item, const QString &name, const QString &unit, const QString &oldValue)
{
    QString typed;
    if (!askValue(item, QString(), &typed) || isBlank(typed))
        return oldValue;
    displayStabText(typed, item, name, unit);
    return typed;
}

QString itemValueText(const QString &value, const QString &unit)
{
    const double number = string2Number(value);
    if (showsAsTyped(number))
        return value;
    return formatSI(number, unit);
}

void displayItemText(const QString &value, QCPItemText *item, const QString &unit)
{
    if (item)
        item->setText(itemValueText(value, unit));
}

QString changeSConValue(QCPItemText *item, const QString &current, const QString &unit)
{
    QPointer<QCPItemText> guard(item);
    QString typed;
    const bool accepted = askValue(item, current, &typed);
    const QString result = accepted && !isBlank(typed) ? typed : current;
    if (guard) {
        displayItemText(result, guard, unit);
        guard->parentPlot()->replot();
    }
    return result;
}

bool sameLabelCoordinate(double a, double b)
{
    if (a == 0 || b == 0)
        return std::fabs(a - b) <= 1e-12;
    return std::fabs(a - b) <= 1e-12 * std::min(std::fabs(a), std::fabs(b));
}

bool sameLabelPosition(const QCPAbstractItem *a, const QCPAbstractItem *b)
{
    const auto *ta = qobject_cast<const QCPItemText *>(a);
    const auto *tb = qobject_cast<const QCPItemText *>(b);
    if (!ta || !tb)
        return false;
    const QPointF pa = ta->position->coords();
    const QPointF pb = tb->position->coords();
    return sameLabelCoordinate(pa.x(), pb.x()) && sameLabelCoordinate(pa.y(), pb.y());
}

int matchLabelSlot(const QCPAbstractItem *clicked, const QVector<QCPItemText *> &labels)
{
    for (int i = 0; i < labels.size(); ++i) {
        if (labels[i] && sameLabelPosition(clicked, labels[i]))
            return i;
    }
    return -1;
}
