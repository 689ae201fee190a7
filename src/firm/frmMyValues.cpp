#include "firm/frmMyValues.h"

#include "benchmarks/BenchmarksInUse.h"
#include "core/AppState.h"
#include "core/ExitQuestion.h"
#include "core/MenuMnemonics.h"
#include "core/ProgramExit.h"
#include "core/ResourceString.h"
#include "core/ScreenRegistry.h"
#include "core/StringIds.h"
#include "entry/frmMenu.h"
#include "firm/AmountRange.h"
#include "firm/AmountText.h"
#include "firm/FirmList.h"
#include "firm/ReferenceYears.h"
#include "firm/ShowItemDefinition.h"
#include "firm/StatementItems.h"
#include "firm/frmOpenExisting.h"
#include "reports/ReportTitles.h"
#include "reports/frmReportViewer.h"
#include "search/OpenIndustryDef.h"
#include "search/frmSearch.h"
#include "session/AppSession.h"
#include "widgets/ClickableLabel.h"
#include "widgets/FirmIcons.h"
#include "widgets/ScrollingScreen.h"
#include "widgets/SearchIcons.h"
#include "widgets/StatementsBackup.h"
#include "widgets/StatementsLocation.h"
#include "widgets/StoreWait.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The amount boxes' members, in the order of statementItems().
QLineEdit *frmMyValues::*const kAmountMembers[kStatementItemCount] = {
    &frmMyValues::txtCash,
    &frmMyValues::txtAr,
    &frmMyValues::txtInv,
    &frmMyValues::txtCA,
    &frmMyValues::txtOA,
    &frmMyValues::txtToa,
    &frmMyValues::txtInvest,
    &frmMyValues::txtPtfl,
    &frmMyValues::txtTa,
    &frmMyValues::txtOperatingRevenue,
    &frmMyValues::txtSales,
    &frmMyValues::txtGrossProfit,
    &frmMyValues::txtOperatingProfit,
    &frmMyValues::txtInterestExpense,
    &frmMyValues::txtPretaxProfit,
    &frmMyValues::txtProfitAfterTax,
    &frmMyValues::txtAccountsPayable,
    &frmMyValues::txtBanks,
    &frmMyValues::txtPaper,
    &frmMyValues::txtMtg,
    &frmMyValues::txtBonds,
    &frmMyValues::txtOl,
    &frmMyValues::txtAmtsAffil,
    &frmMyValues::txtOLiab,
    &frmMyValues::txtDefTax,
    &frmMyValues::txtTliab,
    &frmMyValues::txtShareC,
    &frmMyValues::txtRetEarn,
    &frmMyValues::txtOtherSur,
    &frmMyValues::txtEquity1,
    &frmMyValues::txtTotLiabShareEq,
    &frmMyValues::txtCurrentAssets,
    &frmMyValues::txtCurrentLiabilities,
};

// Item ranges (indexes into statementItems()) of the three groups.
constexpr int kFirstAsset = 0, kLastAsset = 8;
constexpr int kFirstIncome = 9, kLastIncome = 15;
constexpr int kFirstLiability = 16, kLastLiability = 32;

// "236110 Residential building construction", with its data set when asked.
QString industryText(const StatementIndustry &industry, bool withDataset)
{
    AppState &state = appState();
    QString text = fncIndustryCaption(state.gcnReference, industry, state.gintLanguage);
    if (withDataset) {
        const QString letter = state.isFrench() ? QStringLiteral("F") : QStringLiteral("E");
        text += QStringLiteral(" (volume %1 – %2)")
                    .arg(industry.volume)
                    .arg(regionName(state.gcnUser, industry.region, letter));
    }
    return text;
}

const QColor kComputedBackground(224, 224, 224);
const QColor kComputedText(0, 0, 128);
} // namespace

frmMyValues::frmMyValues()
{
    setObjectName(QStringLiteral("frmMyValues"));
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(buildHeader());

    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(buildItemGroup(lblAsset, "lblAsset", kFirstAsset, kLastAsset));
    left->addSpacing(10);
    left->addWidget(buildItemGroup(lblIncome, "lblIncome", kFirstIncome, kLastIncome));
    left->addStretch(1);
    auto *right = new QVBoxLayout;
    right->addWidget(buildItemGroup(lblLiabEq, "lblLiabEq", kFirstLiability, kLastLiability));
    right->addSpacing(10);
    right->addWidget(buildComments(), 1);
    columns->addLayout(left, 1);
    columns->addSpacing(24);
    columns->addLayout(right, 1);
    layout->addLayout(columns, 1);

    btnBack = new QToolButton(central);
    btnBack->setObjectName(QStringLiteral("btnBack"));
    btnBack->setText(QStringLiteral("Return / Retourner"));
    btnBack->setIcon(backArrowIcon());
    btnBack->setIconSize(QSize(32, 32));
    btnBack->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    btnBack->setAutoRaise(true);
    layout->addWidget(btnBack, 0, Qt::AlignLeft);
    setScrollingCentralWidget(this, central);

    buildToolbar();
    buildMenus();

    // The focus order runs down the assets, the liabilities and equity, then
    // the income statement.
    QWidget *previous = nullptr;
    for (const QString &name : fncFocusOrder()) {
        QWidget *widget = findChild<QWidget *>(name);
        if (previous && widget)
            setTabOrder(previous, widget);
        previous = widget;
    }
    setTabOrder(previous, txtComments);

    connectHandlers();
    // The menu's keys reach their commands from every box (see eventFilter).
    txtFirmName->installEventFilter(this);
    cboYear->lineEdit()->installEventFilter(this);
    txtComments->installEventFilter(this);
    subFillYears(cboYear);
    subInitializeValues();
    resizeWithinScreen(this, QSize(980, 780));
    centreOnScreen();
    mblnDataChanged = false;
}

QWidget *frmMyValues::buildHeader()
{
    auto *header = new QWidget;
    auto *grid = new QGridLayout(header);
    grid->setContentsMargins(0, 0, 0, 6);

    lblFirmName = new QLabel(header);
    lblFirmName->setObjectName(QStringLiteral("lblFirmName"));
    txtFirmName = new QLineEdit(header);
    txtFirmName->setObjectName(QStringLiteral("txtFirmName"));
    txtFirmName->setMinimumWidth(320);
    lblYear = new QLabel(header);
    lblYear->setObjectName(QStringLiteral("lblYear"));
    cboYear = new QComboBox(header);
    cboYear->setObjectName(QStringLiteral("cboYear"));
    cboYear->setEditable(true);
    cboYear->setInsertPolicy(QComboBox::NoInsert);
    cboYear->setMinimumWidth(90);

    lblIndustry = new QLabel(header);
    lblIndustry->setObjectName(QStringLiteral("lblIndustry"));
    lblIndustry->setAlignment(Qt::AlignCenter);
    lblIndustry->setWordWrap(true);
    QFont industryFont = lblIndustry->font();
    industryFont.setBold(true);
    industryFont.setPointSizeF(industryFont.pointSizeF() * 1.15);
    lblIndustry->setFont(industryFont);

    // Shown only when a reopened statement was saved under another industry.
    lblSavedIndustry = new QLabel(header);
    lblSavedIndustry->setObjectName(QStringLiteral("lblSavedIndustry"));
    lblSavedIndustry->setAlignment(Qt::AlignCenter);
    lblSavedIndustry->setWordWrap(true);
    lblSavedIndustry->setStyleSheet(
        QStringLiteral("QLabel { color: #7f3f00; background: #fff2cc; border: 1px solid #c55a11; "
                       "padding: 3px; }"));
    lblSavedIndustry->hide();

    // Carried for the commands, never shown.
    lblNAICS = new QLabel(header);
    lblNAICS->setObjectName(QStringLiteral("lblNAICS"));
    lblNAICS->hide();
    lblDataTableToCompare = new QLabel(header);
    lblDataTableToCompare->setObjectName(QStringLiteral("lblDataTableToCompare"));
    lblDataTableToCompare->hide();

    lblFirmName->setBuddy(txtFirmName);
    lblYear->setBuddy(cboYear);

    grid->addWidget(lblIndustry, 0, 0, 1, 5);
    grid->addWidget(lblSavedIndustry, 1, 0, 1, 5);
    grid->addWidget(lblFirmName, 2, 0);
    grid->addWidget(txtFirmName, 2, 1);
    grid->addItem(new QSpacerItem(24, 1), 2, 2);
    grid->addWidget(lblYear, 2, 3);
    grid->addWidget(cboYear, 2, 4);
    grid->setColumnStretch(1, 1);
    return header;
}

QWidget *frmMyValues::buildComments()
{
    auto *group = new QWidget;
    auto *box = new QVBoxLayout(group);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(3);
    lblComments = new QLabel(group);
    lblComments->setObjectName(QStringLiteral("lblComments"));
    QFont bold = lblComments->font();
    bold.setBold(true);
    lblComments->setFont(bold);
    txtComments = new QPlainTextEdit(group);
    txtComments->setObjectName(QStringLiteral("txtComments"));
    // Tab moves on, as in every other box; a tab pasted in is kept.
    txtComments->setTabChangesFocus(true);
    txtComments->setMinimumHeight(4 * txtComments->fontMetrics().lineSpacing() + 12);
    lblComments->setBuddy(txtComments);
    box->addWidget(lblComments);
    box->addWidget(txtComments, 1);
    return group;
}

QWidget *frmMyValues::buildItemGroup(QLabel *&heading, const char *headingName, int first, int last)
{
    auto *group = new QWidget;
    auto *grid = new QGridLayout(group);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(3);

    heading = new QLabel(group);
    heading->setObjectName(QString::fromLatin1(headingName));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    grid->addWidget(heading, 0, 0, 1, 2);

    QFont computedFont;
    computedFont.setBold(true);
    for (int i = first; i <= last; ++i) {
        const StatementItem &item = statementItems()[i];
        const int row = i - first + 1;

        auto *label = new ClickableLabel(group);
        label->setObjectName(QString::fromLatin1(item.labelName));
        label->setWordWrap(true);
        m_itemLabels.insert(label->objectName(), label);

        auto *box = new QLineEdit(group);
        box->setObjectName(fncAmountBoxName(item.column));
        box->setAlignment(Qt::AlignRight);
        box->setFixedWidth(130);
        if (item.computed) {
            box->setReadOnly(true);
            QPalette palette = box->palette();
            palette.setColor(QPalette::Base, kComputedBackground);
            palette.setColor(QPalette::Text, kComputedText);
            box->setPalette(palette);
            box->setFont(computedFont);
        }
        box->installEventFilter(this);
        // Dropped text would bypass the filter that typing and pasting go through.
        box->setAcceptDrops(false);
        this->*kAmountMembers[i] = box;
        m_amountBoxes.insert(QString::fromLatin1(item.column), box);

        // The label names the box for screen readers, in the screen's
        // language; its definition is Shift+F1 from the box, so the labels
        // add no stops to the focus chain.
        label->setBuddy(box);
        label->setFocusPolicy(Qt::NoFocus);

        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1, Qt::AlignTop);
    }
    grid->setColumnStretch(0, 1);
    return group;
}

void frmMyValues::buildToolbar()
{
    tbToolbar = new QToolBar(this);
    tbToolbar->setObjectName(QStringLiteral("tbToolbar"));
    tbToolbar->setMovable(false);
    tbToolbar->setFloatable(false);
    tbToolbar->setIconSize(QSize(28, 28));
    addToolBar(Qt::TopToolBarArea, tbToolbar);

    // Each button's tooltip reads the same in both languages.
    const auto add = [this](const QIcon &icon, const char *tooltip, auto handler) {
        QAction *action = tbToolbar->addAction(icon, QString());
        action->setToolTip(QString::fromUtf8(tooltip));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    add(newStatementIcon(), "New / Nouveau", [this] { subStart_New_Firm_Record(); });
    add(openStatementIcon(), "Open / Ouvrir", [this] { subOpen_Existing_Firm_Record(); });
    add(saveStatementIcon(), "Save / Sauvegarder", [this] { subSave_Firm_Record(false); });
    add(deleteStatementIcon(), "Delete / Supprimer", [this] { subDelete_Firm_Record(); });
    tbToolbar->addSeparator();
    add(compareFirmIcon(), "Compare your firm / Comparez votre entreprise",
        [this] { subView_Comparison_Report(); });
    add(clearAllIcon(), "Clear all data / Vider tous les champs ",
        [this] { subSetAllValuesToZero(); });
    // The keyboard reaches every button through the menus; the buttons stay
    // out of the focus chain as on any toolbar.
}

void frmMyValues::subLoadToolbarNames()
{
    // The buttons show icons only: their texts are what screen readers say,
    // in the screen's language (the tooltips stay the fixed bilingual ones).
    const int names[] = {532, 528, 536, kDeleteStatementCommand, 540, kClearAllCommand};
    int next = 0;
    for (QAction *action : tbToolbar->actions())
        if (!action->isSeparator() && next < int(std::size(names)))
            action->setText(caption(names[next++]));
    tbToolbar->setAccessibleName(caption(kStatementCommands));
}

void frmMyValues::buildMenus()
{
    const auto action = [this](QMenu *menu, const char *name) {
        QAction *item = menu->addAction(QString());
        item->setObjectName(QString::fromLatin1(name));
        return item;
    };
    const auto menu = [this](const char *name) {
        QMenu *created = menuBar()->addMenu(QString());
        created->setObjectName(QString::fromLatin1(name));
        return created;
    };
    mnuFile = menu("mnuFile");
    mnuNew = action(mnuFile, "mnuNew");
    mnuSave = action(mnuFile, "mnuSave");
    mnuOpen = action(mnuFile, "mnuOpen");
    mnuDelete = action(mnuFile, "mnuDelete");
    mnuClearAll = action(mnuFile, "mnuClearAll");
    mnuFile->addSeparator();
    mnuSaveTemplate = action(mnuFile, "mnuSaveTemplate");
    mnuImport = action(mnuFile, "mnuImport");
    mnuFile->addSeparator();
    mnuBackUp = action(mnuFile, "mnuBackUp");
    mnuRestore = action(mnuFile, "mnuRestore");
    mnuStatementsLocation = action(mnuFile, "mnuStatementsLocation");
    mnuFile->addSeparator();
    mnuReturn = action(mnuFile, "mnuReturn");
    mnuReturnSearch = action(mnuFile, "mnuReturnSearch");
    mnuExit = action(mnuFile, "mnuExit");
    mnuView = menu("mnuView");
    mnuDefinition = action(mnuView, "mnuDefinition");
    mnuReport = action(mnuView, "mnuReport");
    languageHelp = LanguageHelpMenus::add(this);
    // The platform's usual keys for the statement commands; they reach the
    // commands from the amount boxes too.
    mnuNew->setShortcut(QKeySequence::New);
    mnuOpen->setShortcut(QKeySequence::Open);
    mnuSave->setShortcut(QKeySequence::Save);
    // No standard key exists for these two; the plain Delete key belongs to
    // the boxes' text. Ctrl+Shift+Delete clears as it clears a browser's data.
    mnuDelete->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    mnuClearAll->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));
}

void frmMyValues::connectHandlers()
{
    for (const StatementItem &item : statementItems()) {
        const QString labelName = QString::fromLatin1(item.labelName);
        connect(static_cast<ClickableLabel *>(m_itemLabels.value(labelName)),
                &ClickableLabel::clicked, this, [this, labelName] { lblItem_Click(labelName); });
        connect(m_amountBoxes.value(QString::fromLatin1(item.column)), &QLineEdit::textChanged,
                this, [this] { mblnDataChanged = true; });
    }
    connect(txtFirmName, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (text == caption(kEnterFirmName))
            mblnDataChanged = true;
    });
    connect(cboYear->lineEdit(), &QLineEdit::textEdited, this, [this] { mblnDataChanged = true; });
    connect(txtComments, &QPlainTextEdit::textChanged, this, [this] { mblnDataChanged = true; });

    connect(mnuNew, &QAction::triggered, this, [this] { subStart_New_Firm_Record(); });
    connect(mnuSave, &QAction::triggered, this, [this] { subSave_Firm_Record(false); });
    connect(mnuOpen, &QAction::triggered, this, &frmMyValues::subOpen_Existing_Firm_Record);
    connect(mnuDelete, &QAction::triggered, this, &frmMyValues::subDelete_Firm_Record);
    connect(mnuClearAll, &QAction::triggered, this, &frmMyValues::subSetAllValuesToZero);
    connect(mnuSaveTemplate, &QAction::triggered, this, &frmMyValues::subSaveTemplate);
    connect(mnuImport, &QAction::triggered, this, [this] { subImportStatement(); });
    connect(mnuBackUp, &QAction::triggered, this,
            [this] { subBackUpStatements(this, m_fileChooser); });
    connect(mnuRestore, &QAction::triggered, this,
            [this] { subRestoreStatements(this, m_fileChooser); });
    connect(mnuReturn, &QAction::triggered, this, &frmMyValues::mnuReturn_Click);
    connect(mnuReturnSearch, &QAction::triggered, this, &frmMyValues::mnuReturnSearch_Click);
    connect(btnBack, &QToolButton::clicked, this, &frmMyValues::mnuReturnSearch_Click);
    connect(mnuExit, &QAction::triggered, this, &frmMyValues::mnuExit_Click);
    connect(mnuStatementsLocation, &QAction::triggered, this,
            [this] { subChooseStatementsLocation(this); });
    connect(mnuDefinition, &QAction::triggered, this, &frmMyValues::mnuDefinition_Click);
    connect(mnuReport, &QAction::triggered, this, &frmMyValues::subView_Comparison_Report);
}

QLineEdit *frmMyValues::amountBox(const QString &column) const
{
    return m_amountBoxes.value(column);
}

QLabel *frmMyValues::itemLabel(const QString &labelName) const
{
    return m_itemLabels.value(labelName);
}

void frmMyValues::subInitializeValues()
{
    txtFirmName->setText(caption(kFirmNamePrompt));
    // A new statement belongs to the industry now chosen: the labels keep
    // naming it, so that a save or a comparison never loses it.
    m_savedIndustry.reset();
    appSession().forgetOpened();
    if (m_captionsLoaded) {
        subShowCurrentIndustry();
    } else {
        lblIndustry->clear();
        lblNAICS->clear();
    }
    for (QLineEdit *box : std::as_const(m_amountBoxes))
        box->setText(QStringLiteral("0"));
    txtComments->clear();
    mblnDataChanged = false;
}

void frmMyValues::subShowCurrentIndustry()
{
    const AppState &state = appState();
    setWindowTitle(fncTitleWithStore(caption(kCompareFirmTitle) + QStringLiteral(" ") +
                                     state.gstrDatasetCaption));
    const std::optional<ChosenIndustry> &chosen = appSession().industry();
    lblIndustry->setText(chosen ? chosen->title : QString());
    lblNAICS->setText(chosen ? chosen->naics : QString());
    lblDataTableToCompare->setText(state.gstrDatasetTable);

    const StatementIndustry current{lblNAICS->text(), state.gintVolume, state.gstrRegion};
    if (!m_savedIndustry || m_savedIndustry->naics.isEmpty() || *m_savedIndustry == current) {
        lblSavedIndustry->hide();
        return;
    }
    const bool otherDataset = m_savedIndustry->volume != current.volume ||
                              m_savedIndustry->region.compare(current.region, Qt::CaseInsensitive);
    const QString saved = industryText(*m_savedIndustry, otherDataset);
    const QString now = industryText(current, otherDataset);
    lblSavedIndustry->setText(caption(kSavedUnderIndustry).arg(saved, now));
    lblSavedIndustry->show();
}

void frmMyValues::subShowSavedIndustry(const std::optional<StatementIndustry> &saved)
{
    m_savedIndustry = saved;
    subShowCurrentIndustry();
}

void frmMyValues::subSetAllValuesToZero()
{
    const QString question = caption(kClearAllQuestion);
    if (ShowMessage(question, MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("ROVAL"), this,
                    MsgAnswer::No) != MsgAnswer::Yes)
        return;
    subInitializeValues();
    selectWhole(txtCash);
}

void frmMyValues::subFillYears(QComboBox *mycomboBox)
{
    mycomboBox->clear();
    mycomboBox->addItems(fncReferenceYears());
    mycomboBox->setEditText(QString::number(lastReferenceYear()));
}

// ---- Record commands -------------------------------------------------------

bool frmMyValues::fncRunWrite(StatementWrite &write)
{
    const Language language = appState().gintLanguage;
    const auto ask = [&](const WriteStep &step) {
        const QString question =
            fncWriteQuestionText(step, write.firmName(), write.year(), language);
        const bool replaceStored = step.question == WriteQuestion::ReplaceStored;
        // Enter keeps what is stored: replacing is the user's explicit choice.
        const MsgAnswer answer = ShowMessage(
            question, replaceStored ? MsgButtons::OkCancel : MsgButtons::YesNoCancel,
            replaceStored ? MsgIcon::None : MsgIcon::Warning, QString(), this, MsgAnswer::Cancel);
        return answer == MsgAnswer::Ok || answer == MsgAnswer::Yes ? WriteAnswer::Yes
               : answer == MsgAnswer::No                           ? WriteAnswer::No
                                                                   : WriteAnswer::Cancel;
    };
    // Each step's store work waits off the screen's thread; the questions
    // between the steps are asked here.
    StatementStore &store = appSession().store();
    WriteStep end = fncWaitForStore(this, store, [&] { return write.start(); });
    while (end.kind == WriteStep::Kind::Ask) {
        const WriteAnswer answer = ask(end);
        end = fncWaitForStore(this, store, [&] { return write.answer(answer); });
    }
    if (end.kind == WriteStep::Kind::Refused)
        ShowMessage(end.message, MsgButtons::Ok, MsgIcon::Warning, QString(), this);
    return end.isDone();
}

MsgAnswer frmMyValues::fncAskToSaveChanges(bool openWording)
{
    const QString question = caption(openWording ? kSaveChangesOpenQuestion : kSaveChangesQuestion)
                                 .arg(txtFirmName->text());
    return ShowMessage(question, MsgButtons::YesNoCancel, MsgIcon::None, QString(), this);
}

bool frmMyValues::fncVerifyFirmName() const
{
    const QString name = txtFirmName->text();
    return !name.trimmed().isEmpty() && name != caption(kFirmNamePrompt);
}

std::optional<QList<double>> frmMyValues::fncScreenAmounts()
{
    if (const std::optional<AmountRangeFault> fault = fncAmountRangeFault(fncAmountTexts())) {
        subRefuse(m_amountBoxes.value(fault->column),
                  fncAmountRangeMessage(*fault, appState().gintLanguage));
        return std::nullopt;
    }
    QList<double> amounts;
    for (const StatementItem &item : statementItems()) {
        QLineEdit *box = m_amountBoxes.value(QString::fromLatin1(item.column));
        const std::optional<double> amount = fncStorableAmount(box->text());
        if (!amount) {
            subShowNumberMessage(box);
            return std::nullopt;
        }
        amounts << *amount;
    }
    return amounts;
}

bool frmMyValues::subSave_Firm_Record(bool blnSkipWarningMessages)
{
    AppState &state = appState();
    // Totals are saved as the exact sums of their items.
    subCalculateSubTotals();
    subRemoveBlanksCommas();
    if (!fncVerifyFirmName()) {
        ShowMessage(caption(kInvalidFirmName), MsgButtons::Ok, MsgIcon::None, QString(), this);
        return false;
    }
    // The table keeps whole years and numbers: a box the database could not
    // take is refused here rather than half-written.
    const std::optional<int> year = fncStorableYear(cboYear->currentText());
    if (!year) {
        ShowMessage(fncInvalidYearMessage(state.isFrench()), MsgButtons::Ok, MsgIcon::None,
                    QString(), this);
        return false;
    }
    const std::optional<QList<double>> amounts = fncScreenAmounts();
    if (!amounts)
        return false;

    SavedStatement statement;
    statement.firmName = txtFirmName->text();
    statement.year = *year;
    statement.industry = appSession().industryToSave();
    for (int i = 0; i < kStatementItemCount; ++i)
        statement.amounts.*firmStatementAmounts()[i] = amounts->at(i);
    statement.comment = txtComments->toPlainText();
    StatementWrite write = appSession().save(statement, !blnSkipWarningMessages);
    if (!fncRunWrite(write))
        return false;
    // Saved now under the industry now chosen.
    subShowSavedIndustry(std::nullopt);
    ShowMessage(caption(kDataSaved), MsgButtons::Ok, MsgIcon::None, QString(), this);
    mblnDataChanged = false;
    return true;
}

bool frmMyValues::subStart_New_Firm_Record()
{
    if (mblnDataChanged) {
        const MsgAnswer answer = fncAskToSaveChanges(false);
        if (answer == MsgAnswer::Cancel)
            return false;
        // A statement the user asked to save is not thrown away when the save
        // was refused: the screen stays for the user to correct it.
        if (answer == MsgAnswer::Yes && !subSave_Firm_Record(true))
            return false;
    }
    subInitializeValues();
    selectWhole(txtFirmName);
    return true;
}

void frmMyValues::subOpen_Existing_Firm_Record()
{
    AppState &state = appState();
    frmOpenExisting &openExisting = ScreenRegistry::get<frmOpenExisting>();
    // Refills the list; false, after the no-records message, when it is empty.
    const auto listHasFirms = [this, &state, &openExisting] {
        openExisting.hide();
        openExisting.setOwner(this);
        if (openExisting.fncLoadFirms())
            return true;
        if (!openExisting.readFailed())
            ShowMessage(fncNoRecordsMessage(state.gintLanguage), MsgButtons::Ok, MsgIcon::None,
                        QString(), this);
        return false;
    };

    if (!mblnDataChanged) {
        if (!listHasFirms())
            return;
        state.gblnKeepFirmForm = true;
        openExisting.showScreen();
        return;
    }
    switch (fncAskToSaveChanges(true)) {
    case MsgAnswer::Yes:
        if (!subSave_Firm_Record(true))
            return;
        state.gblnKeepFirmForm = true;
        if (listHasFirms())
            openExisting.showScreen();
        return;
    case MsgAnswer::No:
        // The list fills itself when its screen becomes active.
        state.gblnKeepFirmForm = true;
        openExisting.showScreen();
        return;
    default:
        return;
    }
}

void frmMyValues::subDelete_Firm_Record()
{
    if (ShowMessage(caption(kDeleteRecordQuestion), MsgButtons::YesNo, MsgIcon::None, QString(),
                    this, MsgAnswer::No) != MsgAnswer::Yes)
        return;
    // A year that is no whole number names no stored statement.
    if (const std::optional<int> year = fncStorableYear(cboYear->currentText())) {
        StatementWrite write = appSession().remove(txtFirmName->text(), *year);
        if (!fncRunWrite(write))
            return;
    }
    subInitializeValues();
}

std::optional<QStringList> frmMyValues::fncPrepareComparison()
{
    AppState &state = appState();
    subCalculateSubTotals();
    subRemoveBlanksCommas();
    state.gblnKeepFirmForm = true;

    const QString yearText = cboYear->currentText();
    const auto refuse = [this](const QString &message) {
        ShowMessage(message, MsgButtons::Ok, MsgIcon::None, QString(), this);
        return std::nullopt;
    };
    if (!fncYearTextInRange(yearText))
        return refuse(fncInvalidYearMessage(state.isFrench()));
    if (fncLeadingNumber(txtTotLiabShareEq->text()) != fncLeadingNumber(txtTa->text()))
        return refuse(caption(kTotalsDiffer));
    if (txtFirmName->text().isEmpty())
        return refuse(caption(kEnterFirmName));
    if (fncLeadingNumber(txtTa->text()) == 0.0)
        return refuse(caption(kEnterValuesFirst));
    // The report needs a year it holds figures for and amounts it can read.
    const std::optional<qint16> year = fncComparisonYear(yearText);
    if (!year)
        return refuse(fncInvalidYearMessage(state.isFrench()));
    if (!fncScreenAmounts())
        return std::nullopt;

    QStringList amounts;
    for (const StatementItem &item : statementItems())
        amounts << m_amountBoxes.value(QString::fromLatin1(item.column))->text();
    return fncComparisonValues(txtFirmName->text(), *year, lblNAICS->text(), lblIndustry->text(),
                               amounts, txtComments->toPlainText());
}

void frmMyValues::subView_Comparison_Report()
{
    QCoreApplication::processEvents();
    const std::optional<QStringList> values = fncPrepareComparison();
    if (!values)
        return;
    AppState &state = appState();
    const QString languageLetter =
        state.gintLanguage == Language::French ? QStringLiteral("F") : QStringLiteral("E");
    ScreenRegistry::get<frmReportViewer>().DisplayCrystalReport(
        state.gcnReference, state.gcnUser, QStringLiteral("com"), state.gintVolume,
        state.gstrRegion, values->at(kComparisonYear).toShort(), values->at(kComparisonNaics),
        languageLetter, *values);
}

// ---- Screen frame ------------------------------------------------------------

void frmMyValues::Form_Activate()
{
    AppState &state = appState();
    subShowCurrentIndustry();
    if (state.gblnKeepFirmForm) {
        state.gblnKeepFirmForm = false;
        if (!m_captionsLoaded) {
            // First showing with a statement handed in: the screen keeps the
            // statement, but still needs its captions and years.
            subFillYears(cboYear);
            subLoadCaptions();
        }
    } else if (m_hiddenSinceActive) {
        subFillYears(cboYear);
        subInitializeValues();
        subLoadCaptions();
        selectWhole(txtFirmName);
    } else {
        // Back from a window this screen opened over itself (about, help,
        // definitions): nothing was left, nothing starts afresh.
        return;
    }
    // A kept statement keeps its changed mark: coming back from the report
    // or a definition must not make New, Open or a return forget to ask.
    m_hiddenSinceActive = false;
}

void frmMyValues::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous())
        m_hiddenSinceActive = true;
    Screen::hideEvent(event);
}

void frmMyValues::subLoadCaptions()
{
    m_captionsLoaded = true;
    lblFirmName->setText(caption(544));
    lblYear->setText(caption(274));
    lblComments->setText(caption(kCommentsLabel));
    txtComments->setPlaceholderText(caption(kCommentsHint));
    txtFirmName->setText(caption(kFirmNamePrompt));

    lblAsset->setText(caption(150));
    lblLiabEq->setText(caption(170));
    lblIncome->setText(caption(294));
    for (const StatementItem &item : statementItems()) {
        m_itemLabels.value(QString::fromLatin1(item.labelName))->setText(caption(item.captionId));
        m_amountBoxes.value(QString::fromLatin1(item.column))
            ->setAccessibleDescription(caption(kItemDefinitionKeyHint));
    }
    subLoadToolbarNames();

    mnuFile->setTitle(caption(496));
    mnuNew->setText(caption(532));
    mnuSave->setText(caption(536));
    mnuOpen->setText(caption(528));
    mnuDelete->setText(caption(kDeleteStatementCommand));
    mnuClearAll->setText(caption(kClearAllCommand));
    mnuSaveTemplate->setText(caption(kSaveTemplateCommand));
    mnuImport->setText(caption(kImportCommand));
    mnuBackUp->setText(caption(kBackUpCommand));
    mnuRestore->setText(caption(kRestoreCommand));
    mnuReturn->setText(caption(498));
    mnuReturnSearch->setText(caption(558));
    mnuStatementsLocation->setText(caption(kStatementsLocation));
    mnuExit->setText(caption(328));
    mnuView->setTitle(caption(460));
    mnuDefinition->setText(caption(334));
    mnuReport->setText(caption(540));
    languageHelp.loadCaptions(appState().gintLanguage);
    subShowCurrentIndustry(); // the title and the industry's labels
    assignMnemonics(menuBar());
}

void frmMyValues::lblItem_Click(const QString &labelName)
{
    subShowItemDefinition(labelName, this);
}

void frmMyValues::mnuReturn_Click()
{
    // Cancel, or a save that was refused, keeps the user on the statement.
    if (mblnDataChanged && !subStart_New_Firm_Record())
        return;
    hide();
    ScreenRegistry::get<frmMenu>().showScreen();
}

void frmMyValues::mnuReturnSearch_Click()
{
    if (mblnDataChanged && !subStart_New_Firm_Record())
        return;
    hide();
    appState().gblnKeepFirmForm = false;
    ScreenRegistry::get<frmSearch>().showScreen();
}

void frmMyValues::mnuExit_Click()
{
    subExitProgram();
}

void frmMyValues::closeEvent(QCloseEvent *event)
{
    event->ignore();
    subExitProgram();
}

void frmMyValues::subExitProgram()
{
    if (!mblnDataChanged) {
        askToExit(this);
        return;
    }
    // A changed statement is never dropped silently: its save question
    // stands in for the exit question.
    switch (fncAskToSaveChanges(false)) {
    case MsgAnswer::Yes:
        if (subSave_Firm_Record(true))
            EndProgram(0);
        return;
    case MsgAnswer::No:
        EndProgram(0);
    default:
        return;
    }
}

void frmMyValues::mnuDefinition_Click()
{
    appState().gblnKeepFirmForm = true;
    gsubOpenIndustryDef(lblNAICS->text());
}

void frmMyValues::reloadCaptions()
{
    // The captions bring the prompt of the new language; a name the user
    // typed stays.
    const QString firmName = txtFirmName->text();
    const bool prompt = firmName == ResourceString(kFirmNamePrompt, Language::English) ||
                        firmName == ResourceString(kFirmNamePrompt, Language::French);
    subLoadCaptions();
    if (!prompt)
        txtFirmName->setText(firmName);
}
