#include "pages/pwm/pwmpowerpage.h"

#include "pages/pwm/pwmnetlist.h"

#include "app/schematic/primitives.h"
#include "app/schematic/valuelabels.h"
#include "pages/notes.h"
#include "pages/pwm/powerchart.h"
#include "pages/pwm/powersweep.h"
#include "pages/spice/spicemenu.h"
#include "ui_pwmpowerpage.h"
#include "values/fieldvalues.h"
#include "values/sivalues.h"

#include <algorithm>
#include <cmath>

namespace {

const QString kExceeds = QStringLiteral("Exceeds Abs Max");
const QString kVsLow = QStringLiteral("Vs too Low");
const QString kFswLow = QStringLiteral("Fsw too Low");

bool isWarning(const QString &text)
{
    return text == kExceeds || text == kVsLow || text == kFswLow;
}

// Three significant digits, shortest form; a dash for no finite value.
QString number3(double value)
{
    return std::isfinite(value) ? general3(value) : noValueText();
}

} // namespace

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
    setupSPower();
}

PwmPowerPage::~PwmPowerPage()
{
    delete ui;
}

void PwmPowerPage::setupSPower()
{
    ui->yVariable->clear();
    ui->yVariable->addItems({ "Impedance", "Current", "Voltage", "Phase Shift", "Power", "Overall Efficiency",
        "Attenuation (dB)", "Attenuation (%)" });
    ui->yVariable->setCurrentIndex(6);
    ui->SigTypePWM->clear();
    ui->SigTypePWM->addItems({ "Max V_out = ", "Max I_out = " });
    ui->SigTypePWM->setCurrentIndex(0);
    setupPowerSweepChart(ui->FilterFreq);
    setupSchematicCanvas(ui->FullFilter);
    addSpiceExportEntry(ui->FullFilter, this);
    ui->ExtendedLoad->setText(QStringLiteral("Extended Load"));
    ui->FBPower->setChecked(true);
    ui->SIpower->setChecked(true);
    connect(
        ui->FullFilter, &QCustomPlot::beforeReplot, this, [this] { fitSchematicView(ui->FullFilter, 8); });
    connect(ui->FullFilter, &QCustomPlot::itemClick, this, &PwmPowerPage::onSPowerItemClicked);
    connect(ui->PowerTabs, &QTabWidget::currentChanged, this, [this] { replotVisible(); });
}

void PwmPowerPage::initialise()
{
    selectText(ui->ampSelectorPower, QStringLiteral("TZ636"));
    refresh();
}

void PwmPowerPage::refresh()
{
    refreshPower();
    plotFullFilter();
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
    FilterNetwork n;
    resetNetworkElements(n);
    setNetwork(n);
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

FilterNetwork PwmPowerPage::network() const
{
    FilterNetwork n;
    for (int i = 0; i < 6; ++i)
        n.filter[i] = m_elements[i];
    n.matching = m_elements[6];
    for (int i = 0; i < 5; ++i)
        n.load[i] = m_elements[7 + i];
    n.extendedLoad = m_extendedLoad;
    n.order = ui->PWMfilterOrder->value();
    n.nL = inductorFactor(ui->DCpower->isChecked(), ui->SIpower->isChecked());
    n.nC = capacitorFactor(ui->DCpower->isChecked());
    return n;
}

void PwmPowerPage::setNetwork(const FilterNetwork &n)
{
    for (int i = 0; i < 6; ++i)
        m_elements[i] = n.filter[i];
    m_elements[6] = n.matching;
    for (int i = 0; i < 5; ++i)
        m_elements[7 + i] = n.load[i];
}

// The parasitic equations are saved as one line per group. The electrolytic
// line carries all four coefficients so that none is lost on reopening.
QVector<std::pair<QString, QVector<QLineEdit *>>> PwmPowerPage::parasiticGroups() const
{
    return { { "Lparasitics", { ui->LESRB, ui->LESRC, ui->LEPCB, ui->LEPCC } },
        { "Pparasitics", { ui->PESRB, ui->PESRC, ui->PESLB, ui->PESLC } },
        { "Eparasitics", { ui->EESRB, ui->EESRC, ui->EESLB, ui->EESLC } } };
}

// A field that a save writes as typed last, though it may show a warning.
static EntryBinding typedFieldBinding(QLineEdit *field, QString *typed)
{
    return EntryBinding { [field, typed] { return isWarning(field->text()) ? *typed : field->text(); },
        [field, typed](const QString &value, bool) {
            field->setText(value);
            *typed = value;
        } };
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
    entries().bind("VsPWM", typedFieldBinding(ui->VsPWM, &m_typedVs));
    entries().bind("FsPWM", typedFieldBinding(ui->FsPWM, &m_typedFsw));
    bindSelector("ampSelectorPower", ui->ampSelectorPower, SelectorLists::Catalog::Pwm);
}

void PwmPowerPage::fillSelectors()
{
    fillSelector(ui->ampSelectorPower, SelectorLists::pwmPower(catalogs()));
}

pwm PwmPowerPage::currentAmplifier() const
{
    return findSwitching(catalogs().pwms, ui->ampSelectorPower->currentText());
}

// A single output cannot drive a bridge, and a half bridge has one leg.
void PwmPowerPage::applyOutputRules()
{
    const bool single = currentAmplifier().outputs < 2;
    if (single)
        ui->HBPower->setChecked(true);
    ui->FBPower->setEnabled(!single);
    const bool half = ui->HBPower->isChecked();
    if (half)
        ui->SEpower->setChecked(true);
    ui->DCpower->setEnabled(!half);
    ui->SIpower->setEnabled(!half);
}

// The field shows the warning; the computation and a save keep the value typed.
void PwmPowerPage::checkSupplyAndFrequency(const pwm &amp)
{
    if (!isWarning(ui->VsPWM->text()))
        m_typedVs = ui->VsPWM->text();
    if (!isWarning(ui->FsPWM->text()) && ui->FsPWM->isEnabled())
        m_typedFsw = ui->FsPWM->text();
    const double Vs = string2Number(m_typedVs);
    if (Vs > amp.Vs_max || ui->VsPWM->text() == kExceeds)
        ui->VsPWM->setText(kExceeds);
    else if (amp.Vs_min > Vs)
        ui->VsPWM->setText(kVsLow);
    else
        ui->VsPWM->setText(m_typedVs);
    const double fk = string2Number(m_typedFsw) / 1000;
    if (amp.Fsw_max == amp.Fsw_min) {
        m_typedFsw = fieldSIText(amp.Fsw_max * 1000, QString());
        ui->FsPWM->setText(m_typedFsw);
        ui->FsPWM->setEnabled(false);
        return;
    }
    ui->FsPWM->setEnabled(true);
    if (fk > amp.Fsw_max || ui->FsPWM->text() == kExceeds)
        ui->FsPWM->setText(kExceeds);
    else if (amp.Fsw_min > fk)
        ui->FsPWM->setText(kFswLow);
    else
        ui->FsPWM->setText(m_typedFsw);
}

PowerInput PwmPowerPage::readInput()
{
    PowerInput in;
    in.amp = currentAmplifier();
    in.network = network();
    // A warning in the field is not a bad entry: the typed value is parsed.
    in.Vs = isWarning(ui->VsPWM->text()) ? string2Number(m_typedVs) : field2Number(ui->VsPWM, QString());
    in.fsw = isWarning(ui->FsPWM->text()) ? string2Number(m_typedFsw) : field2Number(ui->FsPWM, QString());
    in.fsig = field2Number(ui->FsigPWM, QString());
    in.signalType = ui->SigTypePWM->currentIndex();
    in.outMax = field2Number(ui->PWMOut, QString());
    in.outMin = field2Number(ui->PWMOutMin, QString());
    in.fullBridge = ui->FBPower->isChecked();
    in.singleEnded = ui->SEpower->isChecked();
    in.Ta = field2Number(ui->tempAPower, QString());
    in.heatsink = field2Number(ui->heatsinkPower, QString());
    in.compound = field2Number(ui->ThermalCompoundPower, QString());
    in.FminAuto = ui->Fmin->text().trimmed().compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0;
    in.FmaxAuto = ui->Fmax->text().trimmed().compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0;
    if (!in.FminAuto)
        in.Fmin = field2Number(ui->Fmin, QString());
    if (!in.FmaxAuto)
        in.Fmax = field2Number(ui->Fmax, QString());
    return in;
}

void PwmPowerPage::refreshPower()
{
    markChanged();
    const pwm amp = currentAmplifier();
    applyOutputRules();
    const bool current = ui->SigTypePWM->currentIndex() == 1;
    ui->SigTypePWMMin->setText(current ? QStringLiteral("Min I_out = ") : QStringLiteral("Min V_out = "));
    ui->VorILabelMax->setText(current ? QStringLiteral("A") : QStringLiteral("V"));
    ui->VorILabelMin->setText(current ? QStringLiteral("A") : QStringLiteral("V"));
    checkSupplyAndFrequency(amp);
    const PowerInput in = readInput();
    m_sweepInput = in;
    const SweepChart chart = powerSweep(in, SweepView(qBound(0, ui->yVariable->currentIndex(), 7)));
    drawPowerSweep(ui->FilterFreq, chart.sweep, in.fsig);
    setLabelSI(chart.Fhotspot, ui->Fhotspot, QStringLiteral("Hz"));
    replotWhenVisible({ ui->FilterFreq, ui->FullFilter });
    PWMpowerDetails();
}

void PwmPowerPage::PWMpowerDetails()
{
    markChanged();
    showPowerResult(computePower(readInput()));
}

void PwmPowerPage::showPowerResult(const PowerResult &r)
{
    showNotes(ui->PowerNotes, r.notes);
    setLabelSI(r.piq.PVs, ui->PiqVs, QStringLiteral("W"));
    setLabelSI(r.piq.PVcc, ui->PiqVcc, QStringLiteral("W"));
    ui->TcMaxPower->setText(number3(r.TcSugg));
    showNote(ui->TcMaxPower, { ui->TcMaxPower->text(), r.tcMaxTone });
    const QString heatsink = r.heatsinkNotNeeded ? QStringLiteral("none") : number3(r.RsaMin);
    showNote(ui->minHeatsinkPower, { heatsink, r.minHeatsinkTone });
    const QString runaway = QStringLiteral("Thermal Runaway");
    showNote(ui->tempCPower, { r.runaway ? runaway : number3(r.Tc), r.tempCTone });
    showNote(ui->tempJPower, { r.runaway ? runaway : number3(r.Tj), r.tempJTone });
    ui->VrangePower->setText(
        number3(r.linearLow) + QStringLiteral(" to ") + number3(r.linearHigh) + QStringLiteral(" V"));
    setLabelSI(2 * r.Irip, ui->IripplePower, QStringLiteral("A peak"));
    setLabelSI(r.Vrip, ui->VripplePower, QStringLiteral("V peak"));
    setLabelSI(r.Pout, ui->PoutPower, QStringLiteral("W rms"));
    const bool full = ui->FBPower->isChecked();
    const QString perElement = full ? QStringLiteral("W rms per channel") : QStringLiteral("W rms");
    setLabelSI(full ? r.Ptop / 2 : r.Ptop, ui->PtopPower, perElement);
    setLabelSI(full ? r.Pbot / 2 : r.Pbot, ui->PbotPower, perElement);
    showNote(ui->PampPower, { labelSIText(r.Ptot, QStringLiteral("W")), r.powerTone });
    setLabelSI(r.Pwire, ui->Pwire, QStringLiteral("W rms"));
    setLabelSI(r.Ptot, ui->Ptotal, QStringLiteral("W"));
}

void PwmPowerPage::plotFullFilter()
{
    PowerSchematicCase c;
    for (const networkElement &e : m_elements)
        c.elements << e;
    c.order = ui->PWMfilterOrder->value();
    c.topology = ui->SEpower->isChecked() ? PowerSchematicCase::Topology::SingleEnded
        : ui->DCpower->isChecked()        ? PowerSchematicCase::Topology::DualCapacitor
                                          : PowerSchematicCase::Topology::SplitInductor;
    c.extendedLoad = m_extendedLoad;
    m_labels = drawPowerSchematic(ui->FullFilter, c);
    replotWhenVisible(ui->FullFilter);
}

void PwmPowerPage::networkEdited()
{
    refreshPower();
    plotFullFilter();
}

void PwmPowerPage::applyFilterExport(const FilterExport &design)
{
    markChanged();
    resetNetwork();
    (design.halfBridge ? ui->HBPower : ui->FBPower)->setChecked(true);
    using T = FilterExport::Topology;
    (design.topology == T::SingleEnded            ? ui->SEpower
            : design.topology == T::DualCapacitor ? ui->DCpower
                                                  : ui->SIpower)
        ->setChecked(true);
    for (int i = 0; i < 6; ++i)
        m_elements[i] = design.filter[i];
    m_elements[6] = design.matching;
    for (int i = 0; i < 5; ++i)
        m_elements[7 + i] = design.load[i];
    {
        const QSignalBlocker blocker(ui->PWMfilterOrder);
        ui->PWMfilterOrder->setValue(design.order);
    }
    setExtendedLoad(false);
    selectText(ui->ampSelectorPower, design.amplifier);
    ui->VsPWM->setText(design.Vs);
    m_typedVs = design.Vs;
    ui->FsPWM->setText(design.Fsw);
    m_typedFsw = design.Fsw;
    ui->PowerTabs->setCurrentIndex(0);
    refreshPower();
    plotFullFilter();
}

PowerPageState PwmPowerPage::powerState() const
{
    PowerPageState s;
    s.network = network();
    s.fullBridge = ui->FBPower->isChecked();
    s.amplifier = ui->ampSelectorPower->currentText();
    s.Fsig = ui->FsigPWM->text();
    s.Vs = isWarning(ui->VsPWM->text()) ? m_typedVs : ui->VsPWM->text();
    s.Vout = ui->PWMOut->text();
    s.VoutMin = ui->PWMOutMin->text();
    s.Fsw = isWarning(ui->FsPWM->text()) ? m_typedFsw : ui->FsPWM->text();
    return s;
}

void PwmPowerPage::onSPowerItemClicked(QCPAbstractItem *item, QMouseEvent *event)
{
    Q_UNUSED(event);
    if (!item)
        return;
    QVector<QCPItemText *> items;
    for (const PowerSchematicLabel &l : m_labels)
        items << l.item;
    const int slot = matchLabelSlot(item, items);
    if (slot < 0)
        return;
    const PowerSchematicLabel label = m_labels[slot];
    networkElement &e = m_elements[label.element];
    switch (label.kind) {
    case PowerSchematicLabel::Kind::Inductor:
        changeInductor(this, &e.L, &e.R, &e.C, label.item);
        break;
    case PowerSchematicLabel::Kind::Capacitor:
        changeCapacitor(this, &e.C, &e.R, &e.L, label.item);
        break;
    case PowerSchematicLabel::Kind::Value: {
        QString &s = label.string == 'L' ? e.L : label.string == 'C' ? e.C : e.R;
        s = changeSConValue(label.item, s, label.unit);
        break;
    }
    }
    networkEdited();
}

SpiceNetlist PwmPowerPage::spiceNetlist(const QString &design) const
{
    // The attenuation chart's range, reaching past the switching frequency
    // so that the ripple's attenuation can be read too.
    const SweepRange range = attenuationSweepRange(m_sweepInput);
    const double fsw = m_sweepInput.fsw;
    const double high = fsw > 0 && fsw < kOpenValue ? std::max(range.high, 2 * fsw) : range.high;
    return pwmNetworkNetlist(network(), range.low, high, 50, spiceTitle(tr("PWM power page"), design));
}
