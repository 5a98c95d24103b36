// Engineering values as a user types them: every parse gives a finite number,
// and no formatter shows "inf" or "nan" whatever number it is given.
#include <QRegularExpression>
#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "values/sivalues.h"

namespace {

void checkText(const QString &text)
{
    static const QRegularExpression word(
        QStringLiteral("\\b(inf|nan)\\b"), QRegularExpression::CaseInsensitiveOption);
    if (word.match(text).hasMatch())
        std::abort();
}

void checkFormatters(double v)
{
    checkText(number2String(v));
    checkText(formatSI(v, QStringLiteral("V")));
    checkText(labelSIText(v, QStringLiteral("V")));
    checkText(fieldSIText(v, QStringLiteral("V")));
    checkText(itemSIText(v, QStringLiteral("V")));
    checkText(general3(v));
    (void)truncate3(v);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 4096)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    for (ParseRules rules : { ParseRules::String, ParseRules::Field, ParseRules::Label }) {
        for (const char *kind : { "R", "C" }) {
            const ParsedValue p = parseEngineering(text, rules, QLatin1String(kind));
            if (!std::isfinite(p.value) || (!p.valid && p.value != 0))
                std::abort();
            checkFormatters(p.value);
        }
    }
    // Raw doubles too, for the values a computation rather than a parse gives.
    if (size >= sizeof(double)) {
        double v;
        std::memcpy(&v, data, sizeof v);
        checkFormatters(v);
    }
    return 0;
}
