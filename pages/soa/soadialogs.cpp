// The signal, supply and boost dialogs of the SOA page and the waveform upload.
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "pages/soa/soapage.h"
#include "ui_soapage.h"
#include "values/sivalues.h"

namespace {

QLineEdit *entryField(const QString &name, const QString &text)
{
    auto *field = new QLineEdit(text);
    field->setObjectName(name);
    return field;
}

// A voltage/current choice whose two limit rows name the quantity it chose.
struct OutputRows {
    QComboBox *kind = nullptr;
    QLineEdit *maximum = nullptr;
    QLineEdit *minimum = nullptr;
};

OutputRows addOutputRows(QFormLayout *form, const QString &prefix, bool voltage, const QString &maximum,
                         const QString &minimum)
{
    OutputRows rows;
    rows.kind = new QComboBox;
    rows.kind->setObjectName(prefix + QStringLiteral("OutputKind"));
    rows.kind->addItems({QStringLiteral("Voltage Output"), QStringLiteral("Current Output")});
    rows.kind->setCurrentIndex(voltage ? 0 : 1);
    rows.maximum = entryField(prefix + QStringLiteral("Max"), maximum);
    rows.minimum = entryField(prefix + QStringLiteral("Min"), minimum);
    auto *maxLabel = new QLabel;
    auto *minLabel = new QLabel;
    const auto relabel = [maxLabel, minLabel](int index) {
        maxLabel->setText(index == 0 ? QStringLiteral("Max V_out (V)") : QStringLiteral("Max I_out (A)"));
        minLabel->setText(index == 0 ? QStringLiteral("Min V_out (V)") : QStringLiteral("Min I_out (A)"));
    };
    relabel(rows.kind->currentIndex());
    QObject::connect(rows.kind, QOverload<int>::of(&QComboBox::currentIndexChanged), maxLabel, relabel);
    form->addRow(rows.kind);
    form->addRow(maxLabel, rows.maximum);
    form->addRow(minLabel, rows.minimum);
    return rows;
}

QString voltageText(double value)
{
    return QString::number(value, 'g', 10);
}

}  // namespace

void SoaPage::changeSOASignal()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("soaSignalDialog"));
    dialog.setWindowTitle(QStringLiteral("Change Output Signal Waveform"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *kind = new QComboBox;
    kind->setObjectName(QStringLiteral("soaSignalKind"));
    kind->addItems({QStringLiteral("Sine Wave"), QStringLiteral("Trapezoidal/Pulse Wave"),
                    QStringLiteral("Upload Waveform"), QStringLiteral("DC Motor")});
    auto *stack = new QStackedWidget;
    stack->setObjectName(QStringLiteral("soaSignalStack"));
    layout->addWidget(kind);
    layout->addWidget(stack);

    auto *sinePage = new QWidget;
    auto *sineForm = new QFormLayout(sinePage);
    const OutputRows sine = addOutputRows(sineForm, QStringLiteral("soaSine"), m_voltageOutput, m_sigMax, m_sigMin);
    QLineEdit *freq = entryField(QStringLiteral("soaSineFreq"), m_sigFreq);
    sineForm->addRow(QStringLiteral("Frequency (Hz)"), freq);
    stack->addWidget(sinePage);

    auto *trapPage = new QWidget;
    auto *trapForm = new QFormLayout(trapPage);
    const OutputRows trap = addOutputRows(trapForm, QStringLiteral("soaTrap"), m_voltageOutput, m_sigMax, m_sigMin);
    QLineEdit *rise = entryField(QStringLiteral("soaTrapRise"), m_tRise);
    QLineEdit *high = entryField(QStringLiteral("soaTrapHigh"), m_tHigh);
    QLineEdit *fall = entryField(QStringLiteral("soaTrapFall"), m_tFall);
    QLineEdit *low = entryField(QStringLiteral("soaTrapLow"), m_tLow);
    trapForm->addRow(QStringLiteral("Rise Time (s)"), rise);
    trapForm->addRow(QStringLiteral("High Time (s)"), high);
    trapForm->addRow(QStringLiteral("Fall Time (s)"), fall);
    trapForm->addRow(QStringLiteral("Low Time (s)"), low);
    stack->addWidget(trapPage);

    auto *uploadPage = new QWidget;
    auto *uploadForm = new QFormLayout(uploadPage);
    auto *uploadKind = new QComboBox;
    uploadKind->setObjectName(QStringLiteral("soaUploadOutputKind"));
    uploadKind->addItems({QStringLiteral("Voltage Output (V)"), QStringLiteral("Current Output (A)")});
    uploadKind->setCurrentIndex(m_voltageOutput ? 0 : 1);
    auto *upload = new QPushButton(QStringLiteral("Upload CSV"));
    upload->setObjectName(QStringLiteral("soaUploadButton"));
    auto *uploadHint = new QLabel(QStringLiteral("Files should contain two entries per line, separated by commas. "
                                                 "Entry 1: Time in seconds. Entry 2: Output in (Volts or Amps)."));
    uploadHint->setWordWrap(true);
    QLineEdit *scale = entryField(QStringLiteral("soaUploadScale"), m_csvScale);
    uploadForm->addRow(uploadKind);
    uploadForm->addRow(upload);
    uploadForm->addRow(uploadHint);
    uploadForm->addRow(QStringLiteral("Scale Factor (V/V)"), scale);
    connect(upload, &QPushButton::clicked, this, [this] { SOACSV(); });
    stack->addWidget(uploadPage);

    auto *motorPage = new QWidget;
    auto *motorLayout = new QVBoxLayout(motorPage);
    auto *toMotor = new QPushButton(QStringLiteral("Go to Motor Definition"));
    toMotor->setObjectName(QStringLiteral("soaMotorButton"));
    motorLayout->addWidget(toMotor);
    motorLayout->addStretch();
    connect(toMotor, &QPushButton::clicked, &dialog, &QDialog::accept);
    stack->addWidget(motorPage);

    connect(kind, QOverload<int>::of(&QComboBox::currentIndexChanged), stack, &QStackedWidget::setCurrentIndex);
    kind->setCurrentIndex(m_signalType);
    stack->setCurrentIndex(m_signalType);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);

    if (dialog.exec() == QDialog::Accepted) {
        ui->SOAdisplayTab->setCurrentIndex(2);
        m_signalType = kind->currentIndex();
        switch (m_signalType) {
        case 0:
            m_voltageOutput = sine.kind->currentIndex() == 0;
            m_sigMax = sine.maximum->text();
            m_sigMin = sine.minimum->text();
            m_sigFreq = freq->text();
            break;
        case 1:
            m_voltageOutput = trap.kind->currentIndex() == 0;
            m_sigMax = trap.maximum->text();
            m_sigMin = trap.minimum->text();
            m_tRise = rise->text();
            m_tHigh = high->text();
            m_tFall = fall->text();
            m_tLow = low->text();
            break;
        case 2:
            m_voltageOutput = uploadKind->currentIndex() == 0;
            m_csvScale = scale->text();
            break;
        default: {
            ui->SOAtabWidget->setCurrentIndex(1);
            const QSignalBlocker blocker(ui->loadTypeBox);
            ui->loadTypeBox->setCurrentIndex(ui->loadTypeBox->findText(QStringLiteral("DC Motor")));
            ui->loadType->setCurrentIndex(ui->loadTypeBox->currentIndex());
            break;
        }
        }
    }
    refreshSOA();
}

void SoaPage::changeSOAVsValue(const QString &which)
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("soaSupplyDialog"));
    dialog.setWindowTitle(QStringLiteral("Change Supply Voltage"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Enter new supply voltage")));
    layout->addWidget(new QLabel(QStringLiteral("Maximum ±V_S = ±") + QString::number(0.5 * currentAmp().Vss_max)
                                 + QStringLiteral(" V")));
    auto *form = new QFormLayout;
    QLineEdit *pos = entryField(QStringLiteral("soaSupplyPos"), m_vsPos);
    QLineEdit *neg = entryField(QStringLiteral("soaSupplyNeg"), m_vsNeg);
    form->addRow(QStringLiteral("+V_S [Volts]"), pos);
    form->addRow(QStringLiteral("-V_S [Volts]"), neg);
    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    (which == QLatin1String("P") ? pos : neg)->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!pos->text().isEmpty())
        m_vsPos = pos->text();
    if (!neg->text().isEmpty())
        m_vsNeg = neg->text();
}

void SoaPage::changeSOAVbValue()
{
    const amp a = currentAmp();
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("soaBoostDialog"));
    dialog.setWindowTitle(QStringLiteral("Change Boost Supply Voltage"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Enter new boost supply voltage")));
    layout->addWidget(new QLabel(QStringLiteral("Boost Voltages are low-current supplies that increase voltage swing")));
    auto *choice = new QComboBox;
    choice->setObjectName(QStringLiteral("soaBoostChoice"));
    choice->addItem(QStringLiteral("No Boost"));
    if (!a.boost.isEmpty())
        choice->addItem(QStringLiteral("±V_S ± ") + QString::number(a.boost.last()) + QStringLiteral(" V"));
    choice->setCurrentIndex(m_boost && choice->count() > 1 ? 1 : 0);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("V_B [Volts]"), choice);
    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (choice->currentIndex() == 1) {
        const double boost = a.boost.last();
        m_boost = true;
        m_vbPos = voltageText(string2Number(m_vsPos) + boost);
        m_vbNeg = voltageText(string2Number(m_vsNeg) - boost);
    } else {
        m_boost = false;
        m_vbPos = m_vsPos;
        m_vbNeg = m_vsNeg;
    }
}

void SoaPage::SOACSV()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open CSV"), m_csvPath,
                                                      QStringLiteral("Comma Separated Values (*.csv)"));
    if (path.isEmpty())
        return;
    m_csvPath = path;
    loadSoaCsv(path);
}
