#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include "app/dialogresponder.h"
#include "app/mainwindow.h"

namespace {

QString readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<missing>");
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

const QByteArray kHeader = "ZARN AMPORA SAVED PREFERENCES\nVersion: 9.0.2\n";

} // namespace

// The window driven off screen as a user would: every test runs in a fresh
// working directory so that preferences.txt is the test's own.
class TestShell : public QObject {
    Q_OBJECT

    QTemporaryDir *m_dir = nullptr;
    QString m_oldCwd;

    static QStackedWidget *stack(MainWindow &w)
    {
        return w.findChild<QStackedWidget *>(QStringLiteral("Page"));
    }
    static QPushButton *home(MainWindow &w)
    {
        return w.findChild<QPushButton *>(QStringLiteral("HomeButton"));
    }

private slots:
    void init()
    {
        m_oldCwd = QDir::currentPath();
        m_dir = new QTemporaryDir;
        QDir::setCurrent(m_dir->path());
    }
    void cleanup()
    {
        QDir::setCurrent(m_oldCwd);
        delete m_dir;
        QApplication::setFont(QFont(), "QWidget");
    }

    // A home button shows its page and the way home; hovering shows its tip.
    // The menu action goes home too but leaves the Home button; the hidden
    // page's button goes to the stability page without it.
    void homeButtonAndMenu()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *hs = w.findChild<QPushButton *>(QStringLiteral("HSbutton"));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(hs, &enter);
        QVERIFY(!hs->statusTip().isEmpty());
        QCOMPARE(w.statusBar()->currentMessage(), hs->statusTip());
        QTest::mouseClick(hs, Qt::LeftButton);
        QCOMPARE(stack(w)->currentIndex(), 7);
        QVERIFY(home(w)->isVisible());
        QTest::mouseClick(home(w), Qt::LeftButton);
        QCOMPARE(stack(w)->currentIndex(), 0);
        QVERIFY(!home(w)->isVisible());

        hs->click();
        w.findChild<QAction *>(QStringLiteral("actionMain_Menu"))->trigger();
        QCOMPARE(stack(w)->currentIndex(), 0);
        QVERIFY(home(w)->isVisible());

        MainWindow fresh;
        fresh.findChild<QAction *>(QStringLiteral("actionMain_Menu"))->trigger();
        QVERIFY(home(fresh)->isHidden());
        stack(fresh)->setCurrentIndex(17);
        fresh.findChild<QPushButton *>(QStringLiteral("bodePlotGenButton"))->click();
        QCOMPARE(stack(fresh)->currentIndex(), 6);
        QVERIFY(home(fresh)->isHidden());
    }

    void fontActions()
    {
        MainWindow w;
        for (const char *name : { "action12_pt", "action8_pt" })
            w.findChild<QAction *>(QLatin1String(name))->trigger();
        const QFont font = QApplication::font("QWidget");
        QCOMPARE(font.family(), QStringLiteral("MS Shell Dlg 2"));
        QCOMPARE(font.pointSize(), 8);
        QStringList checked;
        for (QAction *a : w.findChild<QMenu *>(QStringLiteral("menuFont"))->actions())
            if (a->isChecked())
                checked << a->objectName();
        QCOMPARE(checked, QStringList { "action8_pt" });
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
        QCOMPARE(w.close(), closes);
        QCOMPARE(w.isVisible(), !closes);
        QCOMPARE(responder.messages().size(), prompts);
        if (prompts) {
            QCOMPARE(responder.messages().first().text.trimmed(), QStringLiteral("Save Changes?"));
            buttons.sort();
            QCOMPARE(buttons, QStringList({ "Cancel", "No", "Save" }));
        }
        // Written in every case, refused close included, without a line end.
        QCOMPARE(readAll(QStringLiteral("preferences.txt")), preferences);
    }

    void closePromptSavesNamedDesign()
    {
        const QString design = QDir::current().absoluteFilePath(QStringLiteral("named.zam"));
        writeFile(design, kHeader);
        DialogResponder responder;
        responder.setMessageBoxAnswer([](const QMessageBox &) { return QMessageBox::Save; });
        MainWindow w;
        w.setDesignPath(design);
        w.openFile();
        w.setDesignChanged(true);
        w.show();
        QVERIFY(w.close());
        QCOMPARE(responder.messages().size(), 1);
        QVERIFY(readAll(design).startsWith(QString::fromUtf8(kHeader + "Page: 0\n")));
        QVERIFY(!w.designChanged());
        QCOMPARE(readAll(QStringLiteral("preferences.txt")), design);
    }

    void preferencesAtStart_data()
    {
        QTest::addColumn<QString>("content"); // "<design>" stands for an existing file, "-" for no file
        QTest::addColumn<bool>("keepsPath");
        QTest::newRow("existing design") << "<design>" << true;
        QTest::newRow("missing design") << "nowhere/gone.zam" << false;
        QTest::newRow("empty file") << "" << false;
        QTest::newRow("no file") << "-" << false;
    }
    void preferencesAtStart()
    {
        QFETCH(QString, content);
        QFETCH(bool, keepsPath);
        const QString design = QDir::current().absoluteFilePath(QStringLiteral("old.zam"));
        writeFile(design, kHeader + "Page: 7\n");
        content.replace(QLatin1String("<design>"), design);
        if (content != "-")
            writeFile(QStringLiteral("preferences.txt"), content.toUtf8());
        DialogResponder responder;
        {
            MainWindow w;
            QCOMPARE(w.designPath(), keepsPath ? design : QString());
            // The remembered design is not opened.
            QCOMPARE(stack(w)->currentIndex(), 0);
            QVERIFY(!w.designChanged());
            w.show();
            QVERIFY(w.close());
        }
        QVERIFY(responder.messages().isEmpty());
        QCOMPARE(readAll(QStringLiteral("preferences.txt")), keepsPath ? design : QString());
    }

    // A catalog folder written here, so that every selector's subset is known.
    void selectorSubsets()
    {
        QDir().mkpath(QStringLiteral("cat"));
        writeFile(QStringLiteral("cat/LinearAmpData.txt"),
            "ampName\treleased?\tVss_max\nLA1\tY\t100\nLX9\tN\t100\nLA2\tY\t200\n");
        writeFile(QStringLiteral("cat/PWMAmpData.txt"),
            "ampName\treleased?\toutputs\tRamp\nP1\tY\t1\tFixed\nP2\tY\t2\tVccDep\nP3\tY\t3\tFixed\n"
            "PN\tN\t2\tFixed\nP4\tY\t2\tDigital\n");
        StartOptions options;
        options.catalogDir = QDir::current().absoluteFilePath(QStringLiteral("cat"));
        for (const char *missing : { "Host Amp", "Package Style", "Heatsink", "Package Style", "Heatsink" })
            QTest::ignoreMessage(
                QtDebugMsg, qPrintable(QStringLiteral("Could not open %1 File").arg(missing)));
        MainWindow w(nullptr, options);
        auto lists = [&] {
            QStringList out;
            for (const char *selector :
                { "AmpSelecterSOA", "AmpSelectorStab", "IHCPampSelector", "ampSelectorPower",
                    "ampSelectorFilter", "ampSelectorSCon", "P3ampSelector", "HSpart" }) {
                auto *box = w.findChild<QComboBox *>(QLatin1String(selector));
                QStringList items;
                for (int i = 0; i < box->count(); ++i)
                    items << box->itemText(i);
                out << items.join(QLatin1Char(' '));
            }
            return out;
        };
        // Power: 1 or 2 outputs; filter: every PWM part; control: 2 outputs, not digital;
        // three phase: 1 or 3 outputs; heatsinks: every part.
        const QStringList released = { "LA1 LA2", "LA1 LA2", "LA1 LA2", "P1 P2 P4", "P1 P2 P3 P4", "P2",
            "P1 P3", "All Parts LA1 LA2 P1 P2 P3 P4" };
        QCOMPARE(lists(), released);
        auto *preRelease = w.findChild<QAbstractButton *>(QStringLiteral("includePreReleased"));
        preRelease->click();
        QCOMPARE(lists(),
            QStringList({ "LA1 LX9 LA2", "LA1 LX9 LA2", "LA1 LX9 LA2", "P1 P2 PN P4", "P1 P2 P3 PN P4",
                "P2 PN", "P1 P3", "All Parts LA1 LX9 LA2 P1 P2 P3 PN P4" }));
        QCOMPARE(w.catalogs().linear.size(), 3);
        preRelease->click();
        QCOMPARE(lists(), released);
    }
};

QTEST_MAIN(TestShell)
#include "test_shell.moc"
