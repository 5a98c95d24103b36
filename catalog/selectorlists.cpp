#include "catalog/selectorlists.h"

namespace SelectorLists {

namespace {

template <typename Keep> QStringList pwmNames(const Catalogs &c, Keep keep)
{
    QStringList names;
    for (const pwm &p : c.pwms)
        if (keep(p))
            names << p.ampName;
    return names;
}

} // namespace

QStringList linear(const Catalogs &c)
{
    QStringList names;
    for (const amp &a : c.linear)
        names << a.ampName;
    return names;
}

QStringList allPwm(const Catalogs &c)
{
    return pwmNames(c, [](const pwm &) { return true; });
}

QStringList pwmPower(const Catalogs &c)
{
    return pwmNames(c, [](const pwm &p) { return p.outputs == 1 || p.outputs == 2; });
}

QStringList pwmControl(const Catalogs &c)
{
    return pwmNames(c, [](const pwm &p) { return p.outputs == 2 && p.Ramp != QLatin1String("Digital"); });
}

QStringList threePhase(const Catalogs &c)
{
    return pwmNames(c, [](const pwm &p) { return p.outputs == 1 || p.outputs == 3; });
}

QStringList heatsinkParts(const Catalogs &c)
{
    return QStringList { QStringLiteral("All Parts") } + linear(c) + allPwm(c);
}

QString beforeV7Name(const Catalogs &c, Catalog catalog, int position)
{
    switch (catalog) {
    case Catalog::Linear:
        return beforeV7IndextoAmpName(c.linear, position);
    case Catalog::Host:
        return beforeV7IndextoHostName(c.host, position);
    case Catalog::Pwm:
        break;
    }
    return beforeV7IndextoPwmName(c.pwms, position);
}

} // namespace SelectorLists
