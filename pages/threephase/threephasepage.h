#pragma once

#include "pages/toolpage.h"

namespace Ui {
class ThreePhasePage;
}

// The three-phase motor drive page.
class ThreePhasePage : public ToolPage {
    Q_OBJECT
public:
    explicit ThreePhasePage(QWidget *parent = nullptr);
    ~ThreePhasePage() override;

private:
    Ui::ThreePhasePage *ui;
};
