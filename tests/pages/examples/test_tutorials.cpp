// The tutorials as a user walks them: every step of every example, the
// dialog's buttons, the description of each example and the save prompt.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextEdit>
#include <QtTest>

#include "../pagewindow.h"
#include "app/dialogresponder.h"
#include "app/tutorialpresets.h"
#include "pages/examples/examplesdialog.h"

namespace {

const int kExamplesPage = 11;

// Where each example's tutorial starts and where the next one's description
// stands, which ends it.
struct Span {
    int first, end;
};
const Span kSpans[12] = { { 62, 68 }, { 1, 9 }, { 11, 16 }, { 18, 22 }, { 24, 28 }, { 30, 34 }, { 36, 49 },
    { 51, 53 }, { 55, 60 }, { 70, 77 }, { 79, 85 }, { 87, 95 } };

bool hiddenOnPurpose(QWidget *w, QWidget *page)
{
    // Tabs and sheets not in front are hidden by their stack, not by the page.
    for (QWidget *p = w; p && p != page; p = p->parentWidget())
        if (p->isHidden() && !qobject_cast<QStackedWidget *>(p->parentWidget()))
            return true;
    return false;
}

// Every red text the page shows: labels, notes boxes and fields.
QStringList redTexts(QWidget *page)
{
    QStringList found;
    const QColor red(Qt::red);
    for (QLabel *label : page->findChildren<QLabel *>())
        if (!hiddenOnPurpose(label, page) && label->styleSheet().contains(QLatin1String("red")))
            found << label->objectName() + QLatin1String(": ") + label->text();
    for (QTextEdit *box : page->findChildren<QTextEdit *>()) {
        if (hiddenOnPurpose(box, page))
            continue;
        for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().foreground().color() == red)
                    found << box->objectName() + QLatin1String(": ") + it.fragment().text();
    }
    for (QLineEdit *field : page->findChildren<QLineEdit *>())
        if (!hiddenOnPurpose(field, page) && field->palette().color(QPalette::Active, QPalette::Text) == red)
            found << field->objectName() + QLatin1String(": ") + field->text();
    return found;
}

} // namespace

class TestTutorials : public QObject {
    Q_OBJECT
private slots:
    void everyStep_data();
    void everyStep();
    void previousAtFirstStepStays();
    void savePromptBeforeTutorial();
};

void TestTutorials::everyStep_data()
{
    QTest::addColumn<int>("example");
    for (int i = 0; i < 12; ++i)
        QTest::newRow(qPrintable(QString::number(i))) << i;
}

void TestTutorials::everyStep()
{
    QFETCH(int, example);
    PageWindow pw;
    auto *pages = pw.w<QStackedWidget>("Page");
    auto *box = pw.w<QComboBox>("ExampleSelection");
    box->setCurrentIndex(example);
    QMetaObject::invokeMethod(box, "activated", Q_ARG(int, example));
    // The description names its example in the title line.
    const QString title = pw.w<QTextBrowser>("ExDesc")->toPlainText().section(QLatin1Char('\n'), 0, 0);
    QVERIFY2(title.contains(box->itemText(example).section(QLatin1Char(' '), example == 0, example == 0)),
        qPrintable(title));
    pw.w<QAbstractButton>("startTutorial")->click();
    const Span span = kSpans[example];
    for (int n = span.first; n <= span.end; ++n) {
        Examples *dialog = pw.window->tutorialDialog();
        QVERIFY2(dialog, qPrintable(QStringLiteral("step %1: no dialog").arg(n)));
        QCOMPARE(dialog->step(), n);
        QVERIFY2(!Examples::stepText(n).trimmed().isEmpty(), qPrintable(QStringLiteral("text %1").arg(n)));
        QCOMPARE(dialog->findChild<QTextBrowser *>("textBrowser")->toPlainText().trimmed(),
            Examples::stepText(n).trimmed());

        const TutorialStep step = TutorialPresets::builtIn().step(n);
        QHash<QString, QString> last;
        for (const TutorialAction &a : step.actions)
            if (a.name != QLatin1String("click"))
                last.insert(a.name, a.value);
        if (last.contains(QStringLiteral("Page")))
            QCOMPARE(pages->currentIndex(), last.value(QStringLiteral("Page")).toInt());
        const QJsonObject entries = pw.window->design().entries();
        for (auto it = last.constBegin(); it != last.constEnd(); ++it)
            if (entries.contains(it.key()))
                QVERIFY2(entries.value(it.key()).toString() == it.value(),
                    qPrintable(QStringLiteral("step %1: %2 differs").arg(n).arg(it.key())));
        const QStringList red = step.aboutWarning ? QStringList() : redTexts(pages->currentWidget());
        QVERIFY2(red.isEmpty(), qPrintable(QStringLiteral("step %1 shows red: ").arg(n) + red.join(" | ")));
        dialog->findChild<QAbstractButton *>("nextButton")->click();
    }
    // Next on the last step ends the tutorial on the examples page.
    QCoreApplication::processEvents();
    QVERIFY(!pw.window->tutorialDialog());
    QCOMPARE(pages->currentIndex(), kExamplesPage);
}

void TestTutorials::previousAtFirstStepStays()
{
    PageWindow pw;
    pw.w<QComboBox>("ExampleSelection")->setCurrentIndex(1);
    pw.w<QAbstractButton>("startTutorial")->click();
    Examples *dialog = pw.window->tutorialDialog();
    QVERIFY(dialog);
    dialog->findChild<QAbstractButton *>("prevButton")->click();
    QCOMPARE(pw.window->tutorialDialog(), dialog);
    QCOMPARE(dialog->step(), 1);
    QCOMPARE(pw.w<QStackedWidget>("Page")->currentIndex(), 1);

    // Examples closes the dialog and returns to the examples page.
    dialog->findChild<QAbstractButton *>("examplesButton")->click();
    QCoreApplication::processEvents();
    QVERIFY(!pw.window->tutorialDialog());
    QCOMPARE(pw.w<QStackedWidget>("Page")->currentIndex(), kExamplesPage);
}

void TestTutorials::savePromptBeforeTutorial()
{
    PageWindow pw;
    DialogResponder responder;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    responder.setMessageBoxAnswer([&](const QMessageBox &) { return answer; });
    pw.edit("SOA_Rload", "3.3");
    QVERIFY(pw.window->designChanged());
    pw.w<QComboBox>("ExampleSelection")->setCurrentIndex(3);

    // Cancel keeps the user's design and starts nothing.
    pw.w<QAbstractButton>("startTutorial")->click();
    QCOMPARE(responder.messages().size(), 1);
    QVERIFY(!pw.window->tutorialDialog());
    QCOMPARE(pw.w<QLineEdit>("SOA_Rload")->text(), QString("3.3"));

    // Discard lets the tutorial replace it; with every dialog answered (as
    // under --click) the tutorial still stays open for the script to walk.
    answer = QMessageBox::Discard;
    pw.w<QAbstractButton>("startTutorial")->click();
    QCOMPARE(responder.messages().size(), 2);
    Examples *dialog = pw.window->tutorialDialog();
    QVERIFY(dialog);
    QCOMPARE(pw.w<QLineEdit>("SOA_Rload")->text(), QString("8"));

    // The tutorial's own changes need no prompt, and the one dialog moves on.
    pw.w<QComboBox>("ExampleSelection")->setCurrentIndex(1);
    pw.w<QAbstractButton>("startTutorial")->click();
    QCOMPARE(responder.messages().size(), 2);
    QCOMPARE(pw.window->tutorialDialog(), dialog);
    QCOMPARE(dialog->step(), 1);
    QCOMPARE(pw.window->findChildren<Examples *>().size(), 1);
}

QTEST_MAIN(TestTutorials)
#include "test_tutorials.moc"
