#include "pages/pwm/powerschematic.h"

#include "app/schematic/primitives.h"
#include "app/schematic/valuelabels.h"
#include "values/sivalues.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <qcustomplot.h>

namespace {

using Label = PowerSchematicLabel;
using Topology = PowerSchematicCase::Topology;

constexpr int kMN = 6;
constexpr int kLoad = 7; // L1; L5 is kLoad + 4

struct Canvas {
    QCustomPlot *plot;
    QPen pen;
    QVector<Label> labels;
    const PowerSchematicCase &c;

    QCPItemText *text(double x, double y, const QString &s, Qt::Alignment anchor)
    {
        return addSchematicText(plot, x, y, s, anchor);
    }
    // A series R, L, C branch from (x, top) down to (x, bottom), each string labelled.
    void seriesBranch(double x, double top, double bottom, int element)
    {
        const double gap = (top - bottom - 1200) / 2;
        plotWver(plot, pen, x, top, gap);
        const networkElement &e = c.elements.value(element);
        const struct {
            char string;
            const QString &value;
            const char *unit;
        } parts[] = { { 'R', e.R, "\u03a9" }, { 'L', e.L, "H" }, { 'C', e.C, "F" } };
        double y = top - gap;
        for (const auto &p : parts) {
            if (p.string == 'R')
                plotRver(plot, pen, x, y);
            else if (p.string == 'L')
                plotLver(plot, pen, x, y);
            else
                plotCver(plot, pen, x, y);
            QCPItemText *item = text(x + 160, y - 200, QString(), Qt::AlignLeft | Qt::AlignVCenter);
            displayItemText(p.value, item, QString::fromUtf8(p.unit));
            labels.append({ item, Label::Kind::Value, element, p.string, QString::fromUtf8(p.unit) });
            y -= 400;
        }
        plotWver(plot, pen, x, y, y - bottom);
    }
    // The same branch lying in the line from (x, y) to (x + 1800, y), labels above.
    void seriesRun(double x, double y, int element)
    {
        const networkElement &e = c.elements.value(element);
        plotRhor(plot, pen, x, y);
        plotWhor(plot, pen, x + 400, y, 300);
        plotLhor(plot, pen, x + 700, y);
        plotWhor(plot, pen, x + 1100, y, 300);
        plotChor(plot, pen, x + 1400, y);
        const struct {
            char string;
            const QString &value;
            const char *unit;
            double at;
        } parts[] = { { 'R', e.R, "\u03a9", 200 }, { 'L', e.L, "H", 900 }, { 'C', e.C, "F", 1600 } };
        for (const auto &p : parts) {
            QCPItemText *item = text(x + p.at, y + 140, QString(), Qt::AlignHCenter | Qt::AlignBottom);
            displayItemText(p.value, item, QString::fromUtf8(p.unit));
            labels.append({ item, Label::Kind::Value, element, p.string, QString::fromUtf8(p.unit) });
        }
    }
};

// The ladder on the A leg; returns the x where it ends.
double drawLadder(Canvas &k, double x, double H)
{
    const PowerSchematicCase &c = k.c;
    const bool twoLegs = c.topology != Topology::SingleEnded;
    const double start = x;
    for (int i = 0; i < c.order && i < 6; ++i) {
        const networkElement &e = c.elements.value(i);
        if (i % 2 == 0) {
            plotWhor(k.plot, k.pen, x, 0, 100);
            if (c.topology == Topology::SplitInductor)
                plotWhor(k.plot, k.pen, x, -H, 100);
            x += 100;
            plotLLarge(k.plot, k.pen, x, 0);
            QCPItemText *item = k.text(x + 400, 180, QString(), Qt::AlignHCenter | Qt::AlignBottom);
            displayLParasitics(e.L, e.R, e.C, item);
            k.labels.append({ item, Label::Kind::Inductor, i, 'L', QString() });
            if (c.topology == Topology::SplitInductor) {
                plotLLarge(k.plot, k.pen, x, -H);
                k.text(x + 400, -H + 180, QStringLiteral("*"), Qt::AlignHCenter | Qt::AlignBottom);
            }
            x += 800;
        } else {
            plotWhor(k.plot, k.pen, x, 0, 800);
            const double cx = x + 200;
            // Across the legs in the split-inductor filter, to ground otherwise.
            const double bottom = c.topology == Topology::SplitInductor ? -H : -900;
            const double lead = (-bottom - 800) / 2;
            plotWver(k.plot, k.pen, cx, 0, lead);
            plotCLarge(k.plot, k.pen, cx, -lead);
            plotWver(k.plot, k.pen, cx, -lead - 800, lead);
            if (bottom == -900)
                plotG(k.plot, k.pen, cx, bottom);
            QCPItemText *item = k.text(cx + 260, -lead - 400, QString(), Qt::AlignLeft | Qt::AlignVCenter);
            displayCParasitics(e.C, e.R, e.L, item);
            k.labels.append({ item, Label::Kind::Capacitor, i, 'C', QString() });
            if (c.topology == Topology::SplitInductor)
                plotWhor(k.plot, k.pen, x, -H, 800);
            x += 800;
        }
    }
    if (c.order < 1) {
        plotWhor(k.plot, k.pen, x, 0, 400);
        if (twoLegs)
            plotWhor(k.plot, k.pen, x, -H, 400);
        x += 400;
    }
    k.text((start + x) / 2, 1300, QStringLiteral("FILTER"), Qt::AlignCenter);
    if (c.topology == Topology::DualCapacitor) {
        plotRect(k.plot, k.pen, start, -H, x - start, 700);
        k.text((start + x) / 2, -H, QStringLiteral("Identical\nFilter as Above"), Qt::AlignCenter);
    }
    if (c.topology == Topology::SplitInductor && c.order >= 1)
        k.text((start + x) / 2, -H - 250, QStringLiteral("* Identical Inductor as Above"), Qt::AlignCenter);
    return x;
}

// (L5 || L3 || L4) + (L1 || L2): the pair L1, L2 lies in the line, one above
// the other, and the three others hang from it, so the load is no taller than
// the condensed one. Returns the x of the last branch.
double drawExtendedLoad(Canvas &k, double x, double H)
{
    plotWhor(k.plot, k.pen, x, 0, 300);
    x += 300;
    plotWver(k.plot, k.pen, x, 700, 700);
    k.seriesRun(x, 0, kLoad + 0);
    k.seriesRun(x, 700, kLoad + 1);
    plotWver(k.plot, k.pen, x + 1800, 700, 700);
    x += 1800;
    plotWhor(k.plot, k.pen, x, 0, 300);
    x += 300;
    const int order[] = { kLoad + 4, kLoad + 2, kLoad + 3 };
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            plotWhor(k.plot, k.pen, x + (i - 1) * 1100, 0, 1100);
        k.seriesBranch(x + i * 1100, 0, -H, order[i]);
    }
    return x + 2200;
}

QString valueLine(const QString &value, const char *unit)
{
    return itemValueText(value, QString::fromUtf8(unit));
}

// A parasitic is shown only when it has a value: neither zero nor open.
void addParasitic(QString &text, const QString &value, const char *unit)
{
    const double v = string2Number(value);
    if (v != 0 && v != kOpenValue)
        text += QStringLiteral("\n    ") + valueLine(value, unit);
}

} // namespace

QVector<PowerSchematicLabel> drawPowerSchematic(QCustomPlot *plot, const PowerSchematicCase &c)
{
    clearSchematic(plot);
    Canvas k { plot, QPen(Qt::black, 2), {}, c };
    const bool twoLegs = c.topology != Topology::SingleEnded;
    const double H = 1400;
    k.text(-60, 0, QStringLiteral("A OUT"), Qt::AlignRight | Qt::AlignVCenter);
    plotWhor(plot, k.pen, 0, 0, 200);
    if (twoLegs) {
        k.text(-60, -H, QStringLiteral("B OUT"), Qt::AlignRight | Qt::AlignVCenter);
        plotWhor(plot, k.pen, 0, -H, 200);
    }
    double x = drawLadder(k, 200, H);
    const double ladderEnd = x;
    plotWhor(plot, k.pen, x, 0, 1000);
    x += 1000;
    k.seriesBranch(x, 0, -H, kMN);
    k.text(x, 600, QStringLiteral("MATCHING\nNETWORK"), Qt::AlignCenter);
    plotWhor(plot, k.pen, x, 0, 1100);
    const double mnX = x;
    x += 1100;
    if (c.extendedLoad) {
        const double start = x;
        x = drawExtendedLoad(k, x, H);
        k.text((start + x) / 2, 1300, QStringLiteral("LOAD"), Qt::AlignCenter);
    } else {
        k.seriesBranch(x, 0, -H, kLoad + 4);
        k.text(x, 500, QStringLiteral("LOAD"), Qt::AlignCenter);
    }
    if (twoLegs)
        plotWhor(plot, k.pen, c.topology == Topology::DualCapacitor ? ladderEnd : 200, -H,
            x - (c.topology == Topology::DualCapacitor ? ladderEnd : 200));
    if (c.topology == Topology::DualCapacitor)
        plotWhor(plot, k.pen, 0, -H, 200);
    if (!twoLegs) {
        plotWhor(plot, k.pen, mnX, -H, x - mnX);
        plotG(plot, k.pen, mnX, -H);
    }
    return k.labels;
}

QString inductorLabelText(const QString &L, const QString &Rp, const QString &Cp)
{
    QString text = valueLine(L, "H");
    addParasitic(text, Rp, "\u03a9");
    addParasitic(text, Cp, "F");
    return text;
}

QString capacitorLabelText(const QString &C, const QString &Rp, const QString &Lp)
{
    QString text = valueLine(C, "F");
    addParasitic(text, Rp, "\u03a9");
    addParasitic(text, Lp, "H");
    return text;
}

void displayLParasitics(const QString &L, const QString &Rp, const QString &Cp, QCPItemText *item)
{
    if (item)
        item->setText(inductorLabelText(L, Rp, Cp));
}

void displayCParasitics(const QString &C, const QString &Rp, const QString &Lp, QCPItemText *item)
{
    if (item)
        item->setText(capacitorLabelText(C, Rp, Lp));
}

namespace {

// The element with its parasitics: R in series and C across for an inductor,
// R and L in series for a capacitor.
QCustomPlot *elementDrawing(QWidget *parent, bool inductor)
{
    auto *plot = new QCustomPlot(parent);
    plot->setObjectName(QStringLiteral("elementDrawing"));
    plot->setMinimumSize(260, 150);
    setupSchematicCanvas(plot);
    const QPen pen(Qt::black, 2);
    if (inductor) {
        plotWhor(plot, pen, 0, 0, 100);
        plotLhor(plot, pen, 100, 0);
        plotRhor(plot, pen, 500, 0);
        plotWhor(plot, pen, 900, 0, 100);
        plotWver(plot, pen, 50, 0, -300);
        plotWhor(plot, pen, 50, 300, 300);
        plotChor(plot, pen, 350, 300);
        plotWhor(plot, pen, 750, 300, 200);
        plotWver(plot, pen, 950, 300, 300);
        addSchematicText(plot, 700, -180, QStringLiteral("R_parasitic"));
        addSchematicText(plot, 550, 480, QStringLiteral("C_parasitic"));
    } else {
        plotWhor(plot, pen, 0, 0, 100);
        plotChor(plot, pen, 100, 0);
        plotRhor(plot, pen, 500, 0);
        plotLhor(plot, pen, 900, 0);
        addSchematicText(plot, 700, -180, QStringLiteral("R_parasitic"));
        addSchematicText(plot, 1100, 180, QStringLiteral("L_parasitic"));
    }
    const QRectF box = schematicBounds(plot).adjusted(-150, -250, 150, 250);
    plot->xAxis->setRange(box.left(), box.right());
    plot->yAxis->setRange(box.top(), box.bottom());
    return plot;
}

bool changeElement(QWidget *parent, bool inductor, QString *a, QString *b, QString *c)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(inductor ? QStringLiteral("Inductor (with parasitic R & C)")
                                   : QStringLiteral("Capacitor (with parasitic R & L)"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(elementDrawing(&dialog, inductor));
    auto *form = new QFormLayout;
    const QStringList captions = inductor
        ? QStringList { "L [Henries]", "R_parasitic [Ohms]", "C_parasitic [Farads]" }
        : QStringList { "C [Farads]", "R_parasitic [Ohms]", "L_parasitic [Henries]" };
    QString *targets[] = { a, b, c };
    QLineEdit *edits[3];
    for (int i = 0; i < 3; ++i) {
        edits[i] = new QLineEdit(*targets[i], &dialog);
        edits[i]->setObjectName(QStringLiteral("elementValue%1").arg(i));
        edits[i]->setPlaceholderText(QStringLiteral("Enter as 470u, 2.2k, open, short, ..."));
        form->addRow(captions[i], edits[i]);
    }
    layout->addLayout(form);
    layout->addWidget(new QLabel(inductor
            ? QStringLiteral("Hint: Go to the 'Filter Parasitics' tab for automatic R & C values")
            : QStringLiteral("Hint: Go to the 'Filter Parasitics' tab for automatic R & L values"),
        &dialog));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    for (int i = 0; i < 3; ++i)
        *targets[i] = edits[i]->text().trimmed();
    return true;
}

} // namespace

bool changeInductor(QWidget *parent, QString *L, QString *R, QString *C, QCPItemText *P)
{
    if (!changeElement(parent, true, L, R, C))
        return false;
    displayLParasitics(*L, *R, *C, P);
    return true;
}

bool changeCapacitor(QWidget *parent, QString *C, QString *R, QString *L, QCPItemText *P)
{
    if (!changeElement(parent, false, C, R, L))
        return false;
    displayCParasitics(*C, *R, *L, P);
    return true;
}
