#include "core/UntrappedErrors.h"

#include "core/DatabaseError.h"
#include "core/Messages.h"
#include "core/ProgramExit.h"

#include <cstdio>

QString untrappedErrorText(int number, const QString &description)
{
    return QStringLiteral("Error %1:\n\n%2").arg(number).arg(description);
}

void reportUntrappedError(int number, const QString &description)
{
    const QString text = untrappedErrorText(number, description);
    std::fprintf(stderr, "quorvel: %s\n",
                 qPrintable(QString(text).replace(QLatin1String("\n\n"), QLatin1String(" "))));
    ShowMessage(text, MsgButtons::Ok, MsgIcon::Critical);
    EndProgram(1);
}

void runGuarded(const std::function<void()> &work)
{
    try {
        work();
    } catch (const ProgramEnded &) {
        throw; // a test's end handler unwinding: not an error
    } catch (const UsageError &error) {
        std::fprintf(stderr, "quorvel: %s\n", qPrintable(error.description()));
        ShowMessage(error.description(), MsgButtons::Ok, MsgIcon::Critical);
        EndProgram(1);
    } catch (const DatabaseError &error) {
        reportUntrappedError(error.number(), error.description());
    } catch (const std::exception &error) {
        reportUntrappedError(-1, QString::fromLocal8Bit(error.what()));
    }
}

QuorvelApplication::QuorvelApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quorvel"));
    setApplicationVersion(QStringLiteral("2006.1"));
    // Screens hide rather than close; the program ends only through EndProgram.
    setQuitOnLastWindowClosed(false);
}

bool QuorvelApplication::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    try {
        runGuarded([&] { handled = QApplication::notify(receiver, event); });
    } catch (const ProgramEnded &) {
        // A test replaced EndProgram: the ending has been recorded; the rest
        // of the handler must not run, and nothing may cross the event loop.
        return true;
    }
    return handled;
}
