// The schematic editor through real mouse and key events, off screen.
#include <QComboBox>
#include <QRandomGenerator>
#include <QStackedWidget>
#include <QtTest>

#include "../pagewindow.h"
#include "app/dialogresponder.h"
#include "pages/schematic/schematiceditorpage.h"
#include "pages/schematic/schematicsymbols.h"

namespace {

class Editor {
public:
    Editor()
    {
        pw.window->show();
        QApplication::setActiveWindow(pw.window);
        QVERIFY(QTest::qWaitForWindowActive(pw.window));
        page = pw.window->findChild<SchematicEditorPage *>();
        sch = pw.plot("sch");
        pw.w<QStackedWidget>("Page")->setCurrentWidget(page);
        sch->replot();
        responder.setDialogHandler([](QDialog *d) { d->reject(); });
    }
    QPoint at(double x, double y) const
    {
        return QPoint(qRound(sch->xAxis->coordToPixel(x)), qRound(sch->yAxis->coordToPixel(y)));
    }
    void key(Qt::Key k) { QTest::keyClick(pw.window, k); }
    void move(const QPoint &p, Qt::MouseButtons buttons = Qt::NoButton)
    {
        QMouseEvent e(QEvent::MouseMove, p, sch->mapToGlobal(p), Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(sch, &e);
    }
    void press(const QPoint &p, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mousePress(sch, b, Qt::NoModifier, p);
    }
    void release(const QPoint &p, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseRelease(sch, b, Qt::NoModifier, p);
    }
    void click(const QPoint &p, Qt::MouseButton b = Qt::LeftButton)
    {
        press(p, b);
        release(p, b);
    }
    // Places a new resistor with its centre near (x, y).
    resistor *placeResistor(double x, double y)
    {
        key(Qt::Key_R);
        move(at(x, y));
        click(at(x, y));
        return qobject_cast<resistor *>(sch->item(sch->itemCount() - 1));
    }

    PageWindow pw;
    DialogResponder responder;
    SchematicEditorPage *page = nullptr;
    QCustomPlot *sch = nullptr;
};

} // namespace

class TestSchematicEditor : public QObject {
    Q_OBJECT
private slots:
    void placingSnaps_data()
    {
        QTest::addColumn<QString>("snap");
        QTest::addColumn<QPointF>("cursor");
        QTest::addColumn<QPointF>("centre");
        QTest::newRow("100") << "100" << QPointF(1240, 960) << QPointF(1200, 1000);
        QTest::newRow("50") << "50" << QPointF(1240, 960) << QPointF(1250, 950);
        QTest::newRow("400") << "400" << QPointF(1000, 1300) << QPointF(1200, 1200);
    }
    void placingSnaps()
    {
        QFETCH(QString, snap);
        QFETCH(QPointF, cursor);
        QFETCH(QPointF, centre);
        Editor e;
        e.pw.w<QComboBox>("snapBox")->setCurrentText(snap);
        resistor *r = e.placeResistor(cursor.x(), cursor.y());
        QVERIFY(r);
        QVERIFY(!e.page->heldItem());
        QCOMPARE(r->center->coords(), centre);
        // A horizontal part 400 long: terminals 200 either side.
        QCOMPARE(r->start->coords(), centre - QPointF(200, 0));
        QCOMPARE(r->end->coords(), centre + QPointF(200, 0));
    }

    void rightClickWhilePlacingTurns()
    {
        Editor e;
        e.key(Qt::Key_C);
        e.move(e.at(2000, 1000));
        e.click(e.at(2000, 1000), Qt::RightButton);
        e.click(e.at(2000, 1000));
        auto *c = qobject_cast<capacitor *>(e.sch->item(0));
        QVERIFY(c);
        QCOMPARE(c->start->coords(), QPointF(2000, 1200));
        QCOMPARE(c->end->coords(), QPointF(2000, 800));
    }

    // Escape deletes a part being placed and puts back one being dragged; a
    // drag that ends normally moves it.
    void escape()
    {
        Editor e;
        e.key(Qt::Key_R);
        e.move(e.at(1500, 1500));
        QCOMPARE(e.sch->itemCount(), 1);
        e.key(Qt::Key_Escape);
        QCOMPARE(e.sch->itemCount(), 0);
        QVERIFY(!e.page->heldItem());
        resistor *r = e.placeResistor(1200, 1000);
        QVERIFY(r);
        e.press(e.at(1200, 1000));
        e.move(e.at(3000, 2000), Qt::LeftButton);
        QCOMPARE(r->center->coords(), QPointF(3000, 2000));
        e.key(Qt::Key_Escape);
        e.release(e.at(3000, 2000));
        QCOMPARE(e.sch->itemCount(), 1);
        QCOMPARE(r->center->coords(), QPointF(1200, 1000));
        e.press(e.at(1200, 1000));
        e.move(e.at(2500, 1500), Qt::LeftButton);
        e.release(e.at(2500, 1500));
        QCOMPARE(r->center->coords(), QPointF(2500, 1500));
    }

    void wireTurnsAtTheLongerDistance()
    {
        Editor e;
        e.key(Qt::Key_W);
        QVERIFY(e.page->wireMode());
        e.click(e.at(1000, 1000));
        auto *w = qobject_cast<wire *>(e.page->heldItem());
        QVERIFY(w);
        e.move(e.at(1300, 1300)); // equal distances: horizontal
        QCOMPARE(w->end->coords(), QPointF(1300, 1000));
        e.move(e.at(1300, 1400));
        QCOMPARE(w->end->coords(), QPointF(1000, 1400));
        // The next segment starts where this one ends.
        e.click(e.at(1300, 1400));
        auto *next = qobject_cast<wire *>(e.page->heldItem());
        QVERIFY(next && next != w);
        QCOMPARE(next->start->coords(), QPointF(1000, 1400));
        // Right-click drops the segment in progress, a second one leaves wire mode.
        e.click(e.at(1300, 1400), Qt::RightButton);
        QCOMPARE(e.sch->itemCount(), 1);
        e.click(e.at(5000, 2500), Qt::RightButton);
        QVERIFY(!e.page->wireMode());
    }

    void survivesAnySequence()
    {
        Editor e;
        // Keys on another page do nothing to the editor.
        e.pw.w<QStackedWidget>("Page")->setCurrentIndex(0);
        e.key(Qt::Key_R);
        e.key(Qt::Key_W);
        QCOMPARE(e.sch->itemCount(), 0);
        QVERIFY(!e.page->heldItem() && !e.page->wireMode());
        QRandomGenerator random(19);
        const Qt::Key keys[] = { Qt::Key_R, Qt::Key_C, Qt::Key_W, Qt::Key_L, Qt::Key_Escape };
        for (int step = 0; step < 400; ++step) {
            const QPoint p = e.at(random.bounded(6000), random.bounded(3000));
            switch (random.bounded(7)) {
            case 0:
                e.key(keys[random.bounded(5)]);
                break;
            case 1:
                e.click(p);
                break;
            case 2:
                e.click(p, Qt::RightButton);
                break;
            case 3:
                e.move(p);
                break;
            case 4:
                e.press(p);
                e.move(p + QPoint(random.bounded(80), 0), Qt::LeftButton);
                break;
            case 5:
                e.release(p);
                break;
            default:
                e.pw.w<QStackedWidget>("Page")->setCurrentIndex(random.bounded(4) ? 19 : 0);
                break;
            }
        }
        e.pw.w<QStackedWidget>("Page")->setCurrentWidget(e.page);
        e.key(Qt::Key_Escape);
        QVERIFY(!e.page->heldItem() && !e.page->wireMode());
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(TestSchematicEditor)
#include "test_schematiceditor.moc"
