#include "store/SqliteStatementStore.h"

#include "core/AddedUserTables.h"
#include "core/ResourceString.h"
#include "store/sqlite/SqliteFirmList.h"
#include "store/sqlite/SqliteIndustryRows.h"
#include "store/sqlite/SqliteStatementRows.h"

#include <QHash>

namespace {

// BEGIN IMMEDIATE: the check of what is stored and the write that follows
// hold the write lock together, so another program cannot slip in between
// (a deferred transaction would fail at its first write instead of waiting).
class WriteTransaction
{
public:
    explicit WriteTransaction(Connection &connection) : m_connection(connection)
    {
        qint16 errors = 0;
        ExecCmdInDB(m_connection, QStringLiteral("BEGIN IMMEDIATE"), errors);
    }
    ~WriteTransaction()
    {
        if (m_done)
            return;
        try {
            qint16 errors = 0;
            ExecCmdInDB(m_connection, QStringLiteral("ROLLBACK"), errors);
        } catch (...) {
            // Nothing was committed; the engine rolls back a failed transaction itself.
        }
    }
    WriteTransaction(const WriteTransaction &) = delete;
    WriteTransaction &operator=(const WriteTransaction &) = delete;
    void commit()
    {
        qint16 errors = 0;
        ExecCmdInDB(m_connection, QStringLiteral("COMMIT"), errors);
        m_done = true;
    }

private:
    Connection &m_connection;
    bool m_done = false;
};

QString amountColumns()
{
    QStringList columns;
    for (const StatementItem &item : statementItems())
        columns << QLatin1String(item.column);
    return columns.join(QStringLiteral(", "));
}

std::optional<StatementIndustry> industryOf(const RecordSet &rs)
{
    const QString naics = rs.text(QStringLiteral("NAICS"));
    if (rs.field(QStringLiteral("IndustryYear")).isNull() || naics.isEmpty())
        return std::nullopt;
    return StatementIndustry{naics, rs.field(QStringLiteral("Volume")).toInt(),
                             rs.text(QStringLiteral("Region"))};
}

StatementStamp stampOf(const RecordSet &rs)
{
    StatementStamp stamp;
    stamp.version = rs.field(QStringLiteral("Version")).toLongLong();
    stamp.savedBy = rs.text(QStringLiteral("SavedBy"));
    stamp.savedAt = QDateTime::fromString(rs.text(QStringLiteral("SavedAt")), Qt::ISODateWithMs);
    stamp.savedAt.setTimeSpec(Qt::UTC);
    return stamp;
}

// The statements of `where` (on MyValues as V) with their industry, stamp and
// comment; the parameters start with the firm key three times, one for each
// joined table. A statement saved before stamps were kept is at version 0.
RecordSet readStatements(Connection &connection, const QString &where, const QVariantList &params)
{
    subEnsureAddedUserTables(connection);
    return GetRS(connection,
                 QStringLiteral("select V.FirmName, V.[Year], ") + amountColumns() +
                     QStringLiteral(", I.[Year] as IndustryYear, I.NAICS, I.Volume, I.Region, "
                                    "coalesce(S.Version, 0) as Version, S.SavedBy, S.SavedAt, "
                                    "C.Comment from MyValues V left join StatementIndustry I on "
                                    "I.FirmKey = ? and I.[Year] = V.[Year] left join "
                                    "StatementStamp S on S.FirmKey = ? and "
                                    "S.[Year] = V.[Year] left join StatementComment C on "
                                    "C.FirmKey = ? and C.[Year] = V.[Year] where ") +
                     where,
                 QStringLiteral("read"), params);
}

SavedStatement statementOf(const RecordSet &rs)
{
    SavedStatement statement;
    statement.firmName = rs.text(QStringLiteral("FirmName"));
    statement.year = rs.field(QStringLiteral("Year")).toInt();
    for (int i = 0; i < kStatementItemCount; ++i)
        statement.amounts.*firmStatementAmounts()[i] =
            rs.field(QLatin1String(statementItems()[i].column)).toDouble();
    statement.industry = industryOf(rs);
    statement.comment = rs.text(QStringLiteral("Comment"));
    statement.stamp = stampOf(rs);
    return statement;
}

bool expectationHolds(const std::optional<StoredState> &stored, const Expectation &expected)
{
    switch (expected.kind) {
    case Expectation::Kind::Anything:
        return true;
    case Expectation::Kind::Nothing:
        return !stored;
    case Expectation::Kind::Version:
        return !stored || stored->stamp.version == expected.version;
    }
    return false;
}

} // namespace

SqliteStatementStore::SqliteStatementStore(const Connection &connection, bool owned)
    : m_connection(connection), m_owned(owned)
{
}

SqliteStatementStore::~SqliteStatementStore()
{
    if (m_owned)
        DisconnectFromDB(m_connection);
}

QString SqliteStatementStore::description(Language language) const
{
    return ResourceString(2420, language);
}

QVector<StatementEntry> SqliteStatementStore::list(Language language)
{
    const RecordSet firms = fncReadFirmList(m_connection, language);
    QHash<QPair<QString, int>, StatementIndustry> industries;
    if (fncTableExists(m_connection, QStringLiteral("StatementIndustry"))) {
        const RecordSet rs = GetRS(
            m_connection,
            QStringLiteral("select FirmKey, [Year], NAICS, Volume, Region from StatementIndustry"),
            QStringLiteral("read"));
        for (int i = 0; i < rs.RecordCount(); ++i) {
            const QVector<QVariant> &row = rs.row(i);
            if (!row.at(2).toString().isEmpty())
                industries.insert({row.at(0).toString(), row.at(1).toInt()},
                                  StatementIndustry{row.at(2).toString(), row.at(3).toInt(),
                                                    row.at(4).toString()});
        }
    }
    QVector<StatementEntry> entries;
    entries.reserve(firms.RecordCount());
    for (int i = 0; i < firms.RecordCount(); ++i) {
        StatementEntry entry{firms.row(i).at(0).toString(), firms.row(i).at(1).toInt(),
                             std::nullopt};
        const auto found = industries.constFind({fncFirmKey(entry.firmName), entry.year});
        if (found != industries.constEnd())
            entry.industry = *found;
        entries.append(entry);
    }
    return entries;
}

std::optional<SavedStatement> SqliteStatementStore::open(const QString &firmName, int year)
{
    const RecordSet rs =
        readStatements(m_connection,
                       QStringLiteral("V.FirmName = ? collate unicode_nocase and V.[Year] = ? "
                                      "order by V.FirmName = ? desc"),
                       {fncFirmKey(firmName), fncFirmKey(firmName), fncFirmKey(firmName), firmName,
                        year, firmName});
    if (rs.RecordCount() == 0)
        return std::nullopt;
    return statementOf(rs);
}

QVector<SavedStatement> SqliteStatementStore::firmYears(const QString &firmName)
{
    RecordSet rs = readStatements(
        m_connection,
        QStringLiteral("V.FirmName = ? collate unicode_nocase order by V.[Year], V.FirmName"),
        {fncFirmKey(firmName), fncFirmKey(firmName), fncFirmKey(firmName), firmName});
    QVector<SavedStatement> years;
    for (; !rs.eof(); rs.MoveNext()) {
        // Only the first of a year counts when names differ by case alone.
        const int year = rs.field(QStringLiteral("Year")).toInt();
        if (years.isEmpty() || years.constLast().year != year)
            years.append(statementOf(rs));
    }
    return years;
}

std::optional<StoredState> SqliteStatementStore::current(const QString &firmName, int year)
{
    const QStringList names = fncStoredFirmNames(m_connection, firmName, year);
    if (names.isEmpty())
        return std::nullopt;
    subEnsureAddedUserTables(m_connection);
    const RecordSet rs = GetRS(m_connection,
                               QStringLiteral("select Version, SavedBy, SavedAt from "
                                              "StatementStamp where FirmKey = ? and [Year] = ?"),
                               QStringLiteral("read"), {fncFirmKey(firmName), year});
    return StoredState{names, rs.RecordCount() > 0 ? stampOf(rs) : StatementStamp{}};
}

WriteOutcome SqliteStatementStore::save(const SavedStatement &statement, Expectation expected,
                                        const QString &savedBy)
{
    subEnsureAddedUserTables(m_connection);
    WriteTransaction transaction(m_connection);
    const std::optional<StoredState> stored = current(statement.firmName, statement.year);
    if (!expectationHolds(stored, expected))
        return {false, {}, stored};

    FirmRecord record;
    record.firmName = statement.firmName;
    record.year = statement.year;
    if (statement.industry) {
        record.naics = statement.industry->naics;
        record.volume = statement.industry->volume;
        record.region = statement.industry->region;
    }
    record.comment = statement.comment;
    for (int i = 0; i < kStatementItemCount; ++i)
        record.amounts[i] = statement.amounts.*firmStatementAmounts()[i];
    subReplaceFirmRows(m_connection, record);

    // The stamp outlives a deleted statement: saved again, the key goes on
    // from its last version instead of giving one out twice.
    const RecordSet last =
        GetRS(m_connection,
              QStringLiteral("select Version from StatementStamp where "
                             "FirmKey = ? and [Year] = ?"),
              QStringLiteral("read"), {fncFirmKey(statement.firmName), statement.year});
    const qint64 lastVersion =
        last.RecordCount() > 0 ? last.field(QStringLiteral("Version")).toLongLong() : 0;
    StatementStamp stamp{lastVersion + 1, savedBy, QDateTime::currentDateTimeUtc()};
    qint16 errors = 0;
    ExecCmdInDB(m_connection,
                QStringLiteral("INSERT OR REPLACE into StatementStamp (FirmKey, [Year], Version, "
                               "SavedBy, SavedAt) VALUES (?, ?, ?, ?, ?)"),
                errors,
                {fncFirmKey(statement.firmName), statement.year, stamp.version, stamp.savedBy,
                 stamp.savedAt.toString(Qt::ISODateWithMs)});
    transaction.commit();
    return {true, stamp, std::nullopt};
}

WriteOutcome SqliteStatementStore::remove(const QString &firmName, int year, Expectation expected)
{
    subEnsureAddedUserTables(m_connection);
    WriteTransaction transaction(m_connection);
    const std::optional<StoredState> stored = current(firmName, year);
    if (!expectationHolds(stored, expected))
        return {false, {}, stored};
    // Its stamp stays: the key's next save goes on from its version.
    subDeleteFirmRows(m_connection, firmName, year);
    transaction.commit();
    return {true, {}, std::nullopt};
}

LabelMapping SqliteStatementStore::importMapping(const QString &firmName)
{
    LabelMapping mapping;
    if (!fncTableExists(m_connection, QStringLiteral("ImportMapping")))
        return mapping;
    const RecordSet rs = GetRS(
        m_connection, QStringLiteral("select Label, Item from ImportMapping where FirmKey = ?"),
        QStringLiteral("read"), {fncFirmKey(firmName)});
    for (int i = 0; i < rs.RecordCount(); ++i)
        mapping.insert(rs.row(i).at(0).toString(), rs.row(i).at(1).toString());
    return mapping;
}

void SqliteStatementStore::rememberImportMapping(const QString &firmName,
                                                 const LabelMapping &mapping)
{
    subEnsureAddedUserTables(m_connection);
    WriteTransaction transaction(m_connection);
    qint16 errors = 0;
    for (auto it = mapping.cbegin(); it != mapping.cend(); ++it)
        ExecCmdInDB(m_connection,
                    QStringLiteral("INSERT OR REPLACE into ImportMapping (FirmKey, Label, Item) "
                                   "VALUES (?, ?, ?)"),
                    errors, {fncFirmKey(firmName), it.key(), it.value()});
    transaction.commit();
}

QSet<QPair<QString, int>> fncSavedStatementKeys(const QString &path)
{
    Connection connection;
    ConnectToFile(connection, path, QStringLiteral("unknown"), OpenMode::ReadOnly);
    // Owned: closed when the keys are read or failed.
    SqliteStatementStore store(connection, true);
    const RecordSet rs =
        GetRS(store.connection(), QStringLiteral("select FirmName, [Year] from MyValues"),
              QStringLiteral("read"));
    QSet<QPair<QString, int>> keys;
    for (int i = 0; i < rs.RecordCount(); ++i)
        keys.insert({fncFirmKey(rs.row(i).at(0).toString()), rs.row(i).at(1).toInt()});
    return keys;
}
