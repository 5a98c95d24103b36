#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/rowtable.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

#include "app/dialogresponder.h"
#include "app/mainwindow.h"
#include "files/designfile.h"
#include "pages/threephase/threephasepage.h"
#include "pages/toolpage.h"

using DesignFile::Key;
using DesignFile::KeyForm;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QStringList lines(const QByteArray &text)
{
    return QString::fromUtf8(text).split(QLatin1Char('\n'));
}

// A value for `key` that differs from what the window shows, in the form the
// key is written.
QString otherValue(MainWindow &w, const Key &key, int i)
{
    const QString current = w.design().value(key);
    QWidget *widget = w.findChild<QWidget *>(QLatin1String(key.name));
    switch (key.form) {
    case KeyForm::Text:
    case KeyForm::StoredText:
        return QStringLiteral("%1.5k").arg(i % 97 + 1);
    case KeyForm::Bool:
        return current == QLatin1String("1") ? QStringLiteral("0") : QStringLiteral("1");
    case KeyForm::Index: {
        int count = 3;
        if (auto *stack = qobject_cast<QStackedWidget *>(widget))
            count = stack->count();
        else if (auto *tabs = qobject_cast<QTabWidget *>(widget))
            count = tabs->count();
        else if (auto *box = qobject_cast<QComboBox *>(widget))
            count = box->count();
        return count > 1 ? QString::number((current.toInt() + 1) % count) : current;
    }
    case KeyForm::Name:
    case KeyForm::ComboText:
        if (auto *box = qobject_cast<QComboBox *>(widget))
            return box->count() > 1
                ? box->itemText(box->count() - 1 - (box->currentIndex() == box->count() - 1))
                : current;
        return QStringLiteral("name%1").arg(i);
    case KeyForm::Value:
        if (auto *spin = qobject_cast<QSpinBox *>(widget))
            return QString::number(spin->value() < spin->maximum() ? spin->value() + 1 : spin->value() - 1);
        if (auto *spin = qobject_cast<QDoubleSpinBox *>(widget))
            return QString::number(spin->value() < spin->maximum() ? spin->value() + 1 : spin->value() - 1);
        return QString::number(current.toInt() + 1);
    case KeyForm::Int:
        return QString::number(current.toInt() == 1 ? 2 : 1);
    case KeyForm::Triple:
        return QStringLiteral("1k 2.2u 3n");
    case KeyForm::Quadruple:
        return QStringLiteral("1m 2 3k 4p");
    case KeyForm::List:
        return QStringLiteral("1 2 3 ");
    }
    return current;
}

} // namespace

// Design files written and read through the real window off screen, each
// test in a fresh working folder.
struct RowLinesReadBack {
    const char *tag;
    QString key;
    QString line;
    QString written;
} const kLinesReadBack[] = {
    { "word kept", "SConCint", "open", "open" },
    { "text kept as typed", "SConRs", "0.1 m", "0.1 m" },
    { "int not a number", "ACbidirectional", "x", "0" },
    { "index out of range", "SignalType", "9", "0" },
    { "count not a number", "ThreePhasenPoles", "four", "0" },
    { "triple with extra blanks", "L3", "1m  2   3n", "1m 2 3n" },
    { "triple cut short", "L5", "1m", "1m open short" },
    { "triple empty", "P4", "", "0 0 0" },
    { "quadruple cut short", "Eparasitics", "1 2 3", "1 2 3 30" },
    { "list with double blanks", "ThreePhaseAmplitudeVector", "10  20", "10 20 " },
    { "six graphs from one", "P3graphables", "I2 ", "I2 null null null null null " },
    { "six graphs from eight", "P3graphables", "a b c d e f g h ", "a b c d e f " },
};

class TestDesignFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_oldCwd;

    QString path(const QString &name) const { return m_dir->filePath(name); }

    bool save(MainWindow &w, const QString &file)
    {
        // Save As with the dialog answered by the file name.
        DialogResponder responder;
        responder.setDialogHandler([&](QDialog *d) {
            if (auto *fd = qobject_cast<QFileDialog *>(d)) {
                fd->selectFile(file);
                QMetaObject::invokeMethod(fd, "accept");
            } else {
                d->reject();
            }
        });
        return w.saveEntries(true);
    }

    void open(MainWindow &w, const QString &file)
    {
        w.setDesignPath(file);
        w.openFile();
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
    }

    void keyTableIsWellFormed()
    {
        QSet<QString> seen;
        for (const Key &key : DesignFile::keys()) {
            QVERIFY2(!seen.contains(QLatin1String(key.name)), key.name);
            seen.insert(QLatin1String(key.name));
        }

        // Every key a page binds is a row of the table, bound by one page
        // only, and every stored row has a page that binds it.
        MainWindow w;
        QHash<QString, QString> boundBy;
        for (ToolPage *page : w.pages())
            for (const QString &key : page->entryKeys()) {
                QVERIFY2(seen.contains(key), qPrintable(key));
                QVERIFY2(!boundBy.contains(key), qPrintable(key));
                boundBy.insert(key, page->objectName());
            }
        for (const Key &key : DesignFile::keys()) {
            const bool stored = key.form == KeyForm::StoredText || key.form == KeyForm::Int
                || key.form == KeyForm::Triple || key.form == KeyForm::Quadruple || key.form == KeyForm::List;
            if (stored)
                QVERIFY2(boundBy.contains(QLatin1String(key.name)), key.name);
        }
    }

    // A design saved straight after start-up, line for line against the reference file,
    // whose values were checked key by key against the documented start-up state.
    void startUpFileText()
    {
        MainWindow w;
        QVERIFY(save(w, path("start.zam")));
        const QStringList actual = lines(readAll(path("start.zam")));
        const QString reference = QFINDTESTDATA("startup.zam");
        QVERIFY2(!reference.isEmpty(), "startup.zam not found");
        const QStringList expected = lines(readAll(reference));
        for (int i = 0; i < qMin(actual.size(), expected.size()); ++i)
            QCOMPARE(actual.at(i), expected.at(i));
        QCOMPARE(actual.size(), expected.size());
        QVERIFY(!w.designChanged());
        QCOMPARE(w.designPath(), path("start.zam"));
    }

    void everyKeyRoundTrips()
    {
        MainWindow first;
        int i = 0;
        for (const Key &key : DesignFile::keys()) {
            if (QLatin1String(key.name) == QLatin1String("Page")
                || QLatin1String(key.name) == QLatin1String("ExampleSelection"))
                continue;
            first.design().apply(key, otherValue(first, key, i++), true);
        }
        first.design().apply(DesignFile::keys().first(), QStringLiteral("7"), true);
        QVERIFY(save(first, path("a.zam")));
        const QByteArray written = readAll(path("a.zam"));

        MainWindow second;
        open(second, path("a.zam"));
        QVERIFY(save(second, path("b.zam")));
        const QStringList a = lines(written);
        const QStringList b = lines(readAll(path("b.zam")));
        QCOMPARE(b.size(), a.size());
        for (int k = 0; k < a.size(); ++k)
            QCOMPARE(b.at(k), a.at(k));
        QCOMPARE(second.findChild<QStackedWidget *>(QStringLiteral("Page"))->currentIndex(), 7);
        QVERIFY(!second.designChanged());
    }

    // A line read from a file is kept in the form Save writes, and a short or
    // malformed line never shifts or loses the values around it.
    void linesReadBack_data() { addRows(kLinesReadBack); }
    void linesReadBack()
    {
        QFETCH(int, rowNumber);
        [[maybe_unused]] const auto &[tag, key, line, written] = kLinesReadBack[rowNumber];
        MainWindow w;
        const auto row = std::find_if(DesignFile::keys().begin(), DesignFile::keys().end(),
            [&](const Key &k) { return key == QLatin1String(k.name); });
        QVERIFY(row != DesignFile::keys().end());
        w.design().apply(*row, line, true);
        QCOMPARE(w.design().value(*row), written);
    }

    // A value typed with a blank before its suffix is saved without it, so that
    // a line of several values still splits into the right ones when read.
    void blanksInsideValuesAreDropped()
    {
        MainWindow w;
        w.findChild<QLineEdit *>(QStringLiteral("LESRB"))->setText(QStringLiteral("0.3 m"));
        QVERIFY(w.design().serialise().contains("\nLparasitics: 0.3m 0.01 25 20\n"));
        QCOMPARE(w.findChild<QLineEdit *>(QStringLiteral("LESRB"))->text(), QStringLiteral("0.3m"));
    }

    // A profile point typed with a blank, or left empty, must not shift the
    // times against the amplitudes when the file splits the line at blanks.
    void motorListsKeepTheirPairing()
    {
        MainWindow w;
        auto *motor = w.findChild<ThreePhasePage *>();
        QVERIFY(motor);
        ThreePhaseMotor m = motor->motor();
        m.timeVector = QStringList { "0", "2 m", "", "4" };
        motor->setMotor(m);
        const QString line = motor->entry(QStringLiteral("ThreePhaseTimeVector"));
        QCOMPARE(line, QStringLiteral("0 2m 0 4 "));
        QVERIFY(motor->setEntry(QStringLiteral("ThreePhaseTimeVector"), line));
        QCOMPARE(motor->motor().timeVector.size(), 4);
    }

    void filesThatChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("wrong header") << QByteArray("ZARN AMPORA PREFERENCES\nPage: 7\n");
        QTest::newRow("CR LF line ends")
            << QByteArray("ZARN AMPORA SAVED PREFERENCES\r\nVersion: 9.0.2\r\nPage: 7\r\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("unreadable path") << QByteArray("<none>");
        // Past the limits: refused whole, so the page line before the damage is not applied.
        const QByteArray start("ZARN AMPORA SAVED PREFERENCES\nVersion: 9.0.2\nPage: 7\n");
        QTest::newRow("list of 100,001 items")
            << start + "ThreePhaseTimeVector: " + QByteArray("0 ").repeated(100001) + "\n";
        QTest::newRow("line over 1 MB") << start + "SOA_Rload: " + QByteArray(1024 * 1024, '7') + "\n";
        QTest::newRow("file over 16 MB") << start + QByteArray(16 * 1024 * 1024, '\n');
    }
    void filesThatChangeNothing()
    {
        QFETCH(QByteArray, content);
        const QString file = path("x.zam");
        if (content != "<none>")
            writeFile(file, content);
        MainWindow w;
        const QJsonObject before = w.design().entries();
        w.setDesignChanged(true);
        open(w, file);
        QCOMPARE(w.design().entries(), before);
        QCOMPARE(w.findChild<QStackedWidget *>(QStringLiteral("Page"))->currentIndex(), 0);
        QVERIFY(w.designChanged());
        QVERIFY(!w.statusBar()->currentMessage().isEmpty());
        // Nothing was named, so the next Save still asks.
        DialogResponder responder;
        QVERIFY(!w.saveEntries(false));
        QCOMPARE(responder.messages().size(), 1);
        QCOMPARE(responder.messages().first().title, QStringLiteral("SaveAs"));
    }

    void unknownAndRetiredKeysAreSkipped()
    {
        writeFile(path("x.zam"),
            "ZARN AMPORA SAVED PREFERENCES\nVersion: 9.0.2\nSOAprevTab: 3\nNoSuchKey: 5\n"
            "no colon here\nPage: 4\n");
        MainWindow w;
        open(w, path("x.zam"));
        QCOMPARE(w.findChild<QStackedWidget *>(QStringLiteral("Page"))->currentIndex(), 4);
        QVERIFY(!w.design().entries().contains(QStringLiteral("NoSuchKey")));
        QVERIFY(w.findChild<QAbstractButton *>(QStringLiteral("HomeButton"))->isVisibleTo(&w));
    }

    void olderFilesUseCatalogPositions_data()
    {
        QTest::addColumn<QByteArray>("versionLine");
        QTest::addColumn<bool>("positions");
        QTest::newRow("version 6.1") << QByteArray("Version: 6.1\n") << true;
        QTest::newRow("no version line") << QByteArray() << true;
        QTest::newRow("version 7.0") << QByteArray("Version: 7.0\n") << false;
    }
    void olderFilesUseCatalogPositions()
    {
        QFETCH(QByteArray, versionLine);
        QFETCH(bool, positions);
        MainWindow w;
        // The parts that older files meant by positions 3 and 2, found independently.
        const auto &lin = w.catalogs().linear;
        const auto &pw = w.catalogs().pwms;
        const auto l3 = std::find_if(lin.begin(), lin.end(), [](const amp &a) { return a.PreV6Index == 3; });
        const auto p2 = std::find_if(pw.begin(), pw.end(), [](const pwm &p) { return p.PreV6Index == 2; });
        QVERIFY(l3 != lin.end() && p2 != pw.end());
        const QString linear3 = l3->ampName, pwm2 = p2->ampName;

        const QByteArray selectors = positions
            ? QByteArray("AmpSelecterSOA: 3\nampSelectorFilter: 2\n")
            : QByteArray("AmpSelecterSOA: QX490\nampSelectorFilter: TZ623\n");
        writeFile(path("old.zam"), "ZARN AMPORA SAVED PREFERENCES\n" + versionLine + selectors);
        open(w, path("old.zam"));
        QCOMPARE(w.findChild<QComboBox *>(QStringLiteral("AmpSelecterSOA"))->currentText(),
            positions ? linear3 : QStringLiteral("QX490"));
        QCOMPARE(w.findChild<QComboBox *>(QStringLiteral("ampSelectorFilter"))->currentText(),
            positions ? pwm2 : QStringLiteral("TZ623"));
    }

    void saveAsCancelled()
    {
        MainWindow w;
        w.setDesignPath(path("somewhere.zam"));
        w.setDesignChanged(true);
        DialogResponder responder; // cancels the file dialog
        QVERIFY(!w.saveEntries(true));
        QVERIFY(w.designPath().isEmpty());
        QVERIFY(w.designChanged());
        QVERIFY(!QFile::exists(path("somewhere.zam")));
    }

    // A folder that cannot be written to (here: one that does not exist, which
    // holds for any user) fails the save visibly and leaves the design unsaved.
    void saveToUnwritableFolder()
    {
        MainWindow w;
        w.setDesignChanged(true);
        QVERIFY(!save(w, path("missing/folder/design.zam")));
        QVERIFY(w.designChanged());
        QVERIFY(!QFile::exists(path("missing/folder/design.zam")));
        QVERIFY(w.statusBar()->currentMessage().contains(QStringLiteral("could not be saved")));
        // The next Save asks again rather than pretending the file has a name.
        DialogResponder responder;
        QVERIFY(!w.saveEntries(false));
        QVERIFY(w.designPath().isEmpty());
    }

#ifdef Q_OS_UNIX
    void failedWriteKeepsTheOldFile()
    {
        MainWindow w;
        const QString file = path("keep.zam");
        QVERIFY(save(w, file));
        const QByteArray old = readAll(file);
        QVERIFY(old.size() > 1000);

        // A file-size limit makes the write fail part-way, as a full disk would.
        struct rlimit saved;
        getrlimit(RLIMIT_FSIZE, &saved);
        struct rlimit small = saved;
        small.rlim_cur = 512;
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        w.setDesignChanged(true);
        const bool written = w.saveEntries(false);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!written);
        QVERIFY(w.designChanged());
        QCOMPARE(readAll(file), old);
        QVERIFY(w.statusBar()->currentMessage().startsWith(QStringLiteral("The design could not be saved")));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList { QStringLiteral("keep.zam") });
    }
#endif
};

QTEST_MAIN(TestDesignFile)
#include "test_designfile.moc"
