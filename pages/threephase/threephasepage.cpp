#include "pages/threephase/threephasepage.h"

#include "ui_threephasepage.h"

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
}
