#pragma once

#include <QString>
#include <functional>

#include "pages/pwm/controlmodel.h"
#include "pages/pwm/controlschematic.h"
#include "pages/toolpage.h"

class QCPAbstractItem;
class QMouseEvent;

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

    static constexpr int kComponentCount = kControlPartCount;

    void initialise() override;
    void refresh() override;

    // Where the inputs of steps 1 and 2 come from (read on every refresh).
    void setInputSource(std::function<ControlInput()> source);

    // What entering the step does: the schematic redrawn and the loop recomputed.
    void showStep();
    void refreshSCon();
    void drawSConSchematic();
    void suggestSCon();

    const ControlParts &components() const { return m_parts; }
    const ControlResult &result() const { return m_result; }

private slots:
    void on_SConAutoButton_clicked();
    void on_SConHideBlocks_clicked();
    void onSConItemClicked(QCPAbstractItem *item, QMouseEvent *event);

private:
    double shownPeakFrequency() const;

    Ui::ControlStep3Page *ui;
    std::function<ControlInput()> m_input;
    ControlInput m_lastInput;
    // The circuit components SConRint ... SConCv, as typed.
    ControlParts m_parts;
    ControlResult m_result;
    QVector<ControlLabel> m_labels;
};
