#pragma once

#include <QStringList>

#include "pages/threephase/threephasemodel.h"
#include "pages/toolpage.h"

class QCPAbstractItem;
class QCPAbstractPlottable;
class QMouseEvent;

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
    // "TZ662" in the amplifier selector, then the first computed state.
    void initialise() override;
    void refresh() override;

    const ThreePhaseMotor &motor() const { return m_motor; }
    void setMotor(const ThreePhaseMotor &motor) { m_motor = motor; }
    // The signal shown by each plot, "null" for an empty one.
    const QStringList &graphables() const { return m_graphables; }
    const ThreePhase::Result &result() const { return m_result; }

    // The thermal loop around the simulation, then results, warnings and plots.
    void refreshP3();
    // A second click on a plotted signal removes it; a seventh is ignored.
    void addToP3graphables(const QString &name);
    // Writes the plotted signals as a comma-separated table; false (and a
    // status message) when the file cannot be written.
    bool writePWL(const QString &path);
    // Stores a motor description from the dialog and recomputes.
    void saveMotorValues(const ThreePhaseMotor &motor);

private slots:
    void on_P3ampSelector_currentIndexChanged(int);
    void on_P3Vs_editingFinished();
    void on_P3Vcc_editingFinished();
    void on_P3Fsw_editingFinished();
    void on_P3commType_currentIndexChanged(int);
    void on_P3useMaxVs_clicked();
    void on_P3useTypVcc_clicked();
    void on_P3useMaxFsw_clicked();
    void on_P3Tambient_editingFinished();
    void on_P3heatsink_editingFinished();
    void on_P3TIM_editingFinished();
    void on_P3startTime_editingFinished();
    void on_P3endTime_editingFinished();
    void on_P3removeDiode_toggled(bool);
    void on_P3removeSwitching_toggled(bool);
    void on_P3dispDC_toggled(bool);
    void on_P3editMotor_clicked();
    void on_P3editWaveform_clicked();
    void on_P3downloadPWL_clicked();

private:
    void bindEntries();
    ThreePhase::Input gatherInput();
    void showResults();
    void P3warnings();
    void P3refreshGraphs();
    void redrawSchematic();
    void openP3MotorDialog(int mode);
    void onP3schematicClicked(QObject *element);
    ThreePhase::SignalView signalView() const;
    const pwm &part() const;

    Ui::ThreePhasePage *ui;
    ThreePhaseMotor m_motor;
    QStringList m_graphables;
    ThreePhase::Result m_result;
    bool m_ready = false;
};
