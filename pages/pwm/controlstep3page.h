#pragma once

#include <QString>

#include "pages/toolpage.h"

namespace Ui {
class ControlStep3Page;
}

// Step 3 of the PWM control design: the circuit's component values, its
// clickable schematic and the closed-loop transfer function.
class ControlStep3Page : public ToolPage {
    Q_OBJECT
public:
    explicit ControlStep3Page(QWidget *parent = nullptr);
    ~ControlStep3Page() override;

    static constexpr int kComponentCount = 19;

private:
    Ui::ControlStep3Page *ui;
    // The circuit components SConRint ... SConCv, as typed.
    QString m_components[kComponentCount];
};
