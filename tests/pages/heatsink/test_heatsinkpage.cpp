#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

#include "pages/heatsink/heatsinkpage.h"
#include "tests/pages/pagewindow.h"

// What the heatsink page does on a click that a report cannot show; its read-outs
// are golden designs (tests/files/golden/hs_*).
class TestHeatsinkPage : public QObject {
    Q_OBJECT

    PageWindow *m_win = nullptr;

    template <class T> T *get(const char *name) { return m_win->w<T>(name); }
    QTableView *table() { return get<QTableView>("HStable"); }

    QStringList visibleNames()
    {
        QStringList names;
        for (int r = 0; r < table()->model()->rowCount(); ++r)
            if (!table()->isRowHidden(r))
                names << table()->model()->index(r, 1).data().toString();
        return names;
    }
    void selectName(const QString &name)
    {
        QAbstractItemModel *model = table()->model();
        for (int r = 0; r < model->rowCount(); ++r)
            if (model->index(r, 1).data().toString() == name)
                return table()->setCurrentIndex(model->index(r, 1));
        QFAIL(qPrintable(QStringLiteral("no row ") + name));
    }
    void checkGroup(const char *name)
    {
        auto *box = get<QGroupBox>(name);
        box->setChecked(true);
        emit box->clicked(true);
    }

private slots:
    void init() { m_win = new PageWindow; }
    void cleanup() { delete m_win; }

    // Switching units converts what was typed, and back without loss.
    void unitConversion()
    {
        checkGroup("HSconstCheckBox");
        m_win->edit("HSH", "2");
        m_win->edit("HSWeight", "1");
        get<QRadioButton>("HSmetric")->click();
        QCOMPARE(get<QLineEdit>("HSH")->text(), QStringLiteral("50.8"));
        QCOMPARE(get<QLineEdit>("HSWeight")->text(), QStringLiteral("28.3495"));
        QCOMPARE(get<QLineEdit>("HSL")->text(), QStringLiteral("all"));
        QCOMPARE(get<QLineEdit>("HSfanDia")->text(), QStringLiteral("101.6"));
        get<QRadioButton>("HSenglish")->click();
        QCOMPARE(get<QLineEdit>("HSH")->text(), QStringLiteral("2"));
        QCOMPARE(get<QLineEdit>("HSWeight")->text(), QStringLiteral("1"));
    }

    // Choosing a row shows that heatsink, its picture and its curve.
    void selection()
    {
        auto *page = m_win->window->findChild<HeatsinkPage *>(QStringLiteral("page_6"));
        QVERIFY(page);
        for (const QString &name : { QStringLiteral("KH13"), QStringLiteral("KH62-H2O") }) {
            selectName(name);
            QCOMPARE(page->selectedHeatsink().name, name);
            QVERIFY(QFile::exists(QStringLiteral(":/ZarnLinear/") + name + QStringLiteral(".jpg")));
            QVERIFY(get<QLabel>("HSName")->text().contains(page->selectedHeatsink().drawingLink));
            QCOMPARE(m_win->plot("HSplot")->graph(0)->data()->size(), 128);
        }
    }

    void sortKeepsRows()
    {
        m_win->edit("HSrtheta", "3");
        const QStringList before = visibleNames();
        QVERIFY(!before.isEmpty());
        table()->model()->sort(1, Qt::DescendingOrder);
        get<QPushButton>("HSsortPrice")->click();
        QCOMPARE(visibleNames(), before);
    }

    void changesDesign()
    {
        m_win->window->setDesignChanged(false);
        get<QSpinBox>("HSrelax")->setValue(20);
        QVERIFY(m_win->window->designChanged());
        checkGroup("HSfluidCheckBox");
        m_win->window->setDesignChanged(false);
        m_win->edit("HSfanDia", "3");
        QVERIFY(m_win->window->designChanged());
    }
};

QTEST_MAIN(TestHeatsinkPage)
#include "test_heatsinkpage.moc"
