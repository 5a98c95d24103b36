#pragma once

#include <QVector>

#include "pages/currentpump/pumpmodel.h"
#include "pages/toolpage.h"

class QCPAbstractItem;
class QCPItemText;
class QMouseEvent;

namespace Ui {
class CurrentPumpPage;
}

// The Improved Howland current pump page. The component values live in the
// page as typed (the schematic labels edit them), not in line edits.
class CurrentPumpPage : public ToolPage {
    Q_OBJECT
public:
    explicit CurrentPumpPage(QWidget *parent = nullptr);
    ~CurrentPumpPage() override;

    void fillSelectors() override;
    // The canvases, "QX370" in the amplifier selector, the first computation.
    void initialise() override;
    void refresh() override { refreshIHCP(); }

    // Recomputes the transconductances, the stability, the sweep when it is
    // shown, the notes, the chart and the schematic.
    void refreshIHCP();
    // Solves R_F and the loosest tolerances for the wanted transconductance;
    // the damping network is removed.
    void IHCPauto();
    void setupIHCP();
    void setupIHCPplots();

    // What the exchange with the SOA page reads and writes.
    const PumpEntries &pumpEntries() const { return m_e; }
    QString amplifierName() const;
    int amplifierIndex() const;
    QString maxIoutText() const;
    QString minIoutText() const;
    // Takes a design from the SOA page: the amplifier at that selector position,
    // the load texts, the frequency and the current range; then recomputes.
    void importDesign(int ampIndex, const QString &rload, const QString &cload, const QString &lload,
        const QString &freq, double iMax, double iMin);
    const PumpResult &result() const { return m_result; }
    // The pump around an ideal amplifier, with .op and .ac.
    SpiceNetlist spiceNetlist(const QString &design) const override;

signals:
    // The SOA exchange copies fields of both pages, so the window carries it out.
    void importFromSoaRequested();
    void exportToSoaRequested();

private slots:
    void on_IHCPtrans_editingFinished();
    void on_IHCPtol_editingFinished();
    void on_IHCPmaxIout_editingFinished();
    void on_IHCPminIout_editingFinished();
    void on_IHCPauto_clicked();
    void on_IHCPInvButton_toggled(bool checked);
    void on_IHCPampSelector_activated(int index);
    void on_IHCPsweepButton_clicked();
    void on_IHCPimportSOA_clicked();
    void on_IHCPexportSOA_clicked();
    void onIHCPItemClicked(QCPAbstractItem *item, QMouseEvent *event);

private:
    void bindEntries();
    void showSweepState();
    amp currentAmp() const;
    void drawIHCP();
    void editLabel(int slot);

    Ui::CurrentPumpPage *ui;
    PumpEntries m_e;
    int m_compOption = 0;
    bool m_sweep = false;
    bool m_ready = false; // the canvases are set up
    PumpResult m_result;
    QVector<QCPItemText *> m_labels;
};
