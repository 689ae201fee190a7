#include "session/StatementSession.h"

#include "core/DatabaseError.h"
#include "store/StoreError.h"

StatementSession::StatementSession(StoreSource store, ChoicesSource choices)
    : m_store(std::move(store)), m_choices(std::move(choices))
{
}

StatementIndustry StatementSession::industryToSave() const
{
    const DatasetChoice dataset = choices().dataset;
    return StatementIndustry{m_industry ? m_industry->naics : QString(), dataset.volume,
                             dataset.region};
}

void StatementSession::setOpened(const QString &firmName, int year, qint64 version)
{
    m_opened = Opened{fncFirmKey(firmName), year, version};
}

std::optional<qint64> StatementSession::openedVersion(const QString &firmName, int year) const
{
    if (!m_opened || m_opened->firmKey != fncFirmKey(firmName) || m_opened->year != year)
        return std::nullopt;
    return m_opened->version;
}

std::optional<SavedStatement> StatementSession::open(const QString &firmName, int year)
{
    std::optional<SavedStatement> statement = store().open(firmName, year);
    if (statement)
        setOpened(statement->firmName, statement->year, statement->stamp.version);
    return statement;
}

StatementWrite StatementSession::save(SavedStatement statement, bool askBeforeReplacing)
{
    return StatementWrite(*this, StatementWrite::Command::Save, std::move(statement),
                          askBeforeReplacing);
}

StatementWrite StatementSession::remove(const QString &firmName, int year)
{
    SavedStatement key;
    key.firmName = firmName;
    key.year = year;
    return StatementWrite(*this, StatementWrite::Command::Delete, std::move(key), false);
}

ImportOptions StatementSession::importOptions(const QString &firmName, ImportOptions own) const
{
    if (firmName.trimmed().isEmpty())
        return own;
    LabelMapping mapping = store().importMapping(firmName);
    mapping.insert(own.mapping);
    own.mapping = mapping;
    return own;
}

void StatementSession::rememberMapping(const QString &firmName, const LabelMapping &mapping) const
{
    if (!mapping.isEmpty() && !firmName.trimmed().isEmpty())
        store().rememberImportMapping(firmName, mapping);
}

QVector<SavedStatement> StatementSession::firmYears(const QString &firmName) const
{
    try {
        return store().firmYears(firmName);
    } catch (const StoreError &) {
        // The report is made from the statement given; only the trend needs the others.
        return {};
    }
}

PreparationOutcome StatementSession::prepareComparison(Connection &reference, Connection &user,
                                                       const DatasetChoice &dataset,
                                                       const QString &language,
                                                       const ComparisonSubject &subject) const
{
    return prepareComparison(reference, user, dataset, language, subject,
                             firmYears(subject.firmName));
}

PreparationOutcome StatementSession::prepareComparison(
    Connection &reference, Connection &user, const DatasetChoice &dataset, const QString &language,
    const ComparisonSubject &subject, const QVector<SavedStatement> &firmYears) const
{
    return fncPrepareComparison(reference, user, qint16(dataset.volume), dataset.region, language,
                                subject, firmYears);
}

WriteStep fncRunWrite(StatementWrite &write,
                      const std::function<WriteAnswer(const WriteStep &)> &ask)
{
    WriteStep step = write.start();
    while (step.kind == WriteStep::Kind::Ask)
        step = write.answer(ask(step));
    return step;
}
