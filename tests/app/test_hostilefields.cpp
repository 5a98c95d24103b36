#include <QAbstractItemModel>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTableView>
#include <QTextEdit>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "files/designfile.h"
#include "tests/pages/pagewindow.h"

// Every golden design opened with one text entry replaced by a hostile value:
// nothing on screen reads "nan" or "inf", and every chart holds finite numbers.
// Entries and values are paired in a fixed pattern (a third of all pairs), each
// pair in one golden design chosen in turn, so the run stays short.
class TestHostileFields : public QObject {
    Q_OBJECT

    QStringList m_problems;
    // Texts typed by earlier opens: a field that the next design leaves alone
    // still shows them as typed.
    QStringList m_typedBefore;

    void problem(const QString &where, const QString &what)
    {
        if (m_problems.size() < 20)
            m_problems << where + QStringLiteral(": ") + what;
    }

    void checkText(const QString &where, const QString &text)
    {
        static const QRegularExpression word(
            QStringLiteral("\\b(nan|inf)\\b"), QRegularExpression::CaseInsensitiveOption);
        if (word.match(text).hasMatch())
            problem(where, QStringLiteral("\"%1\"").arg(text.left(120)));
    }

    void checkNumber(const QString &where, double a, double b)
    {
        if (!std::isfinite(a) || !std::isfinite(b))
            problem(where, QStringLiteral("non-finite chart number"));
    }

    // Everything a user could read: labels, fields (other than one showing the
    // typed value itself), notes, table cells and chart texts and numbers.
    void checkWindow(QWidget *window, const QStringList &typed)
    {
        for (QLabel *l : window->findChildren<QLabel *>())
            checkText(l->objectName(), l->text());
        for (QLineEdit *e : window->findChildren<QLineEdit *>())
            if (!typed.contains(e->text()) && !m_typedBefore.contains(e->text()))
                checkText(e->objectName(), e->text());
        for (QTextEdit *t : window->findChildren<QTextEdit *>())
            checkText(t->objectName(), t->toPlainText());
        for (QPlainTextEdit *t : window->findChildren<QPlainTextEdit *>())
            checkText(t->objectName(), t->toPlainText());
        for (QTableView *v : window->findChildren<QTableView *>()) {
            const QAbstractItemModel *m = v->model();
            for (int r = 0; m && r < m->rowCount(); ++r)
                for (int c = 0; c < m->columnCount(); ++c)
                    checkText(v->objectName(), m->index(r, c).data().toString());
        }
        for (QCustomPlot *p : window->findChildren<QCustomPlot *>()) {
            const QString name = p->objectName();
            for (QCPAxis *a : p->axisRect() ? p->axisRect()->axes() : QList<QCPAxis *>()) {
                checkNumber(name, a->range().lower, a->range().upper);
            }
            for (int g = 0; g < p->graphCount(); ++g)
                for (const QCPGraphData &d : *p->graph(g)->data())
                    checkNumber(name + QStringLiteral(" graph ") + p->graph(g)->name(), d.key, d.value);
            for (int i = 0; i < p->plottableCount(); ++i)
                if (auto *curve = qobject_cast<QCPCurve *>(p->plottable(i)))
                    for (const QCPCurveData &d : *curve->data())
                        checkNumber(name + QStringLiteral(" curve ") + curve->name(), d.key, d.value);
            for (int i = 0; i < p->itemCount(); ++i)
                if (auto *t = qobject_cast<QCPItemText *>(p->item(i))) {
                    // A schematic label repeats its entry as typed.
                    if (std::none_of(typed.begin(), typed.end(),
                            [&](const QString &v) { return !v.isEmpty() && t->text().contains(v); }))
                        checkText(name, t->text());
                    checkNumber(name + QStringLiteral(" text ") + t->text(), t->position->coords().x(),
                        t->position->coords().y());
                }
        }
    }

    static void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
    {
        if (type != QtDebugMsg && type != QtInfoMsg)
            fprintf(stderr, "%s\n", qPrintable(message));
    }

    QByteArray goldenBytes(const QString &name) const
    {
        QFile file(QDir(QStringLiteral(GOLDEN_DIR)).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    // The designs (tests/files/hostile) whose entries once showed "inf", "nan"
    // or non-finite chart points.
    void reportedEntries_data()
    {
        QTest::addColumn<QString>("design");
        for (const QString &f : QDir(QStringLiteral(GOLDEN_DIR "/../hostile")).entryList({ "*.zam" }))
            QTest::newRow(qPrintable(f)) << f;
    }
    void reportedEntries()
    {
        QFETCH(QString, design);
        const QByteArray bytes = goldenBytes(QStringLiteral("../hostile/") + design);
        QVERIFY(!bytes.isEmpty());
        const QtMessageHandler previous = qInstallMessageHandler(quiet);
        PageWindow pw;
        pw.window->setDesignPath(QStringLiteral(GOLDEN_DIR "/../hostile/") + design);
        const bool opened = pw.window->openFile();
        m_problems.clear();
        // Entries of the design show as written; only what the tool computed counts.
        QStringList typed;
        for (const QString &l : QString::fromUtf8(bytes).split(QLatin1Char('\n')))
            if (l.contains(QStringLiteral(": ")))
                typed << l.section(QStringLiteral(": "), 1);
        checkWindow(pw.window, typed);
        qInstallMessageHandler(previous);
        QVERIFY(opened);
        QVERIFY2(m_problems.isEmpty(), qPrintable(m_problems.join(QLatin1Char('\n'))));
    }

    void hostileEntries()
    {
        // Start-up and every open write debug lines about missing pictures.
        const QtMessageHandler previous = qInstallMessageHandler(quiet);
        const QDir dir(QStringLiteral(GOLDEN_DIR));
        QStringList designs;
        for (const QString &f : dir.entryList({ QStringLiteral("*.zam") }, QDir::Files, QDir::Name))
            designs << QString::fromUtf8(goldenBytes(f));
        QVERIFY(designs.size() >= 7);

        QStringList keys;
        for (const DesignFile::Key &k : DesignFile::keys())
            if (k.form == DesignFile::KeyForm::Text || k.form == DesignFile::KeyForm::StoredText)
                keys << QLatin1String(k.name);
        const QStringList hostile { "1e999", "-1e308", "nan", "inf", "0", "-0", "", "open", "short" };

        PageWindow pw;
        const QString path = QDir(pw.folder()).filePath(QStringLiteral("hostile.zam"));
        QStringList failures;
        QElapsedTimer timer;
        timer.start();
        // Pairs of an entry and a hostile value: a third of them, so every entry
        // still meets three values and every value a third of the entries. Each
        // pair goes into one of the designs that hold the entry, in turn, and a
        // design takes up to kBatch pairs of different entries per open.
        constexpr int kBatch = 8;
        QVector<QVector<QVector<std::pair<int, int>>>> batches(designs.size());
        for (int k = 0; k < keys.size(); ++k) {
            const QRegularExpression line(
                QStringLiteral("^%1: .*$").arg(QRegularExpression::escape(keys.at(k))),
                QRegularExpression::MultilineOption);
            QVector<int> holders;
            for (int d = 0; d < designs.size(); ++d)
                if (line.match(designs.at(d)).hasMatch())
                    holders << d;
            for (int h = 0; h < hostile.size() && !holders.isEmpty(); ++h) {
                if ((k + h) % 3 != 0)
                    continue;
                auto &list = batches[holders.at((k + h) % holders.size())];
                const bool fits = !list.isEmpty() && list.last().size() < kBatch
                    && std::none_of(list.last().begin(), list.last().end(),
                        [k](const std::pair<int, int> &p) { return p.first == k; });
                if (!fits)
                    list.append(QVector<std::pair<int, int>>());
                list.last().append({ k, h });
            }
        }
        int opened = 0;
        int pairs = 0;
        for (int design = 0; design < designs.size(); ++design) {
            for (const auto &batch : batches.at(design)) {
                QString text = designs.at(design);
                QStringList typed, named;
                for (const auto &[k, h] : batch) {
                    const QRegularExpression line(
                        QStringLiteral("^%1: .*$").arg(QRegularExpression::escape(keys.at(k))),
                        QRegularExpression::MultilineOption);
                    text.replace(line, keys.at(k) + QStringLiteral(": ") + hostile.at(h));
                    typed << hostile.at(h);
                    named << QStringLiteral("%1 = \"%2\"").arg(keys.at(k), hostile.at(h));
                }
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
                file.write(text.toUtf8());
                file.close();
                pw.window->setDesignPath(path);
                QVERIFY(pw.window->openFile());
                ++opened;
                pairs += batch.size();
                m_problems.clear();
                checkWindow(pw.window, typed);
                m_typedBefore += typed;
                if (!m_problems.isEmpty())
                    failures << QStringLiteral("%1 in design %2:\n  %3")
                                    .arg(named.join(QStringLiteral(", ")))
                                    .arg(design)
                                    .arg(m_problems.join(QStringLiteral("\n  ")));
            }
        }
        qInstallMessageHandler(previous);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
        QVERIFY(pairs > keys.size());
        qInfo("%d pairs in %d designs opened and checked in %lld ms", pairs, opened, timer.elapsed());
    }
};

QTEST_MAIN(TestHostileFields)
#include "test_hostilefields.moc"
