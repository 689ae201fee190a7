#pragma once

#include "core/DbTools.h"
#include "store/StatementStore.h"

#include <QPair>
#include <QSet>

// The statements in the user database on this computer (MyValues, with the
// industry and the stamp of each in StatementIndustry and StatementStamp).
// Writes take the file's write lock at their start, so two programs saving
// at once wait for each other instead of failing.
class SqliteStatementStore : public StatementStore
{
public:
    // Works on the caller's open connection, which it closes when it ends
    // only if `owned`.
    explicit SqliteStatementStore(const Connection &connection, bool owned = false);
    ~SqliteStatementStore() override;
    SqliteStatementStore(const SqliteStatementStore &) = delete;
    SqliteStatementStore &operator=(const SqliteStatementStore &) = delete;

    QString description(Language language) const override;
    bool isTeam() const override { return false; }
    QString filePath() const override { return m_connection.filePath(); }
    QVector<StatementEntry> list(Language language) override;
    std::optional<SavedStatement> open(const QString &firmName, int year) override;
    QVector<SavedStatement> firmYears(const QString &firmName) override;
    std::optional<StoredState> current(const QString &firmName, int year) override;
    WriteOutcome save(const SavedStatement &statement, Expectation expected,
                      const QString &savedBy) override;
    WriteOutcome remove(const QString &firmName, int year, Expectation expected) override;
    LabelMapping importMapping(const QString &firmName) override;
    void rememberImportMapping(const QString &firmName, const LabelMapping &mapping) override;

    Connection &connection() { return m_connection; }

private:
    Connection m_connection;
    bool m_owned = false;
};

// The saved statements' keys (folded firm name, year) of a user database
// file (a backup that passed its check), read without writing to it.
QSet<QPair<QString, int>> fncSavedStatementKeys(const QString &path);
