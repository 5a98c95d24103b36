#include "pages/stability/autocompensate.h"

#include <algorithm>
#include <cmath>

#include "values/sivalues.h"

namespace {

using Model = LoopResult (*)(const LoopInput &, bool);

// One run of a search: the candidate being varied and the best trial so far.
class Search {
public:
    Search(const LoopInput &in, Model model, bool everyOption, int slider)
        : m_candidate(in)
        , m_model(model)
        , m_everyOption(everyOption)
        , m_target(stabTargetMargin(slider))
    {
    }

    LoopInput &candidate() { return m_candidate; }

    // Called once the varied parts hold their neutral texts.
    void start()
    {
        m_best = m_candidate.parts;
        m_bestOption = m_candidate.option;
        m_bestPM = evaluate().phaseMargin;
        m_bestBW = 0;
    }

    void set(QString StabComponents::*member, double value)
    {
        m_candidate.parts.*member = formatSI(value, QString());
    }

    void tryNow()
    {
        if (!m_everyOption) {
            tryOption(m_candidate.option);
            return;
        }
        const int n = std::max(1, m_candidate.amplifier.SROptions);
        for (int i = 0; i < n; ++i)
            tryOption(i);
    }

    bool missedTarget() const { return m_bestPM < m_target; }

    StabSearchResult result(int slider) const
    {
        StabSearchResult r;
        r.parts = m_best;
        r.option = m_bestOption;
        r.slider = slider;
        r.bestPM = m_bestPM;
        r.bestBW = m_bestBW;
        r.accepted = m_accepted;
        r.modelRuns = m_runs;
        return r;
    }

    int runs() const { return m_runs; }

private:
    LoopResult evaluate()
    {
        ++m_runs;
        return m_model(m_candidate, false);
    }

    void tryOption(int option)
    {
        m_candidate.option = option;
        const LoopResult r = evaluate();
        const double pm = r.phaseMargin, bw = r.maxBandwidth;
        if (pm > m_target && (bw > m_bestBW || (bw == m_bestBW && pm > m_bestPM))) {
            m_best = m_candidate.parts;
            m_bestOption = option;
            m_bestPM = pm;
            m_bestBW = bw;
            m_accepted = true;
        }
    }

    LoopInput m_candidate;
    Model m_model;
    bool m_everyOption;
    double m_target;
    StabComponents m_best;
    int m_bestOption = 0;
    double m_bestPM = 0, m_bestBW = 0;
    bool m_accepted = false;
    int m_runs = 0;
};

// When the target was missed and the slider can still lower it, the search
// runs again one step further; the relaxed run's outcome is the answer, so
// whatever it found is what gets written back.
template <typename Body>
StabSearchResult runWithRelaxation(const LoopInput &in, Model model, bool everyOption, int slider, Body body)
{
    slider = std::clamp(slider, 0, 4);
    Search s(in, model, everyOption, slider);
    body(s);
    if (s.missedTarget() && slider < 4) {
        StabSearchResult relaxed = runWithRelaxation(in, model, everyOption, slider + 1, body);
        relaxed.modelRuns += s.runs();
        return relaxed;
    }
    return s.result(slider);
}

void capacitiveSweeps(Search &s, QString StabComponents::*cng, QString StabComponents::*rng,
    QString StabComponents::*cfb, double cngStepB, int cngCountB, double cngStepC, int cngCountC)
{
    s.tryNow();
    for (int j = 0; j <= 85; ++j) {
        s.set(cfb, 3e-12 * std::pow(1.1, j));
        s.tryNow();
    }
    if (!s.candidate().inverting)
        return;
    s.set(cfb, 0);
    for (int a = 0; a <= 17; ++a) {
        s.set(rng, 10 * std::pow(1.3, a));
        for (int b = 0; b < cngCountB; ++b) {
            s.set(cng, 1e-9 * std::pow(cngStepB, b));
            s.tryNow();
        }
    }
    for (int a = 0; a <= 11; ++a) {
        s.set(cfb, 3e-12 * std::pow(2.0, a));
        for (int b = 0; b <= 11; ++b) {
            s.set(rng, 10 * std::pow(1.5, b));
            for (int c = 0; c < cngCountC; ++c) {
                s.set(cng, 1e-9 * std::pow(cngStepC, c));
                s.tryNow();
            }
        }
    }
}

} // namespace

double stabTargetMargin(int slider)
{
    return 75.0 - 10.0 * slider;
}

StabSearchResult autoC(const LoopInput &in, int slider)
{
    return runWithRelaxation(in, &plotCBodeData, true, slider, [](Search &s) {
        StabComponents &p = s.candidate().parts;
        p.CngC = QStringLiteral("open");
        p.RngC = QStringLiteral("short");
        p.CfbC = QStringLiteral("open");
        p.RisoC = QStringLiteral("short");
        s.candidate().option = 0;
        s.start();
        capacitiveSweeps(
            s, &StabComponents::CngC, &StabComponents::RngC, &StabComponents::CfbC, 1.5, 18, 2.0, 10);
        s.set(&StabComponents::CfbC, 0);
        s.set(&StabComponents::CngC, 0);
        s.set(&StabComponents::RngC, 0);
        const double zout = s.candidate().amplifier.Zout;
        for (double riso = zout / 100; riso < zout; riso *= 1.1) {
            s.set(&StabComponents::RisoC, riso);
            s.tryNow();
        }
    });
}

StabSearchResult autoL(const LoopInput &in, int slider)
{
    return runWithRelaxation(in, &plotLBodeData, true, slider, [](Search &s) {
        StabComponents &p = s.candidate().parts;
        p.RdL = QStringLiteral("short");
        p.CfbL = QStringLiteral("open");
        s.candidate().option = 0;
        s.start();
        s.tryNow();
        for (int a = 0; a <= 26; ++a) {
            s.set(&StabComponents::RdL, 100 * std::pow(1.3, a));
            for (int b = 0; b <= 26; ++b) {
                s.set(&StabComponents::CfbL, 1e-9 * std::pow(1.3, b));
                s.tryNow();
            }
        }
    });
}

StabSearchResult autoCcomposite(const LoopInput &in, int slider)
{
    return runWithRelaxation(in, &plotCBodeDataComposite, false, slider, [](Search &s) {
        StabComponents &p = s.candidate().parts;
        p.hostCng = QStringLiteral("open");
        p.hostRng = QStringLiteral("short");
        p.compCfb = QStringLiteral("open");
        s.start();
        capacitiveSweeps(s, &StabComponents::hostCng, &StabComponents::hostRng, &StabComponents::compCfb, 1.5,
            18, 1.5, 18);
    });
}

StabSearchResult autoLcomposite(const LoopInput &in, int slider)
{
    return runWithRelaxation(in, &plotLBodeDataComposite, false, slider, [](Search &s) {
        StabComponents &p = s.candidate().parts;
        p.hostCng = QStringLiteral("open");
        p.hostRng = QStringLiteral("short");
        p.compCfb = QStringLiteral("open");
        s.start();
        s.tryNow();
        for (int j = 0; j <= 85; ++j) {
            s.set(&StabComponents::compCfb, 3e-12 * std::pow(1.1, j));
            s.tryNow();
        }
    });
}

StabSearchResult autoStabilize(const LoopInput &in, StabLoad load, bool composite, int slider)
{
    if (!composite)
        return load == StabLoad::Capacitive ? autoC(in, slider) : autoL(in, slider);

    // The power stage is tuned first; a capacitive one always as a
    // non-inverting stage, since the host drives its non-inverting input.
    LoopInput power = in;
    if (load == StabLoad::Capacitive)
        power.inverting = false;
    const StabSearchResult first = load == StabLoad::Capacitive ? autoC(power, slider) : autoL(power, slider);
    LoopInput outer = in;
    outer.parts = first.parts;
    outer.option = first.option;
    StabSearchResult second = load == StabLoad::Capacitive ? autoCcomposite(outer, first.slider)
                                                           : autoLcomposite(outer, first.slider);
    second.modelRuns += first.modelRuns;
    return second;
}
