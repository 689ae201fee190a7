#include "store/sqlite/SqliteStatementRows.h"

#include "core/AddedUserTables.h"
#include "core/Transaction.h"
#include "store/sqlite/SqliteIndustryRows.h"

namespace {
// A firm name matches without regard to letter case, accented letters too.
const QString kDeleteStatement =
    QStringLiteral("DELETE from myvalues where firmname = ? collate unicode_nocase and [year] = ?");

// The key, then the amounts under their item columns in statementItems() order.
const QString &insertStatement()
{
    static const QString sql = [] {
        QStringList columns{QStringLiteral("FirmName"), QStringLiteral("[Year]"),
                            QStringLiteral("NAICS")};
        for (const StatementItem &item : statementItems())
            columns << QLatin1String(item.column);
        QStringList placeholders;
        placeholders.fill(QStringLiteral("?"), columns.size());
        return QStringLiteral("INSERT into MyValues (") + columns.join(QStringLiteral(", ")) +
               QStringLiteral(") VALUES (") + placeholders.join(QLatin1Char(',')) +
               QLatin1Char(')');
    }();
    return sql;
}

// The comment goes and comes with its statement; an empty one leaves no row.
void replaceComment(Connection &connection, const QString &firmName, int year,
                    const QString &comment)
{
    subEnsureAddedUserTables(connection);
    qint16 errors = 0;
    ExecCmdInDB(connection,
                QStringLiteral("DELETE from StatementComment where FirmKey = ? and [Year] = ?"),
                errors, {fncFirmKey(firmName), year});
    if (!comment.isEmpty())
        ExecCmdInDB(connection,
                    QStringLiteral("INSERT into StatementComment (FirmKey, [Year], Comment) "
                                   "VALUES (?, ?, ?)"),
                    errors, {fncFirmKey(firmName), year, comment});
}
} // namespace

QStringList fncStoredFirmNames(Connection &connection, const QString &firmName, int year)
{
    const RecordSet rs =
        GetRS(connection,
              QStringLiteral("Select FirmName from myvalues where firmname = ? "
                             "collate unicode_nocase and year = ? order by FirmName"),
              QStringLiteral("read"), {firmName, year});
    QStringList names;
    for (int i = 0; i < rs.RecordCount(); ++i)
        names << rs.row(i).at(0).toString();
    return names;
}

void subWriteFirmRecord(Connection &connection, const FirmRecord &record)
{
    Transaction transaction(connection);
    subReplaceFirmRows(connection, record);
    transaction.commit();
}

void subReplaceFirmRows(Connection &connection, const FirmRecord &record)
{
    // Amounts travel as numbers, never as text a regional setting could turn
    // into a decimal comma.
    QVariantList values{record.firmName, record.year, record.naics};
    for (const double amount : record.amounts)
        values << amount;

    qint16 errorCount = 0;
    ExecCmdInDB(connection, kDeleteStatement, errorCount, {record.firmName, record.year});
    ExecCmdInDB(connection, insertStatement(), errorCount, values);
    subWriteStatementIndustry(connection, record.firmName, record.year,
                              StatementIndustry{record.naics, record.volume, record.region});
    replaceComment(connection, record.firmName, record.year, record.comment);
}

void subDeleteFirmRecord(Connection &connection, const QString &firmName, int year)
{
    Transaction transaction(connection);
    subDeleteFirmRows(connection, firmName, year);
    transaction.commit();
}

void subDeleteFirmRows(Connection &connection, const QString &firmName, int year)
{
    qint16 errorCount = 0;
    ExecCmdInDB(connection, kDeleteStatement, errorCount, {firmName, year});
    subDeleteStatementIndustry(connection, firmName, year);
    replaceComment(connection, firmName, year, QString());
}
