#include "search/IndustryLookups.h"

#include "core/AppState.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

namespace {
bool isEnglish(const LookupSource &source)
{
    return source.language == Language::English;
}

// The joined select that every single-industry lookup shares, up to its
// where clause.
QString industrySelect(const LookupSource &source, const QString &parentJoinKey)
{
    const QString columns =
        isEnglish(source)
            ? QStringLiteral("select F.NAICS, N.description, T.inddesce from (")
            : QStringLiteral("select F.NAICS, N.description_french, T.inddescf from (");
    return columns + source.naicsDescTable + QStringLiteral(" N ") + QStringLiteral("inner join ") +
           source.datasetTable + QStringLiteral(" F on N.NAICS = F.NAICS) ") +
           QStringLiteral("left join tblTreeview T on N.Parent = T.") + parentJoinKey +
           QLatin1Char(' ');
}

std::optional<IndustryRow> firstIndustry(const LookupSource &source, const QString &sql,
                                         const QString &value)
{
    RecordSet rs = GetRS(source.connection, sql, QStringLiteral("read"), {value});
    if (rs.eof())
        return std::nullopt;
    const bool english = isEnglish(source);
    IndustryRow row;
    row.code = rs.text(QStringLiteral("NAICS"));
    row.title =
        rs.text(english ? QStringLiteral("Description") : QStringLiteral("Description_french"));
    row.category = rs.text(english ? QStringLiteral("IndDescE") : QStringLiteral("IndDescF"));
    return row;
}
} // namespace

LookupSource currentLookupSource()
{
    AppState &state = appState();
    return LookupSource{state.gcnReference, state.gstrDatasetTable, state.gstrNaicsDescTable,
                        state.gintLanguage};
}

QStringList fncNaicsCodes(const LookupSource &source)
{
    RecordSet rs = GetRS(source.connection,
                         QStringLiteral("select NAICS from ") + source.datasetTable +
                             QStringLiteral(" order by NAICS"),
                         QStringLiteral("read"));
    QStringList codes;
    for (; !rs.eof(); rs.MoveNext())
        codes << rs.text(QStringLiteral("NAICS"));
    return codes;
}

QStringList fncNaicsTitles(const LookupSource &source)
{
    const bool english = isEnglish(source);
    const QString column =
        english ? QStringLiteral("n.description") : QStringLiteral("n.description_french");
    RecordSet rs =
        GetRS(source.connection,
              QStringLiteral("select ") + column + QStringLiteral(" as dsc from ") +
                  source.datasetTable + QStringLiteral(" f inner join ") + source.naicsDescTable +
                  QStringLiteral(" N on f.naics = N.NAICS order by ") + column,
              QStringLiteral("read"));
    QStringList titles;
    for (; !rs.eof(); rs.MoveNext())
        titles << rs.text(QStringLiteral("Dsc"));
    // The database orders by character code, which puts "École" after "Zoo";
    // the list reads in the alphabetical order of its language instead.
    QCollator collator(english ? QLocale(QLocale::English, QLocale::Canada)
                               : QLocale(QLocale::French, QLocale::Canada));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(titles.begin(), titles.end(), [&collator](const QString &a, const QString &b) {
        return collator.compare(a, b) < 0;
    });
    return titles;
}

std::optional<IndustryRow> fncLookupByCode(const LookupSource &source, const QString &code)
{
    return firstIndustry(source,
                         industrySelect(source, QStringLiteral("NodeKey")) +
                             QStringLiteral("where F.NAICS = ?"),
                         code);
}

std::optional<IndustryRow> fncLookupByTitle(const LookupSource &source, const QString &title)
{
    const QString where = isEnglish(source) ? QStringLiteral("where N.description = ?")
                                            : QStringLiteral("where N.description_french = ?");
    return firstIndustry(source, industrySelect(source, QStringLiteral("Nodekey")) + where, title);
}

QString keywordPattern(const QString &keyword)
{
    return QLatin1Char('%') + keyword + QLatin1Char('%');
}

RecordSet fncKeywordSearch(const LookupSource &source, const QString &keyword, bool alsoDefinitions)
{
    QString select;
    QString titleColumn;
    QString definitionColumn;
    if (isEnglish(source)) {
        select = QStringLiteral("select F.NAICS, N.Description, T.inddesce as Sector from (") +
                 source.naicsDescTable + QStringLiteral(" N ") + QStringLiteral("inner join ") +
                 source.datasetTable + QStringLiteral(" F on N.NAICS = F.NAICS) ") +
                 QStringLiteral("left join tblTreeview T on N.Parent = T.NodeKey ");
        titleColumn = QStringLiteral("description");
        definitionColumn = QStringLiteral("definitione");
    } else {
        select = QStringLiteral("select F.NAICS as SCIAN, N.description_french as Description, "
                                "T.inddescf as Secteur from (") +
                 source.naicsDescTable + QStringLiteral(" N ") + QStringLiteral("inner join ") +
                 source.datasetTable + QStringLiteral(" F on N.NAICS = F.NAICS) ") +
                 QStringLiteral("left join tblTreeview T on N.Parent = T.Nodekey ");
        titleColumn = QStringLiteral("Description_french");
        definitionColumn = QStringLiteral("definitionf");
    }
    const QString pattern = keywordPattern(keyword);
    const RecordSet titles =
        GetRS(source.connection,
              select + QStringLiteral("where ") + titleColumn + QStringLiteral(" like ?"),
              QStringLiteral("read"), {pattern});
    if (!alsoDefinitions)
        return titles;

    // Industries found by their definition only come after those found by
    // their title.
    const RecordSet definitions =
        GetRS(source.connection,
              select + QStringLiteral("where not (") + titleColumn +
                  QStringLiteral(" like ?) and ") + definitionColumn + QStringLiteral(" like ?"),
              QStringLiteral("read"), {pattern, pattern});
    QVector<QVector<QVariant>> rows;
    for (int i = 0; i < titles.RecordCount(); ++i)
        rows.append(titles.row(i));
    for (int i = 0; i < definitions.RecordCount(); ++i)
        rows.append(definitions.row(i));
    return RecordSet(titles.fieldNames(), rows);
}

bool fncDefinitionsHoldKeyword(const LookupSource &source, const QString &keyword)
{
    const QString definitionColumn =
        isEnglish(source) ? QStringLiteral("N.definitione") : QStringLiteral("N.definitionf");
    const RecordSet rs = GetRS(source.connection,
                               QStringLiteral("select F.NAICS from ") + source.naicsDescTable +
                                   QStringLiteral(" N inner join ") + source.datasetTable +
                                   QStringLiteral(" F on N.NAICS = F.NAICS where ") +
                                   definitionColumn + QStringLiteral(" like ? limit 1"),
                               QStringLiteral("read"), {keywordPattern(keyword)});
    return rs.RecordCount() > 0;
}

std::optional<IndustryDefinition> fncIndustryDefinition(Connection &connection,
                                                        const QString &naicsDescTable,
                                                        const QString &code, Language language)
{
    RecordSet rs = GetRS(connection,
                         QStringLiteral("select naics, description, description_french, "
                                        "definitione, definitionf from ") +
                             naicsDescTable + QStringLiteral(" where NAICS = ?"),
                         QStringLiteral("read"), {code});
    if (rs.eof())
        return std::nullopt;
    const bool english = language == Language::English;
    IndustryDefinition result;
    result.title =
        rs.text(english ? QStringLiteral("Description") : QStringLiteral("Description_french"));
    result.definition =
        rs.text(english ? QStringLiteral("definitione") : QStringLiteral("definitionf"));
    return result;
}
