#pragma once

#include <QWidget>

namespace Ui {
class PwmPowerPage;
}

// The PWM power, losses and network page.
class PwmPowerPage : public QWidget {
    Q_OBJECT
public:
    explicit PwmPowerPage(QWidget *parent = nullptr);
    ~PwmPowerPage() override;

private:
    Ui::PwmPowerPage *ui;
};
