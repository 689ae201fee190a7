#include "core/AddedUserTables.h"
#include "core/DatabaseError.h"
#include "core/Messages.h"
#include "core/Transaction.h"
#include "reports/ComparisonFigures.h"
#include "reports/ComparisonRatios.h"
#include "reports/ComparisonReading.h"
#include "reports/ComparisonTrend.h"
#include "reports/ReferenceAttachment.h"
#include "reports/ReportExtraction.h"
#include "reports/ReportPreparation.h"
#include "reports/ReportSql.h"
#include "reports/ReportTitles.h"

#include <QLocale>

#include <array>
#include <optional>

namespace {

// The comparison always extracts the reference year and the two before it.
constexpr qint16 kReferenceYear = 2006;
// Positions of aComparisonValues.
constexpr int kFirmNameIndex = 0;
constexpr int kNaicsIndex = 2;
constexpr int kIndustryIndex = 3;
constexpr int kFirstAmountIndex = 4;

using Amount = double FirmStatement::*;

// The firm row's figures: percentages of total assets, or amounts as given.
struct FirmColumn
{
    const char *column;
    Amount amount;
    bool percentOfAssets;
};

constexpr std::array<FirmColumn, 32> kFirmColumns = {{
    {"MyCash", &FirmStatement::Cash, true},
    {"MyAr", &FirmStatement::Ar, true},
    {"MyInv", &FirmStatement::Inv, true},
    {"MyCA", &FirmStatement::CA, true},
    {"MyOA", &FirmStatement::OA, true},
    {"MyToa", &FirmStatement::Toa, true},
    {"MyInvest", &FirmStatement::Invest, true},
    {"MyPtfl", &FirmStatement::Ptfl, true},
    {"MyTa", &FirmStatement::Ta, true},
    {"MyOperatingRevenue", &FirmStatement::OperatingRevenue, false},
    {"MyGrossProfit", &FirmStatement::GrossProfit, false},
    {"MyOperatingProfit", &FirmStatement::OperatingProfit, false},
    {"MyInterestExpense", &FirmStatement::InterestExpense, false},
    {"MyPretaxProfit", &FirmStatement::PretaxProfit, false},
    {"MyProfitAfterTax", &FirmStatement::ProfitAfterTax, false},
    {"MyAccountsPayable", &FirmStatement::AccountsPayable, true},
    {"MyBanks", &FirmStatement::Banks, true},
    {"MyPaper", &FirmStatement::Paper, true},
    {"MyMtg", &FirmStatement::Mtg, true},
    {"MyBonds", &FirmStatement::Bonds, true},
    {"MyOl", &FirmStatement::Ol, true},
    {"MyAmtsAffil", &FirmStatement::AmtsAffil, true},
    {"MyOLiab", &FirmStatement::OLiab, true},
    {"MyDefTax", &FirmStatement::DefTax, true},
    {"MyTliab", &FirmStatement::Tliab, true},
    {"MyShareC", &FirmStatement::ShareC, true},
    {"MyRetEarn", &FirmStatement::RetEarn, true},
    {"MyOtherSur", &FirmStatement::OtherSur, true},
    {"MyEquity1", &FirmStatement::Equity1, true},
    {"MyTotLiabShareEq", &FirmStatement::TotLiabShareEq, true},
    {"MyCurrentAssets", &FirmStatement::CurrentAssets, true},
    {"MyCurrentLiabilities", &FirmStatement::CurrentLiabilities, true},
}};

// The labels the composed texts need, copied in the report's language.
constexpr std::array<const char *, 10> kNoteLabels = {
    "Lbl_Sales",   "Lbl_MyMargin", "Lbl_MedianMargin", "Lbl_NotMeaningful", "Note_NotMeaningful",
    "Note_Points", "Sec_Verdict",  "Pic_Title",        "Pic_Weakest",       "Pic_Strongest"};

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

// The work table that holds the industry's row for the firm's year.
QString yearWorkTable(qint16 year)
{
    switch (year) {
    case 2006:
        return QStringLiteral("Rpt_Data_CY");
    case 2005:
        return QStringLiteral("Rpt_Data_CYM1");
    case 2004:
        return QStringLiteral("Rpt_Data_CYM2");
    default:
        return QString();
    }
}

QString noDataMessage(const QString &language, qint16 year)
{
    if (reportsql::languageLetter(language).toUpper() == QLatin1String("E"))
        return QStringLiteral("This industry has no data for ") + QString::number(year);
    return QStringLiteral("Il n'y a pas de données pour cette industrie pour") +
           QString::number(year);
}

// An amount as the firm screen hands it over: a plain decimal or the
// scientific form, with "." or "," as decimal point. Parsed the same way
// whatever the regional settings, and never with digit grouping.
double amountFromText(const QString &text)
{
    static const QLocale c = [] {
        QLocale plain = QLocale::c();
        plain.setNumberOptions(QLocale::RejectGroupSeparator);
        return plain;
    }();
    QString normalised = text.trimmed();
    normalised.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = c.toDouble(normalised, &ok);
    if (!ok)
        throw DatabaseError(13, QStringLiteral("Type mismatch: ") + text);
    return value;
}

FirmStatement statementFromValues(const QStringList &values)
{
    if (values.size() < kFirstAmountIndex + int(firmStatementAmounts().size()))
        throw DatabaseError(9, QStringLiteral("Subscript out of range"));
    FirmStatement statement;
    for (int i = 0; i < int(firmStatementAmounts().size()); ++i)
        statement.*firmStatementAmounts()[i] = amountFromText(values.at(kFirstAmountIndex + i));
    return statement;
}

void updateComparison(Connection &cnUser, const QStringList &columns, const QVariantList &values)
{
    qint16 errors = 0;
    ExecCmdInDB(cnUser,
                QStringLiteral("Update rpt_comparison Set ") + reportsql::assignmentList(columns),
                errors, values);
}

void insertFirmRow(Connection &cnUser, const QStringList &values, qint16 year,
                   const FirmStatement &statement)
{
    QStringList columns = {QStringLiteral("MyFirmName"), QStringLiteral("MyYear"),
                           QStringLiteral("MyNAICS"), QStringLiteral("MyIndustry")};
    QVariantList bound = {values.at(kFirmNameIndex), int(year), values.at(kNaicsIndex),
                          values.at(kIndustryIndex)};
    for (const FirmColumn &c : kFirmColumns) {
        columns << QLatin1String(c.column);
        const double amount = statement.*c.amount;
        bound << (c.percentOfAssets ? percentOfTotalAssets(amount, statement.Ta) : amount);
    }
    qint16 errors = 0;
    ExecCmdInDB(cnUser,
                QStringLiteral("Insert into Rpt_comparison (") +
                    columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                    reportsql::placeholders(columns.size()) + QLatin1Char(')'),
                errors, bound);
}

// Writes the ratios and their positions; a ratio without meaning keeps its
// value but gets no position. Returns where the firm stands on each ratio.
std::array<Standing, kRatioCount> writeRatiosAndPositions(Connection &cnUser,
                                                          const RecordSet &yearRow,
                                                          const FirmStatement &statement)
{
    const FirmRatios ratios = computeFirmRatios(statement);
    std::array<Standing, kRatioCount> standings{};
    QStringList ratioColumns, betterColumns, worseColumns;
    QVariantList ratioValues, betterValues, worseValues;
    for (int i = 0; i < kRatioCount; ++i) {
        const RatioColumns &r = kRatioColumns[i];
        const double ratio = ratios.*r.value;
        const bool meaningful = isMeaningful(statement, RatioId(i));
        const Quartiles quartiles{reportsql::numberOf(yearRow.field(QLatin1String(r.q1))),
                                  reportsql::numberOf(yearRow.field(QLatin1String(r.q2))),
                                  reportsql::numberOf(yearRow.field(QLatin1String(r.q3)))};
        const QuartilePosition position =
            meaningful ? quartilePosition(r.scale, quartiles, ratio) : QuartilePosition{};
        standings[i] = standingOf(meaningful, position);
        ratioColumns << QLatin1String(r.column);
        ratioValues << ratio;
        betterColumns << QLatin1String(r.better);
        betterValues << reportsql::boundNumber(position.better);
        worseColumns << QLatin1String(r.worse);
        worseValues << reportsql::boundNumber(position.worse);
    }
    updateComparison(cnUser, ratioColumns, ratioValues);
    updateComparison(cnUser, betterColumns, betterValues);
    updateComparison(cnUser, worseColumns, worseValues);
    return standings;
}

// The one row of composed texts: verdict, size note, notes on ratios without
// meaning, each ratio's reading and place on the picture, and the labels.
void writeNotes(Connection &cnUser, const FirmStatement &statement,
                const std::array<Standing, kRatioCount> &standings, qint16 volume,
                const QString &languageText)
{
    const ReportLanguage language = reportLanguageFromText(languageText);
    const RecordSet titles = GetRS(cnUser, QStringLiteral("select * from Rpt_Comparison_Titles"),
                                   QStringLiteral("read"));
    std::array<QString, kRatioCount> names;
    QVector<RatioStanding> ranked;
    for (int i = 0; i < kRatioCount; ++i) {
        // Titles without a ratio's label fall back on its short name.
        const QString column = ratioTitleColumn(RatioId(i));
        const bool labelled =
            titles.RecordCount() > 0 && titles.fieldNames().contains(column, Qt::CaseInsensitive);
        names[i] = labelled ? titles.text(column) : ratioKey(RatioId(i));
        ranked << RatioStanding{RatioId(i), names[i], standings[i]};
    }
    QStringList footnotes;
    for (const QString &note : notMeaningfulNotes(statement, names, language))
        footnotes << note.toHtmlEscaped();

    QStringList columns = {QStringLiteral("MySales"), QStringLiteral("Verdict"),
                           QStringLiteral("SizeNote"), QStringLiteral("Footnotes")};
    QVariantList values = {statement.Sales, verdictText(ranked, language),
                           sizeNote(volume, statement.OperatingRevenue, language),
                           footnotes.join(QStringLiteral("<br>"))};
    for (const char *label : kNoteLabels) {
        columns << QLatin1String(label);
        values << comparisonText(QLatin1String(label), language);
    }
    for (int i = 0; i < kRatioCount; ++i) {
        const auto id = RatioId(i);
        const QString key = ratioKey(id);
        columns << QStringLiteral("NM_") + key << QStringLiteral("Read_") + key
                << QStringLiteral("Pic_") + key;
        values << (standings[i] == Standing::NotMeaningful
                       ? QVariant(comparisonText(QStringLiteral("Lbl_NotMeaningful"), language))
                       : QVariant())
               << ratioReading(id, standings[i], language)
               << reportsql::boundNumber(pictureQuarter(standings[i]));
    }
    qint16 errors = 0;
    ExecCmdInDB(cnUser, QStringLiteral("delete from Rpt_Comparison_Notes"), errors);
    ExecCmdInDB(cnUser,
                QStringLiteral("Insert into Rpt_Comparison_Notes (") +
                    columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                    reportsql::placeholders(columns.size()) + QLatin1Char(')'),
                errors, values);
}

void writeVariances(Connection &cnUser, const RecordSet &yearRow, const FirmStatement &statement)
{
    QStringList columns;
    QVariantList values;
    for (const VarianceColumn &v : kVarianceColumns) {
        const double firmPercent = percentOfTotalAssets(statement.*v.amount, statement.Ta);
        columns << QLatin1String(v.column);
        values << reportsql::boundNumber(balanceSheetVariance(
            firmPercent, reportsql::numberOf(yearRow.field(QLatin1String(v.industry)))));
    }
    updateComparison(cnUser, columns, values);
}

// Copies the industry's figures from the year row to the comparison row
// under the same names, nulls included, inside SQLite.
void copyIndustryColumns(Connection &cnUser, const QString &workTable)
{
    QStringList columns;
    for (const char *name : kIndustryFigures)
        columns << QLatin1String(name);
    for (const char *name : kIndustryBalanceSheet)
        columns << QLatin1String(name);
    const QString list = columns.join(QStringLiteral(", "));
    qint16 errors = 0;
    ExecCmdInDB(cnUser,
                QStringLiteral("Update rpt_comparison Set (") + list +
                    QStringLiteral(") = (select ") + list + QStringLiteral(" from ") + workTable +
                    QLatin1Char(')'),
                errors);
}

} // namespace

bool fncPrepareComparisonReport(Connection &cnReference, Connection &cnUser,
                                const QString & /*reportType*/, qint16 volume,
                                const QString &region, qint16 year, const QString &naics,
                                const QString &language, const QStringList &aComparisonValues)
{
    // A user database older than the composed texts gets their table here.
    subEnsureAddedUserTables(cnUser);
    attachReference(cnUser, cnReference);
    Transaction transaction(cnUser);
    extractIndustryRows(cnReference, cnUser, volume, region, kReferenceYear, naics, language);
    qint16 errors = 0;
    ExecCmdInDB(cnUser, QStringLiteral("delete from Rpt_Comparison"), errors);

    const QString workTable = yearWorkTable(year);
    const RecordSet yearRow =
        workTable.isEmpty()
            ? RecordSet()
            : GetRS(cnUser, QStringLiteral("select * from ") + workTable, QStringLiteral("read"));
    // A year outside the three extracted ones has no data either.
    if (yearRow.RecordCount() == 0 || yearRow.isNull(QStringLiteral("NumberOfFirms"))) {
        transaction.commit();
        ShowMessage(noDataMessage(language, year), MsgButtons::Ok);
        return false;
    }

    const FirmStatement statement = statementFromValues(aComparisonValues);
    insertFirmRow(cnUser, aComparisonValues, year, statement);
    const std::array<Standing, kRatioCount> standings =
        writeRatiosAndPositions(cnUser, yearRow, statement);
    writeVariances(cnUser, yearRow, statement);
    applyVolumeTitle(cnUser, QStringLiteral("Rpt_Comparison"), QStringLiteral("MyVol"), QString(),
                     volume, language, region);
    copyIndustryColumns(cnUser, workTable);

    copyTitleRows(cnUser, QStringLiteral("Rpt_Comparison_Titles"),
                  QStringLiteral("Rpt_Comparison_Titles_Source"), language);
    ExecCmdInDB(cnUser, QStringLiteral("Update rpt_comparison_titles set NAICS = ?"), errors,
                {aComparisonValues.at(kNaicsIndex)});
    writeNotes(cnUser, statement, standings, volume, language);
    writeComparisonTrend(cnUser, aComparisonValues.at(kFirmNameIndex), year, statement, language);
    transaction.commit();
    return true;
}
