#pragma once

#include "pages/toolpage.h"

namespace Ui {
class HiddenPage;
}

// The employees-only page: load calculator, product guide export, Bode plot
// generator and the pre-release switch. Its buttons are served by the window.
class HiddenPage : public ToolPage {
    Q_OBJECT
public:
    explicit HiddenPage(QWidget *parent = nullptr);
    ~HiddenPage() override;

private:
    Ui::HiddenPage *ui;
};
