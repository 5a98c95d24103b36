#pragma once

#include <QWidget>

namespace Ui {
class ControlStep3Page;
}

// Step 3 of the PWM control design.
class ControlStep3Page : public QWidget {
    Q_OBJECT
public:
    explicit ControlStep3Page(QWidget *parent = nullptr);
    ~ControlStep3Page() override;

private:
    Ui::ControlStep3Page *ui;
};
