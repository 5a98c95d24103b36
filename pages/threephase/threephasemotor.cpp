#include "pages/threephase/threephasemotor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextStream>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "values/sivalues.h"

namespace {

QWidget *row(QWidget *parent, const QList<QWidget *> &widgets)
{
    auto *w = new QWidget(parent);
    auto *layout = new QHBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *x : widgets)
        layout->addWidget(x);
    layout->addStretch();
    return w;
}

QLineEdit *field(const QString &name, const QString &text, QWidget *parent)
{
    auto *f = new QLineEdit(text, parent);
    f->setObjectName(name);
    f->setMaximumWidth(100);
    return f;
}

} // namespace

P3motor::P3motor(const ThreePhaseMotor &motor, int mode, QWidget *parent)
    : QDialog(parent)
    , m_start(motor)
{
    setObjectName(QStringLiteral("P3motor"));
    setWindowTitle(QStringLiteral("Three Phase Properties"));
    auto *layout = new QVBoxLayout(this);
    m_stack = new QStackedWidget(this);
    m_stack->addWidget(buildWaveformPage());
    m_stack->addWidget(buildMotorPage());
    m_stack->setCurrentIndex(mode == 1 ? 1 : 0);
    layout->addWidget(m_stack);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    applyControlRules();
    applyLinearRules();
}

QWidget *P3motor::buildWaveformPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    auto *controlBox = new QGroupBox(QStringLiteral("I want to control:"), page);
    auto *controlLayout = new QHBoxLayout(controlBox);
    const char *controlNames[] = { "ControlCurrent", "ControlRPM", "ControlDutyCycle" };
    const char *controlTexts[] = { "Current (torque)", "RPM", "Duty Cycle Envelope" };
    auto *controlGroup = new QButtonGroup(page);
    for (int i = 0; i < 3; ++i) {
        m_control[i] = new QRadioButton(QString::fromLatin1(controlTexts[i]), controlBox);
        m_control[i]->setObjectName(QString::fromLatin1(controlNames[i]));
        controlGroup->addButton(m_control[i], i);
        controlLayout->addWidget(m_control[i]);
    }
    m_control[qBound(0, m_start.controlVariable, 2)]->setChecked(true);
    layout->addWidget(controlBox);

    auto *constantBox = new QGroupBox(QStringLiteral("While keeping a constant:"), page);
    auto *constantLayout = new QHBoxLayout(constantBox);
    const char *constantNames[] = { "ConstantRPM", "ConstantVf", "ConstantDutyCycle" };
    const char *constantTexts[] = { "RPM", "V/f ratio", "Duty Cycle" };
    auto *constantGroup = new QButtonGroup(page);
    for (int i = 0; i < 3; ++i) {
        m_constant[i] = new QRadioButton(QString::fromLatin1(constantTexts[i]), constantBox);
        m_constant[i]->setObjectName(QString::fromLatin1(constantNames[i]));
        constantGroup->addButton(m_constant[i], i);
        constantLayout->addWidget(m_constant[i]);
    }
    m_constant[qBound(0, m_start.constantVariable, 2)]->setChecked(true);
    m_constantAmplitude = field(QStringLiteral("ConstantAmplitude"), m_start.constantAmplitude, constantBox);
    m_constantUnit = new QLabel(constantBox);
    constantLayout->addWidget(m_constantAmplitude);
    constantLayout->addWidget(m_constantUnit);
    layout->addWidget(constantBox);

    m_controlType = new QComboBox(page);
    m_controlType->setObjectName(QStringLiteral("ControlType"));
    m_controlType->addItems({ QStringLiteral("Constant Amplitude"), QStringLiteral("Profile Pattern") });
    m_controlType->setCurrentIndex(m_start.controlType == 0 ? 0 : 1);
    m_controlAmplitude = field(QStringLiteral("ControlAmplitude"), m_start.controlAmplitude, page);
    m_controlUnit = new QLabel(page);
    layout->addWidget(row(page, { m_controlType, m_controlAmplitude, m_controlUnit }));

    m_pointCount = new QSpinBox(page);
    m_pointCount->setObjectName(QStringLiteral("ProfilePointCount"));
    m_pointCount->setRange(1, 1000);
    auto *upload = new QPushButton(QStringLiteral("Upload"), page);
    upload->setObjectName(QStringLiteral("UploadButton"));
    upload->setToolTip(
        QStringLiteral("Read the profile from a text file: one \"time, value\" pair per line"));
    layout->addWidget(row(page, { new QLabel(QStringLiteral("Points:"), page), m_pointCount, upload }));
    m_table = new QTableWidget(0, 2, page);
    m_table->setObjectName(QStringLiteral("ProfileTable"));
    m_table->setMinimumHeight(160);
    layout->addWidget(m_table);
    const int points = qMax(1, qMin(m_start.timeVector.size(), m_start.AmplitudeVector.size()));
    setPointCount(points);
    for (int r = 0; r < points; ++r) {
        m_table->setItem(r, 0, new QTableWidgetItem(m_start.timeVector.value(r, QStringLiteral("0"))));
        m_table->setItem(r, 1, new QTableWidgetItem(m_start.AmplitudeVector.value(r, QStringLiteral("0"))));
    }
    m_pointCount->setValue(points);
    connect(m_pointCount, qOverload<int>(&QSpinBox::valueChanged), this, &P3motor::setPointCount);
    connect(upload, &QPushButton::clicked, this, &P3motor::onUploadClicked);
    for (int i = 0; i < 3; ++i) {
        connect(m_control[i], &QRadioButton::toggled, this, &P3motor::applyControlRules);
        connect(m_constant[i], &QRadioButton::toggled, this, &P3motor::applyControlRules);
    }
    connect(
        m_controlType, qOverload<int>(&QComboBox::currentIndexChanged), this, &P3motor::applyControlRules);
    return page;
}

QWidget *P3motor::buildMotorPage()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    m_R = field(QStringLiteral("Rfield"), m_start.R, page);
    form->addRow(
        QStringLiteral("1-Leg Resistance"), row(page, { m_R, new QLabel(QStringLiteral("Ω"), page) }));
    m_L = field(QStringLiteral("Lfield"), m_start.L, page);
    form->addRow(
        QStringLiteral("1-Leg Inductance"), row(page, { m_L, new QLabel(QStringLiteral("H"), page) }));
    m_poles = new QSpinBox(page);
    m_poles->setObjectName(QStringLiteral("nPolesBox"));
    m_poles->setRange(1, 100);
    m_poles->setValue(qMax(1, m_start.nPoles));
    m_polesRow = row(
        page, { new QLabel(QStringLiteral("Electrical cycles per Mechanical rotation"), page), m_poles });
    form->addRow(m_polesRow);
    m_cycleLength = field(QStringLiteral("CycleLength"), m_start.CycleLength, page);
    m_cycleRow = row(page,
        { new QLabel(QStringLiteral("1-cycle stroke length"), page), m_cycleLength,
            new QLabel(QStringLiteral("meters/Electrical cycle"), page) });
    form->addRow(m_cycleRow);
    const auto picture = [page](const char *name, const char *text, const char *file) {
        auto *b = new QToolButton(page);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(QString::fromLatin1(text));
        b->setIcon(QIcon(QString::fromLatin1(file)));
        b->setIconSize(QSize(90, 80));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setCheckable(true);
        b->setAutoExclusive(true);
        return b;
    };
    m_delta = picture("DeltaButton", "Delta", ":/ZarnLinear/ThreePhaseDelta.png");
    m_wye = picture("WyeButton", "Wye", ":/ZarnLinear/ThreePhaseWye.png");
    (m_start.isDelta ? m_delta : m_wye)->setChecked(true);
    form->addRow(QStringLiteral("Motor Wiring Type:"), row(page, { m_delta, m_wye }));
    m_Vemf = field(QStringLiteral("VemfField"), m_start.Vemf, page);
    m_VemfLabel = new QLabel(page);
    m_VemfUnit = new QLabel(page);
    form->addRow(row(page, { m_VemfLabel, m_Vemf, m_VemfUnit }));
    m_linear = new QCheckBox(QStringLiteral("Linear Motor"), page);
    m_linear->setObjectName(QStringLiteral("LinearMotorCheckBox"));
    m_linear->setChecked(m_start.isLinear);
    form->addRow(m_linear);
    connect(m_linear, &QCheckBox::toggled, this, &P3motor::applyLinearRules);
    return page;
}

// Current control cannot hold V/f, RPM control cannot hold RPM, duty
// control cannot hold duty; a checked choice that becomes disabled moves on.
void P3motor::applyControlRules()
{
    const int control = m_control[1]->isChecked() ? 1 : m_control[2]->isChecked() ? 2 : 0;
    const int disabled = control == 0 ? 1 : control == 1 ? 0 : 2;
    for (int i = 0; i < 3; ++i)
        m_constant[i]->setEnabled(i != disabled);
    if (m_constant[disabled]->isChecked()) {
        const QSignalBlocker blocker(m_constant[disabled == 1 ? 0 : 1]);
        m_constant[disabled == 1 ? 0 : 1]->setChecked(true);
    }
    static const char *constantUnits[] = { "RPM", "V/RPM", "% Maximum" };
    static const char *controlUnits[] = { "Amps Peak", "RPM", "% Maximum" };
    static const char *columnTitles[] = { "Current [A]", "RPM", "Duty Cycle [% maximum]" };
    const int held = m_constant[1]->isChecked() ? 1 : m_constant[2]->isChecked() ? 2 : 0;
    m_constantUnit->setText(QString::fromLatin1(constantUnits[held]));
    m_controlUnit->setText(QString::fromLatin1(controlUnits[control]));
    m_table->setHorizontalHeaderLabels(
        { QStringLiteral("time [s]"), QString::fromLatin1(columnTitles[control]) });
    const bool profile = m_controlType->currentIndex() == 1;
    m_controlAmplitude->setVisible(!profile);
    m_controlUnit->setVisible(!profile);
    m_table->setEnabled(profile);
    m_pointCount->setEnabled(profile);
}

void P3motor::applyLinearRules()
{
    const bool linear = m_linear->isChecked();
    m_VemfLabel->setText(linear ? QStringLiteral("1-Leg Force Constant") : QStringLiteral("1-Leg Back-EMF"));
    m_VemfUnit->setText(linear ? QStringLiteral("Newtons/A (equivalent to V*s/m)") : QStringLiteral("V/RPM"));
    m_polesRow->setVisible(!linear);
    m_cycleRow->setVisible(linear);
}

void P3motor::setPointCount(int count)
{
    const int old = m_table->rowCount();
    m_table->setRowCount(count);
    for (int r = old; r < count; ++r) {
        m_table->setItem(r, 0, new QTableWidgetItem(QStringLiteral("0")));
        m_table->setItem(r, 1, new QTableWidgetItem(QStringLiteral("0")));
    }
    QStringList rows;
    for (int r = 0; r < count; ++r)
        rows << QStringLiteral("point %0").arg(r + 1);
    m_table->setVerticalHeaderLabels(rows);
}

QString P3motor::uploadProfile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("Could not read %1: %2").arg(path, file.errorString());
    QStringList times, values;
    double last = 0;
    QTextStream in(&file);
    for (int number = 1; !in.atEnd(); ++number) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty())
            continue;
        const QStringList parts = line.split(QLatin1Char(','));
        const ParsedValue t = parts.size() == 2 ? parseEngineering(parts[0].trimmed(), ParseRules::String)
                                                : ParsedValue { 0, false };
        const ParsedValue v = parts.size() == 2 ? parseEngineering(parts[1].trimmed(), ParseRules::String)
                                                : ParsedValue { 0, false };
        const bool numbers = t.valid && v.valid && std::isfinite(t.value) && std::isfinite(v.value)
            && !parts[0].trimmed().isEmpty() && !parts[1].trimmed().isEmpty();
        if (!numbers || (!times.isEmpty() && !(t.value > last)))
            return QStringLiteral("Line %1 (\"%2\") is not a \"time, value\" pair with a time after the one "
                                  "before it; the profile was not changed.")
                .arg(number)
                .arg(line.left(60));
        last = t.value;
        times << parts[0].trimmed();
        values << parts[1].trimmed();
        if (times.size() > 1000)
            return QStringLiteral("The file holds more than 1000 points; the profile was not changed.");
    }
    if (times.isEmpty())
        return QStringLiteral("The file holds no \"time, value\" pairs; the profile was not changed.");
    m_pointCount->setValue(times.size());
    setPointCount(times.size());
    for (int r = 0; r < times.size(); ++r) {
        m_table->item(r, 0)->setText(times[r]);
        m_table->item(r, 1)->setText(values[r]);
    }
    return QString();
}

void P3motor::onUploadClicked()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Upload Profile"), QString(),
        QStringLiteral("Text Files (*.txt *.csv);;All Files (*)"));
    if (path.isEmpty())
        return;
    const QString error = uploadProfile(path);
    if (!error.isEmpty())
        QMessageBox::warning(this, QStringLiteral("Upload Profile"), error);
}

ThreePhaseMotor P3motor::motor() const
{
    ThreePhaseMotor m = m_start;
    m.R = m_R->text();
    m.L = m_L->text();
    m.Vemf = m_Vemf->text();
    m.nPoles = m_poles->value();
    m.isDelta = m_delta->isChecked();
    m.controlVariable = m_control[1]->isChecked() ? 1 : m_control[2]->isChecked() ? 2 : 0;
    m.constantVariable = m_constant[1]->isChecked() ? 1 : m_constant[2]->isChecked() ? 2 : 0;
    m.controlType = m_controlType->currentIndex();
    m.controlAmplitude = m_controlAmplitude->text();
    m.constantAmplitude = m_constantAmplitude->text();
    m.timeVector.clear();
    m.AmplitudeVector.clear();
    for (int r = 0; r < m_table->rowCount(); ++r) {
        m.timeVector << (m_table->item(r, 0) ? m_table->item(r, 0)->text().trimmed() : QStringLiteral("0"));
        m.AmplitudeVector << (m_table->item(r, 1) ? m_table->item(r, 1)->text().trimmed()
                                                  : QStringLiteral("0"));
    }
    m.isLinear = m_linear->isChecked();
    m.CycleLength = m_cycleLength->text();
    return m;
}
