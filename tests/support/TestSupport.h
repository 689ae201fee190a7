#pragma once

// Shared helpers of the suites that test screens: an application object like
// the program's, the screens and the screens' handlers (messages, help
// viewer, printer) in the state scope, and a recorder for messages, on top
// of the logic helpers.

#include "support/LogicTestSupport.h"

#include "core/HelpLauncher.h"
#include "core/Messages.h"
#include "core/PrinterChoice.h"
#include "core/ScreenRegistry.h"
#include "core/UntrappedErrors.h"

#include <functional>

#define QUORVEL_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QuorvelApplication app(argc, argv);                                                        \
        testsupport::StateScope::addReset([] {                                                     \
            ScreenRegistry::clear();                                                               \
            setMessageHandler({});                                                                 \
            setProcessStarter({});                                                                 \
            setPrinterProvider({});                                                                \
            setPrintDialogRunner({});                                                              \
        });                                                                                        \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

namespace testsupport {

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

// A menu text as the user reads it: without its mnemonic's "&".
inline QString shownText(QString text)
{
    return text.remove(QLatin1Char('&'));
}

} // namespace testsupport
