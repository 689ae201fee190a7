#include "cli/CliCommands.h"

#include "cli/CliStrings.h"
#include "core/DatabaseError.h"
#include "core/ProgramFolder.h"
#include "reports/ReportError.h"
#include "store/StoreError.h"
#include "store/StoreMessages.h"

namespace {
constexpr const char *kProgram = "quorvel-cli";

const CliCommand *findCommand(const QString &name)
{
    for (const CliCommand &command : cliCommands())
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}

int usageError(QTextStream &err, const QString &message)
{
    err << kProgram << ": " << message << "\n\n" << cliUsage();
    return int(CliStatus::Usage);
}

int runCommand(const CliCommand &command, const QStringList &arguments, QTextStream &out,
               QTextStream &err)
{
    CliArguments options;
    Language language = Language::English;
    try {
        options = CliArguments(arguments, command.options + globalCliOptions());
        if (options.has(QStringLiteral("help"))) {
            out << cliUsage();
            return int(CliStatus::Success);
        }
        if (options.has(QStringLiteral("language")))
            language =
                options.choice(QStringLiteral("language"),
                               {QStringLiteral("en"), QStringLiteral("fr")}) == QLatin1String("fr")
                    ? Language::French
                    : Language::English;
    } catch (const CliFailure &failure) {
        return usageError(err, failure.message);
    }
    if (options.has(QStringLiteral("program-folder")))
        setProgramFolderOverride(options.required(QStringLiteral("program-folder")));

    CliContext context(options, language, out, err);
    try {
        context.chooseBenchmarks();
        return int(command.run(context));
    } catch (const CliFailure &failure) {
        if (failure.status == CliStatus::Usage)
            return usageError(err, failure.message);
        err << kProgram << ": " << failure.message << '\n';
        return int(failure.status);
    } catch (const StoreError &error) {
        err << kProgram << ": " << fncStoreErrorReason(error, context.language()) << '\n';
    } catch (const DatabaseError &error) {
        err << kProgram << ": "
            << context.text(kCliDatabaseError)
                   .arg(QString::number(error.number()), error.description())
            << '\n';
    } catch (const ReportError &error) {
        err << kProgram << ": " << context.text(kCliReportError).arg(error.message()) << '\n';
    }
    return int(CliStatus::Failure);
}
} // namespace

const QList<CliCommand> &cliCommands()
{
    static const QList<CliCommand> commands =
        QList<CliCommand>{
            exportCommand(), exportComparisonsCommand(), listCommand(),          templateCommand(),
            importCommand(), initStoreCommand(),         copyStatementsCommand()} +
        benchmarksCommands();
    return commands;
}

const QList<CliOption> &globalCliOptions()
{
    static const QList<CliOption> options = {{"program-folder", true},
                                             {"language", true},
                                             {"store", true},
                                             {"benchmarks", true},
                                             {"help", false}};
    return options;
}

QString cliUsage()
{
    QString usage = QStringLiteral("Usage:\n");
    for (const CliCommand &command : cliCommands())
        usage += QStringLiteral("  %1 %2 %3")
                     .arg(QLatin1String(kProgram), QLatin1String(command.name),
                          // Usage lines may hold non-ASCII marks ("…"): they are UTF-8.
                          QString::fromUtf8(command.usage))
                     .trimmed() +
                 QLatin1Char('\n');
    usage += QStringLiteral(
        "\nOptions every command takes:\n"
        "  --program-folder DIR  the folder holding the databases and report layouts\n"
        "                        (default: the folder of this program)\n"
        "  --language en|fr      the language of reports and messages (default: en)\n"
        "  --benchmarks NAME     the benchmark set to use for this command (default: the\n"
        "                        set chosen with \"benchmarks use\", else the sample)\n"
        "  --help                this usage\n"
        "\nExit status: 0 success, 1 failure, 2 usage error, 3 the industry has no data\n"
        "for the year or the statement does not exist, 4 the file to import cannot be used.\n");
    return usage;
}

int runCli(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    // Options every command takes may also come before the command's name.
    QStringList leading;
    qsizetype at = 0;
    for (; at < arguments.size() && arguments.at(at).startsWith(QLatin1String("--")); ++at) {
        const QString name = arguments.at(at).mid(2).section(QLatin1Char('='), 0, 0);
        const auto global =
            std::find_if(globalCliOptions().cbegin(), globalCliOptions().cend(),
                         [&name](const CliOption &o) { return name == QLatin1String(o.name); });
        leading << arguments.at(at);
        if (global != globalCliOptions().cend() && global->takesValue &&
            !arguments.at(at).contains(QLatin1Char('=')) && at + 1 < arguments.size())
            leading << arguments.at(++at);
    }
    if (leading.contains(QStringLiteral("--help")) || leading.contains(QStringLiteral("-h"))) {
        out << cliUsage();
        return int(CliStatus::Success);
    }
    if (at >= arguments.size())
        return usageError(err, QStringLiteral("no command given"));
    const QString &name = arguments.at(at);
    if (name == QLatin1String("help")) {
        out << cliUsage();
        return int(CliStatus::Success);
    }
    const CliCommand *command = findCommand(name);
    qsizetype rest = at + 1;
    if (!command && rest < arguments.size()) {
        command = findCommand(name + QLatin1Char(' ') + arguments.at(rest));
        rest += command ? 1 : 0;
    }
    if (!command)
        return usageError(err, QStringLiteral("unknown command \"%1\"").arg(name));
    return runCommand(*command, leading + arguments.mid(rest), out, err);
}
