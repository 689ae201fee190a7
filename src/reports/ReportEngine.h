#pragma once

#include "core/DbTools.h"
#include "core/RecordSet.h"
#include "reports/ReportDocument.h"
#include "reports/ReportLayout.h"

#include <QString>
#include <memory>

// The report engine: an opened report layout whose tables, numbered from 1,
// are read from the database files their locations name.
class ReportEngine
{
public:
    class Table
    {
    public:
        QString name() const { return m_name; }
        QString location() const { return m_location; }
        void setLocation(const QString &path) { m_location = path; }

    private:
        friend class ReportEngine;
        QString m_name;
        QString m_location;
    };

    // Opens a layout file; throws ReportError when it is missing, unreadable
    // or not a layout.
    static std::unique_ptr<ReportEngine> OpenReport(const QString &path);

    const ReportLayout &layout() const { return m_layout; }
    int tableCount() const { return static_cast<int>(m_tables.size()); }

    // Table `number` (from 1); throws ReportError past the last table.
    Table &table(int number);

    // Tables located in this connection's database file are read through it
    // instead of a connection of their own, which saves reading the file's
    // schema again. The connection must stay open while the engine reads.
    void readThrough(Connection &connection) { m_openConnection = &connection; }

    // Reads every table from its location and lays out the pages. Throws
    // ReportError when a table has no location or cannot be read there, or
    // the template is not valid.
    std::unique_ptr<ReportDocument> render() const;

    // The rows of every table, in the layout's order, read from their
    // locations. Throws ReportError as render() does.
    QVector<RecordSet> readTables() const;

private:
    explicit ReportEngine(ReportLayout layout);

    ReportLayout m_layout;
    QVector<Table> m_tables;
    Connection *m_openConnection = nullptr;
};

// The database file a location names. The file's name is matched without
// regard to letter case, as the reports name "MyData.mdb" the file that
// the program ships as "myData.mdb".
QString resolveReportLocation(const QString &location);
