#include "reports/ComparisonTrend.h"

#include "benchmarks/BenchmarksInUse.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "firm/StatementItems.h"
#include "reports/IndustryYear.h"
#include "reports/ReportSql.h"

#include <QLocale>

#include <algorithm>
#include <string_view>

namespace {

// The reference years of the set in use.
bool isReferenceYear(int year)
{
    return year >= firstReferenceYear() && year <= lastReferenceYear();
}

// Texts of the section by their report labels.
struct TrendLabel
{
    const char *column;
    int stringId;
};
constexpr std::array<TrendLabel, 4> kTrendLabels = {{
    {"Lbl_Trend_Title", kTrendTitle},
    {"Lbl_Trend_Note", kTrendNote},
    {"Lbl_Trend_Industry", kTrendIndustry},
    {"Lbl_Trend_NotMeaningful", kTrendNotMeaningful},
}};

// Suffixes of a ratio's columns for year slot n (1 to 3): the firm's value,
// the industry's first quartile, median and third quartile.
constexpr std::array<const char *, 4> kValueParts = {"_F", "_L", "_M", "_U"};

QString valueColumn(const RatioColumns &ratio, int part, int slot)
{
    return QLatin1String(ratio.key) + QLatin1String(kValueParts[part]) + QString::number(slot);
}

QString chartColumn(const RatioColumns &ratio)
{
    return QStringLiteral("Chart_") + QLatin1String(ratio.key);
}

QString yearColumn(int slot)
{
    return QStringLiteral("Year") + QString::number(slot);
}

// The industry's quartiles of a reference year; all empty when the dataset
// has no data for it.
RatioQuartiles industryQuartiles(Connection &cnUser, int year)
{
    const std::optional<RecordSet> row = industryYearRow(cnUser, year, ratioQuartileColumns());
    return row ? ratioQuartiles(*row) : RatioQuartiles{};
}

QString numberText(const std::optional<double> &value)
{
    return value ? QString::number(*value, 'g', 10) : QString();
}

} // namespace

std::optional<double> meaningfulRatio(const RatioColumns &ratio, const FirmStatement &s)
{
    const auto index = std::find_if(kRatioColumns.cbegin(), kRatioColumns.cend(),
                                    [&ratio](const RatioColumns &r) {
                                        return std::string_view(r.key) == ratio.key;
                                    }) -
                       kRatioColumns.cbegin();
    if (!isMeaningful(s, RatioId(index)))
        return std::nullopt;
    return computeFirmRatios(s).*ratio.value;
}

std::vector<TrendSeries> trendSeries(std::vector<TrendYear> years)
{
    std::sort(years.begin(), years.end(),
              [](const TrendYear &a, const TrendYear &b) { return a.year < b.year; });
    std::vector<TrendSeries> series;
    for (std::size_t i = 0; i < kRatioColumns.size(); ++i) {
        TrendSeries s;
        s.ratio = &kRatioColumns[i];
        for (const TrendYear &year : years) {
            s.years.push_back(year.year);
            s.points.push_back(
                {meaningfulRatio(kRatioColumns[i], year.statement), year.industry[i]});
        }
        series.push_back(std::move(s));
    }
    return series;
}

QString trendChartSpec(const TrendSeries &series)
{
    QStringList years, firm, q1, q2, q3;
    for (std::size_t i = 0; i < series.years.size(); ++i) {
        const TrendPoint &p = series.points[i];
        years << QString::number(series.years[i]);
        firm << numberText(p.firm);
        q1 << numberText(p.industry.q1);
        q2 << numberText(p.industry.q2);
        q3 << numberText(p.industry.q3);
    }
    const bool lower = series.ratio && series.ratio->scale == RatioScale::LowerIsBetter;
    const QChar comma = QLatin1Char(',');
    return QStringLiteral("chart:trend;lower=%1;x=%2;f=%3;l=%4;m=%5;u=%6")
        .arg(lower ? 1 : 0)
        .arg(years.join(comma), firm.join(comma), q1.join(comma), q2.join(comma), q3.join(comma));
}

void writeComparisonTrend(Connection &cnUser, const QVector<SavedStatement> &saved, int year,
                          const FirmStatement &current, const RatioQuartiles &currentIndustry,
                          const QString &language)
{
    qint16 errors = 0;
    // Row by row ("where"): a whole-table delete would rewrite the table's
    // page at every commit even when it is empty, as it is for most firms.
    ExecCmdInDB(cnUser, QStringLiteral("delete from Rpt_Comparison_Trend where 1"), errors);

    std::vector<TrendYear> years;
    if (isReferenceYear(year))
        years.push_back({year, current, currentIndustry});
    // The other reference years; the store gives one statement a year.
    std::vector<std::pair<int, FirmStatement>> savedYears;
    for (const SavedStatement &statement : saved) {
        const bool reference = isReferenceYear(statement.year);
        if (reference && statement.year != year &&
            (savedYears.empty() || savedYears.back().first != statement.year))
            savedYears.emplace_back(statement.year, statement.amounts);
    }
    if (years.size() + savedYears.size() < 2)
        return;
    for (const auto &[savedYear, statement] : savedYears)
        years.push_back({savedYear, statement, industryQuartiles(cnUser, savedYear)});

    const std::vector<TrendSeries> series = trendSeries(years);
    QStringList columns;
    QVariantList values;
    const std::vector<int> &shownYears = series.front().years;
    for (int slot = 1; slot <= kTrendYearSlots; ++slot) {
        columns << yearColumn(slot);
        values << (slot <= int(shownYears.size()) ? QVariant(shownYears[slot - 1]) : QVariant());
    }
    const Language textLanguage =
        reportsql::languageLetter(language).toUpper() == QLatin1String("E") ? Language::English
                                                                            : Language::French;
    for (const TrendLabel &label : kTrendLabels) {
        columns << QLatin1String(label.column);
        values << ResourceString(label.stringId, textLanguage);
    }
    for (const TrendSeries &s : series) {
        for (int slot = 1; slot <= int(s.points.size()); ++slot) {
            const TrendPoint &p = s.points[slot - 1];
            const std::array<std::optional<double>, 4> parts = {p.firm, p.industry.q1,
                                                                p.industry.q2, p.industry.q3};
            for (int part = 0; part < int(parts.size()); ++part) {
                columns << valueColumn(*s.ratio, part, slot);
                values << reportsql::boundNumber(parts[part]);
            }
        }
        columns << chartColumn(*s.ratio);
        values << trendChartSpec(s);
    }
    ExecCmdInDB(cnUser,
                QStringLiteral("insert into Rpt_Comparison_Trend (") +
                    columns.join(QStringLiteral(", ")) + QStringLiteral(") values (") +
                    reportsql::placeholders(columns.size()) + QLatin1Char(')'),
                errors, values);
}
