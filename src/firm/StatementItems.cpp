#include "firm/StatementItems.h"

#include "firm/AmountText.h"

namespace {
// Indexes of the items in the order the screen runs through them: the
// assets, the liabilities and equity, then the income statement.
constexpr std::array<int, kStatementItemCount> screenOrder()
{
    std::array<int, kStatementItemCount> order{};
    int n = 0;
    for (const StatementSection section :
         {StatementSection::Assets, StatementSection::LiabilitiesAndEquity,
          StatementSection::Income}) {
        for (int i = 0; i < kStatementItemCount; ++i) {
            if (kStatementItems[i].section == section)
                order[n++] = i;
        }
    }
    return order;
}

constexpr std::array<int, kStatementItemCount> kScreenOrder = screenOrder();
} // namespace

const std::array<int, kStatementItemCount> &statementScreenOrder()
{
    return kScreenOrder;
}

QString fncAmountBoxName(const char *column)
{
    return QStringLiteral("txt") + QString::fromLatin1(column);
}

const std::array<SubtotalRule, 5> &subtotalRules()
{
    static const std::array<SubtotalRule, 5> rules{{
        {"Toa", {"Cash", "Ar", "Inv", "CA", "OA"}},
        {"Ta", {"Invest", "Toa", "Ptfl"}},
        {"Tliab",
         {"AccountsPayable", "Banks", "Paper", "Mtg", "Bonds", "Ol", "AmtsAffil", "OLiab",
          "DefTax"}},
        {"Equity1", {"ShareC", "RetEarn", "OtherSur"}},
        {"TotLiabShareEq", {"Tliab", "Equity1"}},
    }};
    return rules;
}

void fncApplySubtotals(QHash<QString, QString> &amounts)
{
    for (const SubtotalRule &rule : subtotalRules()) {
        QStringList addends;
        for (const char *column : rule.addends)
            addends << amounts.value(QString::fromLatin1(column));
        amounts.insert(QString::fromLatin1(rule.column), fncSubtotalText(fncExactSum(addends)));
    }
}

QString fncEnterTarget(const QString &column)
{
    // Each item leads to the next typed item in screen order, found by walking
    // that order backwards; the subtotals are skipped, and the last income
    // item leads back to the first liability rather than to the assets.
    static const QHash<QString, QString> next = [] {
        const StatementItem *following = nullptr;
        for (const int index : kScreenOrder) {
            const StatementItem &item = kStatementItems[index];
            if (!following && item.section == StatementSection::LiabilitiesAndEquity &&
                !item.computed)
                following = &item;
        }
        QHash<QString, QString> targets;
        for (auto it = kScreenOrder.crbegin(); it != kScreenOrder.crend(); ++it) {
            const StatementItem &item = kStatementItems[*it];
            targets.insert(QLatin1String(item.column), QLatin1String(following->column));
            if (!item.computed)
                following = &item;
        }
        return targets;
    }();
    return next.value(column);
}

QStringList fncFocusOrder()
{
    QStringList names{QStringLiteral("txtFirmName"), QStringLiteral("cboYear")};
    for (const int index : kScreenOrder)
        names << fncAmountBoxName(kStatementItems[index].column);
    return names;
}

QStringList fncComparisonValues(const QString &firmName, qint16 year, const QString &naics,
                                const QString &industryName, const QStringList &amountTexts,
                                const QString &comment)
{
    QStringList values{firmName, QString::number(year), naics, industryName.trimmed()};
    values << amountTexts;
    if (!comment.isEmpty())
        values << comment;
    return values;
}
