#include "pages/currentpump/currentpumppage.h"

#include "ui_currentpumppage.h"

namespace {

const char *const kCompOptionKey = "CompOptionIHCP";
const char *const kSweepKey = "sweepIHCP";

// Whole-number entries of a design file; anything unreadable counts as 0.
int readInt(const QString &value)
{
    bool ok = false;
    const int n = value.trimmed().toInt(&ok);
    return ok ? n : 0;
}

}  // namespace

CurrentPumpPage::CurrentPumpPage(QWidget *parent) : ToolPage(parent), ui(new Ui::CurrentPumpPage)
{
    ui->setupUi(this);
    showSweepState();
}

CurrentPumpPage::~CurrentPumpPage()
{
    delete ui;
}

QString *CurrentPumpPage::textEntry(const QString &key)
{
    return const_cast<QString *>(static_cast<const CurrentPumpPage *>(this)->textEntry(key));
}

const QString *CurrentPumpPage::textEntry(const QString &key) const
{
    const std::pair<const char *, const QString *> table[] = {
        {"IHCPRin", &m_rin},   {"IHCPRinT", &m_rinTol}, {"IHCPRfn", &m_rfn},
        {"IHCPRfnT", &m_rfnTol}, {"IHCPRfp", &m_rfp},   {"IHCPRfpT", &m_rfpTol},
        {"IHCPRs", &m_rs},     {"IHCPRsT", &m_rsTol},   {"IHCPRd", &m_rd},
        {"IHCPCd", &m_cd},     {"IHCPRload", &m_rload}, {"IHCPCload", &m_cload},
        {"IHCPLload", &m_lload}, {"IHCPFreq", &m_freq},
    };
    for (const auto &row : table) {
        if (key == QLatin1String(row.first))
            return row.second;
    }
    return nullptr;
}

QStringList CurrentPumpPage::entryKeys() const
{
    return {QLatin1String(kCompOptionKey), QLatin1String(kSweepKey),
            QStringLiteral("IHCPRin"),     QStringLiteral("IHCPRinT"),
            QStringLiteral("IHCPRfn"),     QStringLiteral("IHCPRfnT"),
            QStringLiteral("IHCPRfp"),     QStringLiteral("IHCPRfpT"),
            QStringLiteral("IHCPRs"),      QStringLiteral("IHCPRsT"),
            QStringLiteral("IHCPRd"),      QStringLiteral("IHCPCd"),
            QStringLiteral("IHCPRload"),   QStringLiteral("IHCPCload"),
            QStringLiteral("IHCPLload"),   QStringLiteral("IHCPFreq")};
}

QString CurrentPumpPage::entry(const QString &key) const
{
    if (key == QLatin1String(kCompOptionKey))
        return QString::number(m_compOption);
    if (key == QLatin1String(kSweepKey))
        return QString::number(m_sweep ? 1 : 0);
    if (const QString *text = textEntry(key))
        return *text;
    return {};
}

bool CurrentPumpPage::setEntry(const QString &key, const QString &value)
{
    if (key == QLatin1String(kCompOptionKey)) {
        m_compOption = readInt(value);
        return true;
    }
    if (key == QLatin1String(kSweepKey)) {
        m_sweep = readInt(value) != 0;
        showSweepState();
        return true;
    }
    if (QString *text = textEntry(key)) {
        *text = value;
        return true;
    }
    return false;
}

// The button names the view it switches to.
void CurrentPumpPage::showSweepState()
{
    ui->IHCPsweepButton->setText(m_sweep ? QStringLiteral("Bode Plot") : QStringLiteral("Sweep Load Impedance"));
}

void CurrentPumpPage::on_IHCPsweepButton_clicked()
{
    m_sweep = !m_sweep;
    showSweepState();
    markChanged();
}

void CurrentPumpPage::on_IHCPimportSOA_clicked()
{
    emit importFromSoaRequested();
}

void CurrentPumpPage::on_IHCPexportSOA_clicked()
{
    emit exportToSoaRequested();
}
