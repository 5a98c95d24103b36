#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The real program run as a script would run it.
class TestCommandLine : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    struct Run {
        int status = -1;
        QByteArray out, err;
    };

    Run ampora(const QStringList &arguments)
    {
        QProcess p;
        p.setWorkingDirectory(m_dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
            env.remove(QLatin1String(name));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(AMPORA_BINARY), arguments);
        Run r;
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }

    QJsonObject report(const QStringList &arguments)
    {
        const Run r = ampora(QStringList { QStringLiteral("--report") } + arguments);
        if (r.status != 0)
            qWarning() << "exit" << r.status << r.err;
        return QJsonDocument::fromJson(r.out).object();
    }
    static QJsonObject widget(const QJsonObject &report, const char *name)
    {
        return report.value("widgets").toObject().value(QLatin1String(name)).toObject();
    }

    QString write(const QString &name, const QByteArray &content)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return path;
    }

private slots:
    void reportOfStartUp()
    {
        const QJsonObject r = report({});
        for (const char *key : { "designPath", "widgets", "plots", "entries" })
            QVERIFY2(r.contains(QLatin1String(key)), key);
        QCOMPARE(r.value("version").toString(), QStringLiteral("9.0.2"));
        QCOMPARE(r.value("page").toInt(-1), 0);
        QCOMPARE(r.value("designChanged").toBool(true), false);
        QCOMPARE(r.value("messages").toArray(), QJsonArray());
        QCOMPARE(widget(r, "HomeButton").value("visible").toBool(true), false);
        QCOMPARE(widget(r, "AmpSelecterSOA").value("value").toString(), QStringLiteral("QX415A"));
    }

    // Clicks run in order; the page shown and what it shows come from the window.
    void designClicksAndPages()
    {
        const QString design
            = write(QStringLiteral("good.zam"), "ZARN AMPORA SAVED PREFERENCES\nVersion: 9.0.2\n");
        const QJsonObject r
            = report({ design, "--click", "HSbutton", "--click", "HomeButton", "--click", "HSbutton" });
        QCOMPARE(r.value("designPath").toString(), design);
        QCOMPARE(r.value("page").toInt(-1), 7);
        QCOMPARE(widget(r, "HomeButton").value("visible").toBool(), true);
        const QJsonObject at = report({ QStringLiteral("--page"), QStringLiteral("7") });
        QCOMPARE(widget(at, "HStable").value("visible").toBool(false), true);
        QCOMPARE(widget(at, "SOA").value("visible").toBool(true), false);
    }

    void badArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("missing design") << QStringList { "--report", "no-such-file.zam" };
        QTest::newRow("wrong header") << QStringList { "--report", "<wrong>" };
        QTest::newRow("CR LF header") << QStringList { "--report", "<crlf>" };
        QTest::newRow("unknown button") << QStringList { "--report", "--click", "noSuchButton" };
        QTest::newRow("unknown option") << QStringList { "--reprot" };
        QTest::newRow("screenshot without file name") << QStringList { "--screenshot" };
        QTest::newRow("bad size") << QStringList { "--screenshot", "x.png", "--size", "wide" };
        QTest::newRow("page out of range") << QStringList { "--report", "--page", "20" };
        QTest::newRow("spice without a page") << QStringList { "--spice", "x.cir" };
        QTest::newRow("spice of the heatsink page") << QStringList { "--spice", "x.cir", "--page", "7" };
    }
    void badArguments()
    {
        QFETCH(QStringList, arguments);
        arguments.replaceInStrings("<wrong>", write("wrong.zam", "SOME OTHER FILE\nPage: 3\n"));
        arguments.replaceInStrings(
            "<crlf>", write("crlf.zam", "ZARN AMPORA SAVED PREFERENCES\r\nPage: 3\r\n"));
        const Run r = ampora(arguments);
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        // One line says what is wrong (the debug log may say more).
        int own = 0;
        for (const QByteArray &line : r.err.split('\n'))
            own += line.startsWith("ampora: ") ? 1 : 0;
        QCOMPARE(own, 1);
    }

    // The start-up SOA and stability designs have circuits; the file is
    // written whole and nothing goes to standard output.
    void spiceNetlist_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("analysis");
        QTest::newRow("SOA page") << "2"
                                  << ".tran";
        QTest::newRow("stability page") << "4"
                                        << ".ac";
    }
    void spiceNetlist()
    {
        QFETCH(QString, page);
        QFETCH(QString, analysis);
        const QString path = m_dir.filePath(QStringLiteral("page%1.cir").arg(page));
        const Run r = ampora({ QStringLiteral("--spice"), path, QStringLiteral("--page"), page });
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.isEmpty());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QVERIFY(text.contains(QLatin1Char('\n') + analysis + QLatin1Char(' ')));
        QVERIFY(text.endsWith(QStringLiteral("\n.end\n")));
    }

    void screenshot_data()
    {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QSize>("size");
        QTest::newRow("default size") << QStringList {} << QSize(1230, 691);
        QTest::newRow("small hidden page")
            << QStringList { "--page", "17", "--size", "800x600" } << QSize(800, 600);
    }
    void screenshot()
    {
        QFETCH(QStringList, extra);
        QFETCH(QSize, size);
        const QString out = m_dir.filePath(QStringLiteral("shot.png"));
        QFile::remove(out);
        QCOMPARE(ampora(QStringList { QStringLiteral("--screenshot"), out } + extra).status, 0);
        QImage image;
        QVERIFY(image.load(out, "PNG"));
        QCOMPARE(image.size(), size);
        // A real rendering, not a blank canvas.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y));
        QVERIFY(colours.size() > 20);
    }

    void missingCatalogFolder()
    {
        const Run r
            = ampora({ QStringLiteral("--report"), QStringLiteral("--catalogs"), m_dir.filePath("empty") });
        QCOMPARE(r.status, 0);
        const QJsonObject report = QJsonDocument::fromJson(r.out).object();
        QVERIFY(widget(report, "AmpSelecterSOA").value("items").toArray().isEmpty());
        QCOMPARE(widget(report, "HSpart").value("items").toArray().size(), 1);
        QVERIFY(r.err.contains("Could not open Linear Amp File"));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
