#pragma once

#include "core/Screen.h"
#include "entry/LanguageHelpMenus.h"
#include "search/IndustryLookups.h"

class RecordSetModel;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTableView;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// The search screen: the user finds one industry of the chosen dataset by
// tree, code, title or keyword, chooses the data type and the output, and
// continues to a report or to the firm statement screens.
//
// The screen shows the chosen industry (the bare code in the hidden label
// lblHiddenNaics, its title in txtIndName) and hands it to the statement
// session, where later screens read it.
class frmSearch : public Screen
{
    Q_OBJECT

public:
    frmSearch();

    bool resetOnActivate() const { return mblnResetOnActivate; }
    // The dataset screen hands over a dataset, perhaps another: whatever
    // screen the user went through to get there, the next activation
    // rebuilds this screen for it.
    void subStartAfresh() { mblnResetOnActivate = true; }

    void subLoadCaptions();
    // The captions, and the tree and the title list in the new language; the
    // chosen industry stays, its title and category in the new language.
    void reloadCaptions() override;
    void subInitialize();
    void subLoadTreeView();
    void subPopulateNAICScodes();
    void subPopulateNAICSTitles();
    void subLookupNewLanguage(const QString &strNAICS);
    void subFormatGrid();

    void cboNAICScodes_Click();
    void cboNAICSTitle_Click();
    void cmdKeyword_Click();
    void dbgridKeywordResults_Click(const QModelIndex &index);
    void dbgridKeywordResults_DblClick(const QModelIndex &index);
    void TreeView1_Click(QTreeWidgetItem *item);
    void TreeView1_DblClick(QTreeWidgetItem *item);
    void cmdContinue_Click();

    void mnuReturn_Click();
    void mnuExit_Click();
    void mnuDefinition_Click();

    // Step 1: the search method and the frames of the four modes.
    QGroupBox *fraSearch = nullptr;
    QRadioButton *optSearchNaics = nullptr;
    QRadioButton *optNAICScode = nullptr;
    QRadioButton *optNAICSTitle = nullptr;
    QRadioButton *optKeyword = nullptr;
    QGroupBox *fraTreeView = nullptr;
    QTreeWidget *TreeView1 = nullptr;
    QLabel *picTree = nullptr;
    QLabel *lblDirections = nullptr;
    QGroupBox *fraNAICScode = nullptr;
    QComboBox *cboNAICScodes = nullptr;
    QGroupBox *fraNAICSTitle = nullptr;
    QComboBox *cboNAICSTitle = nullptr;
    QGroupBox *fraKeyword = nullptr;
    QLineEdit *txtKeyword = nullptr;
    QPushButton *cmdKeyword = nullptr;
    QCheckBox *chkDefinitions = nullptr; // off: titles only
    QTableView *dbgridKeywordResults = nullptr;
    RecordSetModel *adodcKeywordResults = nullptr;

    // Steps 2 to 4: data type, output, continue.
    QGroupBox *fraDatatype = nullptr;
    QRadioButton *optRatios = nullptr;
    QRadioButton *optBalanceSheet = nullptr;
    QGroupBox *fraOutput = nullptr;
    QRadioButton *optReport = nullptr;
    QLabel *lblCompare = nullptr;
    QRadioButton *optCompareNew = nullptr;
    QRadioButton *optCompareExisting = nullptr;
    QPushButton *cmdContinue = nullptr;

    // The selected industry.
    QLabel *lblIndustryInfo = nullptr;
    QLabel *lblCategory = nullptr;
    QLabel *lblNAICSCode = nullptr;
    QLineEdit *txtIndName = nullptr;
    QLabel *lblHiddenNaics = nullptr;

    QToolButton *btnBack = nullptr;

    QMenu *mnuFile = nullptr;
    QAction *mnuReturn = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuView = nullptr;
    QAction *mnuDefinition = nullptr;
    // mnuLanguage (mnuEnglish, mnuFrench) and mnuHelp (mnuContents,
    // mnuTechnical, mnuAbout).
    LanguageHelpMenus languageHelp;

protected:
    void Form_Activate() override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *buildSearchMethod();
    QWidget *buildModeFrames();
    QWidget *buildOutputChoice();
    QWidget *buildSelection();
    void buildMenus();
    void connectHandlers();

    // The window title names the dataset in use.
    void subShowTitle();
    void optSearchNaics_Click();
    void optNAICScode_Click();
    void optNAICSTitle_Click();
    void optKeyword_Click();
    void subShowModeFrame(QGroupBox *frame);
    void subClearSelection();
    void subShowSelection(const IndustryRow &industry);
    void subSelectGridRow(const QModelIndex &index);
    bool subSelectTreeItem(QTreeWidgetItem *item);
    void subOpenFirmScreens();
    void setDefaultButton(QPushButton *button);

    bool mblnResetOnActivate = true;
    QPushButton *m_defaultButton = nullptr;
};
