// An uploaded SOA waveform: an accepted file gives finite points at
// increasing times; a refused one names its line.
#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "pages/soa/soasimulation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const SoaCsvResult r = readSoaCsv(QString::fromUtf8(reinterpret_cast<const char *>(data), int(size)));
    if (!r.accepted) {
        if (r.badLine < 1 || r.message.isEmpty())
            std::abort();
        return 0;
    }
    const SoaPeriod &p = r.period;
    if (p.time.size() != p.wave.size())
        std::abort();
    for (int i = 0; i < p.time.size(); ++i) {
        if (!std::isfinite(p.time.at(i)) || !std::isfinite(p.wave.at(i)))
            std::abort();
        if (i > 0 && !(p.time.at(i) > p.time.at(i - 1)))
            std::abort();
    }
    return 0;
}
