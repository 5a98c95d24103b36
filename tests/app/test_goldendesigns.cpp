#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Whole designs opened by the real program, as a script would, and read back
// through its report. Each design in tests/files/golden has a .json beside it
// with the expected read-outs, worked out independently of the tool.
class TestGoldenDesigns : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QJsonObject report(const QString &design)
    {
        QProcess p;
        p.setWorkingDirectory(m_dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(AMPORA_BINARY), { QStringLiteral("--report"), design });
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    }

    static QJsonObject readJson(const QString &path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(f.readAll()).object();
    }

    static QJsonObject named(const QJsonArray &list, const QString &name)
    {
        for (const QJsonValue &v : list)
            if (v.toObject().value(QStringLiteral("name")).toString() == name)
                return v.toObject();
        return {};
    }

private slots:
    void designs_data()
    {
        QTest::addColumn<QString>("design");
        const QDir dir(QStringLiteral(GOLDEN_DIR));
        const QStringList files = dir.entryList({ QStringLiteral("*.zam") }, QDir::Files, QDir::Name);
        QVERIFY(files.size() >= 7);
        for (const QString &f : files)
            QTest::newRow(qPrintable(f)) << dir.filePath(f);
    }
    void designs()
    {
        QFETCH(QString, design);
        const QJsonObject expected = readJson(design.left(design.size() - 4) + QStringLiteral(".json"));
        QVERIFY2(!expected.isEmpty(), "no expectations beside the design");
        const QJsonObject r = report(design);
        QVERIFY2(!r.isEmpty(), "no report");
        QVERIFY(r.value(QStringLiteral("messages")).toArray().isEmpty());
        const QJsonObject widgets = r.value(QStringLiteral("widgets")).toObject();
        const QJsonObject plots = r.value(QStringLiteral("plots")).toObject();

        const QJsonObject values = expected.value(QStringLiteral("values")).toObject();
        for (auto it = values.begin(); it != values.end(); ++it)
            QCOMPARE(widgets.value(it.key()).toObject().value(QStringLiteral("value")).toString(),
                it.value().toString());

        const QJsonObject colours = expected.value(QStringLiteral("colours")).toObject();
        for (auto it = colours.begin(); it != colours.end(); ++it)
            QCOMPARE(widgets.value(it.key()).toObject().value(QStringLiteral("color")).toString(),
                it.value().toString());

        const QJsonObject lines = expected.value(QStringLiteral("lines")).toObject();
        for (auto it = lines.begin(); it != lines.end(); ++it) {
            QStringList got, want;
            for (const QJsonValue &l :
                widgets.value(it.key()).toObject().value(QStringLiteral("lines")).toArray())
                got << l.toObject().value(QStringLiteral("text")).toString();
            for (const QJsonValue &l : it.value().toArray())
                want << l.toString();
            QCOMPARE(got, want);
        }

        const QJsonObject coloured = expected.value(QStringLiteral("colouredLines")).toObject();
        for (auto it = coloured.begin(); it != coloured.end(); ++it) {
            QStringList got, want;
            for (const QJsonValue &l :
                widgets.value(it.key()).toObject().value(QStringLiteral("lines")).toArray())
                got << l.toObject().value(QStringLiteral("color")).toString() + QLatin1Char(' ')
                        + l.toObject().value(QStringLiteral("text")).toString();
            for (const QJsonValue &l : it.value().toArray())
                want << l.toArray().at(1).toString() + QLatin1Char(' ') + l.toArray().at(0).toString();
            QCOMPARE(got, want);
        }

        const QJsonObject points = expected.value(QStringLiteral("curvePoints")).toObject();
        for (auto it = points.begin(); it != points.end(); ++it) {
            const QJsonArray curves
                = plots.value(it.key()).toObject().value(QStringLiteral("curves")).toArray();
            const QJsonObject counts = it.value().toObject();
            for (auto c = counts.begin(); c != counts.end(); ++c)
                QCOMPARE(
                    named(curves, c.key()).value(QStringLiteral("x")).toArray().size(), c.value().toInt());
        }

        const QJsonObject graphs = expected.value(QStringLiteral("graphs")).toObject();
        for (auto it = graphs.begin(); it != graphs.end(); ++it) {
            const QJsonArray list
                = plots.value(it.key()).toObject().value(QStringLiteral("graphs")).toArray();
            const QJsonObject shown = it.value().toObject();
            for (auto g = shown.begin(); g != shown.end(); ++g)
                QCOMPARE(!named(list, g.key()).isEmpty(), g.value().toBool());
        }
    }
};

QTEST_MAIN(TestGoldenDesigns)
#include "test_goldendesigns.moc"
