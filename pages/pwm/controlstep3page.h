#pragma once

#include "pages/toolpage.h"

namespace Ui {
class ControlStep3Page;
}

// Step 3 of the PWM control design.
class ControlStep3Page : public ToolPage {
    Q_OBJECT
public:
    explicit ControlStep3Page(QWidget *parent = nullptr);
    ~ControlStep3Page() override;

private:
    Ui::ControlStep3Page *ui;
};
