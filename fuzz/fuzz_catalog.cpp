// One catalog format per build (CATALOG_KIND_*): a damaged catalog never
// crashes the reader, and every record it keeps holds finite numbers, counts
// within 0 to 64 and no longer lists.
#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "catalog/catalogs.h"

namespace {

void finite(double v)
{
    if (!std::isfinite(v))
        std::abort();
}

void check(const amp &a)
{
    for (double v : { a.Vss_max, a.Vss_min, a.I_cont, a.I_pk, a.Iq_max, a.PBW, a.GBWP, a.Tj_max, a.Rtheta_DC,
             a.SB_slope, a.relative_price })
        finite(v);
    if (a.channels < 0 || a.channels > 64 || a.boostOptions < 0 || a.boostOptions > 64 || a.SROptions < 0
        || a.SROptions > 64)
        std::abort();
    // A header may name a count twice, so a list need not match the last count;
    // no list can outgrow the largest count, though.
    for (const QVector<double> *l : { &a.Ccomp, &a.Rcomp, &a.slewRate, &a.pole1, &a.pole2, &a.pole3 })
        if (l->size() > 64)
            std::abort();
    for (double v : a.Pd_max)
        finite(v);
    for (double v : a.VswingA)
        finite(v);
}

void check(const pwm &p)
{
    for (double v : { p.Vs_max, p.I_cont, p.Pd_max, p.Fsw_max, p.top_A, p.bot_C, p.relative_price })
        finite(v);
}

void check(const Heatsink &h)
{
    for (double v : { h.FreeAirTheta, h.A, h.B, h.C, h.relative_price })
        finite(v);
    if (h.numPackages < 0 || h.numPackages > 64 || h.packages.size() > 64)
        std::abort();
}

void check(const PackageStyle &)
{
}

template <typename R> void checkAll(const QVector<R> &records)
{
    for (const R &r : records)
        check(r);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The reader's log lines for skipped rows would drown the fuzzer's own.
    qputenv("QT_LOGGING_RULES", "*.debug=false;*.warning=false");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
#if defined(CATALOG_KIND_linear)
    checkAll(parseLinearCatalog(text, true));
    checkAll(parseLinearCatalog(text, false));
#elif defined(CATALOG_KIND_host)
    checkAll(parseHostCatalog(text));
#elif defined(CATALOG_KIND_pwm)
    checkAll(parsePwmCatalog(text, true));
#elif defined(CATALOG_KIND_packages)
    checkAll(parsePackageStyles(text));
#elif defined(CATALOG_KIND_heatsinks)
    checkAll(parseHeatsinks(text));
#endif
    return 0;
}
