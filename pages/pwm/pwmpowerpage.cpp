#include "pages/pwm/pwmpowerpage.h"

#include "ui_pwmpowerpage.h"

namespace {

const QString kExtendedLoad = QStringLiteral("extendedLoad");
const QString kAcBidirectional = QStringLiteral("ACbidirectional");
const QStringList kParasiticKeys = {QStringLiteral("Lparasitics"), QStringLiteral("Pparasitics"),
                                    QStringLiteral("Eparasitics")};

// Stored strings are written without blanks, because the file separates them by blanks.
QString withoutBlanks(QString text)
{
    text.remove(QLatin1Char(' '));
    return text;
}

}  // namespace

PwmPowerPage::PwmPowerPage(QWidget *parent) : ToolPage(parent), ui(new Ui::PwmPowerPage)
{
    ui->setupUi(this);
    // At start-up the load is open (R "open"); the filter export later makes it a resistor.
    resetNetwork();
    m_elements[QStringLiteral("L5")].R = QStringLiteral("open");
    extendLoad();
}

PwmPowerPage::~PwmPowerPage()
{
    delete ui;
}

void PwmPowerPage::initialise()
{
    const int index = ui->ampSelectorPower->findText(QStringLiteral("TZ636"));
    if (index >= 0)
        ui->ampSelectorPower->setCurrentIndex(index);
}

QStringList PwmPowerPage::elementNames()
{
    return {QStringLiteral("P1"), QStringLiteral("P2"), QStringLiteral("P3"), QStringLiteral("P4"),
            QStringLiteral("P5"), QStringLiteral("P6"), QStringLiteral("MN"), QStringLiteral("L1"),
            QStringLiteral("L2"), QStringLiteral("L3"), QStringLiteral("L4"), QStringLiteral("L5")};
}

networkElement PwmPowerPage::element(const QString &name) const
{
    return m_elements.value(name);
}

void PwmPowerPage::setElement(const QString &name, const networkElement &value)
{
    if (m_elements.contains(name))
        m_elements[name] = value;
}

void PwmPowerPage::resetNetwork()
{
    const QString zero = QStringLiteral("0");
    const QString shorted = QStringLiteral("short");
    for (const QString &name : elementNames())
        m_elements[name] = {zero, zero, zero};
    for (const char *name : {"L1", "L2", "L5"})
        m_elements[QLatin1String(name)].C = shorted;
}

void PwmPowerPage::removeSpaces()
{
    for (networkElement &e : m_elements) {
        e.L = withoutBlanks(e.L);
        e.R = withoutBlanks(e.R);
        e.C = withoutBlanks(e.C);
    }
    for (const QString &key : kParasiticKeys)
        for (QLineEdit *field : parasiticFields(key))
            field->setText(withoutBlanks(field->text()));
}

void PwmPowerPage::setExtendedLoad(bool extended)
{
    m_extendedLoad = extended;
    extendLoad();
}

void PwmPowerPage::extendLoad()
{
    ui->ExtendedLoad->setText(m_extendedLoad ? QStringLiteral("Condensed Load") : QStringLiteral("Extended Load"));
}

void PwmPowerPage::on_ExtendedLoad_clicked()
{
    setExtendedLoad(!m_extendedLoad);
    markChanged();
}

// The parasitic equations are saved as one line per group. The electrolytic
// line carries all four coefficients so that none is lost on reopening.
QVector<QLineEdit *> PwmPowerPage::parasiticFields(const QString &key) const
{
    if (key == kParasiticKeys[0])
        return {ui->LESRB, ui->LESRC, ui->LEPCB, ui->LEPCC};
    if (key == kParasiticKeys[1])
        return {ui->PESRB, ui->PESRC, ui->PESLB, ui->PESLC};
    if (key == kParasiticKeys[2])
        return {ui->EESRB, ui->EESRC, ui->EESLB, ui->EESLC};
    return {};
}

QStringList PwmPowerPage::entryKeys() const
{
    return QStringList{kAcBidirectional, kExtendedLoad} + elementNames() + kParasiticKeys;
}

QString PwmPowerPage::entry(const QString &key) const
{
    if (key == kAcBidirectional)
        return QString::number(m_acBidirectional);
    if (key == kExtendedLoad)
        return QString::number(m_extendedLoad ? 1 : 0);
    if (m_elements.contains(key)) {
        const networkElement &e = m_elements[key];
        return withoutBlanks(e.L) + QLatin1Char(' ') + withoutBlanks(e.R) + QLatin1Char(' ') + withoutBlanks(e.C);
    }
    QStringList parts;
    for (QLineEdit *field : parasiticFields(key))
        parts << withoutBlanks(field->text());
    return parts.join(QLatin1Char(' '));
}

bool PwmPowerPage::setEntry(const QString &key, const QString &value)
{
    if (key == kAcBidirectional) {
        m_acBidirectional = value.trimmed().toInt();
        return true;
    }
    if (key == kExtendedLoad) {
        setExtendedLoad(value.trimmed().toInt() != 0);
        return true;
    }
    // A short line fills the parts it has and leaves the others as they were.
    const QStringList parts = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (m_elements.contains(key)) {
        networkElement &e = m_elements[key];
        QString *strings[] = {&e.L, &e.R, &e.C};
        for (int i = 0; i < 3 && i < parts.size(); ++i)
            *strings[i] = parts[i];
        return true;
    }
    const QVector<QLineEdit *> fields = parasiticFields(key);
    if (fields.isEmpty())
        return false;
    for (int i = 0; i < fields.size() && i < parts.size(); ++i)
        fields[i]->setText(parts[i]);
    return true;
}
