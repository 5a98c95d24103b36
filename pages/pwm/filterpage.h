#pragma once

#include "pages/toolpage.h"

namespace Ui {
class FilterPage;
}

// The PWM output filter design page.
class FilterPage : public ToolPage {
    Q_OBJECT
public:
    explicit FilterPage(QWidget *parent = nullptr);
    ~FilterPage() override;

private:
    Ui::FilterPage *ui;
};
