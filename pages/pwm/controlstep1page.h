#pragma once

#include "pages/pwm/controlmodel.h"
#include "pages/toolpage.h"

namespace Ui {
class ControlStep1Page;
}

// Step 1 of the PWM control design: the choice of circuit type.
class ControlStep1Page : public ToolPage {
    Q_OBJECT
public:
    explicit ControlStep1Page(QWidget *parent = nullptr);
    ~ControlStep1Page() override;

    // Pictures of the four circuits on their buttons; the window calls it
    // whenever it opens the page.
    void SConIcons();
    // Shows the description of the checked circuit type in SConDesc.
    void SConDescription();
    // The checked circuit button; Current 2 when none of the others is checked.
    ControlCircuit circuit() const;

    // Shown again after a design opens, when it is the page on screen.
    bool redrawsWhenShown() const override { return true; }

private slots:
    void on_V1button_clicked();
    void on_V2button_clicked();
    void on_I1button_clicked();
    void on_I2button_clicked();

private:
    Ui::ControlStep1Page *ui;
};
