#pragma once

// Shared helpers of the test suites: an application object like the
// program's, temporary copies of the shipped databases, and recorders for
// messages and the end of the program.

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/ProgramExit.h"
#include "core/UntrappedErrors.h"

#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#define QUORVEL_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QuorvelApplication app(argc, argv);                                                        \
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

// Records every message shown while it lives and answers with `answer` (or
// with the next of a queue of answers when one is given).
class MessageRecorder
{
public:
    explicit MessageRecorder(MsgAnswer answer = MsgAnswer::Ok) : m_default(answer)
    {
        setMessageHandler([this](const MessageRecord &record) {
            messages.append(record);
            return answers.isEmpty() ? m_default : answers.takeFirst();
        });
    }
    ~MessageRecorder() { setMessageHandler({}); }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QStringList texts() const
    {
        QStringList list;
        for (const MessageRecord &m : messages)
            list << m.text;
        return list;
    }

    QList<MessageRecord> messages;
    QList<MsgAnswer> answers;

private:
    MsgAnswer m_default;
};

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

// A menu text as the user reads it: without its mnemonic's "&".
inline QString shownText(QString text)
{
    return text.remove(QLatin1Char('&'));
}

} // namespace testsupport
