#pragma once

#include <QModelIndex>
#include <QVector>

#include "pages/selectors/selectormodel.h"
#include "pages/selectors/selectortable.h"
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

private:
    void writeTable(const QVector<SelectorModel::PwmRow> &rows);

    Ui::PwmSelectorPage *ui;
    SelectorTable::Table m_table;
    pwm m_selected;
};
