#pragma once

#include "pages/toolpage.h"

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
    // "QX370" in the amplifier selector.
    void initialise() override;

signals:
    // The SOA exchange copies fields of both pages, so the window carries it out.
    void importFromSoaRequested();
    void exportToSoaRequested();

private slots:
    void on_IHCPsweepButton_clicked();
    void on_IHCPimportSOA_clicked();
    void on_IHCPexportSOA_clicked();

private:
    void bindEntries();
    void showSweepState();

    Ui::CurrentPumpPage *ui;

    QString m_rin = QStringLiteral("10k");
    QString m_rinTol = QStringLiteral("0.1");
    QString m_rfn = QStringLiteral("10k");
    QString m_rfnTol = QStringLiteral("0.1");
    QString m_rfp = QStringLiteral("10k");
    QString m_rfpTol = QStringLiteral("0.1");
    QString m_rs = QStringLiteral("1");
    QString m_rsTol = QStringLiteral("1");
    QString m_rd = QStringLiteral("open");
    QString m_cd = QStringLiteral("open");
    QString m_rload = QStringLiteral("10");
    QString m_cload = QStringLiteral("short");
    QString m_lload = QStringLiteral("short");
    QString m_freq = QStringLiteral("1k");
    int m_compOption = 0;
    bool m_sweep = false;
};
