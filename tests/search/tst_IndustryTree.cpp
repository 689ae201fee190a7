#include "search/IndustryTreeWidget.h"
#include "support/SearchFixture.h"
#include "support/TestSupport.h"

#include <QTreeWidget>

// The classification tree built from the categories and the dataset.
class tst_IndustryTree : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void financeCategory_data();
    void financeCategory();
    void layout();
    void brokenReferenceData();
    void iconsByRole();
    void naicsFromKey_data();
    void naicsFromKey();

private:
    // Builds the tree of the fixture for a dataset and language.
    int build(QTreeWidget &tree, const QString &option, Language language, bool brokenTree = false)
    {
        m_state = std::make_unique<testsupport::StateScope>();
        m_dir = std::make_unique<QTemporaryDir>();
        if (!searchfixture::openFixture(*m_dir, brokenTree, option))
            return -1;
        appState().gintLanguage = language;
        return fillTree(tree, fncLoadTreeNodes(currentLookupSource()));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<testsupport::StateScope> m_state;
};

namespace {
QTreeWidgetItem *findKey(QTreeWidget &tree, const QString &key)
{
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        if ((*it)->data(0, kTreeKeyRole).toString() == key)
            return *it;
    return nullptr;
}

int countKey(QTreeWidget &tree, const QString &key)
{
    int count = 0;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        count += (*it)->data(0, kTreeKeyRole).toString() == key ? 1 : 0;
    return count;
}
} // namespace

void tst_IndustryTree::cleanup()
{
    m_state.reset();
    m_dir.reset();
}

void tst_IndustryTree::financeCategory_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<Language>("language");
    QTest::addColumn<bool>("present");
    QTest::newRow("en:volume 1") << "optVol1" << Language::English << true;
    QTest::newRow("en:volume 2") << "optVol2" << Language::English << false;
    QTest::newRow("en:volume 3 Ontario") << "optOntario" << Language::English << false;
    QTest::newRow("fr:volume 1") << "optVol1" << Language::French << true;
    QTest::newRow("fr:volume 2") << "optVol2" << Language::French << true;
    QTest::newRow("fr:volume 3 Ontario") << "optOntario" << Language::French << true;
}

void tst_IndustryTree::financeCategory()
{
    QFETCH(QString, option);
    QFETCH(Language, language);
    QFETCH(bool, present);
    QTreeWidget tree;
    QVERIFY(build(tree, option, language) >= 0);
    QTreeWidgetItem *finance = findKey(tree, QStringLiteral("IndTFINANC"));
    QCOMPARE(finance != nullptr, present);
    if (finance) {
        QCOMPARE(finance->parent()->data(0, kTreeKeyRole).toString(), QStringLiteral("IndTOTALL"));
        QCOMPARE(finance->text(0), language == Language::English
                                       ? QStringLiteral("Finance and insurance")
                                       : QStringLiteral("Finance et assurances"));
    }
    // Volume 1 files banking under finance.
    QCOMPARE(findKey(tree, QStringLiteral("Ind522110")) != nullptr, option == "optVol1");
}

void tst_IndustryTree::layout()
{
    QTreeWidget tree;
    // The fixture's driving school is filed under a category that does not exist.
    QCOMPARE(build(tree, QStringLiteral("optVol2"), Language::English), 1);

    // Both top-level keys, whatever their letter case, with trimmed titles.
    QCOMPARE(tree.topLevelItemCount(), 2);
    QCOMPARE(tree.topLevelItem(0)->text(0), QStringLiteral("All industries"));
    QCOMPARE(tree.topLevelItem(1)->data(0, kTreeKeyRole).toString(), QStringLiteral("IndManage"));
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        QVERIFY2(!(*it)->isExpanded(), qPrintable((*it)->text(0)));
    QCOMPARE(tree.selectedItems().size(), 0);

    // Industries under their category in sequence order.
    QTreeWidgetItem *retail = findKey(tree, QStringLiteral("IndTRETAIL"));
    QVERIFY(retail);
    QCOMPARE(retail->childCount(), 2);
    QCOMPARE(retail->child(0)->text(0), QStringLiteral("Grocery stores"));
    QCOMPARE(retail->child(1)->text(0), QStringLiteral("Family clothing stores"));
    QCOMPARE(findKey(tree, QStringLiteral("Ind541110"))->parent()->text(0),
             QStringLiteral("Management"));

    // An industry the dataset does not carry is nowhere.
    QCOMPARE(findKey(tree, QStringLiteral("Ind722511")), nullptr);
    QCOMPARE(findKey(tree, QStringLiteral("Ind611692")), nullptr);
}

void tst_IndustryTree::brokenReferenceData()
{
    QTreeWidget tree;
    // A duplicate category key and a category under a missing parent are
    // left out, with the orphan industry: three nodes in all.
    QCOMPARE(build(tree, QStringLiteral("optVol2"), Language::English, true), 3);
    QCOMPARE(countKey(tree, QStringLiteral("IndTCONST")), 1);
    QCOMPARE(findKey(tree, QStringLiteral("IndTCONST"))->text(0), QStringLiteral("Construction"));
    QCOMPARE(findKey(tree, QStringLiteral("IndTLOST")), nullptr);
    QVERIFY(findKey(tree, QStringLiteral("Ind236110")));
    QVERIFY(findKey(tree, QStringLiteral("Ind445110")));
}

void tst_IndustryTree::iconsByRole()
{
    QTreeWidget tree;
    QVERIFY(build(tree, QStringLiteral("optVol2"), Language::English) >= 0);
    QTreeWidgetItem *folder = findKey(tree, QStringLiteral("IndTRETAIL"));
    QTreeWidgetItem *paper = findKey(tree, QStringLiteral("Ind445110"));
    QCOMPARE(folder->data(0, kTreePictureRole).toInt(), int(kClosedFolder));
    QCOMPARE(paper->data(0, kTreePictureRole).toInt(), int(kLinedPaper));
    QVERIFY(!isIndustryItem(folder));
    QVERIFY(isIndustryItem(paper));
    // A selected folder opens; a selected sheet stays the same sheet.
    const QIcon folderIcon = folder->icon(0);
    QVERIFY(folderIcon.pixmap(16, QIcon::Normal).toImage() !=
            folderIcon.pixmap(16, QIcon::Selected).toImage());
    const QIcon paperIcon = paper->icon(0);
    QCOMPARE(paperIcon.pixmap(16, QIcon::Selected).toImage(),
             paperIcon.pixmap(16, QIcon::Normal).toImage());
    QVERIFY(paperIcon.pixmap(16).toImage() != folderIcon.pixmap(16).toImage());
}

void tst_IndustryTree::naicsFromKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("code");
    QTest::newRow("prefix") << "Ind236110"
                            << "236110";
    QTest::newRow("every occurrence") << "IndIndInd12"
                                      << "12";
    QTest::newRow("inside the key") << "4Ind5"
                                    << "45";
    QTest::newRow("letter case kept") << "ind236110"
                                      << "ind236110";
}

void tst_IndustryTree::naicsFromKey()
{
    QFETCH(QString, key);
    QFETCH(QString, code);
    QCOMPARE(naicsFromNodeKey(key), code);
}

QUORVEL_TEST_MAIN(tst_IndustryTree)
#include "tst_IndustryTree.moc"
