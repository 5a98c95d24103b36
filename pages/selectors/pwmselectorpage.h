#pragma once

#include <QWidget>

namespace Ui {
class PwmSelectorPage;
}

// The PWM amplifier selector.
class PwmSelectorPage : public QWidget {
    Q_OBJECT
public:
    explicit PwmSelectorPage(QWidget *parent = nullptr);
    ~PwmSelectorPage() override;

private:
    Ui::PwmSelectorPage *ui;
};
