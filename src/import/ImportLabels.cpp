#include "import/ImportLabels.h"

#include "core/ResourceString.h"
#include "core/SearchFold.h"
#include "core/TsvText.h"
#include "firm/StatementItems.h"

#include <QtDebug>

QString foldImportLabel(const QString &text)
{
    const QString folded = foldForSearch(text);
    QString spaced;
    spaced.reserve(folded.size());
    for (const QChar c : folded) {
        if (c == QLatin1Char('&'))
            spaced += QStringLiteral(" and ");
        else
            spaced += c.isLetterOrNumber() ? c : QLatin1Char(' ');
    }
    QStringList words = spaced.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // "&" stands for either language's word, so the three read alike.
    for (QString &word : words) {
        if (word == QLatin1String("et"))
            word = QStringLiteral("and");
    }
    while (words.size() > 1 && words.first().front().isDigit() && words.first().toLongLong() > 0)
        words.removeFirst();
    return words.join(QLatin1Char(' '));
}

const ImportLabels &ImportLabels::instance()
{
    static const ImportLabels labels;
    return labels;
}

ImportLabels::ImportLabels()
{
    QHash<QString, LabelMatch> keys{
        {QStringLiteral("@firm"), {LabelKind::Firm, -1}},
        {QStringLiteral("@year"), {LabelKind::Year, -1}},
        {QStringLiteral("@amount"), {LabelKind::AmountHeading, -1}},
        {QStringLiteral("@balance"), {LabelKind::Balance, -1}},
        {QStringLiteral("@debit"), {LabelKind::Debit, -1}},
        {QStringLiteral("@credit"), {LabelKind::Credit, -1}},
        {QStringLiteral("@account"), {LabelKind::AccountNumber, -1}},
        {QStringLiteral("@label"), {LabelKind::LabelHeading, -1}},
        {QStringLiteral("@other"), {LabelKind::OtherHeading, -1}},
    };
    for (int i = 0; i < kStatementItemCount; ++i) {
        const StatementItem &item = statementItems()[i];
        const LabelMatch match{LabelKind::Item, i};
        keys.insert(QLatin1String(item.column), match);
        add(QLatin1String(item.column), match);
        add(ResourceString(item.captionId, Language::English), match);
        add(ResourceString(item.captionId, Language::French), match);
    }
    const QList<QStringList> rows =
        tsvResourceRows(QStringLiteral(":/import/import_synonyms.tsv"), "import synonyms");
    for (const QStringList &row : rows) {
        if (row.size() < 2 || !keys.contains(row.at(0))) {
            qWarning() << "import synonyms: row not understood:" << row;
            continue;
        }
        add(row.at(1), keys.value(row.at(0)));
    }
    for (const QString &label : std::as_const(m_ambiguous))
        m_labels.remove(label);
}

void ImportLabels::add(const QString &wording, LabelMatch match)
{
    const QString label = foldImportLabel(wording);
    if (label.isEmpty())
        return;
    const auto found = m_labels.constFind(label);
    if (found == m_labels.cend()) {
        m_labels.insert(label, match);
    } else if ((found->kind != match.kind || found->item != match.item) &&
               !m_ambiguous.contains(label)) {
        m_ambiguous << label;
    }
}

std::optional<LabelMatch> ImportLabels::match(const QString &text) const
{
    const QString label = foldImportLabel(text);
    auto found = m_labels.constFind(label);
    if (found == m_labels.cend()) {
        QStringList words = label.split(QLatin1Char(' '));
        const QLatin1String net("net");
        if (words.size() > 1 && words.first() == net)
            words.removeFirst();
        if (words.size() > 1 && words.last() == net)
            words.removeLast();
        found = m_labels.constFind(words.join(QLatin1Char(' ')));
    }
    if (found == m_labels.cend())
        return std::nullopt;
    return *found;
}
