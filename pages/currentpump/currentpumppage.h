#pragma once

#include "pages/toolpage.h"

namespace Ui {
class CurrentPumpPage;
}

// The Improved Howland current pump page.
class CurrentPumpPage : public ToolPage {
    Q_OBJECT
public:
    explicit CurrentPumpPage(QWidget *parent = nullptr);
    ~CurrentPumpPage() override;

private:
    Ui::CurrentPumpPage *ui;
};
