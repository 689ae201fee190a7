#include "ReferenceDatabase.h"

#include "BenchmarkGenerator.h"
#include "DatasetColumns.h"
#include "SqliteFile.h"
#include "TsvTable.h"

#include <QDir>
#include <QHash>
#include <stdexcept>

namespace {

const int kYears[] = {2006, 2005, 2004};

QList<ColumnSpec> descriptionColumns()
{
    return {{QStringLiteral("NAICS"), QStringLiteral("TEXT"), true},
            {QStringLiteral("Description"), QStringLiteral("TEXT"), false},
            {QStringLiteral("Description_french"), QStringLiteral("TEXT"), false},
            {QStringLiteral("definitione"), QStringLiteral("TEXT"), false},
            {QStringLiteral("definitionf"), QStringLiteral("TEXT"), false},
            {QStringLiteral("Parent"), QStringLiteral("TEXT"), false},
            {QStringLiteral("NodeKey"), QStringLiteral("TEXT"), false},
            {QStringLiteral("sequence"), QStringLiteral("INTEGER"), false},
            {QStringLiteral("Sector"), QStringLiteral("TEXT"), false}};
}

QString tableName(int volume, const QString &region, int year)
{
    return QStringLiteral("ROVAL_Vol%1_%2_%3_Final_Ratios").arg(volume).arg(region).arg(year);
}

// Volume 1 uses the detailed description table, volumes 2 and 3 the other.
void writeDescriptionTables(SqliteFile &file, const TsvTable &industries)
{
    QList<QVariantList> detailed;
    QList<QVariantList> raw;
    for (int r = 0; r < industries.rows.size(); ++r) {
        const QString naics = industries.text(r, QStringLiteral("NAICS"));
        const QVariantList row{naics,
                               industries.value(r, QStringLiteral("Description")),
                               industries.value(r, QStringLiteral("Description_french")),
                               industries.value(r, QStringLiteral("definitione")),
                               industries.value(r, QStringLiteral("definitionf")),
                               industries.value(r, QStringLiteral("Parent")),
                               QStringLiteral("Ind") + naics,
                               qlonglong((r + 1) * 10),
                               naics.left(2)};
        const QString volumes = industries.text(r, QStringLiteral("Volumes"));
        if (volumes.contains(QLatin1Char('1')))
            detailed << row;
        if (volumes.contains(QLatin1Char('2')) || volumes.contains(QLatin1Char('3')))
            raw << row;
    }
    const QList<ColumnSpec> columns = descriptionColumns();
    for (const auto &[name, rows] : {std::pair{"ROVAL_NAICS_Description_Ind_Detailed", &detailed},
                                     std::pair{"ROVAL_NAICS_Description_Ind_Raw", &raw}}) {
        file.createTable(QLatin1String(name), columns);
        file.insertRows(QLatin1String(name), columns, *rows);
    }
}

DatasetSpec datasetFromRow(const TsvTable &datasets, int r)
{
    DatasetSpec d;
    d.volume = datasets.value(r, QStringLiteral("Volume")).toInt();
    d.region = datasets.text(r, QStringLiteral("Region"));
    d.tiers = datasets.text(r, QStringLiteral("Tiers"));
    d.partialTiers = datasets.text(r, QStringLiteral("PartialTiers"));
    d.partialPercent = datasets.value(r, QStringLiteral("PartialPercent")).toInt();
    d.firmShare = datasets.value(r, QStringLiteral("FirmShare")).toDouble();
    for (const QString &year : datasets.text(r, QStringLiteral("AbsentYears"))
                                   .split(QLatin1Char(','), Qt::SkipEmptyParts))
        d.absentYears << year.trimmed().toInt();
    return d;
}

void writeDatasetTables(SqliteFile &file, const TsvTable &industries, const TsvTable &datasets,
                        const TsvTable &profiles)
{
    QHash<QString, FigureProfile> profileByName;
    for (int r = 0; r < profiles.rows.size(); ++r)
        profileByName.insert(profiles.text(r, QStringLiteral("Profile")),
                             benchmark::profileFromRow(profiles, r));

    QList<IndustryInfo> infos;
    for (int r = 0; r < industries.rows.size(); ++r) {
        IndustryInfo info;
        info.naics = industries.text(r, QStringLiteral("NAICS"));
        info.title = industries.text(r, QStringLiteral("Description"));
        info.volumes = industries.text(r, QStringLiteral("Volumes"));
        info.tier = industries.text(r, QStringLiteral("Tier"));
        info.profile = industries.text(r, QStringLiteral("Profile"));
        if (!profileByName.contains(info.profile))
            throw std::runtime_error(QStringLiteral("industry %1: unknown profile %2")
                                         .arg(info.naics, info.profile)
                                         .toStdString());
        infos << info;
    }

    QList<ColumnSpec> columns = datasetcolumns::all();
    columns[0].key = true; // one row per industry
    for (int d = 0; d < datasets.rows.size(); ++d) {
        const DatasetSpec dataset = datasetFromRow(datasets, d);
        for (const int year : kYears) {
            if (dataset.absentYears.contains(year))
                continue;
            QList<QVariantList> rows;
            for (const IndustryInfo &info : infos)
                if (benchmark::carries(dataset, info))
                    rows << benchmark::row(profileByName.value(info.profile), info, dataset, year);
            const QString table = tableName(dataset.volume, dataset.region, year);
            file.createTable(table, columns);
            file.insertRows(table, columns, rows);
        }
    }
}

} // namespace

void buildReferenceDatabase(SqliteFile &file, const QString &sourceFolder)
{
    const QDir folder(sourceFolder);
    const TsvTable industries = readTsv(folder.filePath(QStringLiteral("industries.tsv")));
    writeDescriptionTables(file, industries);
    file.writeTable(readTsv(folder.filePath(QStringLiteral("tblTreeview.tsv"))));
    file.writeTable(readTsv(folder.filePath(QStringLiteral("datadescription.tsv"))));
    writeDatasetTables(file, industries, readTsv(folder.filePath(QStringLiteral("datasets.tsv"))),
                       readTsv(folder.filePath(QStringLiteral("profiles.tsv"))));
}
