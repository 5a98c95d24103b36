#include <QCheckBox>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QtTest>

#include "pages/threephase/threephasemotor.h"
#include "pages/threephase/threephasepage.h"
#include "qcustomplot.h"
#include "tests/pages/pagewindow.h"

namespace {

const QString kNull = QStringLiteral("null");

// The pixel centre of the schematic text that stands for `signal`.
QPoint textPixel(QCustomPlot *plot, const QString &signal)
{
    for (int i = 0; i < plot->itemCount(); ++i) {
        auto *t = qobject_cast<QCPItemText *>(plot->item(i));
        if (t && t->property("p3signal").toString() == signal && t->text().trimmed() != QLatin1String("~"))
            return t->position->pixelPosition().toPoint();
    }
    return QPoint(-1, -1);
}

void writeFile(const QString &path, const QByteArray &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

class TestThreePhasePage : public QObject {
    Q_OBJECT

    PageWindow *m_win = nullptr;
    ThreePhasePage *m_page = nullptr;

    void click(const QString &signal)
    {
        QCustomPlot *sch = m_win->plot("P3schematic");
        sch->replot();
        const QPoint at = textPixel(sch, signal);
        QVERIFY2(sch->rect().contains(at), qPrintable(signal));
        QTest::mouseClick(sch, Qt::LeftButton, Qt::NoModifier, at);
    }

private slots:
    void init()
    {
        m_win = new PageWindow;
        m_page = m_win->window->threePhasePage();
        m_win->window->findChild<QStackedWidget *>(QStringLiteral("Page"))->setCurrentWidget(m_page);
        m_win->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_win->window));
    }
    void cleanup()
    {
        delete m_win;
        m_win = nullptr;
    }

    void clicksAddAndRemoveSignals()
    {
        click(QStringLiteral("At"));
        QCOMPARE(
            m_page->graphables().mid(0, 2), (QStringList { QStringLiteral("I1"), QStringLiteral("At") }));
        QVERIFY(!m_win->plot("P3graph1")->graph(0)->data()->isEmpty());
        click(QStringLiteral("I1"));
        QCOMPARE(m_page->graphables().mid(0, 2), (QStringList { kNull, QStringLiteral("At") }));
        QVERIFY(m_win->plot("P3graph0")->graph(0)->data()->isEmpty());
        // Five more fill the six plots; the seventh is ignored.
        for (const char *s : { "I2", "I3", "V1", "VemfA", "freq", "Angle" })
            click(QString::fromLatin1(s));
        QCOMPARE(m_page->graphables(),
            (QStringList { QStringLiteral("I2"), QStringLiteral("At"), QStringLiteral("I3"),
                QStringLiteral("V1"), QStringLiteral("VemfA"), QStringLiteral("freq") }));
    }

    void exportWritesTimeAndEachSignal()
    {
        const QString path = m_win->folder() + QStringLiteral("/pwl.txt");
        QVERIFY(m_page->writePWL(path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        const auto &traces = m_page->result().traces;
        QCOMPARE(lines.size() - 1, traces.time.size());
        QCOMPARE(lines.at(0).split(',').size(), 2);
        // The last line holds the last step's time and phase A current.
        const QList<QByteArray> last = lines.at(lines.size() - 2).split(',');
        QVERIFY(std::abs(last.at(0).toDouble() - traces.time.last()) < 1e-9 * traces.time.last());
        QVERIFY(std::abs(last.at(1).toDouble() - traces.current[0].last())
            < 1e-4 * (1 + std::abs(traces.current[0].last())));
        click(QStringLiteral("I2"));
        QVERIFY(m_page->writePWL(path));
        f.close();
        // A folder that does not exist: nothing written, the file intact.
        QVERIFY(!m_page->writePWL(m_win->folder() + QStringLiteral("/missing/pwl.txt")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readLine().split(',').size(), 3);
    }

    void motorDialogRules()
    {
        P3motor dialog(m_page->motor(), 0);
        auto *current = dialog.findChild<QRadioButton *>(QStringLiteral("ControlCurrent"));
        auto *rpm = dialog.findChild<QRadioButton *>(QStringLiteral("ControlRPM"));
        auto *duty = dialog.findChild<QRadioButton *>(QStringLiteral("ControlDutyCycle"));
        auto *holdRpm = dialog.findChild<QRadioButton *>(QStringLiteral("ConstantRPM"));
        auto *holdVf = dialog.findChild<QRadioButton *>(QStringLiteral("ConstantVf"));
        auto *holdDuty = dialog.findChild<QRadioButton *>(QStringLiteral("ConstantDutyCycle"));
        QVERIFY(rpm->isChecked() && !holdRpm->isEnabled());
        holdVf->setChecked(true);
        current->setChecked(true); // V/f cannot go with current: moves to RPM
        QVERIFY(!holdVf->isEnabled() && holdRpm->isChecked());
        duty->setChecked(true);
        QVERIFY(!holdDuty->isEnabled() && holdVf->isEnabled());
        QCOMPARE(dialog.motor().controlVariable, 2);
        QCOMPARE(dialog.motor().constantVariable, 0);
        P3motor motorPage(m_page->motor(), 1);
        motorPage.findChild<QCheckBox *>(QStringLiteral("LinearMotorCheckBox"))->setChecked(true);
        QVERIFY(motorPage.motor().isLinear);
    }

    void profileUpload()
    {
        P3motor dialog(m_page->motor(), 0);
        auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("ProfileTable"));
        const QString good = m_win->folder() + QStringLiteral("/good.txt");
        writeFile(good, "0, 0\n0.5, 300\n1.5m, 2\n");
        const QString bad = m_win->folder() + QStringLiteral("/bad.txt");
        writeFile(bad, "0, 0\n1, 300\n1, 100\n"); // a repeated time
        // Times must increase: 1.5m after 0.5 is refused, the table stays.
        QVERIFY(!dialog.uploadProfile(good).isEmpty());
        QCOMPARE(table->rowCount(), 5);
        writeFile(good, "0, 0\n0.5, 300\n2, 600k\n");
        QVERIFY(dialog.uploadProfile(good).isEmpty());
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(dialog.motor().timeVector, (QStringList { "0", "0.5", "2" }));
        QCOMPARE(dialog.motor().AmplitudeVector, (QStringList { "0", "300", "600k" }));
        const QString error = dialog.uploadProfile(bad);
        QVERIFY(error.contains(QStringLiteral("Line 3")));
        QCOMPARE(dialog.motor().timeVector, (QStringList { "0", "0.5", "2" }));
        writeFile(bad, "0; 1\n");
        QVERIFY(dialog.uploadProfile(bad).contains(QStringLiteral("Line 1")));
    }
};

QTEST_MAIN(TestThreePhasePage)
#include "test_threephasepage.moc"
