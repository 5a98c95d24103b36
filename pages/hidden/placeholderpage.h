#pragma once

#include "pages/toolpage.h"

namespace Ui {
class PlaceholderPage;
}

// A page of unconnected controls that only a design file shows.
class PlaceholderPage : public ToolPage {
    Q_OBJECT
public:
    explicit PlaceholderPage(QWidget *parent = nullptr);
    ~PlaceholderPage() override;

private:
    Ui::PlaceholderPage *ui;
};
