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

private:
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
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
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
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
        if (error.error != QJsonParseError::NoError)
            qWarning() << "bad JSON:" << error.errorString();
        return doc.object();
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
        for (const char *key :
            { "version", "page", "designChanged", "designPath", "widgets", "plots", "entries", "messages" })
            QVERIFY2(r.contains(QLatin1String(key)), key);
        QCOMPARE(r.value("version").toString(), QStringLiteral("9.0.2"));
        QCOMPARE(r.value("page").toInt(-1), 0);
        QCOMPARE(r.value("designChanged").toBool(true), false);
        QVERIFY(r.value("entries").isObject());
        QVERIFY(r.value("messages").toArray().isEmpty());

        const QJsonObject widgets = r.value("widgets").toObject();
        const QJsonObject version = widgets.value("VersionLabel").toObject();
        QCOMPARE(version.value("value").toString(), QStringLiteral("Version 9.0.2"));
        QCOMPARE(version.value("type").toString(), QStringLiteral("QLabel"));
        QCOMPARE(widgets.value("HomeButton").toObject().value("visible").toBool(true), false);
        QCOMPARE(widgets.value("Page").toObject().value("value").toInt(-1), 0);

        const QJsonObject soa = widgets.value("AmpSelecterSOA").toObject();
        QCOMPARE(soa.value("value").toString(), QStringLiteral("QX415A"));
        QVERIFY(soa.value("items").toArray().size() >= 45);
        const QJsonArray hs = widgets.value("HSpart").toObject().value("items").toArray();
        QCOMPARE(hs.first().toString(), QStringLiteral("All Parts"));
        // The heatsink part list is every linear part followed by every PWM part.
        QCOMPARE(hs.size(),
            1 + soa.value("items").toArray().size()
                + widgets.value("ampSelectorFilter").toObject().value("items").toArray().size());
        QCOMPARE(widgets.value("action24_pt").toObject().value("value").toBool(true), false);
    }

    void clicksAreApplied()
    {
        const QJsonObject r = report({ QStringLiteral("--click"), QStringLiteral("HSbutton") });
        QCOMPARE(r.value("page").toInt(-1), 7);
        QCOMPARE(
            r.value("widgets").toObject().value("HomeButton").toObject().value("visible").toBool(), true);

        const QJsonObject back = report({ QStringLiteral("--click"), QStringLiteral("HSbutton"),
            QStringLiteral("--click"), QStringLiteral("HomeButton") });
        QCOMPARE(back.value("page").toInt(-1), 0);
        QCOMPARE(
            back.value("widgets").toObject().value("HomeButton").toObject().value("visible").toBool(true),
            false);
    }

    void reportAtAPage()
    {
        const QJsonObject r = report({ QStringLiteral("--page"), QStringLiteral("7") });
        QCOMPARE(r.value("page").toInt(-1), 7);
        const QJsonObject widgets = r.value("widgets").toObject();
        QCOMPARE(widgets.value("HStable").toObject().value("visible").toBool(false), true);
        QCOMPARE(widgets.value("SOA").toObject().value("visible").toBool(true), false);
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
        QTest::newRow("page out of range") << QStringList { "--screenshot", "x.png", "--page", "20" };
        QTest::newRow("report page out of range") << QStringList { "--report", "--page", "20" };
        QTest::newRow("spice without a page") << QStringList { "--spice", "x.cir" };
        QTest::newRow("spice of the home page") << QStringList { "--spice", "x.cir", "--page", "0" };
        QTest::newRow("spice of the heatsink page") << QStringList { "--spice", "x.cir", "--page", "7" };
    }
    void badArguments()
    {
        QFETCH(QStringList, arguments);
        arguments.replaceInStrings(
            QStringLiteral("<wrong>"), write(QStringLiteral("wrong.zam"), "SOME OTHER FILE\nPage: 3\n"));
        arguments.replaceInStrings(QStringLiteral("<crlf>"),
            write(QStringLiteral("crlf.zam"), "ZARN AMPORA SAVED PREFERENCES\r\nPage: 3\r\n"));
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

    void reportOfDesignFile()
    {
        const QString design
            = write(QStringLiteral("good.zam"), "ZARN AMPORA SAVED PREFERENCES\nVersion: 9.0.2\n");
        const QJsonObject r = report({ design });
        QCOMPARE(r.value("designPath").toString(), design);
    }

    void screenshot_data()
    {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QSize>("size");
        QTest::newRow("default size") << QStringList {} << QSize(1230, 691);
        QTest::newRow("full HD heatsink page")
            << QStringList { "--size", "1920x1080", "--page", "7" } << QSize(1920, 1080);
        QTest::newRow("small hidden page")
            << QStringList { "--page", "17", "--size", "800x600" } << QSize(800, 600);
    }
    void screenshot()
    {
        QFETCH(QStringList, extra);
        QFETCH(QSize, size);
        const QString out = m_dir.filePath(QStringLiteral("shot.png"));
        QFile::remove(out);
        const Run r = ampora(QStringList { QStringLiteral("--screenshot"), out } + extra);
        QCOMPARE(r.status, 0);
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
        const QJsonObject widgets = QJsonDocument::fromJson(r.out).object().value("widgets").toObject();
        QVERIFY(widgets.value("AmpSelecterSOA").toObject().value("items").toArray().isEmpty());
        QCOMPARE(widgets.value("HSpart").toObject().value("items").toArray().size(), 1);
        QVERIFY(r.err.contains("Could not open Linear Amp File"));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
