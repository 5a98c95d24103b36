#pragma once

#include "pages/toolpage.h"

namespace Ui {
class ControlStep2Page;
}

// Step 2 of the PWM control design: amplifier, supplies, signal and output range.
class ControlStep2Page : public ToolPage {
    Q_OBJECT
public:
    explicit ControlStep2Page(QWidget *parent = nullptr);
    ~ControlStep2Page() override;

    void fillSelectors() override;
    void initialise() override;

private:
    Ui::ControlStep2Page *ui;
};
