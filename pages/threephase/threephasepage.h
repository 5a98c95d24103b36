#pragma once

#include <QStringList>

#include "pages/toolpage.h"

namespace Ui {
class ThreePhasePage;
}

// The motor and its control profile as the motor dialog edits them; texts
// are engineering values as typed.
struct ThreePhaseMotor {
    QString R = QStringLiteral("10");
    QString L = QStringLiteral("33m");
    QString Vemf = QStringLiteral("5m");
    int nPoles = 4;
    bool isDelta = true;
    int controlVariable = 1; // 0 current, 1 RPM, 2 duty cycle
    int controlType = 0; // 0 constant amplitude, else the profile
    int constantVariable = 2; // 0 RPM, 1 V/RPM ratio, 2 duty cycle
    QString controlAmplitude = QStringLiteral("600");
    QString constantAmplitude = QStringLiteral("75");
    QStringList timeVector { QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
        QStringLiteral("3"), QStringLiteral("4") };
    QStringList AmplitudeVector { QStringLiteral("0"), QStringLiteral("600"), QStringLiteral("600"),
        QStringLiteral("0"), QStringLiteral("0") };
    bool isLinear = false;
    QString CycleLength = QStringLiteral("5m");
};

// The three-phase motor drive page.
class ThreePhasePage : public ToolPage {
    Q_OBJECT
public:
    static constexpr int kGraphSlots = 6;

    explicit ThreePhasePage(QWidget *parent = nullptr);
    ~ThreePhasePage() override;

    void fillSelectors() override;
    // "TZ662" in the amplifier selector.
    void initialise() override;

    const ThreePhaseMotor &motor() const { return m_motor; }
    void setMotor(const ThreePhaseMotor &motor) { m_motor = motor; }
    // The signal shown by each plot, "null" for an empty one.
    const QStringList &graphables() const { return m_graphables; }

private:
    void bindEntries();

    Ui::ThreePhasePage *ui;
    ThreePhaseMotor m_motor;
    QStringList m_graphables;
};
