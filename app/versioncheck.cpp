#include "app/versioncheck.h"

#include <QStringList>

bool isNewerVersion(const QString &published, const QString &ours)
{
    const QStringList theirs = published.trimmed().split(QLatin1Char('.'));
    const QStringList mine = ours.split(QLatin1Char('.'));
    const int n = qMin(theirs.size(), mine.size());
    for (int i = 0; i < n; ++i) {
        const int a = mine.at(i).toInt();
        const int b = theirs.at(i).toInt();
        if (a > b)
            return false;
        if (a < b)
            return true;
    }
    return false;
}
