#pragma once

#include "pages/toolpage.h"

namespace Ui {
class FilterPage;
}

// The PWM output filter design page: sheet 0 of filterStack designs the
// Butterworth ladder, sheet 1 the matching network of a reactive load.
class FilterPage : public ToolPage {
    Q_OBJECT
public:
    explicit FilterPage(QWidget *parent = nullptr);
    ~FilterPage() override;

    void fillSelectors() override;
    void initialise() override;

private slots:
    void on_MNbutton_clicked();
    void on_orderButton_clicked();
    void on_useMNvalues_clicked();

private:
    Ui::FilterPage *ui;
};
