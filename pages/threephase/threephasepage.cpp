#include "pages/threephase/threephasepage.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMainWindow>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStatusBar>
#include <cmath>

#include "pages/notes.h"
#include "pages/threephase/threephasedrawing.h"
#include "pages/threephase/threephasemotor.h"
#include "qcustomplot.h"
#include "ui_threephasepage.h"
#include "values/fieldvalues.h"
#include "values/sivalues.h"

namespace {

const QString kNull = QStringLiteral("null");

// A list is written as items each followed by one blank and read back by
// splitting at blanks, so an item must carry no blank and must not be empty
// (an empty item would vanish and shift the pairing of times and amplitudes).
QString writeList(const QStringList &items)
{
    QString line;
    for (QString item : items) {
        item.remove(QLatin1Char(' '));
        line += (item.isEmpty() ? QStringLiteral("0") : item) + QLatin1Char(' ');
    }
    return line;
}

QStringList readList(const QString &value)
{
    return value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

ThreePhasePage::ThreePhasePage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::ThreePhasePage)
{
    ui->setupUi(this);
    m_graphables = QStringList { QStringLiteral("I1") };
    while (m_graphables.size() < kGraphSlots)
        m_graphables << kNull;
    bindEntries();
    setupP3schematic(ui->P3schematic);
    // The drawing's scale follows the canvas, so it is fitted in every replot.
    connect(ui->P3schematic, &QCustomPlot::beforeReplot, this, [this] { fitP3schematic(ui->P3schematic); });
    connect(ui->P3schematic, &QCustomPlot::itemClick, this,
        [this](QCPAbstractItem *item, QMouseEvent *) { onP3schematicClicked(item); });
    connect(ui->P3schematic, &QCustomPlot::plottableClick, this,
        [this](QCPAbstractPlottable *plottable, int, QMouseEvent *) { onP3schematicClicked(plottable); });
    for (QCustomPlot *plot :
        { ui->P3graph0, ui->P3graph1, ui->P3graph2, ui->P3graph3, ui->P3graph4, ui->P3graph5 })
        setupP3graph(plot);
    connect(ui->P3outputTabs, &QTabWidget::currentChanged, this, [this] { replotVisible(); });
}

ThreePhasePage::~ThreePhasePage()
{
    delete ui;
}

void ThreePhasePage::bindEntries()
{
    ThreePhaseMotor &m = m_motor;
    entries().bind("ThreePhaseR", &m.R);
    entries().bind("ThreePhaseL", &m.L);
    entries().bind("ThreePhaseVemf", &m.Vemf);
    entries().bind("ThreePhaseCycleLength", &m.CycleLength);
    entries().bind("ThreePhasenPoles", &m.nPoles);
    entries().bind("ThreePhaseisDelta", &m.isDelta);
    entries().bind("ThreePhaseControlVariable", &m.controlVariable);
    entries().bind("ThreePhaseControlType", &m.controlType);
    entries().bind("ThreePhaseConstantVariable", &m.constantVariable);
    entries().bind("ThreePhaseControlAmplitude", &m.controlAmplitude);
    entries().bind("ThreePhaseConstantAmplitude", &m.constantAmplitude);
    entries().bind("ThreePhaseisLinear", &m.isLinear);
    const auto bindList = [this](const char *key, QStringList *list, int count) {
        entries().bind(key,
            EntryBinding { [list] { return writeList(*list); },
                [list, count](const QString &value, bool) {
                    QStringList items = readList(value);
                    if (count > 0) {
                        // Always that many slots, whatever the file holds.
                        items = items.mid(0, count);
                        while (items.size() < count)
                            items << kNull;
                    }
                    *list = items;
                } });
    };
    bindList("ThreePhaseTimeVector", &m.timeVector, 0);
    bindList("ThreePhaseAmplitudeVector", &m.AmplitudeVector, 0);
    bindList("P3graphables", &m_graphables, kGraphSlots);
    bindSelector("P3ampSelector", ui->P3ampSelector, SelectorLists::Catalog::Pwm);
}

void ThreePhasePage::fillSelectors()
{
    fillSelector(ui->P3ampSelector, SelectorLists::threePhase(catalogs()));
}

void ThreePhasePage::initialise()
{
    selectText(ui->P3ampSelector, QStringLiteral("TZ662"));
    m_ready = true;
    refreshP3();
}

void ThreePhasePage::refresh()
{
    refreshP3();
}

// ---------------------------------------------------------------------------

namespace {

double parseText(const QString &text)
{
    const ParsedValue v = parseEngineering(text.trimmed(), ParseRules::Field, QStringLiteral("R"));
    return v.valid && std::isfinite(v.value) ? v.value : 0;
}

QVector<double> parseList(const QStringList &texts)
{
    QVector<double> values;
    for (const QString &t : texts)
        values << parseText(t);
    return values;
}

QString siOrDash(double value, const QString &unit)
{
    return std::isfinite(value) ? formatSI(value, unit) : noValueText();
}

const QString kNoWindow = QStringLiteral("no averaging window");

} // namespace

const pwm &ThreePhasePage::part() const
{
    static pwm fallback;
    const QVector<pwm> &pwms = catalogs().pwms;
    const QString name = ui->P3ampSelector->currentText();
    for (const pwm &p : pwms) {
        if (p.ampName == name)
            return p;
    }
    return fallback;
}

ThreePhase::Input ThreePhasePage::gatherInput()
{
    using namespace ThreePhase;
    Input in;
    in.Vs = field2Number(ui->P3Vs, QStringLiteral("R"));
    in.Vcc = field2Number(ui->P3Vcc, QStringLiteral("R"));
    in.FswKHz = field2Number(ui->P3Fsw, QStringLiteral("R"));
    in.commutation = qBound(0, ui->P3commType->currentIndex(), 2);
    in.ambient = field2Number(ui->P3Tambient, QStringLiteral("R"));
    in.heatsinkNone
        = ui->P3heatsink->text().trimmed().compare(QLatin1String("none"), Qt::CaseInsensitive) == 0;
    in.heatsink = field2Number(ui->P3heatsink, QStringLiteral("R"));
    in.tim = field2Number(ui->P3TIM, QStringLiteral("R"));
    in.startTime = field2Number(ui->P3startTime, QStringLiteral("R"));
    in.endTime = field2Number(ui->P3endTime, QStringLiteral("R"));
    in.removeDiode = ui->P3removeDiode->isChecked();
    in.removeSwitching = ui->P3removeSwitching->isChecked();
    const ThreePhaseMotor &m = m_motor;
    Motor &mo = in.motor;
    mo.R = parseText(m.R);
    mo.L = parseText(m.L);
    mo.Vemf = parseText(m.Vemf);
    mo.nPoles = m.nPoles;
    mo.isDelta = m.isDelta;
    mo.controlVariable = m.controlVariable;
    mo.controlType = m.controlType;
    mo.constantVariable = m.constantVariable;
    mo.controlAmplitude = parseText(m.controlAmplitude);
    mo.constantAmplitude = parseText(m.constantAmplitude);
    mo.times = parseList(m.timeVector);
    mo.amplitudes = parseList(m.AmplitudeVector);
    mo.isLinear = m.isLinear;
    mo.cycleLength = parseText(m.CycleLength);
    return in;
}

void ThreePhasePage::refreshP3()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    markChanged();
    const ThreePhase::Input in = gatherInput();
    m_result = ThreePhase::computeThreePhase(in, part());
    if (m_motor.isDelta)
        m_graphables.replaceInStrings(QRegularExpression(QStringLiteral("^Vwye$")), kNull);
    showResults();
    P3warnings();
    P3refreshGraphs();
    redrawSchematic();
    QApplication::restoreOverrideCursor();
}

void ThreePhasePage::showResults()
{
    const ThreePhase::Result &r = m_result;
    const ThreePhase::Pass &p = r.pass;
    const bool averages = r.simulated && p.hasWindow;
    const auto show = [&](QLabel *label, double value, const QString &unit, bool removed = false) {
        const QString text = siOrDash(value, unit);
        label->setText(!averages ? (r.simulated ? kNoWindow : noValueText())
                : removed        ? QLatin1Char('(') + text + QLatin1Char(')')
                                 : text);
        showNote(label, normalNote(label->text()));
    };
    show(ui->P3loadPower, p.loadPower, QStringLiteral("W"));
    show(ui->P3conductionPower, p.conduction, QStringLiteral("W"));
    show(ui->P3wirePower, p.wire, QStringLiteral("W"));
    show(ui->P3diodePower, p.diode, QStringLiteral("W"), ui->P3removeDiode->isChecked());
    show(ui->P3switchingPower, p.switching, QStringLiteral("W"), ui->P3removeSwitching->isChecked());
    show(ui->P3ampPower, r.ampPower, QStringLiteral("W"));
    show(ui->P3Ipeak, p.peakCurrent, QStringLiteral("A"));
    show(ui->P3RMScurrent, p.rmsCurrent, QStringLiteral("A"));
    show(ui->P3Tcase, r.Tcase, QStringLiteral("°C"));
    show(ui->P3Tjunction, r.Tjunction, QStringLiteral("°C"));
    if (averages && r.ampPower + p.loadPower == 0)
        ui->P3efficiency->setText(noValueText());
    else
        show(ui->P3efficiency, r.efficiency, QStringLiteral("%"));
    ui->P3VccPower->setText(r.simulated ? siOrDash(p.quiescent, QStringLiteral("W")) : noValueText());
    showNote(ui->P3VccPower, normalNote(ui->P3VccPower->text()));
    showNotes(ui->P3TextBrowser, r.notes);
}

void ThreePhasePage::P3warnings()
{
    static const QIcon warning(QStringLiteral(":/ZarnLinear/Warning.png"));
    ui->P3outputTabs->setTabIcon(3, m_result.warnings ? warning : QIcon());
}

ThreePhase::SignalView ThreePhasePage::signalView() const
{
    return { ui->P3dispDC->isChecked(), m_motor.isDelta, m_motor.isLinear };
}

void ThreePhasePage::P3refreshGraphs()
{
    QCustomPlot *plots[kGraphSlots]
        = { ui->P3graph0, ui->P3graph1, ui->P3graph2, ui->P3graph3, ui->P3graph4, ui->P3graph5 };
    for (int k = 0; k < kGraphSlots; ++k)
        drawP3graph(plots[k], k, m_graphables.value(k, kNull), m_result.traces, signalView());
    replotWhenVisible({ plots[0], plots[1], plots[2], plots[3], plots[4], plots[5] });
}

void ThreePhasePage::redrawSchematic()
{
    drawP3schematic(ui->P3schematic, m_motor.isDelta, m_motor.isLinear, m_graphables);
    ui->P3schematic->replot();
}

void ThreePhasePage::addToP3graphables(const QString &name)
{
    const int at = m_graphables.indexOf(name);
    if (at >= 0) {
        m_graphables[at] = kNull;
        return;
    }
    const int free = m_graphables.indexOf(kNull);
    if (free >= 0)
        m_graphables[free] = name;
}

void ThreePhasePage::onP3schematicClicked(QObject *element)
{
    const QString name = element ? element->property(kP3SignalProperty).toString() : QString();
    if (name.isEmpty() || (name == QLatin1String("Vwye") && m_motor.isDelta))
        return;
    addToP3graphables(name);
    markChanged();
    P3refreshGraphs();
    redrawSchematic();
}

bool ThreePhasePage::writePWL(const QString &path)
{
    QSaveFile file(path);
    const QByteArray text = ThreePhase::pwlText(m_result.traces, m_graphables, signalView());
    const bool ok = file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
    if (auto *main = qobject_cast<QMainWindow *>(window())) {
        main->statusBar()->showMessage(ok ? QStringLiteral("Wrote %1").arg(QDir::toNativeSeparators(path))
                                          : QStringLiteral("Could not write %1: %2")
                                                .arg(QDir::toNativeSeparators(path), file.errorString()),
            10000);
    }
    return ok;
}

void ThreePhasePage::on_P3downloadPWL_clicked()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("SaveAs"), QString(), QStringLiteral("Text Files (*.txt)"));
    if (!path.isEmpty())
        writePWL(path);
}

void ThreePhasePage::saveMotorValues(const ThreePhaseMotor &motor)
{
    m_motor = motor;
    refreshP3();
}

void ThreePhasePage::openP3MotorDialog(int mode)
{
    P3motor dialog(m_motor, mode, this);
    if (dialog.exec() == QDialog::Accepted)
        saveMotorValues(dialog.motor());
}

void ThreePhasePage::on_P3editMotor_clicked()
{
    openP3MotorDialog(1);
}

void ThreePhasePage::on_P3editWaveform_clicked()
{
    openP3MotorDialog(0);
}

void ThreePhasePage::on_P3useMaxVs_clicked()
{
    setFieldSI(part().Vs_max, ui->P3Vs, QString());
    refreshP3();
}

void ThreePhasePage::on_P3useTypVcc_clicked()
{
    setFieldSI(part().Vcc_nom, ui->P3Vcc, QString());
    refreshP3();
}

void ThreePhasePage::on_P3useMaxFsw_clicked()
{
    setFieldSI(part().Fsw_max, ui->P3Fsw, QString());
    refreshP3();
}

void ThreePhasePage::on_P3dispDC_toggled(bool)
{
    P3refreshGraphs();
}

#define P3_REFRESH_ON(handler, ...)                                                                          \
    void ThreePhasePage::handler(__VA_ARGS__)                                                                \
    {                                                                                                        \
        if (m_ready)                                                                                         \
            refreshP3();                                                                                     \
    }
P3_REFRESH_ON(on_P3ampSelector_currentIndexChanged, int)
P3_REFRESH_ON(on_P3commType_currentIndexChanged, int)
P3_REFRESH_ON(on_P3removeDiode_toggled, bool)
P3_REFRESH_ON(on_P3removeSwitching_toggled, bool)
P3_REFRESH_ON(on_P3Vs_editingFinished)
P3_REFRESH_ON(on_P3Vcc_editingFinished)
P3_REFRESH_ON(on_P3Fsw_editingFinished)
P3_REFRESH_ON(on_P3Tambient_editingFinished)
P3_REFRESH_ON(on_P3heatsink_editingFinished)
P3_REFRESH_ON(on_P3TIM_editingFinished)
P3_REFRESH_ON(on_P3startTime_editingFinished)
P3_REFRESH_ON(on_P3endTime_editingFinished)
#undef P3_REFRESH_ON
