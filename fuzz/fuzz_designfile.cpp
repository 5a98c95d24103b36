// The design-file reader on a small stand-in window that has one widget of
// each kind a key can bind to: any file is applied or refused without fault,
// a refused file changes nothing, and an applied one saves again.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <type_traits>

#include "catalog/catalogs.h"
#include "files/designfile.h"

namespace {

QWidget *window = nullptr;
Catalogs *catalogs = nullptr;

template <typename W> W *add(const char *name)
{
    auto *w = new W(window);
    w->setObjectName(QLatin1String(name));
    return w;
}

void build()
{
    window = new QWidget;
    add<QLineEdit>("SOA_Rload");
    add<QLineEdit>("LPScurrent");
    add<QCheckBox>("SOA_series");
    add<QSpinBox>("LPSNumAmps")->setRange(1, 10);
    auto *pages = add<QStackedWidget>("Page");
    for (int i = 0; i < 3; ++i)
        pages->addWidget(new QWidget);
    auto *tabs = add<QTabWidget>("SOAtabWidget");
    tabs->addTab(new QWidget, QStringLiteral("a"));
    tabs->addTab(new QWidget, QStringLiteral("b"));
    auto *selector = add<QComboBox>("AmpSelecterSOA");
    selector->addItems({ QStringLiteral("QX295"), QStringLiteral("QX101") });
    auto *box = add<QComboBox>("HSpart");
    box->addItems({ QStringLiteral("KH00"), QStringLiteral("KH01") });
    catalogs = new Catalogs;
    catalogs->linear = { amp(), amp() };
    catalogs->linear[1].ampName = QStringLiteral("QX101");
    catalogs->linear[1].PreV6Index = 3;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    build();
    return 0;
}

// The reader is built on the window, and on the catalogs where it takes them.
template <typename D = DesignFile::Design> std::unique_ptr<D> makeDesign()
{
    if constexpr (std::is_constructible_v<D, QWidget *, const Catalogs *>)
        return std::make_unique<D>(window, catalogs);
    else
        return std::make_unique<D>(window);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), int(size));
    const auto owned = makeDesign();
    DesignFile::Design &design = *owned;
    const QByteArray before = design.serialise();
    if (!design.parse(content)) {
        if (design.serialise() != before)
            std::abort();
        return 0;
    }
    const QByteArray saved = design.serialise();
    if (saved.size() > DesignFile::kMaxFileBytes)
        std::abort();
    // What a save writes opens again.
    if (!makeDesign()->parse(saved))
        std::abort();
    return 0;
}
