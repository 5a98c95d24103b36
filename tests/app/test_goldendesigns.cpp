#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// Whole designs opened by the real program, as a script would, and read back
// through its report. Each design in tests/files/golden has a .json beside it
// with the expected read-outs, worked out independently of the tool. A case
// may name the page to show ("page") and buttons to click in order ("click"),
// so a page state, a button's effect or a hand-off is one data file.
//
// Expectations, all optional:
//   "values"        widget -> its value as text
//   "colours"       widget -> its text colour "#rrggbb"
//   "enabled"       widget -> true or false
//   "lines"         text box -> its paragraphs
//   "colouredLines" text box -> its paragraphs as [text, colour]
//   "curvePoints"   chart -> { curve name -> number of points }
//   "graphs"        chart -> { graph name -> whether the chart has it }
//   "plotTexts"     chart or schematic -> { text item -> its colour, or null for none }
//   "tables"        table -> { "names": the first visible column of the rows shown, in order,
//                              "current": that column of the current row ("" for none),
//                              "cells": { name -> the first cells of its row },
//                              "highlighted": { name -> the visible columns marked in its row;
//                                               with "names", every row left out has none },
//                              "absent": names of rows not shown }
//   "entries"       design-file key -> the value Save would write
//   "shows"         the page shown at the end
//   "messages"      the message boxes raised, as [title, text]; none when left out
// Whatever the case, no widget shown may read "inf" or "nan".
class TestGoldenDesigns : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QJsonObject report(const QString &design, const QJsonObject &expected)
    {
        QStringList args { QStringLiteral("--report") };
        if (expected.contains(QStringLiteral("page")))
            args << QStringLiteral("--page")
                 << QString::number(expected.value(QStringLiteral("page")).toInt());
        for (const QJsonValue &b : expected.value(QStringLiteral("click")).toArray())
            args << QStringLiteral("--click") << b.toString();
        QProcess p;
        p.setWorkingDirectory(m_dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(AMPORA_BINARY), args << design);
        if (!p.waitForFinished(60000))
            p.kill();
        return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    }

    static QJsonObject readJson(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(f.readAll()).object() : QJsonObject();
    }

    static QJsonObject named(const QJsonArray &list, const QString &name)
    {
        for (const QJsonValue &v : list)
            if (v.toObject().value(QStringLiteral("name")).toString() == name)
                return v.toObject();
        return {};
    }

    // A value as text: numbers as Qt writes them, true and false as words, a
    // [text, colour] pair as "colour text".
    static QString text(const QJsonValue &v)
    {
        if (v.isArray())
            return v.toArray().at(1).toString() + QLatin1Char(' ') + v.toArray().at(0).toString();
        if (v.isDouble())
            return QString::number(v.toDouble());
        if (v.isBool())
            return QLatin1String(v.toBool() ? "true" : "false");
        return v.toString();
    }
    static QStringList texts(const QJsonArray &list)
    {
        QStringList out;
        for (const QJsonValue &v : list)
            out << text(v);
        return out;
    }

    // The table's expectations against its report entry.
    static void checkTable(const QString &table, const QJsonObject &want, const QJsonObject &got)
    {
        const QJsonArray rows = got.value(QStringLiteral("rows")).toArray();
        QStringList names;
        for (const QJsonValue &r : rows)
            names << r.toArray().at(0).toString();
        const QString where = table + QLatin1Char(' ');
        if (want.contains(QStringLiteral("names")))
            QCOMPARE(names, texts(want.value(QStringLiteral("names")).toArray()));
        if (want.contains(QStringLiteral("current"))) {
            const int current = got.value(QStringLiteral("current")).toInt();
            QCOMPARE(names.value(current), want.value(QStringLiteral("current")).toString());
        }
        for (const QJsonValue &name : want.value(QStringLiteral("absent")).toArray())
            QVERIFY2(!names.contains(name.toString()), qPrintable(where + name.toString()));
        const QJsonObject cells = want.value(QStringLiteral("cells")).toObject();
        for (auto it = cells.begin(); it != cells.end(); ++it) {
            const int row = names.indexOf(it.key());
            QVERIFY2(row >= 0, qPrintable(where + it.key()));
            const QStringList shown = texts(rows.at(row).toArray());
            const QStringList expected = texts(it.value().toArray());
            QCOMPARE(shown.mid(0, expected.size()), expected);
        }
        // With the whole list of names given, a row left out of "highlighted" has no mark.
        const bool whole = want.contains(QStringLiteral("names"));
        QMap<QString, QStringList> shown;
        for (const QJsonValue &cell : got.value(QStringLiteral("highlighted")).toArray())
            shown[names.value(cell.toArray().at(0).toInt())] << text(cell.toArray().at(1));
        const QJsonObject marks = want.value(QStringLiteral("highlighted")).toObject();
        QStringList marked, listed;
        for (auto it = shown.begin(); it != shown.end(); ++it)
            if (whole || marks.contains(it.key()))
                marked << it.key() + QLatin1Char(' ') + it.value().join(QLatin1Char(','));
        for (auto it = marks.begin(); it != marks.end(); ++it)
            if (!it.value().toArray().isEmpty())
                listed << it.key() + QLatin1Char(' ') + texts(it.value().toArray()).join(QLatin1Char(','));
        QCOMPARE(marked, listed);
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
        const QJsonObject r = report(design, expected);
        QVERIFY2(!r.isEmpty(), "no report");
        const QJsonObject widgets = r.value(QStringLiteral("widgets")).toObject();
        const QJsonObject plots = r.value(QStringLiteral("plots")).toObject();
        auto widget = [&](const QString &name) { return widgets.value(name).toObject(); };
        auto expect = [&](const char *key) { return expected.value(QLatin1String(key)).toObject(); };

        QStringList messages;
        for (const QJsonValue &m : r.value(QStringLiteral("messages")).toArray())
            messages << m.toObject().value(QStringLiteral("text")).toString() + QLatin1Char(' ')
                    + m.toObject().value(QStringLiteral("title")).toString();
        QCOMPARE(messages, texts(expected.value(QStringLiteral("messages")).toArray()));
        if (expected.contains(QStringLiteral("shows")))
            QCOMPARE(
                r.value(QStringLiteral("page")).toInt(), expected.value(QStringLiteral("shows")).toInt());

        // Nothing a user sees reads "inf" or "nan", whatever the design holds.
        static const QRegularExpression notANumber(
            QStringLiteral("\\b(inf|nan)\\b"), QRegularExpression::CaseInsensitiveOption);
        for (auto it = widgets.begin(); it != widgets.end(); ++it) {
            const QJsonObject w = it.value().toObject();
            if (!w.value(QStringLiteral("visible")).toBool())
                continue;
            QStringList shown { text(w.value(QStringLiteral("value"))) };
            for (const QJsonValue &l : w.value(QStringLiteral("lines")).toArray())
                shown << l.toObject().value(QStringLiteral("text")).toString();
            for (const QJsonValue &row : w.value(QStringLiteral("rows")).toArray())
                shown << texts(row.toArray());
            for (const QString &t : shown)
                QVERIFY2(!notANumber.match(t).hasMatch(), qPrintable(it.key() + QStringLiteral(": ") + t));
        }

        for (const auto &check : { std::make_pair("values", "value"), std::make_pair("colours", "color"),
                 std::make_pair("enabled", "enabled") }) {
            const QJsonObject want = expect(check.first);
            for (auto it = want.begin(); it != want.end(); ++it)
                QCOMPARE(text(widget(it.key()).value(QLatin1String(check.second))), text(it.value()));
        }
        const QJsonObject entries = expect("entries");
        for (auto it = entries.begin(); it != entries.end(); ++it)
            QCOMPARE(
                text(r.value(QStringLiteral("entries")).toObject().value(it.key())), it.value().toString());
        for (const char *key : { "lines", "colouredLines" }) {
            const QJsonObject want = expect(key);
            for (auto it = want.begin(); it != want.end(); ++it) {
                QJsonArray got;
                for (const QJsonValue &l : widget(it.key()).value(QStringLiteral("lines")).toArray()) {
                    const QJsonObject line = l.toObject();
                    got.append(qstrcmp(key, "lines") == 0 ? QJsonValue(line.value(QStringLiteral("text")))
                                                          : QJsonArray { line.value(QStringLiteral("text")),
                                                              line.value(QStringLiteral("color")) });
                }
                QCOMPARE(texts(got), texts(it.value().toArray()));
            }
        }

        const QJsonObject points = expect("curvePoints");
        for (auto it = points.begin(); it != points.end(); ++it) {
            const QJsonArray curves
                = plots.value(it.key()).toObject().value(QStringLiteral("curves")).toArray();
            const QJsonObject counts = it.value().toObject();
            for (auto c = counts.begin(); c != counts.end(); ++c)
                QCOMPARE(
                    named(curves, c.key()).value(QStringLiteral("x")).toArray().size(), c.value().toInt());
        }
        const QJsonObject graphs = expect("graphs");
        for (auto it = graphs.begin(); it != graphs.end(); ++it) {
            const QJsonArray list
                = plots.value(it.key()).toObject().value(QStringLiteral("graphs")).toArray();
            const QJsonObject shown = it.value().toObject();
            for (auto g = shown.begin(); g != shown.end(); ++g)
                QCOMPARE(!named(list, g.key()).isEmpty(), g.value().toBool());
        }

        const QJsonObject plotTexts = expect("plotTexts");
        for (auto it = plotTexts.begin(); it != plotTexts.end(); ++it) {
            QMap<QString, QString> shown;
            for (const QJsonValue &t :
                plots.value(it.key()).toObject().value(QStringLiteral("texts")).toArray())
                shown.insert(t.toObject().value(QStringLiteral("text")).toString(),
                    t.toObject().value(QStringLiteral("color")).toString());
            const QJsonObject want = it.value().toObject();
            for (auto t = want.begin(); t != want.end(); ++t)
                QCOMPARE(shown.value(t.key(), QStringLiteral("none")),
                    t.value().isNull() ? QStringLiteral("none") : t.value().toString());
        }

        const QJsonObject tables = expect("tables");
        for (auto it = tables.begin(); it != tables.end(); ++it) {
            QVERIFY2(widgets.contains(it.key()), qPrintable(it.key()));
            checkTable(it.key(), it.value().toObject(), widget(it.key()));
            if (QTest::currentTestFailed())
                return;
        }
    }
};

QTEST_MAIN(TestGoldenDesigns)
#include "test_goldendesigns.moc"
