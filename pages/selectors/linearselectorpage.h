#pragma once

#include "pages/toolpage.h"

namespace Ui {
class LinearSelectorPage;
}

// The linear amplifier selector.
class LinearSelectorPage : public ToolPage {
    Q_OBJECT
public:
    explicit LinearSelectorPage(QWidget *parent = nullptr);
    ~LinearSelectorPage() override;

private:
    Ui::LinearSelectorPage *ui;
};
