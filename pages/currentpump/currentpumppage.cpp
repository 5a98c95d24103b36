#include "pages/currentpump/currentpumppage.h"

#include "pages/currentpump/pumpnetlist.h"

#include <QApplication>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

#include <qcustomplot.h>

#include "app/schematic/primitives.h"
#include "app/schematic/valuelabels.h"
#include "pages/currentpump/pumpchart.h"
#include "pages/currentpump/pumpdialogs.h"
#include "pages/currentpump/pumpschematic.h"
#include "pages/notes.h"
#include "pages/spice/spicemenu.h"
#include "pages/stability/stabilitypage.h"
#include "ui_currentpumppage.h"
#include "values/fieldvalues.h"
#include "values/sivalues.h"

namespace {

// A current beyond the amplifier's peak turns its field red; a bad text is
// already red from its parse.
void markOverPeak(QLineEdit *field, bool over)
{
    if (!over)
        return;
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, Qt::red);
    field->setPalette(palette);
}

// The notes box as showNotes writes it, with the verdict in dark green when
// it is not a warning.
void showPumpNotes(QTextEdit *box, const ResultNotes &notes, int verdictLine)
{
    box->clear();
    for (int i = 0; i < notes.size(); ++i) {
        box->setTextColor(
            noteColour(notes[i].tone, i == verdictLine ? QColor(Qt::darkGreen) : QColor(Qt::black)));
        box->append(notes[i].text);
    }
    box->setTextColor(Qt::black);
    box->moveCursor(QTextCursor::Start);
    box->ensureCursorVisible();
}

} // namespace

CurrentPumpPage::CurrentPumpPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::CurrentPumpPage)
{
    ui->setupUi(this);
    // Short tab stops keep the indented read-outs on one line in the narrow box.
    ui->IHCPnotes->setTabStopDistance(ui->IHCPnotes->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
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
    entries().bind("sweepIHCP", &m_sweep, [this] {
        showSweepState();
        if (m_ready)
            setupIHCPplots();
    });
    const std::pair<const char *, QString *> texts[] = {
        { "IHCPRin", &m_e.rin },
        { "IHCPRinT", &m_e.rinTol },
        { "IHCPRfn", &m_e.rfn },
        { "IHCPRfnT", &m_e.rfnTol },
        { "IHCPRfp", &m_e.rfp },
        { "IHCPRfpT", &m_e.rfpTol },
        { "IHCPRs", &m_e.rs },
        { "IHCPRsT", &m_e.rsTol },
        { "IHCPRd", &m_e.rd },
        { "IHCPCd", &m_e.cd },
        { "IHCPRload", &m_e.rload },
        { "IHCPCload", &m_e.cload },
        { "IHCPLload", &m_e.lload },
        { "IHCPFreq", &m_e.freq },
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
    setupIHCP();
    setupIHCPplots();
    m_ready = true;
    selectText(ui->IHCPampSelector, QStringLiteral("QX370"));
    refreshIHCP();
}

void CurrentPumpPage::setupIHCP()
{
    setupSchematicCanvas(ui->IHCPschematic);
    addSpiceExportEntry(ui->IHCPschematic, this);
    connect(
        ui->IHCPschematic, &QCustomPlot::beforeReplot, this, [this] { fitIHCPschematic(ui->IHCPschematic); },
        Qt::UniqueConnection);
    connect(ui->IHCPschematic, &QCustomPlot::itemClick, this, &CurrentPumpPage::onIHCPItemClicked,
        Qt::UniqueConnection);
}

void CurrentPumpPage::setupIHCPplots()
{
    ::setupIHCPplots(ui->IHCPbode, m_sweep);
}

amp CurrentPumpPage::currentAmp() const
{
    return findLinear(catalogs().linear, ui->IHCPampSelector->currentText());
}

QString CurrentPumpPage::amplifierName() const
{
    return ui->IHCPampSelector->currentText();
}

int CurrentPumpPage::amplifierIndex() const
{
    return ui->IHCPampSelector->currentIndex();
}

QString CurrentPumpPage::maxIoutText() const
{
    return ui->IHCPmaxIout->text();
}

QString CurrentPumpPage::minIoutText() const
{
    return ui->IHCPminIout->text();
}

void CurrentPumpPage::refreshIHCP()
{
    markChanged();
    const amp a = currentAmp();
    // An option from an older design may not exist on this amplifier.
    if (m_compOption < 0 || m_compOption >= std::max(1, a.SROptions))
        m_compOption = 0;
    PumpInput in;
    in.e = m_e;
    in.option = m_compOption;
    in.inverting = ui->IHCPInvButton->isChecked();
    in.sweep = m_sweep;
    field2Number(ui->IHCPtrans, QStringLiteral("R"));
    field2Number(ui->IHCPtol, QStringLiteral("R"));
    in.iMax = field2Number(ui->IHCPmaxIout, QStringLiteral("R"));
    in.iMin = field2Number(ui->IHCPminIout, QStringLiteral("R"));
    m_result = computePump(in, a);
    markOverPeak(ui->IHCPmaxIout, m_result.iMaxOver);
    markOverPeak(ui->IHCPminIout, m_result.iMinOver);
    showPumpNotes(ui->IHCPnotes, m_result.notes, m_result.verdictLine);
    if (m_sweep)
        drawIHCPsweep(ui->IHCPbode, m_result.sweep);
    else
        drawIHCPbode(ui->IHCPbode, m_result.bode);
    drawIHCP();
    replotWhenVisible(ui->IHCPbode);
}

void CurrentPumpPage::drawIHCP()
{
    PumpSchematicCase c;
    c.record = currentAmp();
    c.inverting = ui->IHCPInvButton->isChecked();
    c.option = m_compOption;
    c.e = m_e;
    c.vIn = m_result.vInText;
    c.vAtLoad = m_result.vAtLoad;
    m_labels = ::drawIHCP(ui->IHCPschematic, c);
    // The fit to the canvas runs in the replot, so the schematic replots at once.
    ui->IHCPschematic->replot();
}

void CurrentPumpPage::IHCPauto()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    PumpAutoInput in;
    in.transconductance = field2Number(ui->IHCPtrans, QStringLiteral("R"));
    in.tolerance = field2Number(ui->IHCPtol, QStringLiteral("R"));
    in.inverting = ui->IHCPInvButton->isChecked();
    in.rin = string2Number(m_e.rin);
    in.rs = string2Number(m_e.rs);
    in.load = pumpLoad(m_e);
    const PumpAutoResult r = ::IHCPauto(in);
    m_e.rd = m_e.cd = QStringLiteral("open");
    m_e.rfn = r.rfn;
    m_e.rfp = r.rfp;
    m_e.rinTol = r.tolIn;
    m_e.rfnTol = r.tolFn;
    m_e.rfpTol = r.tolFp;
    m_e.rsTol = r.tolS;
    QApplication::restoreOverrideCursor();
}

void CurrentPumpPage::importDesign(int ampIndex, const QString &rload, const QString &cload,
    const QString &lload, const QString &freq, double iMax, double iMin)
{
    m_e.rload = rload;
    m_e.cload = cload;
    m_e.lload = lload;
    m_e.freq = freq;
    // formatSI keeps the sign (the field formatter does not); without its
    // blanks the text reads back as the same current.
    ui->IHCPmaxIout->setText(formatSI(iMax, QString()).remove(QLatin1Char(' ')));
    ui->IHCPminIout->setText(formatSI(iMin, QString()).remove(QLatin1Char(' ')));
    if (ampIndex != ui->IHCPampSelector->currentIndex() && ampIndex >= 0
        && ampIndex < ui->IHCPampSelector->count()) {
        ui->IHCPampSelector->setCurrentIndex(ampIndex);
        m_compOption = 0;
    }
    refreshIHCP();
}

void CurrentPumpPage::onIHCPItemClicked(QCPAbstractItem *item, QMouseEvent *event)
{
    Q_UNUSED(event);
    const int slot = matchLabelSlot(item, m_labels);
    if (slot >= 0)
        editLabel(slot);
    refreshIHCP();
}

void CurrentPumpPage::editLabel(int slot)
{
    QCPItemText *label = m_labels[slot];
    switch (slot) {
    case PumpRinN:
    case PumpRinP:
        changeRtolerance(this, m_e.rin, m_e.rinTol);
        break;
    case PumpRfn:
        changeRtolerance(this, m_e.rfn, m_e.rfnTol);
        break;
    case PumpRfp:
        changeRtolerance(this, m_e.rfp, m_e.rfpTol);
        break;
    case PumpRs:
        changeRtolerance(this, m_e.rs, m_e.rsTol);
        break;
    case PumpLoad:
        changeLoad(this, m_e);
        break;
    case PumpRd:
        m_e.rd = changeStabValue(label, QStringLiteral("R_D"), QStringLiteral("\u03A9"), m_e.rd);
        break;
    case PumpCd:
        m_e.cd = changeStabValue(label, QStringLiteral("C_D"), QStringLiteral("F"), m_e.cd);
        break;
    case PumpCcomp:
        m_compOption = StabilityPage::changeCcomp(this, label, currentAmp(), m_compOption);
        break;
    default:
        break;
    }
}

// The button names the view it switches to.
void CurrentPumpPage::showSweepState()
{
    ui->IHCPsweepButton->setText(
        m_sweep ? QStringLiteral("Bode Plot") : QStringLiteral("Sweep Load Impedance"));
}

void CurrentPumpPage::on_IHCPtrans_editingFinished()
{
    refreshIHCP();
}

void CurrentPumpPage::on_IHCPtol_editingFinished()
{
    refreshIHCP();
}

void CurrentPumpPage::on_IHCPmaxIout_editingFinished()
{
    refreshIHCP();
}

void CurrentPumpPage::on_IHCPminIout_editingFinished()
{
    refreshIHCP();
}

void CurrentPumpPage::on_IHCPauto_clicked()
{
    IHCPauto();
    refreshIHCP();
}

void CurrentPumpPage::on_IHCPInvButton_toggled(bool)
{
    refreshIHCP();
}

// A user's choice of amplifier resets the compensation option; a design file
// choosing the part leaves the option it stores.
void CurrentPumpPage::on_IHCPampSelector_activated(int)
{
    m_compOption = 0;
    refreshIHCP();
}

void CurrentPumpPage::on_IHCPsweepButton_clicked()
{
    m_sweep = !m_sweep;
    showSweepState();
    setupIHCPplots();
    refreshIHCP();
}

void CurrentPumpPage::on_IHCPimportSOA_clicked()
{
    emit importFromSoaRequested();
}

void CurrentPumpPage::on_IHCPexportSOA_clicked()
{
    emit exportToSoaRequested();
}

SpiceNetlist CurrentPumpPage::spiceNetlist(const QString &design) const
{
    if (!m_result.drawable) {
        SpiceNetlist none;
        none.unavailable = tr("This amplifier does not take both inputs, so it cannot drive the pump.");
        return none;
    }
    auto value = [](const QString &text) { return string2Number(text); };
    auto capacitance = [](const QString &text) {
        const double c = string2Number(text);
        return text == QLatin1String("open") || c == kOpenValue ? 0.0 : c;
    };
    PumpCircuit c;
    c.ampName = ui->IHCPampSelector->currentText();
    c.inverting = ui->IHCPInvButton->isChecked();
    c.rinNeg = c.rinPos = value(m_e.rin);
    c.rfNeg = value(m_e.rfn);
    c.rfPos = value(m_e.rfp);
    c.rs = value(m_e.rs);
    c.cd = capacitance(m_e.cd);
    c.rd = c.cd > 0 ? value(m_e.rd) : kOpenValue;
    c.rload = value(m_e.rload);
    c.lload = m_e.lload == QLatin1String("short") ? 0.0 : value(m_e.lload);
    c.seriesC = m_e.cload != QLatin1String("short")
        && (m_e.cload == QLatin1String("open") || value(m_e.cload) != kOpenValue);
    c.cload = capacitance(m_e.cload);
    c.frequency = value(m_e.freq);
    return currentPumpNetlist(c, spiceTitle(tr("current pump page"), design));
}
