#pragma once

#include <QDialog>

#include "pages/threephase/threephasepage.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTableWidget;
class QToolButton;

// The motor and its control profile: a waveform page (mode 0) and a motor
// page (mode 1). OK keeps the values, Cancel drops them.
class P3motor : public QDialog {
    Q_OBJECT
public:
    P3motor(const ThreePhaseMotor &motor, int mode, QWidget *parent = nullptr);

    ThreePhaseMotor motor() const;
    // Reads "time, value" lines into the profile table; on a bad line the
    // table is left as it was and the returned text names the line.
    QString uploadProfile(const QString &path);

private:
    QWidget *buildWaveformPage();
    QWidget *buildMotorPage();
    void applyControlRules();
    void applyLinearRules();
    void setPointCount(int count);
    void onUploadClicked();

    ThreePhaseMotor m_start;
    QStackedWidget *m_stack = nullptr;
    QRadioButton *m_control[3] {}, *m_constant[3] {};
    QLineEdit *m_constantAmplitude = nullptr, *m_controlAmplitude = nullptr;
    QLabel *m_constantUnit = nullptr, *m_controlUnit = nullptr;
    QComboBox *m_controlType = nullptr;
    QTableWidget *m_table = nullptr;
    QSpinBox *m_pointCount = nullptr;
    QLineEdit *m_R = nullptr, *m_L = nullptr, *m_Vemf = nullptr, *m_cycleLength = nullptr;
    QLabel *m_VemfLabel = nullptr, *m_VemfUnit = nullptr;
    QWidget *m_polesRow = nullptr, *m_cycleRow = nullptr;
    QSpinBox *m_poles = nullptr;
    QToolButton *m_delta = nullptr, *m_wye = nullptr;
    QCheckBox *m_linear = nullptr;
};
