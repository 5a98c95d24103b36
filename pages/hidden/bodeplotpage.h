#pragma once

#include "pages/toolpage.h"

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

private:
    Ui::BodePlotPage *ui;
};
