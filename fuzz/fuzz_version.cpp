// The update check's comparison of the published version with ours: any reply
// text is compared without fault, and never both ways newer.
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "app/versioncheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const QString ours = QStringLiteral("9.0.2");
    // Only the published text is trimmed, so the reverse question trims it too.
    if (isNewerVersion(text, ours) && isNewerVersion(ours, text.trimmed()))
        std::abort();
    return 0;
}
