// The clickable schematic of the SOA page: amplifier(s), supplies and load.
#include <cmath>

#include "app/schematic/primitives.h"
#include "app/schematic/valuelabels.h"
#include "pages/soa/soapage.h"
#include "qcustomplot.h"
#include "ui_soapage.h"
#include "values/fieldvalues.h"
#include "values/sivalues.h"

namespace {

// Rails leave the amplifier triangle where its edges are this high.
constexpr double kSupplyX = 700, kSupplyEdge = 150;
constexpr double kBoostX = 100, kBoostEdge = 450;
constexpr double kRailTop = 700, kLabelGap = 120;
constexpr double kAmpPitch = 1400;

QString negated(const QString &text)
{
    return QString::number(-string2Number(text), 'g', 10);
}

void motorSymbol(QCustomPlot *plot, const QPen &pen, double cx, double cy, double r)
{
    const int steps = 36;
    for (int i = 0; i < steps; ++i) {
        const double a0 = 2 * M_PI * i / steps, a1 = 2 * M_PI * (i + 1) / steps;
        plotWdia(plot, pen, cx + r * std::cos(a0), cy + r * std::sin(a0), cx + r * std::cos(a1),
                 cy + r * std::sin(a1));
    }
    addSchematicText(plot, cx, cy, QStringLiteral("M"));
}

}  // namespace

void SoaPage::setupSOAsch()
{
    QCustomPlot *p = ui->SOAsch;
    setupSchematicCanvas(p);
    p->plotLayout()->insertRow(0);
    p->plotLayout()->addElement(0, 0, new QCPTextElement(p, QStringLiteral("Simplified Schematic - Click Supplies to Adjust"),
                                                         QFont(font().family(), 10, QFont::Bold)));
    p->setInteractions(QCP::iSelectItems);
    connect(p, &QCustomPlot::itemClick, this, &SoaPage::onSOAschItemClicked);
    // Plot units stay square whatever the canvas size, so symbols keep their shape.
    connect(p, &QCustomPlot::beforeReplot, this, &SoaPage::fitSchematic);
}

void SoaPage::fitSchematic()
{
    QCustomPlot *p = ui->SOAsch;
    const QRectF bounds = schematicBounds(p);
    if (bounds.isEmpty())
        return;
    const QRect area = p->axisRect()->rect().isValid() && p->axisRect()->rect().width() > 10
                           ? p->axisRect()->rect()
                           : QRect(0, 0, qMax(100, p->width()), qMax(100, p->height() - 30));
    const double margin = 350;
    const double w = bounds.width() + 2 * margin, h = bounds.height() + 2 * margin;
    const double scale = qMax(w / qMax(1, area.width()), h / qMax(1, area.height()));
    const QPointF c = bounds.center();
    p->xAxis->setRange(c.x() - scale * area.width() / 2, c.x() + scale * area.width() / 2);
    p->yAxis->setRange(c.y() - scale * area.height() / 2, c.y() + scale * area.height() / 2);
}

void SoaPage::plotSOAsch(const amp &a)
{
    QCustomPlot *p = ui->SOAsch;
    clearSchematic(p);
    m_labels.fill(nullptr, LabelCount);
    const QPen pen(Qt::black, 3);
    const int n = ui->ParallelCheckBox->isChecked() ? qMax(1, ui->NumParallel->value()) : 1;
    const bool bridge = ui->BridgeCheckBox->isChecked();
    const bool boosted = a.boostOptions > 0;
    const double bottom = -kAmpPitch * (n - 1);
    const double node = n >= 2 ? 1800 : 1200;  // output node, past the sharing resistors

    // One side: n amplifiers (mirrored about `base` for the slave), their sharing
    // resistors and bus, and the supply rails with their labels.
    const auto side = [&](double base, double mirror, const QString &pos, const QString &neg, const QString &bPos,
                          const QString &bNeg, int slot) {
        for (int k = 0; k < n; ++k) {
            const double y = -kAmpPitch * k;
            if (mirror > 0)
                plotPA(p, pen, base, y);
            else
                plotPAR(p, pen, base, y);
            if (n >= 2) {
                plotRhor(p, pen, mirror > 0 ? base + 1200 : base - 1600, y);
                plotWhor(p, pen, mirror > 0 ? base + 1600 : base - 1800, y, 200);
            }
        }
        if (n >= 2)
            plotWver(p, pen, base + mirror * 1800, 0, kAmpPitch * (n - 1));
        addSchematicText(p, base + mirror * 380, 0, a.ampName);
        const double xs = base + mirror * kSupplyX, xb = base + mirror * kBoostX;
        plotWver(p, pen, xs, kRailTop, kRailTop - kSupplyEdge);
        plotWver(p, pen, xs, bottom - kSupplyEdge, kRailTop - kSupplyEdge);
        m_labels[slot] = displayStabText(p, xs, kRailTop + kLabelGap, pos, QStringLiteral("+V_S ="),
                                         QStringLiteral("V"), Qt::AlignBottom | Qt::AlignHCenter);
        m_labels[slot + 1] = displayStabText(p, xs, bottom - kRailTop - kLabelGap, neg, QStringLiteral("-V_S ="),
                                             QStringLiteral("V"), Qt::AlignTop | Qt::AlignHCenter);
        if (!boosted)
            return;
        plotWver(p, pen, xb, kRailTop, kRailTop - kBoostEdge);
        plotWver(p, pen, xb, bottom - kBoostEdge, kRailTop - kBoostEdge);
        m_labels[slot + 4] = displayStabText(p, xb, kRailTop + kLabelGap, bPos, QStringLiteral("+V_B ="),
                                             QStringLiteral("V"), Qt::AlignBottom | Qt::AlignHCenter);
        m_labels[slot + 5] = displayStabText(p, xb, bottom - kRailTop - kLabelGap, bNeg, QStringLiteral("-V_B ="),
                                             QStringLiteral("V"), Qt::AlignTop | Qt::AlignHCenter);
    };

    side(0, 1, m_vsPos, m_vsNeg, m_vbPos, m_vbNeg, VsPosMaster);
    if (n >= 2)
        m_labels[RcsLabel] = displayStabText(p, 1400, 170, m_rcs, QStringLiteral("R_CS"), QStringLiteral("Ω"),
                                             Qt::AlignBottom | Qt::AlignHCenter);

    // The load, from the output node to ground or to the bridge slave; `x` ends
    // where the slave's output joins, `groundX` where the load goes to ground.
    double x = node;
    double groundX = -1, groundY = 0;
    const QString loadLabel = QStringLiteral("LOAD");
    if (ui->loadTypeBox->currentText() == QLatin1String("DC Motor")) {
        plotWhor(p, pen, x, 0, 200);
        motorSymbol(p, pen, x + 400, 0, 200);
        plotWhor(p, pen, x + 600, 0, 200);
        addSchematicText(p, x + 400, 260, loadLabel, Qt::AlignBottom | Qt::AlignHCenter);
        x += 800;
        groundX = x;
    } else if (ui->SOA_series->isChecked()) {
        const double R = field2Number(ui->SOA_Rload, QStringLiteral("R"));
        const double L = field2Number(ui->SOA_Lload, QStringLiteral("R"));
        const double C = field2Number(ui->SOA_Cload, QStringLiteral("C"));
        const double first = x;
        plotWhor(p, pen, x, 0, 200);
        x += 200;
        // An open element leaves a gap in the chain; a shorted one is left out.
        if (R == kOpenValue)
            x += 400;
        else if (R != 0) {
            plotRhor(p, pen, x, 0);
            x += 400;
        }
        if (L == kOpenValue)
            x += 400;
        else if (L != 0) {
            plotLhor(p, pen, x, 0);
            x += 400;
        }
        if (C == 0)
            x += 400;
        else if (C != kOpenValue) {
            plotChor(p, pen, x, 0);
            x += 400;
        }
        plotWhor(p, pen, x, 0, 200);
        x += 200;
        addSchematicText(p, (first + x) / 2, 260, loadLabel, Qt::AlignBottom | Qt::AlignHCenter);
        groundX = x;
    } else if (ui->SOA_parallel->isChecked()) {
        const double R = field2Number(ui->SOA_Rload, QStringLiteral("R"));
        const double L = field2Number(ui->SOA_Lload, QStringLiteral("R"));
        const double C = field2Number(ui->SOA_Cload, QStringLiteral("C"));
        enum Branch { Resistor, Inductor, Capacitor, Wire };
        QVector<Branch> branches;
        if (R != kOpenValue)
            branches << (R == 0 ? Wire : Resistor);
        if (L != kOpenValue)
            branches << (L == 0 ? Wire : Inductor);
        if (C != 0)
            branches << (C == kOpenValue ? Wire : Capacitor);
        plotWhor(p, pen, x, 0, 200);
        x += 200;
        const double xa = x;
        const int k = branches.size();
        for (int i = 0; i < k; ++i) {
            const double bx = xa + 400 * i;
            switch (branches[i]) {
            case Resistor:
                plotRver(p, pen, bx, 0);
                break;
            case Inductor:
                plotLver(p, pen, bx, 0);
                break;
            case Capacitor:
                plotCver(p, pen, bx, 0);
                break;
            case Wire:
                plotWver(p, pen, bx, 0, 400);
                break;
            }
        }
        if (k > 1) {
            plotWhor(p, pen, xa, 0, 400 * (k - 1));
            plotWhor(p, pen, xa, -400, 400 * (k - 1));
        }
        if (k > 0) {
            addSchematicText(p, xa + 200 * (k - 1), 260, loadLabel, Qt::AlignBottom | Qt::AlignHCenter);
            if (bridge) {
                plotWhor(p, pen, xa + 400 * (k - 1), -400, 400);
                plotWver(p, pen, xa + 400 * k, 0, 400);
                x = xa + 400 * k;
            } else {
                groundX = xa;
                groundY = -400;
            }
        }
    }

    if (bridge) {
        const double base = x + (n >= 2 ? 1800 : 1200);
        if (ui->BridgeUnipolarSuppliesButton->isChecked())
            side(base, -1, negated(m_vsNeg), negated(m_vsPos), negated(m_vbNeg), negated(m_vbPos), VsPosSlave);
        else
            side(base, -1, m_vsPos, m_vsNeg, m_vbPos, m_vbNeg, VsPosSlave);
    } else if (groundX >= 0) {
        plotWver(p, pen, groundX, groundY, 400);
        plotG(p, pen, groundX, groundY - 400);
    }

    const QColor supplyColour = m_result.supplyLabelsRed ? QColor(Qt::red) : QColor(Qt::black);
    for (int slot : {VsPosMaster, VsNegMaster, VsPosSlave, VsNegSlave})
        if (m_labels[slot])
            m_labels[slot]->setColor(supplyColour);
}

void SoaPage::onSOAschItemClicked(QCPAbstractItem *item, QMouseEvent *event)
{
    Q_UNUSED(event);
    const int slot = matchLabelSlot(item, m_labels);
    const amp a = currentAmp();
    if (slot == VsPosMaster || slot == VsPosSlave || slot == VsNegMaster || slot == VsNegSlave) {
        changeSOAVsValue(slot == VsPosMaster || slot == VsPosSlave ? QStringLiteral("P") : QStringLiteral("N"));
        if (a.boostOptions > 0) {
            if (!m_boost || a.boost.isEmpty()) {
                m_vbPos = m_vsPos;
                m_vbNeg = m_vsNeg;
            } else {
                m_vbPos = QString::number(string2Number(m_vsPos) + a.boost.last(), 'g', 10);
                m_vbNeg = QString::number(string2Number(m_vsNeg) - a.boost.last(), 'g', 10);
            }
        }
    } else if (slot >= VbPosMaster && slot <= VbNegSlave) {
        changeSOAVbValue();
    } else if (slot == RcsLabel) {
        m_rcs = changeStabValue(m_labels[RcsLabel], QStringLiteral("R_CS"), QStringLiteral("Ω"), m_rcs);
    }
    refreshSOA();
}
