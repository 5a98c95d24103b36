#include "app/pumphandoff.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "pages/currentpump/currentpumppage.h"
#include "pages/soa/soapage.h"
#include "values/sivalues.h"

namespace {

QString fieldText(const QWidget &page, const char *name)
{
    const auto *field = page.findChild<QLineEdit *>(QLatin1String(name));
    return field ? field->text() : QString();
}

void setFieldText(QWidget &page, const char *name, const QString &text)
{
    if (auto *field = page.findChild<QLineEdit *>(QLatin1String(name)))
        field->setText(text);
}

template <typename T> T *child(QWidget &page, const char *name)
{
    return page.findChild<T *>(QLatin1String(name));
}

} // namespace

void ImportSOAtoIHCP(const SoaPage &soa, CurrentPumpPage &pump)
{
    const auto *selector = soa.findChild<QComboBox *>(QStringLiteral("AmpSelecterSOA"));
    pump.importDesign(selector ? selector->currentIndex() : -1, fieldText(soa, "SOA_Rload"),
        fieldText(soa, "SOA_Cload"), fieldText(soa, "SOA_Lload"), soa.entry(QStringLiteral("SOAfreq")),
        soa.loadCurrentMax(), soa.loadCurrentMin());
}

void ExportIHCPtoSOA(const CurrentPumpPage &pump, SoaPage &soa)
{
    const PumpEntries &e = pump.pumpEntries();
    // As formatSI writes it, without its blanks so that the field reads it back.
    setFieldText(soa, "SOA_Rload",
        formatSI(string2Number(e.rs) + string2Number(e.rload), QString()).remove(QLatin1Char(' ')));
    const bool noCapacitor = e.cload == QLatin1String("short");
    setFieldText(soa, "SOA_Cload", noCapacitor ? QStringLiteral("short") : e.cload);
    setFieldText(soa, "SOA_Lload", noCapacitor ? e.lload : QStringLiteral("short"));
    soa.setEntry(QStringLiteral("SOAfreq"), e.freq);
    soa.setEntry(QStringLiteral("SOAVout"), QStringLiteral("0"));
    soa.setEntry(QStringLiteral("SOAmaxOut"), pump.maxIoutText());
    soa.setEntry(QStringLiteral("SOAminOut"), pump.minIoutText());
    if (auto *series = child<QRadioButton>(soa, "SOA_series"))
        series->setChecked(true);
    for (const char *box : { "BridgeCheckBox", "ParallelCheckBox" })
        if (auto *check = child<QGroupBox>(soa, box))
            check->setChecked(false);
    if (auto *count = child<QSpinBox>(soa, "NumParallel"))
        count->setValue(1);
    if (auto *selector = child<QComboBox>(soa, "AmpSelecterSOA")) {
        const int index = selector->findText(pump.amplifierName());
        if (index >= 0)
            selector->setCurrentIndex(index);
    }
    soa.makeSOAplot();
    soa.refreshSOA();
}
