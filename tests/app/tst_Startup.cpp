#include "support/DatabaseWriter.h"
#include "support/TestSupport.h"

#include "app/Startup.h"
#include "benchmarks/BenchmarkSets.h"
#include "benchmarks/BenchmarksInUse.h"
#include "core/DatabaseCheck.h"
#include "core/DatabaseError.h"
#include "core/DbTools.h"
#include "core/ProgramFolder.h"
#include "core/ScreenRegistry.h"
#include "entry/frmStart.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <sys/stat.h>
#include <unistd.h>

using namespace testsupport;

namespace {
// What a folder holds: each file's name and the hash of its bytes.
QMap<QString, QByteArray> folderContents(const QString &path)
{
    QMap<QString, QByteArray> contents;
    const QDir dir(path);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            contents.insert(name,
                            QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
    }
    return contents;
}

// The user without privileges the check runs as when the tests run as root
// (for root, every file is writable).
constexpr uid_t kUnprivileged = 65534;

// Runs work as a user for whom `readOnlyPath` cannot be written, and everything
// else in the folder can: as root, with the effective user switched to an
// unprivileged one that owns the rest; otherwise by taking the write bits.
void runWithReadOnly(const QString &folder, const QString &readOnlyPath,
                     const std::function<void()> &work)
{
    const QByteArray dir = QFile::encodeName(folder);
    const QByteArray target = QFile::encodeName(readOnlyPath);
    const QDir files(folder);
    if (geteuid() != 0) {
        ::chmod(target.constData(), readOnlyPath == folder ? 0555 : 0444);
        work();
        ::chmod(target.constData(), readOnlyPath == folder ? 0755 : 0644);
        return;
    }
    ::chmod(dir.constData(), 0755);
    for (const QString &name : files.entryList(QDir::Files)) {
        const QByteArray path = QFile::encodeName(files.filePath(name));
        ::chmod(path.constData(), 0644);
        if (files.filePath(name) != readOnlyPath)
            QVERIFY(::chown(path.constData(), kUnprivileged, kUnprivileged) == 0);
    }
    const uid_t folderOwner = readOnlyPath == folder ? 0 : kUnprivileged;
    QVERIFY(::chown(dir.constData(), folderOwner, folderOwner) == 0);
    QVERIFY(::seteuid(kUnprivileged) == 0);
    try {
        work();
    } catch (...) {
        QVERIFY(::seteuid(0) == 0);
        throw;
    }
    QVERIFY(::seteuid(0) == 0);
}

} // namespace

// Start-up against a program folder of the test's own.
class TestStartup : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<StateScope> m_state;

    QString file(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

    // Runs Main, expecting it to end with one message; returns that message.
    QString startExpectingTheEnd()
    {
        MessageRecorder messages;
        EndRecorder ending;
        bool ended = false;
        try {
            runGuarded(Main);
        } catch (const ProgramEnded &) {
            ended = true;
        }
        if (!ended || ending.exitCodes != QList<int>{1} || messages.messages.size() != 1)
            return QStringLiteral("<no single message and end with status 1>");
        return messages.messages.first().text;
    }

private slots:
    void initTestCase()
    {
        // The benchmark sets and the settings naming the one in use: the test's own.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
    }

    void init()
    {
        m_state = std::make_unique<StateScope>();
        QVERIFY(m_dir.isValid());
        for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(m_dir.filePath(name));
        QVERIFY(copyProgramFiles(m_dir, {QString::fromLatin1(kReferenceDatabaseFile),
                                         QString::fromLatin1(kUserDatabaseFile)}));
        setProgramFolderOverride(m_dir.path());
    }

    void cleanup() { m_state.reset(); }

    // The lists the check uses come with the program and are those of the
    // shipped files: an empty list would let every file pass.
    void shippedSchemasListTheTablesTheProgramUses()
    {
        const DatabaseSchema user = DatabaseSchema::shipped(QStringLiteral("myData.mdb"));
        const DatabaseSchema reference = DatabaseSchema::shipped(QStringLiteral("ROV_DATA.mdb"));
        QHash<QString, QStringList> tables;
        for (const auto &[table, columns] : user.tables() + reference.tables())
            tables.insert(table, columns);
        QCOMPARE(tables.value(QStringLiteral("MyValues")).size(), 36);
        QVERIFY(tables.value(QStringLiteral("MyValues")).contains(QStringLiteral("Cash")));
        QVERIFY(tables.contains(QStringLiteral("Rpt_Comparison_Titles")));
        QVERIFY(tables.contains(QStringLiteral("ROVAL_Vol1_ALL_2006_Final_Ratios")));
        QVERIFY(tables.contains(QStringLiteral("tblTreeview")));
        QVERIFY(!tables.contains(QStringLiteral("ROVAL_Vol3_NU_2004_Final_Ratios")));
    }

    // Each fault: a message naming the file and the fault, in both
    // languages, the end with status 1, and the folder exactly as it was.
    void brokenDatabaseIsCaughtAtStart_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("breakage");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("french");
        const QString user = QString::fromLatin1(kUserDatabaseFile);
        const QString reference = QString::fromLatin1(kReferenceDatabaseFile);
        QTest::newRow("user: zero bytes") << user << "empty"
                                          << "is empty (0 bytes)"
                                          << "est vide (0 octet)";
        QTest::newRow("reference: zero bytes") << reference << "empty"
                                               << "is empty (0 bytes)"
                                               << "est vide";
        QTest::newRow("user: column dropped") << user << "alter table MyValues drop column Cash"
                                              << "lacks these columns: MyValues.Cash"
                                              << "Il manque ces colonnes";
        QTest::newRow("user: table dropped") << user << "drop table ProvinceCodes"
                                             << "lacks these tables: ProvinceCodes"
                                             << "Il manque ces tables";
        QTest::newRow("reference: table dropped") << reference << "drop table tblTreeview"
                                                  << "lacks these tables: tblTreeview"
                                                  << "Il manque ces tables";
        QTest::newRow("user: read-only file") << user << "read-only file"
                                              << "is read-only"
                                              << "est en lecture seule";
        QTest::newRow("user: read-only folder") << user << "read-only folder"
                                                << "The folder of the database file"
                                                << "Le dossier du fichier";
        QTest::newRow("user: locked by another program") << user << "locked"
                                                         << "is locked by another program"
                                                         << "verrouillé par un autre programme";
        QTest::newRow("user: missing") << user << "missing"
                                       << "cannot be found"
                                       << "est introuvable";
        QTest::newRow("reference: missing") << reference << "missing"
                                            << "cannot be found"
                                            << "est introuvable";
        QTest::newRow("user: garbage bytes") << user << "garbage"
                                             << "is not a database file"
                                             << "n'est pas un fichier de base de données";
        QTest::newRow("reference: cut at half") << reference << "cut 2"
                                                << "is damaged"
                                                << "est endommagé";
        QTest::newRow("user: cut mid-page") << user << "cut 100"
                                            << "is damaged"
                                            << "est endommagé";
        QTest::newRow("user: only the first bytes of the header") << user << "header"
                                                                  << "is damaged"
                                                                  << "est endommagé";
    }

    void brokenDatabaseIsCaughtAtStart()
    {
        QFETCH(QString, name);
        QFETCH(QString, breakage);
        QFETCH(QString, english);
        QFETCH(QString, french);
        const QString path = m_dir.filePath(name);
        // A connection of the test's own, as another program would hold one.
        std::unique_ptr<DatabaseWriter> holder;
        if (breakage == QLatin1String("empty")) {
            QFile empty(path);
            QVERIFY(empty.open(QIODevice::WriteOnly | QIODevice::Truncate));
        } else if (breakage == QLatin1String("missing")) {
            QVERIFY(QFile::remove(path));
        } else if (breakage == QLatin1String("garbage") || breakage == QLatin1String("header")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(breakage == QLatin1String("header") ? QByteArray("SQLite format")
                                                           : QByteArray(4096, '\x5a'));
        } else if (breakage.startsWith(QLatin1String("cut"))) {
            // "cut 2" keeps half the file, "cut N" drops its last N bytes.
            const qint64 size = QFileInfo(path).size();
            const int amount = breakage.mid(4).toInt();
            QVERIFY(QFile::resize(path, amount == 2 ? size / 2 : size - amount));
        } else if (breakage == QLatin1String("locked")) {
            holder = std::make_unique<DatabaseWriter>(path);
            QVERIFY(holder->exec(QStringLiteral("begin immediate")));
        } else if (!breakage.startsWith(QLatin1String("read-only"))) {
            QVERIFY(writeSqliteFile(path, {breakage}));
        }
        const auto before = folderContents(m_dir.path());

        QString message;
        const auto start = [this, &message] { message = startExpectingTheEnd(); };
        if (breakage == QLatin1String("read-only file"))
            runWithReadOnly(m_dir.path(), path, start);
        else if (breakage == QLatin1String("read-only folder"))
            runWithReadOnly(m_dir.path(), m_dir.path(), start);
        else
            start();

        QVERIFY2(message.contains(english) && message.contains(path), qPrintable(message));
        QVERIFY2(message.contains(french), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("Quorvel cannot start")), qPrintable(message));
        // The start screen may be built while the files are checked; it never shows.
        QVERIFY(!ScreenRegistry::isLoaded<frmStart>() ||
                !ScreenRegistry::get<frmStart>().isVisible());
        QVERIFY(!appState().gcnUser.isOpen());
        holder.reset();
        QCOMPARE(folderContents(m_dir.path()), before);
    }

    // A user database from before a table was added is no broken one: the
    // program adds the table and starts.
    void userDatabaseWithoutAnAddedTableStarts()
    {
        QVERIFY(writeSqliteFile(file(kUserDatabaseFile),
                                {QStringLiteral("drop table StatementIndustry")}));
        MessageRecorder messages;
        runGuarded(Main);
        QCOMPARE(messages.texts(), QStringList());
        QVERIFY(ScreenRegistry::get<frmStart>().isVisible());
    }

    // The set the user chose is checked with the rest before the first
    // window; when its file cannot be used, the user is told, and the start
    // screen and every report name the sample's years instead.
    void chosenBenchmarkSetAtStart_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("warning");
        QTest::newRow("the set as loaded") << ""
                                           << "ROVAL - LAVOR   2021, 2020 and 2019"
                                           << " 2019, 2020, 2021"
                                           << "";
        QTest::newRow("the set's file lost a table") << "drop table tblTreeview"
                                                     << "ROVAL - LAVOR   2006, 2005 and 2004"
                                                     << " 2004, 2005, 2006"
                                                     << "lacks these tables: tblTreeview";
    }

    void chosenBenchmarkSetAtStart()
    {
        QFETCH(QString, damage);
        QFETCH(QString, title);
        QFETCH(QString, years);
        QFETCH(QString, warning);
        removeBenchmarkSet(QStringLiteral("Survey"));
        const std::optional<BenchmarkSetInfo> set =
            loadOneIndustrySet(m_dir.path(), QStringLiteral("Survey"), QStringLiteral("A survey"));
        QVERIFY(set);
        if (!damage.isEmpty())
            QVERIFY(writeSqliteFile(set->path, {damage}));
        rememberBenchmarkSet(QStringLiteral("Survey"));
        const auto forget = qScopeGuard([] { rememberBenchmarkSet(QStringLiteral("sample")); });

        MessageRecorder messages;
        runGuarded(Main);
        frmStart &start = ScreenRegistry::get<frmStart>();
        QVERIFY(start.isVisible());
        QCOMPARE(start.windowTitle(), title);
        QVERIFY2(start.lblReferenceYrs->text().endsWith(years),
                 qPrintable(start.lblReferenceYrs->text()));
        QCOMPARE(appState().gcnReference.filePath(), benchmarksInUse().path);
        QCOMPARE(benchmarksInUse().sample, !warning.isEmpty());
        if (warning.isEmpty()) {
            QCOMPARE(messages.texts(), QStringList());
        } else {
            QCOMPARE(messages.messages.size(), 1);
            QVERIFY2(messages.texts().constFirst().contains(warning) &&
                         messages.texts().constFirst().contains(set->path),
                     qPrintable(messages.texts().constFirst()));
        }
    }

    void mainOpensBothDatabasesAndShowsStartScreen()
    {
        appState().gblnKeepFirmForm = true;
        MessageRecorder messages;
        runGuarded(Main);
        const AppState &state = appState();
        QVERIFY(state.gcnReference.isOpen());
        QVERIFY(state.gcnUser.isOpen());
        QCOMPARE(state.gintLanguage, Language::English);
        QVERIFY(!state.gblnKeepFirmForm);
        QCOMPARE(state.gstrHelpViewer, m_dir.path() + QStringLiteral("/quorvel-help"));
        QVERIFY(ScreenRegistry::get<frmStart>().isVisible());
        QVERIFY(messages.messages.isEmpty());
    }

    // A call the program should never make shows its own text alone, in
    // English whatever the language, and ends the program.
    void usageErrorShowsItsTextAlone_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file type") << "ConnectToFile"
                                   << "Invalid use of ConnectToFile (Invalid File Type: Doc )";
        QTest::newRow("record set mode") << "GetRS"
                                         << "Invalid use of GetRS (Invalid WriteMode: Update )";
    }

    void usageErrorShowsItsTextAlone()
    {
        QFETCH(QString, call);
        QFETCH(QString, expected);
        appState().gintLanguage = Language::French;
        Connection connection;
        MessageRecorder messages;
        EndRecorder ending;
        QVERIFY_THROWS_EXCEPTION(
            ProgramEnded, runGuarded([&] {
                if (call == QLatin1String("GetRS")) {
                    ConnectToFile(connection, file(kUserDatabaseFile), QStringLiteral("unknown"));
                    GetRS(connection, QStringLiteral("select 1"), QStringLiteral("Update"));
                } else {
                    ConnectToFile(connection, m_dir.filePath(QStringLiteral("book.Doc")),
                                  QStringLiteral("unknown"));
                }
            }));
        DisconnectFromDB(connection);
        QCOMPARE(ending.exitCodes, QList<int>{1});
        QCOMPARE(messages.texts(), QStringList{expected});
    }

    void errorInAnEventHandlerEndsTheProgram()
    {
        MessageRecorder messages;
        EndRecorder ending;
        QObject target;
        bool afterError = false;
        QObject::connect(&target, &QObject::objectNameChanged, &target, [&afterError] {
            throw DatabaseError(3265, QStringLiteral("Item cannot be found"));
            afterError = true;
        });
        QMetaObject::invokeMethod(
            &target, [&target] { target.setObjectName("x"); }, Qt::QueuedConnection);
        QCoreApplication::processEvents();
        QCOMPARE(ending.exitCodes, QList<int>{1});
        QCOMPARE(messages.texts(), QStringList{"Error 3265:\n\nItem cannot be found"});
        QVERIFY(!afterError);
    }

    void messageButtonsFollowTheLanguage()
    {
        QCOMPARE(messageButtonTexts(MsgButtons::YesNoCancel), (QStringList{"Yes", "No", "Cancel"}));
        appState().gintLanguage = Language::French;
        QCOMPARE(messageButtonTexts(MsgButtons::YesNoCancel),
                 (QStringList{"Oui", "Non", "Annuler"}));
        QCOMPARE(messageButtonTexts(MsgButtons::OkCancel), (QStringList{"OK", "Annuler"}));
    }
};

QUORVEL_TEST_MAIN(TestStartup)
#include "tst_Startup.moc"
