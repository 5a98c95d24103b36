#include <QAbstractButton>
#include <QInputDialog>
#include <QStackedWidget>
#include <QTextEdit>
#include <QtTest>

#include "app/dialogresponder.h"
#include "pages/pwm/controlmodel.h"
#include "pages/pwm/controlstep3page.h"
#include "tests/pages/pagewindow.h"

// The three control steps inside the real window, driven by their buttons off
// screen. "Auto" on each circuit is a golden design (control_*_auto).
class TestControlPages : public QObject {
    Q_OBJECT

    PageWindow *m_win = nullptr;

    void click(const char *name) { m_win->w<QAbstractButton>(name)->click(); }
    QString shown() { return m_win->w<QStackedWidget>("Page")->currentWidget()->objectName(); }
    QString notes() { return m_win->w<QTextEdit>("SConNotes")->toPlainText(); }
    int items(bool rects)
    {
        QCustomPlot *p = m_win->plot("SControlSch");
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
    void cleanup() { delete m_win; }

    // The circuit chosen in step 1 decides what step 2 checks: 1000 is far
    // above any amplifier's peak current but only a voltage for Voltage 1.
    void circuitReachesStep2()
    {
        toStep3("I1button");
        QCOMPARE(shown(), QStringLiteral("page_17"));
        click("PrevtoStep2");
        QCOMPARE(shown(), QStringLiteral("page_16"));
        m_win->edit("SConVoutMax", QStringLiteral("1000"));
        QVERIFY(notes().contains(QLatin1String("Iout exceeds ABS MAX")));
        click("PrevtoStep1");
        QCOMPARE(shown(), QStringLiteral("page_15"));
        click("V1button");
        click("NexttoStep2");
        QVERIFY(!notes().contains(QLatin1String("Iout")));
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
        QCustomPlot *sch = m_win->plot("SControlSch");
        QCPItemText *cint = nullptr;
        for (int i = 0; i < sch->itemCount(); ++i)
            if (auto *t = qobject_cast<QCPItemText *>(sch->item(i)); t && t->text().endsWith("\n4.7 nF"))
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
        QCOMPARE(m_win->window->controlStep3Page()->components()[Cint], QStringLiteral("open"));
        QVERIFY(m_win->label("SConPeaking") != peaking);
    }

    void hideBlocks()
    {
        toStep3("V1button");
        const int texts = items(false);
        QVERIFY(items(true) >= 4);
        click("SConHideBlocks");
        QCOMPARE(items(true), 0);
        QCOMPARE(items(false), texts - 5); // the five captions
        click("SConHideBlocks");
        QCOMPARE(items(false), texts);
    }
};

QTEST_MAIN(TestControlPages)
#include "test_controlpages.moc"
