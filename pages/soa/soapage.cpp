#include "pages/soa/soapage.h"

#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalBlocker>
#include <cmath>

#include "app/schematic/valuelabels.h"
#include "pages/notes.h"
#include "pages/soa/loadcalc.h"
#include "pages/soa/soachart.h"
#include "pages/soa/soanetlist.h"
#include "pages/spice/spicemenu.h"
#include "qcustomplot.h"
#include "ui_soapage.h"
#include "values/fieldvalues.h"
#include "values/sivalues.h"

namespace {

const char *const kSeeDatasheet = "See datasheet for details.";

} // namespace

SoaPage::SoaPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::SoaPage)
{
    ui->setupUi(this);
    m_loadCalc = QStringList { QStringLiteral("short"), QStringLiteral("short"), QStringLiteral("short"),
        QStringLiteral("open"), QStringLiteral("open"), QStringLiteral("open"), QStringLiteral("0"),
        QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1k"),
        QStringLiteral("1k") };
    m_labels.fill(nullptr, SoaLabelCount);

    // A program (design file, example, hand-off) choosing another part resets
    // the chart at once, before the file's later keys are applied.
    connect(ui->AmpSelecterSOA, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &SoaPage::ampSelectionChanged);

    // Tab stops that line the power figures up in one column.
    const QFontMetrics fm(ui->PowerDetails->font());
    int longest = 0;
    for (const char *prefix : { "Amplifier Power (w/o quiescent): ", "Suggested Power Rating for R_CL: ",
             "Input Power (w/o quiescent): " })
        longest = qMax(longest, fm.horizontalAdvance(QLatin1String(prefix)));
    ui->PowerDetails->setTabStopDistance(
        qMax(fm.horizontalAdvance(QStringLiteral("Total Power: ")) + 4, longest / 2 + 4));
    ui->PowerDetails->setLineWrapMode(QTextEdit::NoWrap);
    // Room for the figures down to "Total Power" (after the blank first line)
    // at the smallest window; the lines below it may scroll.
    // A line too long for the box brings a scroll bar below it, which must not hide the last of them.
    ui->PowerDetails->setMinimumHeight(6 * fm.lineSpacing()
        + 2 * int(ui->PowerDetails->document()->documentMargin()) + 2 * ui->PowerDetails->frameWidth() + 2
        + ui->PowerDetails->horizontalScrollBar()->sizeHint().height());

    setupSOAschematic(ui->SOAsch);
    addSpiceExportEntry(ui->SOAsch, this);
    connect(ui->SOAsch, &QCustomPlot::itemClick, this, &SoaPage::onSOAschItemClicked);
    // Plot units stay square whatever the canvas size, so symbols keep their shape.
    connect(ui->SOAsch, &QCustomPlot::beforeReplot, this, [this] { fitSOAschematic(ui->SOAsch); });
    bindEntries();
    connect(ui->SOAdisplayTab, &QTabWidget::currentChanged, this, [this] { replotVisible(); });
}

SoaPage::~SoaPage()
{
    delete ui;
}

void SoaPage::initialise()
{
    m_period = SOAsine(
        string2Number(m_signal.frequency), string2Number(m_signal.maximum), string2Number(m_signal.minimum));
    setupSOAplot(ui->SOA);
    setupWavePlots(ui->voltageViewer, ui->currentViewer);
    {
        const QSignalBlocker blocker(ui->AmpSelecterSOA);
        const int index = ui->AmpSelecterSOA->findText(QStringLiteral("QX415A"));
        if (index >= 0)
            ui->AmpSelecterSOA->setCurrentIndex(index);
    }
    makeSOAplot();
    refreshSOA();
}

void SoaPage::bindEntries()
{
    // The twelve load-calculator texts, in the order the calculator sends them.
    static const char *const calcKeys[]
        = { "ResS", "CapS", "IndS", "ResP", "CapP", "IndP", "Z1", "Z2", "A1", "A2", "FreqS", "FreqP" };
    for (int i = 0; i < 12; ++i)
        entries().bind(calcKeys[i],
            EntryBinding { [this, i] { return m_loadCalc.value(i); },
                [this, i](const QString &value, bool) { m_loadCalc[i] = value; } });
    entries().bind("SOAVs_pos", &m_vsPos);
    entries().bind("SOAVs_neg", &m_vsNeg);
    entries().bind("SOAVb_pos", &m_vbPos);
    entries().bind("SOAVb_neg", &m_vbNeg);
    entries().bind("boostSup", &m_boost);
    entries().bind("SOAR_CS", &m_rcs);
    entries().bind("SignalType", &m_signal.type, 0, 3);
    entries().bind("SOAmaxOut", &m_signal.maximum);
    entries().bind("SOAminOut", &m_signal.minimum);
    entries().bind("SOAVout", &m_signal.voltage);
    entries().bind("SOAfreq", &m_signal.frequency);
    entries().bind("SOAtRise", &m_signal.tRise);
    entries().bind("SOAtHigh", &m_signal.tHigh);
    entries().bind("SOAtFall", &m_signal.tFall);
    entries().bind("SOAtLow", &m_signal.tLow);
    entries().bind("SOAcsvGain", &m_signal.csvScale);
    bindSelector("AmpSelecterSOA", ui->AmpSelecterSOA, SelectorLists::Catalog::Linear);
}

void SoaPage::fillSelectors()
{
    fillSelector(ui->AmpSelecterSOA, SelectorLists::linear(catalogs()));
}

amp SoaPage::currentAmp() const
{
    return findLinear(catalogs().linear, ui->AmpSelecterSOA->currentText());
}

void SoaPage::rebuildPeriod(const amp &a)
{
    const double maximum = string2Number(m_signal.maximum), minimum = string2Number(m_signal.minimum);
    switch (m_signal.type) {
    case 0:
        m_period = SOAsine(string2Number(m_signal.frequency), maximum, minimum);
        break;
    case 1:
        m_period = SOAtrap(string2Number(m_signal.tRise), string2Number(m_signal.tHigh),
            string2Number(m_signal.tFall), string2Number(m_signal.tLow), maximum, minimum);
        break;
    case 3:
        m_period = SOAmotor(string2Number(m_vsPos), string2Number(m_vsNeg),
            ui->MotorBox->currentText() == QLatin1String("Reversal"), a.I_pk);
        break;
    default:
        break; // an uploaded waveform stays as it was read
    }
}

SoaInput SoaPage::gatherInput(const amp &a)
{
    Q_UNUSED(a);
    SoaInput in;
    SoaSimInput &s = in.sim;
    s.period = m_period;
    s.voltageSignal = m_signal.voltage;
    s.scale = m_signal.type == 2 ? string2Number(m_signal.csvScale) : 1;
    s.R = field2Number(ui->SOA_Rload, QStringLiteral("R"));
    s.L = field2Number(ui->SOA_Lload, QStringLiteral("R"));
    s.C = field2Number(ui->SOA_Cload, QStringLiteral("C"));
    s.series = ui->SOA_series->isChecked();
    s.motor = m_signal.type == 3;
    const QString mode = ui->MotorBox->currentText();
    s.motorMode = mode == QLatin1String("Stall") ? MotorMode::Stall
        : mode == QLatin1String("Reversal")      ? MotorMode::Reversal
                                                 : MotorMode::Normal;
    s.motorESR = field2Number(ui->MotorESR, QStringLiteral("R"));
    s.motorI = field2Number(ui->MotorI, QStringLiteral("R"));
    s.motorEMF = field2Number(ui->MotorEMF, QStringLiteral("R"));
    s.motorVDC = field2Number(ui->MotorVDC, QStringLiteral("R"));
    s.vsPos = string2Number(m_vsPos);
    s.vsNeg = string2Number(m_vsNeg);
    s.boost = m_boost;
    s.rcs = string2Number(m_rcs);
    // A disabled entry has no say: the spin box inside an unchecked group counts as one amplifier.
    s.numParallel = ui->ParallelCheckBox->isChecked() ? ui->NumParallel->value() : 1;
    s.bridge = ui->BridgeCheckBox->isChecked();
    s.unipolar = ui->BridgeUnipolarSuppliesButton->isChecked();
    s.displayAfter = ui->SOAdisplayAfter->value();
    s.displayCycles = ui->SOAdisplayCycles->value();

    in.sigFreq = string2Number(m_signal.frequency);
    in.sigMax = string2Number(m_signal.maximum);
    in.sigMin = string2Number(m_signal.minimum);
    in.tempA = field2Number(ui->tempA, QStringLiteral("R"));
    in.thermalCompound = field2Number(ui->ThermalCompound, QStringLiteral("R"));
    const QString sink = ui->heatsink->text().trimmed().toLower();
    in.heatsink = field2Number(ui->heatsink, QStringLiteral("R"));
    in.heatsinkNone = sink == QLatin1String("none");
    in.heatsinkFoil = sink == QLatin1String("foil");
    in.rangePercent = ui->RangeBox->value();
    in.rclSeeDatasheet = ui->R_CL->text() == QLatin1String(kSeeDatasheet);
    in.rcl = in.rclSeeDatasheet ? 0 : field2Number(ui->R_CL, QStringLiteral("R"));
    in.rfo = ui->FOcheckBox->isChecked() ? field2Number(ui->R_FO, QStringLiteral("R")) : kOpenValue;
    in.motorLoadType = ui->loadTypeBox->currentText() == QLatin1String("DC Motor");
    in.hideSwing = ui->VswingCheckBox->isChecked();
    in.customTemp = ui->custTempCheckBox->isChecked();
    in.customTempValue = in.customTemp ? field2Number(ui->custTempLine, QStringLiteral("R")) : 25;
    return in;
}

void SoaPage::refreshSOA()
{
    markChanged();
    m_ampChangeDone = false;
    redraw();
}

void SoaPage::redraw()
{
    const amp a = currentAmp();
    rebuildPeriod(a);
    const SoaInput input = gatherInput(a);
    m_simInput = input.sim;
    m_result = computeSoa(input, a);
    drawSOAchart(ui->SOA, m_result);
    writeResults();
    m_labels = drawSOAschematic(ui->SOAsch, schematicCase(a));
    showNotes(ui->notes, m_result.notes);
    drawViewers(ui->voltageViewer, ui->currentViewer, m_result.sim);
    if (m_result.setRclSeeDatasheet)
        ui->R_CL->setText(QLatin1String(kSeeDatasheet));
    waveDescription();
    replotWhenVisible({ ui->SOA, ui->SOAsch, ui->voltageViewer, ui->currentViewer });
}

void SoaPage::makeSOAplot()
{
    const amp a = currentAmp();
    {
        const QSignalBlocker blocker(ui->LogCheckBox);
        ui->LogCheckBox->setChecked(true);
    }
    m_boost = false;
    ui->R_FO->setText(QStringLiteral("open"));
    {
        const QSignalBlocker blocker(ui->FOcheckBox);
        ui->FOcheckBox->setChecked(false);
    }
    ui->FOcheckBox->setEnabled(a.Rb != 0);
    if (std::fabs(a.Vbe) < 1e-4) {
        ui->R_CL->setEnabled(false);
        ui->RangeBox->setEnabled(false);
    } else if (std::fabs(a.CLint) > 1e-4) {
        ui->RangeBox->setEnabled(true);
        ui->R_CL->setEnabled(false);
    } else {
        ui->R_CL->setEnabled(true);
        ui->RangeBox->setEnabled(true);
    }
    switchLogPlot(true);
    if (a.boostOptions > 0) {
        m_vbPos = m_vsPos;
        m_vbNeg = m_vsNeg;
    }
    m_ampChangeDone = true;
    redraw();
}

void SoaPage::ampSelectionChanged(int index)
{
    Q_UNUSED(index);
    makeSOAplot();
}

void SoaPage::writeResults()
{
    const SoaLabels &l = m_result.labels;
    showNote(ui->PdLoad, l.pdLoad);
    showNote(ui->PdAmpAvg, l.pdAmpAvg);
    showNote(ui->TempC, l.tempC);
    showNote(ui->TempJ, l.tempJ);
    showNote(ui->SuggTcMax, l.suggTcMax);
    showNote(ui->minHeatsink, l.minHeatsink);

    ui->PowerDetails->clear();
    for (const QString &line : m_result.powerDetails)
        ui->PowerDetails->append(line);
    // The figures are read from the top; appending leaves the view at the end.
    ui->PowerDetails->moveCursor(QTextCursor::Start);
    ui->PowerDetails->ensureCursorVisible();
}

SoaSignalInfo SoaPage::signalInfo() const
{
    SoaSignalInfo info;
    info.type = m_signal.type;
    info.voltage = m_signal.voltage;
    info.maximum = string2Number(m_signal.maximum);
    info.minimum = string2Number(m_signal.minimum);
    info.frequency = string2Number(m_signal.frequency);
    info.tRise = string2Number(m_signal.tRise);
    info.tHigh = string2Number(m_signal.tHigh);
    info.tFall = string2Number(m_signal.tFall);
    info.tLow = string2Number(m_signal.tLow);
    info.scale = string2Number(m_signal.csvScale);
    const QString mode = ui->MotorBox->currentText();
    info.motorMode = mode == QLatin1String("Stall") ? MotorMode::Stall
        : mode == QLatin1String("Reversal")         ? MotorMode::Reversal
                                                    : MotorMode::Normal;
    info.motorVDC = string2Number(ui->MotorVDC->text());
    info.motorI = string2Number(ui->MotorI->text());
    info.vsPos = string2Number(m_vsPos);
    info.vsNeg = string2Number(m_vsNeg);
    info.iPeak = currentAmp().I_pk;
    return info;
}

SpiceNetlist SoaPage::spiceNetlist(const QString &design) const
{
    return soaNetlist(m_simInput, signalInfo(), currentAmp(), spiceTitle(tr("SOA page"), design));
}

void SoaPage::waveDescription()
{
    const SoaSignalInfo info = signalInfo();
    // The description is one line; the narrow signal tab shows it broken after
    // its kind and at each group of figures. A word-wrapped label would make the
    // whole page's height depend on its width and push the notes off screen.
    QString text = ::waveDescription(info, m_period);
    const int kindEnd = text.indexOf(QLatin1String(": "));
    if (kindEnd > 0)
        text.replace(kindEnd, 2, QStringLiteral(":\n"));
    text.replace(QLatin1String("; "), QLatin1String(";\n"));
    ui->SOAwaveDescription->setText(text);
    ui->SOAwaveDescription->setToolTip(::waveDescription(info, m_period));
}

bool SoaPage::loadSoaCsv(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const SoaCsvResult r = readSoaCsv(QString::fromUtf8(file.readAll()));
    if (!r.accepted) {
        QMessageBox::warning(this, QStringLiteral("Upload Waveform"),
            r.message + QStringLiteral("\nThe previous waveform is kept."));
        return false;
    }
    m_period = r.period;
    return true;
}

void SoaPage::saveLoadCalc(const QString &resS, const QString &capS, const QString &indS, const QString &resP,
    const QString &capP, const QString &indP, const QString &z1, const QString &z2, const QString &a1,
    const QString &a2, const QString &freqS, const QString &freqP)
{
    m_loadCalc = QStringList { resS, capS, indS, resP, capP, indP, z1, z2, a1, a2, freqS, freqP };
}

void SoaPage::on_AmpSelecterSOA_activated(int index)
{
    Q_UNUSED(index);
    if (!m_ampChangeDone)
        makeSOAplot();
    refreshSOA();
}

void SoaPage::on_loadTypeBox_currentIndexChanged(int index)
{
    ui->loadType->setCurrentIndex(index);
    refreshSOA();
}

void SoaPage::on_SOA_Rload_editingFinished()
{
    refreshSOA();
}
void SoaPage::on_SOA_Lload_editingFinished()
{
    refreshSOA();
}
void SoaPage::on_SOA_Cload_editingFinished()
{
    refreshSOA();
}

// Each radio pair refreshes once, on the button that became checked.
void SoaPage::on_SOA_series_toggled(bool checked)
{
    if (checked)
        refreshSOA();
}
void SoaPage::on_SOA_parallel_toggled(bool checked)
{
    if (checked)
        refreshSOA();
}

void SoaPage::on_MotorBox_currentIndexChanged(int index)
{
    Q_UNUSED(index);
    refreshSOA();
}
void SoaPage::on_MotorESR_editingFinished()
{
    refreshSOA();
}
void SoaPage::on_MotorI_editingFinished()
{
    refreshSOA();
}
void SoaPage::on_MotorEMF_editingFinished()
{
    refreshSOA();
}
void SoaPage::on_MotorVDC_editingFinished()
{
    refreshSOA();
}

void SoaPage::on_ParallelCheckBox_toggled(bool checked)
{
    if (!checked) {
        const QSignalBlocker blocker(ui->NumParallel);
        ui->NumParallel->setValue(1);
    }
    refreshSOA();
}

void SoaPage::on_NumParallel_valueChanged(int value)
{
    Q_UNUSED(value);
    refreshSOA();
}

void SoaPage::on_BridgeCheckBox_toggled(bool checked)
{
    Q_UNUSED(checked);
    refreshSOA();
}
void SoaPage::on_BridgeSameSuppliesButton_toggled(bool checked)
{
    if (checked)
        refreshSOA();
}
void SoaPage::on_BridgeUnipolarSuppliesButton_toggled(bool checked)
{
    if (checked)
        refreshSOA();
}

void SoaPage::on_SOAdisplayAfter_valueChanged(int value)
{
    Q_UNUSED(value);
    refreshSOA();
}
void SoaPage::on_SOAdisplayCycles_valueChanged(int value)
{
    Q_UNUSED(value);
    refreshSOA();
}

void SoaPage::on_SOAeditSignalButton_clicked()
{
    changeSOASignal();
}

void SoaPage::on_LogCheckBox_toggled(bool checked)
{
    switchLogPlot(checked);
    refreshSOA();
}

void SoaPage::on_VswingCheckBox_toggled(bool checked)
{
    Q_UNUSED(checked);
    refreshSOA();
}

void SoaPage::on_custTempCheckBox_toggled(bool checked)
{
    ui->custTempLine->setEnabled(checked);
    refreshSOA();
}
void SoaPage::on_custTempLine_editingFinished()
{
    refreshSOA();
}
void SoaPage::on_R_CL_editingFinished()
{
    refreshSOA();
}
void SoaPage::on_FOcheckBox_toggled(bool checked)
{
    Q_UNUSED(checked);
    refreshSOA();
}
void SoaPage::on_R_FO_editingFinished()
{
    refreshSOA();
}
void SoaPage::on_RangeBox_valueChanged(int value)
{
    Q_UNUSED(value);
    refreshSOA();
}
void SoaPage::on_tempA_editingFinished()
{
    refreshSOA();
}
void SoaPage::on_ThermalCompound_editingFinished()
{
    refreshSOA();
}
void SoaPage::on_heatsink_editingFinished()
{
    refreshSOA();
}

void SoaPage::openLoadCalculator()
{
    if (m_loadCalcDialog) {
        m_loadCalcDialog->show();
        m_loadCalcDialog->raise();
        m_loadCalcDialog->activateWindow();
        return;
    }
    auto *dialog = new LoadCalc(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &LoadCalc::sendRLCValues, this, &SoaPage::saveLoadCalc);
    dialog->setValues(m_loadCalc);
    m_loadCalcDialog = dialog;
    dialog->show();
}

void SoaPage::switchLogPlot(bool log)
{
    setSOAscale(ui->SOA, currentAmp(), log);
    replotWhenVisible(ui->SOA);
}

SoaSchematicCase SoaPage::schematicCase(const amp &a) const
{
    SoaSchematicCase c;
    c.record = a;
    c.parallel = ui->ParallelCheckBox->isChecked() ? qMax(1, ui->NumParallel->value()) : 1;
    c.bridge = ui->BridgeCheckBox->isChecked();
    c.unipolar = ui->BridgeUnipolarSuppliesButton->isChecked();
    if (ui->loadTypeBox->currentText() == QLatin1String("DC Motor"))
        c.load = SoaSchematicCase::Load::Motor;
    else if (ui->SOA_series->isChecked())
        c.load = SoaSchematicCase::Load::Series;
    else if (ui->SOA_parallel->isChecked())
        c.load = SoaSchematicCase::Load::Parallel;
    else
        c.load = SoaSchematicCase::Load::None;
    if (c.load == SoaSchematicCase::Load::Series || c.load == SoaSchematicCase::Load::Parallel) {
        c.R = field2Number(ui->SOA_Rload, QStringLiteral("R"));
        c.L = field2Number(ui->SOA_Lload, QStringLiteral("R"));
        c.C = field2Number(ui->SOA_Cload, QStringLiteral("C"));
    }
    c.vsPos = m_vsPos;
    c.vsNeg = m_vsNeg;
    c.vbPos = m_vbPos;
    c.vbNeg = m_vbNeg;
    c.rcs = m_rcs;
    c.supplyTone = m_result.supplyTone;
    return c;
}

void SoaPage::changeSOASignal()
{
    SoaSignalSettings s = m_signal;
    if (::changeSOASignal(this, s, [this] { SOACSV(); })) {
        ui->SOAdisplayTab->setCurrentIndex(2);
        m_signal = s;
        if (s.type == 3) {
            ui->SOAtabWidget->setCurrentIndex(1);
            const QSignalBlocker blocker(ui->loadTypeBox);
            ui->loadTypeBox->setCurrentIndex(ui->loadTypeBox->findText(QStringLiteral("DC Motor")));
            ui->loadType->setCurrentIndex(ui->loadTypeBox->currentIndex());
        }
    }
    refreshSOA();
}

void SoaPage::SOACSV()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open CSV"), m_csvPath, QStringLiteral("Comma Separated Values (*.csv)"));
    if (path.isEmpty())
        return;
    m_csvPath = path;
    loadSoaCsv(path);
}

void SoaPage::onSOAschItemClicked(QCPAbstractItem *item, QMouseEvent *event)
{
    Q_UNUSED(event);
    const int slot = matchLabelSlot(item, m_labels);
    const amp a = currentAmp();
    if (slot == VsPosMaster || slot == VsPosSlave || slot == VsNegMaster || slot == VsNegSlave) {
        changeSOAVsValue(this, a, slot == VsPosMaster || slot == VsPosSlave, m_vsPos, m_vsNeg);
        if (a.boostOptions > 0) {
            const SoaBoost b = boostSupplies(a, m_boost, m_vsPos, m_vsNeg);
            m_vbPos = b.vbPos;
            m_vbNeg = b.vbNeg;
        }
    } else if (slot >= VbPosMaster && slot <= VbNegSlave) {
        SoaBoost b { m_boost, m_vbPos, m_vbNeg };
        if (changeSOAVbValue(this, a, m_vsPos, m_vsNeg, b)) {
            m_boost = b.on;
            m_vbPos = b.vbPos;
            m_vbNeg = b.vbNeg;
        }
    } else if (slot == RcsLabel) {
        m_rcs = changeStabValue(m_labels[RcsLabel], QStringLiteral("R_CS"), QStringLiteral("Ω"), m_rcs);
    }
    refreshSOA();
}
