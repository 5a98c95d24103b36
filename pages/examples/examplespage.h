#pragma once

#include "pages/toolpage.h"

namespace Ui {
class ExamplesPage;
}

// The examples and tutorials page.
class ExamplesPage : public ToolPage {
    Q_OBJECT
public:
    explicit ExamplesPage(QWidget *parent = nullptr);
    ~ExamplesPage() override;

private:
    Ui::ExamplesPage *ui;
};
