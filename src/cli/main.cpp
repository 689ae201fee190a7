#include "cli/CliCommands.h"
#include "core/DbTools.h"

#include <QGuiApplication>

int main(int argc, char *argv[])
{
    // Nothing is shown: fonts and text layout work without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = runCli(app.arguments().mid(1), out, err);
    closeDatabasesBeforeExit();
    out.flush();
    err.flush();
    return status;
}
