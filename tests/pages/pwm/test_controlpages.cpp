#include <QAbstractButton>
#include <QCheckBox>
#include <QInputDialog>
#include <QStackedWidget>
#include <QtTest>

#include "app/dialogresponder.h"
#include "app/mainwindow.h"
#include "pages/pwm/controlmodel.h"
#include "pages/pwm/controlstep2page.h"
#include "pages/pwm/controlstep3page.h"
#include "qcustomplot.h"
#include "tests/pages/pagewindow.h"

// The three control steps inside the real window, driven by their buttons off screen.
class TestControlPages : public QObject {
    Q_OBJECT

    PageWindow *m_win = nullptr;

    template <typename T> T *w(const char *name) { return m_win->w<T>(name); }
    void click(const char *name) { w<QAbstractButton>(name)->click(); }
    QString shown() { return w<QStackedWidget>("Page")->currentWidget()->objectName(); }
    ControlStep3Page *step3() { return m_win->window->controlStep3Page(); }
    int count(const char *plot, bool rects)
    {
        QCustomPlot *p = m_win->plot(plot);
        int n = 0;
        for (int i = 0; i < p->itemCount(); ++i)
            n += rects ? qobject_cast<QCPItemRect *>(p->item(i)) != nullptr
                       : qobject_cast<QCPItemText *>(p->item(i)) != nullptr;
        return n;
    }
    void toStep3(const char *circuit)
    {
        click("PWMControlButton");
        click(circuit);
        click("NexttoStep2");
        click("NexttoStep3");
    }

private slots:
    void init() { m_win = new PageWindow; }
    void cleanup()
    {
        delete m_win;
        m_win = nullptr;
    }

    void navigation()
    {
        click("PWMControlButton");
        QCOMPARE(shown(), QStringLiteral("page_15"));
        click("NexttoStep2");
        QCOMPARE(shown(), QStringLiteral("page_16"));
        click("NexttoStep3");
        QCOMPARE(shown(), QStringLiteral("page_17"));
        click("PrevtoStep2");
        QCOMPARE(shown(), QStringLiteral("page_16"));
        click("PrevtoStep1");
        QCOMPARE(shown(), QStringLiteral("page_15"));
    }

    // The circuit chosen in step 1 decides what step 2 checks: 1000 is far
    // above any amplifier's peak current but only a voltage for Voltage 1.
    void circuitReachesStep2()
    {
        click("PWMControlButton");
        click("I1button");
        click("NexttoStep2");
        m_win->edit("SConVoutMax", QStringLiteral("1000"));
        QVERIFY(w<QTextEdit>("SConNotes")->toPlainText().contains(QLatin1String("Iout exceeds ABS MAX")));
        click("PrevtoStep1");
        click("V1button");
        click("NexttoStep2");
        QVERIFY(!w<QTextEdit>("SConNotes")->toPlainText().contains(QLatin1String("Iout")));
    }

    void autoOnEachCircuit_data()
    {
        QTest::addColumn<QString>("button");
        for (const char *b : { "V1button", "V2button", "I1button", "I2button" })
            QTest::newRow(b) << QString::fromLatin1(b);
    }
    void autoOnEachCircuit()
    {
        QFETCH(QString, button);
        // A power page with a filter and an 8 ohm load: its start-up load is
        // open, which no current loop can drive.
        m_win->window->controlStep2Page()->setPowerSource(defaultPowerState);
        toStep3(button.toLatin1().constData());
        const ControlParts before = step3()->components();
        DialogResponder responder;
        click("SConAutoButton");
        const ControlParts after = step3()->components();
        QCOMPARE(after[Rnf], QStringLiteral("0"));
        QVERIFY(after[Cint] != before[Cint]);
        QCOMPARE(after[Rin], before[Rin]); // kept by every suggestion
        QVERIFY(step3()->result().valid);
        QVERIFY(std::isfinite(step3()->result().peaking));
        QVERIFY(responder.messages().isEmpty()); // 20 kHz is 200 times 100 Hz
    }

    void autoWarnsBelowFiftyTimes()
    {
        click("PWMControlButton");
        click("V1button");
        click("NexttoStep2");
        m_win->edit("SConFsw", QStringLiteral("4k"));
        click("NexttoStep3");
        DialogResponder responder;
        click("SConAutoButton");
        QCOMPARE(responder.messages().size(), 1);
        QCOMPARE(responder.messages().first().title, QStringLiteral("Warning"));
    }

    // Typing "open" for the integrator capacitor removes the integrator: the
    // read-outs change at once, without leaving the step.
    void clickEditRecomputes()
    {
        toStep3("V1button");
        const QString peaking = m_win->label("SConPeaking");
        QCPItemText *cint = nullptr;
        QCustomPlot *sch = m_win->plot("SControlSch");
        for (int i = 0; i < sch->itemCount(); ++i)
            if (auto *t = qobject_cast<QCPItemText *>(sch->item(i)))
                if (t->text().endsWith(QStringLiteral("\n4.7 nF")))
                    cint = t;
        QVERIFY(cint);
        DialogResponder responder;
        responder.setDialogHandler([](QDialog *d) {
            if (auto *input = qobject_cast<QInputDialog *>(d))
                input->setTextValue(QStringLiteral("open"));
            d->accept();
        });
        QMouseEvent event(
            QEvent::MouseButtonRelease, QPointF(), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        emit sch->itemClick(cint, &event);
        QCOMPARE(step3()->components()[Cint], QStringLiteral("open"));
        QVERIFY(m_win->label("SConPeaking") != peaking);
    }

    void hideBlocks()
    {
        toStep3("V1button");
        const int texts = count("SControlSch", false);
        QVERIFY(count("SControlSch", true) >= 4);
        click("SConHideBlocks");
        QCOMPARE(count("SControlSch", true), 0);
        QCOMPARE(count("SControlSch", false), texts - 5); // the five captions
        click("SConHideBlocks");
        QCOMPARE(count("SControlSch", false), texts);
    }
};

QTEST_MAIN(TestControlPages)
#include "test_controlpages.moc"
