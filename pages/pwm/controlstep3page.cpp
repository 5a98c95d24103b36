#include "pages/pwm/controlstep3page.h"

#include <utility>

#include "ui_controlstep3page.h"

namespace {

// Design-file order, with the values of a Voltage 1 circuit that the page starts with.
const std::pair<const char *, const char *> kComponents[] = {
    {"SConRint", "1k"},   {"SConCint", "4.7n"}, {"SConVref", "2.5"},  {"SConVbias", "15"},
    {"SConRbias", "83333"}, {"SConRin", "10k"}, {"SConRf", "14k"},    {"SConRnf", "0"},
    {"SConCnf", "0"},     {"SConRdf", "6.2k"},  {"SConCdf", "1.2n"},  {"SConRdin", "90k"},
    {"SConRdif", "9k"},   {"SConCdif", "1n"},   {"SConRbh", "open"},  {"SConRbl", "open"},
    {"SConRs", "0.2"},    {"SConRv", "open"},   {"SConCv", "open"},
};

}  // namespace

ControlStep3Page::ControlStep3Page(QWidget *parent) : ToolPage(parent), ui(new Ui::ControlStep3Page)
{
    ui->setupUi(this);
    for (const auto &c : kComponents)
        m_components.insert(QLatin1String(c.first), QLatin1String(c.second));
}

ControlStep3Page::~ControlStep3Page()
{
    delete ui;
}

QStringList ControlStep3Page::entryKeys() const
{
    QStringList keys;
    for (const auto &c : kComponents)
        keys << QLatin1String(c.first);
    return keys;
}

QString ControlStep3Page::entry(const QString &key) const
{
    return m_components.value(key);
}

bool ControlStep3Page::setEntry(const QString &key, const QString &value)
{
    if (!m_components.contains(key))
        return false;
    m_components[key] = value;
    return true;
}
