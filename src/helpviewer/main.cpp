// quorvel-help: shows one compiled help file of Quorvel in a window of its own.
//   quorvel-help [FILE] [TOPIC]      or      quorvel-help FILE --topic TOPIC
// --show-page writes the address and title of the page it would show, and any
// notice, to standard output and ends without opening a window.

#include "helpviewer/HelpViewerWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorvel-help"));

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The help file."),
                                 QStringLiteral("[file]"));
    parser.addPositionalArgument(QStringLiteral("topic"), QStringLiteral("A topic id."),
                                 QStringLiteral("[topic]"));
    const QCommandLineOption topicOption(QStringLiteral("topic"),
                                         QStringLiteral("Opens the file at this topic id."),
                                         QStringLiteral("id"));
    const QCommandLineOption showPageOption(
        QStringLiteral("show-page"),
        QStringLiteral("Writes the page that would be shown and ends."));
    parser.addOption(topicOption);
    parser.addOption(showPageOption);
    parser.process(app);

    const QStringList positional = parser.positionalArguments();
    const QString file = positional.value(0);
    const QString topic =
        parser.isSet(topicOption) ? parser.value(topicOption) : positional.value(1);

    HelpViewerWindow window(file, topic);
    if (parser.isSet(showPageOption)) {
        QTextStream out(stdout);
        out << window.currentPage().toString() << '\n'
            << window.pageTitle() << '\n'
            << window.notice() << '\n';
        return 0;
    }
    window.show();
    return QApplication::exec();
}
