#pragma once

#include <QModelIndex>
#include <QVector>

#include "pages/selectors/selectormodel.h"
#include "pages/selectors/selectortable.h"
#include "pages/toolpage.h"

class QStandardItemModel;

namespace Ui {
class LinearSelectorPage;
}

// The linear amplifier selector: every catalog part that meets the output
// requirements, alone, bridged or in parallel, cheapest first.
class LinearSelectorPage : public ToolPage {
    Q_OBJECT
public:
    explicit LinearSelectorPage(QWidget *parent = nullptr);
    ~LinearSelectorPage() override;

    void initialise() override;
    void refresh() override { refreshLPS(); }

    // The part last chosen in the table (kept when nothing qualifies).
    const amp &selectedAmplifier() const { return m_selected; }

    void FillInTable();
    void Eliminate();
    void LPSselectionChange(const QModelIndex &index);

public slots:
    void refreshLPS();

signals:
    // The hidden-page phrase was typed into the current field.
    void hiddenPageRequested();

private slots:
    void on_LPScurrent_editingFinished();
    void on_LPSVpp_editingFinished();
    void on_LPSFreq_editingFinished();
    void on_LPSSR_editingFinished();
    void on_LPSFreqButton_toggled(bool checked);
    void on_LPSSRButton_toggled(bool checked);
    void on_LPSBridgeCheckBox_clicked();
    void on_LPSParallelCheckBox_clicked();
    void on_LPSNumAmps_valueChanged(int value);
    void on_LPSRelax_valueChanged(int value);
    void on_sortPrice_clicked();
    void on_LPSresetButton_clicked();

private:
    void writeTable(const QVector<SelectorModel::LinearRow> &rows);

    Ui::LinearSelectorPage *ui;
    SelectorTable::Table m_table;
    amp m_selected;
};
