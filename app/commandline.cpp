#include "app/commandline.h"

#include <QAbstractButton>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPixmap>
#include <QStackedWidget>
#include <QStatusBar>
#include <cstdio>

#include "amporaversion.h"
#include "app/dialogresponder.h"
#include "app/mainwindow.h"
#include "app/report.h"
#include "app/spiceexport.h"
#include "files/designfile.h"

namespace {

void printError(const QString &message)
{
    std::fprintf(stderr, "ampora: %s\n", message.toLocal8Bit().constData());
}

bool parseSize(const QString &text, QSize *size)
{
    const QStringList parts = text.toLower().split(QLatin1Char('x'));
    if (parts.size() != 2)
        return false;
    bool okW = false, okH = false;
    const int w = parts[0].toInt(&okW);
    const int h = parts[1].toInt(&okH);
    if (!okW || !okH || w < 100 || h < 100 || w > 8000 || h > 8000)
        return false;
    *size = QSize(w, h);
    return true;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine c;
    auto needValue = [&](int i, const QString &option) {
        if (i + 1 >= arguments.size()) {
            c.error = option + QStringLiteral(" needs a value");
            return false;
        }
        return true;
    };
    // --help or --version, whichever comes first, wins over the other options.
    CommandLine::Mode information = CommandLine::Mode::Window;
    for (int i = 0; i < arguments.size() && c.error.isEmpty(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            if (information == CommandLine::Mode::Window)
                information = CommandLine::Mode::Help;
        } else if (arg == QLatin1String("--version")) {
            if (information == CommandLine::Mode::Window)
                information = CommandLine::Mode::Version;
        } else if (arg == QLatin1String("--report")) {
            c.mode = CommandLine::Mode::Report;
        } else if (arg == QLatin1String("--screenshot")) {
            if (needValue(i, arg)) {
                c.mode = CommandLine::Mode::Screenshot;
                c.screenshotPath = arguments.at(++i);
            }
        } else if (arg == QLatin1String("--spice")) {
            if (needValue(i, arg)) {
                c.mode = CommandLine::Mode::Spice;
                c.spicePath = arguments.at(++i);
            }
        } else if (arg == QLatin1String("--page")) {
            if (needValue(i, arg)) {
                bool ok = false;
                c.page = arguments.at(++i).toInt(&ok);
                if (!ok || c.page < 0)
                    c.error = QStringLiteral("--page needs a page number");
            }
        } else if (arg == QLatin1String("--size")) {
            if (needValue(i, arg) && !parseSize(arguments.at(++i), &c.size))
                c.error = QStringLiteral("--size needs WIDTHxHEIGHT, for example 1920x1080");
        } else if (arg == QLatin1String("--click")) {
            if (needValue(i, arg))
                c.clicks << arguments.at(++i);
        } else if (arg == QLatin1String("--catalogs")) {
            if (needValue(i, arg))
                c.catalogDir = arguments.at(++i);
        } else if (arg.startsWith(QLatin1String("--"))) {
            c.error = QStringLiteral("unknown option ") + arg;
        } else if (c.designFile.isEmpty()) {
            c.designFile = arg;
        } else {
            c.error = QStringLiteral("only one design file can be opened");
        }
    }
    if (c.error.isEmpty() && information != CommandLine::Mode::Window)
        c.mode = information;
    if (c.error.isEmpty() && c.mode == CommandLine::Mode::Spice && c.page < 0)
        c.error = QStringLiteral("--spice needs --page N");
    if (c.error.isEmpty() && c.mode == CommandLine::Mode::Window && !c.clicks.isEmpty())
        c.error = QStringLiteral("--click needs --report or --screenshot");
    return c;
}

QString helpText()
{
    return QStringLiteral(
        "Usage: ampora [FILE]\n"
        "       ampora --report [--page N] [--click NAME]... [--catalogs DIR] [FILE]\n"
        "       ampora --screenshot OUT.png [--page N] [--size WxH] [--click NAME]...\n"
        "              [--catalogs DIR] [FILE]\n"
        "       ampora --spice OUT.cir --page N [--click NAME]... [--catalogs DIR] [FILE]\n"
        "\n"
        "Designs circuits around Zarn's high-power linear op-amps and PWM amplifiers.\n"
        "Without --report or --screenshot, opens the window and, after start-up, the\n"
        "design FILE if one is given.\n"
        "\n"
        "Options:\n"
        "  --report             build the window without showing it (off screen when\n"
        "                       there is no display), open FILE if given, recompute\n"
        "                       every page, show page N if given, print one JSON report\n"
        "                       on standard output and exit; no network, no dialogs\n"
        "  --screenshot OUT.png render the window at page N, or at the page the design\n"
        "                       shows, into the PNG file OUT.png\n"
        "  --spice OUT.cir      write the circuit of page N as a SPICE netlist into\n"
        "                       OUT.cir and exit; no window is shown\n"
        "  --page N             with --report or --screenshot: show page N (0 is the\n"
        "                       home page); needed by --spice\n"
        "  --size WxH           with --screenshot: the window size (default 1230x691)\n"
        "  --click NAME         with --report, --screenshot or --spice, repeatable: after FILE is\n"
        "                       opened, click the button of that object name; a message\n"
        "                       box is answered with its default button and listed in\n"
        "                       the report, any other dialog is cancelled; the\n"
        "                       tutorial dialog that startTutorial opens stays, and\n"
        "                       its nextButton, prevButton, examplesButton and\n"
        "                       closeButton can be clicked in turn\n"
        "  --catalogs DIR       read LinearAmpData.txt, HostAmpData.txt, PWMAmpData.txt,\n"
        "                       PackageStyles.txt and Heatsinks.txt from DIR instead of\n"
        "                       the built-in ones; a missing file is an empty catalog\n"
        "  -h, --help           print this summary and exit\n"
        "  --version            print the version and exit\n"
        "\n"
        "Scripted runs (--report, --screenshot, --spice) read no network and do not write\n"
        "preferences.txt.\n"
        "\n"
        "Exit status: 0 on success; 2 with a one-line message on standard error\n"
        "(starting with \"ampora: \") for an unreadable FILE, a FILE whose first line is\n"
        "not the design-file header, an unknown option or button, a page that does\n"
        "not exist, or, with --spice, a page without a netlist or a file that cannot\n"
        "be written.\n");
}

int printInformation(const CommandLine &c)
{
    const QByteArray text = c.mode == CommandLine::Mode::Help ? helpText().toLocal8Bit()
                                                              : QByteArray("Ampora ") + kAmporaVersion + '\n';
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
    return 0;
}

int runScripted(const CommandLine &c)
{
    if (!c.designFile.isEmpty()) {
        switch (DesignFile::readHeader(c.designFile)) {
        case DesignFile::HeaderCheck::Unreadable:
            printError(QStringLiteral("cannot read design file %1").arg(c.designFile));
            return 2;
        case DesignFile::HeaderCheck::WrongHeader:
            printError(QStringLiteral("%1 is not an Ampora design file (its first line is not \"%2\")")
                           .arg(c.designFile, QLatin1String(DesignFile::kHeader)));
            return 2;
        case DesignFile::HeaderCheck::Ok:
            break;
        }
    }

    // Every dialog that start-up, the design or a click raises is answered,
    // so a script never waits for a person.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    DialogResponder responder;
    StartOptions options;
    options.catalogDir = c.catalogDir;
    options.offline = true;
    MainWindow window(nullptr, options);
    if (!c.designFile.isEmpty()) {
        window.setDesignPath(c.designFile);
        // A refused file leaves the start-up design, which the report then shows.
        if (!window.openFile()) {
            printError(window.statusBar()->currentMessage());
            window.setDesignPath(QString());
        }
    }

    for (const QString &name : c.clicks) {
        auto *button = window.findChild<QAbstractButton *>(name);
        if (!button) {
            printError(QStringLiteral("there is no button named %1").arg(name));
            return 2;
        }
        button->click();
        QCoreApplication::processEvents();
    }

    auto *pages = window.findChild<QStackedWidget *>(QStringLiteral("Page"));
    if (c.page >= 0) {
        if (!window.showPageAt(c.page)) {
            printError(QStringLiteral("there is no page %1").arg(c.page));
            return 2;
        }
        QCoreApplication::processEvents();
    }
    if (c.mode == CommandLine::Mode::Spice) {
        const SpiceNetlist netlist = window.currentSpiceNetlist();
        if (netlist.isEmpty()) {
            printError(
                QStringLiteral("page %1 has no SPICE netlist: %2").arg(c.page).arg(netlist.unavailable));
            return 2;
        }
        QString error;
        if (!writeSpiceNetlist(c.spicePath, netlist.text, &error)) {
            printError(QStringLiteral("cannot write %1: %2").arg(c.spicePath, error));
            return 2;
        }
        return 0;
    }
    if (c.mode == CommandLine::Mode::Screenshot) {
        window.resize(c.size);
        window.show();
        QCoreApplication::processEvents();
        const QPixmap picture = window.grab();
        if (!picture.save(c.screenshotPath, "PNG")) {
            printError(QStringLiteral("cannot write %1").arg(c.screenshotPath));
            return 2;
        }
        return 0;
    }

    QJsonObject report;
    report.insert(QStringLiteral("version"), QLatin1String(kAmporaVersion));
    report.insert(QStringLiteral("page"), pages->currentIndex());
    report.insert(QStringLiteral("designChanged"), window.designChanged());
    report.insert(QStringLiteral("designPath"), window.designPath());
    report.insert(QStringLiteral("widgets"), reportWidgets(&window));
    report.insert(QStringLiteral("plots"), reportPlots(&window));
    report.insert(QStringLiteral("entries"), window.design().entries());
    report.insert(QStringLiteral("messages"), responder.messagesJson());
    const QByteArray json = QJsonDocument(report).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    std::fflush(stdout);
    return 0;
}
