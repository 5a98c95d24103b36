#pragma once

#include <QString>

// One component of the filter and load network: three engineering values as
// typed ("open" and "short" included), so they survive editing and saving.
struct networkElement {
    QString L;
    QString R;
    QString C;
};

inline bool operator==(const networkElement &a, const networkElement &b)
{
    return a.L == b.L && a.R == b.R && a.C == b.C;
}
