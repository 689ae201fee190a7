#include "reports/RatioExplanation.h"

#include "core/TsvText.h"
#include "reports/ComparisonRatios.h"
#include "reports/ComparisonReading.h"
#include "reports/RatioPercentile.h"
#include "reports/RatioTargets.h"

namespace {
QString keyed(const char *prefix, RatioId id)
{
    return QLatin1String(prefix) + QLatin1String(kRatioColumns[int(id)].key);
}

QString amount(double value, ReportLanguage language)
{
    return formatNumber(value, {NumberKind::Currency, 0}, language);
}

// The ratio in its own unit, as the reports show it.
QString ratioFigure(RatioId id, const std::optional<double> &value, ReportLanguage language)
{
    if (!value)
        return QStringLiteral("\u2014");
    return isPercentRatio(id) ? formatNumber(*value, {NumberKind::Percent, 1}, language)
                              : formatNumber(*value, {NumberKind::Number, 2}, language);
}

// "(50 + 300) ÷ 1,600 × 100 = 21.9%"
QString firmFormula(const FirmStatement &s, RatioId id, ReportLanguage language)
{
    const NumeratorTerms numerator = numeratorTerms(s, id);
    QString top = amount(numerator.terms[0], language);
    if (numerator.count == 2) {
        const double second = numerator.terms[1];
        top = QLatin1Char('(') + top +
              (second < 0 ? QStringLiteral(" \u2212 ") : QStringLiteral(" + ")) +
              amount(std::abs(second), language) + QLatin1Char(')');
    }
    const double result = computeFirmRatios(s).*kRatioColumns[int(id)].value;
    return top + QStringLiteral(" \u00f7 ") +
           amount(denominatorValue(s, denominatorOf(id)), language) +
           (isPercentRatio(id) ? QStringLiteral(" \u00d7 100") : QString()) +
           QStringLiteral(" = ") + ratioFigure(id, result, language);
}
} // namespace

QString ratioText(const QString &key, ReportLanguage language)
{
    static const BilingualTexts texts(QStringLiteral(":/reports/ratio_texts.tsv"), "Ratio texts");
    return texts.text(key, language == ReportLanguage::French);
}

QString ratioName(RatioId id, ReportLanguage language)
{
    return ratioText(keyed("Name_", id), language);
}

std::optional<RatioId> ratioNamed(const QString &label)
{
    // The reports follow a name with a mark: "▼" (lower is better) or
    // "(n/m)" (no meaning for the firm).
    QString wanted = label.trimmed();
    if (wanted.endsWith(QChar(0x25BC)))
        wanted.chop(1);
    wanted = wanted.trimmed();
    if (wanted.endsWith(QLatin1Char(')')) && wanted.lastIndexOf(QLatin1Char('(')) > 0)
        wanted = wanted.left(wanted.lastIndexOf(QLatin1Char('('))).trimmed();
    for (int i = 0; i < kRatioCount; ++i)
        for (const ReportLanguage language : {ReportLanguage::English, ReportLanguage::French})
            if (!wanted.isEmpty() && ratioName(RatioId(i), language) == wanted)
                return RatioId(i);
    return std::nullopt;
}

RatioExplanation explainRatio(RatioId id, const std::vector<YearQuartiles> &years,
                              const std::optional<FirmStatement> &firm, ReportLanguage language)
{
    const Quartiles industry = years.empty() ? Quartiles{} : years.front().quartiles;
    RatioExplanation e;
    e.name = ratioName(id, language);
    e.formula = ratioText(keyed("Formula_", id), language);
    if (firm) {
        const bool meaningful = isMeaningful(*firm, id);
        const double ratio = computeFirmRatios(*firm).*kRatioColumns[int(id)].value;
        e.percentile =
            ratioText(QStringLiteral("Panel_Percentile"), language)
                .arg(percentileText(
                    meaningful ? estimatedPercentile(industry, ratio) : std::nullopt, language));
        if (meaningful)
            e.firm = ratioText(QStringLiteral("Panel_Firm"), language)
                         .arg(firmFormula(*firm, id, language));
        else
            e.why = ratioText(QStringLiteral("Panel_NotMeaningful"), language)
                        .arg(notMeaningfulCause(*firm, id, language));
    }
    for (const YearQuartiles &y : years)
        e.quartiles << ratioText(QStringLiteral("Panel_Quartiles"), language)
                           .arg(QString::number(y.year), ratioFigure(id, y.quartiles.q1, language),
                                ratioFigure(id, y.quartiles.q2, language),
                                ratioFigure(id, y.quartiles.q3, language));
    e.direction = ratioText(kRatioColumns[int(id)].scale == RatioScale::LowerIsBetter
                                ? QStringLiteral("Dir_Lower")
                                : QStringLiteral("Dir_Higher"),
                            language);
    e.moves = ratioText(keyed("Moves_", id), language);
    return e;
}
