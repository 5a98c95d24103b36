#include <QApplication>
#include <QSplashScreen>
#include <cstdio>

#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/version.h"

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine = parseCommandLine(arguments);

    // Scripted runs work without a display.
    if (isScripted(commandLine) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    if (!commandLine.error.isEmpty()) {
        std::fprintf(stderr, "ampora: %s\n", commandLine.error.toLocal8Bit().constData());
        return 2;
    }
    if (isScripted(commandLine))
        return runScripted(commandLine);

    const QPixmap picture(QStringLiteral(":/ZarnLinear/zarn_splashscreen.png"));
    QSplashScreen splash(picture.scaled(640, 480, Qt::KeepAspectRatio, Qt::FastTransformation));
    splash.show();
    splash.showMessage(QStringLiteral("Zarn Ampora Tool V%1 is loading ...").arg(QLatin1String(kAmporaVersion)),
                       Qt::AlignTop | Qt::AlignLeft, Qt::black);
    app.processEvents();

    StartOptions options;
    options.catalogDir = commandLine.catalogDir;
    options.updateUrl = qEnvironmentVariable("AMPORA_UPDATE_URL");
    MainWindow window(nullptr, options);
    if (!commandLine.designFile.isEmpty()) {
        window.setDesignPath(commandLine.designFile);
        window.loadEntries();
    }
    window.show();
    splash.finish(&window);
    splash.raise();
    return app.exec();
}
