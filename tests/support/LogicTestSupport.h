#pragma once

// Shared helpers of the suites that test the logic library: an application
// object that the logic needs (fonts and text layout, no widgets), temporary
// copies of the shipped databases, the error a call throws, and a recorder
// for the end of the program.

#include "core/AppState.h"
#include "core/DatabaseError.h"
#include "core/DbTools.h"
#include "core/ProgramExit.h"

#include <QFile>
#include <QGuiApplication>
#include <QList>
#include <QTemporaryDir>
#include <QTest>

#define QUORVEL_LOGIC_TEST_MAIN(TestObject)                                                        \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QGuiApplication app(argc, argv);                                                           \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

namespace testsupport {

// Path of a file of the built program folder (the shipped databases, layouts).
// The user database comes fresh from the build: the program folder's copy is
// the developer's own, kept across rebuilds, and may hold an older schema.
inline QString programFile(const QString &name)
{
    if (name == QLatin1String("myData.mdb"))
        return QStringLiteral(QUORVEL_FRESH_USER_DB);
    return QStringLiteral(QUORVEL_PROGRAM_DIR) + QLatin1Char('/') + name;
}

// Copies shipped files into `dir`.
inline bool copyProgramFiles(const QTemporaryDir &dir, const QStringList &names)
{
    for (const QString &name : names) {
        const QString target = dir.filePath(name);
        QFile::remove(target);
        if (!QFile::copy(programFile(name), target))
            return false;
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    return true;
}

// Opens temporary copies of both shipped databases into appState().
inline bool openShippedDatabases(const QTemporaryDir &dir)
{
    if (!copyProgramFiles(dir, {QStringLiteral("ROV_DATA.mdb"), QStringLiteral("myData.mdb")}))
        return false;
    AppState &state = appState();
    ConnectToFile(state.gcnReference, dir.filePath(QStringLiteral("ROV_DATA.mdb")),
                  QStringLiteral("unknown"), OpenMode::ReadOnly);
    ConnectToFile(state.gcnUser, dir.filePath(QStringLiteral("myData.mdb")),
                  QStringLiteral("unknown"), OpenMode::ReadWrite);
    return state.gcnReference.isOpen() && state.gcnUser.isOpen();
}

// The database error that `call` throws; number 0 when it throws none.
template <typename Call> DatabaseError thrownError(Call call)
{
    try {
        call();
    } catch (const DatabaseError &error) {
        return error;
    }
    return DatabaseError(0, QStringLiteral("nothing was thrown"));
}

// Records calls of EndProgram while it lives; each call unwinds by throwing
// ProgramEnded, so the code after the ending never runs.
class EndRecorder
{
public:
    EndRecorder()
    {
        setEndProgramHandler([this](int code) {
            exitCodes.append(code);
            throw ProgramEnded{code};
        });
    }
    ~EndRecorder() { setEndProgramHandler({}); }
    EndRecorder(const EndRecorder &) = delete;
    EndRecorder &operator=(const EndRecorder &) = delete;

    bool ended() const { return !exitCodes.isEmpty(); }
    QList<int> exitCodes;
};

} // namespace testsupport
