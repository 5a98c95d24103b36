#pragma once

#include <QDialog>
#include <QStringList>

#include "pages/soa/loadcalcmodel.h"

class QLineEdit;

namespace Ui {
class LoadCalc;
}

// The load calculator: series and parallel R-L-C at a frequency as magnitude
// and angle, and the combination of two impedances.
class LoadCalc : public QDialog {
    Q_OBJECT
public:
    explicit LoadCalc(QWidget *parent = nullptr);
    ~LoadCalc() override;

    // The twelve entry texts in the order sendRLCValues sends them.
    void setValues(const QStringList &values);
    QStringList values() const;

signals:
    void sendLoadCalc(const QString &z, const QString &angle, const QString &freq);
    void sendRLCValues(const QString &resS, const QString &capS, const QString &indS, const QString &resP,
        const QString &capP, const QString &indP, const QString &z1, const QString &z2, const QString &a1,
        const QString &a2, const QString &freqS, const QString &freqP);

private slots:
    void on_Rseries_editingFinished();
    void on_Lseries_editingFinished();
    void on_Cseries_editingFinished();
    void on_Fseries_editingFinished();
    void on_Rparallel_editingFinished();
    void on_Lparallel_editingFinished();
    void on_Cparallel_editingFinished();
    void on_Fparallel_editingFinished();
    void on_Z1_editingFinished();
    void on_Angle1_editingFinished();
    void on_Z2_editingFinished();
    void on_Angle2_editingFinished();
    void on_SeriesButton_toggled(bool checked);
    void on_useSeries_clicked();
    void on_useParallel_clicked();
    void on_useValuesButton_clicked();
    void on_cancelButton_clicked();

private:
    static LoadCalcEntry read(QLineEdit *field, const char *kind);
    void computeSeries();
    void computeParallel();
    void computeCombination();

    Ui::LoadCalc *ui;
};
