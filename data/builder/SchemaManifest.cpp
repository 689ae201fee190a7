#include "SchemaManifest.h"

#include <QSaveFile>
#include <QStringList>
#include <sqlite3.h>
#include <stdexcept>

namespace {
[[noreturn]] void fail(sqlite3 *db, const QString &what)
{
    const QString message =
        QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(db)));
    sqlite3_close(db);
    throw std::runtime_error(message.toStdString());
}
} // namespace

void writeSchemaManifest(const QString &databasePath, const QString &manifestPath)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(databasePath.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK)
        fail(db, databasePath);
    const char *sql = "select m.name, p.name from sqlite_master m, pragma_table_info(m.name) p "
                      "where m.type = 'table' order by m.name, p.cid";
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        fail(db, databasePath);
    QStringList lines{QStringLiteral("# Tables and columns of the shipped database, written by "
                                     "quorvel_dbbuild from the sources in data/.")};
    QString table;
    QStringList line;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto text = [statement](int column) {
            return QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(statement, column)));
        };
        if (text(0) != table) {
            if (!line.isEmpty())
                lines << line.join(QLatin1Char('\t'));
            table = text(0);
            line = QStringList{table};
        }
        line << text(1);
    }
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE)
        fail(db, databasePath);
    sqlite3_close(db);
    if (!line.isEmpty())
        lines << line.join(QLatin1Char('\t'));

    // Written whole under a temporary name, then renamed: the build may run
    // this step for two targets at once.
    QSaveFile out(manifestPath);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) < 0 ||
        !out.commit())
        throw std::runtime_error(
            QStringLiteral("%1: %2").arg(manifestPath, out.errorString()).toStdString());
}
