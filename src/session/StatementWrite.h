#pragma once

#include "store/StatementStore.h"

#include <QString>

class StatementSession;

// A question a save or a delete needs answered before it goes on. The
// front end asks it in the user's language (the screens) or answers it from
// its options (the command line).
enum class WriteQuestion {
    ReplaceStored, // a statement is stored under the key: replace it? (Yes / Cancel)
    ReplaceTheirs, // someone saved it since it was opened: replace theirs? (Yes / No / Cancel)
    DeleteTheirs   // someone saved it since it was opened: delete theirs? (Yes / No / Cancel)
};

enum class WriteAnswer { Yes, No, Cancel };

// An amount that differs between the statement stored and the one being saved.
struct AmountDifference
{
    int item = 0; // index into statementItems()
    double theirs = 0;
    double yours = 0;

    bool operator==(const AmountDifference &) const = default;
};

// Where a save or a delete stands: a question to answer, or its end.
struct WriteStep
{
    enum class Kind {
        Ask,     // `question` waits for an answer
        Done,    // saved (with `stamp`) or deleted
        Stopped, // the user's answer ended it; nothing was written
        Refused  // the store refused; `message` says why, in the session's language
    };
    Kind kind = Kind::Stopped;
    WriteQuestion question = WriteQuestion::ReplaceStored;
    // Ask: the stored statement's stamp (who saved it last, and when).
    // Done after a save: the new stamp.
    StatementStamp stamp;
    QString message;
    // Ask about theirs (a save): the typed amounts where theirs differ.
    QList<AmountDifference> differences;

    bool isDone() const { return kind == Kind::Done; }
};

// One save or delete of a statement session, walked step by step:
// start(), then answer() for as long as the step asks.
class StatementWrite
{
public:
    WriteStep start();
    WriteStep answer(WriteAnswer answer);

    const QString &firmName() const { return m_statement.firmName; }
    int year() const { return m_statement.year; }

private:
    friend class StatementSession;
    enum class Command { Save, Delete };
    StatementWrite(StatementSession &session, Command command, SavedStatement statement,
                   bool askBeforeReplacing);

    // Writes with m_expected; a conflict becomes the question about theirs.
    WriteStep write();

    StatementSession &m_session;
    Command m_command;
    SavedStatement m_statement; // a delete uses its key only
    bool m_askBeforeReplacing;
    Expectation m_expected;
    WriteStep m_asked;
};

// The question's text in the language, for the screens' message boxes; a
// question about theirs lists what differs ("Cash: theirs 55,230, yours 45,230").
QString fncWriteQuestionText(const WriteStep &step, const QString &firmName, int year,
                             Language language);
