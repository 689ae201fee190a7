#include "search/IndustryTree.h"

#include "core/DatasetMapping.h"

#include <QHash>
#include <QtDebug>

namespace {
bool isTopLevelKey(const QString &nodeKey)
{
    return nodeKey.compare(QLatin1String("IndTOTALL"), Qt::CaseInsensitive) == 0 ||
           nodeKey.compare(QLatin1String("IndMANAGE"), Qt::CaseInsensitive) == 0;
}
} // namespace

QVector<TreeNodeSpec> fncTreeNodes(RecordSet categories, RecordSet industries, Language language,
                                   const QString &naicsDescTable)
{
    const bool english = language == Language::English;
    const QString titleColumn = english ? QStringLiteral("IndDescE") : QStringLiteral("IndDescF");
    QVector<TreeNodeSpec> nodes;

    for (categories.MoveFirst(); !categories.eof(); categories.MoveNext()) {
        const QString nodeKey = categories.text(QStringLiteral("NodeKey"));
        const QString title = categories.text(titleColumn);
        if (isTopLevelKey(nodeKey)) {
            nodes.append({nodeKey.trimmed(), QString(), title.trimmed(), kClosedFolder, true});
            continue;
        }
        // The finance category belongs to the detailed industries of volume 1;
        // the French tree always carries it.
        if (english && nodeKey == QLatin1String("IndTFINANC") &&
            naicsDescTable != naicsDescriptionTable(1))
            continue;
        nodes.append({nodeKey.trimmed(), categories.text(QStringLiteral("Parent")).trimmed(), title,
                      kClosedFolder});
    }

    const QString industryTitle =
        english ? QStringLiteral("Description") : QStringLiteral("Description_french");
    for (industries.MoveFirst(); !industries.eof(); industries.MoveNext()) {
        nodes.append({industries.text(QStringLiteral("NodeKey")).trimmed(),
                      industries.text(QStringLiteral("Parent")).trimmed(),
                      industries.text(industryTitle), kLinedPaper});
    }
    return nodes;
}

QVector<TreeNodeSpec> fncLoadTreeNodes(const LookupSource &source)
{
    // Both record sets are read before any node is built. They hold only the
    // columns the nodes use: a dataset row carries over a hundred figures.
    const bool english = source.language == Language::English;
    RecordSet categories = GetRS(
        source.connection,
        english
            ? QStringLiteral("select NodeKey, Parent, IndDescE from tblTreeview order by sequence")
            : QStringLiteral("select NodeKey, Parent, IndDescF from tblTreeview order by sequence"),
        QStringLiteral("read"));
    RecordSet industries =
        GetRS(source.connection,
              (english ? QStringLiteral("select N.NodeKey, N.Parent, N.Description from ")
                       : QStringLiteral("select N.NodeKey, N.Parent, N.Description_french from ")) +
                  source.naicsDescTable + QStringLiteral(" N inner join ") + source.datasetTable +
                  QStringLiteral(" F on N.NAICS = F.NAICS order by N.sequence"),
              QStringLiteral("read"));
    return fncTreeNodes(std::move(categories), std::move(industries), source.language,
                        source.naicsDescTable);
}

QString naicsFromNodeKey(const QString &key)
{
    return QString(key).replace(QStringLiteral("Ind"), QString());
}
