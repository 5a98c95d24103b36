#include "pages/pwm/pwmpowerpage.h"

#include "ui_pwmpowerpage.h"

PwmPowerPage::PwmPowerPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::PwmPowerPage)
{
    ui->setupUi(this);
    // At start-up the load is open (R "open"); the filter export later makes it a resistor.
    resetNetwork();
    m_elements[elementNames().indexOf(QStringLiteral("L5"))].R = QStringLiteral("open");
    extendLoad();
    bindEntries();
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
    return { QStringLiteral("P1"), QStringLiteral("P2"), QStringLiteral("P3"), QStringLiteral("P4"),
        QStringLiteral("P5"), QStringLiteral("P6"), QStringLiteral("MN"), QStringLiteral("L1"),
        QStringLiteral("L2"), QStringLiteral("L3"), QStringLiteral("L4"), QStringLiteral("L5") };
}

networkElement PwmPowerPage::element(const QString &name) const
{
    const int i = elementNames().indexOf(name);
    return i >= 0 ? m_elements[i] : networkElement();
}

void PwmPowerPage::setElement(const QString &name, const networkElement &value)
{
    const int i = elementNames().indexOf(name);
    if (i >= 0)
        m_elements[i] = value;
}

void PwmPowerPage::resetNetwork()
{
    const QString zero = QStringLiteral("0");
    const QString shorted = QStringLiteral("short");
    for (networkElement &e : m_elements)
        e = { zero, zero, zero };
    for (const char *name : { "L1", "L2", "L5" })
        m_elements[elementNames().indexOf(QLatin1String(name))].C = shorted;
}

void PwmPowerPage::removeSpaces()
{
    for (networkElement &e : m_elements) {
        e.L = withoutBlanks(e.L);
        e.R = withoutBlanks(e.R);
        e.C = withoutBlanks(e.C);
    }
    for (const auto &group : parasiticGroups())
        for (QLineEdit *field : group.second)
            field->setText(withoutBlanks(field->text()));
}

void PwmPowerPage::setExtendedLoad(bool extended)
{
    m_extendedLoad = extended;
    extendLoad();
}

void PwmPowerPage::extendLoad()
{
    ui->ExtendedLoad->setText(
        m_extendedLoad ? QStringLiteral("Condensed Load") : QStringLiteral("Extended Load"));
}

void PwmPowerPage::on_ExtendedLoad_clicked()
{
    setExtendedLoad(!m_extendedLoad);
    markChanged();
}

// The parasitic equations are saved as one line per group. The electrolytic
// line carries all four coefficients so that none is lost on reopening.
QVector<std::pair<QString, QVector<QLineEdit *>>> PwmPowerPage::parasiticGroups() const
{
    return { { "Lparasitics", { ui->LESRB, ui->LESRC, ui->LEPCB, ui->LEPCC } },
        { "Pparasitics", { ui->PESRB, ui->PESRC, ui->PESLB, ui->PESLC } },
        { "Eparasitics", { ui->EESRB, ui->EESRC, ui->EESLB, ui->EESLC } } };
}

void PwmPowerPage::bindEntries()
{
    entries().bind("ACbidirectional", &m_acBidirectional);
    entries().bind("extendedLoad", &m_extendedLoad, [this] { extendLoad(); });
    const QStringList names = elementNames();
    for (int i = 0; i < kElementCount; ++i)
        entries().bind(names.at(i), &m_elements[i]);
    for (const auto &group : parasiticGroups()) {
        const QVector<QLineEdit *> fields = group.second;
        entries().bind(group.first,
            EntryBinding { [fields] {
                              QStringList parts;
                              for (QLineEdit *field : fields)
                                  parts << withoutBlanks(field->text());
                              return parts.join(QLatin1Char(' '));
                          },
                [fields](const QString &value, bool) {
                    // A short line fills the fields it has.
                    const QStringList parts = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
                    for (int i = 0; i < fields.size() && i < parts.size(); ++i)
                        fields[i]->setText(parts[i]);
                } });
    }
    bindSelector("ampSelectorPower", ui->ampSelectorPower, SelectorLists::Catalog::Pwm);
}

void PwmPowerPage::fillSelectors()
{
    fillSelector(ui->ampSelectorPower, SelectorLists::pwmPower(catalogs()));
}
