#include <QtTest>

#include "app/schematic/primitives.h"
#include "app/schematic/valuelabels.h"
#include "catalog/catalogs.h"
#include "pages/stability/stabilityschematic.h"
#include "qcustomplot.h"

namespace {

// Hand-made records, so that each row says exactly which pins the part has.
amp record(const QString &type, bool currentLimit, bool compensation, bool rcomp)
{
    amp a;
    a.ampName = type == QLatin1String("normal") ? QStringLiteral("QX999") : type;
    a.CircuitType = type;
    a.Vbe = currentLimit ? 0.65 : 0;
    a.CLint = 0;
    a.SROptions = compensation ? 2 : 1;
    a.Ccomp = { compensation ? 4.7 : 0, 22 };
    a.Rcomp = { 0, rcomp ? 47.0 : 0 };
    return a;
}

QRectF pixelRect(const QCPItemText *t)
{
    return QRectF(t->topLeft->pixelPosition(), t->bottomRight->pixelPosition()).normalized();
}

// Empty when every text lies on the canvas, no two share a position (a click
// finds a label by its position) and none covers another; else the first fault.
QString layoutProblem(QCustomPlot *plot)
{
    const QRectF canvas(0, 0, plot->width(), plot->height());
    QVector<QCPItemText *> items;
    for (int i = 0; i < plot->itemCount(); ++i)
        if (auto *t = qobject_cast<QCPItemText *>(plot->item(i)))
            items << t;
    for (int i = 0; i < items.size(); ++i) {
        const QRectF r = pixelRect(items[i]);
        if (!canvas.contains(r))
            return items[i]->text() + QStringLiteral(" leaves the canvas");
        for (int j = i + 1; j < items.size(); ++j) {
            if (sameLabelPosition(items[i], items[j]))
                return items[i]->text() + QStringLiteral(" shares a place with ") + items[j]->text();
            if (r.intersects(pixelRect(items[j])))
                return items[i]->text() + QStringLiteral(" over ") + items[j]->text();
        }
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(StabLoad)

class TestStabilitySchematic : public QObject {
    Q_OBJECT

    QCustomPlot *m_plot = nullptr;

    StabSchematicLabels draw(const StabSchematicCase &c)
    {
        const StabSchematicLabels labels = drawStabSchematic(m_plot, c);
        m_plot->replot();
        return labels;
    }

    void addCase(const char *tag, const QString &type, StabLoad load, bool composite, bool inverting, bool cl,
        bool comp, bool rcomp, const QString &labels)
    {
        QTest::newRow(tag) << type << load << composite << inverting << cl << comp << rcomp
                           << labels.split(QLatin1Char(','), Qt::SkipEmptyParts);
    }

private slots:
    void init()
    {
        m_plot = new QCustomPlot;
        setupSchematicCanvas(m_plot);
        m_plot->resize(600, 520);
        m_plot->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_plot));
        connect(m_plot, &QCustomPlot::beforeReplot, m_plot, [this] { fitStabSchematic(m_plot); });
    }
    void cleanup() { delete m_plot; }

    // Which labels each variant fills and the field each edits.
    void variants_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<StabLoad>("load");
        QTest::addColumn<bool>("composite");
        QTest::addColumn<bool>("inverting");
        QTest::addColumn<bool>("currentLimit");
        QTest::addColumn<bool>("compensation");
        QTest::addColumn<bool>("rcomp");
        QTest::addColumn<QStringList>("labels"); // "NAME=field", in any order

        const StabLoad C = StabLoad::Capacitive, L = StabLoad::Inductive;
        const QString capNormal = "R_FB=RfbC,C_FB=CfbC,R_IN=RinC,R_ISO=RisoC,C_LOAD=CLoadStab";
        const QString hostInv = ",HOST R_FB=compRfb,HOST C_FB=compCfb,HOST R_IN=hostRin,HOST R_NG=hostRng,"
                                "HOST C_NG=hostCng";
        const QString hostNon = ",HOST R_FB=compRfb,HOST C_FB=compCfb,HOST R_IN=hostRin";
        const QString indLoad = ",R_D=RdL,C_FB=CfbL,R_LOAD=RloadL,L_LOAD=LLoadStab,R_S=RsL,R_S GAIN=RsGainL";

        addCase("cap inverting, every option", "normal", C, false, true, true, true, true,
            capNormal + ",R_NG=RngC,C_NG=CngC,R_CL=RclC,C_COMP=,R_COMP=");
        addCase("cap non-inverting, bare part", "normal", C, false, false, false, false, false, capNormal);
        addCase("cap compensation without R_COMP", "normal", C, false, false, false, true, false,
            capNormal + ",C_COMP=");
        addCase("cap BQ840", "BQ840", C, false, false, true, true, false,
            "R_G=stabRg,R_ISO=RisoC,C_LOAD=CLoadStab,R_CL=RclC,C_COMP=");
        addCase("cap VR554 inverting", "VR554", C, false, true, true, false, false,
            "R_ISO=RisoC,C_LOAD=CLoadStab,R_CL=RclC");
        addCase("cap VR622 non-inverting", "VR622", C, false, false, false, false, false,
            "R_ISO=RisoC,C_LOAD=CLoadStab");
        addCase("cap composite inverting", "normal", C, true, true, false, false, false, capNormal + hostInv);
        addCase("cap composite non-inverting", "normal", C, true, false, false, false, false,
            capNormal + hostNon);
        addCase("cap composite BQ840", "BQ840", C, true, true, true, false, false,
            "R_G=stabRg,R_ISO=RisoC,C_LOAD=CLoadStab,R_CL=RclC" + hostInv);
        addCase("cap composite VR554", "VR554", C, true, true, true, true, false, "");
        addCase("ind inverting", "normal", L, false, true, true, true, false,
            "R_FB=RfbL,R_IN=RinL,R_CL=RclC,C_COMP=" + indLoad);
        addCase("ind non-inverting", "normal", L, false, false, false, false, false,
            "R_FB=RfbL,R_IN=RinL" + indLoad);
        addCase("ind BQ840", "BQ840", L, false, false, true, true, true,
            "R_G=stabLRg,R_CL=RclC,C_COMP=,R_COMP=" + indLoad);
        addCase("ind composite inverting", "normal", L, true, true, false, false, false,
            "R_FB=RfbL,R_IN=RinL" + indLoad + hostInv);
    }
    void variants()
    {
        QFETCH(QString, type);
        QFETCH(StabLoad, load);
        QFETCH(bool, composite);
        QFETCH(bool, inverting);
        QFETCH(bool, currentLimit);
        QFETCH(bool, compensation);
        QFETCH(bool, rcomp);
        QFETCH(QStringList, labels);

        StabSchematicCase c;
        c.record = record(type, currentLimit, compensation, rcomp);
        c.load = load;
        c.composite = composite;
        c.inverting = inverting;
        c.option = 1;
        const StabSchematicLabels drawn = draw(c);

        QStringList got;
        for (const StabSchematicLabel &l : drawn) {
            got << l.name + QLatin1Char('=') + l.key;
            QVERIFY(l.item);
            QCOMPARE(l.kind == StabSchematicLabel::Value, !l.key.isEmpty());
            if (l.kind == StabSchematicLabel::Value)
                QVERIFY2(c.parts.field(l.key), qPrintable(l.key));
        }
        got.sort();
        labels.sort();
        QCOMPARE(got, labels);

        // Clicks find a label by its position, so no two may share one; and every
        // text sits on the canvas without covering another, on a large window and
        // on the smallest.
        for (const QSize size : { QSize(600, 520), QSize(400, 360) }) {
            m_plot->resize(size);
            QCoreApplication::processEvents();
            draw(c);
            const QString problem = layoutProblem(m_plot);
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        }
    }

    // Every shipped amplifier in every case it allows draws a readable
    // schematic on the smallest canvas: names and values of every length.
    void everyShippedAmplifierFits()
    {
        Catalogs catalogs;
        loadAllCatalogs(catalogs, true);
        QVERIFY(!catalogs.linear.isEmpty());
        m_plot->resize(400, 360);
        QCoreApplication::processEvents();
        int drawn = 0;
        for (const amp &a : catalogs.linear) {
            for (const StabLoad load : { StabLoad::Capacitive, StabLoad::Inductive }) {
                if (load == StabLoad::Inductive && a.Loads != QLatin1String("all"))
                    continue;
                for (const bool composite : { false, true }) {
                    if (composite && a.Inputs == QLatin1String("inv"))
                        continue;
                    for (const bool inverting : { false, true }) {
                        if (!composite && a.Inputs == QLatin1String(inverting ? "non" : "inv"))
                            continue;
                        StabSchematicCase c;
                        c.record = a;
                        c.load = load;
                        c.composite = composite;
                        c.inverting = inverting;
                        draw(c);
                        const QString problem = layoutProblem(m_plot);
                        QVERIFY2(problem.isEmpty(), qPrintable(a.ampName + ": " + problem));
                        ++drawn;
                    }
                }
            }
        }
        QVERIFY(drawn > 100);
    }

    // The labels show the fields' values, and the compensation labels the
    // chosen option's values from the record.
    void labelTexts()
    {
        StabSchematicCase c;
        c.record = record("normal", true, true, true);
        c.parts.RfbC = QStringLiteral("2.2k");
        c.parts.CfbC = QStringLiteral("open");
        c.option = 1;
        const StabSchematicLabels drawn = draw(c);
        QMap<QString, QString> byName;
        for (const StabSchematicLabel &l : drawn)
            byName[l.name] = l.item->text();
        QCOMPARE(byName.value("R_FB"), QStringLiteral("R_FB\n2.2 k\u03A9"));
        QCOMPARE(byName.value("C_FB"), QStringLiteral("C_FB\nopen"));
        QCOMPARE(byName.value("C_COMP"), QStringLiteral("C_COMP\n22 pF"));
        QCOMPARE(byName.value("R_COMP"), QStringLiteral("R_COMP\n47 \u03A9"));
    }

    // On the smallest window the labels stay on the canvas.
    void smallCanvasKeepsLabelsOnIt()
    {
        m_plot->resize(400, 330);
        QCoreApplication::processEvents();
        StabSchematicCase c;
        c.record = record("normal", true, true, true);
        c.composite = true;
        draw(c);
        const QRectF canvas(0, 0, m_plot->width(), m_plot->height());
        for (int i = 0; i < m_plot->itemCount(); ++i) {
            auto *t = qobject_cast<QCPItemText *>(m_plot->item(i));
            QVERIFY(t);
            QVERIFY2(canvas.contains(pixelRect(t)), qPrintable(t->text()));
        }
        // Equal scales: a 400-unit resistor is as tall as it is wide on screen.
        const double sx = m_plot->xAxis->range().size() / m_plot->axisRect()->width();
        const double sy = m_plot->yAxis->range().size() / m_plot->axisRect()->height();
        QVERIFY(qAbs(sx / sy - 1) < 0.02);
    }
};

QTEST_MAIN(TestStabilitySchematic)
#include "test_stabilityschematic.moc"
