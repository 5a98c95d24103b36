#pragma once

#include "pages/toolpage.h"

namespace Ui {
class PwmPowerPage;
}

// The PWM power, losses and network page.
class PwmPowerPage : public ToolPage {
    Q_OBJECT
public:
    explicit PwmPowerPage(QWidget *parent = nullptr);
    ~PwmPowerPage() override;

private:
    Ui::PwmPowerPage *ui;
};
