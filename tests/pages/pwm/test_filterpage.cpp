#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#include "files/designfile.h"
#include "pages/pwm/filterpage.h"
#include "tests/pages/pagewindow.h"

// The filter page through the real window: the rules a part imposes, a
// warning that keeps the typed value, and the hand-off request.
class TestFilterPage : public QObject {
    Q_OBJECT
private slots:
    void amplifierRules_data();
    void amplifierRules();
    void warningKeepsTypedValue();
    void loadRequest();
};

void TestFilterPage::amplifierRules_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<bool>("single");
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<QString>("ripple");
    // Two outputs, Split-Inductor: 1.25*48*2*0.5 / (20k/2k)^2 = 0.6 V.
    QTest::newRow("two outputs") << "TZ636" << false << false << "600 mV peak";
    // One output: single-ended, 1.25*48*0.5 / 10^2 = 0.3 V.
    QTest::newRow("one output") << "TZ605" << true << false << "300 mV peak";
    // One output, fixed at 100 kHz: 30 / (100k/2k)^2 = 12 mV, so the fixed frequency is used at once.
    QTest::newRow("fixed frequency") << "TZ615" << true << true << "12 mV peak";
}

void TestFilterPage::amplifierRules()
{
    QFETCH(QString, part);
    QFETCH(bool, single);
    QFETCH(bool, fixed);
    QFETCH(QString, ripple);
    PageWindow pw;
    auto *box = pw.w<QComboBox>("ampSelectorFilter");
    box->setCurrentIndex(box->findText(part));
    QVERIFY(box->currentIndex() >= 0);
    emit box->activated(box->currentIndex());
    QCOMPARE(pw.w<QRadioButton>("HBbutton")->isChecked(), single);
    QCOMPARE(pw.w<QRadioButton>("SEbutton")->isChecked(), single);
    QCOMPARE(pw.w<QRadioButton>("FBbutton")->isEnabled(), !single);
    QCOMPARE(pw.w<QRadioButton>("DCbutton")->isEnabled(), !single);
    QCOMPARE(pw.w<QRadioButton>("SIbutton")->isEnabled(), !single);
    QCOMPARE(pw.w<QLineEdit>("filterFsw")->isEnabled(), !fixed);
    QCOMPARE(pw.label("filterVripActual"), ripple);
}

void TestFilterPage::warningKeepsTypedValue()
{
    PageWindow pw;
    // TZ636 takes at most 100 V. 150 V: 1.25*150*2*0.5 / 10^2 = 1.875 V.
    pw.edit("filterVs", "150");
    QCOMPARE(pw.w<QLineEdit>("filterVs")->text(), QStringLiteral("Exceeds Abs Max"));
    QCOMPARE(pw.label("filterVripActual"), QStringLiteral("1.88 V peak"));
    // A later refresh still computes with 150 V: 187.5 / 10^3 at order 3.
    pw.w<QSpinBox>("filterOrderActual")->setValue(3);
    QCOMPARE(pw.w<QLineEdit>("filterVs")->text(), QStringLiteral("Exceeds Abs Max"));
    QCOMPARE(pw.label("filterVripActual"), QStringLiteral("188 mV peak"));
    const QString saved = QString::fromUtf8(pw.window->design().serialise());
    QVERIFY(saved.contains(QStringLiteral("\nfilterVs: 150\n")));
    QCOMPARE(pw.window->filterPage()->filterExport().Vs, QStringLiteral("150"));
    // 8 V is below the part's 16 V minimum; 10 / 10^3 = 10 mV.
    pw.edit("filterVs", "8");
    QCOMPARE(pw.w<QLineEdit>("filterVs")->text(), QStringLiteral("Vs too Low"));
    QCOMPARE(pw.label("filterVripActual"), QStringLiteral("10 mV peak"));
    // A bad frequency is a red zero, never a number that is not finite.
    pw.edit("filterFsw", "20kHz");
    QVERIFY(!pw.label("filterVripActual").contains(QStringLiteral("inf")));
    QCOMPARE(pw.w<QLineEdit>("filterFsw")->text(), QStringLiteral("Fsw too Low"));
}

void TestFilterPage::loadRequest()
{
    PageWindow pw;
    QSignalSpy spy(pw.window->filterPage(), &FilterPage::loadFilterRequested);
    pw.w<QPushButton>("loadFilterToPower")->click();
    QCOMPARE(spy.count(), 1);
    QVERIFY(pw.window->designChanged());
}

QTEST_MAIN(TestFilterPage)
#include "test_filterpage.moc"
