#pragma once

#include <QModelIndex>
#include <QVector>

#include "pages/selectors/selectormodel.h"
#include "pages/toolpage.h"

class QStandardItemModel;

namespace Ui {
class PwmSelectorPage;
}

// The PWM amplifier selector: every catalog part that meets the current,
// voltage and frequency requirements, alone or in parallel, cheapest first.
class PwmSelectorPage : public ToolPage {
    Q_OBJECT
public:
    explicit PwmSelectorPage(QWidget *parent = nullptr);
    ~PwmSelectorPage() override;

    void initialise() override;
    void refresh() override { refreshSPS(); }

    // The part last chosen in the table (kept when nothing qualifies).
    const pwm &selectedAmplifier() const { return m_selected; }

    void FillInPwmTable();
    void EliminatePWM();
    void SPSselectionChange(const QModelIndex &index);

public slots:
    void refreshSPS();

private slots:
    void on_SPScurrent_editingFinished();
    void on_SPSvoltage_editingFinished();
    void on_SPSfrequency_editingFinished();
    void on_SPSparallelCheckBox_clicked();
    void on_SPSnumAmps_valueChanged(int value);
    void on_SPSrelax_valueChanged(int value);
    void on_SPSsortPrice_clicked();
    void on_SPSresetButton_clicked();
    void pwmTableRowChange(const QModelIndex &current, const QModelIndex &previous);

private:
    void attachModel();
    void writeTable(const QVector<SelectorModel::PwmRow> &rows);

    Ui::PwmSelectorPage *ui;
    QStandardItemModel *m_model = nullptr;
    QVector<bool> m_shown;  // by catalog position
    pwm m_selected;
    bool m_quiet = false;  // the table is being rebuilt or the current row set by the page
};
