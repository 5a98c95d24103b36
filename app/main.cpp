#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSplashScreen>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "amporaversion.h"
#include "app/commandline.h"
#include "app/mainwindow.h"

namespace {

// Qt warns when it has to pick a runtime folder itself; give it a private one.
void prepareRuntimeDir()
{
#ifdef Q_OS_UNIX
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString dir
        = QDir::tempPath() + QStringLiteral("/ampora-runtime-") + QString::number(qulonglong(getuid()));
    if (QDir().mkpath(dir)) {
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir));
    }
#endif
}

// The off-screen platform reports that it cannot resize a window to its
// hints; that is expected there and only clutters a script's output.
void scriptedMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().constData());
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine = parseCommandLine(arguments);
    if (!commandLine.error.isEmpty()) {
        std::fprintf(stderr, "ampora: %s\n", commandLine.error.toLocal8Bit().constData());
        return 2;
    }
    if (isInformation(commandLine))
        return printInformation(commandLine);

    // Scripted runs work without a display, and keep standard error for
    // their own messages.
    if (isScripted(commandLine)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
            && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        prepareRuntimeDir();
        qInstallMessageHandler(scriptedMessages);
    }

    QApplication app(argc, argv);
    if (isScripted(commandLine))
        return runScripted(commandLine);

    const QPixmap picture(QStringLiteral(":/ZarnLinear/zarn_splashscreen.png"));
    QSplashScreen splash(picture.scaled(640, 480, Qt::KeepAspectRatio, Qt::FastTransformation));
    splash.show();
    splash.showMessage(
        QStringLiteral("Zarn Ampora Tool V%1 is loading ...").arg(QLatin1String(kAmporaVersion)),
        Qt::AlignTop | Qt::AlignLeft, Qt::black);
    app.processEvents();

    StartOptions options;
    options.catalogDir = commandLine.catalogDir;
    MainWindow window(nullptr, options);
    if (!commandLine.designFile.isEmpty()) {
        window.setDesignPath(commandLine.designFile);
        window.openFile();
    }
    window.show();
    splash.finish(&window);
    splash.raise();
    return app.exec();
}
