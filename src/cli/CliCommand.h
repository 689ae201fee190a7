#pragma once

#include "cli/CliArguments.h"
#include "cli/CliStatus.h"
#include "core/DbTools.h"
#include "core/Language.h"
#include "store/StatementStore.h"

#include <memory>

#include <QTextStream>

// What a command runs with: its options, the language of its messages, the
// two output streams, and the program's databases, opened when first asked.
class CliContext
{
public:
    CliContext(CliArguments arguments, Language language, QTextStream &out, QTextStream &err);
    ~CliContext();
    CliContext(const CliContext &) = delete;
    CliContext &operator=(const CliContext &) = delete;

    const CliArguments &arguments() const { return m_arguments; }
    Language language() const { return m_language; }
    QTextStream &out() { return m_out; }
    QTextStream &err() { return m_err; }

    // The reference database is the benchmark set in use: --benchmarks NAME,
    // else the one kept in the settings, else the shipped sample.
    void chooseBenchmarks();
    // The reference and user databases, checked as the program checks them
    // at start-up; a file it cannot use is a failure.
    Connection &reference();
    Connection &user();
    // The saved statements: the store --store or QUORVEL_STORE names (a libpq
    // URI or a user database's path), else the user database above.
    StatementStore &store();

    // A text of the string table in the command's language.
    QString text(int id) const;
    // Throws CliFailure with `status` and the text `id`, its %1, %2... filled.
    [[noreturn]] void fail(CliStatus status, int id, const QStringList &values = {}) const;

private:
    CliArguments m_arguments;
    Language m_language;
    QTextStream &m_out;
    QTextStream &m_err;
    Connection m_reference;
    Connection m_user;
    std::unique_ptr<StatementStore> m_store;
};

// A volume and region the program has data sets for; a usage error otherwise.
void requireCliDataset(const CliContext &context, int volume, const QString &region);

// One subcommand: its name, the options it takes besides the global ones,
// its line of the usage, and what it does.
struct CliCommand
{
    const char *name;
    QList<CliOption> options;
    const char *usage; // options after the name, as the usage shows them
    CliStatus (*run)(CliContext &context);
};
