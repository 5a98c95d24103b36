#pragma once

#include "pages/toolpage.h"

namespace Ui {
class SoaPage;
}

// The safe-operating-area, power and thermal page of a linear amplifier.
class SoaPage : public ToolPage {
    Q_OBJECT
public:
    explicit SoaPage(QWidget *parent = nullptr);
    ~SoaPage() override;

private:
    Ui::SoaPage *ui;
};
