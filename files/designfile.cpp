#include "files/designfile.h"

#include <QFile>

namespace DesignFile {

HeaderCheck readHeader(const QString &path)
{
    if (path.isEmpty())
        return HeaderCheck::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return HeaderCheck::Unreadable;
    QByteArray first = file.readLine(4096);
    if (first.endsWith('\n'))
        first.chop(1);
    return first == kHeader ? HeaderCheck::Ok : HeaderCheck::WrongHeader;
}

}  // namespace DesignFile
