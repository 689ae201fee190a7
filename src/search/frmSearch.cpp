#include "search/frmSearch.h"

#include "benchmarks/BenchmarksInUse.h"
#include "core/AppState.h"
#include "core/DatasetMapping.h"
#include "core/ExitQuestion.h"
#include "core/MenuMnemonics.h"
#include "core/Messages.h"
#include "core/ProgramExit.h"
#include "core/RecordSetModel.h"
#include "core/ResourceString.h"
#include "core/ScreenRegistry.h"
#include "core/StringIds.h"
#include "entry/frmMenu.h"
#include "firm/FirmList.h"
#include "firm/frmMyValues.h"
#include "firm/frmOpenExisting.h"
#include "reports/frmReportViewer.h"
#include "search/IndustryTreeWidget.h"
#include "search/OpenIndustryDef.h"
#include "session/AppSession.h"
#include "widgets/ScrollingScreen.h"
#include "widgets/SearchIcons.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
// Grid column widths in twips (1/1440 inch).
constexpr int kGridColumnTwips[] = {630, 2500, 2500};

template <class T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

frmSearch::frmSearch()
{
    setObjectName(QStringLiteral("frmSearch"));
    auto *central = new QWidget(this);
    auto *columns = new QHBoxLayout(central);

    auto *left = new QVBoxLayout;
    left->addWidget(buildSearchMethod());
    left->addWidget(buildOutputChoice());
    cmdContinue = named(new QPushButton(central), "cmdContinue");
    cmdContinue->setMinimumHeight(36);
    left->addWidget(cmdContinue);
    left->addStretch(1);
    btnBack = named(new QToolButton(central), "btnBack");
    btnBack->setText(QStringLiteral("Return / Retourner"));
    btnBack->setIcon(backArrowIcon());
    btnBack->setIconSize(QSize(32, 32));
    btnBack->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    btnBack->setAutoRaise(true);
    left->addWidget(btnBack, 0, Qt::AlignLeft);

    // The step captions are never cut short, in either language.
    for (QRadioButton *option : {optSearchNaics, optNAICScode, optNAICSTitle, optKeyword, optRatios,
                                 optBalanceSheet, optReport, optCompareNew, optCompareExisting})
        option->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);

    auto *right = new QVBoxLayout;
    right->addWidget(buildModeFrames(), 1);
    right->addWidget(buildSelection());

    columns->addLayout(left, 0);
    columns->addLayout(right, 1);
    setScrollingCentralWidget(this, central);
    buildMenus();

    // The choices the screen starts with; data type and output are never reset.
    optSearchNaics->setChecked(true);
    optRatios->setChecked(true);
    optReport->setChecked(true);
    fraNAICScode->hide();
    fraNAICSTitle->hide();
    fraKeyword->hide();
    dbgridKeywordResults->hide();
    setDefaultButton(cmdContinue);

    connectHandlers();
    resizeWithinScreen(this, QSize(960, 680));
    centreOnScreen();
    mblnResetOnActivate = true;
}

QWidget *frmSearch::buildSearchMethod()
{
    fraSearch = named(new QGroupBox, "fraSearch");
    auto *layout = new QVBoxLayout(fraSearch);
    optSearchNaics = named(new QRadioButton(fraSearch), "optSearchNaics");
    optNAICScode = named(new QRadioButton(fraSearch), "optNAICScode");
    optNAICSTitle = named(new QRadioButton(fraSearch), "optNAICSTitle");
    optKeyword = named(new QRadioButton(fraSearch), "optKeyword");
    for (QRadioButton *option : {optSearchNaics, optNAICScode, optNAICSTitle, optKeyword})
        layout->addWidget(option);
    return fraSearch;
}

QWidget *frmSearch::buildOutputChoice()
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);

    fraDatatype = named(new QGroupBox(box), "fraDatatype");
    auto *typeLayout = new QVBoxLayout(fraDatatype);
    optRatios = named(new QRadioButton(fraDatatype), "optRatios");
    optBalanceSheet = named(new QRadioButton(fraDatatype), "optBalanceSheet");
    typeLayout->addWidget(optRatios);
    typeLayout->addWidget(optBalanceSheet);
    layout->addWidget(fraDatatype);

    fraOutput = named(new QGroupBox(box), "fraOutput");
    auto *outputLayout = new QVBoxLayout(fraOutput);
    optReport = named(new QRadioButton(fraOutput), "optReport");
    lblCompare = named(new QLabel(fraOutput), "lblCompare");
    optCompareNew = named(new QRadioButton(fraOutput), "optCompareNew");
    optCompareExisting = named(new QRadioButton(fraOutput), "optCompareExisting");
    outputLayout->addWidget(optReport);
    outputLayout->addSpacing(6);
    outputLayout->addWidget(lblCompare);
    for (QRadioButton *option : {optCompareNew, optCompareExisting}) {
        auto *row = new QHBoxLayout;
        row->addSpacing(18);
        row->addWidget(option);
        outputLayout->addLayout(row);
    }
    layout->addWidget(fraOutput);
    return box;
}

QWidget *frmSearch::buildModeFrames()
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);

    fraTreeView = named(new QGroupBox(box), "fraTreeView");
    auto *treeLayout = new QVBoxLayout(fraTreeView);
    auto *directions = new QHBoxLayout;
    picTree = named(new QLabel(fraTreeView), "picTree");
    picTree->setPixmap(openFolderPixmap(32));
    lblDirections = named(new QLabel(fraTreeView), "lblDirections");
    directions->addWidget(picTree);
    directions->addWidget(lblDirections, 1);
    treeLayout->addLayout(directions);
    TreeView1 = named(new QTreeWidget(fraTreeView), "TreeView1");
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setIconSize(QSize(16, 16));
    treeLayout->addWidget(TreeView1, 1);
    // The directions name the tree for screen readers.
    lblDirections->setBuddy(TreeView1);
    layout->addWidget(fraTreeView, 1);

    fraNAICScode = named(new QGroupBox(box), "fraNAICScode");
    auto *codeLayout = new QHBoxLayout(fraNAICScode);
    cboNAICScodes = named(new QComboBox(fraNAICScode), "cboNAICScodes");
    cboNAICScodes->setMinimumWidth(160);
    cboNAICScodes->setMaxVisibleItems(20);
    codeLayout->addWidget(cboNAICScodes);
    codeLayout->addStretch(1);
    layout->addWidget(fraNAICScode);

    fraNAICSTitle = named(new QGroupBox(box), "fraNAICSTitle");
    auto *titleLayout = new QHBoxLayout(fraNAICSTitle);
    cboNAICSTitle = named(new QComboBox(fraNAICSTitle), "cboNAICSTitle");
    cboNAICSTitle->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboNAICSTitle->setMinimumContentsLength(40);
    cboNAICSTitle->setMaxVisibleItems(20);
    titleLayout->addWidget(cboNAICSTitle, 1);
    layout->addWidget(fraNAICSTitle);

    fraKeyword = named(new QGroupBox(box), "fraKeyword");
    auto *keywordLayout = new QVBoxLayout(fraKeyword);
    auto *searchRow = new QHBoxLayout;
    txtKeyword = named(new QLineEdit(fraKeyword), "txtKeyword");
    cmdKeyword = named(new QPushButton(fraKeyword), "cmdKeyword");
    searchRow->addWidget(txtKeyword, 1);
    searchRow->addWidget(cmdKeyword);
    keywordLayout->addLayout(searchRow);
    chkDefinitions = named(new QCheckBox(fraKeyword), "chkDefinitions");
    keywordLayout->addWidget(chkDefinitions);
    adodcKeywordResults = new RecordSetModel(this);
    adodcKeywordResults->setObjectName(QStringLiteral("adodcKeywordResults"));
    dbgridKeywordResults = named(new QTableView(fraKeyword), "dbgridKeywordResults");
    dbgridKeywordResults->setModel(adodcKeywordResults);
    dbgridKeywordResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgridKeywordResults->setSelectionMode(QAbstractItemView::SingleSelection);
    dbgridKeywordResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgridKeywordResults->verticalHeader()->hide();
    keywordLayout->addWidget(dbgridKeywordResults, 1);
    // Without results (before a search, after a language switch) the
    // keyword box and its button stay at the top of the frame.
    keywordLayout->addStretch(0);
    layout->addWidget(fraKeyword, 1);
    // The two list frames keep their height; the space below them stays empty.
    for (QGroupBox *listFrame : {fraNAICScode, fraNAICSTitle})
        listFrame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    layout->addStretch(0);
    return box;
}

QWidget *frmSearch::buildSelection()
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    lblIndustryInfo = named(new QLabel(box), "lblIndustryInfo");
    QFont bold = lblIndustryInfo->font();
    bold.setBold(true);
    lblIndustryInfo->setFont(bold);
    lblCategory = named(new QLabel(box), "lblCategory");
    lblNAICSCode = named(new QLabel(box), "lblNAICSCode");
    txtIndName = named(new QLineEdit(box), "txtIndName");
    txtIndName->setReadOnly(true);
    lblIndustryInfo->setBuddy(txtIndName);
    lblHiddenNaics = named(new QLabel(box), "lblHiddenNaics");
    lblHiddenNaics->hide();
    for (QWidget *widget :
         std::initializer_list<QWidget *>{lblIndustryInfo, lblCategory, lblNAICSCode, txtIndName})
        layout->addWidget(widget);
    return box;
}

void frmSearch::buildMenus()
{
    auto action = [this](QMenu *menu, const char *name) {
        QAction *item = menu->addAction(QString());
        item->setObjectName(QString::fromLatin1(name));
        return item;
    };
    mnuFile = named(menuBar()->addMenu(QString()), "mnuFile");
    mnuReturn = action(mnuFile, "mnuReturn");
    mnuExit = action(mnuFile, "mnuExit");
    mnuView = named(menuBar()->addMenu(QString()), "mnuView");
    mnuDefinition = action(mnuView, "mnuDefinition");
    // The about screen is modal: back from it, this screen keeps everything.
    languageHelp = LanguageHelpMenus::add(this, [this] { mblnResetOnActivate = false; });
}

void frmSearch::connectHandlers()
{
    auto onChosen = [this](QRadioButton *option, void (frmSearch::*handler)()) {
        connect(option, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    onChosen(optSearchNaics, &frmSearch::optSearchNaics_Click);
    onChosen(optNAICScode, &frmSearch::optNAICScode_Click);
    onChosen(optNAICSTitle, &frmSearch::optNAICSTitle_Click);
    onChosen(optKeyword, &frmSearch::optKeyword_Click);

    // A report type implies viewing the industry's data.
    for (QRadioButton *dataType : {optRatios, optBalanceSheet})
        connect(dataType, &QRadioButton::clicked, this, [this] { optReport->setChecked(true); });

    connect(cboNAICScodes, &QComboBox::activated, this, &frmSearch::cboNAICScodes_Click);
    connect(cboNAICSTitle, &QComboBox::activated, this, &frmSearch::cboNAICSTitle_Click);
    connect(cmdKeyword, &QPushButton::clicked, this, &frmSearch::cmdKeyword_Click);
    connect(dbgridKeywordResults, &QTableView::clicked, this,
            &frmSearch::dbgridKeywordResults_Click);
    connect(dbgridKeywordResults, &QTableView::doubleClicked, this,
            &frmSearch::dbgridKeywordResults_DblClick);
    connect(TreeView1, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { TreeView1_Click(item); });
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { TreeView1_DblClick(item); });
    connect(cmdContinue, &QPushButton::clicked, this, &frmSearch::cmdContinue_Click);
    connect(btnBack, &QToolButton::clicked, this, &frmSearch::mnuReturn_Click);

    connect(mnuReturn, &QAction::triggered, this, &frmSearch::mnuReturn_Click);
    connect(mnuExit, &QAction::triggered, this, &frmSearch::mnuExit_Click);
    connect(mnuDefinition, &QAction::triggered, this, &frmSearch::mnuDefinition_Click);
}

void frmSearch::Form_Activate()
{
    if (mblnResetOnActivate) {
        subLoadCaptions();
        subInitialize();
        subLoadTreeView();
    } else {
        // Back from a screen this one opened: keep everything, once. The
        // title follows the dataset all the same.
        mblnResetOnActivate = true;
        subShowTitle();
    }
}

void frmSearch::subShowTitle()
{
    const AppState &state = appState();
    setWindowTitle(caption(kSearchTitle).arg(state.gstrDatasetCaption, referenceYearsDescending()));
}

void frmSearch::subLoadCaptions()
{
    subShowTitle();
    fraSearch->setTitle(caption(404));
    optSearchNaics->setText(caption(518));
    optKeyword->setText(caption(38));
    optNAICScode->setText(caption(50));
    optNAICSTitle->setText(caption(506));
    fraDatatype->setTitle(caption(396));
    optRatios->setText(caption(422));
    optBalanceSheet->setText(caption(424));
    fraOutput->setTitle(caption(508));
    optReport->setText(caption(510));
    lblCompare->setText(caption(512));
    optCompareNew->setText(caption(514));
    optCompareExisting->setText(caption(516));
    fraTreeView->setTitle(caption(518));
    // A tree says no buddy's text: it is named for screen readers here.
    TreeView1->setAccessibleName(caption(518));
    lblDirections->setText(caption(520));
    fraKeyword->setTitle(caption(38));
    cmdKeyword->setText(caption(44));
    chkDefinitions->setText(caption(1408));
    fraNAICSTitle->setTitle(caption(506));
    fraNAICScode->setTitle(caption(50));
    lblIndustryInfo->setText(caption(522));
    cmdContinue->setText(caption(18));
    mnuFile->setTitle(caption(496));
    mnuReturn->setText(caption(498));
    mnuExit->setText(caption(328));
    mnuView->setTitle(caption(460));
    mnuDefinition->setText(caption(334));
    languageHelp.loadCaptions(appState().gintLanguage);
    assignMnemonics(menuBar());
}

void frmSearch::subInitialize()
{
    TreeView1->setVisible(true);
    fraKeyword->hide();
    fraNAICScode->hide();
    fraNAICSTitle->hide();
    // Selecting the tree option runs its mode change unless it was already selected.
    optSearchNaics->setChecked(true);
    txtKeyword->clear();
    chkDefinitions->setChecked(false);
    dbgridKeywordResults->hide();
    subClearSelection();
}

void frmSearch::subLoadTreeView()
{
    const QVector<TreeNodeSpec> nodes = fncLoadTreeNodes(currentLookupSource());
    fillTree(*TreeView1, nodes);
}

void frmSearch::subPopulateNAICScodes()
{
    cboNAICScodes->clear();
    cboNAICScodes->addItems(fncNaicsCodes(currentLookupSource()));
    cboNAICScodes->setCurrentIndex(-1);
}

void frmSearch::subPopulateNAICSTitles()
{
    const QStringList titles = fncNaicsTitles(currentLookupSource());
    cboNAICSTitle->clear();
    cboNAICSTitle->addItems(titles);
    cboNAICSTitle->setCurrentIndex(-1);
}

void frmSearch::subLookupNewLanguage(const QString &strNAICS)
{
    // A code the dataset does not carry leaves the fields as they are.
    if (const std::optional<IndustryRow> industry =
            fncLookupByCode(currentLookupSource(), strNAICS)) {
        lblCategory->setText(caption(kSectorLabel) + QStringLiteral(": ") + industry->category);
        txtIndName->setText(industry->title);
        appSession().chooseIndustry(ChosenIndustry{strNAICS, industry->title});
    }
}

void frmSearch::subFormatGrid()
{
    const int dpi = dbgridKeywordResults->logicalDpiX();
    for (int column = 0; column < 3 && column < adodcKeywordResults->columnCount(); ++column)
        dbgridKeywordResults->setColumnWidth(column, kGridColumnTwips[column] * dpi / 1440);
    // The code column is narrow by design; it still shows whole codes in
    // fonts wider than the one it was measured for.
    const int designWidth = dbgridKeywordResults->columnWidth(0);
    dbgridKeywordResults->resizeColumnToContents(0);
    if (dbgridKeywordResults->columnWidth(0) < designWidth)
        dbgridKeywordResults->setColumnWidth(0, designWidth);
    // A grid wider than the design gives the spare room to the two text
    // columns, so titles read whole instead of leaving an empty band.
    if (adodcKeywordResults->columnCount() >= 3) {
        const int used = dbgridKeywordResults->columnWidth(0) +
                         dbgridKeywordResults->columnWidth(1) +
                         dbgridKeywordResults->columnWidth(2);
        const int spare = dbgridKeywordResults->viewport()->width() - used - 2;
        if (spare > 0) {
            dbgridKeywordResults->setColumnWidth(1, dbgridKeywordResults->columnWidth(1) +
                                                        spare * 3 / 5);
            dbgridKeywordResults->setColumnWidth(2, dbgridKeywordResults->columnWidth(2) + spare -
                                                        spare * 3 / 5);
        }
    }
}

void frmSearch::subShowModeFrame(QGroupBox *frame)
{
    for (QGroupBox *candidate : {fraTreeView, fraNAICScode, fraNAICSTitle, fraKeyword})
        if (candidate != frame)
            candidate->hide();
    frame->show();
}

void frmSearch::subClearSelection()
{
    lblCategory->clear();
    lblNAICSCode->clear();
    txtIndName->clear();
    lblHiddenNaics->clear();
    appSession().chooseIndustry(std::nullopt);
}

void frmSearch::subShowSelection(const IndustryRow &industry)
{
    lblCategory->setText(caption(kSectorLabel) + QStringLiteral(": ") + industry.category);
    lblNAICSCode->setText(caption(kNaicsLabel) + QStringLiteral(": ") + industry.code);
    txtIndName->setText(industry.title);
    lblHiddenNaics->setText(industry.code);
    appSession().chooseIndustry(ChosenIndustry{industry.code, txtIndName->text()});
}

void frmSearch::setDefaultButton(QPushButton *button)
{
    if (m_defaultButton)
        m_defaultButton->setDefault(false);
    m_defaultButton = button;
    if (m_defaultButton)
        m_defaultButton->setDefault(true);
}

void frmSearch::optSearchNaics_Click()
{
    subLoadTreeView();
    subShowModeFrame(fraTreeView);
    subClearSelection();
}

void frmSearch::optNAICScode_Click()
{
    subShowModeFrame(fraNAICScode);
    subPopulateNAICScodes();
    if (m_defaultButton == cmdContinue)
        setDefaultButton(nullptr);
    subClearSelection();
}

void frmSearch::optNAICSTitle_Click()
{
    subShowModeFrame(fraNAICSTitle);
    if (m_defaultButton == cmdContinue)
        setDefaultButton(nullptr);
    subPopulateNAICSTitles();
    subClearSelection();
}

void frmSearch::optKeyword_Click()
{
    subShowModeFrame(fraKeyword);
    txtKeyword->clear();
    txtKeyword->setFocus();
    setDefaultButton(cmdKeyword);
    subClearSelection();
}

void frmSearch::cboNAICScodes_Click()
{
    const QString code = cboNAICScodes->currentText();
    const std::optional<IndustryRow> industry = fncLookupByCode(currentLookupSource(), code);
    if (!industry)
        return;
    subShowSelection(*industry);
}

void frmSearch::cboNAICSTitle_Click()
{
    const std::optional<IndustryRow> industry =
        fncLookupByTitle(currentLookupSource(), cboNAICSTitle->currentText());
    if (!industry)
        return;
    subShowSelection(*industry);
}

void frmSearch::cmdKeyword_Click()
{
    const QString keyword = txtKeyword->text();
    if (keyword.size() > kMaxKeywordLength) {
        ShowMessage(caption(kKeywordTooLong).arg(kMaxKeywordLength), MsgButtons::Ok, MsgIcon::None,
                    QString(), this);
        return;
    }
    const LookupSource source = currentLookupSource();
    adodcKeywordResults->setRecordSet(
        fncKeywordSearch(source, keyword, chkDefinitions->isChecked()));
    if (adodcKeywordResults->rowCount() > 0) {
        dbgridKeywordResults->show();
        subFormatGrid();
        return;
    }
    QString message = caption(kNoMatchFound);
    // Found nowhere but in definitions: the user is told where to look.
    if (!chkDefinitions->isChecked() && fncDefinitionsHoldKeyword(source, keyword))
        message +=
            QStringLiteral("\n\n") + caption(kKeywordInDefinitionsOnly).arg(chkDefinitions->text());
    ShowMessage(message, MsgButtons::Ok, MsgIcon::None, QString(), this);
}

void frmSearch::subSelectGridRow(const QModelIndex &index)
{
    if (!index.isValid() || index.row() >= adodcKeywordResults->rowCount())
        return;
    const int row = index.row();
    lblCategory->setText(caption(kSectorLabel) + QStringLiteral(": ") +
                         adodcKeywordResults->cellText(row, 2));
    lblNAICSCode->setText(caption(kNaicsLabel) + QStringLiteral(": ") +
                          adodcKeywordResults->cellText(row, 0));
    txtIndName->setText(adodcKeywordResults->cellText(row, 1));
    lblHiddenNaics->setText(adodcKeywordResults->cellText(row, 0));
    appSession().chooseIndustry(
        ChosenIndustry{adodcKeywordResults->cellText(row, 0), txtIndName->text()});
}

void frmSearch::dbgridKeywordResults_Click(const QModelIndex &index)
{
    subSelectGridRow(index);
}

void frmSearch::dbgridKeywordResults_DblClick(const QModelIndex &index)
{
    // An empty grid has no row to continue with.
    if (!index.isValid() || index.row() >= adodcKeywordResults->rowCount())
        return;
    subSelectGridRow(index);
    cmdContinue_Click();
}

bool frmSearch::subSelectTreeItem(QTreeWidgetItem *item)
{
    if (!isIndustryItem(item))
        return false;
    const QString code = naicsFromNodeKey(item->data(0, kTreeKeyRole).toString());
    const QString category = item->parent() ? item->parent()->text(0) : QString();
    lblCategory->setText(caption(kSectorLabel) + QStringLiteral(": ") + category);
    lblNAICSCode->setText(caption(kNaicsLabel) + QStringLiteral(": ") + code);
    txtIndName->setText(item->text(0));
    lblHiddenNaics->setText(code);
    appSession().chooseIndustry(ChosenIndustry{code, txtIndName->text()});
    return true;
}

void frmSearch::TreeView1_Click(QTreeWidgetItem *item)
{
    subSelectTreeItem(item);
}

void frmSearch::TreeView1_DblClick(QTreeWidgetItem *item)
{
    if (subSelectTreeItem(item))
        cmdContinue_Click();
}

void frmSearch::cmdContinue_Click()
{
    AppState &state = appState();
    if (lblNAICSCode->text().isEmpty()) {
        ShowMessage(caption(kMustSelectIndustry), MsgButtons::Ok, MsgIcon::Warning, QString(),
                    this);
    } else if (optReport->isChecked()) {
        const QString reportType =
            optBalanceSheet->isChecked() ? QStringLiteral("bal") : QStringLiteral("rat");
        const QString languageLetter =
            state.gintLanguage == Language::English ? QStringLiteral("E") : QStringLiteral("F");
        mblnResetOnActivate = false;
        ScreenRegistry::get<frmReportViewer>().DisplayCrystalReport(
            state.gcnReference, state.gcnUser, reportType, state.gintVolume, state.gstrRegion,
            qint16(lastReferenceYear()), lblHiddenNaics->text(), languageLetter);
    } else {
        mblnResetOnActivate = false;
        subOpenFirmScreens();
    }
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
}

void frmSearch::subOpenFirmScreens()
{
    if (optCompareNew->isChecked()) {
        ScreenRegistry::get<frmMyValues>().showScreen();
        hide();
        return;
    }
    frmOpenExisting &openExisting = ScreenRegistry::get<frmOpenExisting>();
    openExisting.hide();
    openExisting.setOwner(this);
    if (openExisting.fncLoadFirms()) {
        openExisting.showScreen();
        openExisting.setWindowState(openExisting.windowState() &
                                    ~(Qt::WindowMinimized | Qt::WindowMaximized));
        return;
    }
    if (!openExisting.readFailed())
        ShowMessage(fncNoRecordsMessage(appState().gintLanguage), MsgButtons::Ok, MsgIcon::None,
                    QString(), this);
}

void frmSearch::mnuReturn_Click()
{
    hide();
    mblnResetOnActivate = true;
    ScreenRegistry::get<frmMenu>().showScreen();
}

void frmSearch::mnuExit_Click()
{
    askToExit(this);
}

void frmSearch::closeEvent(QCloseEvent *event)
{
    event->ignore();
    mnuExit_Click();
}

void frmSearch::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_defaultButton && m_defaultButton->isVisible() && m_defaultButton->isEnabled()) {
        m_defaultButton->click();
        return;
    }
    Screen::keyPressEvent(event);
}

void frmSearch::mnuDefinition_Click()
{
    if (lblNAICSCode->text().isEmpty()) {
        ShowMessage(caption(kSelectIndustry), MsgButtons::Ok, MsgIcon::Warning, QString(), this);
        return;
    }
    mblnResetOnActivate = false;
    gsubOpenIndustryDef(lblHiddenNaics->text());
}

void frmSearch::reloadCaptions()
{
    subLoadTreeView();
    subPopulateNAICSTitles();
    dbgridKeywordResults->hide();
    txtKeyword->clear();
    if (!lblNAICSCode->text().trimmed().isEmpty())
        subLookupNewLanguage(lblHiddenNaics->text());
    subLoadCaptions();
}
