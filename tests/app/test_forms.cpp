#include <QAction>
#include <QLayout>
#include <QMetaMethod>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QtTest>

#include "app/schematic/primitives.h"
#include "pages/charthelper.h"
#include "tests/pages/pagewindow.h"

// What a form can get wrong that no model test sees, checked on all twenty
// pages at once: a page that needs scrolling at the smallest window, two
// widgets of one name (design files, the report and --click would address the
// wrong one), and a handler whose object was renamed and so is never called.
class TestForms : public QObject {
    Q_OBJECT

    PageWindow *m_win = nullptr;

    QStackedWidget *stack() const { return m_win->w<QStackedWidget>("Page"); }

    // Why the page shown does not fit, or an empty text.
    static QString overflow(QWidget *page, QWidget *room)
    {
        const QSize need = page->minimumSizeHint();
        if (need.width() > room->width() || need.height() > room->height())
            return QStringLiteral("needs %1 x %2").arg(need.width()).arg(need.height());
        for (QScrollArea *area : page->findChildren<QScrollArea *>()) {
            if (!area->isVisible())
                continue;
            const int h = area->horizontalScrollBar()->maximum(), v = area->verticalScrollBar()->maximum();
            if (h > 0 || v > 0)
                return QStringLiteral("%1 scrolls by %2 x %3").arg(area->objectName()).arg(h).arg(v);
        }
        return {};
    }

private slots:
    void initTestCase()
    {
        m_win = new PageWindow;
        m_win->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_win->window));
    }
    void cleanupTestCase() { delete m_win; }

    void fitsTheSmallestWindow_data()
    {
        QTest::addColumn<int>("page");
        QCOMPARE(stack()->count(), 20);
        for (int i = 0; i < stack()->count(); ++i)
            QTest::newRow(qPrintable(stack()->widget(i)->objectName())) << i;
    }
    // Every combination of the page's tabs, with the Main Menu row shown.
    void fitsTheSmallestWindow()
    {
        QFETCH(int, page);
        m_win->window->resize(1230, 691);
        stack()->setCurrentIndex(page);
        m_win->w<QWidget>("HomeButton")->show();
        QWidget *p = stack()->widget(page);
        const QList<QTabWidget *> tabs = p->findChildren<QTabWidget *>();
        int combinations = 1;
        for (QTabWidget *t : tabs)
            combinations *= t->count();
        for (int c = 0; c < combinations; ++c) {
            QStringList shown;
            for (int k = c, t = 0; t < tabs.size(); k /= tabs[t]->count(), ++t) {
                tabs[t]->setCurrentIndex(k % tabs[t]->count());
                shown << tabs[t]->objectName() + QLatin1Char('=') + QString::number(k % tabs[t]->count());
            }
            QCoreApplication::processEvents();
            const QString why = overflow(p, stack());
            QVERIFY2(why.isEmpty(), qPrintable(shown.join(QLatin1Char(' ')) + QLatin1Char(' ') + why));
        }
        for (QTabWidget *t : tabs)
            t->setCurrentIndex(0);
    }

    // No two widgets, actions or layouts of the window share an object name.
    void objectNamesAreUnique()
    {
        QHash<QString, int> count;
        for (QObject *o : m_win->window->findChildren<QObject *>()) {
            const QString name = o->objectName();
            if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))
                || (o->parent() && o->parent()->inherits("QTabBar")))
                continue;
            if (o->isWidgetType() || qobject_cast<QAction *>(o) || qobject_cast<QLayout *>(o))
                ++count[name];
        }
        QStringList shared;
        for (auto it = count.cbegin(); it != count.cend(); ++it)
            if (it.value() > 1)
                shared << QStringLiteral("%1 (%2)").arg(it.key()).arg(it.value());
        shared.sort();
        QVERIFY2(shared.isEmpty(), qPrintable(shared.join(QStringLiteral(", "))));
        QVERIFY(count.size() > 500);
    }

    // Every on_<object>_<signal> slot of the window and its pages names a child
    // that has that signal with arguments the slot accepts, as Qt's connection
    // by name needs.
    void everyHandlerHasItsObject()
    {
        QList<QObject *> owners { m_win->window };
        owners += m_win->window->findChildren<QObject *>();
        QStringList missing;
        int handlers = 0;
        for (QObject *owner : owners) {
            for (const QMetaObject *mo = owner->metaObject();
                 mo && !QByteArray(mo->className()).startsWith('Q'); mo = mo->superClass()) {
                for (int m = mo->methodOffset(); m < mo->methodCount(); ++m) {
                    const QMetaMethod slot = mo->method(m);
                    const QByteArray name = slot.name();
                    const int split = name.lastIndexOf('_');
                    if (slot.methodType() != QMetaMethod::Slot || !name.startsWith("on_") || split <= 3)
                        continue;
                    ++handlers;
                    const QString object = QString::fromLatin1(name.mid(3, split - 3));
                    const QByteArray signal = name.mid(split + 1);
                    bool found = false;
                    QList<QObject *> targets = owner->findChildren<QObject *>(object);
                    if (owner->objectName() == object)
                        targets << owner;
                    for (QObject *t : targets) {
                        const QMetaObject *tm = t->metaObject();
                        for (int s = 0; s < tm->methodCount() && !found; ++s)
                            found = tm->method(s).methodType() == QMetaMethod::Signal
                                && tm->method(s).name() == signal
                                && QMetaObject::checkConnectArgs(tm->method(s), slot);
                    }
                    if (!found)
                        missing << QString::fromLatin1(mo->className()) + QStringLiteral("::")
                                + QString::fromLatin1(slot.methodSignature());
                }
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
        QVERIFY(handlers > 100);
    }

    // Every chart of every page has the chart helper; the schematic canvases,
    // whose clicks are their own, have none.
    void everyChartHasTheHelper()
    {
        QStringList without;
        int charts = 0, canvases = 0;
        for (QCustomPlot *plot : m_win->window->findChildren<QCustomPlot *>()) {
            const bool canvas = isSchematicCanvas(plot);
            (canvas ? canvases : charts) += 1;
            if (canvas == (ChartHelper::of(plot) != nullptr))
                without << plot->objectName();
        }
        QVERIFY2(without.isEmpty(), qPrintable(without.join(QStringLiteral(", "))));
        QVERIFY(charts >= 10);
        QVERIFY(canvases >= 2);
    }
};

QTEST_MAIN(TestForms)
#include "test_forms.moc"
