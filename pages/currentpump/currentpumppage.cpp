#include "pages/currentpump/currentpumppage.h"

#include "ui_currentpumppage.h"

CurrentPumpPage::CurrentPumpPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::CurrentPumpPage)
{
    ui->setupUi(this);
    showSweepState();
    bindEntries();
}

CurrentPumpPage::~CurrentPumpPage()
{
    delete ui;
}

void CurrentPumpPage::bindEntries()
{
    entries().bind("CompOptionIHCP", &m_compOption);
    entries().bind("sweepIHCP", &m_sweep, [this] { showSweepState(); });
    const std::pair<const char *, QString *> texts[] = {
        { "IHCPRin", &m_rin },
        { "IHCPRinT", &m_rinTol },
        { "IHCPRfn", &m_rfn },
        { "IHCPRfnT", &m_rfnTol },
        { "IHCPRfp", &m_rfp },
        { "IHCPRfpT", &m_rfpTol },
        { "IHCPRs", &m_rs },
        { "IHCPRsT", &m_rsTol },
        { "IHCPRd", &m_rd },
        { "IHCPCd", &m_cd },
        { "IHCPRload", &m_rload },
        { "IHCPCload", &m_cload },
        { "IHCPLload", &m_lload },
        { "IHCPFreq", &m_freq },
    };
    for (const auto &text : texts)
        entries().bind(text.first, text.second);
    bindSelector("IHCPampSelector", ui->IHCPampSelector, SelectorLists::Catalog::Linear);
}

void CurrentPumpPage::fillSelectors()
{
    fillSelector(ui->IHCPampSelector, SelectorLists::linear(catalogs()));
}

void CurrentPumpPage::initialise()
{
    selectText(ui->IHCPampSelector, QStringLiteral("QX370"));
}

// The button names the view it switches to.
void CurrentPumpPage::showSweepState()
{
    ui->IHCPsweepButton->setText(
        m_sweep ? QStringLiteral("Bode Plot") : QStringLiteral("Sweep Load Impedance"));
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
