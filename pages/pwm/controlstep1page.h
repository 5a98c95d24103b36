#pragma once

#include <QWidget>

namespace Ui {
class ControlStep1Page;
}

// Step 1 of the PWM control design.
class ControlStep1Page : public QWidget {
    Q_OBJECT
public:
    explicit ControlStep1Page(QWidget *parent = nullptr);
    ~ControlStep1Page() override;

private:
    Ui::ControlStep1Page *ui;
};
