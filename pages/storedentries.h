#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <climits>
#include <functional>

#include "pages/pwm/networkelement.h"

// How one design-file key is read from and written into its page. `set` is
// told whether the file is of version 7 or later: older files wrote some
// selectors as catalog positions and other part lists.
struct EntryBinding {
    std::function<QString()> get;
    std::function<void(const QString &value, bool version7)> set;
};

// The design-file keys a page binds to its own members or controls, each
// bound once. Save, Open and the report all go through these bindings.
class StoredEntries {
public:
    // Text kept as typed.
    void bind(const QString &key, QString *text);
    // 1 or 0; `changed` runs after a value is read in.
    void bind(const QString &key, bool *flag, std::function<void()> changed = {});
    // A whole number; malformed text reads as 0, and a number outside
    // [min, max] reads as min.
    void bind(const QString &key, int *number, int min = INT_MIN, int max = INT_MAX);
    // Three entries "L R C", written without their blanks; a short line fills
    // the parts it has and leaves the others as they were.
    void bind(const QString &key, networkElement *element);
    // Anything else: the page says how.
    void bind(const QString &key, EntryBinding binding);

    const EntryBinding *find(const QString &key) const;
    // In the order they were bound.
    QStringList keys() const { return m_keys; }

private:
    QStringList m_keys;
    QVector<EntryBinding> m_bindings;
    QHash<QString, int> m_index;
};

// Stored strings are written without blanks, because the file separates
// the parts of a line by blanks.
QString withoutBlanks(QString text);
