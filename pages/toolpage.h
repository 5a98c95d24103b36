#pragma once

#include <QStringList>
#include <QWidget>

#include "catalog/catalogs.h"

// What every stacked tool page shares: the catalogs the window owns, the
// start-up step that brings the page to its first computed state, the
// design-file entries that live in the page rather than in a widget, and the
// signal that marks the design changed.
class ToolPage : public QWidget {
    Q_OBJECT
public:
    explicit ToolPage(QWidget *parent = nullptr) : QWidget(parent) {}

    void setCatalogs(const Catalogs *catalogs) { m_catalogs = catalogs; }

    // Called once, in the window's fixed start-up order, after the catalogs
    // are loaded and the selectors filled.
    virtual void initialise() {}

    // Stored entries, as the design file writes them.
    virtual QStringList entryKeys() const { return {}; }
    virtual QString entry(const QString &key) const
    {
        Q_UNUSED(key);
        return {};
    }
    virtual bool setEntry(const QString &key, const QString &value)
    {
        Q_UNUSED(key);
        Q_UNUSED(value);
        return false;
    }

    // Removes the blanks from the stored entries that a design file writes
    // as triples and quadruples ("4.7 u" is saved as "4.7u").
    virtual void removeSpaces() {}

signals:
    void designChanged();

protected:
    const Catalogs &catalogs() const
    {
        static const Catalogs none;
        return m_catalogs ? *m_catalogs : none;
    }
    void markChanged() { emit designChanged(); }

private:
    const Catalogs *m_catalogs = nullptr;
};
