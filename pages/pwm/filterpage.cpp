#include "pages/pwm/filterpage.h"

#include <QSignalBlocker>

#include <cmath>

#include "pages/pwm/filterdrawing.h"
#include "ui_filterpage.h"
#include "values/fieldvalues.h"
#include "values/sivalues.h"

namespace {

enum Sheet { DesignSheet = 0, MatchSheet = 1 };

const QString kExceeds = QStringLiteral("Exceeds Abs Max");
const QString kVsLow = QStringLiteral("Vs too Low");
const QString kFswLow = QStringLiteral("Fsw too Low");

bool isWarning(const QString &text)
{
    return text == kExceeds || text == kVsLow || text == kFswLow;
}

// The field's text unless it shows a warning, then the text typed before it.
QString typedText(const QLineEdit *field, const QString &typed)
{
    return isWarning(field->text()) ? typed : field->text();
}

// Parses what the user typed; a field that shows a warning is coloured as a
// bad entry but computes with the typed value.
double readTyped(QLineEdit *field, const QString &typed)
{
    const double shown = field2Number(field, QStringLiteral("R"));
    if (!isWarning(field->text()))
        return shown;
    const ParsedValue parsed = parseEngineering(typed, ParseRules::Field, QStringLiteral("R"));
    return parsed.valid ? parsed.value : 0;
}

void showWarning(QLineEdit *field, const QString &warning)
{
    field->setText(warning);
    field2Number(field, QStringLiteral("R"));
}

} // namespace

FilterPage::FilterPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::FilterPage)
{
    ui->setupUi(this);
    bindEntries();
}

FilterPage::~FilterPage()
{
    delete ui;
}

void FilterPage::bindEntries()
{
    bindSelector(QStringLiteral("ampSelectorFilter"), ui->ampSelectorFilter, SelectorLists::Catalog::Pwm);
    // Save writes the value typed last, also while the field shows a warning.
    const auto typed = [](QLineEdit *field, QString *member) {
        return EntryBinding { [field, member] { return typedText(field, *member); },
            [field, member](const QString &value, bool) {
                *member = value;
                field->setText(value);
            } };
    };
    entries().bind(QStringLiteral("filterVs"), typed(ui->filterVs, &m_typedVs));
    entries().bind(QStringLiteral("filterFsw"), typed(ui->filterFsw, &m_typedFsw));
}

void FilterPage::fillSelectors()
{
    fillSelector(ui->ampSelectorFilter, SelectorLists::allPwm(catalogs()));
}

void FilterPage::initialise()
{
    setupFilterPlot(ui->attenuationPlot, ui->filterPlot);
    selectText(ui->ampSelectorFilter, QStringLiteral("TZ636"));
    refresh();
}

// An opened design keeps both load fields as saved; only a change on the
// matching sheet resets the unused one.
void FilterPage::refresh()
{
    showMatching();
    refreshFilter();
}

pwm FilterPage::currentAmplifier() const
{
    return findSwitching(catalogs().pwms, ui->ampSelectorFilter->currentText());
}

FilterTopology FilterPage::topology() const
{
    if (ui->SEbutton->isChecked())
        return FilterTopology::SingleEnded;
    if (ui->DCbutton->isChecked())
        return FilterTopology::DualCapacitor;
    return FilterTopology::SplitInductor;
}

void FilterPage::takeTypedValues()
{
    m_typedVs = typedText(ui->filterVs, m_typedVs);
    m_typedFsw = typedText(ui->filterFsw, m_typedFsw);
}

FilterInput FilterPage::gatherInput()
{
    FilterInput in;
    in.Vs = readTyped(ui->filterVs, m_typedVs);
    in.fsw = readTyped(ui->filterFsw, m_typedFsw);
    in.fc = field2Number(ui->filterFcut, QStringLiteral("R"));
    in.Vrip = field2Number(ui->filterVrip, QStringLiteral("R"));
    in.RL = field2Number(ui->filterR_L, QStringLiteral("R"));
    in.order = ui->filterOrderActual->value();
    in.topology = topology();
    return in;
}

// A single output allows only a half bridge, and a half bridge only the
// single-ended filter. A fixed-frequency part sets the switching frequency
// before anything is computed with it.
void FilterPage::applyAmplifierRules(const pwm &amp)
{
    if (amp.outputs < 2)
        ui->HBbutton->setChecked(true);
    ui->FBbutton->setEnabled(amp.outputs >= 2);
    const bool half = ui->HBbutton->isChecked();
    if (half)
        ui->SEbutton->setChecked(true);
    ui->DCbutton->setEnabled(!half);
    ui->SIbutton->setEnabled(!half);
    ui->Cleg->setVisible(ui->SIbutton->isChecked());
    ui->ClegLabel->setVisible(ui->SIbutton->isChecked());

    const bool fixed = amp.Fsw_max == amp.Fsw_min && amp.Fsw_max > 0;
    if (fixed) {
        m_typedFsw = fieldSIText(amp.Fsw_max * 1000, QString());
        ui->filterFsw->setText(m_typedFsw);
    }
    ui->filterFsw->setEnabled(!fixed);
}

// A warning replaces the field's text and stays until a new value is typed;
// the computation goes on with the typed value.
void FilterPage::checkSupplyAndFrequency(const pwm &amp)
{
    if (amp.Vs_max <= 0)
        return;
    const FilterInput in = gatherInput();
    if (in.Vs > amp.Vs_max || ui->filterVs->text() == kExceeds)
        showWarning(ui->filterVs, kExceeds);
    else if (amp.Vs_min > in.Vs)
        showWarning(ui->filterVs, kVsLow);
    const double fswK = in.fsw / 1000;
    if (fswK > amp.Fsw_max || ui->filterFsw->text() == kExceeds)
        showWarning(ui->filterFsw, kExceeds);
    else if (amp.Fsw_min > fswK)
        showWarning(ui->filterFsw, kFswLow);
}

void FilterPage::refreshFilter()
{
    markChanged();
    takeTypedValues();
    const pwm amp = currentAmplifier();
    applyAmplifierRules(amp);

    const FilterInput in = gatherInput();
    const FilterResult r = designFilter(in);
    if (ui->filterStack->currentIndex() == DesignSheet)
        drawFilterSchematic(ui->filterPlot, r, in.order, in.topology);
    else
        loadSchematic(ui->filterPlot, ui->filterLoadIsC->isChecked());
    ui->filterOrder->setText(r.recommendedOrder >= 0 ? QString::number(r.recommendedOrder) : noValueText());
    setLabelSI(r.rippleV, ui->filterVripActual, QStringLiteral("V peak"));
    setLabelSI(r.rippleI, ui->FilterIrip, QStringLiteral("A peak"));
    setLabelSI(r.Cleg, ui->Cleg, QStringLiteral("F"));
    plotAttenuation(ui->attenuationPlot, idealAttenuation(in.fc, in.order), in.fc, in.fsw,
        ui->percentAttenuation->isChecked());

    checkSupplyAndFrequency(amp);
    replotWhenVisible({ ui->filterPlot, ui->attenuationPlot });
}

void FilterPage::matchingNetwork()
{
    markChanged();
    const bool loadIsC = ui->filterLoadIsC->isChecked();
    (loadIsC ? ui->filterLload : ui->filterCload)->setText(QStringLiteral("short"));
    showMatching();
}

void FilterPage::showMatching()
{
    const bool loadIsC = ui->filterLoadIsC->isChecked();
    ui->filterCload->setEnabled(loadIsC);
    ui->filterLload->setEnabled(!loadIsC);
    MatchingInput in;
    in.R = field2Number(ui->filterRload, QStringLiteral("R"));
    in.loadIsC = loadIsC;
    in.Cload = ui->filterCload->text();
    in.Lload = ui->filterLload->text();
    field2Number(loadIsC ? ui->filterCload : ui->filterLload, QStringLiteral("R"));
    field2Number(loadIsC ? ui->filterLload : ui->filterCload, QStringLiteral("R"));

    const MatchingResult m = ::matchingNetwork(in);
    const QString none = QStringLiteral("none");
    if (m.proposed)
        setLabelSI(m.Rm, ui->filterRm, QStringLiteral("Ω"));
    else
        ui->filterRm->setText(none);
    if (m.proposed && m.Cm > 0)
        setLabelSI(m.Cm, ui->filterCm, QStringLiteral("F"));
    else
        ui->filterCm->setText(none);
    if (m.proposed && m.Lm > 0)
        setLabelSI(m.Lm, ui->filterLm, QStringLiteral("H"));
    else
        ui->filterLm->setText(none);
    if (ui->filterStack->currentIndex() == MatchSheet) {
        loadSchematic(ui->filterPlot, loadIsC);
        replotWhenVisible(ui->filterPlot);
    }
}

FilterExport FilterPage::filterExport() const
{
    FilterEntries e;
    const auto read = [](const QString &text) {
        const ParsedValue parsed = parseEngineering(text, ParseRules::Field, QStringLiteral("R"));
        return parsed.valid ? parsed.value : 0.0;
    };
    e.Vs = typedText(ui->filterVs, m_typedVs);
    e.Fsw = typedText(ui->filterFsw, m_typedFsw);
    e.design.Vs = read(e.Vs);
    e.design.fsw = read(e.Fsw);
    e.design.fc = read(ui->filterFcut->text());
    e.design.Vrip = read(ui->filterVrip->text());
    e.design.RL = read(ui->filterR_L->text());
    e.design.order = ui->filterOrderActual->value();
    e.design.topology = topology();
    e.halfBridge = ui->HBbutton->isChecked();
    e.load.loadIsC = ui->filterLoadIsC->isChecked();
    e.load.Cload = ui->filterCload->text();
    e.load.Lload = ui->filterLload->text();
    e.amplifier = ui->ampSelectorFilter->currentText();
    return loadFilter(e);
}

void FilterPage::on_SEbutton_clicked()
{
    refreshFilter();
}

void FilterPage::on_DCbutton_clicked()
{
    refreshFilter();
}

void FilterPage::on_SIbutton_clicked()
{
    refreshFilter();
}

void FilterPage::on_HBbutton_clicked()
{
    refreshFilter();
}

void FilterPage::on_FBbutton_clicked()
{
    refreshFilter();
}

void FilterPage::on_filterOrderActual_valueChanged(int)
{
    refreshFilter();
}

void FilterPage::on_filterVs_editingFinished()
{
    refreshFilter();
}

void FilterPage::on_filterFsw_editingFinished()
{
    refreshFilter();
}

void FilterPage::on_filterFcut_editingFinished()
{
    refreshFilter();
}

void FilterPage::on_filterVrip_editingFinished()
{
    refreshFilter();
}

void FilterPage::on_filterR_L_editingFinished()
{
    refreshFilter();
}

void FilterPage::on_dbAttenuation_toggled(bool)
{
    refreshFilter();
}

void FilterPage::on_ampSelectorFilter_activated(int)
{
    refreshFilter();
}

void FilterPage::on_useMaxVs_clicked()
{
    ui->filterVs->setText(QString::number(currentAmplifier().Vs_max, 'g', 6));
    refreshFilter();
}

void FilterPage::on_useMaxFsw_clicked()
{
    setFieldSI(currentAmplifier().Fsw_max * 1000, ui->filterFsw, QString());
    refreshFilter();
}

void FilterPage::on_useFswOver10_clicked()
{
    const double fsw = readTyped(ui->filterFsw, typedText(ui->filterFsw, m_typedFsw));
    setFieldSI(fsw / 10, ui->filterFcut, QString());
    refreshFilter();
}

// Without a recommended order the actual order stays as it is.
void FilterPage::on_useRecN_clicked()
{
    bool ok = false;
    const int n = ui->filterOrder->text().toInt(&ok);
    if (ok) {
        const QSignalBlocker block(ui->filterOrderActual);
        ui->filterOrderActual->setValue(n);
    }
    refreshFilter();
}

void FilterPage::on_MNbutton_clicked()
{
    ui->filterStack->setCurrentIndex(MatchSheet);
    matchingNetwork();
}

void FilterPage::on_orderButton_clicked()
{
    ui->filterStack->setCurrentIndex(DesignSheet);
    refreshFilter();
}

void FilterPage::on_useMNvalues_clicked()
{
    ui->filterR_L->setText(ui->filterRload->text());
    ui->filterStack->setCurrentIndex(DesignSheet);
    refreshFilter();
}

void FilterPage::on_filterRload_editingFinished()
{
    matchingNetwork();
}

void FilterPage::on_filterCload_editingFinished()
{
    matchingNetwork();
}

void FilterPage::on_filterLload_editingFinished()
{
    matchingNetwork();
}

void FilterPage::on_filterLoadIsC_clicked()
{
    matchingNetwork();
}

void FilterPage::on_filterLoadIsL_clicked()
{
    matchingNetwork();
}

void FilterPage::on_loadFilterToPower_clicked()
{
    markChanged();
    emit loadFilterRequested();
}
