#pragma once

#include "core/DbTools.h"
#include "import/StatementImport.h"
#include "reports/ReportPreparation.h"
#include "session/SessionChoices.h"
#include "session/StatementWrite.h"
#include "store/StatementStore.h"

#include <functional>
#include <optional>

// The statement workflow every front end shares: the user's choices, the
// statement being edited with the version it was opened at, saving and
// deleting as steps that return a question or an outcome, and the
// comparison of a typed statement. It never shows a window: the firm
// screen asks its questions, the command line answers them from its options.
class StatementSession
{
public:
    // The store in use, asked at each command (the user may choose another
    // location between two), and the language and data set now chosen.
    using StoreSource = std::function<StatementStore &()>;
    using ChoicesSource = std::function<SessionChoices()>;
    StatementSession(StoreSource store, ChoicesSource choices);

    StatementStore &store() const { return m_store(); }
    SessionChoices choices() const { return m_choices(); }
    Language language() const { return m_choices().language; }

    // The industry chosen to compare with; empty before any is chosen.
    const std::optional<ChosenIndustry> &industry() const { return m_industry; }
    void chooseIndustry(std::optional<ChosenIndustry> industry)
    {
        m_industry = std::move(industry);
    }
    // What a statement saved now is filed under: the chosen industry's code
    // (empty when none is chosen) in the data set now chosen.
    StatementIndustry industryToSave() const;

    // The statement being edited was opened (or last saved) at this version:
    // a save or a delete asks first when someone saved it since.
    void setOpened(const QString &firmName, int year, qint64 version);
    // A new statement, or one cleared: nothing is remembered as opened.
    void forgetOpened() { m_opened.reset(); }
    // The version opened of this key, when the statement being edited is that key.
    std::optional<qint64> openedVersion(const QString &firmName, int year) const;

    // The saved statement of this key, remembered as the one opened; empty
    // when there is none. Throws what the store throws.
    std::optional<SavedStatement> open(const QString &firmName, int year);

    // A save of `statement` over whatever is stored under its key. With
    // `askBeforeReplacing`, replacing a stored statement asks first; it asks
    // anyway when the stored one is spelt otherwise ("ACME" for "Acme").
    StatementWrite save(SavedStatement statement, bool askBeforeReplacing);
    // A delete of the statement of this key.
    StatementWrite remove(const QString &firmName, int year);

    // The options of an import for the firm: the rows the user assigned by
    // hand for this firm before (kept by the store, so that a team shares
    // them) apply, and those of `own.mapping` over them. Throws what the
    // store throws.
    ImportOptions importOptions(const QString &firmName, ImportOptions own) const;
    // Remembers rows assigned by hand for the firm's next imports.
    void rememberMapping(const QString &firmName, const LabelMapping &mapping) const;

    // The firm's saved years (any letter case), for the comparison's trend;
    // none when the team database cannot be reached.
    QVector<SavedStatement> firmYears(const QString &firmName) const;

    // The comparison report's tables for a typed statement against a data
    // set, in a report language ("E" or "F"); the firm's other years come
    // from the store, and a team database away leaves only the trend out.
    PreparationOutcome prepareComparison(Connection &reference, Connection &user,
                                         const DatasetChoice &dataset, const QString &language,
                                         const ComparisonSubject &subject) const;
    // The same with the firm's years read beforehand (`firmYears` above), for
    // a front end that reads the store on another thread.
    PreparationOutcome prepareComparison(Connection &reference, Connection &user,
                                         const DatasetChoice &dataset, const QString &language,
                                         const ComparisonSubject &subject,
                                         const QVector<SavedStatement> &firmYears) const;

private:
    friend class StatementWrite;
    struct Opened
    {
        QString firmKey;
        int year = 0;
        qint64 version = 0;
    };

    StoreSource m_store;
    ChoicesSource m_choices;
    std::optional<ChosenIndustry> m_industry;
    std::optional<Opened> m_opened;
};

// Drives a write to its end: each question goes to `ask`, and its answer
// back to the write. Returns the last step (Done, Stopped or Refused).
WriteStep fncRunWrite(StatementWrite &write,
                      const std::function<WriteAnswer(const WriteStep &)> &ask);
