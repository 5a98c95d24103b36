#pragma once

#include <QMap>
#include <QStringList>

#include "pages/toolpage.h"

namespace Ui {
class ControlStep3Page;
}

// Step 3 of the PWM control design: the circuit's component values, its
// clickable schematic and the closed-loop transfer function.
class ControlStep3Page : public ToolPage {
    Q_OBJECT
public:
    explicit ControlStep3Page(QWidget *parent = nullptr);
    ~ControlStep3Page() override;

    // The circuit components SConRint ... SConCv, as typed.
    QStringList entryKeys() const override;
    QString entry(const QString &key) const override;
    bool setEntry(const QString &key, const QString &value) override;

private:
    Ui::ControlStep3Page *ui;
    QMap<QString, QString> m_components;
};
