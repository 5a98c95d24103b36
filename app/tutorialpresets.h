#pragma once

#include <QHash>
#include <QString>
#include <QVector>

// The state each tutorial step puts the window into, kept as data: per step
// a list of actions in order. An action names a design-file key or a widget
// and the value it takes ("SOA_Rload: short", "Page: 2"), or is a click on a
// button ("click: autoStabilize"). A step may also say that it is about a
// warning ("about: warning"), so the red it shows is meant.
struct TutorialAction {
    QString name;
    QString value;
};

struct TutorialStep {
    QVector<TutorialAction> actions;
    bool aboutWarning = false;
};

class TutorialPresets {
public:
    // Reads the step table: "[n]" opens step n, "name: value" adds an action,
    // blank lines and lines starting with '#' are skipped. Lines that fit
    // none of these are collected in `errors` with their line number.
    static TutorialPresets parse(const QString &text, QStringList *errors = nullptr);
    // The table shipped with the tool.
    static const TutorialPresets &builtIn();

    // The step's actions; an empty step for one without presets.
    TutorialStep step(int n) const { return m_steps.value(n); }
    bool has(int n) const { return m_steps.contains(n); }

private:
    QHash<int, TutorialStep> m_steps;
};
