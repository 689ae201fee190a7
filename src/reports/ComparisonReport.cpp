#include "benchmarks/BenchmarksInUse.h"
#include "core/AddedUserTables.h"
#include "core/DatabaseError.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "core/Transaction.h"
#include "firm/StatementItems.h"
#include "reports/ComparisonFigures.h"
#include "reports/ComparisonRatios.h"
#include "reports/ComparisonReading.h"
#include "reports/ComparisonTargets.h"
#include "reports/ComparisonTrend.h"
#include "reports/DaysFigures.h"
#include "reports/IndustryYear.h"
#include "reports/RatioPercentile.h"
#include "reports/ReferenceAttachment.h"
#include "reports/ReportExtraction.h"
#include "reports/ReportPreparation.h"
#include "reports/ReportSql.h"
#include "reports/ReportTitles.h"
#include "reports/TableColumns.h"

#include <QHash>

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace {

using Amount = double FirmStatement::*;

// Sales has no figure of its own on the comparison row: the notes carry it.
constexpr int kSalesItem = statementItemIndex("Sales");

// The labels the composed texts need, copied in the report's language.
constexpr std::array<const char *, 17> kNoteLabels = {"Lbl_Sales",
                                                      "Lbl_MyMargin",
                                                      "Lbl_MedianMargin",
                                                      "Lbl_NotMeaningful",
                                                      "Note_NotMeaningful",
                                                      "Note_Points",
                                                      "Sec_Verdict",
                                                      "Pic_Title",
                                                      "Pic_Weakest",
                                                      "Pic_Strongest",
                                                      "Note_Estimated",
                                                      "Hdr_Percentile",
                                                      "Note_Percentile",
                                                      "Hdr_Q1",
                                                      "Hdr_Q3",
                                                      "Note_Days",
                                                      "Hdr_Held"};

// A variance column, the firm's item and the industry's column it is set against.
struct VarianceColumn
{
    const char *column;
    Amount amount;
    const char *industry;
};

constexpr std::array<VarianceColumn, 26> kVarianceColumns = {{
    {"VarianceCash", &FirmStatement::Cash, "a11"},
    {"VarianceAR", &FirmStatement::Ar, "a12"},
    {"VarianceInvent", &FirmStatement::Inv, "a13"},
    {"VarianceCA", &FirmStatement::CA, "a18"},
    {"VarianceOA", &FirmStatement::OA, "a19"},
    {"VarianceTOA", &FirmStatement::Toa, "totoa"},
    {"VarianceInvest", &FirmStatement::Invest, "a14"},
    {"VariancePTFL", &FirmStatement::Ptfl, "a151617"},
    {"VarianceTOTASS", &FirmStatement::Ta, "totass"},
    {"VarianceAP", &FirmStatement::AccountsPayable, "a22"},
    {"VarianceBanks", &FirmStatement::Banks, "a25100"},
    {"VarianceSTPAPER", &FirmStatement::Paper, "a25200"},
    {"VarianceMTG", &FirmStatement::Mtg, "a25500"},
    {"VarianceBonds", &FirmStatement::Bonds, "a25400"},
    {"VarianceOLoans", &FirmStatement::Ol, "a25180"},
    {"VarianceAOTA", &FirmStatement::AmtsAffil, "a24"},
    {"VarianceOLiab", &FirmStatement::OLiab, "a2329"},
    {"VarianceDefTax", &FirmStatement::DefTax, "a27"},
    {"VarianceTL", &FirmStatement::Tliab, "totliab"},
    {"VarianceEq", &FirmStatement::Equity1, "totse"},
    {"VarianceSC", &FirmStatement::ShareC, "a31"},
    {"VarianceRE", &FirmStatement::RetEarn, "a38"},
    {"VarianceOS", &FirmStatement::OtherSur, "a283334"},
    {"VarianceSETL", &FirmStatement::TotLiabShareEq, "totlse"},
    {"VarianceCurrA", &FirmStatement::CurrentAssets, "curass"},
    {"VarianceCurrL", &FirmStatement::CurrentLiabilities, "curliab"},
}};

// Industry figures copied unchanged from the year row's column of the same name.
constexpr std::array<const char *, 22> kIndustryFigures = {
    "NumberOfFirms", "PPAQ2", "LTAQ2", "NPMQ2", "PPMQ2", "OPMQ2", "GPMQ2", "ORTTNOAQ2",
    "RNOAQ2",        "RCEQ2", "REQ2",  "RTQ2",  "ITQ2",  "WCQ2",  "DEQ2",  "ICQ2",
    "OPP",           "OPL",   "PPP",   "PPL",   "NPP",   "NPL"};

constexpr std::array<const char *, 26> kIndustryBalanceSheet = {
    "A11",     "A12",    "A13",    "A18",     "A19",    "TOTOA",  "A14",    "A151617", "TOTASS",
    "A22",     "A25100", "A25200", "A25500",  "A25400", "A25180", "A24",    "A2329",   "A27",
    "TOTLIAB", "A31",    "A38",    "A283334", "TOTSE",  "TOTLSE", "CURASS", "CURLiab"};

QString noDataMessage(const QString &language, qint16 year)
{
    if (reportsql::languageLetter(language).toUpper() == QLatin1String("E"))
        return QStringLiteral("This industry has no data for ") + QString::number(year);
    return QStringLiteral("Il n'y a pas de données pour cette industrie pour") +
           QString::number(year);
}

// An amount as the firm screen hands it over: a plain decimal or the
// scientific form, with "." or "," as decimal point and an optional sign.
// Parsed the same way whatever the regional settings, never with digit
// grouping; a text that is not a finite number is a type mismatch.
double amountFromText(const QString &text)
{
    const QString trimmed = text.trimmed();
    QByteArray ascii;
    ascii.reserve(trimmed.size());
    for (const QChar ch : trimmed) {
        if (ch.unicode() > 0x7f)
            throw DatabaseError(13, QStringLiteral("Type mismatch: ") + text);
        ascii.append(ch == QLatin1Char(',') ? '.' : char(ch.unicode()));
    }
    const char *begin = ascii.constData();
    const char *end = begin + ascii.size();
    // from_chars takes a minus sign but not a plus sign.
    if (begin != end && *begin == '+' && end - begin > 1 && begin[1] != '-' && begin[1] != '+')
        ++begin;
    double value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (begin == end || error != std::errc() || stop != end || !std::isfinite(value))
        throw DatabaseError(13, QStringLiteral("Type mismatch: ") + text);
    return value;
}

FirmStatement statementFromValues(const QStringList &values)
{
    if (values.size() < kComparisonValueCount)
        throw DatabaseError(9, QStringLiteral("Subscript out of range"));
    FirmStatement statement;
    for (int i = 0; i < kStatementItemCount; ++i)
        statement.*firmStatementAmounts()[i] =
            amountFromText(values.at(kComparisonFirstAmount + i));
    return statement;
}

// The comparison row's bound columns, in the order the values are added
// below: the firm's columns, each ratio with its two positions, the variances.
const QStringList &boundColumns()
{
    static const QStringList columns = [] {
        QStringList names = {QStringLiteral("MyFirmName"), QStringLiteral("MyYear"),
                             QStringLiteral("MyNAICS"), QStringLiteral("MyIndustry")};
        for (int i = 0; i < kStatementItemCount; ++i)
            if (i != kSalesItem)
                names << QStringLiteral("My") + QLatin1String(statementItems()[i].column);
        for (const RatioColumns &r : kRatioColumns)
            names << QLatin1String(r.column) << QLatin1String(r.better) << QLatin1String(r.worse);
        for (const VarianceColumn &v : kVarianceColumns)
            names << QLatin1String(v.column);
        return names;
    }();
    return columns;
}

void addFirmValues(QVariantList &row, const ComparisonSubject &subject)
{
    const FirmStatement &statement = subject.amounts;
    row << subject.firmName << int(subject.year) << subject.naics << subject.industryTitle;
    // Each item under "My" + its column: a balance-sheet item as a percentage
    // of total assets, an income item as the amount given.
    for (int i = 0; i < kStatementItemCount; ++i) {
        if (i == kSalesItem)
            continue;
        const double amount = statement.*firmStatementAmounts()[i];
        row << (statementItems()[i].section == StatementSection::Income
                    ? amount
                    : percentOfTotalAssets(amount, statement.Ta));
    }
}

// Where the firm stands on one ratio: its reading and its place among the firms.
struct RatioPlace
{
    Standing standing = Standing::NoPosition;
    std::optional<double> place;
    std::optional<int> percentile; // estimated from the quartiles alone
};

// The ratios and their positions; a ratio without meaning keeps its value but
// gets no position. Returns where the firm stands on each ratio.
std::array<RatioPlace, kRatioCount>
addRatioValues(QVariantList &row, const RatioQuartiles &quartiles, const FirmStatement &statement)
{
    const FirmRatios ratios = computeFirmRatios(statement);
    std::array<RatioPlace, kRatioCount> places{};
    for (int i = 0; i < kRatioCount; ++i) {
        const RatioColumns &r = kRatioColumns[i];
        const bool meaningful = isMeaningful(statement, RatioId(i));
        const double ratio = ratios.*r.value;
        const QuartilePosition position =
            meaningful ? quartilePosition(r.scale, quartiles[i], ratio) : QuartilePosition{};
        const Standing standing = standingOf(meaningful, position);
        places[i] = {standing,
                     standingPlace(standing, meaningful ? estimatedStanding(quartiles[i], ratio)
                                                        : std::nullopt),
                     meaningful ? estimatedPercentile(quartiles[i], ratio) : std::nullopt};
        row << ratio << reportsql::boundNumber(position.better)
            << reportsql::boundNumber(position.worse);
    }
    return places;
}

// The year row's columns the comparison reads in C++: quartiles first, then
// the balance-sheet items the variances are taken against.
const QStringList &yearRowColumns()
{
    static const QStringList columns = [] {
        QStringList names = ratioQuartileColumns();
        for (const VarianceColumn &v : kVarianceColumns)
            names << QLatin1String(v.industry);
        return names;
    }();
    return columns;
}

// The year row's balance-sheet items follow its quartiles (yearRowColumns()).
void addVarianceValues(QVariantList &row, const RecordSet &yearRow, const FirmStatement &statement)
{
    int column = kFirstYearRowColumn + int(ratioQuartileColumns().size());
    for (const VarianceColumn &v : kVarianceColumns) {
        const double firmPercent = percentOfTotalAssets(statement.*v.amount, statement.Ta);
        row << reportsql::boundNumber(
            balanceSheetVariance(firmPercent, reportsql::numberOf(yearRow.field(column++))));
    }
}

// The insert of the comparison row from a year's work table: the firm's
// figures bound, the industry's figures copied from the year row under the
// same names, nulls included, and the data set's title, all inside SQLite.
// Built once per work table and language.
const QString &comparisonInsert(const QString &workTable, const QString &language)
{
    thread_local QHash<QString, QString> statements;
    const QString key = workTable + QLatin1Char('/') + reportsql::languageColumn(language);
    const auto found = statements.constFind(key);
    if (found != statements.constEnd())
        return *found;
    QStringList industry;
    for (const char *name : kIndustryFigures)
        industry << QLatin1String(name);
    for (const char *name : kIndustryBalanceSheet)
        industry << QLatin1String(name);
    const QString industryList = industry.join(QStringLiteral(", "));
    return *statements.insert(
        key, QStringLiteral("Insert into Rpt_comparison (") +
                 boundColumns().join(QStringLiteral(", ")) + QStringLiteral(", ") + industryList +
                 QStringLiteral(", MyVol) select ") +
                 reportsql::placeholders(boundColumns().size()) + QStringLiteral(", ") +
                 industryList + QStringLiteral(", ") + volumeTitleValue(language) +
                 QStringLiteral(" from ") + workTable);
}

// The ratios' names in the report's language, from the title row just
// copied. A title table without a ratio's label gives the ratio's short name.
std::array<QString, kRatioCount> ratioNames(Connection &cnUser, const QString &language)
{
    static const std::pair<std::array<QString, kRatioCount>, std::array<QString, kRatioCount>>
        columnsAndKeys = [] {
            std::array<QString, kRatioCount> columns;
            std::array<QString, kRatioCount> keys;
            for (int i = 0; i < kRatioCount; ++i) {
                columns[i] = ratioTitleColumn(RatioId(i));
                keys[i] = ratioKey(RatioId(i));
            }
            return std::pair{columns, keys};
        }();
    return comparisonTitleTexts(cnUser, language, columnsAndKeys.first, columnsAndKeys.second);
}

// The labels in the language, from the program's own texts: looked up once.
const QStringList &noteLabels(ReportLanguage language)
{
    static const std::array<QStringList, 2> labels = [] {
        std::array<QStringList, 2> texts;
        for (const char *label : kNoteLabels) {
            texts[0] << comparisonText(QLatin1String(label), ReportLanguage::English);
            texts[1] << comparisonText(QLatin1String(label), ReportLanguage::French);
        }
        return texts;
    }();
    return labels[language == ReportLanguage::French ? 1 : 0];
}

// The accountant's comment and its heading; both empty without a comment,
// which leaves the section out of the report and the workbook.
void addComment(QVariantList &values, const QString &comment, ReportLanguage language)
{
    if (comment.trimmed().isEmpty()) {
        values << QVariant() << QVariant();
        return;
    }
    values << ResourceString(kCommentsLabel, language == ReportLanguage::French ? Language::French
                                                                                : Language::English)
           << comment;
}

// The one row of composed texts: verdict, size note, notes on ratios without
// meaning, each ratio's reading and place on the picture, the labels and the
// accountant's comment.
void writeNotes(Connection &cnUser, const FirmStatement &statement, const RatioQuartiles &quartiles,
                const std::array<RatioPlace, kRatioCount> &places,
                const std::array<QString, kRatioCount> &names, qint16 volume,
                const QString &languageText, const QString &comment)
{
    const ReportLanguage language = reportLanguageFromText(languageText);
    QVector<RatioStanding> ranked;
    for (int i = 0; i < kRatioCount; ++i)
        ranked << RatioStanding{RatioId(i), names[i], places[i].standing, places[i].place};
    QStringList footnotes;
    for (const QString &note : notMeaningfulNotes(statement, names, language))
        footnotes << note.toHtmlEscaped();
    const QStringList alertTexts = alertLines(statement, language);
    QStringList alerts;
    for (const QString &line : alertTexts)
        alerts << line.toHtmlEscaped();
    NumberFormat twoDecimals{NumberKind::Number, 2};
    const std::optional<double> quick = quickRatio(statement);
    const QString quickNote = quick ? comparisonText(QStringLiteral("Quick_Firm"), language)
                                          .arg(formatNumber(*quick, twoDecimals, language))
                                    : comparisonText(QStringLiteral("Quick_None"), language);

    QVariantList values;
    values.reserve(10 + qsizetype(kNoteLabels.size()) + 7 * kRatioCount);
    values << statement.Sales << verdictText(ranked, language)
           << sizeNote(volume, statement.OperatingRevenue, language)
           << footnotes.join(QStringLiteral("<br>")) << alerts.join(QStringLiteral("<br>"))
           << alertTexts.value(0) << alertTexts.value(1) << quickNote;
    for (const QString &label : noteLabels(language))
        values << label;
    const QString notMeaningful = comparisonText(QStringLiteral("Lbl_NotMeaningful"), language);
    for (int i = 0; i < kRatioCount; ++i) {
        const Standing standing = places[i].standing;
        values << (standing == Standing::NotMeaningful ? QVariant(notMeaningful) : QVariant())
               << ratioReading(RatioId(i), standing, language)
               << reportsql::boundNumber(places[i].place)
               << percentileText(places[i].percentile, language)
               << (places[i].percentile ? QVariant(double(*places[i].percentile)) : QVariant())
               << reportsql::boundNumber(quartiles[i].q1)
               << reportsql::boundNumber(quartiles[i].q3);
    }
    addComment(values, comment, language);
    // The notes' columns, in the order of the values above.
    static const QString insert = [] {
        QStringList columns = {QStringLiteral("MySales"),  QStringLiteral("Verdict"),
                               QStringLiteral("SizeNote"), QStringLiteral("Footnotes"),
                               QStringLiteral("Alerts"),   QStringLiteral("Alert1"),
                               QStringLiteral("Alert2"),   QStringLiteral("QuickNote")};
        for (const char *label : kNoteLabels)
            columns << QLatin1String(label);
        for (int i = 0; i < kRatioCount; ++i) {
            const QString key = ratioKey(RatioId(i));
            columns << QStringLiteral("NM_") + key << QStringLiteral("Read_") + key
                    << QStringLiteral("Pic_") + key << QStringLiteral("Pctl_") + key
                    << QStringLiteral("PctlN_") + key << QStringLiteral("Q1_") + key
                    << QStringLiteral("Q3_") + key;
        }
        columns << QStringLiteral("Sec_Comments") << QStringLiteral("Comments");
        return QStringLiteral("Insert into Rpt_Comparison_Notes (") +
               columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
               reportsql::placeholders(columns.size()) + QLatin1Char(')');
    }();
    qint16 errors = 0;
    ExecCmdInDB(cnUser, QStringLiteral("delete from Rpt_Comparison_Notes"), errors);
    ExecCmdInDB(cnUser, insert, errors, values);
}

// The readings in days, one row each: the firm's, the industry's quartiles
// in days, the positions, percentile and reading of the turnover they come from.
void writeDays(Connection &cnUser, const FirmStatement &statement, const RatioQuartiles &quartiles,
               ReportLanguage language)
{
    qint16 errors = 0;
    ExecCmdInDB(cnUser, QStringLiteral("delete from Rpt_Comparison_Days"), errors);
    const QString notMeaningful = comparisonText(QStringLiteral("Lbl_NotMeaningful"), language);
    for (const DaysReading &r : daysReadings(statement, quartiles)) {
        const QString key = QLatin1String(daysKey(r.id));
        const std::optional<RatioId> turnover = daysTurnover(r.id);
        const Standing standing = r.firm ? standingOf(true, r.position) : Standing::NotMeaningful;
        const std::optional<int> percentile = percentileOf(r.place);
        // The turnover's words serve its days: "receivables collected faster".
        const QString reading = turnover ? ratioReading(*turnover, standing, language)
                                         : comparisonText(standing == Standing::NotMeaningful
                                                              ? QStringLiteral("Read_NotMeaningful")
                                                              : QStringLiteral("Read_None"),
                                                          language);
        ExecCmdInDB(
            cnUser,
            QStringLiteral(
                "insert into Rpt_Comparison_Days (Code, Label, DaysMy, DaysQ1, DaysQ2, DaysQ3, "
                "Better, Worse, PctlN, Pctl, Reading, NM) values (?, ?, ?, ?, "
                "?, ?, ?, ?, ?, ?, ?, ?)"),
            errors,
            {key, comparisonText(QStringLiteral("Lbl_") + key, language),
             reportsql::boundNumber(r.firm), reportsql::boundNumber(r.industry.q1),
             reportsql::boundNumber(r.industry.q2), reportsql::boundNumber(r.industry.q3),
             reportsql::boundNumber(r.position.better), reportsql::boundNumber(r.position.worse),
             percentile ? QVariant(double(*percentile)) : QVariant(),
             percentileText(percentile, language), reading,
             r.firm ? QVariant() : QVariant(notMeaningful)});
    }
}

} // namespace

PreparationOutcome fncPrepareComparisonReport(Connection &cnReference, Connection &cnUser,
                                              const QString & /*reportType*/, qint16 volume,
                                              const QString &region, qint16 year,
                                              const QString &naics, const QString &language,
                                              const QStringList &aComparisonValues,
                                              const QVector<SavedStatement> &firmYears)
{
    // Checks the list's length before any value is read.
    const FirmStatement amounts = statementFromValues(aComparisonValues);
    const ComparisonSubject subject{aComparisonValues.at(kComparisonFirmName),
                                    year,
                                    naics,
                                    aComparisonValues.at(kComparisonIndustry),
                                    amounts,
                                    aComparisonValues.value(kComparisonComment)};
    return fncPrepareComparison(cnReference, cnUser, volume, region, language, subject, firmYears);
}

PreparationOutcome fncPrepareComparison(Connection &cnReference, Connection &cnUser, qint16 volume,
                                        const QString &region, const QString &language,
                                        const ComparisonSubject &subject,
                                        const QVector<SavedStatement> &firmYears)
{
    const qint16 year = subject.year;
    const QString &naics = subject.naics;
    attachReference(cnUser, cnReference);
    Transaction transaction(cnUser);
    // A user database older than the composed texts gets their tables here,
    // inside the transaction, which then reads the catalogue once.
    subEnsureAddedUserTables(cnUser);
    extractIndustryRows(cnReference, cnUser, volume, region, lastReferenceYear(), naics, language);
    qint16 errors = 0;
    ExecCmdInDB(cnUser, QStringLiteral("delete from Rpt_Comparison"), errors);

    // A year outside the three extracted ones has no data either.
    const std::optional<RecordSet> yearRow = industryYearRow(cnUser, year, yearRowColumns());
    if (!yearRow) {
        transaction.commit();
        return {false, noDataMessage(language, year)};
    }

    const FirmStatement &statement = subject.amounts;
    const RatioQuartiles quartiles = ratioQuartiles(*yearRow);
    QVariantList row;
    row.reserve(boundColumns().size());
    addFirmValues(row, subject);
    const std::array<RatioPlace, kRatioCount> places = addRatioValues(row, quartiles, statement);
    addVarianceValues(row, *yearRow, statement);
    Q_ASSERT(row.size() == boundColumns().size());
    row << region << volume << reportsql::languageLetter(language);
    ExecCmdInDB(cnUser, comparisonInsert(yearWorkTable(year), language), errors, row);

    copyTitleRows(cnUser, QStringLiteral("Rpt_Comparison_Titles"),
                  QStringLiteral("Rpt_Comparison_Titles_Source"), language,
                  {{QStringLiteral("NAICS"), naics}});
    const std::array<QString, kRatioCount> names = ratioNames(cnUser, language);
    writeNotes(cnUser, statement, quartiles, places, names, volume, language, subject.comment);
    writeDays(cnUser, statement, quartiles, reportLanguageFromText(language));
    std::array<Standing, kRatioCount> standings{};
    for (int i = 0; i < kRatioCount; ++i)
        standings[i] = places[i].standing;
    writeComparisonTargets(cnUser, statement, quartiles, standings, names, language);
    writeComparisonTrend(cnUser, firmYears, year, statement, quartiles, language);
    transaction.commit();
    return {true, QString()};
}

FirmStatement comparisonStatement(const QStringList &aComparisonValues)
{
    return statementFromValues(aComparisonValues);
}
