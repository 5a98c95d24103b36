#pragma once

#include <QWidget>

namespace Ui {
class ControlStep2Page;
}

// Step 2 of the PWM control design.
class ControlStep2Page : public QWidget {
    Q_OBJECT
public:
    explicit ControlStep2Page(QWidget *parent = nullptr);
    ~ControlStep2Page() override;

private:
    Ui::ControlStep2Page *ui;
};
