#include "pages/storedentries.h"

QString withoutBlanks(QString text)
{
    text.remove(QLatin1Char(' '));
    return text;
}

void StoredEntries::bind(const QString &key, QString *text)
{
    bind(key,
        EntryBinding { [text] { return *text; }, [text](const QString &value, bool) { *text = value; } });
}

void StoredEntries::bind(const QString &key, bool *flag, std::function<void()> changed)
{
    bind(key,
        EntryBinding { [flag] { return QString::number(*flag ? 1 : 0); },
            [flag, changed](const QString &value, bool) {
                *flag = value.trimmed().toInt() != 0;
                if (changed)
                    changed();
            } });
}

void StoredEntries::bind(const QString &key, int *number, int min, int max)
{
    bind(key,
        EntryBinding { [number] { return QString::number(*number); },
            [number, min, max](const QString &value, bool) {
                const int read = value.trimmed().toInt();
                *number = read >= min && read <= max ? read : min;
            } });
}

void StoredEntries::bind(const QString &key, networkElement *element)
{
    bind(key,
        EntryBinding { [element] {
                          return withoutBlanks(element->L) + QLatin1Char(' ') + withoutBlanks(element->R)
                              + QLatin1Char(' ') + withoutBlanks(element->C);
                      },
            [element](const QString &value, bool) {
                const QStringList parts = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
                QString *strings[] = { &element->L, &element->R, &element->C };
                for (int i = 0; i < 3 && i < parts.size(); ++i)
                    *strings[i] = parts[i];
            } });
}

void StoredEntries::bind(const QString &key, EntryBinding binding)
{
    // Each key is bound once.
    Q_ASSERT(!m_index.contains(key));
    if (m_index.contains(key))
        return;
    m_index.insert(key, m_bindings.size());
    m_keys << key;
    m_bindings << std::move(binding);
}

const EntryBinding *StoredEntries::find(const QString &key) const
{
    const auto found = m_index.constFind(key);
    return found == m_index.constEnd() ? nullptr : &m_bindings.at(found.value());
}
