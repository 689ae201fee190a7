#pragma once

// A small reference database for the entry screens: the nineteen dataset
// tables (each with a few rows unless asked to be empty) and datadescription.

#include "core/DatasetMapping.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

namespace entryfixture {

// English and French description of an option in the fixture.
inline QString englishDescription(const QString &optionName)
{
    return QStringLiteral("Sample dataset for ") + optionName;
}

inline QString frenchDescription(const QString &optionName)
{
    return QStringLiteral("Données d'exemple pour ") + optionName;
}

// Writes the fixture to `path`. Tables of `emptyOptions` get no rows; options
// in `withoutDescription` have no datadescription row, those in
// `nullDescription` have nulls in both descriptions.
inline bool writeReferenceDatabase(const QString &path, const QStringList &emptyOptions = {},
                                   const QStringList &withoutDescription = {},
                                   const QStringList &nullDescription = {})
{
    const QString connectionName = QStringLiteral("entry-fixture");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(path);
        ok = db.open();
        // One transaction: a hundred small writes in autocommit take seconds.
        ok = ok && db.transaction();
        QSqlQuery query(db);
        const auto run = [&](const QString &sql, const QVariantList &values = {}) {
            query.prepare(sql);
            for (const QVariant &value : values)
                query.addBindValue(value);
            ok = query.exec() && ok;
        };
        run(QStringLiteral(
            "create table datadescription (optname text, descriptione text, descriptionf text)"));
        for (const DatasetOption &option : datasetOptions()) {
            const QString name = QLatin1String(option.optionName);
            const QString table = QLatin1String(option.tablePrefix) +
                                  QLatin1String(kReferenceYear) +
                                  QLatin1String(kDatasetTableSuffix);
            run(QStringLiteral("create table %1 (NAICS text, [year] integer)").arg(table));
            if (!emptyOptions.contains(name)) {
                for (const char *code : {"111110", "236110", "541211"})
                    run(QStringLiteral("insert into %1 values (?, 2006)").arg(table),
                        {QLatin1String(code)});
            }
            if (withoutDescription.contains(name))
                continue;
            if (nullDescription.contains(name))
                run(QStringLiteral("insert into datadescription values (?, null, null)"), {name});
            else
                run(QStringLiteral("insert into datadescription values (?, ?, ?)"),
                    {name, englishDescription(name), frenchDescription(name)});
        }
        ok = db.commit() && ok;
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    return ok;
}

} // namespace entryfixture
