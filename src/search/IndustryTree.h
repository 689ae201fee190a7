#pragma once

#include "core/RecordSet.h"
#include "search/IndustryLookups.h"

#include <QString>
#include <QVector>

// The classification tree: categories of tblTreeview as folders, the
// dataset's industries as sheets of paper inside them.

// Picture indices of the tree's image list.
enum TreePicture { kClosedFolder = 1, kOpenFolder = 2, kLinedPaper = 3 };

// Item data roles that carry a node's picture index and key.
inline constexpr int kTreePictureRole = Qt::UserRole;
inline constexpr int kTreeKeyRole = Qt::UserRole + 1;

// One node to add, in order.
struct TreeNodeSpec
{
    QString key;
    QString parentKey; // not used for a top-level category
    QString text;
    int picture = kClosedFolder;
    bool topLevel = false;
};

// The nodes of the tree from the categories (NodeKey, Parent and the title
// of the language, in sequence order) and the industries of the dataset
// (NodeKey, Parent and Description or Description_french), in the order they
// are added. In English "IndTFINANC" is a category of volume 1 only.
QVector<TreeNodeSpec> fncTreeNodes(RecordSet categories, RecordSet industries, Language language,
                                   const QString &naicsDescTable);

// Reads both record sets, then builds the nodes.
QVector<TreeNodeSpec> fncLoadTreeNodes(const LookupSource &source);

// The NAICS code of an industry's key: every "Ind" removed.
QString naicsFromNodeKey(const QString &key);
