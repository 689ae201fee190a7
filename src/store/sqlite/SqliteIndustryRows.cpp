#include "store/sqlite/SqliteIndustryRows.h"

#include "core/AddedUserTables.h"

namespace {
const QString kTable = QStringLiteral("StatementIndustry");
} // namespace

void subWriteStatementIndustry(Connection &connection, const QString &firmName, int year,
                               const StatementIndustry &industry)
{
    subEnsureAddedUserTables(connection);
    qint16 errors = 0;
    ExecCmdInDB(
        connection,
        QStringLiteral("INSERT OR REPLACE into StatementIndustry (FirmKey, [Year], "
                       "FirmName, NAICS, Volume, Region) VALUES (?, ?, ?, ?, ?, ?)"),
        errors,
        {fncFirmKey(firmName), year, firmName, industry.naics, industry.volume, industry.region});
}

std::optional<StatementIndustry> fncReadStatementIndustry(Connection &connection,
                                                          const QString &firmName, int year)
{
    if (!fncTableExists(connection, kTable))
        return std::nullopt;
    const RecordSet rs = GetRS(
        connection,
        QStringLiteral("select NAICS, Volume, Region from StatementIndustry where FirmKey = ? "
                       "and [Year] = ?"),
        QStringLiteral("read"), {fncFirmKey(firmName), year});
    if (rs.RecordCount() == 0)
        return std::nullopt;
    return StatementIndustry{rs.text(QStringLiteral("NAICS")),
                             rs.field(QStringLiteral("Volume")).toInt(),
                             rs.text(QStringLiteral("Region"))};
}

void subDeleteStatementIndustry(Connection &connection, const QString &firmName, int year)
{
    if (!fncTableExists(connection, kTable))
        return;
    qint16 errors = 0;
    ExecCmdInDB(connection,
                QStringLiteral("DELETE from StatementIndustry where FirmKey = ? and [Year] = ?"),
                errors, {fncFirmKey(firmName), year});
}

RecordSet fncFirmListWithIndustries(const RecordSet &firms, Connection &user, Connection &reference,
                                    Language language)
{
    QHash<QPair<QString, int>, StatementIndustry> saved;
    if (fncTableExists(user, kTable)) {
        const RecordSet rs = GetRS(
            user,
            QStringLiteral("select FirmKey, [Year], NAICS, Volume, Region from StatementIndustry"),
            QStringLiteral("read"));
        for (int i = 0; i < rs.RecordCount(); ++i) {
            const QVector<QVariant> &row = rs.row(i);
            saved.insert(
                {row.at(0).toString(), row.at(1).toInt()},
                StatementIndustry{row.at(2).toString(), row.at(3).toInt(), row.at(4).toString()});
        }
    }
    return fncFirmListWithIndustries(firms, saved, user, reference, language);
}
