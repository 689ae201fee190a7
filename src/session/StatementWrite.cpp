#include "session/StatementWrite.h"

#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "core/WriteRefusal.h"
#include "firm/ReferenceYears.h"
#include "firm/StatementComment.h"
#include "firm/StatementItems.h"
#include "import/ImportTexts.h"
#include "session/StatementSession.h"
#include "store/StoreError.h"
#include "store/StoreMessages.h"

#include <algorithm>

namespace {
WriteStep ask(WriteQuestion question, const StatementStamp &stored)
{
    WriteStep step;
    step.kind = WriteStep::Kind::Ask;
    step.question = question;
    step.stamp = stored;
    return step;
}

WriteStep stopped()
{
    return WriteStep{};
}

WriteStep refused(const QString &message)
{
    WriteStep step;
    step.kind = WriteStep::Kind::Refused;
    step.message = message;
    return step;
}

// A statement is saved under a firm name a user can read back and a
// reference year: a control character (a NUL a server would cut the name
// at, a tab, a line break) or another year is refused before anything is
// written. Statements already saved under another year stay openable and
// deletable.
std::optional<QString> keyRefusal(const QString &firm, int year, Language language)
{
    for (const QChar c : firm)
        if (c.category() == QChar::Other_Control)
            return ResourceString(kFirmNameControl, language);
    if (!fncYearTextInRange(QString::number(year)))
        return fncInvalidYearMessage(language == Language::French);
    return std::nullopt;
}
} // namespace

StatementWrite::StatementWrite(StatementSession &session, Command command, SavedStatement statement,
                               bool askBeforeReplacing)
    : m_session(session), m_command(command), m_statement(std::move(statement)),
      m_askBeforeReplacing(askBeforeReplacing)
{
}

// A store that cannot be reached, a role refused or a read-only file end the
// write with the store's reason; any other error is the program's and goes on up.
template <typename Step>
static WriteStep guarded(StatementSession &session, bool deleting, Step step)
{
    try {
        return step();
    } catch (const StoreError &error) {
        WriteStep refused;
        refused.kind = WriteStep::Kind::Refused;
        refused.message = fncStoreRefusalMessage(
            deleting ? StoreCommand::Delete : StoreCommand::Save, error, session.language());
        return refused;
    } catch (const DatabaseError &error) {
        if (!fncIsWriteRefusal(error))
            throw;
        WriteStep refused;
        refused.kind = WriteStep::Kind::Refused;
        refused.message =
            fncWriteRefusalMessage(deleting ? RefusedCommand::Delete : RefusedCommand::Save,
                                   session.store().filePath(), error);
        return refused;
    }
}

WriteStep StatementWrite::start()
{
    const bool deleting = m_command == Command::Delete;
    return guarded(m_session, deleting, [this, deleting] {
        const QString &firm = m_statement.firmName;
        const int year = m_statement.year;
        const std::optional<qint64> opened = m_session.openedVersion(firm, year);
        if (deleting) {
            // Deleting one that someone saved since it was opened here asks first.
            m_expected = opened ? Expectation::seen(*opened) : Expectation::anything();
            return write();
        }
        if (const std::optional<QString> refusal = keyRefusal(firm, year, m_session.language()))
            return refused(*refusal);
        if (const std::optional<QString> refusal =
                fncCommentRefusal(m_statement.comment, m_session.language()))
            return refused(*refusal);
        const std::optional<StoredState> stored = m_session.store().current(firm, year);
        if (!stored) {
            m_expected = Expectation::nothing();
            return write();
        }
        // Saving over one that someone saved since this screen opened it is
        // the question about theirs, which the save itself meets.
        if (opened && *opened != stored->stamp.version) {
            m_expected = Expectation::seen(*opened);
            return write();
        }
        m_expected = Expectation::seen(stored->stamp.version);
        // Names are compared without regard to letter case: "ACME" and "Acme"
        // are one statement, and replacing one spelt otherwise always asks.
        const bool spelledOtherwise =
            std::any_of(stored->names.cbegin(), stored->names.cend(),
                        [&firm](const QString &name) { return name != firm; });
        if (m_askBeforeReplacing || spelledOtherwise) {
            m_asked = ask(WriteQuestion::ReplaceStored, stored->stamp);
            return m_asked;
        }
        return write();
    });
}

WriteStep StatementWrite::answer(WriteAnswer answer)
{
    if (m_asked.kind != WriteStep::Kind::Ask)
        return stopped();
    const WriteStep asked = std::exchange(m_asked, WriteStep{});
    if (asked.question == WriteQuestion::ReplaceStored)
        return answer == WriteAnswer::Yes ? guarded(m_session, false, [this] { return write(); })
                                          : stopped();
    if (answer == WriteAnswer::No) {
        // Theirs stays; the next write asks as for any stored statement.
        m_session.setOpened(m_statement.firmName, m_statement.year, asked.stamp.version);
        return stopped();
    }
    if (answer != WriteAnswer::Yes)
        return stopped();
    m_expected = Expectation::seen(asked.stamp.version);
    return guarded(m_session, m_command == Command::Delete, [this] { return write(); });
}

WriteStep StatementWrite::write()
{
    StatementStore &store = m_session.store();
    const QString &firm = m_statement.firmName;
    const int year = m_statement.year;
    WriteOutcome outcome;
    if (m_command == Command::Save)
        outcome = store.save(m_statement, m_expected, fncCurrentUserName());
    else
        outcome = store.remove(firm, year, m_expected);
    if (!outcome.done) {
        m_asked = ask(m_command == Command::Save ? WriteQuestion::ReplaceTheirs
                                                 : WriteQuestion::DeleteTheirs,
                      outcome.current ? outcome.current->stamp : StatementStamp{});
        if (m_command == Command::Save)
            if (const std::optional<SavedStatement> theirs = store.open(firm, year))
                for (int i = 0; i < kStatementItemCount; ++i) {
                    const double stored = theirs->amounts.*firmStatementAmounts()[i];
                    const double typed = m_statement.amounts.*firmStatementAmounts()[i];
                    if (stored != typed)
                        m_asked.differences << AmountDifference{i, stored, typed};
                }
        return m_asked;
    }
    if (m_command == Command::Save)
        m_session.setOpened(firm, year, outcome.stamp.version);
    else
        m_session.forgetOpened();
    WriteStep done;
    done.kind = WriteStep::Kind::Done;
    done.stamp = outcome.stamp;
    return done;
}

QString fncWriteQuestionText(const WriteStep &step, const QString &firmName, int year,
                             Language language)
{
    switch (step.question) {
    case WriteQuestion::ReplaceStored:
        return ResourceString(kReplaceStoredQuestion, language)
            .arg(firmName, QString::number(year));
    case WriteQuestion::ReplaceTheirs: {
        QString text =
            fncConflictQuestion(StoreCommand::Save, firmName, year, step.stamp, language);
        if (step.differences.isEmpty())
            return text;
        text += QStringLiteral("\n\n") + ResourceString(kTheirsDifferHeading, language);
        for (const AmountDifference &difference : step.differences)
            text += QLatin1Char('\n') +
                    ResourceString(kTheirsDifferLine, language)
                        .arg(ResourceString(statementItems()[difference.item].captionId, language)
                                 .trimmed(),
                             summaryAmount(difference.theirs, language),
                             summaryAmount(difference.yours, language));
        return text;
    }
    case WriteQuestion::DeleteTheirs:
        return fncConflictQuestion(StoreCommand::Delete, firmName, year, step.stamp, language);
    }
    return QString();
}
