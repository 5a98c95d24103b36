#include "pages/stability/stabilitypage.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

#include <qcustomplot.h>

#include "app/schematic/primitives.h"
#include "app/schematic/valuelabels.h"
#include "pages/notes.h"
#include "pages/spice/spicemenu.h"
#include "pages/stability/autocompensate.h"
#include "pages/stability/stabilitycharts.h"
#include "pages/stability/stabnetlist.h"
#include "ui_stabilitypage.h"
#include "values/fieldvalues.h"
#include "values/sivalues.h"

namespace {

QString hostNumber(double v)
{
    return QString::number(v, 'g', 6);
}

} // namespace

StabilityPage::StabilityPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::StabilityPage)
{
    ui->setupUi(this);
    // The composite tips and the calculators' results wrap to their column.
    // A wrapping label asks its layout for a height at a guessed width, which
    // made the whole page taller than the smallest window; each gets the lines
    // it needs at the narrowest column instead.
    const auto fixedLines = [](QLabel *label, int lines) {
        QSizePolicy policy = label->sizePolicy();
        policy.setHeightForWidth(false);
        label->setSizePolicy(policy);
        label->setMinimumHeight(lines * label->fontMetrics().lineSpacing() + 2 * label->margin() + 2);
    };
    fixedLines(ui->stabCompositeTip1, 3);
    fixedLines(ui->stabCompositeTip2, 3);
    for (QLabel *result : { ui->RCPCC1, ui->RCPCF2, ui->RCPCR3, ui->R_ISO_P })
        fixedLines(result, 2);
    for (QTabWidget *tabs : { ui->StabilityTab, ui->StabilityTabOutput })
        connect(tabs, &QTabWidget::currentChanged, this, [this] { replotVisible(); });
    bindEntries();
}

StabilityPage::~StabilityPage()
{
    delete ui;
}

void StabilityPage::initialise()
{
    setupBodePlot();
    setupStabSch();
    const int index = ui->AmpSelectorStab->findText(QStringLiteral("QX385"));
    if (index >= 0)
        ui->AmpSelectorStab->setCurrentIndex(index);
    refreshStab();
}

void StabilityPage::bindEntries()
{
    entries().bind("CompOption", &m_compOption, 0);
    entries().bind("phaseShiftComponents", &m_phaseShiftComponents);
    for (const char *key :
        { "CLoadStab", "RisoC", "RinC", "RfbC", "CfbC", "RngC", "CngC", "RclC", "LLoadStab", "RloadL", "RinL",
            "RfbL", "CfbL", "RdL", "RsL", "RsGainL", "hostRin", "compRfb", "compCfb", "hostRng", "hostCng" })
        entries().bind(key, m_parts.field(QLatin1String(key)));
    bindSelector("AmpSelectorStab", ui->AmpSelectorStab, SelectorLists::Catalog::Linear);
    bindSelector("hostSelector", ui->hostSelector, SelectorLists::Catalog::Host);
}

void StabilityPage::fillSelectors()
{
    fillSelector(ui->AmpSelectorStab, SelectorLists::linear(catalogs()));
}

void StabilityPage::refresh()
{
    refreshStab();
    RCPC();
}

amp StabilityPage::currentAmplifier() const
{
    return findLinear(catalogs().linear, ui->AmpSelectorStab->currentText());
}

StabLoad StabilityPage::currentLoad() const
{
    return ui->LloadButton->isChecked() ? StabLoad::Inductive : StabLoad::Capacitive;
}

SpiceNetlist StabilityPage::spiceNetlist(const QString &design) const
{
    return stabilityNetlist(gatherInput(), currentLoad(), ui->compositeCheckBox->isChecked(),
        spiceTitle(tr("stability page"), design));
}

LoopInput StabilityPage::gatherInput() const
{
    LoopInput in;
    in.amplifier = currentAmplifier();
    in.parts = m_parts;
    in.inverting = ui->StabInv->isChecked();
    in.option = m_compOption;
    in.host.aol = field2Number(ui->hostAOL, QStringLiteral("R"));
    in.host.pole1 = field2Number(ui->hostPole1, QStringLiteral("R"));
    in.host.pole2 = field2Number(ui->hostPole2, QStringLiteral("R"));
    in.host.pole3 = field2Number(ui->hostPole3, QStringLiteral("R"));
    return in;
}

// The amplifier decides which loads, configurations and composite use it
// allows. Returns whether a button changed, so that the analysis always
// describes the circuit that is drawn.
bool StabilityPage::applyCaseLimits(const amp &record)
{
    const QSignalBlocker b1(ui->CloadButton), b2(ui->LloadButton), b3(ui->StabInv), b4(ui->StabNon),
        b5(ui->compositeCheckBox);
    const bool before[]
        = { ui->CloadButton->isChecked(), ui->StabInv->isChecked(), ui->compositeCheckBox->isChecked() };

    ui->StabInv->setEnabled(true);
    if (record.Loads == QLatin1String("all")) {
        ui->LloadButton->setEnabled(true);
    } else {
        ui->CloadButton->setChecked(true);
        ui->LloadButton->setEnabled(false);
    }
    if (record.Inputs == QLatin1String("inv")) {
        ui->compositeCheckBox->setChecked(false);
        ui->compositeCheckBox->setEnabled(false);
    } else {
        ui->compositeCheckBox->setEnabled(true);
    }
    if (!ui->compositeCheckBox->isChecked()) {
        if (record.Inputs == QLatin1String("non")) {
            ui->StabNon->setChecked(true);
            ui->StabNon->setEnabled(true);
            ui->StabInv->setEnabled(false);
        } else if (record.Inputs == QLatin1String("inv")) {
            ui->StabInv->setChecked(true);
            ui->StabNon->setEnabled(false);
        } else {
            ui->StabInv->setEnabled(true);
            ui->StabNon->setEnabled(true);
        }
    } else {
        ui->StabInv->setEnabled(true);
        ui->StabNon->setEnabled(true);
    }
    // The inductive booster drawing is non-inverting only.
    if (ui->LloadButton->isChecked() && !ui->compositeCheckBox->isChecked()
        && record.CircuitType == QLatin1String("BQ840")) {
        ui->StabInv->setEnabled(false);
        ui->StabNon->setChecked(true);
    }
    const bool after[]
        = { ui->CloadButton->isChecked(), ui->StabInv->isChecked(), ui->compositeCheckBox->isChecked() };
    return !std::equal(std::begin(before), std::end(before), std::begin(after));
}

void StabilityPage::refreshStab()
{
    markChanged();
    ui->StabilityDetails->clear();
    applyCaseLimits(currentAmplifier());
    determineCase();
    const bool legends = !ui->HidePhaseLegend->isChecked();
    ui->GainPlot->legend->setVisible(legends);
    ui->PhasePlot->legend->setVisible(legends);
    ui->phaseButton->setText(m_phaseShiftComponents ? QStringLiteral("View Phase Shift")
                                                    : QStringLiteral("View Phase Components"));
    decideStabSch();
    replotWhenVisible({ ui->GainPlot, ui->PhasePlot });
}

void StabilityPage::determineCase()
{
    const LoopInput in = gatherInput();
    const int options = std::max(1, in.amplifier.SROptions);
    // An option from an older design may not exist on this amplifier.
    if (m_compOption < 0 || m_compOption >= options) {
        m_compOption = 0;
        determineCase();
        return;
    }
    const LoopResult r = evaluateLoop(in, currentLoad(), ui->compositeCheckBox->isChecked(), true);
    showResult(r);
    drawBodeCharts(ui->GainPlot, ui->PhasePlot, r, m_phaseShiftComponents);
    for (const QString &line : r.details)
        ui->StabilityDetails->append(line);
    ui->StabilityDetails->moveCursor(QTextCursor::Start);
}

void StabilityPage::showResult(const LoopResult &r)
{
    // A stable loop reads in green.
    showNote(ui->Stability, r.verdictNote, QColor(QStringLiteral("green")));
    ui->Stability->setFont(QFont(QStringLiteral("Agency FB"), 20));
    ui->SlewRateStab->setText(number2String(r.slewRate) + QStringLiteral(" V/\u00B5s"));
    setLabelSI(r.closureFrequency, ui->Fclosure, QStringLiteral("Hz"));
    setLabelSI(r.maxBandwidth, ui->MaxBW, QStringLiteral("Hz"));
    ui->PhaseMargin->setText(number2String(r.phaseMargin) + QStringLiteral("\u00B0"));
    ui->RateClosure->setText(number2String(r.rateOfClosure) + QStringLiteral(" dB/dec"));
    m_stabPhaseMargin = r.phaseMargin;
}

void StabilityPage::setupBodePlot()
{
    setupBodeChart(ui->GainPlot, QStringLiteral("Bode Plot - Gain"), QStringLiteral("Gain [dB]"), -20, 140,
        20, Qt::AlignTop | Qt::AlignRight);
    setupBodeChart(ui->PhasePlot, QStringLiteral("Bode Plot - Phase"), QStringLiteral("Phase Shift [\u00B0]"),
        -180, 180, 45, Qt::AlignBottom | Qt::AlignLeft);
    const QSignalBlocker blocker(ui->hostSelector);
    ui->hostSelector->clear();
    ui->hostSelector->addItem(QString());
    for (const amp &h : catalogs().host)
        ui->hostSelector->addItem(h.ampName);
}

void StabilityPage::setupStabSch()
{
    setupSchematicCanvas(ui->StabSch);
    addSpiceExportEntry(ui->StabSch, this);
    // Equal scales on both axes whatever the canvas size, with room for every label.
    connect(ui->StabSch, &QCustomPlot::beforeReplot, this, &StabilityPage::fitStabSch, Qt::UniqueConnection);
    connect(ui->StabSch, &QCustomPlot::itemClick, this, &StabilityPage::onStabSchItemClicked,
        Qt::UniqueConnection);
}

void StabilityPage::fitStabSch()
{
    fitStabSchematic(ui->StabSch);
}

void StabilityPage::decideStabSch()
{
    StabSchematicCase c;
    c.record = currentAmplifier();
    c.load = currentLoad();
    c.composite = ui->compositeCheckBox->isChecked();
    c.inverting = ui->StabInv->isChecked();
    c.option = m_compOption;
    c.parts = m_parts;
    m_labels = drawStabSchematic(ui->StabSch, c);
    // The fit to the canvas runs in the replot and needs the canvas laid out,
    // so the schematic replots at once and its ranges always match the drawing;
    // only the two charts wait until they are in view.
    ui->StabSch->replot();
}

void StabilityPage::onStabSchItemClicked(QCPAbstractItem *item, QMouseEvent *event)
{
    Q_UNUSED(event);
    QVector<QCPItemText *> items;
    for (const StabSchematicLabel &l : m_labels)
        items.append(l.item);
    const int slot = matchLabelSlot(item, items);
    if (slot >= 0) {
        const StabSchematicLabel label = m_labels[slot];
        switch (label.kind) {
        case StabSchematicLabel::Value:
            if (QString *field = m_parts.field(label.key))
                *field = changeStabValue(label.item, label.name, label.unit, *field);
            break;
        case StabSchematicLabel::Ccomp:
            m_compOption = changeCcomp(this, label.item, currentAmplifier(), m_compOption);
            break;
        case StabSchematicLabel::Rcomp:
            changeRcomp(this);
            break;
        }
    }
    refreshStab();
}

int StabilityPage::changeCcomp(QWidget *parent, QCPItemText *label, const amp &record, int option)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Change Compensation Capacitor"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *form = new QFormLayout;
    auto *choice = new QComboBox(&dialog);
    choice->setObjectName(QStringLiteral("stabCcompChoice"));
    const int n = record.SROptions;
    for (int i = 0; i < n; ++i) {
        const double pf = record.Ccomp.value(i);
        QString text = QString::number(pf, 'g', 6);
        if (!record.SRboost || i < n / 2) {
            if (pf == 0)
                text += QStringLiteral(" (open)");
        } else {
            text += QStringLiteral(" + Boost Supplies");
        }
        choice->addItem(text);
    }
    choice->setCurrentIndex(option);
    form->addRow(QStringLiteral("C_COMP (pF)"), choice);
    layout->addLayout(form);
    layout->addWidget(
        new QLabel(QStringLiteral("More Compensation tends to increase Phase Margin \nat the expense of Slew "
                                  "Rate and Bandwidth."),
            &dialog));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted || choice->currentIndex() < 0)
        return option;
    const int chosen = choice->currentIndex();
    if (label)
        label->setText(stabCcompText(record, chosen));
    return chosen;
}

void StabilityPage::changeRcomp(QWidget *parent)
{
    QMessageBox::information(parent, QStringLiteral("Change Compensation Resistor"),
        QStringLiteral("R_COMP is paired with C_COMP. See Product Datasheet "
                       "for details. Select C_COMP to alter compensation."));
}

namespace {

// 1 / (2 pi a b) into the label; a zero (or unreadable) input has no finite
// answer, and the label then shows a dash rather than an infinity.
void reciprocalCalculator(double a, double b, QLabel *label, const QString &unit)
{
    const double value = 1 / (6.283185307179586 * a * b);
    if (std::isfinite(value))
        setLabelSI(value, label, unit);
    else
        label->setText(QStringLiteral("- ") + unit);
}

} // namespace

void StabilityPage::RCPC()
{
    const double r1 = field2Number(ui->RCPCR1, QStringLiteral("R"));
    const double f1 = field2Number(ui->RCPCF1, QStringLiteral("R"));
    reciprocalCalculator(r1, f1, ui->RCPCC1, QStringLiteral("F"));
    const double r2 = field2Number(ui->RCPCR2, QStringLiteral("R"));
    const double c2 = field2Number(ui->RCPCC2, QStringLiteral("C"));
    reciprocalCalculator(r2, c2, ui->RCPCF2, QStringLiteral("Hz"));
    const double f3 = field2Number(ui->RCPCF3, QStringLiteral("R"));
    const double c3 = field2Number(ui->RCPCC3, QStringLiteral("C"));
    reciprocalCalculator(f3, c3, ui->RCPCR3, QStringLiteral("\u03A9"));
    const double r = field2Number(ui->R_ISO_R, QStringLiteral("R"));
    const double i = field2Number(ui->R_ISO_I, QStringLiteral("R"));
    const double rating = i * i * r;
    ui->R_ISO_P->setText(QStringLiteral("Minimum R_ISO Power Rating: ")
        + (std::isfinite(rating) ? QString::number(rating, 'g', 6) : noValueText()) + QStringLiteral(" W"));
}

void StabilityPage::autoStabilize()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
    const StabSearchResult r = ::autoStabilize(
        gatherInput(), currentLoad(), ui->compositeCheckBox->isChecked(), ui->StabSlider->value());
    m_parts = r.parts;
    m_compOption = r.option;
    ui->StabSlider->setValue(r.slider);
    refreshStab();
    QApplication::restoreOverrideCursor();
    QApplication::processEvents();
}

void StabilityPage::on_AmpSelectorStab_activated(int)
{
    m_compOption = 0;
    refreshStab();
}

void StabilityPage::on_CloadButton_clicked()
{
    refreshStab();
}

void StabilityPage::on_LloadButton_clicked()
{
    refreshStab();
}

void StabilityPage::on_StabInv_toggled(bool)
{
    refreshStab();
}

void StabilityPage::on_HidePhaseLegend_clicked()
{
    refreshStab();
}

void StabilityPage::on_phaseButton_clicked()
{
    m_phaseShiftComponents = !m_phaseShiftComponents;
    refreshStab();
}

void StabilityPage::on_compositeCheckBox_clicked()
{
    refreshStab();
}

void StabilityPage::on_hostSelector_activated(int index)
{
    if (index <= 0 || index > catalogs().host.size()) {
        ui->hostAOL->clear();
        ui->hostPole1->clear();
        ui->hostPole2->clear();
        ui->hostPole3->clear();
    } else {
        const amp &h = catalogs().host[index - 1];
        ui->hostAOL->setText(hostNumber(h.Aol_DC));
        ui->hostPole1->setText(hostNumber(h.pole1.value(0)));
        ui->hostPole2->setText(hostNumber(h.pole2.value(0)));
        ui->hostPole3->setText(hostNumber(h.pole3.value(0)));
    }
    refreshStab();
}

void StabilityPage::on_hostAOL_editingFinished()
{
    refreshStab();
}

void StabilityPage::on_hostPole1_editingFinished()
{
    refreshStab();
}

void StabilityPage::on_hostPole2_editingFinished()
{
    refreshStab();
}

void StabilityPage::on_hostPole3_editingFinished()
{
    refreshStab();
}

void StabilityPage::on_RCPCR1_editingFinished()
{
    RCPC();
}

void StabilityPage::on_RCPCF1_editingFinished()
{
    RCPC();
}

void StabilityPage::on_RCPCR2_editingFinished()
{
    RCPC();
}

void StabilityPage::on_RCPCC2_editingFinished()
{
    RCPC();
}

void StabilityPage::on_RCPCF3_editingFinished()
{
    RCPC();
}

void StabilityPage::on_RCPCC3_editingFinished()
{
    RCPC();
}

void StabilityPage::on_R_ISO_R_editingFinished()
{
    RCPC();
}

void StabilityPage::on_R_ISO_I_editingFinished()
{
    RCPC();
}

void StabilityPage::on_StabAuto_clicked()
{
    autoStabilize();
}
