#include "reports/ReportEngine.h"

#include "core/DatabaseError.h"
#include "core/DbTools.h"
#include "reports/ReportData.h"
#include "reports/ReportError.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

QString resolveReportLocation(const QString &location)
{
    const QFileInfo info(location);
    if (info.exists())
        return info.absoluteFilePath();
    const QDir folder = info.absoluteDir();
    const QStringList entries = folder.entryList(QDir::Files);
    for (const QString &entry : entries)
        if (entry.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    return location;
}

ReportEngine::ReportEngine(ReportLayout layout) : m_layout(std::move(layout))
{
    for (const ReportLayout::Table &source : m_layout.tables) {
        Table table;
        table.m_name = source.name;
        m_tables.append(table);
    }
}

std::unique_ptr<ReportEngine> ReportEngine::OpenReport(const QString &path)
{
    return std::unique_ptr<ReportEngine>(new ReportEngine(loadReportLayout(path)));
}

ReportEngine::Table &ReportEngine::table(int number)
{
    if (number < 1 || number > m_tables.size())
        throw ReportError(QStringLiteral("Invalid table number: %1 (the report has %2 tables)")
                              .arg(number)
                              .arg(m_tables.size()));
    return m_tables[number - 1];
}

QVector<RecordSet> ReportEngine::readTables() const
{
    QVector<RecordSet> rows;
    QHash<QString, Connection> connections;
    const auto closeAll = [&connections] {
        for (Connection &connection : connections)
            DisconnectFromDB(connection);
    };
    const QString openFile =
        m_openConnection ? QFileInfo(m_openConnection->filePath()).canonicalFilePath() : QString();
    try {
        for (const Table &table : m_tables) {
            if (table.m_location.isEmpty())
                throw ReportError(QStringLiteral("The table %1 has no location").arg(table.m_name));
            const QString file = resolveReportLocation(table.m_location);
            if (!QFileInfo(file).isFile())
                throw ReportError(
                    QStringLiteral("The database file of table %1 cannot be found: %2")
                        .arg(table.m_name, table.m_location));
            if (!file.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive))
                throw ReportError(QStringLiteral("Not a database file: %1").arg(file));
            const bool open = m_openConnection && m_openConnection->isOpen() &&
                              QFileInfo(file).canonicalFilePath() == openFile;
            Connection &connection = open ? *m_openConnection : connections[file];
            if (connection.isNothing())
                ConnectToFile(connection, file, QStringLiteral("unknown"), OpenMode::ReadOnly);
            rows.append(GetRS(connection, QStringLiteral("select * from [%1]").arg(table.m_name),
                              QStringLiteral("read")));
        }
    } catch (const DatabaseError &error) {
        closeAll();
        throw ReportError(
            QStringLiteral("A report table cannot be read: %1").arg(error.description()));
    } catch (...) {
        closeAll();
        throw;
    }
    closeAll();
    return rows;
}

std::unique_ptr<ReportDocument> ReportEngine::render() const
{
    const QVector<RecordSet> rows = readTables();
    const ReportLanguage language = reportLanguageOf(m_layout, rows);
    const kainjow::mustache::data data = buildReportData(m_layout, rows, language);
    return std::make_unique<ReportDocument>(
        renderReportTemplate(m_layout.body, data), renderReportTemplate(m_layout.header, data),
        renderReportTemplate(m_layout.footer, data), m_layout.pageLayout, m_layout.smallestScale);
}
