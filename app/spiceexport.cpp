#include "app/spiceexport.h"

#include <QSaveFile>

bool writeSpiceNetlist(const QString &path, const QString &text, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *error = file.errorString();
        return false;
    }
    const QByteArray bytes = text.toUtf8();
    // A short write only shows at the flush; committing then would swap in a
    // truncated file.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        *error = file.errorString();
        file.cancelWriting();
        file.commit();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
