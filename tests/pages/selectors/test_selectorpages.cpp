#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableView>
#include <QtTest>

#include "tests/rowtable.h"

#include "pages/selectors/linearselectorpage.h"
#include "tests/pages/pagewindow.h"

// What the two selectors do on a click that a report cannot show; their
// read-outs are golden designs (tests/files/golden/sel_*).
struct RowFrequencyToSlewRate {
    const char *tag;
    QString vpp;
    QString frequency;
    QString slewRate;
    bool red;
} const kFrequencyToSlewRate[] = {
    // SR = pi Vpp f: 10 Vp-p at 100 kHz is 3.14159 V/us.
    { "100 kHz, 10 Vp-p", "10", "100", "3.14159", false },
    { "huge frequency, no swing", "0", "1e308", "\u2014", true },
    { "huge frequency, huge swing", "1e300", "1e300", "\u2014", true },
};

struct RowSortButtons {
    const char *tag;
    QString field;
    QString table;
    QString button;
} const kSortButtons[] = {
    { "linear", "LPScurrent", "selectorTable", "sortPrice" },
    { "PWM", "SPScurrent", "pwmTable", "SPSsortPrice" },
};

class TestSelectorPages : public QObject {
    Q_OBJECT

    PageWindow *m_win = nullptr;

    template <typename T> T *get(const char *name) { return m_win->w<T>(name); }

    // Names of the rows a user sees, top to bottom.
    static QStringList shownNames(const QTableView *view)
    {
        QStringList names;
        for (int v = 0; v < view->model()->rowCount(); ++v) {
            const int r = view->verticalHeader()->logicalIndex(v);
            if (!view->isRowHidden(r))
                names << view->model()->index(r, 1).data().toString();
        }
        return names;
    }

private slots:
    void init() { m_win = new PageWindow; }
    void cleanup() { delete m_win; }

    void hiddenPhrase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("lower") << "showmeqx7777?";
        QTest::newRow("upper") << "SHOWMEQX7777?";
    }
    void hiddenPhrase()
    {
        QFETCH(QString, text);
        auto *page = qobject_cast<LinearSelectorPage *>(get<QWidget>("page_2"));
        QSignalSpy spy(page, &LinearSelectorPage::hiddenPageRequested);
        get<QPushButton>("LPSbutton")->click();
        m_win->edit("LPSVpp", QStringLiteral("10"));
        // A refresh would rewrite the slew rate from the frequency; the phrase stops before that.
        get<QLineEdit>("LPSSR")->setText(QStringLiteral("untouched"));
        m_win->edit("LPScurrent", text);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(get<QLineEdit>("LPScurrent")->text(), QStringLiteral("0"));
        QCOMPARE(get<QLineEdit>("LPSSR")->text(), QStringLiteral("untouched"));
        // The window answers the signal with the hidden page.
        QCOMPARE(get<QStackedWidget>("Page")->currentIndex(), 17);

        // Almost the phrase is just a bad number.
        m_win->edit("LPScurrent", QStringLiteral("showmeqx7777"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(get<QLineEdit>("LPScurrent")->palette().color(QPalette::Text), QColor(Qt::red));
    }

    // The slew rate and the frequency rewrite each other through the swing; a
    // swing of zero leaves no answer, shown as a red dash.
    void slewRateToFrequency_data()
    {
        QTest::addColumn<QString>("vpp");
        QTest::addColumn<QString>("slewRate");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<bool>("red");
        // f = SR / (pi Vpp); the plain cases are golden designs (sel_linear_slew_*).
        QTest::newRow("no swing") << "0"
                                  << "5"
                                  << "\u2014" << true;
    }
    void slewRateToFrequency()
    {
        QFETCH(QString, vpp);
        QFETCH(QString, slewRate);
        QFETCH(QString, frequency);
        QFETCH(bool, red);
        get<QPushButton>("LPSbutton")->click();
        get<QRadioButton>("LPSSRButton")->click();
        m_win->edit("LPSVpp", vpp);
        m_win->edit("LPSSR", slewRate);
        QCOMPARE(get<QLineEdit>("LPSFreq")->text(), frequency);
        QCOMPARE(get<QLineEdit>("LPSFreq")->palette().color(QPalette::Text) == QColor(Qt::red), red);
    }

    void frequencyToSlewRate_data() { addRows(kFrequencyToSlewRate); }
    void frequencyToSlewRate()
    {
        QFETCH(int, rowNumber);
        [[maybe_unused]] const auto &[tag, vpp, frequency, slewRate, red] = kFrequencyToSlewRate[rowNumber];
        get<QPushButton>("LPSbutton")->click();
        m_win->edit("LPSVpp", vpp);
        m_win->edit("LPSFreq", frequency);
        QCOMPARE(get<QLineEdit>("LPSSR")->text(), slewRate);
        QCOMPARE(get<QLineEdit>("LPSSR")->palette().color(QPalette::Text) == QColor(Qt::red), red);
    }

    // A table sorted by another column goes back to price order.
    void sortButtons_data() { addRows(kSortButtons); }
    void sortButtons()
    {
        QFETCH(int, rowNumber);
        [[maybe_unused]] const auto &[tag, field, table, button] = kSortButtons[rowNumber];
        m_win->edit(qPrintable(field), QStringLiteral("5"));
        auto *view = get<QTableView>(qPrintable(table));
        const QStringList expected = shownNames(view);
        QVERIFY(!expected.isEmpty());
        view->model()->sort(1, Qt::DescendingOrder);
        QVERIFY(shownNames(view) != expected);
        get<QPushButton>(qPrintable(button))->click();
        QCOMPARE(shownNames(view), expected);
    }
};

QTEST_MAIN(TestSelectorPages)
#include "test_selectorpages.moc"
