// An industry's year rows, copied into the work tables inside SQLite, end
// exactly as the rows copied value by value through Qt: the same values of
// the same types, in the same columns, for every industry of a dataset, with
// French titles and with a year whose table is absent.
#include "core/DatasetMapping.h"
#include "reports/ReportPreparation.h"
#include "support/LogicTestSupport.h"

#include <QTest>

namespace {
const QStringList kWorkTables{"Rpt_Data_CY", "Rpt_Data_CYM1", "Rpt_Data_CYM2"};

// The copy value by value: the dataset row read into Qt values, written
// back with one bound value per column, the French title set afterwards.
void copyValueByValue(Connection &reference, Connection &user, qint16 volume, const QString &region,
                      const QString &naics, bool french)
{
    bool tableMissing = false;
    for (int offset = 0; offset < kWorkTables.size(); ++offset) {
        const QString work = kWorkTables.at(offset);
        execBound(user, "delete from " + work);
        const QString dataset = datasetTableName(volume, region, 2006 - offset);
        tableMissing = tableMissing || !DoesReportTableExist(dataset, reference);
        const RecordSet row =
            tableMissing ? RecordSet()
                         : GetRS(reference, "select * from " + dataset + " where Naics = ?", "read",
                                 {naics});
        if (row.RecordCount() == 0) {
            execBound(user, "insert into " + work + " (NAICS) values (?)", {naics});
            continue;
        }
        QStringList marks;
        QVariantList values;
        for (int i = 0; i < row.fieldCount(); ++i) {
            marks << "?";
            values << row.field(i);
        }
        execBound(user,
                  "insert into " + work + " (\"" + row.fieldNames().join("\", \"") +
                      "\") values (" + marks.join(", ") + ")",
                  values);
        if (!french)
            continue;
        const RecordSet title = GetRS(reference,
                                      QStringLiteral("select Description_French from ") +
                                          (volume == 1 ? "ROVAL_NAICS_Description_Ind_Detailed"
                                                       : "ROVAL_NAICS_Description_Ind_Raw") +
                                          " where Naics = ?",
                                      "read", {naics});
        if (title.RecordCount() > 0 && !title.field(0).isNull())
            execBound(user, "update " + work + " set IndustryDescription = ?",
                      {title.field(0).toString().trimmed()});
    }
}

// Every cell of a table as "type:value", so that 1 and 1.0 differ.
QStringList cells(Connection &connection, const QString &table)
{
    RecordSet rows = GetRS(connection, "select * from " + table + " order by rowid", "read");
    QStringList result;
    for (; !rows.eof(); rows.MoveNext())
        for (int i = 0; i < rows.fieldCount(); ++i) {
            const QVariant value = rows.field(i);
            result << rows.fieldName(i) + "=" +
                          (value.isNull()
                               ? QStringLiteral("null")
                               : QString::fromLatin1(value.typeName()) + ":" + value.toString());
        }
    return result;
}
} // namespace

class tst_WorkTableCopy : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_state = std::make_unique<testsupport::StateScope>();
        QVERIFY(testsupport::openShippedDatabases(m_dir));
        const QString expected = m_dir.filePath("expected.mdb");
        QVERIFY(QFile::copy(testsupport::programFile("myData.mdb"), expected));
        QFile::setPermissions(expected, QFile::ReadOwner | QFile::WriteOwner);
        ConnectToFile(m_expected, expected, "unknown");
    }
    void cleanupTestCase()
    {
        DisconnectFromDB(m_expected);
        m_state.reset();
    }

    void sameRowsAsValueByValue_data()
    {
        QTest::addColumn<int>("volume");
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("language");
        QTest::newRow("en: volume 3, Ontario") << 3 << "ON"
                                               << "E";
        QTest::newRow("fr: volume 3, Ontario") << 3 << "ON"
                                               << "F";
        QTest::newRow("fr: volume 1, detailed titles") << 1 << "ALL"
                                                       << "F";
        QTest::newRow("en: volume 2") << 2 << "ALL"
                                      << "E";
        QTest::newRow("fr: Nunavut, no table for the oldest year") << 3 << "NU"
                                                                   << "F";
    }
    void sameRowsAsValueByValue()
    {
        QFETCH(int, volume);
        QFETCH(QString, region);
        QFETCH(QString, language);
        AppState &state = appState();
        const QString dataset = datasetTableName(qint16(volume), region, 2006);
        RecordSet codes =
            GetRS(state.gcnReference, "select NAICS from " + dataset + " order by NAICS", "read");
        QVERIFY(codes.RecordCount() > 0);
        for (; !codes.eof(); codes.MoveNext()) {
            const QString naics = codes.text("NAICS");
            subExtractReportData(state.gcnReference, state.gcnUser, qint16(volume), region, 2006,
                                 naics, language);
            copyValueByValue(state.gcnReference, m_expected, qint16(volume), region, naics,
                             language == "F");
            for (const QString &table : kWorkTables) {
                const QStringList copied = cells(state.gcnUser, table);
                QVERIFY2(!copied.isEmpty(), qPrintable(table));
                QCOMPARE(copied, cells(m_expected, table));
            }
        }
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<testsupport::StateScope> m_state;
    Connection m_expected;
};

QUORVEL_LOGIC_TEST_MAIN(tst_WorkTableCopy)
#include "tst_WorkTableCopy.moc"
