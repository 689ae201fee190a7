#include "cli/CliCommand.h"

#include "benchmarks/BenchmarkSets.h"
#include "cli/CliStrings.h"
#include "core/AddedUserTables.h"
#include "core/DatabaseCheck.h"
#include "core/DatasetMapping.h"
#include "core/ProgramFolder.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "store/SqliteStatementStore.h"
#include "store/StoreLocation.h"

namespace {
[[noreturn]] void refuse(const DatabaseProblem &problem)
{
    throw CliFailure{CliStatus::Failure, fncDatabaseProblemMessage(problem)};
}

// The same checks as the program's start: a file it cannot use is said
// before anything uses it, and left as it was.
void openDatabase(Connection &connection, const QString &path, const DatabaseSchema &schema,
                  OpenMode mode)
{
    if (const auto problem = fncOpenCheckedDatabase(connection, path, schema, mode))
        refuse(*problem);
}
} // namespace

CliContext::CliContext(CliArguments arguments, Language language, QTextStream &out,
                       QTextStream &err)
    : m_arguments(std::move(arguments)), m_language(language), m_out(out), m_err(err)
{
}

CliContext::~CliContext()
{
    m_store.reset();
    // As the program does at its end: every connection closed, the log
    // written back into the file and the file back in rollback-journal mode,
    // so that a copy of it opens anywhere, even in a read-only folder.
    closeDatabasesBeforeExit();
}

Connection &CliContext::reference()
{
    if (m_reference.isNothing())
        if (const auto problem = openBenchmarkSet(m_reference, benchmarksInUse()))
            refuse(*problem);
    return m_reference;
}

void CliContext::chooseBenchmarks()
{
    const QString name = m_arguments.has(QStringLiteral("benchmarks"))
                             ? m_arguments.required(QStringLiteral("benchmarks"))
                             : rememberedBenchmarkSet();
    const std::optional<BenchmarkSetInfo> set = findBenchmarkSet(name);
    // A remembered set removed since gives way to the sample; one asked for must exist.
    if (!set && m_arguments.has(QStringLiteral("benchmarks")))
        fail(CliStatus::Usage, kCliNoSuchSet, {name});
    setBenchmarksInUse(set.value_or(sampleBenchmarks()));
}

Connection &CliContext::user()
{
    if (m_user.isNothing()) {
        const QString path = UserDatabasePath();
        // Installed, a user's first command creates the database as the
        // program's first start does.
        if (programLayout() == ProgramLayout::Installed)
            if (const auto problem = fncProvideUserDatabase(path, UserDatabaseTemplatePath()))
                refuse(*problem);
        openDatabase(m_user, path, requiredUserSchema(), OpenMode::ReadWrite);
        subCompleteUserDatabase(m_user);
    }
    return m_user;
}

StatementStore &CliContext::store()
{
    if (!m_store) {
        QString uri = m_arguments.value(QStringLiteral("store"));
        if (uri.isEmpty())
            uri = qEnvironmentVariable("QUORVEL_STORE");
        if (uri.isEmpty())
            m_store = std::make_unique<SqliteStatementStore>(user());
        else
            m_store = fncOpenStoreUri(uri);
    }
    return *m_store;
}

QString CliContext::text(int id) const
{
    return ResourceString(id, m_language);
}

void CliContext::fail(CliStatus status, int id, const QStringList &values) const
{
    QString message = text(id);
    for (const QString &value : values)
        message = message.arg(value);
    throw CliFailure{status, message};
}

void requireCliDataset(const CliContext &context, int volume, const QString &region)
{
    for (const DatasetOption &option : datasetOptions())
        if (option.volume == volume && region == QLatin1String(option.region))
            return;
    context.fail(CliStatus::Usage, kCliUnknownDataset, {QString::number(volume), region});
}
