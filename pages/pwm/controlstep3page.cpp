#include "pages/pwm/controlstep3page.h"

#include <QMessageBox>

#include "app/schematic/valuelabels.h"
#include "qcustomplot.h"
#include "ui_controlstep3page.h"
#include "values/sivalues.h"

ControlStep3Page::ControlStep3Page(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::ControlStep3Page)
    , m_input([] { return ControlInput(); })
    , m_parts(defaultControlParts())
{
    ui->setupUi(this);
    for (int i = 0; i < kComponentCount; ++i)
        entries().bind(controlPartKey(i), &m_parts[i]);
    setupSControlSch(ui->SControlSch);
    setupSConTcl(ui->SConTcl);
    connect(ui->SControlSch, &QCustomPlot::itemClick, this, &ControlStep3Page::onSConItemClicked);
    connect(ui->SConTab, &QTabWidget::currentChanged, this, [this] { replotVisible(); });
}

ControlStep3Page::~ControlStep3Page()
{
    delete ui;
}

void ControlStep3Page::setInputSource(std::function<ControlInput()> source)
{
    if (source)
        m_input = std::move(source);
}

void ControlStep3Page::initialise()
{
    showStep();
}

void ControlStep3Page::refresh()
{
    showStep();
}

void ControlStep3Page::showStep()
{
    refreshSCon();
}

void ControlStep3Page::refreshSCon()
{
    markChanged();
    m_lastInput = m_input();
    m_result = calcControl(m_lastInput, m_parts);
    if (m_result.valid) {
        ui->SConPeaking->setText(general3(m_result.peaking) + QStringLiteral(" dB"));
        ui->SConPhase->setText(general3(m_result.phase) + QStringLiteral("\u00B0"));
        ui->SConFreqPeak->setText(labelSIText(m_result.peakFreq, QStringLiteral("Hz")));
    } else {
        for (QLabel *l : { ui->SConPeaking, ui->SConPhase, ui->SConFreqPeak })
            l->setText(noValueText());
    }
    drawSConTcl(ui->SConTcl, m_result);
    drawSConSchematic();
    replotWhenVisible({ ui->SConTcl, ui->SControlSch });
}

void ControlStep3Page::drawSConSchematic()
{
    markChanged();
    ControlSchematicCase c;
    c.circuit = m_lastInput.circuit;
    c.parts = m_parts;
    c.result = m_result;
    c.hideBlocks = ui->SConHideBlocks->isChecked();
    c.errorAmp = m_lastInput.amp.ErrorAmp;
    m_labels = ::drawSConSchematic(ui->SControlSch, c);
}

// The peak frequency as the read-out shows it.
double ControlStep3Page::shownPeakFrequency() const
{
    QString text = ui->SConFreqPeak->text();
    text.chop(2);
    const double f = string2Number(text.remove(QLatin1Char(' ')));
    return std::isfinite(f) && f > 0 ? f : 1;
}

void ControlStep3Page::suggestSCon()
{
    const ControlInput in = m_input();
    applyWrites(m_parts, suggestControl(in, m_parts, shownPeakFrequency()));
    refreshSCon();
}

void ControlStep3Page::on_SConAutoButton_clicked()
{
    const ControlInput in = m_input();
    if (in.fsw < 50 * in.fsig)
        QMessageBox::warning(this, QStringLiteral("Warning"),
            QStringLiteral(
                "Switching Frequency is less than 50 times Signal Frequency. Incorrect values may result."));
    suggestSCon();
    if (in.circuit == ControlCircuit::Current1 || in.circuit == ControlCircuit::Current2)
        suggestSCon();
}

void ControlStep3Page::on_SConHideBlocks_clicked()
{
    drawSConSchematic();
    ui->SControlSch->replot();
}

void ControlStep3Page::onSConItemClicked(QCPAbstractItem *item, QMouseEvent *event)
{
    Q_UNUSED(event);
    QVector<QCPItemText *> items;
    for (const ControlLabel &l : m_labels)
        items.append(l.item);
    const int slot = matchLabelSlot(item, items);
    if (slot < 0)
        return;
    const ControlLabel label = m_labels[slot];
    m_parts[label.part] = changeSConValue(label.item, m_parts[label.part], controlPartUnit(label.part));
    // Every edit recomputes, so the chart and read-outs match the values shown
    // (and every label shows its name again).
    refreshSCon();
}
