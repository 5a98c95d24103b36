#include "files/designfile.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QSet>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextCodec>

#include "amporaversion.h"
#include "pages/storedentries.h"
#include "pages/toolpage.h"

namespace DesignFile {

HeaderCheck readHeader(const QString &path)
{
    if (path.isEmpty())
        return HeaderCheck::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return HeaderCheck::Unreadable;
    QByteArray first = file.readLine(4096);
    if (first.endsWith('\n'))
        first.chop(1);
    return first == kHeader ? HeaderCheck::Ok : HeaderCheck::WrongHeader;
}

const QVector<Key> &keys()
{
    static const QVector<Key> table = { { "Page", KeyForm::Index }, { "CompOption", KeyForm::Int },
        { "CompOptionIHCP", KeyForm::Int }, { "ACbidirectional", KeyForm::Int },
        { "phaseShiftComponents", KeyForm::Int }, { "extendedLoad", KeyForm::Int },
        { "sweepIHCP", KeyForm::Int }, { "ResS", KeyForm::StoredText }, { "CapS", KeyForm::StoredText },
        { "IndS", KeyForm::StoredText }, { "ResP", KeyForm::StoredText }, { "CapP", KeyForm::StoredText },
        { "IndP", KeyForm::StoredText }, { "Z1", KeyForm::StoredText }, { "Z2", KeyForm::StoredText },
        { "A1", KeyForm::StoredText }, { "A2", KeyForm::StoredText }, { "FreqS", KeyForm::StoredText },
        { "FreqP", KeyForm::StoredText }, { "SConRint", KeyForm::StoredText },
        { "SConCint", KeyForm::StoredText }, { "SConVref", KeyForm::StoredText },
        { "SConVbias", KeyForm::StoredText }, { "SConRbias", KeyForm::StoredText },
        { "SConRin", KeyForm::StoredText }, { "SConRf", KeyForm::StoredText },
        { "SConRnf", KeyForm::StoredText }, { "SConCnf", KeyForm::StoredText },
        { "SConRdf", KeyForm::StoredText }, { "SConCdf", KeyForm::StoredText },
        { "SConRdin", KeyForm::StoredText }, { "SConRdif", KeyForm::StoredText },
        { "SConCdif", KeyForm::StoredText }, { "SConRbh", KeyForm::StoredText },
        { "SConRbl", KeyForm::StoredText }, { "SConRs", KeyForm::StoredText },
        { "SConRv", KeyForm::StoredText }, { "SConCv", KeyForm::StoredText }, { "LPScurrent", KeyForm::Text },
        { "LPSVpp", KeyForm::Text }, { "LPSFreq", KeyForm::Text }, { "LPSSR", KeyForm::Text },
        { "LPSFreqButton", KeyForm::Bool }, { "LPSSRButton", KeyForm::Bool },
        { "LPSBridgeCheckBox", KeyForm::Bool }, { "LPSParallelCheckBox", KeyForm::Bool },
        { "LPSNumAmps", KeyForm::Value }, { "LPSRelax", KeyForm::Value }, { "AmpSelecterSOA", KeyForm::Name },
        { "SOAVs_pos", KeyForm::StoredText }, { "SOAVs_neg", KeyForm::StoredText },
        { "SOAVb_pos", KeyForm::StoredText }, { "SOAVb_neg", KeyForm::StoredText },
        { "boostSup", KeyForm::Int }, { "SOAR_CS", KeyForm::StoredText }, { "SOAtabWidget", KeyForm::Index },
        { "SignalType", KeyForm::Int }, { "SOAmaxOut", KeyForm::StoredText },
        { "SOAminOut", KeyForm::StoredText }, { "SOAVout", KeyForm::Int }, { "SOAfreq", KeyForm::StoredText },
        { "SOAtRise", KeyForm::StoredText }, { "SOAtHigh", KeyForm::StoredText },
        { "SOAtFall", KeyForm::StoredText }, { "SOAtLow", KeyForm::StoredText },
        { "SOAcsvGain", KeyForm::StoredText }, { "loadTypeBox", KeyForm::ComboText },
        { "loadType", KeyForm::Index }, { "SOA_series", KeyForm::Bool }, { "SOA_parallel", KeyForm::Bool },
        { "SOA_Rload", KeyForm::Text }, { "SOA_Lload", KeyForm::Text }, { "SOA_Cload", KeyForm::Text },
        { "MotorBox", KeyForm::ComboText }, { "MotorVDC", KeyForm::Text }, { "MotorESR", KeyForm::Text },
        { "MotorI", KeyForm::Text }, { "MotorEMF", KeyForm::Text }, { "R_CL", KeyForm::Text },
        { "RangeBox", KeyForm::Value }, { "FOcheckBox", KeyForm::Bool }, { "R_FO", KeyForm::Text },
        { "SOAdisplayTab", KeyForm::Index }, { "SOAdisplayAfter", KeyForm::Value },
        { "SOAdisplayCycles", KeyForm::Value }, { "tempA", KeyForm::Text }, { "heatsink", KeyForm::Text },
        { "VswingCheckBox", KeyForm::Bool }, { "ThermalCompound", KeyForm::Text },
        { "BridgeCheckBox", KeyForm::Bool }, { "BridgeSameSuppliesButton", KeyForm::Bool },
        { "BridgeUnipolarSuppliesButton", KeyForm::Bool }, { "LogCheckBox", KeyForm::Bool },
        { "custTempCheckBox", KeyForm::Bool }, { "custTempLine", KeyForm::Text },
        { "ParallelCheckBox", KeyForm::Bool }, { "NumParallel", KeyForm::Value },
        { "AmpSelectorStab", KeyForm::Name }, { "StabilityTab", KeyForm::Index },
        { "StabilityTabOutput", KeyForm::Index }, { "StabInv", KeyForm::Bool }, { "StabNon", KeyForm::Bool },
        { "CloadButton", KeyForm::Bool }, { "LloadButton", KeyForm::Bool },
        { "CLoadStab", KeyForm::StoredText }, { "RisoC", KeyForm::StoredText },
        { "RinC", KeyForm::StoredText }, { "RfbC", KeyForm::StoredText }, { "CfbC", KeyForm::StoredText },
        { "RngC", KeyForm::StoredText }, { "CngC", KeyForm::StoredText }, { "RclC", KeyForm::StoredText },
        { "LLoadStab", KeyForm::StoredText }, { "RloadL", KeyForm::StoredText },
        { "RinL", KeyForm::StoredText }, { "RfbL", KeyForm::StoredText }, { "CfbL", KeyForm::StoredText },
        { "RdL", KeyForm::StoredText }, { "RsL", KeyForm::StoredText }, { "RsGainL", KeyForm::StoredText },
        { "HidePhaseLegend", KeyForm::Bool }, { "RCPCR1", KeyForm::Text }, { "RCPCF1", KeyForm::Text },
        { "RCPCR2", KeyForm::Text }, { "RCPCC2", KeyForm::Text }, { "RCPCF3", KeyForm::Text },
        { "RCPCC3", KeyForm::Text }, { "R_ISO_R", KeyForm::Text }, { "R_ISO_I", KeyForm::Text },
        { "compositeCheckBox", KeyForm::Bool }, { "hostSelector", KeyForm::Name },
        { "hostAOL", KeyForm::Text }, { "hostPole1", KeyForm::Text }, { "hostPole2", KeyForm::Text },
        { "hostPole3", KeyForm::Text }, { "hostRin", KeyForm::StoredText },
        { "compRfb", KeyForm::StoredText }, { "compCfb", KeyForm::StoredText },
        { "hostRng", KeyForm::StoredText }, { "hostCng", KeyForm::StoredText },
        { "SPScurrent", KeyForm::Text }, { "SPSvoltage", KeyForm::Text }, { "SPSfrequency", KeyForm::Text },
        { "SPSparallelCheckBox", KeyForm::Bool }, { "SPSnumAmps", KeyForm::Value },
        { "SPSrelax", KeyForm::Value }, { "ampSelectorFilter", KeyForm::Name }, { "filterVs", KeyForm::Text },
        { "filterFsw", KeyForm::Text }, { "filterFcut", KeyForm::Text }, { "filterVrip", KeyForm::Text },
        { "filterR_L", KeyForm::Text }, { "filterOrderActual", KeyForm::Value },
        { "filterStack", KeyForm::Index }, { "filterRload", KeyForm::Text },
        { "filterLoadIsC", KeyForm::Bool }, { "filterLoadIsL", KeyForm::Bool },
        { "filterCload", KeyForm::Text }, { "filterLload", KeyForm::Text }, { "HBbutton", KeyForm::Bool },
        { "FBbutton", KeyForm::Bool }, { "SEbutton", KeyForm::Bool }, { "DCbutton", KeyForm::Bool },
        { "SIbutton", KeyForm::Bool }, { "dbAttenuation", KeyForm::Bool },
        { "percentAttenuation", KeyForm::Bool }, { "P1", KeyForm::Triple }, { "P2", KeyForm::Triple },
        { "P3", KeyForm::Triple }, { "P4", KeyForm::Triple }, { "P5", KeyForm::Triple },
        { "P6", KeyForm::Triple }, { "MN", KeyForm::Triple }, { "L1", KeyForm::Triple },
        { "L2", KeyForm::Triple }, { "L3", KeyForm::Triple }, { "L4", KeyForm::Triple },
        { "L5", KeyForm::Triple }, { "PWMfilterOrder", KeyForm::Value }, { "PowerTabs", KeyForm::Index },
        { "Lparasitics", KeyForm::Quadruple }, { "Pparasitics", KeyForm::Quadruple },
        { "Eparasitics", KeyForm::Triple }, { "ampSelectorPower", KeyForm::Name }, { "VsPWM", KeyForm::Text },
        { "FsPWM", KeyForm::Text }, { "FsigPWM", KeyForm::Text }, { "SigTypePWM", KeyForm::Index },
        { "PWMOut", KeyForm::Text }, { "PWMOutMin", KeyForm::Text }, { "tempAPower", KeyForm::Text },
        { "heatsinkPower", KeyForm::Text }, { "HBPower", KeyForm::Bool }, { "FBPower", KeyForm::Bool },
        { "SEpower", KeyForm::Bool }, { "DCpower", KeyForm::Bool }, { "SIpower", KeyForm::Bool },
        { "ThermalCompoundPower", KeyForm::Text }, { "yVariable", KeyForm::Index }, { "Fmin", KeyForm::Text },
        { "Fmax", KeyForm::Text }, { "HSchoosePart", KeyForm::Bool }, { "HSchoosePackage", KeyForm::Bool },
        { "HSpart", KeyForm::ComboText }, { "HSpackage", KeyForm::ComboText }, { "HSrtheta", KeyForm::Text },
        { "HSenglish", KeyForm::Bool }, { "HSmetric", KeyForm::Bool }, { "HSconstCheckBox", KeyForm::Bool },
        { "HSH", KeyForm::Text }, { "HSL", KeyForm::Text }, { "HSW", KeyForm::Text },
        { "HSWeight", KeyForm::Text }, { "HSrelax", KeyForm::Value }, { "HSfluidCheckBox", KeyForm::Bool },
        { "HSfanCirc", KeyForm::Bool }, { "HSfanDia", KeyForm::Text }, { "HSfanRect", KeyForm::Bool },
        { "HSfanX", KeyForm::Text }, { "HSfanY", KeyForm::Text }, { "V1button", KeyForm::Bool },
        { "V2button", KeyForm::Bool }, { "I1button", KeyForm::Bool }, { "I2button", KeyForm::Bool },
        { "ampSelectorSCon", KeyForm::Name }, { "SConVinMax", KeyForm::Text },
        { "SConVinMin", KeyForm::Text }, { "SConFreq", KeyForm::Text }, { "SConVs", KeyForm::Text },
        { "SConVcc", KeyForm::Text }, { "SConFsw", KeyForm::Text }, { "SConVoutMax", KeyForm::Text },
        { "SConVoutMin", KeyForm::Text }, { "SConHideBlocks", KeyForm::Bool }, { "SConTab", KeyForm::Index },
        { "IHCPRin", KeyForm::StoredText }, { "IHCPRinT", KeyForm::StoredText },
        { "IHCPRfn", KeyForm::StoredText }, { "IHCPRfnT", KeyForm::StoredText },
        { "IHCPRfp", KeyForm::StoredText }, { "IHCPRfpT", KeyForm::StoredText },
        { "IHCPRs", KeyForm::StoredText }, { "IHCPRsT", KeyForm::StoredText },
        { "IHCPRd", KeyForm::StoredText }, { "IHCPCd", KeyForm::StoredText },
        { "IHCPRload", KeyForm::StoredText }, { "IHCPCload", KeyForm::StoredText },
        { "IHCPLload", KeyForm::StoredText }, { "IHCPFreq", KeyForm::StoredText },
        { "IHCPampSelector", KeyForm::Name }, { "IHCPmaxIout", KeyForm::Text },
        { "IHCPminIout", KeyForm::Text }, { "IHCPtrans", KeyForm::Text }, { "IHCPtol", KeyForm::Text },
        { "IHCPInvButton", KeyForm::Bool }, { "IHCPNonButton", KeyForm::Bool },
        { "P3ampSelector", KeyForm::Name }, { "P3Vs", KeyForm::Text }, { "P3Vcc", KeyForm::Text },
        { "P3Fsw", KeyForm::Text }, { "P3commType", KeyForm::ComboText }, { "P3outputTabs", KeyForm::Index },
        { "P3Tambient", KeyForm::Text }, { "P3heatsink", KeyForm::Text }, { "P3TIM", KeyForm::Text },
        { "P3dispDC", KeyForm::Bool }, { "P3removeDiode", KeyForm::Bool },
        { "P3removeSwitching", KeyForm::Bool }, { "P3startTime", KeyForm::Text },
        { "P3endTime", KeyForm::Text }, { "ThreePhaseR", KeyForm::StoredText },
        { "ThreePhaseL", KeyForm::StoredText }, { "ThreePhaseVemf", KeyForm::StoredText },
        { "ThreePhaseCycleLength", KeyForm::StoredText }, { "ThreePhasenPoles", KeyForm::Int },
        { "ThreePhaseisDelta", KeyForm::Int }, { "ThreePhaseControlVariable", KeyForm::Int },
        { "ThreePhaseControlType", KeyForm::Int }, { "ThreePhaseConstantVariable", KeyForm::Int },
        { "ThreePhaseControlAmplitude", KeyForm::StoredText },
        { "ThreePhaseConstantAmplitude", KeyForm::StoredText }, { "ThreePhaseisLinear", KeyForm::Int },
        { "ThreePhaseTimeVector", KeyForm::List }, { "ThreePhaseAmplitudeVector", KeyForm::List },
        { "P3graphables", KeyForm::List }, { "ExampleSelection", KeyForm::Index } };
    return table;
}

namespace {

// Whether every line is within the line limit and every list within the item
// limit, checked before a line is applied so that a refused file changes nothing.
bool withinLimits(const QStringList &lines)
{
    QSet<QString> lists;
    for (const Key &key : keys())
        if (key.form == KeyForm::List)
            lists.insert(QLatin1String(key.name));
    for (const QString &line : lines) {
        if (line.size() > kMaxLineChars)
            return false;
        const int colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0 || !lists.contains(line.left(colon)))
            continue;
        int items = 0;
        bool inItem = false;
        for (int i = colon + 1; i < line.size(); ++i) {
            const bool blank = line.at(i) == QLatin1Char(' ');
            if (!blank && !inItem && ++items > kMaxListItems)
                return false;
            inItem = !blank;
        }
    }
    return true;
}

QString boolText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString widgetValue(QWidget *w, KeyForm form)
{
    switch (form) {
    case KeyForm::Bool:
        if (auto *group = qobject_cast<QGroupBox *>(w))
            return boolText(group->isChecked());
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            return boolText(button->isChecked());
        break;
    case KeyForm::Index:
        if (auto *stack = qobject_cast<QStackedWidget *>(w))
            return QString::number(stack->currentIndex());
        if (auto *tabs = qobject_cast<QTabWidget *>(w))
            return QString::number(tabs->currentIndex());
        if (auto *box = qobject_cast<QComboBox *>(w))
            return QString::number(box->currentIndex());
        break;
    case KeyForm::Name:
    case KeyForm::ComboText:
        if (auto *box = qobject_cast<QComboBox *>(w))
            return box->currentText();
        break;
    case KeyForm::Value:
        if (auto *spin = qobject_cast<QSpinBox *>(w))
            return QString::number(spin->value());
        if (auto *spin = qobject_cast<QDoubleSpinBox *>(w))
            return QString::number(spin->value());
        if (auto *slider = qobject_cast<QAbstractSlider *>(w))
            return QString::number(slider->value());
        break;
    case KeyForm::Text:
    case KeyForm::StoredText:
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            return edit->text();
        break;
    default:
        break;
    }
    return QString();
}

void selectText(QComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    if (index >= 0)
        box->setCurrentIndex(index);
}

// Reads a line's value into the widget in the row's form.
void setWidgetValue(QWidget *w, KeyForm form, const QString &value)
{
    const int number = value.trimmed().toInt();
    switch (form) {
    case KeyForm::Text:
    case KeyForm::StoredText:
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->setText(value);
        break;
    case KeyForm::Bool:
        if (auto *group = qobject_cast<QGroupBox *>(w))
            group->setChecked(number != 0);
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            button->setChecked(number != 0);
        break;
    case KeyForm::Index:
        if (auto *stack = qobject_cast<QStackedWidget *>(w)) {
            if (number >= 0 && number < stack->count())
                stack->setCurrentIndex(number);
        } else if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
            if (number >= 0 && number < tabs->count())
                tabs->setCurrentIndex(number);
        } else if (auto *box = qobject_cast<QComboBox *>(w)) {
            if (number >= 0 && number < box->count())
                box->setCurrentIndex(number);
        }
        break;
    case KeyForm::Value:
        if (auto *spin = qobject_cast<QSpinBox *>(w))
            spin->setValue(number);
        else if (auto *spin = qobject_cast<QDoubleSpinBox *>(w))
            spin->setValue(value.trimmed().toDouble());
        else if (auto *slider = qobject_cast<QAbstractSlider *>(w))
            slider->setValue(number);
        break;
    case KeyForm::Name:
    case KeyForm::ComboText:
        if (auto *box = qobject_cast<QComboBox *>(w))
            selectText(box, value);
        break;
    default:
        break;
    }
}

} // namespace

Design::Design(QWidget *window)
    : m_window(window)
{
}

void Design::bind() const
{
    QHash<QString, const EntryBinding *> pageBindings;
    const QList<ToolPage *> pages = m_window->findChildren<ToolPage *>();
    for (const ToolPage *page : pages) {
        const StoredEntries &entries = page->storedEntries();
        for (const QString &key : entries.keys())
            if (!pageBindings.contains(key))
                pageBindings.insert(key, entries.find(key));
    }
    QHash<QString, QWidget *> widgets;
    widgets.insert(m_window->objectName(), m_window);
    const QList<QWidget *> children = m_window->findChildren<QWidget *>();
    for (QWidget *w : children)
        if (!widgets.contains(w->objectName()))
            widgets.insert(w->objectName(), w);

    m_rows.clear();
    for (const Key &key : keys()) {
        const QString name = QLatin1String(key.name);
        const KeyForm form = key.form;
        EntryBinding row;
        if (const EntryBinding *page = pageBindings.value(name)) {
            row = *page;
        } else if (QWidget *w = widgets.value(name)) {
            row.get = [w, form] { return widgetValue(w, form); };
            row.set = [w, form](const QString &value, bool) { setWidgetValue(w, form, value); };
        } else {
            // Nothing shows the key: the file's value is kept for the next save.
            QMap<QString, QString> *unbound = &m_unbound;
            row.get = [unbound, name] { return unbound->value(name); };
            row.set = [unbound, name](const QString &value, bool) { unbound->insert(name, value); };
        }
        m_rows.insert(name, row);
    }
}

const EntryBinding &Design::row(const Key &key) const
{
    if (m_rows.isEmpty())
        bind();
    static const EntryBinding none { [] { return QString(); }, [](const QString &, bool) {} };
    const auto found = m_rows.constFind(QLatin1String(key.name));
    return found == m_rows.constEnd() ? none : found.value();
}

QString Design::value(const Key &key) const
{
    return row(key).get();
}

void Design::apply(const Key &key, const QString &value, bool version7)
{
    row(key).set(value, version7);
}

QByteArray Design::serialise()
{
    bind();
    QString text = QLatin1String(kHeader) + QLatin1Char('\n');
    text += QStringLiteral("Version: ") + QLatin1String(kAmporaVersion) + QLatin1Char('\n');
    bool spacesRemoved = false;
    for (const Key &key : keys()) {
        if (!spacesRemoved && key.form == KeyForm::Triple) {
            const QList<ToolPage *> pages = m_window->findChildren<ToolPage *>();
            for (ToolPage *page : pages)
                page->removeSpaces();
            spacesRemoved = true;
        }
        text += QLatin1String(key.name) + QStringLiteral(": ") + value(key) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

bool Design::parse(const QByteArray &content)
{
    if (content.size() > kMaxFileBytes)
        return false;
    QTextCodec::ConverterState state;
    QString text = QTextCodec::codecForName("UTF-8")->toUnicode(content.constData(), content.size(), &state);
    if (state.invalidChars > 0)
        text = QString::fromLatin1(content);
    QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty() || lines.first() != QLatin1String(kHeader) || !withinLimits(lines))
        return false;

    // The table is bound once; each line is then one look-up.
    bind();
    // Files without the filter order were written before it existed.
    m_rows[QStringLiteral("PWMfilterOrder")].set(QStringLiteral("6"), true);

    bool version7 = false;
    for (int i = 1; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const int colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const QString name = line.left(colon);
        const int blank = line.indexOf(QLatin1Char(' '));
        const QString value = blank < 0 ? QString() : line.mid(blank + 1);
        if (name == QLatin1String("Version")) {
            version7 = value.split(QLatin1Char('.')).first().trimmed().toInt() >= 7;
            continue;
        }
        const auto found = m_rows.constFind(name);
        if (found != m_rows.constEnd())
            found.value().set(value, version7);
    }
    return true;
}

QJsonObject Design::entries() const
{
    bind();
    QJsonObject out;
    for (const Key &key : keys())
        out.insert(QLatin1String(key.name), value(key));
    return out;
}

} // namespace DesignFile
