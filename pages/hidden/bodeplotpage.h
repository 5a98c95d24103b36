#pragma once

#include "pages/toolpage.h"

class QLineEdit;

namespace Ui {
class BodePlotPage;
}

// The demonstration Bode plot generator: open- and closed-loop gain typed
// at each decade from 1 Hz to 100 MHz.
class BodePlotPage : public ToolPage {
    Q_OBJECT
public:
    explicit BodePlotPage(QWidget *parent = nullptr);
    ~BodePlotPage() override;

    void initialise() override;
    void refreshDemoPlot();

private slots:
    void on_refreshDemoButton_clicked();
    void on_demoSaveButton_clicked();

private:
    QVector<QLineEdit *> openLoopFields() const;
    QVector<QLineEdit *> closedLoopFields() const;

    Ui::BodePlotPage *ui;
};
