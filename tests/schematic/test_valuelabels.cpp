#include "app/dialogresponder.h"
#include "app/schematic/valuelabels.h"

#include <QtTest>

#include "tests/rowtable.h"
#include <QtWidgets>
#include <qcustomplot.h>

namespace {

const QString kOhm = QString::fromUtf8("\u03A9");

// What the entry dialog showed, and how the test answers it.
struct DialogRecord {
    int count = 0;
    QString prefill;
};

void answerWith(DialogResponder &responder, DialogRecord &record, bool accept, const QString &typed)
{
    responder.setDialogHandler([&record, accept, typed](QDialog *dialog) {
        ++record.count;
        auto *input = qobject_cast<QInputDialog *>(dialog);
        if (!input) {
            dialog->reject();
            return;
        }
        record.prefill = input->textValue();
        input->setTextValue(typed);
        if (accept)
            input->accept();
        else
            input->reject();
    });
}

QCPItemText *textAt(QCustomPlot *plot, double x, double y)
{
    auto *item = new QCPItemText(plot);
    item->position->setCoords(x, y);
    return item;
}

} // namespace

struct RowStabValue {
    const char *tag;
    QString value;
    QString unit;
    QString shown;
} const kStabValue[] = {
    { "2.2k ohm", "2.2k", kOhm, "2.2 k" + kOhm },
    { "470u farad", "470u", "F", "470 uF" },
    { "blank before suffix", "4.7 k", kOhm, "4.7 k" + kOhm },
    { "no suffix", "1e3", kOhm, "1000 " + kOhm },
    { "six digits", "1.23456789k", kOhm, "1.23457 k" + kOhm },
    { "meg word kept", "1meg", kOhm, "1 meg" + kOhm },
    { "lower f", "3f", "F", "3 fF" },
    { "open", "open", "F", "open" },
    { "short", "short", kOhm, "short" },
    { "zero with suffix", "0k", kOhm, "0k" },
    { "open value typed", "4294967295", kOhm, "4294967295" },
    { "bad tail", "10kHz", kOhm, "10kHz" },
    { "upper F invalid on labels", "3F", "F", "3F" },
    { "empty", "", kOhm, "" },
};

struct RowSconDialog {
    const char *tag;
    bool accept;
    QString typed;
    QString result;
    QString text;
} const kSconDialog[] = {
    { "new value", true, "4.7k", "4.7k", "4.7 k" + kOhm },
    { "stored as typed", true, "4700", "4700", "4.7 k" + kOhm },
    { "short", true, "short", "short", "short" },
    { "cancel", false, "4.7k", "22k", "22 k" + kOhm },
    { "emptied", true, "", "22k", "22 k" + kOhm },
};

class TestValueLabels : public QObject {
    Q_OBJECT

private slots:

    void stabValue_data() { addRows(kStabValue); }

    void stabValue()
    {
        QFETCH(int, rowNumber);
        [[maybe_unused]] const auto &[tag, value, unit, shown] = kStabValue[rowNumber];
        QCOMPARE(stabValueText(value, unit), shown);
    }

    void stabLabelColour_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");

        QTest::newRow("2.2k") << "2.2k"
                              << "R_FB\n2.2 k" + kOhm << QColor(Qt::black);
        QTest::newRow("bad") << "10kHz"
                             << "R_FB\n10kHz" << QColor(255, 0, 0);
        QTest::newRow("micro sign") << QString::fromUtf8("4.7\u00B5") << QString::fromUtf8("R_FB\n4.7\u00B5")
                                    << QColor(255, 0, 0);
    }

    void stabLabelColour()
    {
        QFETCH(QString, value);
        QFETCH(QString, text);
        QFETCH(QColor, colour);

        QCustomPlot plot;
        QCPItemText *item = textAt(&plot, 0, 0);
        // Start from the opposite colour, so the routine must set it either way.
        item->setColor(colour == QColor(Qt::black) ? QColor(255, 0, 0) : QColor(Qt::black));
        displayStabText(value, item, QStringLiteral("R_FB"), kOhm);
        QCOMPARE(item->text(), text);
        QCOMPARE(item->color(), colour);
    }

    void stabLabelOnCanvas()
    {
        QCustomPlot plot;
        QCPItemText *item
            = displayStabText(&plot, 1200, -300, QStringLiteral("open"), QStringLiteral("C_FB"), "F");
        QVERIFY(item);
        QCOMPARE(plot.itemCount(), 1);
        QCOMPARE(item->position->coords(), QPointF(1200, -300));
        QCOMPARE(item->text(), QStringLiteral("C_FB\nopen"));
        QVERIFY(!displayStabText(nullptr, 0, 0, "1k", "R", kOhm));
    }

    void itemValue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("shown");

        QTest::newRow("4700") << "4700" << kOhm << "4.7 k" + kOhm;
        QTest::newRow("470u") << "470u"
                              << "F"
                              << "470 uF";
        QTest::newRow("1meg") << "1meg" << kOhm << "1 M" + kOhm;
        QTest::newRow("open") << "open" << kOhm << "open";
        QTest::newRow("bad text") << "abc" << kOhm << "abc";
    }

    void itemValue()
    {
        QFETCH(QString, value);
        QFETCH(QString, unit);
        QFETCH(QString, shown);
        QCOMPARE(itemValueText(value, unit), shown);
    }

    void itemLabelKeepsColour()
    {
        QCustomPlot plot;
        QCPItemText *item = addSchematicText(&plot, 10, 20, QString(), Qt::AlignCenter, QColor(0, 0, 255));
        displayItemText(QStringLiteral("10k"), item, kOhm);
        QCOMPARE(item->text(), "10 k" + kOhm);
        QCOMPARE(item->color(), QColor(0, 0, 255));
        displayItemText(QStringLiteral("10kHz"), item, kOhm);
        QCOMPARE(item->text(), QStringLiteral("10kHz"));
        QCOMPARE(item->color(), QColor(0, 0, 255));
    }

    void stabDialog_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("text");

        const QString before = QStringLiteral("R_FB\n10 k") + kOhm;
        QTest::newRow("new value") << true << "2.2k"
                                   << "2.2k"
                                   << "R_FB\n2.2 k" + kOhm;
        QTest::newRow("open") << true << "open"
                              << "open"
                              << "R_FB\nopen";
        QTest::newRow("cancel") << false << "2.2k"
                                << "10k" << before;
        QTest::newRow("empty") << true << ""
                               << "10k" << before;
        QTest::newRow("blank") << true << "   "
                               << "10k" << before;
    }

    void stabDialog()
    {
        QFETCH(bool, accept);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QFETCH(QString, text);

        QCustomPlot plot;
        QCPItemText *item = textAt(&plot, 0, 0);
        displayStabText(QStringLiteral("10k"), item, QStringLiteral("R_FB"), kOhm);
        DialogResponder responder;
        DialogRecord record;
        answerWith(responder, record, accept, typed);

        QCOMPARE(changeStabValue(item, QStringLiteral("R_FB"), kOhm, QStringLiteral("10k")), result);
        QCOMPARE(record.count, 1);
        QCOMPARE(record.prefill, QString());
        QCOMPARE(item->text(), text);
    }

    void sconDialog_data() { addRows(kSconDialog); }

    void sconDialog()
    {
        QFETCH(int, rowNumber);
        [[maybe_unused]] const auto &[tag, accept, typed, result, text] = kSconDialog[rowNumber];

        QCustomPlot plot;
        QCPItemText *item = textAt(&plot, 0, 0);
        item->setText(QStringLiteral("stale"));
        // The canvas replots once on its own when its first resize is delivered; that one is not counted.
        plot.resize(300, 200);
        QCoreApplication::processEvents();
        int replots = 0;
        connect(&plot, &QCustomPlot::afterReplot, this, [&replots] { ++replots; });
        DialogResponder responder;
        DialogRecord record;
        answerWith(responder, record, accept, typed);

        QCOMPARE(changeSConValue(item, QStringLiteral("22k"), kOhm), result);
        QCOMPARE(record.count, 1);
        QCOMPARE(record.prefill, QStringLiteral("22k"));
        QCOMPARE(item->text(), text);
        QCOMPARE(replots, 1);
    }

    void coordinates_data()
    {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<bool>("same");

        QTest::newRow("equal") << 1200.0 << 1200.0 << true;
        QTest::newRow("relative 5e-13") << 1000.0 << 1000.0 * (1 + 5e-13) << true;
        QTest::newRow("relative 2e-12") << 1000.0 << 1000.0 * (1 + 2e-12) << false;
        QTest::newRow("relative negative") << -1000.0 << -1000.0 * (1 + 5e-13) << true;
        QTest::newRow("opposite signs") << 500.0 << -500.0 << false;
        // Far from zero an absolute 1e-12 is far below the relative bound, and the reverse near zero.
        QTest::newRow("large, absolute 1e-9 apart") << 5e6 << 5e6 + 1e-9 << true;
        QTest::newRow("zero and 5e-13") << 0.0 << 5e-13 << true;
        QTest::newRow("zero and 2e-12") << 0.0 << 2e-12 << false;
        QTest::newRow("tiny, neither zero") << 1e-13 << 2e-13 << false;
    }

    void coordinates()
    {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(bool, same);
        QCOMPARE(sameLabelCoordinate(a, b), same);

        // Each coordinate matters on its own.
        QCustomPlot plot;
        QCPItemText *slot = textAt(&plot, a, 300);
        QCPItemText *clickedX = textAt(&plot, b, 300);
        QCPItemText *clickedY = textAt(&plot, 300, b);
        QCPItemText *slotY = textAt(&plot, 300, a);
        QCOMPARE(sameLabelPosition(clickedX, slot), same);
        QCOMPARE(sameLabelPosition(clickedY, slotY), same);
    }

    void matchSlot()
    {
        QCustomPlot plot;
        QCPItemText *rin = textAt(&plot, -400, 250);
        QCPItemText *rfb = textAt(&plot, 600, 900);
        QCPItemText *twin = textAt(&plot, 600, 900);
        const QVector<QCPItemText *> labels { nullptr, rin, rfb, twin };

        // The clicked item is matched by where it sits, not by identity.
        QCOMPARE(matchLabelSlot(textAt(&plot, -400, 250), labels), 1);
        QCOMPARE(matchLabelSlot(rin, labels), 1);
        QCOMPARE(matchLabelSlot(twin, labels), 2); // the first filled slot at that place wins
        QCOMPARE(matchLabelSlot(textAt(&plot, 600, 901), labels), -1);
        QCOMPARE(matchLabelSlot(nullptr, labels), -1);
        QCOMPARE(matchLabelSlot(rin, {}), -1);

        // A wire end or other non-text item on a label's spot is not a label.
        auto *line = new QCPItemLine(&plot);
        line->start->setCoords(-400, 250);
        line->end->setCoords(0, 0);
        QCOMPARE(matchLabelSlot(line, labels), -1);
    }
};

QTEST_MAIN(TestValueLabels)
#include "test_valuelabels.moc"
