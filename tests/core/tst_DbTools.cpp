#include "support/DatabaseWriter.h"
#include "support/LogicTestSupport.h"

#include "core/DatabaseError.h"
#include "core/DbTools.h"
#include "core/ProgramFolder.h"
#include "core/Transaction.h"

#include <QFileInfo>

using namespace testsupport;

class TestDbTools : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_file;

    int countRows(Connection &connection, const QString &table)
    {
        return GetRS(connection, QStringLiteral("select count(*) as n from ") + table, "read")
            .field(QStringLiteral("n"))
            .toInt();
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_file = m_dir.filePath(QStringLiteral("sample.mdb"));
        QFile::remove(m_file);
        QVERIFY(writeSqliteFile(
            m_file, {QStringLiteral("create table Firms (Name text, Amount real, Note text)"),
                     QStringLiteral("insert into Firms values ('Alpha', 1.5, null)"),
                     QStringLiteral("insert into Firms values ('Beta', -2, 'x')"),
                     QStringLiteral("insert into Firms values ('Gamma', 0, 'y')")}));
    }

    void connectionOpensTrimmedPathInAnyCase_data()
    {
        QTest::addColumn<QString>("decoration");
        QTest::newRow("plain") << QString();
        QTest::newRow("blanks around") << QStringLiteral("  %1   ");
        QTest::newRow("upper-case type") << QStringLiteral("upper");
    }

    void connectionOpensTrimmedPathInAnyCase()
    {
        QFETCH(QString, decoration);
        QString path = m_file;
        if (decoration == QLatin1String("upper")) {
            path = m_dir.filePath(QStringLiteral("SAMPLE.MDB"));
            QVERIFY(QFile::copy(m_file, path));
        } else if (!decoration.isEmpty()) {
            path = decoration.arg(m_file);
        }
        Connection connection;
        ConnectToFile(connection, path, QStringLiteral("unknown"), OpenMode::ReadOnly);
        QVERIFY(connection.isOpen());
        QCOMPARE(countRows(connection, QStringLiteral("Firms")), 3);
        DisconnectFromDB(connection);
        QVERIFY(connection.isNothing());
    }

    void unknownFileTypeIsThrownAsUsageError()
    {
        StateScope state;
        appState().gintLanguage = Language::French; // the usage message stays English
        Connection connection;
        const DatabaseError error = thrownError([&] {
            ConnectToFile(connection, m_dir.filePath(QStringLiteral("book.Doc")),
                          QStringLiteral("unknown"));
        });
        QCOMPARE(error.number(), 5);
        QCOMPARE(error.description(),
                 QStringLiteral("Invalid use of ConnectToFile (Invalid File Type: Doc )"));
        QVERIFY(connection.isNothing());
    }

    void missingFileIsAnErrorAndIsNotCreated_data()
    {
        QTest::addColumn<OpenMode>("mode");
        QTest::newRow("read-only") << OpenMode::ReadOnly;
        QTest::newRow("read-write") << OpenMode::ReadWrite;
    }

    void missingFileIsAnErrorAndIsNotCreated()
    {
        QFETCH(OpenMode, mode);
        const QString missing = m_dir.filePath(QStringLiteral("absent folder/none.mdb"));
        Connection connection;
        try {
            ConnectToFile(connection, missing, QStringLiteral("unknown"), mode);
            QFAIL("opening a missing file succeeded");
        } catch (const DatabaseError &error) {
            QCOMPARE(error.number(), 14);
            QVERIFY2(error.description().contains(QLatin1String("unable to open database file")),
                     qPrintable(error.description()));
        }
        QVERIFY(!QFileInfo::exists(missing));
        QVERIFY(connection.isNothing());
    }

    void damagedFileIsAnError()
    {
        const QString damaged = m_dir.filePath(QStringLiteral("damaged.mdb"));
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        Connection connection;
        QVERIFY_THROWS_EXCEPTION(DatabaseError,
                                 ConnectToFile(connection, damaged, QStringLiteral("unknown")));
        QVERIFY(connection.isNothing());
    }

    void readOnlyConnectionRefusesWrites()
    {
        Connection connection;
        ConnectToFile(connection, m_file, QStringLiteral("unknown"), OpenMode::ReadOnly);
        qint16 errors = 0;
        QVERIFY_THROWS_EXCEPTION(
            DatabaseError, ExecCmdInDB(connection, QStringLiteral("delete from Firms"), errors));
        QCOMPARE(countRows(connection, QStringLiteral("Firms")), 3);
    }

    void readAndWriteModesInAnyCase_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("read") << QStringLiteral("read");
        QTest::newRow("Read") << QStringLiteral("Read");
        QTest::newRow("READ") << QStringLiteral("READ");
        QTest::newRow("Write") << QStringLiteral("Write");
    }

    void readAndWriteModesInAnyCase()
    {
        QFETCH(QString, mode);
        Connection connection;
        ConnectToFile(connection, m_file, QStringLiteral("unknown"));
        RecordSet rs = GetRS(connection, QStringLiteral("select * from Firms order by Name"), mode);
        QCOMPARE(rs.RecordCount(), 3);
    }

    void unknownModeIsThrownWithModeAsPassed_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("update") << QStringLiteral("Update");
        QTest::newRow("empty") << QString();
        QTest::newRow("readonly") << QStringLiteral("READONLY");
    }

    void unknownModeIsThrownWithModeAsPassed()
    {
        QFETCH(QString, mode);
        Connection connection;
        ConnectToFile(connection, m_file, QStringLiteral("unknown"));
        const DatabaseError error =
            thrownError([&] { GetRS(connection, QStringLiteral("select * from Firms"), mode); });
        QCOMPARE(error.number(), 5);
        QCOMPARE(error.description(), QStringLiteral("Invalid use of GetRS (Invalid WriteMode: ") +
                                          mode + QStringLiteral(" )"));
    }

    void recordSetWalksRowsAndKeepsNulls()
    {
        Connection connection;
        ConnectToFile(connection, m_file, QStringLiteral("unknown"));
        RecordSet rs =
            GetRS(connection, QStringLiteral("select * from Firms order by Name"), "read");
        QStringList names;
        while (!rs.eof()) {
            names << rs.text(QStringLiteral("NAME")); // field names ignore case
            rs.MoveNext();
        }
        QCOMPARE(names, (QStringList{"Alpha", "Beta", "Gamma"}));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.MoveNext());
        rs.MoveFirst();
        QVERIFY(rs.field(QStringLiteral("note")).isNull());
        QCOMPARE(rs.field(QStringLiteral("Amount")).toDouble(), 1.5);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.field(QStringLiteral("NoSuchColumn")));

        RecordSet empty =
            GetRS(connection, QStringLiteral("select * from Firms where 1 = 0"), "read");
        QCOMPARE(empty.RecordCount(), 0);
        QVERIFY(empty.eof());
        QCOMPARE(empty.fieldCount(), 3);
    }

    // Fields are found by name in any letter case; of two names equal but for
    // case, the first wins, in narrow and in wide record sets alike.
    void fieldsAreFoundByNameInAnyCase_data()
    {
        QTest::addColumn<int>("extraColumns");
        QTest::newRow("narrow") << 0;
        QTest::newRow("wide") << 20;
    }
    void fieldsAreFoundByNameInAnyCase()
    {
        QFETCH(int, extraColumns);
        QStringList columns = {QStringLiteral("Naics"), QStringLiteral("Amount"),
                               QStringLiteral("AMOUNT"), QStringLiteral("Étape")};
        QVector<QVariant> row = {QStringLiteral("236110"), 1, 2, 3};
        for (int i = 0; i < extraColumns; ++i) {
            columns << QStringLiteral("C%1").arg(i);
            row << 100 + i;
        }
        const RecordSet rs(columns, {row});
        QCOMPARE(rs.field(QStringLiteral("Naics")).toString(), QStringLiteral("236110"));
        QCOMPARE(rs.field(QStringLiteral("NAICS")).toString(), QStringLiteral("236110"));
        QCOMPARE(rs.field(QStringLiteral("Amount")).toInt(), 1);
        QCOMPARE(rs.field(QStringLiteral("AMOUNT")).toInt(), 1);
        QCOMPARE(rs.field(QStringLiteral("amount")).toInt(), 1);
        QCOMPARE(rs.field(QStringLiteral("ÉTAPE")).toInt(), 3);
        if (extraColumns > 0)
            QCOMPARE(rs.field(QStringLiteral("c19")).toInt(), 119);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.field(QStringLiteral("Amounts")));
    }

    void boundParametersAreNeverSqlText()
    {
        Connection connection;
        ConnectToFile(connection, m_file, QStringLiteral("unknown"));
        const QString hostile = QStringLiteral("O'Brien'); delete from Firms; --");
        qint16 errors = -5;
        ExecCmdInDB(connection, QStringLiteral("insert into Firms (Name, Amount) values (?, ?)"),
                    errors, {hostile, 2.25});
        QCOMPARE(errors, qint16(0));
        RecordSet rs = GetRS(connection, QStringLiteral("select Amount from Firms where Name = ?"),
                             "read", {hostile});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.field(0).toDouble(), 2.25);
        QCOMPARE(countRows(connection, QStringLiteral("Firms")), 4);
        QCOMPARE(sqlQuote(QStringLiteral("l'ami d'Anne")), QStringLiteral("'l''ami d''Anne'"));
    }

    // A value bound and read back keeps its value, its kind and its nullness.
    void valuesRoundTripByKind_data()
    {
        QTest::addColumn<QVariant>("bound");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<bool>("isNull");
        QTest::newRow("int") << QVariant(42) << QVariant(qlonglong(42)) << false;
        QTest::newRow("big integer")
            << QVariant(qlonglong(1) << 40) << QVariant(qlonglong(1) << 40) << false;
        QTest::newRow("bool") << QVariant(true) << QVariant(qlonglong(1)) << false;
        QTest::newRow("double") << QVariant(-0.125) << QVariant(-0.125) << false;
        QTest::newRow("accented text")
            << QVariant(QStringLiteral("Société générale – été ✓"))
            << QVariant(QStringLiteral("Société générale – été ✓")) << false;
        QTest::newRow("text beyond the basic plane")
            << QVariant(QStringLiteral("Note \U0001D11E \U0001F600"))
            << QVariant(QStringLiteral("Note \U0001D11E \U0001F600")) << false;
        QTest::newRow("text holding a nul")
            << QVariant(QStringLiteral("a").append(QChar(0)) + "b")
            << QVariant(QStringLiteral("a").append(QChar(0)) + "b") << false;
        QTest::newRow("empty text is not null")
            << QVariant(QLatin1String("")) << QVariant(QString("")) << false;
        QTest::newRow("null text is null") << QVariant(QString()) << QVariant() << true;
        QTest::newRow("invalid is null") << QVariant() << QVariant() << true;
        QTest::newRow("bytes") << QVariant(QByteArray("a\0b", 3)) << QVariant(QByteArray("a\0b", 3))
                               << false;
        QTest::newRow("other kinds bind as text")
            << QVariant(QDate(2006, 3, 1)) << QVariant(QStringLiteral("2006-03-01")) << false;
    }
    void valuesRoundTripByKind()
    {
        QFETCH(QVariant, bound);
        QFETCH(QVariant, expected);
        QFETCH(bool, isNull);
        Connection connection;
        ConnectToFile(connection, m_file, QStringLiteral("unknown"));
        execBound(connection, QStringLiteral("create table Kinds (V)"));
        execBound(connection, QStringLiteral("insert into Kinds values (?)"), {bound});
        const RecordSet rs = GetRS(connection, QStringLiteral("select V from Kinds"), "read");
        QCOMPARE(rs.field(0).isNull(), isNull);
        if (!isNull) {
            QCOMPARE(rs.field(0).typeId(), expected.typeId());
            QCOMPARE(rs.field(0), expected);
        }
    }

    // Many texts bound to one statement each keep their own value.
    void everyBoundTextKeepsItsValue()
    {
        Connection connection;
        ConnectToFile(connection, m_file, QStringLiteral("unknown"));
        QStringList columns;
        QVariantList values;
        for (int i = 0; i < 60; ++i) {
            columns << QStringLiteral("C%1").arg(i);
            values << (i % 3 == 0 ? QVariant(i) : QVariant(QStringLiteral("é%1").arg(i)));
        }
        execBound(connection, QStringLiteral("create table Wide (%1)").arg(columns.join(", ")));
        execBound(connection,
                  QStringLiteral("insert into Wide values (%1)")
                      .arg(QStringList(columns.size(), QStringLiteral("?")).join(", ")),
                  values);
        const RecordSet rs = GetRS(connection, QStringLiteral("select * from Wide"), "read");
        for (int i = 0; i < 60; ++i)
            QCOMPARE(rs.field(i).toString(), values.at(i).toString());
    }

    // Misuses of a statement are errors with their own words, and the
    // statement still runs rightly afterwards.
    void statementMisusesAreErrors()
    {
        Connection connection;
        ConnectToFile(connection, m_file, QStringLiteral("unknown"));
        const QString insert = QStringLiteral("insert into Firms (Name, Amount) values (?, ?)");
        const DatabaseError tooFew = thrownError([&] { execBound(connection, insert, {"x"}); });
        QVERIFY(tooFew.description().startsWith(QLatin1String("Parameter count mismatch")));
        const DatabaseError twoStatements = thrownError(
            [&] { execBound(connection, QStringLiteral("delete from Firms; delete from Firms")); });
        QVERIFY(twoStatements.description().contains(QLatin1String("multiple statements")));
        QCOMPARE(countRows(connection, QStringLiteral("Firms")), 3);
        QCOMPARE(execBound(connection, insert, {"x", 1}), 1);

        Connection copy = connection;
        DisconnectFromDB(connection);
        QCOMPARE(thrownError([&] { execBound(copy, insert, {"y", 2}); }).number(), 3704);
    }

    void firstIntegerReadsOneValue_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<qint64>("expected");
        QTest::addColumn<bool>("found");
        QTest::newRow("count") << "select count(*) from Firms" << qint64(3) << true;
        QTest::newRow("real is truncated")
            << "select Amount from Firms where Name = 'Alpha'" << qint64(1) << true;
        QTest::newRow("null") << "select Note from Firms where Name = 'Alpha'" << qint64(0)
                              << false;
        QTest::newRow("no row") << "select Amount from Firms where 1 = 0" << qint64(0) << false;
        QTest::newRow("a pragma") << "PRAGMA user_version" << qint64(0) << true;
    }
    void firstIntegerReadsOneValue()
    {
        QFETCH(QString, sql);
        QFETCH(qint64, expected);
        QFETCH(bool, found);
        Connection connection;
        ConnectToFile(connection, m_file, QStringLiteral("unknown"));
        const std::optional<qint64> value = firstInteger(connection, sql);
        QCOMPARE(value.has_value(), found);
        if (found)
            QCOMPARE(*value, expected);
    }

    void failingStatementThrowsWithNumberAndText()
    {
        Connection connection;
        ConnectToFile(connection, m_file, QStringLiteral("unknown"));
        try {
            GetRS(connection, QStringLiteral("select * from NoSuchTable"), "read");
            QFAIL("query on a missing table succeeded");
        } catch (const DatabaseError &error) {
            QCOMPARE(error.number(), 1);
            QVERIFY(error.description().contains(QLatin1String("no such table")));
        }
    }

    void transactionIsAllOrNothing()
    {
        Connection connection;
        ConnectToFile(connection, m_file, QStringLiteral("unknown"));
        // A guard committed after its statements; an error unwinds past it.
        const auto runAll = [&connection](const QStringList &statements) {
            Transaction transaction(connection);
            for (const QString &sql : statements)
                execBound(connection, sql);
            transaction.commit();
        };
        QVERIFY_THROWS_EXCEPTION(DatabaseError,
                                 runAll({QStringLiteral("delete from Firms"),
                                         QStringLiteral("insert into NoSuchTable values (1)")}));
        QCOMPARE(countRows(connection, QStringLiteral("Firms")), 3);

        runAll({QStringLiteral("delete from Firms where Name = 'Beta'"),
                QStringLiteral("update Firms set Amount = 9")});
        QCOMPARE(countRows(connection, QStringLiteral("Firms")), 2);

        {
            Transaction abandoned(connection);
            execBound(connection, QStringLiteral("delete from Firms"));
        }
        QCOMPARE(countRows(connection, QStringLiteral("Firms")), 2);
    }

    void theFileAloneHoldsEverythingAfterExit()
    {
        const QString file = m_dir.filePath(QStringLiteral("kept.mdb"));
        QVERIFY(QFile::copy(m_file, file));
        Connection writer;
        Connection reader;
        ConnectToFile(writer, file, QStringLiteral("unknown"));
        ConnectToFile(reader, file, QStringLiteral("unknown"), OpenMode::ReadOnly);
        execBound(writer, QStringLiteral("insert into Firms (Name) values (?)"),
                  {QStringLiteral("Delta")});
        QVERIFY(QFileInfo(file + QStringLiteral("-wal")).size() > 0);
        closeDatabasesBeforeExit();

        QVERIFY(!writer.isOpen());
        QVERIFY(!reader.isOpen());
        QVERIFY(!QFileInfo::exists(file + QStringLiteral("-wal")));
        QVERIFY(!QFileInfo::exists(file + QStringLiteral("-shm")));
        // Header bytes 18 and 19 are 1 for a rollback journal, 2 for a
        // write-ahead log, which a reader could not open without a -shm file.
        QFile header(file);
        QVERIFY(header.open(QIODevice::ReadOnly));
        const QByteArray bytes = header.read(20);
        QCOMPARE(int(bytes.at(18)), 1);
        QCOMPARE(int(bytes.at(19)), 1);
        header.close();

        // A copy of the file alone, read as a user reads a backup.
        const QString copy = m_dir.filePath(QStringLiteral("backup.mdb"));
        QVERIFY(QFile::copy(file, copy));
        Connection backup;
        ConnectToFile(backup, copy, QStringLiteral("unknown"), OpenMode::ReadOnly);
        QCOMPARE(countRows(backup, QStringLiteral("Firms")), 4);
    }

    void reconnectingReplacesTheConnection()
    {
        Connection connection;
        ConnectToFile(connection, m_file, QStringLiteral("unknown"));
        const QString first = connection.connectionName();
        ConnectToFile(connection, m_file, QStringLiteral("unknown"));
        QVERIFY(connection.connectionName() != first);
        QVERIFY(!QSqlDatabase::contains(first));
        Connection nothing;
        DisconnectFromDB(nothing);
        QVERIFY(nothing.isNothing());
    }
};

QUORVEL_LOGIC_TEST_MAIN(TestDbTools)
#include "tst_DbTools.moc"
