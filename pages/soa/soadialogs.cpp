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

#include "pages/soa/soadialogs.h"
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

OutputRows addOutputRows(
    QFormLayout *form, const QString &prefix, bool voltage, const QString &maximum, const QString &minimum)
{
    OutputRows rows;
    rows.kind = new QComboBox;
    rows.kind->setObjectName(prefix + QStringLiteral("OutputKind"));
    rows.kind->addItems({ QStringLiteral("Voltage Output"), QStringLiteral("Current Output") });
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

QDialogButtonBox *okCancel(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

// The pages of the signal dialog, one per signal kind, and what each writes back.
struct SinePage {
    OutputRows rows;
    QLineEdit *frequency = nullptr;
    QWidget *build(const SoaSignalSettings &s)
    {
        auto *page = new QWidget;
        auto *form = new QFormLayout(page);
        rows = addOutputRows(form, QStringLiteral("soaSine"), s.voltage, s.maximum, s.minimum);
        frequency = entryField(QStringLiteral("soaSineFreq"), s.frequency);
        form->addRow(QStringLiteral("Frequency (Hz)"), frequency);
        return page;
    }
    void apply(SoaSignalSettings &s) const
    {
        s.voltage = rows.kind->currentIndex() == 0;
        s.maximum = rows.maximum->text();
        s.minimum = rows.minimum->text();
        s.frequency = frequency->text();
    }
};

struct TrapezoidPage {
    OutputRows rows;
    QLineEdit *rise = nullptr, *high = nullptr, *fall = nullptr, *low = nullptr;
    QWidget *build(const SoaSignalSettings &s)
    {
        auto *page = new QWidget;
        auto *form = new QFormLayout(page);
        rows = addOutputRows(form, QStringLiteral("soaTrap"), s.voltage, s.maximum, s.minimum);
        rise = entryField(QStringLiteral("soaTrapRise"), s.tRise);
        high = entryField(QStringLiteral("soaTrapHigh"), s.tHigh);
        fall = entryField(QStringLiteral("soaTrapFall"), s.tFall);
        low = entryField(QStringLiteral("soaTrapLow"), s.tLow);
        form->addRow(QStringLiteral("Rise Time (s)"), rise);
        form->addRow(QStringLiteral("High Time (s)"), high);
        form->addRow(QStringLiteral("Fall Time (s)"), fall);
        form->addRow(QStringLiteral("Low Time (s)"), low);
        return page;
    }
    void apply(SoaSignalSettings &s) const
    {
        s.voltage = rows.kind->currentIndex() == 0;
        s.maximum = rows.maximum->text();
        s.minimum = rows.minimum->text();
        s.tRise = rise->text();
        s.tHigh = high->text();
        s.tFall = fall->text();
        s.tLow = low->text();
    }
};

struct UploadPage {
    QComboBox *kind = nullptr;
    QLineEdit *scale = nullptr;
    QWidget *build(const SoaSignalSettings &s, const std::function<void()> &upload)
    {
        auto *page = new QWidget;
        auto *form = new QFormLayout(page);
        kind = new QComboBox;
        kind->setObjectName(QStringLiteral("soaUploadOutputKind"));
        kind->addItems({ QStringLiteral("Voltage Output (V)"), QStringLiteral("Current Output (A)") });
        kind->setCurrentIndex(s.voltage ? 0 : 1);
        auto *button = new QPushButton(QStringLiteral("Upload CSV"));
        button->setObjectName(QStringLiteral("soaUploadButton"));
        auto *hint
            = new QLabel(QStringLiteral("Files should contain two entries per line, separated by commas. "
                                        "Entry 1: Time in seconds. Entry 2: Output in (Volts or Amps)."));
        hint->setWordWrap(true);
        scale = entryField(QStringLiteral("soaUploadScale"), s.csvScale);
        form->addRow(kind);
        form->addRow(button);
        form->addRow(hint);
        form->addRow(QStringLiteral("Scale Factor (V/V)"), scale);
        QObject::connect(button, &QPushButton::clicked, page, [upload] {
            if (upload)
                upload();
        });
        return page;
    }
    void apply(SoaSignalSettings &s) const
    {
        s.voltage = kind->currentIndex() == 0;
        s.csvScale = scale->text();
    }
};

QWidget *motorPage(QDialog *dialog)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *toMotor = new QPushButton(QStringLiteral("Go to Motor Definition"));
    toMotor->setObjectName(QStringLiteral("soaMotorButton"));
    layout->addWidget(toMotor);
    layout->addStretch();
    QObject::connect(toMotor, &QPushButton::clicked, dialog, &QDialog::accept);
    return page;
}

} // namespace

bool changeSOASignal(QWidget *parent, SoaSignalSettings &signal, const std::function<void()> &upload)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("soaSignalDialog"));
    dialog.setWindowTitle(QStringLiteral("Change Output Signal Waveform"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *kind = new QComboBox;
    kind->setObjectName(QStringLiteral("soaSignalKind"));
    kind->addItems({ QStringLiteral("Sine Wave"), QStringLiteral("Trapezoidal/Pulse Wave"),
        QStringLiteral("Upload Waveform"), QStringLiteral("DC Motor") });
    auto *stack = new QStackedWidget;
    stack->setObjectName(QStringLiteral("soaSignalStack"));
    layout->addWidget(kind);
    layout->addWidget(stack);

    SinePage sine;
    TrapezoidPage trapezoid;
    UploadPage uploaded;
    stack->addWidget(sine.build(signal));
    stack->addWidget(trapezoid.build(signal));
    stack->addWidget(uploaded.build(signal, upload));
    stack->addWidget(motorPage(&dialog));

    QObject::connect(
        kind, QOverload<int>::of(&QComboBox::currentIndexChanged), stack, &QStackedWidget::setCurrentIndex);
    kind->setCurrentIndex(signal.type);
    stack->setCurrentIndex(signal.type);
    layout->addWidget(okCancel(&dialog));

    if (dialog.exec() != QDialog::Accepted)
        return false;
    signal.type = kind->currentIndex();
    switch (signal.type) {
    case 0:
        sine.apply(signal);
        break;
    case 1:
        trapezoid.apply(signal);
        break;
    case 2:
        uploaded.apply(signal);
        break;
    default:
        break;
    }
    return true;
}

bool changeSOAVsValue(QWidget *parent, const amp &record, bool positive, QString &vsPos, QString &vsNeg)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("soaSupplyDialog"));
    dialog.setWindowTitle(QStringLiteral("Change Supply Voltage"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Enter new supply voltage")));
    layout->addWidget(new QLabel(
        QStringLiteral("Maximum ±V_S = ±") + QString::number(0.5 * record.Vss_max) + QStringLiteral(" V")));
    auto *form = new QFormLayout;
    QLineEdit *pos = entryField(QStringLiteral("soaSupplyPos"), vsPos);
    QLineEdit *neg = entryField(QStringLiteral("soaSupplyNeg"), vsNeg);
    form->addRow(QStringLiteral("+V_S [Volts]"), pos);
    form->addRow(QStringLiteral("-V_S [Volts]"), neg);
    layout->addLayout(form);
    layout->addWidget(okCancel(&dialog));
    (positive ? pos : neg)->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!pos->text().isEmpty())
        vsPos = pos->text();
    if (!neg->text().isEmpty())
        vsNeg = neg->text();
    return true;
}

SoaBoost boostSupplies(const amp &record, bool on, const QString &vsPos, const QString &vsNeg)
{
    if (!on || record.boost.isEmpty())
        return { on, vsPos, vsNeg };
    const double boost = record.boost.last();
    return { on, voltageText(string2Number(vsPos) + boost), voltageText(string2Number(vsNeg) - boost) };
}

bool changeSOAVbValue(
    QWidget *parent, const amp &record, const QString &vsPos, const QString &vsNeg, SoaBoost &boost)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("soaBoostDialog"));
    dialog.setWindowTitle(QStringLiteral("Change Boost Supply Voltage"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Enter new boost supply voltage")));
    layout->addWidget(
        new QLabel(QStringLiteral("Boost Voltages are low-current supplies that increase voltage swing")));
    auto *choice = new QComboBox;
    choice->setObjectName(QStringLiteral("soaBoostChoice"));
    choice->addItem(QStringLiteral("No Boost"));
    if (!record.boost.isEmpty())
        choice->addItem(
            QStringLiteral("±V_S ± ") + QString::number(record.boost.last()) + QStringLiteral(" V"));
    choice->setCurrentIndex(boost.on && choice->count() > 1 ? 1 : 0);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("V_B [Volts]"), choice);
    layout->addLayout(form);
    layout->addWidget(okCancel(&dialog));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    boost = boostSupplies(record, choice->currentIndex() == 1, vsPos, vsNeg);
    return true;
}
