#pragma once

#include "core/Messages.h"
#include "core/Screen.h"
#include "entry/LanguageHelpMenus.h"
#include "firm/StatementIndustry.h"

#include <QClipboard>
#include <QHash>
#include <QStringList>
#include <functional>
#include <optional>

class ClickableLabel;
class ImportSummaryDialog;
class StatementWrite;
class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QToolBar;
class QToolButton;

// The firm screen: one firm's balance sheet and income statement for one
// reference year, typed or reopened by the user, kept in the user database and
// handed to the comparison report.
class frmMyValues : public Screen
{
    Q_OBJECT

public:
    frmMyValues();

    // Whether the statement changed since it was last initialised, loaded or saved.
    bool dataChanged() const { return mblnDataChanged; }
    // A statement loaded from the database is not a change of the user's.
    void markUnchanged() { mblnDataChanged = false; }

    // A statement was loaded that was saved under `saved` (empty when that is
    // not known): the screen says so when another industry is now chosen.
    void subShowSavedIndustry(const std::optional<StatementIndustry> &saved);

    // The amount box of a MyValues column ("Cash" gives txtCash), or nullptr.
    QLineEdit *amountBox(const QString &column) const;
    // The caption label of a statement item by its name ("lblCash"), or nullptr.
    QLabel *itemLabel(const QString &labelName) const;

    // Entry behaviour.
    void subHandleKeyPress(int &intKeyPressed, QLineEdit *txtNumericalTextBox,
                           QLineEdit *txtNextTextbox);
    bool subValidateAmount(QLineEdit *box);
    void subCalculateSubTotals();
    void subRemoveBlanksCommas();
    void subInitializeValues();
    void subSetAllValuesToZero();
    void subFillYears(QComboBox *mycomboBox);

    // Record commands. Each returns whether it went through to its end.
    bool subStart_New_Firm_Record();
    void subOpen_Existing_Firm_Record();
    bool subSave_Firm_Record(bool blnSkipWarningMessages);
    void subDelete_Firm_Record();
    bool fncVerifyFirmName() const;
    void subView_Comparison_Report();
    // File > Save blank template…: an .xlsx or .csv template in the screen's
    // language, naming the firm and year when they are filled.
    void subSaveTemplate();
    // File > Import statement…: reads a file, shows the summary and, when
    // the user accepts, puts the amounts (and the file's firm and year) on
    // the screen, unsaved. Returns whether the screen changed.
    bool subImportStatement();

    // The file the template and import commands write or read; tests answer
    // instead of the file dialogs. `save` is true for the template.
    using FileChooser = std::function<QString(bool save, const QString &suggested)>;
    void setFileChooser(FileChooser chooser) { m_fileChooser = std::move(chooser); }
    // Runs the import summary; true when the user accepts. Tests answer it.
    using ImportSummaryRunner = std::function<bool(ImportSummaryDialog &)>;
    void setImportSummaryRunner(ImportSummaryRunner runner) { m_summaryRunner = std::move(runner); }
    // The comparison's checks and the list handed to the report; empty when
    // a check refused the statement (its message has been shown).
    std::optional<QStringList> fncPrepareComparison();

    void subLoadCaptions();
    // The captions in the new language; a firm name the user typed stays.
    void reloadCaptions() override;

    void mnuReturn_Click();
    void mnuReturnSearch_Click();
    void mnuExit_Click();
    // Window close and menu Exit: a changed statement's save question (Yes
    // saves then ends, No ends, Cancel stays), else the exit question.
    void subExitProgram();
    void mnuDefinition_Click();

    QLabel *lblFirmName = nullptr;
    QLineEdit *txtFirmName = nullptr;
    QLabel *lblYear = nullptr;
    QComboBox *cboYear = nullptr;
    QLabel *lblIndustry = nullptr;
    QLabel *lblSavedIndustry = nullptr;
    QLabel *lblNAICS = nullptr;
    QLabel *lblDataTableToCompare = nullptr;
    QLabel *lblAsset = nullptr;
    QLabel *lblLiabEq = nullptr;
    QLabel *lblIncome = nullptr;

    QLineEdit *txtCash = nullptr;
    QLineEdit *txtAr = nullptr;
    QLineEdit *txtInv = nullptr;
    QLineEdit *txtCA = nullptr;
    QLineEdit *txtOA = nullptr;
    QLineEdit *txtToa = nullptr;
    QLineEdit *txtInvest = nullptr;
    QLineEdit *txtPtfl = nullptr;
    QLineEdit *txtTa = nullptr;
    QLineEdit *txtOperatingRevenue = nullptr;
    QLineEdit *txtSales = nullptr;
    QLineEdit *txtGrossProfit = nullptr;
    QLineEdit *txtOperatingProfit = nullptr;
    QLineEdit *txtInterestExpense = nullptr;
    QLineEdit *txtPretaxProfit = nullptr;
    QLineEdit *txtProfitAfterTax = nullptr;
    QLineEdit *txtAccountsPayable = nullptr;
    QLineEdit *txtBanks = nullptr;
    QLineEdit *txtPaper = nullptr;
    QLineEdit *txtMtg = nullptr;
    QLineEdit *txtBonds = nullptr;
    QLineEdit *txtOl = nullptr;
    QLineEdit *txtAmtsAffil = nullptr;
    QLineEdit *txtOLiab = nullptr;
    QLineEdit *txtDefTax = nullptr;
    QLineEdit *txtTliab = nullptr;
    QLineEdit *txtShareC = nullptr;
    QLineEdit *txtRetEarn = nullptr;
    QLineEdit *txtOtherSur = nullptr;
    QLineEdit *txtEquity1 = nullptr;
    QLineEdit *txtTotLiabShareEq = nullptr;
    QLineEdit *txtCurrentAssets = nullptr;
    QLineEdit *txtCurrentLiabilities = nullptr;
    // The accountant's own comment, saved with the statement.
    QLabel *lblComments = nullptr;
    QPlainTextEdit *txtComments = nullptr;

    QToolBar *tbToolbar = nullptr;
    QToolButton *btnBack = nullptr;

    QMenu *mnuFile = nullptr;
    QAction *mnuNew = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuDelete = nullptr;
    QAction *mnuClearAll = nullptr;
    QAction *mnuSaveTemplate = nullptr;
    QAction *mnuImport = nullptr;
    QAction *mnuBackUp = nullptr;
    QAction *mnuRestore = nullptr;
    QAction *mnuReturn = nullptr;
    QAction *mnuReturnSearch = nullptr;
    QAction *mnuStatementsLocation = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuView = nullptr;
    QAction *mnuDefinition = nullptr;
    QAction *mnuReport = nullptr;
    // mnuLanguage (mnuEnglish, mnuFrench) and mnuHelp (mnuContents,
    // mnuTechnical, mnuAbout).
    LanguageHelpMenus languageHelp;

protected:
    void Form_Activate() override;
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Gives the box the focus with its whole text selected.
    static void selectWhole(QLineEdit *box);
    QWidget *buildHeader();
    QWidget *buildItemGroup(QLabel *&heading, const char *headingName, int first, int last);
    QWidget *buildComments();
    void buildToolbar();
    void subLoadToolbarNames();
    void buildMenus();
    void connectHandlers();

    void lblItem_Click(const QString &labelName);
    // The title and the industry labels follow the current data set and
    // industry every time the screen is shown.
    void subShowCurrentIndustry();
    MsgAnswer fncAskToSaveChanges(bool openWording);
    // Runs a save or a delete of the session to its end, asking its
    // questions; a refusal is said. True when it was written.
    bool fncRunWrite(StatementWrite &write);
    void subShowNumberMessage(QLineEdit *box);
    // A refused key, paste or edit: the message, then the box, holding the
    // amount it had before, selected whole; the next digit or paste replaces
    // it even if the window moved the caret meanwhile (until the user places
    // the caret or leaves the box).
    void subRefuse(QLineEdit *box, const QString &message);
    void subReplaceAfterRefusal(QLineEdit *box);
    // A key in an entered amount box; true when the box must not see it again.
    bool subAmountKeyPress(QLineEdit *box, QKeyEvent *event);
    // Runs an edit of the box, then brings the subtotals up to date; an edit
    // that takes an amount or a subtotal beyond the largest amount is taken
    // back and refused with the range message.
    void subGuardedEdit(QLineEdit *box, const std::function<void()> &edit);
    // The amount boxes' texts by column.
    QHash<QString, QString> fncAmountTexts() const;
    // Pastes an amount as spreadsheets copy it (see PastedAmount.h) into an
    // amount box, as its digits and the minus key would have put it; anything
    // else gets the number message, and nothing is pasted.
    void subPasteAmount(QLineEdit *box, QClipboard::Mode mode);
    // The box's context menu, its Paste going through subPasteAmount.
    void subShowAmountMenu(QLineEdit *box, const QPoint &globalPos);
    // The screen's statement as numbers; empty when a box does not hold a
    // number (its message has been shown and the box has the focus).
    std::optional<QList<double>> fncScreenAmounts();

    bool mblnDataChanged = false;
    // The box refused last, while its next input replaces its text.
    QLineEdit *m_replaceOnInput = nullptr;
    std::optional<StatementIndustry> m_savedIndustry;
    // Hidden since it was last active: the next activation starts afresh
    // (unless a command asked to keep the contents).
    bool m_hiddenSinceActive = true;
    bool m_captionsLoaded = false;
    QHash<QString, QLineEdit *> m_amountBoxes;
    QHash<QString, QLabel *> m_itemLabels;
    FileChooser m_fileChooser;
    ImportSummaryRunner m_summaryRunner;
};
