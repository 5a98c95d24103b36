#pragma once

#include "pages/toolpage.h"

namespace Ui {
class BodePlotPage;
}

// The demonstration Bode plot generator.
class BodePlotPage : public ToolPage {
    Q_OBJECT
public:
    explicit BodePlotPage(QWidget *parent = nullptr);
    ~BodePlotPage() override;

private:
    Ui::BodePlotPage *ui;
};
