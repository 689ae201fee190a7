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
    for (const QChar c : folded)
        spaced += c.isLetterOrNumber() ? c : QLatin1Char(' ');
    QStringList words = spaced.split(QLatin1Char(' '), Qt::SkipEmptyParts);
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
    const auto found = m_labels.constFind(foldImportLabel(text));
    if (found == m_labels.cend())
        return std::nullopt;
    return *found;
}
