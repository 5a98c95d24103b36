#pragma once

#include "pages/toolpage.h"

namespace Ui {
class ControlStep1Page;
}

// Step 1 of the PWM control design.
class ControlStep1Page : public ToolPage {
    Q_OBJECT
public:
    explicit ControlStep1Page(QWidget *parent = nullptr);
    ~ControlStep1Page() override;

private:
    Ui::ControlStep1Page *ui;
};
