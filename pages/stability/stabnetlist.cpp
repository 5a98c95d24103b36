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

const QString kGround = QStringLiteral("0");

// An amplifier as a macro-model: the gain stage E<name>AOL driven by the
// voltage across `drive` (two nodes), then one R-C per pole, each with a
// buffer. Element names start with `name`, nodes with `node`. Returns the
// node of its ideal output.
QString gainStage(SpiceWriter &w, const QString &name, const QString &nodePrefix, const QString &what,
    double aolDb, const QVector<double> &poles, const QStringList &drive)
{
    w.comment(QStringLiteral("%1: open-loop gain %2 dB and its poles, each an R-C with a buffer")
                  .arg(what)
                  .arg(aolDb));
    QString node = nodePrefix + QStringLiteral("gain");
    w.element(QStringLiteral("E%1AOL").arg(name), QStringList { node, kGround } + drive,
        spiceNumber(std::pow(10.0, aolDb / 20)), QStringLiteral("%1 A_OL").arg(what));
    for (int k = 0; k < poles.size(); ++k) {
        const double p = poles[k];
        if (!(p > 0) || p >= 1e12)
            continue;
        const QString rc = QStringLiteral("%1pole%2_rc").arg(nodePrefix).arg(k + 1),
                      buffered = QStringLiteral("%1pole%2").arg(nodePrefix).arg(k + 1);
        const QString label = QStringLiteral("%1 pole %2 at %3 Hz").arg(what).arg(k + 1).arg(spiceNumber(p));
        w.element(QStringLiteral("R%1P%2").arg(name).arg(k + 1), node, rc, QStringLiteral("1k"), label);
        w.element(QStringLiteral("C%1P%2").arg(name).arg(k + 1), rc, kGround,
            spiceNumber(1 / (2 * M_PI * 1000 * p)), label);
        w.element(QStringLiteral("E%1P%2").arg(name).arg(k + 1), { buffered, kGround, rc, kGround },
            QStringLiteral("1"), QStringLiteral("buffer"));
        node = buffered;
    }
    return node;
}

bool hasText(const QString &text)
{
    return text != QLatin1String("open");
}

struct StabWriter {
    const LoopInput &in;
    StabLoad load;
    bool composite;
    SpiceWriter w;
    bool leftOut = false; // an open part may leave a node with no way to ground

    void resistor(
        const QString &name, const QString &n1, const QString &n2, double ohms, const QString &label)
    {
        leftOut = leftOut || !(ohms < kOpenValue);
        spiceResistor(w, name, n1, n2, ohms, label);
    }
    void inductor(
        const QString &name, const QString &n1, const QString &n2, double henries, const QString &label)
    {
        leftOut = leftOut || !(henries < kOpenValue);
        spiceInductor(w, name, n1, n2, henries, label);
    }

    const amp &a() const { return in.amplifier; }
    const StabComponents &c() const { return in.parts; }
    // The power stage is non-inverting behind a host.
    bool powerInverting() const { return in.inverting && !composite; }
    bool special() const { return a().CircuitType != QLatin1String("normal"); }
    // The names of R_IN, R_FB and C_FB: a booster or fixed-gain part brings
    // its own, R_G taking the place of one or adding to another.
    QString partLabel(const char *part) const
    {
        const QString name = QString::fromLatin1(part);
        const QString type = a().CircuitType;
        if (type == QLatin1String("BQ840") && name == QLatin1String("R_FB"))
            return QStringLiteral("internal R_FB + R_G");
        if (type == QLatin1String("BQ859") && name == QLatin1String("R_IN"))
            return QStringLiteral("R_G");
        if (type == QLatin1String("BQ840") || type == QLatin1String("BQ859") || type == QLatin1String("VR554")
            || type == QLatin1String("VR622"))
            return QStringLiteral("internal ") + name;
        return name;
    }

    // Signal inputs, grounded while the loop gain is read: `minus` is the far
    // end of the input resistor, `plus` the non-inverting input.
    void inputs(bool inverting, const QString &minus, const QString &plus, const QString &prefix)
    {
        const QString label = prefix.isEmpty() ? QStringLiteral("V_IN") : QStringLiteral("V_IN (host)");
        if (inverting) {
            w.element(QStringLiteral("V%1IN").arg(prefix), minus, kGround, QStringLiteral("0"), label);
            w.element(QStringLiteral("V%1INP").arg(prefix), plus, kGround, QStringLiteral("0"),
                QStringLiteral("+ input to ground"));
        } else {
            w.element(QStringLiteral("V%1IN").arg(prefix), plus, kGround, QStringLiteral("0"), label);
        }
    }

    // The power amplifier from its input to node `out`: gain stage, poles,
    // Z_OUT and R_CL. Its gain stage is driven by `drive`.
    void powerAmplifier(const QStringList &drive)
    {
        const QString node = gainStage(w, QString(), QString(),
            a().ampName.isEmpty() ? QStringLiteral("amplifier") : a().ampName, a().Aol_DC,
            { option(a().pole1, in.option), option(a().pole2, in.option), option(a().pole3, in.option) },
            drive);
        // R_CL exists only on an amplifier with an external current limit.
        if (a().Vbe == 0 || a().CLint != 0) {
            w.comment(QStringLiteral("Output impedance"));
            resistor(QStringLiteral("RZOUT"), node, QStringLiteral("out"), a().Zout, QStringLiteral("Z_OUT"));
            return;
        }
        w.comment(QStringLiteral("Output impedance and current-limit resistor"));
        resistor(QStringLiteral("RZOUT"), node, QStringLiteral("cl"), a().Zout, QStringLiteral("Z_OUT"));
        resistor(QStringLiteral("RCL"), QStringLiteral("cl"), QStringLiteral("out"), num(c().RclC),
            QStringLiteral("R_CL"));
    }

    void capacitiveStage()
    {
        double rin = num(c().RinC), rfb = num(c().RfbC), cfb = stabCapacitor(c().CfbC);
        specialCircuit(a(), num(c().stabRg), rin, rfb, cfb);
        const bool noiseGain
            = powerInverting() && hasText(c().RngC) && hasText(c().CngC) && stabCapacitor(c().CngC) != 0;
        w.blank();
        w.comment(QStringLiteral("Load"));
        resistor(QStringLiteral("RISO"), QStringLiteral("out"), QStringLiteral("load"), num(c().RisoC),
            QStringLiteral("R_ISO"));
        spiceCapacitor(w, QStringLiteral("CLOAD"), QStringLiteral("load"), kGround,
            stabCapacitor(c().CLoadStab), QStringLiteral("C_LOAD"));
        w.blank();
        w.comment(special() ? QStringLiteral("Feedback network inside %1").arg(a().ampName)
                            : QStringLiteral("Feedback network"));
        resistor(QStringLiteral("RIN"), QStringLiteral("inm"),
            powerInverting() ? QStringLiteral("in") : kGround, rin, partLabel("R_IN"));
        resistor(QStringLiteral("RFB"), QStringLiteral("out"), QStringLiteral("inm"), rfb, partLabel("R_FB"));
        spiceCapacitor(
            w, QStringLiteral("CFB"), QStringLiteral("out"), QStringLiteral("inm"), cfb, partLabel("C_FB"));
        if (noiseGain) {
            resistor(QStringLiteral("RNG"), QStringLiteral("inm"), QStringLiteral("ng"), num(c().RngC),
                QStringLiteral("R_NG"));
            spiceCapacitor(w, QStringLiteral("CNG"), QStringLiteral("ng"), kGround, stabCapacitor(c().CngC),
                QStringLiteral("C_NG"));
        }
    }

    // Returns the node the current feedback leaves from: the sense stage's
    // output, or the top of R_S when the sense gain is a short.
    QString inductiveStage()
    {
        double rin = num(c().RinL), rfb = num(c().RfbL), cfb = stabCapacitor(c().CfbL);
        specialCircuit(a(), num(c().stabLRg), rin, rfb, cfb);
        const double gain = num(c().RsGainL);
        w.blank();
        w.comment(QStringLiteral("Load and current sense"));
        resistor(QStringLiteral("RLOAD"), QStringLiteral("out"), QStringLiteral("load_rl"), num(c().RloadL),
            QStringLiteral("R_LOAD"));
        inductor(QStringLiteral("LLOAD"), QStringLiteral("load_rl"), QStringLiteral("sense"),
            num(c().LLoadStab), QStringLiteral("L_LOAD"));
        resistor(QStringLiteral("RS"), QStringLiteral("sense"), kGround, num(c().RsL), QStringLiteral("R_S"));
        QString tip = QStringLiteral("sense");
        if (gain != 0) {
            tip = QStringLiteral("sense_out");
            w.element(QStringLiteral("ESENSE"), { tip, kGround, QStringLiteral("sense"), kGround },
                spiceNumber(gain), QStringLiteral("R_S GAIN"));
        } else {
            w.comment(QStringLiteral("R_S GAIN is a short: R_FB takes the voltage of R_S directly"));
        }
        w.blank();
        w.comment(special() ? QStringLiteral("Feedback network inside %1").arg(a().ampName)
                            : QStringLiteral("Feedback network"));
        resistor(QStringLiteral("RIN"), QStringLiteral("inm"),
            powerInverting() ? QStringLiteral("in") : kGround, rin, partLabel("R_IN"));
        resistor(QStringLiteral("RFB"), tip, QStringLiteral("inm"), rfb, partLabel("R_FB"));
        w.comment(QStringLiteral("R_D and C_FB feed the output voltage back at high frequency"));
        const double rd = num(c().RdL);
        if (cfb == 0 || rd >= kOpenValue) {
            w.comment(QStringLiteral("%1 is open: R_D and C_FB left out")
                          .arg(cfb == 0 ? QStringLiteral("C_FB") : QStringLiteral("R_D")));
        } else {
            resistor(QStringLiteral("RD"), QStringLiteral("inm"), QStringLiteral("damp"), rd,
                QStringLiteral("R_D"));
            spiceCapacitor(w, QStringLiteral("CFB"), QStringLiteral("damp"), QStringLiteral("out"), cfb,
                partLabel("C_FB"));
        }
        return tip;
    }

    // The host op-amp and its network, closing the outer loop from `from`.
    void hostNetwork(const QString &from)
    {
        const bool noiseGain
            = in.inverting && hasText(c().hostRng) && hasText(c().hostCng) && stabCapacitor(c().hostCng) != 0;
        w.blank();
        w.comment(QStringLiteral("Host network"));
        resistor(QStringLiteral("RHIN"), QStringLiteral("host_inm"),
            in.inverting ? QStringLiteral("host_in") : kGround, num(c().hostRin),
            QStringLiteral("HOST R_IN"));
        resistor(QStringLiteral("RHFB"), from, QStringLiteral("host_inm"), num(c().compRfb),
            QStringLiteral("HOST R_FB"));
        spiceCapacitor(w, QStringLiteral("CHFB"), from, QStringLiteral("host_inm"),
            stabCapacitor(c().compCfb), QStringLiteral("HOST C_FB"));
        if (noiseGain) {
            resistor(QStringLiteral("RHNG"), QStringLiteral("host_inm"), QStringLiteral("host_ng"),
                num(c().hostRng), QStringLiteral("HOST R_NG"));
            spiceCapacitor(w, QStringLiteral("CHNG"), QStringLiteral("host_ng"), kGround,
                stabCapacitor(c().hostCng), QStringLiteral("HOST C_NG"));
        }
    }

    void write()
    {
        const bool inductive = load == StabLoad::Inductive;
        w.comment(QStringLiteral("Amplifier %1, compensation option %2, %3, %4%5")
                      .arg(a().ampName)
                      .arg(in.option + 1)
                      .arg(in.inverting ? QStringLiteral("inverting") : QStringLiteral("non-inverting"),
                          inductive ? QStringLiteral("inductive load (current gain)")
                                    : QStringLiteral("capacitive load"),
                          composite ? QStringLiteral(", behind a host op-amp") : QString()));
        if (composite)
            w.comment(QStringLiteral(
                "The outer loop is broken at the host's input: VTEST drives the host's gain stage and\n"
                "v(loop) = v(host_inm) - v(host_inp) is the loop gain; it crosses 0 dB at the closure\n"
                "frequency. The power stage's own loop stays closed."));
        else
            w.comment(QStringLiteral(
                "The loop is broken at the amplifier's input: VTEST drives the gain stage and\n"
                "v(loop) = v(inm) - v(inp) is the loop gain; it crosses 0 dB at the closure frequency."));
        w.blank();
        w.comment(QStringLiteral("Signal input, grounded while the loop gain is read"));
        if (composite)
            inputs(in.inverting, QStringLiteral("host_in"), QStringLiteral("host_inp"), QStringLiteral("H"));
        else
            inputs(in.inverting, QStringLiteral("in"), QStringLiteral("inp"), QString());
        w.blank();
        w.element(QStringLiteral("VTEST"), QStringLiteral("err"), kGround, QStringLiteral("AC 1"),
            QStringLiteral("loop break"));
        if (composite) {
            const QString node = gainStage(w, QStringLiteral("H"), QStringLiteral("host_"),
                QStringLiteral("HOST"), in.host.aol, { in.host.pole1, in.host.pole2, in.host.pole3 },
                { QStringLiteral("err"), kGround });
            w.element(QStringLiteral("VHOUT"), node, QStringLiteral("inp"), QStringLiteral("0"),
                QStringLiteral("HOST output to the power stage's + input"));
            w.blank();
            powerAmplifier({ QStringLiteral("inp"), QStringLiteral("inm") });
        } else {
            powerAmplifier({ QStringLiteral("err"), kGround });
        }
        QString from = QStringLiteral("out");
        if (inductive)
            from = inductiveStage();
        else
            capacitiveStage();
        if (composite)
            hostNetwork(from);
        w.blank();
        if (composite)
            w.element(QStringLiteral("ELOOP"),
                { QStringLiteral("loop"), kGround, QStringLiteral("host_inm"), QStringLiteral("host_inp") },
                QStringLiteral("1"), QStringLiteral("loop gain"));
        else
            w.element(QStringLiteral("ELOOP"),
                { QStringLiteral("loop"), kGround, QStringLiteral("inm"), QStringLiteral("inp") },
                QStringLiteral("1"), QStringLiteral("loop gain"));
        if (leftOut) {
            w.comment(QStringLiteral("Keeps a node that an open part cuts off from floating"));
            w.line(QStringLiteral(".options rshunt=1e12"));
        }
        w.line(QStringLiteral(".ac dec 16 1 100meg"));
    }
};

} // namespace

SpiceNetlist stabilityNetlist(const LoopInput &in, StabLoad load, bool composite, const QString &title)
{
    SpiceNetlist out;
    if (composite && load == StabLoad::Capacitive && in.amplifier.CircuitType == QLatin1String("VR554")) {
        out.unavailable = QStringLiteral("No circuit is drawn for a composite circuit with this amplifier.");
        return out;
    }
    StabWriter s { in, load, composite, SpiceWriter(title) };
    s.write();
    out.text = s.w.text();
    return out;
}
