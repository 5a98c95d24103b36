#include "pages/pwm/controlstep3page.h"

#include <utility>

#include "ui_controlstep3page.h"

namespace {

// Design-file order, with the values of a Voltage 1 circuit that the page starts with.
const std::pair<const char *, const char *> kComponents[ControlStep3Page::kComponentCount] = {
    { "SConRint", "1k" },
    { "SConCint", "4.7n" },
    { "SConVref", "2.5" },
    { "SConVbias", "15" },
    { "SConRbias", "83333" },
    { "SConRin", "10k" },
    { "SConRf", "14k" },
    { "SConRnf", "0" },
    { "SConCnf", "0" },
    { "SConRdf", "6.2k" },
    { "SConCdf", "1.2n" },
    { "SConRdin", "90k" },
    { "SConRdif", "9k" },
    { "SConCdif", "1n" },
    { "SConRbh", "open" },
    { "SConRbl", "open" },
    { "SConRs", "0.2" },
    { "SConRv", "open" },
    { "SConCv", "open" },
};

} // namespace

ControlStep3Page::ControlStep3Page(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::ControlStep3Page)
{
    ui->setupUi(this);
    for (int i = 0; i < kComponentCount; ++i) {
        m_components[i] = QLatin1String(kComponents[i].second);
        entries().bind(QLatin1String(kComponents[i].first), &m_components[i]);
    }
}

ControlStep3Page::~ControlStep3Page()
{
    delete ui;
}
