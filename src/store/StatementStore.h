#pragma once

#include "core/Language.h"
#include "firm/SavedStatement.h"
#include "import/LabelMapping.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <atomic>
#include <optional>

// The statement now stored under a firm name (in any letter case) and year:
// the names it is stored under (more than one only for rows kept from before
// names ignored letter case) and its stamp.
struct StoredState
{
    QStringList names;
    StatementStamp stamp;
};

// What a save or a delete expects to find under its key: anything (it
// replaces unconditionally), nothing (a new statement), or the version the
// user saw.
struct Expectation
{
    enum class Kind { Anything, Nothing, Version };
    Kind kind = Kind::Anything;
    qint64 version = 0;

    static Expectation anything() { return {Kind::Anything, 0}; }
    static Expectation nothing() { return {Kind::Nothing, 0}; }
    static Expectation seen(qint64 v) { return {Kind::Version, v}; }
};

// A save or a delete either happened (with the new stamp after a save) or
// found another statement than the one expected: `current` is that one.
struct WriteOutcome
{
    bool done = false;
    StatementStamp stamp;               // after a save: the saved version
    std::optional<StoredState> current; // when not done
};

// The saved firm statements, wherever they are kept: in the user database on
// this computer (the default) or in a team database on a PostgreSQL server.
// Screens, the comparison, the batch export and the command line use this
// interface alone. Firm names match without regard to letter case ("ACME" and
// "Acme" are one firm). Every write runs in one transaction. Errors of a team
// store throw StoreError; those of the local file throw DatabaseError as
// every other use of the user database does.
class StatementStore
{
public:
    virtual ~StatementStore() = default;

    // Where the statements are, for the title bar and messages.
    virtual QString description(Language language) const = 0;
    // Whether this is the team database.
    virtual bool isTeam() const = 0;
    // The database file on this computer that holds the statements; empty
    // for the team database.
    virtual QString filePath() const { return QString(); }

    // Every saved statement, by firm name (letter case and accents aside,
    // as the language sorts) then year.
    virtual QVector<StatementEntry> list(Language language) = 0;

    // The statement saved under this firm name (any letter case) and year,
    // the exact spelling first when rows differ only by case.
    virtual std::optional<SavedStatement> open(const QString &firmName, int year) = 0;

    // Every saved statement of the firm (any letter case), by year.
    virtual QVector<SavedStatement> firmYears(const QString &firmName) = 0;

    // What is stored under the key now, if anything.
    virtual std::optional<StoredState> current(const QString &firmName, int year) = 0;

    // Saves the statement in place of the one stored under its key, when what
    // is stored is what `expected` says; `savedBy` names the user.
    virtual WriteOutcome save(const SavedStatement &statement, Expectation expected,
                              const QString &savedBy) = 0;

    // Deletes the statement of the key when what is stored is what `expected`
    // says; deleting a key with nothing stored is done.
    virtual WriteOutcome remove(const QString &firmName, int year, Expectation expected) = 0;

    // The rows the user assigned to statement items by hand when importing
    // this firm's files (any letter case), applied at its next imports.
    virtual LabelMapping importMapping(const QString &firmName) = 0;
    // Remembers these assignments for the firm, in place of any for the same labels.
    virtual void rememberImportMapping(const QString &firmName, const LabelMapping &mapping) = 0;

    // Asks the command running on another thread to stop. The team store
    // then drops its connection, so the server rolls back what it had not
    // committed, and throws StoreError (Cancelled); a commit already sent is
    // awaited. Safe from any thread; whoever runs the next command clears it
    // first.
    void requestCancel() { m_cancelRequested = true; }
    void clearCancel() { m_cancelRequested = false; }

protected:
    bool cancelRequested() const { return m_cancelRequested; }

private:
    std::atomic<bool> m_cancelRequested{false};
};

// The login name of the user of this process, recorded with each save.
QString fncCurrentUserName();
