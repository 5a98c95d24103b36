#pragma once

#include "pages/toolpage.h"

namespace Ui {
class HeatsinkPage;
}

// The heatsink selector.
class HeatsinkPage : public ToolPage {
    Q_OBJECT
public:
    explicit HeatsinkPage(QWidget *parent = nullptr);
    ~HeatsinkPage() override;

private:
    Ui::HeatsinkPage *ui;
};
