#include "support/ReferenceFixture.h"

#include "core/DatasetMapping.h"
#include "support/DatabaseWriter.h"

namespace entryfixture {

QString englishDescription(const QString &optionName)
{
    return QStringLiteral("Sample dataset for ") + optionName;
}

QString frenchDescription(const QString &optionName)
{
    return QStringLiteral("Données d'exemple pour ") + optionName;
}

bool writeReferenceDatabase(const QString &path, const QStringList &emptyOptions,
                            const QStringList &withoutDescription,
                            const QStringList &nullDescription)
{
    testsupport::DatabaseWriter db(path);
    // One transaction: a hundred small writes in autocommit take seconds.
    db.beginTransaction();
    db.createTable(QStringLiteral("datadescription"),
                   {"optname text", "descriptione text", "descriptionf text"});
    for (const DatasetOption &option : datasetOptions()) {
        const QString name = QLatin1String(option.optionName);
        const QString table = QLatin1String(option.tablePrefix) + QLatin1String(kReferenceYear) +
                              QLatin1String(kDatasetTableSuffix);
        db.createTable(table, {"NAICS text", "[year] integer"});
        if (!emptyOptions.contains(name)) {
            for (const char *code : {"111110", "236110", "541211"})
                db.insertValues(table, {QLatin1String(code), 2006});
        }
        if (withoutDescription.contains(name))
            continue;
        if (nullDescription.contains(name))
            db.insertValues(QStringLiteral("datadescription"),
                            {name, QVariant(QMetaType(QMetaType::QString)),
                             QVariant(QMetaType(QMetaType::QString))});
        else
            db.insertValues(QStringLiteral("datadescription"),
                            {name, englishDescription(name), frenchDescription(name)});
    }
    return db.commit();
}

} // namespace entryfixture
