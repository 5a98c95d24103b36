#include <QAbstractButton>
#include <QStackedWidget>
#include <QtTest>

#include "app/dialogresponder.h"
#include "tests/pages/pagewindow.h"

// The whole window: every page can be reached the way a user reaches it.
class TestNavigation : public QObject {
    Q_OBJECT

    // The page of the stack that holds widget, or -1 for widgets outside it.
    static int pageOf(QStackedWidget *pages, QWidget *widget)
    {
        for (QWidget *p = widget; p; p = p->parentWidget()) {
            const int i = pages->indexOf(p);
            if (i >= 0)
                return i;
        }
        return -1;
    }

    static QStringList navigationButtons()
    {
        return { "SPSButton", "LPSbutton", "PWMPowerButton", "Examples", "IHCPbutton", "ThreePhaseButton",
            "HSbutton", "LstabButton", "PWMControlButton", "FilterButton", "SOAbutton", "HomeButton",
            "ToPWMControl", "toFilterDesign", "toPWMPower", "toPWMPower_2", "NexttoStep2", "PrevtoStep1",
            "NexttoStep3", "PrevtoStep2", "bodePlotGenButton", "StabTutorial", "PWMTutFilter",
            "ExportIHCPtoSOA" };
    }

private slots:
    // Walks the pages from the home page through every navigation button and the
    // hidden phrase; the four pages without a way in are shown by a design file.
    void everyPageIsReachable()
    {
        DialogResponder responder; // a tutorial or dialog must not block the walk
        PageWindow win;
        MainWindow &w = *win.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QStackedWidget *pages = win.w<QStackedWidget>("Page");

        QHash<int, QList<QAbstractButton *>> buttonsOnPage;
        QList<QAbstractButton *> outside;
        for (const QString &name : navigationButtons()) {
            auto *b = w.findChild<QAbstractButton *>(name);
            if (!b)
                continue; // arrives with its page
            const int page = pageOf(pages, b);
            (page < 0 ? outside : buttonsOnPage[page]) << b;
        }

        QSet<int> reached { 0 };
        QList<int> queue { 0 };
        QHash<int, QString> via;
        while (!queue.isEmpty()) {
            const int from = queue.takeFirst();
            QList<QAbstractButton *> candidates = buttonsOnPage.value(from) + outside;
            for (QAbstractButton *b : candidates) {
                pages->setCurrentIndex(from);
                QCoreApplication::processEvents();
                if (!b->isVisible() || !b->isEnabled())
                    continue;
                b->click();
                QCoreApplication::processEvents();
                const int to = pages->currentIndex();
                if (!reached.contains(to)) {
                    reached.insert(to);
                    via.insert(to, b->objectName());
                    queue << to;
                }
            }
            if (from == 1) {
                pages->setCurrentIndex(1);
                win.edit("LPScurrent", QStringLiteral("ShowMeQX7777?"));
                const int to = pages->currentIndex();
                QCOMPARE(to, 17);
                QCOMPARE(win.w<QLineEdit>("LPScurrent")->text(), QStringLiteral("0"));
                if (!reached.contains(to)) {
                    reached.insert(to);
                    queue << to;
                }
            }
        }

        const QSet<int> byFileOnly { 3, 16, 18, 19 };
        for (int i = 0; i < pages->count(); ++i) {
            if (byFileOnly.contains(i))
                QVERIFY2(!reached.contains(i), qPrintable(QStringLiteral("page %1 has a button").arg(i)));
            else
                QVERIFY2(reached.contains(i), qPrintable(QStringLiteral("page %1 is unreachable").arg(i)));
        }

        for (int page : byFileOnly) {
            const QString path = QDir(win.folder()).filePath(QStringLiteral("page%1.zam").arg(page));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("ZARN AMPORA SAVED PREFERENCES\nVersion: 9.0.2\nPage: ")
                + QByteArray::number(page) + "\n");
            f.close();
            pages->setCurrentIndex(0);
            w.setDesignPath(path);
            w.openFile();
            QCOMPARE(pages->currentIndex(), page);
        }
    }
};

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
