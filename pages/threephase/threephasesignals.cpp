#include <QStringList>
#include <QTextStream>

#include "pages/threephase/threephasemodel.h"

namespace ThreePhase {

namespace {

int phaseOf(const QString &name)
{
    const QChar last = name.at(name.size() - 1);
    if (last == QLatin1Char('1') || last == QLatin1Char('A'))
        return 0;
    if (last == QLatin1Char('2') || last == QLatin1Char('B'))
        return 1;
    return 2;
}

} // namespace

const QVector<double> *signalVector(const Traces &t, const QString &name, const SignalView &view)
{
    static const QStringList flags { QStringLiteral("At"), QStringLiteral("Bt"), QStringLiteral("Ct"),
        QStringLiteral("Ab"), QStringLiteral("Bb"), QStringLiteral("Cb") };
    const int flag = flags.indexOf(name);
    if (flag >= 0)
        return flag < 3 ? &t.upper[flag] : &t.lower[flag - 3];
    if (name == QLatin1String("I1") || name == QLatin1String("I2") || name == QLatin1String("I3"))
        return &t.current[phaseOf(name)];
    if (name == QLatin1String("V1") || name == QLatin1String("V2") || name == QLatin1String("V3"))
        return view.dutyAsVoltage ? &t.duty[phaseOf(name)] : &t.output[phaseOf(name)];
    if (name == QLatin1String("Vwye"))
        return view.delta ? nullptr : &t.neutral;
    if (name == QLatin1String("VemfA") || name == QLatin1String("VemfB") || name == QLatin1String("VemfC"))
        return view.delta ? &t.lineEmf[phaseOf(name)] : &t.emf[phaseOf(name)];
    if (name == QLatin1String("DCA") || name == QLatin1String("DCB") || name == QLatin1String("DCC"))
        return &t.duty[phaseOf(name)];
    if (name == QLatin1String("DCenv"))
        return &t.envelope;
    if (name == QLatin1String("freq"))
        return &t.frequency;
    if (name == QLatin1String("Angle"))
        return &t.angle;
    if (name == QLatin1String("loadPower"))
        return &t.loadPower;
    return nullptr;
}

QString signalTitle(const QString &name, const SignalView &view)
{
    if (name.size() == 2 && (name.at(1) == QLatin1Char('t') || name.at(1) == QLatin1Char('b')))
        return name + QStringLiteral(" in");
    const QString phase = QString(QChar('A' + phaseOf(name)));
    if (name.startsWith(QLatin1Char('I')))
        return phase + QStringLiteral(" Line Current [A]");
    if (name.startsWith(QLatin1Char('V')) && name.size() == 2)
        return phase + (view.dutyAsVoltage ? QStringLiteral(" Duty Cycle") : QStringLiteral(" Voltage [V]"));
    if (name == QLatin1String("Vwye"))
        return QStringLiteral("Wye Voltage [V]");
    if (name.startsWith(QLatin1String("Vemf"))) {
        static const char *lines[] = { "A-B", "B-C", "C-A" };
        return (view.delta ? QString::fromLatin1(lines[phaseOf(name)]) : phase)
            + QStringLiteral(" EMF Voltage [V]");
    }
    if (name.startsWith(QLatin1String("DC")) && name.size() == 3)
        return phase + QStringLiteral(" Duty Cycle");
    if (name == QLatin1String("DCenv"))
        return QStringLiteral("Duty Cycle Envelope");
    if (name == QLatin1String("freq"))
        return QStringLiteral("frequency (Hz)");
    if (name == QLatin1String("Angle"))
        return view.linear ? QStringLiteral("Motor Position [m]") : QStringLiteral("Rotor Angle [rad]");
    if (name == QLatin1String("loadPower"))
        return QStringLiteral("load Power [W]");
    return QString();
}

QByteArray pwlText(const Traces &traces, const QStringList &names, const SignalView &view)
{
    QVector<const QVector<double> *> columns;
    for (const QString &name : names) {
        if (const QVector<double> *v = signalVector(traces, name, view))
            columns << v;
    }
    QByteArray bytes;
    QTextStream out(&bytes);
    // Six digits (the stream's default) cannot tell apart steps of 20 ns at
    // 75 ms: ten keep every time distinct.
    out.setRealNumberPrecision(10);
    for (int j = 0; j < traces.time.size(); ++j) {
        out << traces.time.at(j);
        for (const QVector<double> *v : columns)
            out << ',' << (j < v->size() ? v->at(j) : 0.0);
        out << '\n';
    }
    out.flush();
    return bytes;
}

} // namespace ThreePhase
