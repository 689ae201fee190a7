// The report title tables of an older user database are refreshed from the
// sources built into the program; the saved statements stay as they are.
#include "support/LogicTestSupport.h"

#include "core/AddedUserTables.h"
#include "core/DbTools.h"
#include "core/TitleTables.h"

#include <QFile>
#include <QTemporaryDir>

namespace {
void exec(Connection &connection, const QString &sql)
{
    qint16 errors = 0;
    ExecCmdInDB(connection, sql, errors);
}

QStringList columnsOf(Connection &connection, const QString &table)
{
    return GetRS(connection, "select * from " + table + " limit 0", "read").fieldNames();
}
} // namespace

class tst_TitleTables : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        const QString file = m_dir.filePath(QStringLiteral("myData.mdb"));
        QFile::remove(file);
        QVERIFY(QFile::copy(QStringLiteral(QUORVEL_FRESH_USER_DB), file));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        ConnectToFile(m_user, file, QStringLiteral("unknown"), OpenMode::ReadWrite);
    }

    void cleanup() { DisconnectFromDB(m_user); }

    void upToDateTablesAreLeftAlone()
    {
        exec(m_user, "insert into Rpt_Ratios_Titles_Source ([Language]) values ('X')");
        subRefreshTitleTables(m_user);
        QCOMPARE(
            GetRS(m_user, "select * from Rpt_Ratios_Titles_Source where [Language] = 'X'", "read")
                .RecordCount(),
            1);
    }

    void olderTitleTablesAreRebuiltAndStatementsKept()
    {
        // An older database: a heading column missing, another no longer used.
        exec(m_user, "alter table Rpt_Ratios_Titles_Source drop column Hdr_Median");
        exec(m_user, "alter table Rpt_Ratios_Titles drop column Hdr_Median");
        exec(m_user, "alter table Rpt_Comparison_Titles_Source add column Old_Heading TEXT");
        exec(m_user, "insert into MyValues (FirmName, [Year], NAICS, Cash) values "
                     "('Kept Ltd', 2006, '236110', 1234.5)");

        subRefreshTitleTables(m_user);

        QVERIFY(columnsOf(m_user, "Rpt_Ratios_Titles_Source").contains("Hdr_Median"));
        QVERIFY(columnsOf(m_user, "Rpt_Ratios_Titles").contains("Hdr_Median"));
        QVERIFY(!columnsOf(m_user, "Rpt_Comparison_Titles_Source").contains("Old_Heading"));
        RecordSet median = GetRS(m_user,
                                 "select [Language], Hdr_Median from Rpt_Ratios_Titles_Source "
                                 "order by [Language]",
                                 "read");
        QCOMPARE(median.RecordCount(), 2);
        QCOMPARE(median.text("Hdr_Median"), QStringLiteral("Median"));
        median.MoveNext();
        QCOMPARE(median.text("Hdr_Median"), QStringLiteral("Médiane"));
        const RecordSet kept =
            GetRS(m_user, "select Cash from MyValues where FirmName = 'Kept Ltd'", "read");
        QCOMPARE(kept.RecordCount(), 1);
        QCOMPARE(kept.field("Cash").toDouble(), 1234.5);
    }

    void sourceRowsReadTheirEscapes()
    {
        const QList<QStringList> rows =
            fncSourceRows("# comment\nA\tB\nx\\ty\tline\\none\n\nback\\\\slash\tz\n");
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0), (QStringList{"x\ty", "line\none"}));
        QCOMPARE(rows.at(1), (QStringList{"back\\slash", "z"}));
    }

private:
    QTemporaryDir m_dir;
    Connection m_user;
};

QUORVEL_LOGIC_TEST_MAIN(tst_TitleTables)
#include "tst_TitleTables.moc"
