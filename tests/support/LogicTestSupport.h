#pragma once

// Shared helpers of the suites that test the logic library: an application
// object that the logic needs (fonts and text layout, no widgets), temporary
// copies of the shipped databases, the error a call throws, a recorder for
// the end of the program and the scope of the program's global state.

#include "benchmarks/BenchmarksInUse.h"
#include "core/AppState.h"
#include "core/DatabaseError.h"
#include "core/DbTools.h"
#include "core/ProgramExit.h"
#include "support/StateScope.h"

#include <QGuiApplication>
#include <QList>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

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
QString programFile(const QString &name);

// Copies shipped files into `dir`.
bool copyProgramFiles(const QTemporaryDir &dir, const QStringList &names);

// Opens temporary copies of both shipped databases into appState().
bool openShippedDatabases(const QTemporaryDir &dir);

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
    EndRecorder();
    ~EndRecorder();
    EndRecorder(const EndRecorder &) = delete;
    EndRecorder &operator=(const EndRecorder &) = delete;

    bool ended() const { return !exitCodes.isEmpty(); }
    QList<int> exitCodes;
};

// While it lives, no file of the process may grow beyond `bytes`: a write
// past it fails as on a full disk (the signal the kernel would send is
// ignored meanwhile).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    qint64 m_soft = 0;
    void (*m_handler)(int) = nullptr;
};

// A benchmark set of one industry of 2021 in Ontario, every figure
// suppressed, loaded from a pack written in `folder`: the set, or nothing
// when the load refused it.
std::optional<BenchmarkSetInfo> loadOneIndustrySet(const QString &folder, const QString &name,
                                                   const QString &source);

} // namespace testsupport
