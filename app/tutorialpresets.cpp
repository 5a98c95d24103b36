#include "app/tutorialpresets.h"

#include <QDebug>
#include <QFile>
#include <QStringList>

TutorialPresets TutorialPresets::parse(const QString &text, QStringList *errors)
{
    TutorialPresets presets;
    TutorialStep *current = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        bool ok = false;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const int n = line.mid(1, line.size() - 2).trimmed().toInt(&ok);
            if (ok && n >= 0)
                current = &presets.m_steps[n];
        } else {
            const int colon = line.indexOf(QLatin1Char(':'));
            if (current && colon > 0) {
                ok = true;
                const QString name = line.left(colon).trimmed();
                const QString value = line.mid(colon + 1).trimmed();
                if (name == QLatin1String("about"))
                    current->aboutWarning = value == QLatin1String("warning");
                else
                    current->actions.append({ name, value });
            }
        }
        if (!ok && errors)
            errors->append(QStringLiteral("line %1: %2").arg(i + 1).arg(line));
    }
    return presets;
}

const TutorialPresets &TutorialPresets::builtIn()
{
    static const TutorialPresets presets = [] {
        QFile file(QStringLiteral(":/tutorials/steps.txt"));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            qDebug() << "tutorial steps missing:" << file.fileName();
            return TutorialPresets();
        }
        return parse(QString::fromUtf8(file.readAll()));
    }();
    return presets;
}
