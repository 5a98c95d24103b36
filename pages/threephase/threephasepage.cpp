#include "pages/threephase/threephasepage.h"

#include "ui_threephasepage.h"

namespace {

const QString kNull = QStringLiteral("null");

int readInt(const QString &value)
{
    bool ok = false;
    const int n = value.trimmed().toInt(&ok);
    return ok ? n : 0;
}

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

}  // namespace

ThreePhasePage::ThreePhasePage(QWidget *parent) : ToolPage(parent), ui(new Ui::ThreePhasePage)
{
    ui->setupUi(this);
    m_graphables = QStringList{QStringLiteral("I1")};
    while (m_graphables.size() < kGraphSlots)
        m_graphables << kNull;
}

ThreePhasePage::~ThreePhasePage()
{
    delete ui;
}

QStringList ThreePhasePage::entryKeys() const
{
    return {QStringLiteral("ThreePhaseR"),
            QStringLiteral("ThreePhaseL"),
            QStringLiteral("ThreePhaseVemf"),
            QStringLiteral("ThreePhaseCycleLength"),
            QStringLiteral("ThreePhasenPoles"),
            QStringLiteral("ThreePhaseisDelta"),
            QStringLiteral("ThreePhaseControlVariable"),
            QStringLiteral("ThreePhaseControlType"),
            QStringLiteral("ThreePhaseConstantVariable"),
            QStringLiteral("ThreePhaseControlAmplitude"),
            QStringLiteral("ThreePhaseConstantAmplitude"),
            QStringLiteral("ThreePhaseisLinear"),
            QStringLiteral("ThreePhaseTimeVector"),
            QStringLiteral("ThreePhaseAmplitudeVector"),
            QStringLiteral("P3graphables")};
}

QString ThreePhasePage::entry(const QString &key) const
{
    const ThreePhaseMotor &m = m_motor;
    if (key == QLatin1String("ThreePhaseR"))
        return m.R;
    if (key == QLatin1String("ThreePhaseL"))
        return m.L;
    if (key == QLatin1String("ThreePhaseVemf"))
        return m.Vemf;
    if (key == QLatin1String("ThreePhaseCycleLength"))
        return m.CycleLength;
    if (key == QLatin1String("ThreePhasenPoles"))
        return QString::number(m.nPoles);
    if (key == QLatin1String("ThreePhaseisDelta"))
        return QString::number(m.isDelta ? 1 : 0);
    if (key == QLatin1String("ThreePhaseControlVariable"))
        return QString::number(m.controlVariable);
    if (key == QLatin1String("ThreePhaseControlType"))
        return QString::number(m.controlType);
    if (key == QLatin1String("ThreePhaseConstantVariable"))
        return QString::number(m.constantVariable);
    if (key == QLatin1String("ThreePhaseControlAmplitude"))
        return m.controlAmplitude;
    if (key == QLatin1String("ThreePhaseConstantAmplitude"))
        return m.constantAmplitude;
    if (key == QLatin1String("ThreePhaseisLinear"))
        return QString::number(m.isLinear ? 1 : 0);
    if (key == QLatin1String("ThreePhaseTimeVector"))
        return writeList(m.timeVector);
    if (key == QLatin1String("ThreePhaseAmplitudeVector"))
        return writeList(m.AmplitudeVector);
    if (key == QLatin1String("P3graphables"))
        return writeList(m_graphables);
    return {};
}

bool ThreePhasePage::setEntry(const QString &key, const QString &value)
{
    ThreePhaseMotor &m = m_motor;
    if (key == QLatin1String("ThreePhaseR"))
        m.R = value;
    else if (key == QLatin1String("ThreePhaseL"))
        m.L = value;
    else if (key == QLatin1String("ThreePhaseVemf"))
        m.Vemf = value;
    else if (key == QLatin1String("ThreePhaseCycleLength"))
        m.CycleLength = value;
    else if (key == QLatin1String("ThreePhasenPoles"))
        m.nPoles = readInt(value);
    else if (key == QLatin1String("ThreePhaseisDelta"))
        m.isDelta = readInt(value) != 0;
    else if (key == QLatin1String("ThreePhaseControlVariable"))
        m.controlVariable = readInt(value);
    else if (key == QLatin1String("ThreePhaseControlType"))
        m.controlType = readInt(value);
    else if (key == QLatin1String("ThreePhaseConstantVariable"))
        m.constantVariable = readInt(value);
    else if (key == QLatin1String("ThreePhaseControlAmplitude"))
        m.controlAmplitude = value;
    else if (key == QLatin1String("ThreePhaseConstantAmplitude"))
        m.constantAmplitude = value;
    else if (key == QLatin1String("ThreePhaseisLinear"))
        m.isLinear = readInt(value) != 0;
    else if (key == QLatin1String("ThreePhaseTimeVector"))
        m.timeVector = readList(value);
    else if (key == QLatin1String("ThreePhaseAmplitudeVector"))
        m.AmplitudeVector = readList(value);
    else if (key == QLatin1String("P3graphables")) {
        // Always six slots, whatever the file holds.
        QStringList names = readList(value).mid(0, kGraphSlots);
        while (names.size() < kGraphSlots)
            names << kNull;
        m_graphables = names;
    } else
        return false;
    return true;
}
