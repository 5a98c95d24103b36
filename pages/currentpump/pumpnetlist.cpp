#include "pages/currentpump/pumpnetlist.h"

#include <cmath>

SpiceNetlist currentPumpNetlist(const PumpCircuit &p, const QString &title)
{
    SpiceWriter w(title);
    w.comment(QStringLiteral("Improved Howland current pump, %1, amplifier %2 taken as ideal")
                  .arg(p.inverting ? QStringLiteral("inverting") : QStringLiteral("non-inverting"),
                      p.ampName.isEmpty() ? QStringLiteral("(none)") : p.ampName));
    w.comment(QStringLiteral("Transconductance: i(VILOAD) / V_IN"));
    w.blank();
    w.element(QStringLiteral("VIN"), QStringLiteral("in"), QStringLiteral("0"),
        QStringLiteral("DC %1 AC %1").arg(spiceNumber(p.vin)), QStringLiteral("V_IN"));
    w.element(QStringLiteral("EAMP"),
        { QStringLiteral("out"), QStringLiteral("0"), QStringLiteral("inp"), QStringLiteral("inm") },
        QStringLiteral("1e9"), QStringLiteral("amplifier, ideal"));
    w.blank();
    w.comment(QStringLiteral("Inverting side"));
    spiceResistor(w, QStringLiteral("RINN"), p.inverting ? QStringLiteral("in") : QStringLiteral("0"),
        QStringLiteral("inm"), p.rinNeg, QStringLiteral("R_IN-"));
    spiceResistor(w, QStringLiteral("RFN"), QStringLiteral("out"), QStringLiteral("inm"), p.rfNeg,
        QStringLiteral("R_F-"));
    w.comment(QStringLiteral("Non-inverting side"));
    spiceResistor(w, QStringLiteral("RINP"), p.inverting ? QStringLiteral("0") : QStringLiteral("in"),
        QStringLiteral("inp"), p.rinPos, QStringLiteral("R_IN+"));
    spiceResistor(w, QStringLiteral("RFP"), QStringLiteral("sense"), QStringLiteral("inp"), p.rfPos,
        QStringLiteral("R_F+"));
    w.blank();
    spiceResistor(
        w, QStringLiteral("RS"), QStringLiteral("out"), QStringLiteral("sense"), p.rs, QStringLiteral("R_S"));
    if (p.rd < 4294967295.0 && p.cd != 0) {
        w.comment(QStringLiteral("Damping network across the load"));
        spiceResistor(w, QStringLiteral("RD"), QStringLiteral("sense"), QStringLiteral("damp"), p.rd,
            QStringLiteral("R_D"));
        spiceCapacitor(w, QStringLiteral("CD"), QStringLiteral("damp"), QStringLiteral("0"), p.cd,
            QStringLiteral("C_D"));
    }
    w.blank();
    w.comment(QStringLiteral("Load"));
    w.element(QStringLiteral("VILOAD"), QStringLiteral("sense"), QStringLiteral("load"), QStringLiteral("0"),
        QStringLiteral("load current sense"));
    const QString last = p.seriesC ? QStringLiteral("load_c") : QStringLiteral("0");
    spiceResistor(w, QStringLiteral("RLOAD"), QStringLiteral("load"),
        p.lload != 0 ? QStringLiteral("load_l") : last, p.rload, QStringLiteral("LOAD R"));
    if (p.lload != 0)
        spiceInductor(
            w, QStringLiteral("LLOAD"), QStringLiteral("load_l"), last, p.lload, QStringLiteral("LOAD L"));
    if (p.seriesC)
        spiceCapacitor(w, QStringLiteral("CLOAD"), QStringLiteral("load_c"), QStringLiteral("0"), p.cload,
            QStringLiteral("LOAD C"));
    w.blank();
    w.line(QStringLiteral(".op"));
    // Whole decades either side of the signal frequency, so that it is a point of the sweep.
    const double f = p.frequency > 0 && p.frequency < 1e12 ? p.frequency : 1e3;
    const double below = std::ceil(std::log10(f)), above = std::max(2.0, std::ceil(std::log10(100e3 / f)));
    w.line(QStringLiteral(".ac dec 20 %1 %2")
               .arg(spiceNumber(f / std::pow(10.0, std::max(0.0, below))),
                   spiceNumber(f * std::pow(10.0, above))));
    SpiceNetlist out;
    out.text = w.text();
    return out;
}
