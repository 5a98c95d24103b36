#include "pages/hidden/demobode.h"

#include <cmath>

namespace {

// A plain number in dB, no SI suffixes; an empty field is 0 dB and fine.
double gain(const QString &text, bool *bad)
{
    const QString t = text.trimmed();
    bool ok = false;
    const double v = t.toDouble(&ok);
    *bad = !t.isEmpty() && (!ok || !std::isfinite(v));
    return ok && std::isfinite(v) ? v : 0.0;
}

} // namespace

DemoBodeResult demoBodePoints(const DemoBodeInput &input)
{
    DemoBodeResult r;
    double f = 1;
    for (int i = 0; i < kDemoDecades; ++i, f *= 10) {
        bool openBad = false, closedBad = false;
        r.frequency << f;
        r.openLoop << gain(input.openLoop.value(i), &openBad);
        r.closedLoop << gain(input.closedLoop.value(i), &closedBad);
        r.openLoopBad << openBad;
        r.closedLoopBad << closedBad;
    }
    return r;
}
