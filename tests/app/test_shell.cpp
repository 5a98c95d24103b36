#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include "app/dialogresponder.h"
#include "app/mainwindow.h"

namespace {

QString readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing>");
    return QString::fromUtf8(f.readAll());
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

} // namespace

// The window driven off screen as a user would: every test runs in a fresh
// working directory so that preferences.txt is the test's own.
class TestShell : public QObject {
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_oldCwd;

    QStackedWidget *stack(MainWindow &w) { return w.findChild<QStackedWidget *>(QStringLiteral("Page")); }
    QPushButton *button(MainWindow &w, const QString &name) { return w.findChild<QPushButton *>(name); }
    QAction *action(MainWindow &w, const QString &name) { return w.findChild<QAction *>(name); }

private slots:
    void init()
    {
        m_oldCwd = QDir::currentPath();
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        QDir::setCurrent(m_dir->path());
    }
    void cleanup()
    {
        QDir::setCurrent(m_oldCwd);
        delete m_dir;
        m_dir = nullptr;
        QApplication::setFont(QFont(), "QWidget");
    }

    void pageTable()
    {
        MainWindow w;
        const QStringList names = { "page", "page_2", "SOApage", "SOAoptions", "page_4", "page_3", "page_5",
            "page_6", "page_7", "page_8", "page_9", "page_10", "page_11", "page_15", "page_16", "page_17",
            "page_13", "page_25", "page_21", "page_35" };
        QCOMPARE(stack(w)->count(), names.size());
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(stack(w)->widget(i)->objectName(), names.at(i));
    }

    void homeButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("page");
        QTest::newRow("PWM selector") << "SPSButton" << 8;
        QTest::newRow("linear selector") << "LPSbutton" << 1;
        QTest::newRow("PWM power") << "PWMPowerButton" << 9;
        QTest::newRow("examples") << "Examples" << 11;
        QTest::newRow("current pump") << "IHCPbutton" << 5;
        QTest::newRow("three phase") << "ThreePhaseButton" << 10;
        QTest::newRow("heatsinks") << "HSbutton" << 7;
        QTest::newRow("stability") << "LstabButton" << 4;
        QTest::newRow("control") << "PWMControlButton" << 13;
        QTest::newRow("filter") << "FilterButton" << 12;
        QTest::newRow("SOA") << "SOAbutton" << 2;
    }
    void homeButtons()
    {
        QFETCH(QString, name);
        QFETCH(int, page);
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QPushButton *b = button(w, name);
        QVERIFY(b);
        QVERIFY(!b->statusTip().isEmpty());

        // Hovering shows the tip in the status bar.
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(b, &enter);
        QCOMPARE(w.statusBar()->currentMessage(), b->statusTip());

        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(stack(w)->currentIndex(), page);
        QVERIFY(button(w, QStringLiteral("HomeButton"))->isVisible());

        // The Home button brings the home page back and hides itself.
        QTest::mouseClick(button(w, QStringLiteral("HomeButton")), Qt::LeftButton);
        QCOMPARE(stack(w)->currentIndex(), 0);
        QVERIFY(!button(w, QStringLiteral("HomeButton"))->isVisible());
    }

    void mainMenuActionKeepsHomeButton()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        button(w, QStringLiteral("HSbutton"))->click();
        action(w, QStringLiteral("actionMain_Menu"))->trigger();
        QCOMPARE(stack(w)->currentIndex(), 0);
        QVERIFY(button(w, QStringLiteral("HomeButton"))->isVisible());

        // From the start the action leaves the Home button hidden.
        MainWindow fresh;
        action(fresh, QStringLiteral("actionMain_Menu"))->trigger();
        QVERIFY(button(fresh, QStringLiteral("HomeButton"))->isHidden());
    }

    void hiddenPageBodePlotButton()
    {
        MainWindow w;
        stack(w)->setCurrentIndex(17);
        button(w, QStringLiteral("bodePlotGenButton"))->click();
        QCOMPARE(stack(w)->currentIndex(), 6);
        QVERIFY(button(w, QStringLiteral("HomeButton"))->isHidden());
    }

    void fontActions_data()
    {
        QTest::addColumn<QStringList>("sequence");
        QTest::addColumn<int>("points");
        QTest::newRow("24") << QStringList { "action24_pt" } << 24;
        QTest::newRow("6") << QStringList { "action6_pt" } << 6;
        QTest::newRow("12 then 8") << QStringList { "action12_pt", "action8_pt" } << 8;
        QTest::newRow("20 twice") << QStringList { "action20_pt", "action20_pt" } << 20;
        QTest::newRow("18 after 10") << QStringList { "action10_pt", "action18_pt" } << 18;
        QTest::newRow("14") << QStringList { "action14_pt" } << 14;
    }
    void fontActions()
    {
        QFETCH(QStringList, sequence);
        QFETCH(int, points);
        MainWindow w;
        for (const QString &name : sequence)
            action(w, name)->trigger();
        const QFont font = QApplication::font("QWidget");
        QCOMPARE(font.family(), QStringLiteral("MS Shell Dlg 2"));
        QCOMPARE(font.pointSize(), points);
        int checked = 0;
        for (QAction *a : w.findChild<QMenu *>(QStringLiteral("menuFont"))->actions()) {
            if (a->isChecked()) {
                ++checked;
                QCOMPARE(a->objectName(), QStringLiteral("action%1_pt").arg(points));
            }
        }
        QCOMPARE(checked, 1);
    }

    void closePrompt_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("prompts");
        QTest::addColumn<QString>("preferences");
        const QString path = QStringLiteral("/some/where/design.zam");
        QTest::newRow("unchanged closes at once") << false << int(QMessageBox::Cancel) << true << 0 << path;
        QTest::newRow("changed, No") << true << int(QMessageBox::No) << true << 1 << path;
        QTest::newRow("changed, Cancel") << true << int(QMessageBox::Cancel) << false << 1 << path;
        // No file was named in this run, so Save asks for one; cancelling that
        // refuses the close and forgets the path.
        QTest::newRow("changed, Save cancelled") << true << int(QMessageBox::Save) << false << 2 << QString();
    }
    void closePrompt()
    {
        QFETCH(bool, changed);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(int, prompts);
        QFETCH(QString, preferences);
        DialogResponder responder;
        QStringList buttons;
        responder.setMessageBoxAnswer([&](const QMessageBox &box) {
            for (QAbstractButton *b : box.buttons())
                buttons << b->text().remove(QLatin1Char('&'));
            return QMessageBox::StandardButton(answer);
        });
        responder.setDialogHandler([](QDialog *d) { d->reject(); });

        MainWindow w;
        w.setDesignPath(QStringLiteral("/some/where/design.zam"));
        w.setDesignChanged(changed);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.close(), closes);
        QCOMPARE(w.isVisible(), !closes);
        QCOMPARE(responder.messages().size(), prompts);
        if (prompts) {
            QCOMPARE(responder.messages().first().title, QStringLiteral("Close Ampora"));
            QCOMPARE(responder.messages().first().text.trimmed(), QStringLiteral("Save Changes?"));
            buttons.sort();
            QCOMPARE(buttons, QStringList({ "Cancel", "No", "Save" }));
        }
        if (prompts > 1)
            QCOMPARE(responder.messages().at(1).title, QStringLiteral("SaveAs"));
        // Written in every case, refused close included, without a line end.
        QCOMPARE(readAll(QStringLiteral("preferences.txt")), preferences);
    }

    void closePromptSavesNamedDesign()
    {
        const QString design = QDir::current().absoluteFilePath(QStringLiteral("named.zam"));
        writeFile(design, "ZARN AMPORA SAVED PREFERENCES\nVersion: 9.0.2\n");
        DialogResponder responder;
        responder.setMessageBoxAnswer([](const QMessageBox &) { return QMessageBox::Save; });
        MainWindow w;
        w.setDesignPath(design);
        w.openFile();
        w.setDesignChanged(true);
        w.show();
        QVERIFY(w.close());
        QCOMPARE(responder.messages().size(), 1);
        QVERIFY(readAll(design).startsWith(
            QLatin1String("ZARN AMPORA SAVED PREFERENCES\nVersion: 9.0.2\nPage: 0\n")));
        QVERIFY(!w.designChanged());
        QCOMPARE(readAll(QStringLiteral("preferences.txt")), design);
    }

    void preferencesAtStart_data()
    {
        QTest::addColumn<QString>("content"); // "<design>" stands for an existing file
        QTest::addColumn<bool>("keepsPath");
        QTest::newRow("existing design") << "<design>" << true;
        QTest::newRow("missing design") << "nowhere/gone.zam" << false;
        QTest::newRow("empty file") << "" << false;
    }
    void preferencesAtStart()
    {
        QFETCH(QString, content);
        QFETCH(bool, keepsPath);
        const QString design = QDir::current().absoluteFilePath(QStringLiteral("old.zam"));
        writeFile(design, "ZARN AMPORA SAVED PREFERENCES\nVersion: 9.0.2\nPage: 7\n");
        content.replace(QLatin1String("<design>"), design);
        writeFile(QStringLiteral("preferences.txt"), content.toUtf8());

        MainWindow w;
        QCOMPARE(w.designPath(), keepsPath ? design : QString());
        // The remembered design is not opened.
        QCOMPARE(w.findChild<QStackedWidget *>(QStringLiteral("Page"))->currentIndex(), 0);
        QVERIFY(!w.designChanged());
    }

    void noPreferencesFile()
    {
        QVERIFY(!QFile::exists(QStringLiteral("preferences.txt")));
        DialogResponder responder;
        {
            MainWindow w;
            QVERIFY(w.designPath().isEmpty());
            w.show();
            QVERIFY(w.close());
        }
        QVERIFY(responder.messages().isEmpty());
        QCOMPARE(readAll(QStringLiteral("preferences.txt")), QString());
    }

    // A catalog folder written here, so that every selector's subset is known.
    void selectorSubsets_data()
    {
        QTest::addColumn<QString>("selector");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QStringList>("itemsWithPreRelease");
        const QStringList linear = { "LA1", "LA2" };
        const QStringList linearPre = { "LA1", "LX9", "LA2" };
        QTest::newRow("SOA") << "AmpSelecterSOA" << linear << linearPre;
        QTest::newRow("stability") << "AmpSelectorStab" << linear << linearPre;
        QTest::newRow("current pump") << "IHCPampSelector" << linear << linearPre;
        QTest::newRow("power: 1 or 2 outputs") << "ampSelectorPower" << QStringList { "P1", "P2", "P4" }
                                               << QStringList { "P1", "P2", "PN", "P4" };
        QTest::newRow("filter: every PWM part")
            << "ampSelectorFilter" << QStringList { "P1", "P2", "P3", "P4" }
            << QStringList { "P1", "P2", "P3", "PN", "P4" };
        QTest::newRow("control: 2 outputs, not digital")
            << "ampSelectorSCon" << QStringList { "P2" } << QStringList { "P2", "PN" };
        QTest::newRow("three phase: 1 or 3 outputs")
            << "P3ampSelector" << QStringList { "P1", "P3" } << QStringList { "P1", "P3" };
        QTest::newRow("heatsink part")
            << "HSpart" << QStringList { "All Parts", "LA1", "LA2", "P1", "P2", "P3", "P4" }
            << QStringList { "All Parts", "LA1", "LX9", "LA2", "P1", "P2", "P3", "PN", "P4" };
    }
    void selectorSubsets()
    {
        QFETCH(QString, selector);
        QFETCH(QStringList, items);
        QFETCH(QStringList, itemsWithPreRelease);
        QDir().mkpath(QStringLiteral("cat"));
        writeFile(QStringLiteral("cat/LinearAmpData.txt"),
            "ampName\treleased?\tVss_max\n"
            "LA1\tY\t100\n"
            "LX9\tN\t100\n"
            "LA2\tY\t200\n");
        writeFile(QStringLiteral("cat/PWMAmpData.txt"),
            "ampName\treleased?\toutputs\tRamp\n"
            "P1\tY\t1\tFixed\n"
            "P2\tY\t2\tVccDep\n"
            "P3\tY\t3\tFixed\n"
            "PN\tN\t2\tFixed\n"
            "P4\tY\t2\tDigital\n");
        StartOptions options;
        options.catalogDir = QDir::current().absoluteFilePath(QStringLiteral("cat"));
        QTest::ignoreMessage(QtDebugMsg, "Could not open Host Amp File");
        QTest::ignoreMessage(QtDebugMsg, "Could not open Package Style File");
        QTest::ignoreMessage(QtDebugMsg, "Could not open Heatsink File");
        MainWindow w(nullptr, options);
        auto texts = [&] {
            QStringList out;
            auto *box = w.findChild<QComboBox *>(selector);
            for (int i = 0; i < box->count(); ++i)
                out << box->itemText(i);
            return out;
        };
        QCOMPARE(texts(), items);

        QTest::ignoreMessage(QtDebugMsg, "Could not open Package Style File");
        QTest::ignoreMessage(QtDebugMsg, "Could not open Heatsink File");
        w.findChild<QAbstractButton *>(QStringLiteral("includePreReleased"))->click();
        QCOMPARE(texts(), itemsWithPreRelease);
        QCOMPARE(w.catalogs().linear.size(), 3);

        QTest::ignoreMessage(QtDebugMsg, "Could not open Package Style File");
        QTest::ignoreMessage(QtDebugMsg, "Could not open Heatsink File");
        w.findChild<QAbstractButton *>(QStringLiteral("includePreReleased"))->click();
        QCOMPARE(texts(), items);
    }
};

QTEST_MAIN(TestShell)
#include "test_shell.moc"
