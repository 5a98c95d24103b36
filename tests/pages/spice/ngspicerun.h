#pragma once

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVector>

#include <cmath>
#include <complex>

// Runs a netlist through ngspice in batch mode and reads back the scale
// (time or frequency) and the asked vectors, one column each.
struct SpiceRun {
    bool ok = false;
    QString error;
    QVector<QVector<double>> columns; // [0] the scale, then the vectors in order
};

inline bool haveNgspice()
{
    return !QStandardPaths::findExecutable(QStringLiteral("ngspice")).isEmpty();
}

inline SpiceRun runNgspice(const QString &netlist, const QStringList &vectors)
{
    SpiceRun r;
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("out.txt"));
    // The test's own read-out goes in before ".end"; the circuit is as exported.
    QString text = netlist;
    const int end = text.lastIndexOf(QStringLiteral(".end"));
    text.insert(end,
        QStringLiteral(".control\nset wr_singlescale\nset wr_vecnames\nrun\nwrdata %1 %2\n.endc\n")
            .arg(data, vectors.join(QLatin1Char(' '))));
    QFile f(dir.filePath(QStringLiteral("circuit.cir")));
    if (!f.open(QIODevice::WriteOnly))
        return r;
    f.write(text.toUtf8());
    f.close();
    QProcess p;
    p.start(QStringLiteral("ngspice"), { QStringLiteral("-b"), f.fileName() });
    p.waitForFinished(120000);
    QFile out(data);
    if (!out.open(QIODevice::ReadOnly)) {
        r.error = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).right(2000);
        return r;
    }
    r.columns.resize(vectors.size() + 1);
    QTextStream in(&out);
    in.readLine(); // names
    while (!in.atEnd()) {
        const QStringList cells = in.readLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (cells.size() < r.columns.size())
            continue;
        for (int c = 0; c < r.columns.size(); ++c)
            r.columns[c].append(cells[c].toDouble());
    }
    r.ok = !r.columns[0].isEmpty();
    return r;
}

// The value of a column at x, linear between the simulator's points.
inline double interpolate(const QVector<double> &x, const QVector<double> &y, double at)
{
    auto it = std::lower_bound(x.begin(), x.end(), at);
    if (it == x.begin())
        return y.first();
    if (it == x.end())
        return y.last();
    const int k = int(it - x.begin());
    const double t = (at - x[k - 1]) / (x[k] - x[k - 1]);
    return y[k - 1] + t * (y[k] - y[k - 1]);
}
