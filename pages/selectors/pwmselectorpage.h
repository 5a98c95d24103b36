#pragma once

#include "pages/toolpage.h"

namespace Ui {
class PwmSelectorPage;
}

// The PWM amplifier selector.
class PwmSelectorPage : public ToolPage {
    Q_OBJECT
public:
    explicit PwmSelectorPage(QWidget *parent = nullptr);
    ~PwmSelectorPage() override;

private:
    Ui::PwmSelectorPage *ui;
};
