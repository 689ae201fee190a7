#include "firm/frmOpenExisting.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/ProgramFolder.h"
#include "core/RecordSetModel.h"
#include "core/ResourceString.h"
#include "core/ScreenRegistry.h"
#include "core/StringIds.h"
#include "firm/AmountText.h"
#include "firm/FirmList.h"
#include "firm/StatementIndustry.h"
#include "firm/frmMyValues.h"
#include "reports/ComparisonBatch.h"
#include "reports/ReportNaming.h"
#include "search/frmSearch.h"
#include "session/AppSession.h"
#include "store/CurrentStore.h"
#include "store/StoreError.h"
#include "store/StoreMessages.h"
#include "widgets/StatementsLocation.h"
#include "widgets/StoreWait.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
// The statement items in the order the firm screen is filled: assets,
// liabilities and equity, the current items, then the income items.
const char *const kLoadOrder[] = {"Cash",
                                  "Ar",
                                  "Inv",
                                  "CA",
                                  "OA",
                                  "Toa",
                                  "Invest",
                                  "Ptfl",
                                  "Ta",
                                  "AccountsPayable",
                                  "Banks",
                                  "Paper",
                                  "Mtg",
                                  "Bonds",
                                  "Ol",
                                  "AmtsAffil",
                                  "OLiab",
                                  "DefTax",
                                  "Tliab",
                                  "ShareC",
                                  "RetEarn",
                                  "OtherSur",
                                  "TotLiabShareEq",
                                  "Equity1",
                                  "CurrentAssets",
                                  "CurrentLiabilities",
                                  "OperatingRevenue",
                                  "Sales",
                                  "GrossProfit",
                                  "OperatingProfit",
                                  "InterestExpense",
                                  "PretaxProfit",
                                  "ProfitAfterTax"};

// A stored amount as the box shows it.
QString amountText(const FirmStatement &amounts, const char *column)
{
    for (std::size_t i = 0; i < statementItems().size(); ++i)
        if (qstrcmp(statementItems()[i].column, column) == 0)
            return fncDoubleText(amounts.*firmStatementAmounts()[i]);
    return QString();
}

void setYearText(QComboBox *box, const QString &year)
{
    if (box->isEditable()) {
        box->setEditText(year);
        return;
    }
    // A year the list does not offer is shown all the same.
    if (box->findText(year) < 0)
        box->addItem(year);
    box->setCurrentText(year);
}
} // namespace

frmOpenExisting::frmOpenExisting()
{
    setObjectName(QStringLiteral("frmOpenExisting"));
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);

    lblQuestion = new QLabel(central);
    lblQuestion->setObjectName(QStringLiteral("lblQuestion"));
    lblQuestion->setWordWrap(true);
    QFont questionFont = lblQuestion->font();
    questionFont.setBold(true);
    lblQuestion->setFont(questionFont);
    layout->addWidget(lblQuestion);

    AdodcFirms = new RecordSetModel(this);
    AdodcFirms->setObjectName(QStringLiteral("AdodcFirms"));
    dbgFirms = new QTableView(central);
    dbgFirms->setObjectName(QStringLiteral("dbgFirms"));
    dbgFirms->setModel(AdodcFirms);
    dbgFirms->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgFirms->setSelectionMode(QAbstractItemView::SingleSelection);
    dbgFirms->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgFirms->setAlternatingRowColors(true);
    // Tab leaves the list for the buttons instead of walking its cells; the
    // arrows move between the rows.
    dbgFirms->setTabKeyNavigation(false);
    dbgFirms->verticalHeader()->hide();
    dbgFirms->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    dbgFirms->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Shown once the list has a row.
    dbgFirms->setVisible(false);
    layout->addWidget(dbgFirms, 1);
    // The question names the list for screen readers.
    lblQuestion->setBuddy(dbgFirms);

    auto *buttons = new QHBoxLayout;
    cmdOpen = new QPushButton(central);
    cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    cmdOpen->setMinimumWidth(100);
    cmdExportComparisons = new QPushButton(central);
    cmdExportComparisons->setObjectName(QStringLiteral("cmdExportComparisons"));
    buttons->addWidget(cmdExportComparisons);
    cmdOpen->setDefault(true);
    cmdCancel = new QPushButton(central);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setMinimumWidth(100);
    buttons->addStretch(1);
    buttons->addWidget(cmdOpen);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
    setCentralWidget(central);
    // Shown over the firm or search screen as a dialog: the window manager
    // and assistive technology treat it as one, and Return opens (see
    // keyPressEvent).
    setWindowFlags(windowFlags() | Qt::Dialog);
    resize(640, 340);

    connect(cmdOpen, &QPushButton::clicked, this, &frmOpenExisting::cmdOpen_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOpenExisting::cmdCancel_Click);
    setEscapeAction([this] { cmdCancel_Click(); });
    connect(dbgFirms, &QTableView::doubleClicked, this, &frmOpenExisting::dbgFirms_DblClick);
    connect(cmdExportComparisons, &QPushButton::clicked, this,
            &frmOpenExisting::cmdExportComparisons_Click);
}

void frmOpenExisting::Form_Activate()
{
    centreOnScreen();
    subLoadCaptions();
    fncLoadFirms();
}

void frmOpenExisting::subLoadCaptions()
{
    const Language language = appState().gintLanguage;
    lblQuestion->setText(ResourceString(526, language));
    // A list says no buddy's text: it is named for screen readers here.
    dbgFirms->setAccessibleName(lblQuestion->text());
    setWindowTitle(fncTitleWithStore(ResourceString(528, language)));
    cmdOpen->setText(ResourceString(530, language));
    cmdExportComparisons->setText(ResourceString(1410, language));
    cmdCancel->setText(messageButtonTexts(MsgButtons::OkCancel).constLast());
}

bool frmOpenExisting::fncLoadFirms()
{
    AppState &state = appState();
    // The list is read again at every activation; the statement the user had
    // picked stays the current one, so that coming back from another window
    // never silently moves the choice to another firm.
    const int previous = dbgFirms->currentIndex().row();
    const QVariant pickedName = previous >= 0 ? AdodcFirms->value(previous, 0) : QVariant();
    const QVariant pickedYear = previous >= 0 ? AdodcFirms->value(previous, 1) : QVariant();

    m_readFailed = false;
    QVector<StatementEntry> entries;
    try {
        StatementStore &store = statementStore();
        entries = fncWaitForStore(this, store, [&] { return store.list(state.gintLanguage); });
    } catch (const StoreError &error) {
        m_readFailed = true;
        ShowMessage(fncStoreRefusalMessage(StoreCommand::Read, error, state.gintLanguage),
                    MsgButtons::Ok, MsgIcon::Warning, QString(), this);
        return false;
    }
    AdodcFirms->setRecordSet(
        fncFirmListRecordSet(entries, state.gcnUser, state.gcnReference, state.gintLanguage));
    if (AdodcFirms->rowCount() == 0)
        return false;
    dbgFirms->setVisible(true);
    // The industry's title takes the room the name, year, volume and region leave.
    for (int column = 0; column < AdodcFirms->columnCount(); ++column)
        dbgFirms->horizontalHeader()->setSectionResizeMode(
            column, column == 2 ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
    // As with a bound grid, the first row is current until the user picks one.
    int current = 0;
    for (int row = 0; previous >= 0 && row < AdodcFirms->rowCount(); ++row) {
        if (AdodcFirms->value(row, 0) == pickedName && AdodcFirms->value(row, 1) == pickedYear) {
            current = row;
            break;
        }
    }
    dbgFirms->setCurrentIndex(AdodcFirms->index(current, 0));
    return true;
}

void frmOpenExisting::keyPressEvent(QKeyEvent *event)
{
    // A dialog's default button: Return presses the focused button, or Open
    // from anywhere else (the list passes the key on).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        auto *focused = qobject_cast<QPushButton *>(focusWidget());
        (focused && focused->isEnabled() ? focused : cmdOpen)->click();
        event->accept();
        return;
    }
    Screen::keyPressEvent(event);
}

void frmOpenExisting::cmdOpen_Click()
{
    subOpenRecord();
}

// The user goes back to the screen that opened the list, which stays as it was.
void frmOpenExisting::cmdCancel_Click()
{
    hide();
}

void frmOpenExisting::dbgFirms_DblClick(const QModelIndex &index)
{
    if (index.isValid())
        subOpenRecord();
}

void frmOpenExisting::cmdExportComparisons_Click()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, caption(kExportFolderQuestion), exportFolder());
    if (folder.isEmpty())
        return;
    rememberExportFolder(QDir(folder).filePath(QStringLiteral("comparisons")));
    subExportComparisons(folder);
}

void frmOpenExisting::subExportComparisons(const QString &folder)
{
    AppState &state = appState();
    QVector<BatchStatement> statements;
    try {
        StatementStore &store = statementStore();
        statements = fncWaitForStore(this, store, [&] { return fncBatchStatements(store); });
    } catch (const StoreError &error) {
        ShowMessage(fncStoreRefusalMessage(StoreCommand::Read, error, state.gintLanguage),
                    MsgButtons::Ok, MsgIcon::Warning, QString(), this);
        return;
    }
    const int total = int(statements.size());
    QProgressDialog progress(this);
    progress.setObjectName(QStringLiteral("dlgExportProgress"));
    progress.setWindowTitle(caption(kExportComparisons));
    progress.setCancelButtonText(caption(kExportCancel));
    progress.setRange(0, total);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QVector<BatchResult> results = fncExportComparisons(
        state.gcnReference, state.gcnUser, statementStore(), statements, folder,
        DataFolder() + QStringLiteral("/rpt_Comparison.rpt"), state.gintLanguage, [&](int done) {
            progress.setValue(done);
            if (done < total)
                progress.setLabelText(caption(kExportProgress)
                                          .arg(statements.at(done).firmName,
                                               QString::number(statements.at(done).year),
                                               QString::number(done + 1), QString::number(total)));
            return !progress.wasCanceled();
        });
    progress.setValue(total);
    QApplication::restoreOverrideCursor();
    ShowMessage(fncBatchSummary(results, total, state.gintLanguage), MsgButtons::Ok,
                MsgIcon::Information, QString(), this);
}

void frmOpenExisting::subOpenRecord()
{
    AppState &state = appState();
    const int row = dbgFirms->currentIndex().row();
    std::optional<SavedStatement> statement;
    try {
        if (row >= 0)
            // Remembered as the statement opened, with its version: a later
            // save or delete asks first when someone saved it since.
            statement = fncWaitForStore(this, appSession().store(), [&] {
                return appSession().open(AdodcFirms->value(row, 0).toString(),
                                         AdodcFirms->value(row, 1).toInt());
            });
    } catch (const StoreError &error) {
        ShowMessage(fncStoreRefusalMessage(StoreCommand::Read, error, state.gintLanguage),
                    MsgButtons::Ok, MsgIcon::Warning, QString(), this);
        return;
    }
    if (!statement) {
        // No row chosen, or its statement was deleted since the list was read:
        // the user stays here, with the list as it now stands.
        ShowMessage(fncNoRecordsMessage(state.gintLanguage), MsgButtons::Ok, MsgIcon::None,
                    QString(), this);
        fncLoadFirms();
        return;
    }

    frmSearch &search = ScreenRegistry::get<frmSearch>();
    search.hide();
    // Set before any hand-off: whichever activation of the firm screen comes
    // first (on hiding this screen, or on showing it) keeps what is loaded.
    state.gblnKeepFirmForm = true;
    hide();

    frmMyValues &firm = ScreenRegistry::get<frmMyValues>();
    firm.showScreen();
    setYearText(firm.cboYear, QString::number(statement->year));
    for (const char *column : kLoadOrder) {
        if (QLineEdit *box = firm.amountBox(QString::fromLatin1(column)))
            box->setText(amountText(statement->amounts, column));
    }
    firm.txtFirmName->setText(statement->firmName);
    firm.txtComments->setPlainText(statement->comment);
    firm.subShowSavedIndustry(statement->industry);
    firm.markUnchanged();
    // The hand-off is over; a flag still set would make a later, unrelated
    // activation keep this statement instead of starting afresh.
    state.gblnKeepFirmForm = false;
}
