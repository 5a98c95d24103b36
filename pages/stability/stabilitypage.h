#pragma once

#include "pages/toolpage.h"

namespace Ui {
class StabilityPage;
}

// The loop-stability page of a linear amplifier.
class StabilityPage : public ToolPage {
    Q_OBJECT
public:
    explicit StabilityPage(QWidget *parent = nullptr);
    ~StabilityPage() override;

private:
    Ui::StabilityPage *ui;
};
