#include "benchmarks/BenchmarkSetFile.h"

#include "benchmarks/BenchmarkColumns.h"
#include "core/DatabaseError.h"
#include "core/DatasetMapping.h"
#include "core/DbTools.h"
#include "core/Transaction.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

namespace {
const QString kInfoTable = QStringLiteral("BenchmarkSetInfo");
const QStringList kDescriptionTables = {QStringLiteral("ROVAL_NAICS_Description_Ind_Detailed"),
                                        QStringLiteral("ROVAL_NAICS_Description_Ind_Raw")};

// ROVAL_Vol3_ON_2021_Final_Ratios: volume, region, year.
const QRegularExpression &datasetTablePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^ROVAL_Vol([1-3])_([A-Z]+)_([0-9]{4})") +
        QLatin1String(kDatasetTableSuffix) + QLatin1Char('$'));
    return pattern;
}

QStringList datasetTables(Connection &db)
{
    RecordSet names = GetRS(db,
                            QStringLiteral("select name from sqlite_master where type = 'table' "
                                           "order by name"),
                            QStringLiteral("read"));
    QStringList tables;
    for (; !names.eof(); names.MoveNext())
        if (datasetTablePattern().match(names.text(QStringLiteral("name"))).hasMatch())
            tables << names.text(QStringLiteral("name"));
    return tables;
}

QString quoted(const QString &identifier)
{
    return QLatin1Char('"') + identifier + QLatin1Char('"');
}

QString englishTitle(Connection &db, const QString &code)
{
    for (const QString &table : kDescriptionTables) {
        RecordSet title = GetRS(db,
                                QStringLiteral("select Description from ") + table +
                                    QStringLiteral(" where NAICS = ?"),
                                QStringLiteral("read"), {code});
        if (title.RecordCount() > 0)
            return title.text(QStringLiteral("Description"));
    }
    return QString();
}

// The English titles of the pack's codes, for the dataset rows' own column,
// and each code's row in the description tables of its volumes.
void writeTitles(Connection &db, const BenchmarkPack &pack, QHash<QString, QString> &english)
{
    QHash<QString, const PackTitle *> packTitles;
    for (const PackTitle &title : pack.titles)
        packTitles.insert(title.naics, &title);
    QHash<QString, QSet<int>> tablesOfCode; // code -> description tables (index)
    for (const PackRow &row : pack.rows)
        tablesOfCode[row.naics].insert(row.volume == 1 ? 0 : 1);
    qint16 errors = 0;
    for (auto it = tablesOfCode.cbegin(); it != tablesOfCode.cend(); ++it) {
        const QString &code = it.key();
        for (const int t : it.value()) {
            const QString &table = kDescriptionTables[t];
            const bool present = firstInteger(db,
                                              QStringLiteral("select count(*) from ") + table +
                                                  QStringLiteral(" where NAICS = ?"),
                                              {code})
                                     .value_or(0) > 0;
            if (!present)
                // The other volume's classification may title it.
                ExecCmdInDB(db,
                            QStringLiteral("insert into ") + table +
                                QStringLiteral(" select * from ") + kDescriptionTables[1 - t] +
                                QStringLiteral(" where NAICS = ?"),
                            errors, {code});
            const PackTitle *title = packTitles.value(code);
            if (!title)
                continue;
            const QVariant englishDefinition =
                title->definitionEnglish.isEmpty() ? QVariant() : title->definitionEnglish;
            const QVariant frenchDefinition =
                title->definitionFrench.isEmpty() ? QVariant() : title->definitionFrench;
            if (execBound(db,
                          QStringLiteral("update ") + table +
                              QStringLiteral(" set Description = ?, Description_french = ?, "
                                             "definitione = coalesce(?, definitione), "
                                             "definitionf = coalesce(?, definitionf) "
                                             "where NAICS = ?"),
                          {title->english, title->french, englishDefinition, frenchDefinition,
                           code}) == 0)
                execBound(db,
                          QStringLiteral("insert into ") + table +
                              QStringLiteral(" (NAICS, Description, Description_french, "
                                             "definitione, definitionf, NodeKey, Sector) "
                                             "values (?, ?, ?, ?, ?, ?, ?)"),
                          {code, title->english, title->french, englishDefinition, frenchDefinition,
                           QStringLiteral("Ind") + code, code.left(2)});
        }
        english.insert(code, englishTitle(db, code));
    }
}
} // namespace

QSet<QString> shippedIndustryCodes(const QString &shippedPath)
{
    Connection shipped;
    ConnectToFile(shipped, shippedPath, QStringLiteral("unknown"), OpenMode::ReadOnly);
    QSet<QString> codes;
    for (const QString &table : kDescriptionTables)
        for (RecordSet rs = GetRS(shipped, QStringLiteral("select NAICS from ") + table,
                                  QStringLiteral("read"));
             !rs.eof(); rs.MoveNext())
            codes.insert(rs.text(QStringLiteral("NAICS")));
    DisconnectFromDB(shipped);
    return codes;
}

QString partialSetPath(const QString &targetPath, qint64 processId)
{
    QString base = targetPath;
    base.chop(4); // ".mdb"
    return base + QStringLiteral(".%1.partial.mdb").arg(processId);
}

namespace {
void writeDatasetTables(Connection &db, const BenchmarkPack &pack,
                        const QHash<QString, QString> &englishTitles)
{
    qint16 errors = 0;
    // The sample's own table gives every set's columns and their types.
    const QString model = datasetTableName(1, QStringLiteral("ALL"), kSampleLastYear);
    const QString createModel =
        GetRS(db, QStringLiteral("select sql from sqlite_master where name = ?"),
              QStringLiteral("read"), {model})
            .text(QStringLiteral("sql"));
    for (const QString &table : datasetTables(db))
        ExecCmdInDB(db, QStringLiteral("drop table ") + quoted(table), errors);

    const QStringList figures = figureColumns();
    QStringList columns{QStringLiteral("NAICS"), QStringLiteral("NumberOfFirms"),
                        QStringLiteral("IndustryDescription")};
    for (const QString &figure : figures)
        columns << quoted(figure);
    const QString placeholders = QStringList(columns.size(), QStringLiteral("?")).join(',');

    const QList<int> years = packYears(pack.rows);
    QHash<QString, QList<const PackRow *>> rowsOfTable;
    for (const PackRow &row : pack.rows)
        rowsOfTable[datasetTableName(row.volume, row.region, row.year)].append(&row);
    // Every dataset has a table for every year between the first and the
    // last: one without rows is a dataset or year the set does not have.
    for (const DatasetOption &dataset : datasetOptions()) {
        for (int year = years.first(); year <= years.last(); ++year) {
            const QString table =
                datasetTableName(dataset.volume, QLatin1String(dataset.region), year);
            QString create = createModel;
            create.replace(quoted(model), quoted(table));
            ExecCmdInDB(db, create, errors);
            const QString insert = QStringLiteral("insert into ") + quoted(table) +
                                   QStringLiteral(" (") + columns.join(QStringLiteral(", ")) +
                                   QStringLiteral(") values (") + placeholders + QLatin1Char(')');
            for (const PackRow *row : rowsOfTable.value(table)) {
                QVariantList values{row->naics, row->firms ? QVariant(*row->firms) : QVariant(),
                                    englishTitles.value(row->naics)};
                for (const QString &figure : figures) {
                    const std::optional<double> value = row->figures.value(figure.toLower());
                    values << (value ? QVariant(*value) : QVariant());
                }
                execBound(db, insert, values);
            }
        }
    }
}
} // namespace

BenchmarkSetInfo writeBenchmarkSetFile(const BenchmarkPack &pack, const QString &name,
                                       const QString &source, const QString &shippedPath,
                                       const QString &targetPath)
{
    const QString partial = partialSetPath(targetPath, QCoreApplication::applicationPid());
    const auto removePartial = [&partial] {
        for (const char *suffix : {"", "-wal", "-shm", "-journal"})
            QFile::remove(partial + QLatin1String(suffix));
    };
    removePartial();
    if (!QFile::copy(shippedPath, partial))
        throw DatabaseError(14, QStringLiteral("unable to open database file: ") + partial);
    QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner);

    BenchmarkSetInfo info;
    info.name = name;
    info.source = source;
    info.path = targetPath;
    info.years = packYears(pack.rows);
    info.datasets = packDatasetCount(pack.rows);
    info.industries = packIndustryCount(pack.rows);
    info.loaded = QDateTime::currentDateTime();
    Connection db;
    try {
        ConnectToFile(db, partial, QStringLiteral("unknown"), OpenMode::ReadWrite);
        {
            Transaction transaction(db);
            QHash<QString, QString> englishTitles;
            writeTitles(db, pack, englishTitles);
            writeDatasetTables(db, pack, englishTitles);
            qint16 errors = 0;
            ExecCmdInDB(db,
                        QStringLiteral("create table ") + kInfoTable +
                            QStringLiteral(" (Name TEXT, Source TEXT, Loaded TEXT, Years TEXT, "
                                           "Datasets INTEGER, Industries INTEGER)"),
                        errors);
            QStringList years;
            for (const int year : std::as_const(info.years))
                years << QString::number(year);
            execBound(db,
                      QStringLiteral("insert into ") + kInfoTable +
                          QStringLiteral(" values (?, ?, ?, ?, ?, ?)"),
                      {name, source, info.loaded.toString(Qt::ISODate),
                       years.join(QLatin1Char(',')), info.datasets, info.industries});
            transaction.commit();
        }
        qint16 errors = 0;
        // The sample's tables dropped leave free pages; a set is read-only after this.
        ExecCmdInDB(db, QStringLiteral("vacuum"), errors);
        ExecCmdInDB(db, QStringLiteral("PRAGMA journal_mode=DELETE"), errors);
        DisconnectFromDB(db);
    } catch (...) {
        DisconnectFromDB(db);
        removePartial();
        throw;
    }
    if (!QFile::rename(partial, targetPath)) {
        removePartial();
        throw DatabaseError(14, QStringLiteral("unable to write database file: ") + targetPath);
    }
    return info;
}

std::optional<BenchmarkSetInfo> readBenchmarkSetInfo(const QString &path)
{
    Connection db;
    if (!ConnectToDatabaseFileIf(db, path, OpenMode::ReadOnly, [](sqlite3 *) { return true; }))
        return std::nullopt;
    std::optional<BenchmarkSetInfo> info;
    try {
        RecordSet row =
            GetRS(db, QStringLiteral("select * from ") + kInfoTable, QStringLiteral("read"));
        if (row.RecordCount() > 0) {
            info.emplace();
            info->name = row.text(QStringLiteral("Name"));
            info->source = row.text(QStringLiteral("Source"));
            info->path = path;
            for (const QString &year :
                 row.text(QStringLiteral("Years")).split(QLatin1Char(','), Qt::SkipEmptyParts))
                info->years << year.toInt();
            info->datasets = row.field(QStringLiteral("Datasets")).toInt();
            info->industries = row.field(QStringLiteral("Industries")).toInt();
            info->loaded = QDateTime::fromString(row.text(QStringLiteral("Loaded")), Qt::ISODate);
        }
    } catch (const DatabaseError &) {
        info.reset();
    }
    DisconnectFromDB(db);
    return info;
}

bool writeBenchmarkPackCsv(Connection &reference, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QTextStream out(&file);
    out.setEncoding(QStringConverter::Utf8);
    const QList<PackColumn> columns = packColumns();
    QStringList headings;
    for (const PackColumn &column : columns)
        headings << column.name;
    out << headings.join(QLatin1Char(',')) << "\r\n";
    // Datasets in the dataset screen's order, then years, then codes.
    QStringList tables = datasetTables(reference);
    const auto rank = [](const QString &table) {
        const QRegularExpressionMatch m = datasetTablePattern().match(table);
        int option = 0;
        for (const DatasetOption &dataset : datasetOptions()) {
            if (dataset.volume == m.captured(1).toInt() &&
                m.captured(2) == QLatin1String(dataset.region))
                break;
            ++option;
        }
        return std::pair{option, m.captured(3).toInt()};
    };
    std::sort(tables.begin(), tables.end(),
              [&rank](const QString &a, const QString &b) { return rank(a) < rank(b); });
    const QStringList figures = figureColumns();
    for (const QString &table : std::as_const(tables)) {
        const QRegularExpressionMatch m = datasetTablePattern().match(table);
        RecordSet rows = GetRS(reference,
                               QStringLiteral("select * from ") + quoted(table) +
                                   QStringLiteral(" order by NAICS"),
                               QStringLiteral("read"));
        for (; !rows.eof(); rows.MoveNext()) {
            QStringList fields{m.captured(1), m.captured(2), m.captured(3),
                               rows.text(QStringLiteral("NAICS"))};
            const auto number = [&rows](const QString &column) {
                const QVariant value = rows.field(column);
                return value.isNull() ? QString()
                                      : QLocale::c().toString(value.toDouble(), 'g', 15);
            };
            fields << number(QStringLiteral("NumberOfFirms"));
            for (const QString &figure : figures)
                fields << number(figure);
            out << fields.join(QLatin1Char(',')) << "\r\n";
        }
    }
    out.flush();
    if (out.status() != QTextStream::Ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
