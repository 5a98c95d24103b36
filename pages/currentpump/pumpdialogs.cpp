#include "pages/currentpump/pumpdialogs.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

const char *const kHint = "Enter as 470u, 2.2k, open, short, ...";

QLineEdit *entry(QDialog *dialog, const char *name)
{
    auto *edit = new QLineEdit(dialog);
    edit->setObjectName(QLatin1String(name));
    edit->setPlaceholderText(QLatin1String(kHint));
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1String(kHint)) + 16);
    return edit;
}

bool run(QDialog &dialog, QVBoxLayout *layout)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

bool changeRtolerance(QWidget *parent, QString &value, QString &tolerance)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Resistance and Tolerance"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *form = new QFormLayout;
    QLineEdit *resistance = entry(&dialog, "ihcpResistance");
    auto *tolerances = new QComboBox(&dialog);
    tolerances->setObjectName(QStringLiteral("ihcpTolerance"));
    tolerances->addItems(pumpToleranceLadder());
    const int current = tolerances->findText(tolerance);
    tolerances->setCurrentIndex(current >= 0 ? current : 0);
    form->addRow(QStringLiteral("Resistance (\u03A9)"), resistance);
    form->addRow(QStringLiteral("Tolerance (%)"), tolerances);
    layout->addLayout(form);
    layout->addWidget(new QLabel(
        QStringLiteral("Hint: Click the 'Auto' button for calculated minimum tolerances."), &dialog));
    if (!run(dialog, layout))
        return false;
    if (!resistance->text().isEmpty())
        value = resistance->text();
    tolerance = tolerances->currentText();
    return true;
}

bool changeLoad(QWidget *parent, PumpEntries &e)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("IHCP Load"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *form = new QFormLayout;
    auto *type = new QComboBox(&dialog);
    type->setObjectName(QStringLiteral("ihcpLoadType"));
    type->addItems({ QStringLiteral("Series Inductance (H)"), QStringLiteral("Series Capacitance (F)"),
        QStringLiteral("None - Pure Resistance (type 'short' below)") });
    const bool capacitor = e.cload != QLatin1String("short");
    type->setCurrentIndex(capacitor ? 1 : 0);
    QLineEdit *resistance = entry(&dialog, "ihcpLoadResistance");
    QLineEdit *reactive = entry(&dialog, "ihcpLoadReactive");
    QLineEdit *frequency = entry(&dialog, "ihcpLoadFrequency");
    form->addRow(QStringLiteral("Load Type"), type);
    form->addRow(QStringLiteral("Resistance (\u03A9)"), resistance);
    form->addRow(QStringLiteral("Reactive Element (H or F - see above)"), reactive);
    form->addRow(QStringLiteral("Frequency (Hz)"), frequency);
    layout->addLayout(form);
    if (!run(dialog, layout))
        return false;
    if (!resistance->text().isEmpty())
        e.rload = resistance->text();
    if (!frequency->text().isEmpty())
        e.freq = frequency->text();
    const QString shortText = QStringLiteral("short");
    // An empty reactive entry keeps the load's reactive element as it was.
    const QString text = reactive->text();
    if (type->currentIndex() == 0 && !text.isEmpty()) {
        e.lload = text;
        e.cload = shortText;
    } else if (type->currentIndex() == 1 && !text.isEmpty()) {
        e.cload = text;
        e.lload = shortText;
    } else if (type->currentIndex() == 2) {
        e.cload = shortText;
        e.lload = shortText;
    }
    return true;
}
