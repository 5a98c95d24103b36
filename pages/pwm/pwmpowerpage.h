#pragma once

#include <QStringList>
#include <QVector>
#include <utility>

#include "pages/pwm/networkelement.h"
#include "pages/toolpage.h"

class QLineEdit;

namespace Ui {
class PwmPowerPage;
}

// The PWM power page: operating point, losses and temperatures of a PWM
// amplifier driving the filter and load network that this page owns.
class PwmPowerPage : public ToolPage {
    Q_OBJECT
public:
    explicit PwmPowerPage(QWidget *parent = nullptr);
    ~PwmPowerPage() override;

    void initialise() override;

    void fillSelectors() override;

    // The filter elements P1 to P6, the matching branch MN and the load
    // elements L1 to L5, in design-file order.
    static QStringList elementNames();
    networkElement element(const QString &name) const;
    void setElement(const QString &name, const networkElement &value);
    // Every string "0", except the C strings of L1, L2 and L5 ("short"): a
    // resistive load of R = 0 with no filter, matching branch or extra branch.
    void resetNetwork();
    // Removes the blanks typed into the element strings ("4.7 u" becomes "4.7u").
    void removeSpaces() override;

    bool extendedLoad() const { return m_extendedLoad; }
    void setExtendedLoad(bool extended);
    int acBidirectional() const { return m_acBidirectional; }

private slots:
    void on_ExtendedLoad_clicked();

private:
    void extendLoad();
    void bindEntries();
    // The design-file key of each parasitic equation line, with its fields.
    QVector<std::pair<QString, QVector<QLineEdit *>>> parasiticGroups() const;

    static constexpr int kElementCount = 12;
    Ui::PwmPowerPage *ui;
    networkElement m_elements[kElementCount];
    bool m_extendedLoad = false;
    int m_acBidirectional = 0;
};
