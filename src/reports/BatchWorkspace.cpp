#include "reports/BatchWorkspace.h"

#include "core/RecordSet.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace {
// The copy's schema name on the user connection while it is filled.
constexpr const char *kWorkSchema = "batchwork";
} // namespace

void fncCopyReportTables(Connection &user, const QString &workPath)
{
    // "rwc": the copy is a new file; the user database opens with "rw".
    const QString uri =
        QUrl::fromLocalFile(QFileInfo(workPath).absoluteFilePath()).toString(QUrl::FullyEncoded) +
        QStringLiteral("?mode=rwc");
    const QString schema = QLatin1String(kWorkSchema);
    execBound(user, QStringLiteral("attach database ? as ") + schema, {uri});
    try {
        // The report tables, and the two the titles are read from.
        RecordSet tables = GetRS(
            user,
            QStringLiteral("select name, sql from main.sqlite_master where type = 'table' and "
                           "(substr(name, 1, 4) = 'Rpt_' or name in ('ProvinceCodes', "
                           "'Volume_Descriptions'))"),
            QStringLiteral("read"));
        static const QRegularExpression createTable(QStringLiteral("^\\s*create\\s+table\\s+"),
                                                    QRegularExpression::CaseInsensitiveOption);
        execBound(user, QStringLiteral("begin"));
        for (; !tables.eof(); tables.MoveNext()) {
            const QString name = tables.text(QStringLiteral("name"));
            QString create = tables.text(QStringLiteral("sql"));
            create.replace(createTable,
                           QStringLiteral("create table ") + schema + QLatin1Char('.'));
            execBound(user, create);
            const QString quotedName =
                QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                QLatin1Char('"');
            execBound(user, QStringLiteral("insert into ") + schema + QLatin1Char('.') +
                                quotedName + QStringLiteral(" select * from main.") + quotedName);
        }
        execBound(user, QStringLiteral("commit"));
    } catch (...) {
        try {
            execBound(user, QStringLiteral("rollback"));
        } catch (...) {
            // Nothing was begun: the attach itself is undone below.
        }
        execBound(user, QStringLiteral("detach database ") + schema);
        throw;
    }
    execBound(user, QStringLiteral("detach database ") + schema);
}

BatchWorkspace::BatchWorkspace(const QString &referencePath, const QString &workPath)
{
    ConnectToFile(reference, referencePath, QStringLiteral("unknown"), OpenMode::ReadOnly);
    try {
        ConnectToFile(work, workPath, QStringLiteral("unknown"), OpenMode::ReadWrite);
    } catch (...) {
        DisconnectFromDB(reference);
        throw;
    }
}

BatchWorkspace::~BatchWorkspace()
{
    DisconnectFromDB(work);
    DisconnectFromDB(reference);
}
