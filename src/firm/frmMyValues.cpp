#include "firm/frmMyValues.h"

#include "core/AppState.h"
#include "core/DatabaseError.h"
#include "core/ExitQuestion.h"
#include "core/MenuMnemonics.h"
#include "core/ProgramExit.h"
#include "core/ResourceString.h"
#include "core/ScreenRegistry.h"
#include "core/StringIds.h"
#include "entry/frmMenu.h"
#include "firm/AmountKeys.h"
#include "firm/AmountRange.h"
#include "firm/AmountText.h"
#include "firm/FirmList.h"
#include "firm/FirmRecordStore.h"
#include "firm/PastedAmount.h"
#include "firm/ReferenceYears.h"
#include "firm/ShowItemDefinition.h"
#include "firm/StatementItems.h"
#include "firm/frmOpenExisting.h"
#include "import/ImportSummaryDialog.h"
#include "import/ImportTexts.h"
#include "import/StatementTemplate.h"
#include "reports/ReportNaming.h"
#include "reports/ReportTitles.h"
#include "reports/frmReportViewer.h"
#include "search/OpenIndustryDef.h"
#include "search/frmSearch.h"
#include "store/CurrentStore.h"
#include "store/StoreError.h"
#include "store/StoreMessages.h"
#include "widgets/ClickableLabel.h"
#include "widgets/FirmIcons.h"
#include "widgets/SearchIcons.h"
#include "widgets/StatementsBackup.h"
#include "widgets/StatementsLocation.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QString numberMessage()
{
    return appState().isFrench() ? QStringLiteral("SVP entrer un numéro")
                                 : QStringLiteral("Please enter a number");
}

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

void selectWhole(QLineEdit *box)
{
    box->setFocus();
    box->selectAll();
}

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
    right->addStretch(1);
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
    setCentralWidget(central);

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

    connectHandlers();
    subFillYears(cboYear);
    subInitializeValues();
    resize(980, 660);
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

    connect(mnuNew, &QAction::triggered, this, [this] { subStart_New_Firm_Record(); });
    connect(mnuSave, &QAction::triggered, this, [this] { subSave_Firm_Record(false); });
    connect(mnuOpen, &QAction::triggered, this, &frmMyValues::subOpen_Existing_Firm_Record);
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

// ---- Entry behaviour -------------------------------------------------------

bool frmMyValues::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    const QString column = box ? box->objectName().mid(3) : QString();
    if (!box || m_amountBoxes.value(column) != box)
        return Screen::eventFilter(watched, event);
    const bool computed = box->isReadOnly();

    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        if (computed) {
            if (fncAmountKeyCode(*keyEvent) != kKeyEnter)
                return false;
            m_amountBoxes.value(fncEnterTarget(column))->setFocus();
            return true;
        }
        return subAmountKeyPress(box, keyEvent);
    }
    case QEvent::MouseButtonPress:
        // The user places the caret: typing goes where it is.
        if (m_replaceOnInput == box)
            m_replaceOnInput = nullptr;
        return false;
    case QEvent::ContextMenu:
        if (computed)
            return false;
        subShowAmountMenu(box, static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    case QEvent::MouseButtonRelease:
        // The selection paste of X11 (middle button) goes through the same filter.
        if (computed || static_cast<QMouseEvent *>(event)->button() != Qt::MiddleButton ||
            !QGuiApplication::clipboard()->supportsSelection())
            return false;
        subPasteAmount(box, QClipboard::Selection);
        return true;
    case QEvent::FocusIn:
        if (!computed) {
            box->selectAll();
            // A mouse click places the caret after focusing: select once it has.
            QTimer::singleShot(0, box, [box] {
                if (box->hasFocus())
                    box->selectAll();
            });
        }
        return false;
    case QEvent::FocusOut: {
        // Menus, message boxes and other windows take the focus for a while
        // only; the box is left when another control of this screen gets it.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (!computed && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::MenuBarFocusReason) {
            if (m_replaceOnInput == box)
                m_replaceOnInput = nullptr;
            if (subValidateAmount(box))
                subCalculateSubTotals();
        }
        return false;
    }
    default:
        return false;
    }
}

bool frmMyValues::subAmountKeyPress(QLineEdit *box, QKeyEvent *event)
{
    const AmountKey kind = fncClassifyAmountKeyEvent(*event);
    switch (kind) {
    case AmountKey::Pass:
        // The user placing the caret ends the replacement; a modifier key
        // pressed on its way to a shortcut does not.
        if (m_replaceOnInput == box && fncKeyPlacesCaret(*event))
            m_replaceOnInput = nullptr;
        return false;
    case AmountKey::Paste:
        subPasteAmount(box, QClipboard::Clipboard);
        return true;
    case AmountKey::Edit:
        subGuardedEdit(box, [box, event] { box->event(event); });
        return true;
    case AmountKey::Accept:
        subReplaceAfterRefusal(box);
        subGuardedEdit(box, [box, event] { box->event(event); });
        return true;
    case AmountKey::Minus:
        subReplaceAfterRefusal(box);
        break;
    case AmountKey::Enter:
    case AmountKey::Reject:
        break;
    }
    int key = fncAmountKeyCode(*event);
    subHandleKeyPress(key, box, m_amountBoxes.value(fncEnterTarget(box->objectName().mid(3))));
    // A single-line box inserts nothing for Enter; a discarded key is eaten.
    return key == 0 || key == kKeyEnter;
}

void frmMyValues::subReplaceAfterRefusal(QLineEdit *box)
{
    if (m_replaceOnInput != box)
        return;
    m_replaceOnInput = nullptr;
    box->selectAll();
}

QHash<QString, QString> frmMyValues::fncAmountTexts() const
{
    QHash<QString, QString> texts;
    for (auto it = m_amountBoxes.cbegin(); it != m_amountBoxes.cend(); ++it)
        texts.insert(it.key(), it.value()->text());
    return texts;
}

void frmMyValues::subGuardedEdit(QLineEdit *box, const std::function<void()> &edit)
{
    const QString before = box->text();
    const bool changedBefore = mblnDataChanged;
    const bool faultBefore = fncAmountRangeFault(fncAmountTexts()).has_value();
    edit();
    if (box->text() == before)
        return;
    const std::optional<AmountRangeFault> fault = fncAmountRangeFault(fncAmountTexts());
    if (!fault) {
        // The subtotals follow every change the user makes.
        subCalculateSubTotals();
        return;
    }
    if (faultBefore)
        return;
    box->setText(before);
    mblnDataChanged = changedBefore;
    subRefuse(box, fncAmountRangeMessage(*fault, appState().gintLanguage));
}

void frmMyValues::subPasteAmount(QLineEdit *box, QClipboard::Mode mode)
{
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (text.isEmpty())
        return;
    const std::optional<PastedAmount> amount = fncPastedAmount(text);
    if (!amount) {
        subShowNumberMessage(box);
        return;
    }
    subReplaceAfterRefusal(box);
    subGuardedEdit(box, [box, &amount] {
        if (!amount->negative) {
            // As typed: the box's undo takes it back.
            box->insert(amount->digits);
            return;
        }
        box->setText(fncTextAfterPaste(box->text(), box->selectionStart(),
                                       int(box->selectedText().size()), box->cursorPosition(),
                                       *amount));
        box->end(false);
    });
}

void frmMyValues::subShowAmountMenu(QLineEdit *box, const QPoint &globalPos)
{
    std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    // The standard Paste would insert the clipboard unfiltered. Its text is
    // Qt's own, in the language of Qt's translations.
    const QString pasteText = QLineEdit::tr("&Paste");
    for (QAction *action : menu->actions()) {
        if (action->objectName() != QLatin1String("edit-paste") &&
            !action->text().startsWith(pasteText))
            continue;
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, box,
                [this, box] { subPasteAmount(box, QClipboard::Clipboard); });
    }
    // Cut, undo, redo and delete from the menu are edits like their keys.
    subGuardedEdit(box, [&menu, &globalPos] { menu->exec(globalPos); });
}

void frmMyValues::subShowNumberMessage(QLineEdit *box)
{
    subRefuse(box, numberMessage());
}

void frmMyValues::subRefuse(QLineEdit *box, const QString &message)
{
    ShowMessage(message, MsgButtons::Ok, MsgIcon::None, QString(), this);
    selectWhole(box);
    m_replaceOnInput = box;
    // The window may move the caret again as it comes back from the message.
    QTimer::singleShot(0, box, [box] {
        if (box->hasFocus())
            box->selectAll();
    });
}

void frmMyValues::subHandleKeyPress(int &intKeyPressed, QLineEdit *txtNumericalTextBox,
                                    QLineEdit *txtNextTextbox)
{
    switch (fncClassifyAmountKey(intKeyPressed)) {
    case AmountKey::Enter: {
        const std::optional<QString> normal = fncAmountNormalForm(txtNumericalTextBox->text());
        if (!normal) {
            intKeyPressed = 0;
            subShowNumberMessage(txtNumericalTextBox);
            return;
        }
        txtNumericalTextBox->setText(*normal);
        subCalculateSubTotals();
        if (txtNextTextbox)
            txtNextTextbox->setFocus();
        return;
    }
    case AmountKey::Minus: {
        intKeyPressed = 0;
        const std::optional<QString> negative =
            fncTextAfterMinus(txtNumericalTextBox->text(), txtNumericalTextBox->selectionStart(),
                              txtNumericalTextBox->selectedText().size());
        if (!negative) {
            subShowNumberMessage(txtNumericalTextBox);
            return;
        }
        txtNumericalTextBox->setText(*negative);
        subCalculateSubTotals();
        txtNumericalTextBox->setFocus();
        txtNumericalTextBox->deselect();
        txtNumericalTextBox->setCursorPosition(int(negative->size()));
        return;
    }
    case AmountKey::Accept:
    case AmountKey::Paste: // key events only: a character code is never one of these
    case AmountKey::Edit:
    case AmountKey::Pass:
        return;
    case AmountKey::Reject:
        intKeyPressed = 0;
        subShowNumberMessage(txtNumericalTextBox);
        return;
    }
}

bool frmMyValues::subValidateAmount(QLineEdit *box)
{
    std::optional<QString> normal = fncAmountNormalForm(box->text());
    if (normal && normal->isEmpty())
        normal = QStringLiteral("0");
    if (!normal) {
        const AmountRangeFault fault{box->objectName().mid(3), false};
        subRefuse(box, fncAmountRangeMessage(fault, appState().gintLanguage));
        return false;
    }
    if (box->text() != *normal)
        box->setText(*normal);
    return true;
}

void frmMyValues::subCalculateSubTotals()
{
    QHash<QString, QString> amounts = fncAmountTexts();
    fncApplySubtotals(amounts);
    for (const SubtotalRule &rule : subtotalRules()) {
        const QString column = QString::fromLatin1(rule.column);
        QLineEdit *box = m_amountBoxes.value(column);
        if (box->text() != amounts.value(column))
            box->setText(amounts.value(column));
    }
}

void frmMyValues::subRemoveBlanksCommas()
{
    for (const StatementItem &item : statementItems()) {
        QLineEdit *box = m_amountBoxes.value(QString::fromLatin1(item.column));
        const QString prepared = fncPreparedAmount(box->text());
        if (box->text() != prepared)
            box->setText(prepared);
    }
}

void frmMyValues::subInitializeValues()
{
    txtFirmName->setText(caption(kFirmNamePrompt));
    // A new statement belongs to the industry now chosen: the labels keep
    // naming it, so that a save or a comparison never loses it.
    m_savedIndustry.reset();
    m_opened.reset();
    if (m_captionsLoaded) {
        subShowCurrentIndustry();
    } else {
        lblIndustry->clear();
        lblNAICS->clear();
    }
    for (QLineEdit *box : std::as_const(m_amountBoxes))
        box->setText(QStringLiteral("0"));
    mblnDataChanged = false;
}

void frmMyValues::subShowCurrentIndustry()
{
    const AppState &state = appState();
    setWindowTitle(fncTitleWithStore(caption(kCompareFirmTitle) + QStringLiteral(" ") +
                                     state.gstrDatasetCaption));
    const frmSearch &search = ScreenRegistry::get<frmSearch>();
    lblIndustry->setText(search.selectedIndustryName());
    lblNAICS->setText(search.selectedNaics());
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
    lblSavedIndustry->setText(
        state.isFrench()
            ? QStringLiteral("Enregistré sous %1; comparé à l'industrie maintenant choisie : %2")
                  .arg(saved, now)
            : QStringLiteral("Saved under %1; compared with the industry now chosen: %2")
                  .arg(saved, now));
    lblSavedIndustry->show();
}

void frmMyValues::subShowSavedIndustry(const std::optional<StatementIndustry> &saved)
{
    m_savedIndustry = saved;
    subShowCurrentIndustry();
}

void frmMyValues::subSetAllValuesToZero()
{
    const QString question =
        appState().isFrench()
            ? QStringLiteral("Êtes-vous certain de vouloir effacer toutes les données ?")
            : QStringLiteral("Are you sure you want to clear all of the data?");
    if (ShowMessage(question, MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("ROVAL"),
                    this) != MsgAnswer::Yes)
        return;
    subInitializeValues();
    selectWhole(txtCash);
}

void frmMyValues::subFillYears(QComboBox *mycomboBox)
{
    mycomboBox->clear();
    mycomboBox->addItems(fncReferenceYears());
    mycomboBox->setEditText(QString::fromLatin1(kLastReferenceYear));
}

// ---- Record commands -------------------------------------------------------

bool frmMyValues::fncRunRefusable(RefusedCommand command, const std::function<void()> &write)
{
    try {
        write();
        return true;
    } catch (const StoreError &error) {
        ShowMessage(fncStoreRefusalMessage(command == RefusedCommand::Delete ? StoreCommand::Delete
                                                                             : StoreCommand::Save,
                                           error, appState().gintLanguage),
                    MsgButtons::Ok, MsgIcon::Warning, QString(), this);
        return false;
    } catch (const DatabaseError &error) {
        if (!fncIsWriteRefusal(error))
            throw;
        ShowMessage(fncWriteRefusalMessage(command, appState().gcnUser.filePath(), error),
                    MsgButtons::Ok, MsgIcon::Warning, QString(), this);
        return false;
    }
}

std::optional<qint64> frmMyValues::fncOpenedVersion(const QString &firmName, int year) const
{
    if (!m_opened || m_opened->firmKey != fncFirmKey(firmName) || m_opened->year != year)
        return std::nullopt;
    return m_opened->version;
}

void frmMyValues::subSetOpenedVersion(const QString &firmName, int year, qint64 version)
{
    m_opened = OpenedStatement{fncFirmKey(firmName), year, version};
}

MsgAnswer frmMyValues::fncAskToSaveChanges(bool openWording)
{
    const QString firm = txtFirmName->text();
    QString question;
    if (!appState().isFrench())
        question = QStringLiteral("The data for the firm ") + firm +
                   QStringLiteral(" has changed.  Do you want to save the changes?");
    else if (openWording)
        question = QStringLiteral("Les donées de l'entreprise ") + firm +
                   QStringLiteral(" on changé.  Voulez-vous sauvegarder les changements?");
    else
        question = QStringLiteral("Les données de l'entreprise ") + firm +
                   QStringLiteral(" ont changé.  Voulez-vous sauvegarder les changements?");
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

    const QString firm = txtFirmName->text();
    const QString yearText = cboYear->currentText();
    SavedStatement statement;
    statement.firmName = firm;
    statement.year = *year;
    statement.industry = StatementIndustry{lblNAICS->text(), state.gintVolume, state.gstrRegion};
    for (int i = 0; i < kStatementItemCount; ++i)
        statement.amounts.*firmStatementAmounts()[i] = amounts->at(i);

    StatementStore &store = statementStore();
    std::optional<StoredState> stored;
    if (!fncRunRefusable(RefusedCommand::Save, [&] { stored = store.current(firm, *year); }))
        return false;
    // Names are compared without regard to letter case: "ACME" and "Acme" are
    // one statement. Saving over a stored one asks first, and so does a save
    // that skips the question when what it would replace is spelt otherwise.
    // Saving over one that someone saved since this screen opened it asks
    // whether to replace theirs.
    const std::optional<qint64> opened = fncOpenedVersion(firm, *year);
    if (stored && !(opened && *opened != stored->stamp.version)) {
        const bool spelledOtherwise =
            std::any_of(stored->names.cbegin(), stored->names.cend(),
                        [&firm](const QString &name) { return name != firm; });
        if (!blnSkipWarningMessages || spelledOtherwise) {
            const QString question =
                state.isFrench()
                    ? QStringLiteral("Il y a déjà des valeurs pour ") + firm +
                          QStringLiteral(" pour l'année de référence ") + yearText +
                          QStringLiteral(". ") +
                          QStringLiteral("APPURYER SUR 'OK' pour remplacer les valeurs "
                                         "existantes avec celles dessous. ") +
                          QStringLiteral("APPUYER SUR 'CANCEL' pour continuer d'utiliser les "
                                         "données à l'écran.")
                    : QStringLiteral("There are already values for ") + firm +
                          QStringLiteral(" for the reference year ") + yearText +
                          QStringLiteral(". ") +
                          QStringLiteral("If you would like to replace the existing values "
                                         "with the ones below PRESS OK.  ") +
                          QStringLiteral("If you would like to cancel and continue working "
                                         "with the data on this screen more PRESS CANCEL.  ");
            if (ShowMessage(question, MsgButtons::OkCancel, MsgIcon::None, QString(), this) !=
                MsgAnswer::Ok)
                return false;
        }
    }
    // What the user agreed to replace: the version seen now, or nothing.
    Expectation expected =
        stored ? Expectation::seen(stored->stamp.version) : Expectation::nothing();
    if (stored && opened && *opened != stored->stamp.version)
        expected = Expectation::seen(*opened);
    for (;;) {
        WriteOutcome outcome;
        if (!fncRunRefusable(RefusedCommand::Save, [&] {
                outcome = store.save(statement, expected, fncCurrentUserName());
            }))
            return false;
        if (outcome.done) {
            subSetOpenedVersion(firm, *year, outcome.stamp.version);
            break;
        }
        // Someone saved it since it was opened, or since the question above.
        const StatementStamp theirs = outcome.current->stamp;
        const MsgAnswer answer = ShowMessage(
            fncConflictQuestion(StoreCommand::Save, firm, *year, theirs, state.gintLanguage),
            MsgButtons::YesNoCancel, MsgIcon::Warning, QString(), this);
        if (answer == MsgAnswer::No) {
            // Theirs stays; the screen keeps what was typed, still unsaved,
            // and the next save asks as for any stored statement.
            subSetOpenedVersion(firm, *year, theirs.version);
            return false;
        }
        if (answer != MsgAnswer::Yes)
            return false;
        expected = Expectation::seen(theirs.version);
    }
    // Saved now under the industry now chosen.
    subShowSavedIndustry(std::nullopt);

    ShowMessage(state.isFrench() ? QStringLiteral("Les données ont été sauvegardées.")
                                 : QStringLiteral("Data has been saved."),
                MsgButtons::Ok, MsgIcon::None, QString(), this);
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
    AppState &state = appState();
    const QString question =
        state.isFrench()
            ? QStringLiteral("Êtes-vous certain de vouloir effacer cet enregistrement?")
            : QStringLiteral("Are you sure you want to delete this record?");
    if (ShowMessage(question, MsgButtons::YesNo, MsgIcon::None, QString(), this) != MsgAnswer::Yes)
        return;
    // A year that is no whole number names no stored statement.
    if (const std::optional<int> year = fncStorableYear(cboYear->currentText())) {
        const QString firm = txtFirmName->text();
        // Deleting one that someone saved since it was opened here asks first.
        const std::optional<qint64> opened = fncOpenedVersion(firm, *year);
        Expectation expected = opened ? Expectation::seen(*opened) : Expectation::anything();
        for (;;) {
            WriteOutcome outcome;
            if (!fncRunRefusable(RefusedCommand::Delete,
                                 [&] { outcome = statementStore().remove(firm, *year, expected); }))
                return;
            if (outcome.done)
                break;
            const StatementStamp theirs = outcome.current->stamp;
            const MsgAnswer answer = ShowMessage(
                fncConflictQuestion(StoreCommand::Delete, firm, *year, theirs, state.gintLanguage),
                MsgButtons::YesNoCancel, MsgIcon::Warning, QString(), this);
            if (answer == MsgAnswer::No)
                subSetOpenedVersion(firm, *year, theirs.version);
            if (answer != MsgAnswer::Yes)
                return;
            expected = Expectation::seen(theirs.version);
        }
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
    const frmSearch &search = ScreenRegistry::get<frmSearch>();
    return fncComparisonValues(txtFirmName->text(), *year, search.selectedNaics(),
                               lblIndustry->text(), amounts);
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

// ---- Template and import ---------------------------------------------------

void frmMyValues::subSaveTemplate()
{
    const Language language = appState().gintLanguage;
    const QString suggested =
        QDir(exportFolder())
            .filePath(language == Language::French ? QStringLiteral("modele-etat-financier.xlsx")
                                                   : QStringLiteral("statement-template.xlsx"));
    QString path;
    if (m_fileChooser) {
        path = m_fileChooser(true, suggested);
    } else {
        const QString xlsx = caption(kXlsxFilter);
        QString chosenFilter = xlsx;
        path = QFileDialog::getSaveFileName(this, caption(kSaveTemplateTitle), suggested,
                                            xlsx + QStringLiteral(";;") + caption(kCsvFilter),
                                            &chosenFilter);
        if (!path.isEmpty() && !templateFormatOf(path))
            path += chosenFilter == xlsx ? QStringLiteral(".xlsx") : QStringLiteral(".csv");
    }
    if (path.isEmpty())
        return; // the user cancelled
    const std::optional<TemplateFormat> format = templateFormatOf(path);
    const QString firm = fncVerifyFirmName() ? txtFirmName->text().trimmed() : QString();
    const std::optional<int> year = fncStorableYear(cboYear->currentText());
    if (!format || !writeStatementTemplate(path, *format, language, firm, year)) {
        ShowMessage(caption(kTemplateNotWritten).arg(QDir::toNativeSeparators(path)),
                    MsgButtons::Ok, MsgIcon::Warning, QString(), this);
        return;
    }
    rememberExportFolder(path);
}

bool frmMyValues::subImportStatement()
{
    const QString path = m_fileChooser
                             ? m_fileChooser(false, exportFolder())
                             : QFileDialog::getOpenFileName(this, caption(kImportTitle),
                                                            exportFolder(), caption(kImportFilter));
    if (path.isEmpty())
        return false;
    rememberExportFolder(path);
    const StatementFile file = readStatementFile(path);
    if (file.fault != ImportFault::None) {
        ShowMessage(importFaultMessage(file.fault, QDir::toNativeSeparators(path),
                                       appState().gintLanguage) +
                        QLatin1Char(' ') + caption(kImportNothingChanged),
                    MsgButtons::Ok, MsgIcon::Warning, QString(), this);
        return false;
    }
    ImportSummaryDialog summary(file, path, this);
    const bool accepted =
        m_summaryRunner ? m_summaryRunner(summary) : summary.exec() == QDialog::Accepted;
    if (!accepted)
        return false;

    const StatementImport &import = summary.result();
    if (!import.firmName.isEmpty())
        txtFirmName->setText(import.firmName);
    if (import.year)
        cboYear->setEditText(QString::number(*import.year));
    const auto amounts = import.amounts();
    for (int i = 0; i < kStatementItemCount; ++i) {
        if (!statementItems()[i].computed)
            amountBox(QString::fromLatin1(statementItems()[i].column))
                ->setText(QString::number(amounts[i], 'f', 0));
    }
    subCalculateSubTotals();
    mblnDataChanged = true;
    return true;
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
    txtFirmName->setText(caption(kFirmNamePrompt));

    lblAsset->setText(caption(150));
    lblLiabEq->setText(caption(170));
    lblIncome->setText(caption(294));
    for (const StatementItem &item : statementItems())
        m_itemLabels.value(QString::fromLatin1(item.labelName))->setText(caption(item.captionId));

    mnuFile->setTitle(caption(496));
    mnuNew->setText(caption(532));
    mnuSave->setText(caption(536));
    mnuOpen->setText(caption(528));
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
    gsubOpenIndustryDef(ScreenRegistry::get<frmSearch>().selectedNaics());
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
