// Backing up and restoring the statements kept on this computer: a backup
// is a database file that opens on its own; a restore replaces every
// statement after keeping the current ones aside, brings an older backup up
// to this release, and refuses a file it cannot use without changing
// anything. Files are read and spoilt through the suites' own writer.
#include "core/AddedUserTables.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "core/UserDatabaseBackup.h"
#include "entry/frmMenu.h"
#include "support/DatabaseWriter.h"
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
QStringList savedFirms(const QString &path)
{
    QStringList firms;
    DatabaseWriter reader(path);
    for (const QVariantMap &row :
         reader.select(QStringLiteral("select FirmName || ' ' || Year as Firm from MyValues "
                                      "order by FirmName, Year")))
        firms << row.value(QStringLiteral("Firm")).toString();
    return firms;
}

bool save(const QString &path, const QString &firm, int year)
{
    return DatabaseWriter(path).exec(
        QStringLiteral("insert into MyValues (FirmName, Year, NAICS, Cash) values (?, ?, ?, ?)"),
        {firm, year, QStringLiteral("1114"), 1000.0 * year});
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Spoils a good backup at `path` in one of the ways a restore must refuse.
bool spoil(const QString &path, const QString &how)
{
    if (how == QLatin1String("text")) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write("FirmName,Year\nAcme,2006\n") > 0;
    }
    if (how == QLatin1String("empty"))
        return QFile::resize(path, 0);
    if (how == QLatin1String("cut"))
        return QFile::resize(path, QFileInfo(path).size() - 4096);
    if (how == QLatin1String("noise")) {
        // Every page after the first two holds noise: the file still opens,
        // but its tables' pages are no longer b-tree pages.
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite))
            return false;
        bool written = true;
        for (qint64 at = 2 * 4096; at < file.size() && written; at += 4096)
            written = file.seek(at) && file.write(QByteArray(4096, '\x5a')) == 4096;
        return written;
    }
    return DatabaseWriter(path).execAll(how.split(QLatin1Char(';')));
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
    void restoreOf_data();
    void restoreOf();
    void killedRunsLeaveNothingBehind_data();
    void killedRunsLeaveNothingBehind();

private:
    QString userDatabase() const { return appState().gcnUser.filePath(); }
    QStringList setAside() const
    {
        return QDir(m_dir->path())
            .entryList({QStringLiteral("myData %1 *.mdb").arg(caption(kSetAsideLabel))});
    }
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
    // Saved on the program's connection, which keeps them in its write-ahead log.
    for (int year : {2006, 2007})
        execBound(appState().gcnUser,
                  QStringLiteral("insert into MyValues (FirmName, Year, NAICS) values (?, ?, ?)"),
                  {QStringLiteral("Acme"), year, QStringLiteral("1114")});
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
    const QString chosen = m_elsewhere->filePath(QStringLiteral("month end.mdb"));
    firm.setFileChooser([&chosen](bool, const QString &) { return chosen; });
    MessageRecorder messages(MsgAnswer::Yes);

    // Taken while the program holds the database open, its newest rows
    // still in the write-ahead log; the copy needs no file beside it.
    QVERIFY(QFileInfo(userDatabase() + QStringLiteral("-wal")).size() > 0);
    firm.findChild<QAction *>(QStringLiteral("mnuBackUp"))->trigger();
    QCOMPARE(messages.texts(), {caption(kBackedUpText).arg(shown(chosen))});
    QCOMPARE(QDir(m_elsewhere->path()).entryList(QDir::Files | QDir::Hidden),
             {QStringLiteral("month end.mdb")});
    QFile header(chosen);
    QVERIFY(header.open(QIODevice::ReadOnly));
    QCOMPARE(header.read(20).mid(18, 2), QByteArray("\x01\x01")); // a rollback journal
    header.close();

    // Later work, then the backup restored over it, the later work set aside.
    QVERIFY(DatabaseWriter(userDatabase())
                .exec(QStringLiteral("delete from MyValues where Year = 2006")));
    QVERIFY(save(userDatabase(), QStringLiteral("Beta"), 2008));
    messages.messages.clear();
    firm.findChild<QAction *>(QStringLiteral("mnuRestore"))->trigger();
    QCOMPARE(setAside().size(), 1);
    const QString setAsidePath = QDir(m_dir->path()).filePath(setAside().constFirst());
    QCOMPARE(messages.texts(),
             (QStringList{// Acme 2007 is replaced by the backup's; Beta 2008 leaves the list.
                          caption(kRestoreQuestion)
                              .arg(QStringLiteral("2"), shown(chosen), shown(setAsidePath),
                                   QStringLiteral("1"), QStringLiteral("1")),
                          caption(kRestoredText).arg(shown(chosen), shown(setAsidePath))}));
    // Enter answers No: replacing every statement takes a click.
    QCOMPARE(messages.messages.first().defaultAnswer, MsgAnswer::No);
    QCOMPARE(savedFirms(userDatabase()),
             (QStringList{QStringLiteral("Acme 2006"), QStringLiteral("Acme 2007")}));
    QCOMPARE(savedFirms(setAsidePath),
             (QStringList{QStringLiteral("Acme 2007"), QStringLiteral("Beta 2008")}));

    // No to the question leaves everything as it is.
    QVERIFY(save(userDatabase(), QStringLiteral("Gamma"), 2009));
    messages.answers = {MsgAnswer::No};
    firm.findChild<QAction *>(QStringLiteral("mnuRestore"))->trigger();
    QCOMPARE(savedFirms(userDatabase()).size(), 3);
    QCOMPARE(setAside().size(), 1);
}

void tst_StatementsBackup::restoreOf_data()
{
    // A good backup spoilt (SQL statements, or how) and the text that
    // refuses it; none when the restore goes through.
    QTest::addColumn<QString>("spoilt");
    QTest::addColumn<int>("refusal");
    QTest::newRow("a release before the added tables")
        << "drop table StatementStamp;drop table Rpt_Comparison_Targets;"
           "drop table StatementIndustry"
        << 0;
    QTest::newRow("another page size")
        << "PRAGMA journal_mode=DELETE;PRAGMA page_size=1024;VACUUM" << 0;
    QTest::newRow("not a database") << "text" << int(kNotADatabaseText);
    QTest::newRow("empty") << "empty" << int(kEmptyFileText);
    QTest::newRow("cut off") << "cut" << int(kDamagedFileText);
    QTest::newRow("without the statements table")
        << "drop table MyValues" << int(kMissingTablesText);
    QTest::newRow("pages overwritten") << "noise" << int(kInconsistentFileText);
    QTest::newRow("written by a newer release")
        << "PRAGMA user_version=99" << int(kNewerDatabaseText);
    QTest::newRow("the database in use") << "" << int(kDatabaseInUseText);
}

void tst_StatementsBackup::restoreOf()
{
    QFETCH(QString, spoilt);
    QFETCH(int, refusal);
    QString path = userDatabase();
    if (!spoilt.isEmpty()) {
        path = m_elsewhere->filePath(QStringLiteral("backup.mdb"));
        fncBackUpDatabase(appState().gcnUser, path);
        QVERIFY(spoil(path, spoilt));
    }
    QVERIFY(save(userDatabase(), QStringLiteral("Beta"), 2008));
    const QStringList filesBefore = QDir(m_dir->path()).entryList(QDir::Files);
    MessageRecorder messages(MsgAnswer::Yes);
    const bool restored =
        subRestoreStatements(nullptr, [&path](bool, const QString &) { return path; });

    if (refusal == 0) {
        QVERIFY(restored);
        QCOMPARE(savedFirms(userDatabase()),
                 (QStringList{QStringLiteral("Acme 2006"), QStringLiteral("Acme 2007")}));
        for (const QString &table : addedUserTables())
            QVERIFY2(fncTableExists(appState().gcnUser, table), qPrintable(table));
        QVERIFY(save(userDatabase(), QStringLiteral("Beta"), 2008)); // it still takes statements
        return;
    }
    QVERIFY(!restored);
    QCOMPARE(messages.messages.size(), 1);
    const QString expected = caption(refusal).arg(shown(path)).section(QLatin1Char('%'), 0, 0);
    QVERIFY2(messages.texts().constFirst().startsWith(expected),
             qPrintable(messages.texts().constFirst()));
    if (refusal == kNewerDatabaseText)
        QVERIFY2(messages.texts().constFirst().contains(QStringLiteral("version 99")),
                 qPrintable(messages.texts().constFirst()));
    QCOMPARE(savedFirms(userDatabase()).size(), 3);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), filesBefore); // nothing set aside
}

void tst_StatementsBackup::killedRunsLeaveNothingBehind_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("removed");
    QTest::newRow("a killed backup's copy") << ".backup.mdb.A1b2C3" << 3600 << true;
    QTest::newRow("one being written now") << ".backup.mdb.A1b2C3" << 5 << false;
    QTest::newRow("another file's copy") << ".other.mdb.A1b2C3" << 3600 << false;
    QTest::newRow("the user's own hidden file") << ".backup.mdb.notes" << 3600 << false;
    QTest::newRow("a killed copy named as a database") << ".backup.mdb.A1b2C3.mdb" << 3600 << true;
    QTest::newRow("seven characters") << ".backup.mdb.A1b2C3d" << 3600 << false;
    QTest::newRow("a sign among them") << ".backup.mdb.A1b-C3" << 3600 << false;
    QTest::newRow("a letter beyond ASCII")
        << QStringLiteral(".backup.mdb.A1b\u00e9C3") << 3600 << false;
    QTest::newRow("the name without its dot") << "backup.mdb.A1b2C3" << 3600 << false;
}

// A backup killed halfway left its passing copy beside the target: the next
// backup to that target removes it, and leaves alone what is not one.
void tst_StatementsBackup::killedRunsLeaveNothingBehind()
{
    QFETCH(QString, name);
    QFETCH(int, ageSeconds);
    QFETCH(bool, removed);
    const QString leftover = QDir(m_elsewhere->path()).filePath(name);
    QFile file(leftover);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("partial");
    QVERIFY(file.flush()); // a later flush would make it new again
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                             QFileDevice::FileModificationTime));
    file.close();
    const QString target = QDir(m_elsewhere->path()).filePath(QStringLiteral("backup.mdb"));
    fncBackUpDatabase(appState().gcnUser, target, {});
    QVERIFY(QFileInfo::exists(target));
    QCOMPARE(!QFileInfo::exists(leftover), removed);
    // And nothing else is left beside the backup.
    QCOMPARE(QDir(m_elsewhere->path())
                 .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)
                 .size(),
             removed ? 1 : 2);
}

QUORVEL_TEST_MAIN(tst_StatementsBackup)
#include "tst_StatementsBackup.moc"
