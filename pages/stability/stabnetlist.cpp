#include "pages/stability/stabnetlist.h"

#include <cmath>

#include "values/sivalues.h"

namespace {

double num(const QString &text)
{
    return string2Number(text);
}

double option(const QVector<double> &v, int k)
{
    return k >= 0 && k < v.size() ? v[k] : 0;
}

} // namespace

SpiceNetlist stabilityNetlist(const LoopInput &in, StabLoad load, bool composite, const QString &title)
{
    SpiceNetlist out;
    if (load == StabLoad::Inductive || composite) {
        out.unavailable
            = QStringLiteral("Only the capacitive-load circuit without a host amplifier is exported.");
        return out;
    }
    const amp &a = in.amplifier;
    const StabComponents &c = in.parts;
    double rcl = num(c.RclC);
    if (a.Vbe == 0 || a.CLint != 0)
        rcl = 0;
    double rin = num(c.RinC), rfb = num(c.RfbC), cfb = stabCapacitor(c.CfbC);
    specialCircuit(a, num(c.stabRg), rin, rfb, cfb);
    const bool special = a.CircuitType != QLatin1String("normal");
    const bool noiseGain = in.inverting && c.RngC != QLatin1String("open") && c.CngC != QLatin1String("open")
        && stabCapacitor(c.CngC) != 0;

    SpiceWriter w(title);
    w.comment(QStringLiteral("Amplifier %1, compensation option %2, %3, capacitive load")
                  .arg(a.ampName)
                  .arg(in.option + 1)
                  .arg(in.inverting ? QStringLiteral("inverting") : QStringLiteral("non-inverting")));
    w.comment(QStringLiteral(
        "The loop is broken at the amplifier's input: VTEST drives the gain stage and\n"
        "v(loop) = v(inm) - v(inp) is the loop gain; it crosses 0 dB at the closure frequency."));
    w.blank();
    w.comment(QStringLiteral("Signal input, grounded while the loop gain is read"));
    if (in.inverting) {
        w.element(QStringLiteral("VIN"), QStringLiteral("in"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("input"));
        w.element(QStringLiteral("VINP"), QStringLiteral("inp"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("+ input to ground"));
    } else {
        w.element(QStringLiteral("VIN"), QStringLiteral("inp"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("input"));
    }
    w.blank();
    w.comment(QStringLiteral("Open-loop gain %1 dB and the poles of the option, each an R-C with a buffer")
                  .arg(a.Aol_DC));
    w.element(QStringLiteral("VTEST"), QStringLiteral("err"), QStringLiteral("0"), QStringLiteral("AC 1"),
        QStringLiteral("loop break"));
    w.element(QStringLiteral("EAOL"),
        { QStringLiteral("gain"), QStringLiteral("0"), QStringLiteral("err"), QStringLiteral("0") },
        spiceNumber(std::pow(10.0, a.Aol_DC / 20)), QStringLiteral("A_OL"));
    QString node = QStringLiteral("gain");
    const double poles[]
        = { option(a.pole1, in.option), option(a.pole2, in.option), option(a.pole3, in.option) };
    for (int k = 0; k < 3; ++k) {
        const double p = poles[k];
        if (!(p > 0) || p >= 1e12)
            continue;
        const QString rc = QStringLiteral("pole%1_rc").arg(k + 1),
                      buffered = QStringLiteral("pole%1").arg(k + 1);
        const QString label = QStringLiteral("amplifier pole %1 at %2 Hz").arg(k + 1).arg(spiceNumber(p));
        w.element(QStringLiteral("RP%1").arg(k + 1), node, rc, QStringLiteral("1k"), label);
        w.element(QStringLiteral("CP%1").arg(k + 1), rc, QStringLiteral("0"),
            spiceNumber(1 / (2 * M_PI * 1000 * p)), label);
        w.element(QStringLiteral("EP%1").arg(k + 1),
            { buffered, QStringLiteral("0"), rc, QStringLiteral("0") }, QStringLiteral("1"),
            QStringLiteral("buffer"));
        node = buffered;
    }
    w.blank();
    w.comment(
        QStringLiteral("Output impedance and current-limit resistor; the feedback leaves from node out"));
    spiceResistor(w, QStringLiteral("RZOUT"), node, QStringLiteral("cl"), a.Zout, QStringLiteral("Z_OUT"));
    spiceResistor(
        w, QStringLiteral("RCL"), QStringLiteral("cl"), QStringLiteral("out"), rcl, QStringLiteral("R_CL"));
    w.blank();
    w.comment(QStringLiteral("Load"));
    spiceResistor(w, QStringLiteral("RISO"), QStringLiteral("out"), QStringLiteral("load"), num(c.RisoC),
        QStringLiteral("R_ISO"));
    spiceCapacitor(w, QStringLiteral("CLOAD"), QStringLiteral("load"), QStringLiteral("0"),
        stabCapacitor(c.CLoadStab), QStringLiteral("C_LOAD"));
    w.blank();
    w.comment(special ? QStringLiteral("Feedback network inside %1").arg(a.ampName)
                      : QStringLiteral("Feedback network"));
    spiceResistor(w, QStringLiteral("RIN"), QStringLiteral("inm"),
        in.inverting ? QStringLiteral("in") : QStringLiteral("0"), rin, QStringLiteral("R_IN"));
    spiceResistor(
        w, QStringLiteral("RFB"), QStringLiteral("out"), QStringLiteral("inm"), rfb, QStringLiteral("R_FB"));
    spiceCapacitor(
        w, QStringLiteral("CFB"), QStringLiteral("out"), QStringLiteral("inm"), cfb, QStringLiteral("C_FB"));
    if (noiseGain) {
        spiceResistor(w, QStringLiteral("RNG"), QStringLiteral("inm"), QStringLiteral("ng"), num(c.RngC),
            QStringLiteral("R_NG"));
        spiceCapacitor(w, QStringLiteral("CNG"), QStringLiteral("ng"), QStringLiteral("0"),
            stabCapacitor(c.CngC), QStringLiteral("C_NG"));
    }
    w.blank();
    w.element(QStringLiteral("ELOOP"),
        { QStringLiteral("loop"), QStringLiteral("0"), QStringLiteral("inm"), QStringLiteral("inp") },
        QStringLiteral("1"), QStringLiteral("loop gain"));
    w.line(QStringLiteral(".ac dec 16 1 100meg"));
    out.text = w.text();
    return out;
}
