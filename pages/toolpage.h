#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

#include "catalog/catalogs.h"
#include "catalog/selectorlists.h"
#include "pages/spice/spicenetlist.h"
#include "pages/storedentries.h"

class QComboBox;
class QCustomPlot;

// What every stacked tool page shares: the catalogs the window owns, the
// start-up step that brings the page to its first computed state, the
// recompute after a design opens, the design-file entries the page binds,
// and the signal that marks the design changed.
class ToolPage : public QWidget {
    Q_OBJECT
public:
    explicit ToolPage(QWidget *parent = nullptr)
        : QWidget(parent)
    {
    }

    void setCatalogs(const Catalogs *catalogs) { m_catalogs = catalogs; }

    // Fills the page's part selectors from the catalogs, keeping their signals
    // quiet. Called before initialise and again when the catalogs are reloaded.
    virtual void fillSelectors() { }
    // Called once, in the window's page order, after the catalogs are loaded
    // and the selectors filled.
    virtual void initialise() { }
    // Recomputes the page from its entries after a design was opened; called
    // in the window's page order.
    virtual void refresh() { }
    // A page that draws when it is shown is shown again after a design opens,
    // when it is the page on screen.
    virtual bool redrawsWhenShown() const { return false; }

    // The design-file keys this page binds, with their values as a save
    // writes them.
    const StoredEntries &storedEntries() const { return m_entries; }
    QStringList entryKeys() const { return m_entries.keys(); }
    QString entry(const QString &key) const
    {
        const EntryBinding *binding = m_entries.find(key);
        return binding ? binding->get() : QString();
    }
    // Reads `value` into the entry as a current design file would; false for
    // a key the page does not bind.
    bool setEntry(const QString &key, const QString &value)
    {
        const EntryBinding *binding = m_entries.find(key);
        if (binding)
            binding->set(value, true);
        return binding != nullptr;
    }

    // The page's circuit as a SPICE netlist with `design` (a file name) in
    // its title line; a page without a circuit to write, or in a state that
    // has none, returns an empty netlist that says why. A page exports its
    // circuit by overriding this; the File menu and the command line ask
    // the page on screen.
    virtual SpiceNetlist spiceNetlist(const QString &design) const
    {
        Q_UNUSED(design);
        SpiceNetlist none;
        none.unavailable = tr("This page has no circuit to export as a SPICE netlist.");
        return none;
    }

    // Removes the blanks from the stored entries that a design file writes
    // as triples and quadruples ("4.7 u" is saved as "4.7u").
    virtual void removeSpaces() { }

signals:
    void designChanged();

protected:
    const Catalogs &catalogs() const
    {
        static const Catalogs none;
        return m_catalogs ? *m_catalogs : none;
    }
    void markChanged() { emit designChanged(); }

    // Binding happens once, in the page's constructor.
    StoredEntries &entries() { return m_entries; }
    // An amplifier selector: saved as the part's name; a file older than
    // version 7 gives a position in `catalog`.
    void bindSelector(const QString &key, QComboBox *box, SelectorLists::Catalog catalog);
    // Replaces a selector's items without raising its signals.
    static void fillSelector(QComboBox *box, const QStringList &items);
    // Selects the item of that text, if there is one.
    static void selectText(QComboBox *box, const QString &text);

    // Charts redrawn by a refresh are replotted now if they are in view, else
    // when their tab or the page comes into view.
    void replotWhenVisible(const QList<QCustomPlot *> &plots);
    // One more chart to replot, keeping those still waiting.
    void replotWhenVisible(QCustomPlot *plot);
    void replotVisible();
    void showEvent(QShowEvent *event) override;

private:
    const Catalogs *m_catalogs = nullptr;
    StoredEntries m_entries;
    QList<QCustomPlot *> m_stalePlots;
};
