// Backing up and restoring the statements kept on this computer: a backup
// is a database file that opens on its own; a restore replaces every
// statement after keeping the current ones aside, brings an older backup up
// to this release, and refuses a file it cannot use without changing
// anything.
#include "core/AddedUserTables.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "core/UserDatabaseBackup.h"
#include "entry/frmMenu.h"
#include "firm/frmMyValues.h"
#include "support/FirmScreenSteps.h"
#include "support/TestSupport.h"
#include "widgets/StatementsBackup.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace testsupport;

Q_DECLARE_METATYPE(Language)

namespace {
QStringList savedFirms(Connection &connection)
{
    const RecordSet rows = GetRS(connection,
                                 QStringLiteral("select FirmName || ' ' || Year as Firm from "
                                                "MyValues order by FirmName, Year"),
                                 QStringLiteral("read"));
    QStringList firms;
    for (int row = 0; row < rows.RecordCount(); ++row)
        firms << rows.row(row).at(0).toString();
    return firms;
}

QStringList savedFirmsIn(const QString &path)
{
    Connection connection;
    ConnectToFile(connection, path, QStringLiteral("unknown"), OpenMode::ReadOnly);
    const QStringList firms = savedFirms(connection);
    DisconnectFromDB(connection);
    return firms;
}

void save(Connection &connection, const QString &firm, int year)
{
    execBound(
        connection,
        QStringLiteral("insert into MyValues (FirmName, Year, NAICS, Cash) values (?, ?, ?, ?)"),
        {firm, year, QStringLiteral("1114"), 1000.0 * year});
}

// Runs statements on a database file of its own.
void change(const QString &path, const QStringList &statements)
{
    Connection connection;
    ConnectToFile(connection, path, QStringLiteral("unknown"));
    for (const QString &sql : statements)
        execBound(connection, sql);
    DisconnectFromDB(connection);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}
} // namespace

class tst_StatementsBackup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void backUpThenRestoreFromTheMenu_data();
    void backUpThenRestoreFromTheMenu();
    void olderOrDifferentBackupsAreBroughtUpToDate_data();
    void olderOrDifferentBackupsAreBroughtUpToDate();
    void unusableFilesChangeNothing_data();
    void unusableFilesChangeNothing();

private:
    QString userDatabase() const { return appState().gcnUser.filePath(); }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_elsewhere;
    std::unique_ptr<StateScope> m_state;
};

void tst_StatementsBackup::init()
{
    m_state = std::make_unique<StateScope>();
    m_dir = std::make_unique<QTemporaryDir>();
    m_elsewhere = std::make_unique<QTemporaryDir>();
    QVERIFY(openShippedDatabases(*m_dir));
    save(appState().gcnUser, QStringLiteral("Acme"), 2006);
    save(appState().gcnUser, QStringLiteral("Acme"), 2007);
}

void tst_StatementsBackup::cleanup()
{
    m_state.reset();
    m_dir.reset();
    m_elsewhere.reset();
}

void tst_StatementsBackup::backUpThenRestoreFromTheMenu_data()
{
    QTest::addColumn<Language>("language");
    QTest::newRow("English") << Language::English;
    QTest::newRow("French") << Language::French;
}

void tst_StatementsBackup::backUpThenRestoreFromTheMenu()
{
    QFETCH(Language, language);
    appState().gintLanguage = language;
    frmMenu &menu = ScreenRegistry::get<frmMenu>();
    menu.optVol2->setChecked(true);
    QVERIFY(menu.fncDetermineDataset());
    frmMyValues &firm = showNewStatementScreen();
    QVERIFY(firm.isVisible());
    const QString chosen = m_elsewhere->filePath(QStringLiteral("month end.mdb"));
    firm.setFileChooser([&chosen](bool, const QString &) { return chosen; });
    MessageRecorder messages(MsgAnswer::Yes);

    // The backup is taken while the program holds the database open, its
    // newest rows still in the write-ahead log.
    QVERIFY(QFileInfo(userDatabase() + QStringLiteral("-wal")).size() > 0);
    firm.findChild<QAction *>(QStringLiteral("mnuBackUp"))->trigger();
    QCOMPARE(messages.texts(), {caption(kBackedUpText).arg(QDir::toNativeSeparators(chosen))});
    QCOMPARE(filesIn(m_elsewhere->path()), {QStringLiteral("month end.mdb")});
    QFile header(chosen);
    QVERIFY(header.open(QIODevice::ReadOnly));
    QCOMPARE(header.read(20).mid(18, 2), QByteArray("\x01\x01")); // a rollback journal
    header.close();
    QCOMPARE(savedFirmsIn(chosen),
             (QStringList{QStringLiteral("Acme 2006"), QStringLiteral("Acme 2007")}));

    // Later work, then the backup restored over it.
    execBound(appState().gcnUser, QStringLiteral("delete from MyValues where Year = 2006"));
    save(appState().gcnUser, QStringLiteral("Beta"), 2008);
    messages.messages.clear();
    firm.findChild<QAction *>(QStringLiteral("mnuRestore"))->trigger();
    QCOMPARE(messages.messages.size(), 2);
    const QStringList setAside =
        QDir(m_dir->path())
            .entryList({QStringLiteral("myData %1 *.mdb").arg(caption(kSetAsideLabel))});
    QCOMPARE(setAside.size(), 1);
    const QString setAsidePath = QDir(m_dir->path()).filePath(setAside.constFirst());
    QCOMPARE(messages.messages.at(0).text,
             caption(kRestoreQuestion)
                 .arg(QStringLiteral("2"), QDir::toNativeSeparators(chosen),
                      QDir::toNativeSeparators(setAsidePath)));
    QCOMPARE(messages.messages.at(1).text,
             caption(kRestoredText)
                 .arg(QDir::toNativeSeparators(chosen), QDir::toNativeSeparators(setAsidePath)));
    QCOMPARE(savedFirms(appState().gcnUser),
             (QStringList{QStringLiteral("Acme 2006"), QStringLiteral("Acme 2007")}));
    QCOMPARE(savedFirmsIn(setAsidePath),
             (QStringList{QStringLiteral("Acme 2007"), QStringLiteral("Beta 2008")}));

    // Saying No to the question leaves everything as it is.
    save(appState().gcnUser, QStringLiteral("Gamma"), 2009);
    messages.answers = {MsgAnswer::No};
    firm.findChild<QAction *>(QStringLiteral("mnuRestore"))->trigger();
    QCOMPARE(savedFirms(appState().gcnUser).size(), 3);
    QCOMPARE(QDir(m_dir->path())
                 .entryList({QStringLiteral("myData %1 *.mdb").arg(caption(kSetAsideLabel))})
                 .size(),
             1);
}

void tst_StatementsBackup::olderOrDifferentBackupsAreBroughtUpToDate_data()
{
    QTest::addColumn<QStringList>("changes");
    QTest::newRow("from a release before the added tables")
        << QStringList{QStringLiteral("drop table StatementStamp"),
                       QStringLiteral("drop table Rpt_Comparison_Targets"),
                       QStringLiteral("drop table StatementIndustry")};
    QTest::newRow("written with another page size")
        << QStringList{QStringLiteral("PRAGMA journal_mode=DELETE"),
                       QStringLiteral("PRAGMA page_size=1024"), QStringLiteral("VACUUM")};
}

void tst_StatementsBackup::olderOrDifferentBackupsAreBroughtUpToDate()
{
    QFETCH(QStringList, changes);
    MessageRecorder messages(MsgAnswer::Yes);
    const QString backup = m_elsewhere->filePath(QStringLiteral("old.mdb"));
    fncBackUpDatabase(appState().gcnUser, backup);
    change(backup, changes);
    save(appState().gcnUser, QStringLiteral("Beta"), 2008);

    QVERIFY(subRestoreStatements(nullptr, [&backup](bool, const QString &) { return backup; }));
    QCOMPARE(savedFirms(appState().gcnUser),
             (QStringList{QStringLiteral("Acme 2006"), QStringLiteral("Acme 2007")}));
    for (const QString &table : addedUserTables())
        QVERIFY2(fncTableExists(appState().gcnUser, table), qPrintable(table));
    // The restored database still takes statements.
    save(appState().gcnUser, QStringLiteral("Beta"), 2008);
    QCOMPARE(savedFirms(appState().gcnUser).size(), 3);
}

void tst_StatementsBackup::unusableFilesChangeNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("expectedText");
    // How each file is spoiled, from a good backup at `path`.
    QTest::addColumn<int>("spoil");
    QTest::newRow("not a database") << "notes.mdb" << int(kNotADatabaseText) << 0;
    QTest::newRow("empty") << "empty.mdb" << int(kEmptyFileText) << 1;
    QTest::newRow("cut off") << "cut.mdb" << int(kDamagedFileText) << 2;
    QTest::newRow("without the statements table") << "other.mdb" << int(kMissingTablesText) << 3;
    QTest::newRow("pages overwritten") << "spoilt.mdb" << int(kInconsistentFileText) << 4;
    QTest::newRow("the database in use") << "" << int(kDatabaseInUseText) << 5;
}

void tst_StatementsBackup::unusableFilesChangeNothing()
{
    QFETCH(QString, name);
    QFETCH(int, expectedText);
    QFETCH(int, spoil);
    QString path = m_elsewhere->filePath(name);
    if (spoil != 0 && spoil != 5)
        fncBackUpDatabase(appState().gcnUser, path);
    switch (spoil) {
    case 0:
        QVERIFY(writeFile(path, "FirmName,Year\nAcme,2006\n"));
        break;
    case 1:
        QVERIFY(QFile::resize(path, 0));
        break;
    case 2:
        QVERIFY(QFile::resize(path, QFileInfo(path).size() - 4096));
        break;
    case 3:
        change(path, {QStringLiteral("drop table MyValues")});
        break;
    case 4: {
        // Every page after the first two holds noise: the file still opens,
        // but its tables' pages are no longer b-tree pages.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 pageSize = 4096;
        for (qint64 at = 2 * pageSize; at < file.size(); at += pageSize) {
            file.seek(at);
            file.write(QByteArray(pageSize, '\x5a'));
        }
        break;
    }
    case 5:
        path = userDatabase();
        break;
    }
    const QStringList before = savedFirms(appState().gcnUser);
    const QStringList filesBefore = filesIn(m_dir->path());
    MessageRecorder messages(MsgAnswer::Yes);
    QVERIFY(!subRestoreStatements(nullptr, [&path](bool, const QString &) { return path; }));
    QCOMPARE(messages.messages.size(), 1);
    const QString shownPath = QDir::toNativeSeparators(path);
    QVERIFY2(messages.messages.constFirst().text.startsWith(
                 caption(expectedText).arg(shownPath).section(QLatin1Char('%'), 0, 0)),
             qPrintable(messages.messages.constFirst().text));
    QCOMPARE(savedFirms(appState().gcnUser), before);
    QCOMPARE(filesIn(m_dir->path()), filesBefore); // nothing set aside
}

QUORVEL_TEST_MAIN(tst_StatementsBackup)
#include "tst_StatementsBackup.moc"
