#pragma once

#include <QWidget>

namespace Ui {
class CurrentPumpPage;
}

// The Improved Howland current pump page.
class CurrentPumpPage : public QWidget {
    Q_OBJECT
public:
    explicit CurrentPumpPage(QWidget *parent = nullptr);
    ~CurrentPumpPage() override;

private:
    Ui::CurrentPumpPage *ui;
};
