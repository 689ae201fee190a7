#include "core/HelpLauncher.h"
#include "core/ProgramFolder.h"
#include "core/RecordSetModel.h"
#include "core/ScreenRegistry.h"
#include "entry/frmAbout.h"
#include "entry/frmMenu.h"
#include "firm/StatementItems.h"
#include "firm/frmMyValues.h"
#include "firm/frmOpenExisting.h"
#include "reports/frmReportViewer.h"
#include "search/frmIndustryDefinitions.h"
#include "search/frmSearch.h"
#include "store/SqliteStatementStore.h"
#include "support/FirmStatements.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMetaEnum>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUuid>

using namespace testsupport;

class tst_FirmScreen : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typingAndEnter();
    void minusKey();
    void rejectedKeys_data();
    void rejectedKeys();
    void leavingBoxes_data();
    void leavingBoxes();
    void computedBoxesLook();
    void clearAll_data();
    void clearAll();
    void activationKeepsOrStartsAfresh();
    void saveReplaceAndDelete();
    void saveRefusals_data();
    void saveRefusals();
    void unsavedChangesOnNew_data();
    void unsavedChangesOnNew();
    void openChecks();
    void comparisonChecks_data();
    void comparisonChecks();
    void comparisonReportShows();
    void languageSwitch();
    void languageSwitchReachesHiddenScreens();
    void returnsAndExit();
    void itemLabelShowsDefinition();
    void exactTotalsAreSaved();
    void industryStaysNamedAfterNew();
    void reopenedUnderAnotherIndustry();
    void reopenedAmountsSaveUnchanged();
    void roundTripsKeepTheChangedMark_data();
    void roundTripsKeepTheChangedMark();
    void cancelKeepsTheStatement_data();
    void cancelKeepsTheStatement();
    void exitWithAChangedStatement_data();
    void exitWithAChangedStatement();
    void pasteIsFilteredLikeTyping_data();
    void pasteIsFilteredLikeTyping();
    void refusalLeavesTheBoxSelectedWhole_data();
    void refusalLeavesTheBoxSelectedWhole();
    void editingShortcutsPass_data();
    void editingShortcutsPass();
    void subtotalsFollowTyping_data();
    void subtotalsFollowTyping();
    void writeRefusedMidSession_data();
    void writeRefusedMidSession();

private:
    frmMyValues &showFirm();
    void fill(frmMyValues &firm, const QStringList &pairs);
    void play(frmMyValues &firm, QLineEdit *box, const QString &script);
    static int storedRows(const QString &firm);
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<StateScope> m_state;
    QString m_industry;
    QString m_code;
};

void tst_FirmScreen::init()
{
    m_state = std::make_unique<StateScope>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(copyProgramFiles(*m_dir, {QStringLiteral("rpt_Comparison.rpt")}));
    QVERIFY(openShippedDatabases(*m_dir));
    setProgramFolderOverride(m_dir->path());
    frmReportViewer::setDisplayPause(false);
    frmMenu &menu = ScreenRegistry::get<frmMenu>();
    menu.optVol2->setChecked(true);
    QVERIFY(menu.fncDetermineDataset());
}

void tst_FirmScreen::cleanup()
{
    m_state.reset();
    m_dir.reset();
}

frmMyValues &tst_FirmScreen::showFirm()
{
    // An industry chosen on the search screen, then Continue with new data.
    frmSearch &search = ScreenRegistry::get<frmSearch>();
    search.showScreen();
    search.optNAICScode->click();
    search.cboNAICScodes->setCurrentIndex(0);
    search.cboNAICScodes_Click();
    m_code = search.lblHiddenNaics->text();
    m_industry = search.txtIndName->text();
    search.optCompareNew->setChecked(true);
    MessageRecorder unexpected;
    search.cmdContinue_Click();
    if (!unexpected.messages.isEmpty())
        qWarning() << "unexpected message" << unexpected.texts();
    return ScreenRegistry::get<frmMyValues>();
}

void tst_FirmScreen::fill(frmMyValues &firm, const QStringList &pairs)
{
    for (const QString &pair : pairs) {
        const QString column = pair.section(QLatin1Char('='), 0, 0);
        const QString value = pair.section(QLatin1Char('='), 1);
        if (column == QLatin1String("FirmName"))
            firm.txtFirmName->setText(value);
        else if (column == QLatin1String("Year"))
            firm.cboYear->setEditText(value);
        else
            firm.amountBox(column)->setText(value);
    }
    firm.subCalculateSubTotals();
}

// Plays a script on an amount box, steps parted by "|": "type:120" types
// characters, "paste:80,000" pastes through Ctrl+V, "key:Comma" presses a
// key, "ctrl:A", "ctrlshift:Z" and "alt:F" the key with those modifiers,
// "end" puts the caret after the text, "moved" before it with nothing
// selected (as a window manager may leave it after a message), "french"
// switches the language.
void tst_FirmScreen::play(frmMyValues &firm, QLineEdit *box, const QString &script)
{
    const QMetaEnum keys = QMetaEnum::fromType<Qt::Key>();
    for (const QString &step : script.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const QString kind = step.section(QLatin1Char(':'), 0, 0);
        const QString argument = step.section(QLatin1Char(':'), 1);
        const auto key = [&] {
            return Qt::Key(keys.keyToValue(("Key_" + argument).toLatin1().constData()));
        };
        if (kind == QLatin1String("type")) {
            QTest::keyClicks(box, argument);
        } else if (kind == QLatin1String("paste")) {
            QApplication::clipboard()->setText(argument);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else if (kind == QLatin1String("key")) {
            QTest::keyClick(box, key());
        } else if (kind == QLatin1String("ctrl")) {
            QTest::keyClick(box, key(), Qt::ControlModifier);
        } else if (kind == QLatin1String("ctrlshift")) {
            QTest::keyClick(box, key(), Qt::ControlModifier | Qt::ShiftModifier);
        } else if (kind == QLatin1String("alt")) {
            QTest::keyClick(box, key(), Qt::AltModifier);
        } else if (kind == QLatin1String("end")) {
            box->end(false);
        } else if (kind == QLatin1String("moved")) {
            box->setCursorPosition(0);
        } else if (kind == QLatin1String("french")) {
            firm.languageHelp.mnuFrench->trigger();
        } else {
            QVERIFY2(false, qPrintable(step));
        }
    }
}

int tst_FirmScreen::storedRows(const QString &firm)
{
    return GetRS(appState().gcnUser, QStringLiteral("select * from MyValues where FirmName = ?"),
                 QStringLiteral("read"), {firm})
        .RecordCount();
}

void tst_FirmScreen::typingAndEnter()
{
    frmMyValues &firm = showFirm();
    QVERIFY(firm.isVisible());
    QVERIFY(!ScreenRegistry::get<frmSearch>().isVisible());
    QCOMPARE(firm.lblIndustry->text(), m_industry);
    QCOMPARE(firm.lblNAICS->text(), m_code);
    QCOMPARE(firm.cboYear->currentText(), QStringLiteral("2006"));
    QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Enter a Firm Name Here"));
    QVERIFY(!firm.dataChanged());

    MessageRecorder messages;
    firm.txtCash->setFocus();
    firm.txtCash->selectAll();
    QTest::keyClicks(firm.txtCash, QStringLiteral("123"));
    QTest::keyClick(firm.txtCash, Qt::Key_Return);
    QCOMPARE(messages.texts(), QStringList());
    QCOMPARE(firm.txtCash->text(), QStringLiteral("123"));
    QCOMPARE(firm.txtToa->text(), QStringLiteral("123"));
    QCOMPARE(firm.txtTa->text(), QStringLiteral("123"));
    QCOMPARE(firm.focusWidget(), firm.txtAr);
    QVERIFY(firm.dataChanged());

    // Enter in a subtotal only moves on; from the last income item it
    // returns to the first liability.
    firm.txtTa->setFocus();
    QTest::keyClick(firm.txtTa, Qt::Key_Return);
    QCOMPARE(firm.focusWidget(), firm.txtAccountsPayable);
    firm.txtProfitAfterTax->setFocus();
    QTest::keyClick(firm.txtProfitAfterTax, Qt::Key_Return);
    QCOMPARE(firm.focusWidget(), firm.txtAccountsPayable);

    // Ten million and more: the subtotals keep every digit, in plain digits.
    firm.txtCash->setText(QStringLiteral("12345678"));
    firm.txtCash->setFocus();
    QTest::keyClick(firm.txtCash, Qt::Key_Return);
    QCOMPARE(firm.txtCash->text(), QStringLiteral("12345678"));
    QCOMPARE(firm.txtToa->text(), QStringLiteral("12345678"));
    QCOMPARE(firm.txtTa->text(), QStringLiteral("12345678"));
}

void tst_FirmScreen::minusKey()
{
    frmMyValues &firm = showFirm();
    MessageRecorder messages;
    firm.txtInv->setText(QStringLiteral("250"));
    firm.txtInv->setFocus();
    QTest::keyClick(firm.txtInv, Qt::Key_Minus);
    QCOMPARE(firm.txtInv->text(), QStringLiteral("-250"));
    QTest::keyClick(firm.txtInv, Qt::Key_Minus);
    QCOMPARE(firm.txtInv->text(), QStringLiteral("-250"));
    QVERIFY(!firm.txtInv->hasSelectedText());
    QCOMPARE(firm.txtInv->cursorPosition(), 4);

    firm.txtCA->setText(QStringLiteral("0"));
    firm.txtCA->setFocus();
    firm.txtCA->deselect();
    QTest::keyClick(firm.txtCA, Qt::Key_Minus);
    QCOMPARE(firm.txtCA->text(), QStringLiteral("-"));
    QTest::keyClick(firm.txtCA, Qt::Key_5);
    QVERIFY(firm.subValidateAmount(firm.txtCA));
    QCOMPARE(firm.txtCA->text(), QStringLiteral("-5"));

    firm.txtOA->setText(QStringLiteral("1500"));
    firm.txtOA->setFocus();
    firm.txtOA->setSelection(1, 2);
    QTest::keyClick(firm.txtOA, Qt::Key_Minus);
    QCOMPARE(firm.txtOA->text(), QStringLiteral("-10"));
    QCOMPARE(messages.texts(), QStringList());
}

void tst_FirmScreen::rejectedKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("message");
    // The message's title names the box the message is about.
    QTest::addColumn<QString>("title");
    const QString en = QStringLiteral("Please enter a number");
    const QString fr = QStringLiteral("SVP entrer un numéro");
    const QString enTitle = QStringLiteral("Quorvel \u2014 Annual sales of goods and services");
    const QString frTitle = QStringLiteral("Quorvel \u2014 Ventes annuelles de biens et services");
    QTest::newRow("en: decimal point")
        << int(Qt::Key_Period) << 0 << Language::English << en << enTitle;
    QTest::newRow("en: comma") << int(Qt::Key_Comma) << 0 << Language::English << en << enTitle;
    QTest::newRow("en: letter") << int(Qt::Key_A) << 0 << Language::English << en << enTitle;
    QTest::newRow("en: paste shortcut, a letter on the clipboard")
        << int(Qt::Key_V) << int(Qt::ControlModifier) << Language::English << en << enTitle;
    QTest::newRow("fr: blank") << int(Qt::Key_Space) << 0 << Language::French << fr << frTitle;
}

void tst_FirmScreen::rejectedKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(Language, language);
    QFETCH(QString, message);
    QFETCH(QString, title);
    appState().gintLanguage = language;
    frmMyValues &firm = showFirm();
    firm.txtSales->setText(QStringLiteral("1200"));
    firm.txtSales->setFocus();
    firm.txtSales->setCursorPosition(2);
    QApplication::clipboard()->setText(QStringLiteral("1x"));
    MessageRecorder messages;
    QTest::keyClick(firm.txtSales, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(messages.texts(), QStringList{message});
    QCOMPARE(messages.messages.first().icon, MsgIcon::None);
    QCOMPARE(messages.messages.first().title, title);
    QCOMPARE(firm.txtSales->text(), QStringLiteral("1200"));
    QCOMPARE(firm.txtSales->selectedText(), QStringLiteral("1200"));
}

void tst_FirmScreen::leavingBoxes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("left");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("emptied box") << ""
                                 << "0" << true;
    QTest::newRow("padded decimals") << "0012.50000"
                                     << "12.5" << true;
    QTest::newRow("pasted letters") << "7abc"
                                    << "7" << true;
    QTest::newRow("beyond the amount range") << "99999999999999999"
                                             << "99999999999999999" << false;
}

void tst_FirmScreen::leavingBoxes()
{
    QFETCH(QString, typed);
    QFETCH(QString, left);
    QFETCH(bool, accepted);
    frmMyValues &firm = showFirm();
    firm.txtCash->setText(typed);
    firm.txtAr->setText(QStringLiteral("5"));
    MessageRecorder messages;
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(firm.txtCash, &leave);
    QCOMPARE(firm.txtCash->text(), left);
    QCOMPARE(messages.messages.size(), accepted ? 0 : 1);
    // Subtotals follow only an accepted amount.
    QCOMPARE(firm.txtToa->text(),
             accepted ? QString::number(left.toDouble() + 5) : QStringLiteral("0"));
}

void tst_FirmScreen::computedBoxesLook()
{
    frmMyValues &firm = showFirm();
    for (const StatementItem &item : statementItems()) {
        QLineEdit *box = firm.amountBox(QString::fromLatin1(item.column));
        QCOMPARE(box->objectName(), QStringLiteral("txt") + QString::fromLatin1(item.column));
        QVERIFY(firm.itemLabel(QString::fromLatin1(item.labelName)));
        QCOMPARE(box->isReadOnly(), item.computed);
        QCOMPARE(box->font().bold(), item.computed);
        QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        if (item.computed) {
            QCOMPARE(box->palette().color(QPalette::Base), QColor(224, 224, 224));
            QCOMPARE(box->palette().color(QPalette::Text), QColor(0, 0, 128));
        }
    }
}

void tst_FirmScreen::clearAll_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("yes clears") << int(MsgAnswer::Yes);
    QTest::newRow("no keeps") << int(MsgAnswer::No);
}

void tst_FirmScreen::clearAll()
{
    QFETCH(int, answer);
    frmMyValues &firm = showFirm();
    fill(firm, {QStringLiteral("FirmName=Acme"), QStringLiteral("Cash=40")});
    QVERIFY(firm.dataChanged());
    MessageRecorder messages(static_cast<MsgAnswer>(answer));
    firm.tbToolbar->actions().last()->trigger();
    QCOMPARE(messages.messages.size(), 1);
    QCOMPARE(messages.messages.first().title, QStringLiteral("ROVAL"));
    QCOMPARE(messages.messages.first().text,
             QStringLiteral("Are you sure you want to clear all of the data?"));
    QCOMPARE(messages.messages.first().icon, MsgIcon::Question);
    QCOMPARE(messages.messages.first().buttons, MsgButtons::YesNo);
    if (static_cast<MsgAnswer>(answer) == MsgAnswer::Yes) {
        QCOMPARE(firm.txtCash->text(), QStringLiteral("0"));
        QCOMPARE(firm.txtToa->text(), QStringLiteral("0"));
        QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Enter a Firm Name Here"));
        // The industry stays named.
        QCOMPARE(firm.lblIndustry->text(), m_industry);
        QCOMPARE(firm.lblNAICS->text(), m_code);
        QVERIFY(!firm.dataChanged());
        QCOMPARE(firm.focusWidget(), firm.txtCash);
    } else {
        QCOMPARE(firm.txtCash->text(), QStringLiteral("40"));
        QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Acme"));
        QVERIFY(firm.dataChanged());
    }
}

void tst_FirmScreen::activationKeepsOrStartsAfresh()
{
    frmMyValues &firm = showFirm();
    fill(firm,
         {QStringLiteral("FirmName=Acme"), QStringLiteral("Cash=40"), QStringLiteral("Year=2005")});

    // To the industry definition and back: twice, the values stay.
    for (int round = 0; round < 2; ++round) {
        firm.mnuDefinition_Click();
        frmIndustryDefinitions &viewer = ScreenRegistry::get<frmIndustryDefinitions>();
        QVERIFY(viewer.isVisible());
        firm.activate();
        viewer.activate();
        viewer.hide();
        QCOMPARE(Screen::lastActiveScreen(), &firm);
        QCOMPARE(firm.txtCash->text(), QStringLiteral("40"));
        QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Acme"));
        QCOMPARE(firm.cboYear->currentText(), QStringLiteral("2005"));
    }
    QVERIFY(!appState().gblnKeepFirmForm);

    // Back to the search screen (answering No to saving) and on with new data:
    // the screen starts afresh.
    MessageRecorder messages(MsgAnswer::No);
    firm.mnuReturnSearch_Click();
    QVERIFY(!firm.isVisible());
    QVERIFY(ScreenRegistry::get<frmSearch>().isVisible());
    showFirm();
    QCOMPARE(firm.txtCash->text(), QStringLiteral("0"));
    QCOMPARE(firm.cboYear->currentText(), QStringLiteral("2006"));
    QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Enter a Firm Name Here"));
    QCOMPARE(firm.txtFirmName->selectedText(), QStringLiteral("Enter a Firm Name Here"));
}

void tst_FirmScreen::saveReplaceAndDelete()
{
    frmMyValues &firm = showFirm();
    fill(firm, {QStringLiteral("FirmName=Joe's Garage"), QStringLiteral("Year=2005"),
                QStringLiteral("Cash=10"), QStringLiteral("OA=")});
    const QString comment = QStringLiteral("Seasonal trade.\nCount the stock again.");
    firm.txtComments->setPlainText(comment);
    {
        MessageRecorder messages;
        QVERIFY(firm.subSave_Firm_Record(false));
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("Data has been saved.")});
        QVERIFY(!firm.dataChanged());
        QCOMPARE(firm.txtOA->text(), QStringLiteral("0"));
    }
    QCOMPARE(SqliteStatementStore(appState().gcnUser)
                 .open(QStringLiteral("Joe's Garage"), 2005)
                 ->comment,
             comment);
    // Typing a comment is a change like typing an amount.
    QTest::keyClicks(firm.txtComments, QStringLiteral(" Done."));
    QVERIFY(firm.dataChanged());
    RecordSet rs =
        GetRS(appState().gcnUser, QStringLiteral("select * from MyValues"), QStringLiteral("read"));
    QCOMPARE(rs.RecordCount(), 1);
    QCOMPARE(rs.text(QStringLiteral("FirmName")), QStringLiteral("Joe's Garage"));
    QCOMPARE(rs.field(QStringLiteral("Year")).toInt(), 2005);
    QCOMPARE(rs.text(QStringLiteral("NAICS")), m_code);
    QCOMPARE(rs.field(QStringLiteral("Toa")).toDouble(), 10.0);

    // The same key again: Cancel keeps the stored row, OK replaces it.
    firm.txtCash->setText(QStringLiteral("20"));
    {
        MessageRecorder messages(MsgAnswer::Cancel);
        QVERIFY(!firm.subSave_Firm_Record(false));
        QCOMPARE(messages.texts(),
                 QStringList{QStringLiteral(
                     "There are already values for Joe's Garage for the reference year 2005. If "
                     "you would like to replace the existing values with the ones below PRESS OK. "
                     " If you would like to cancel and continue working with the data on this "
                     "screen more PRESS CANCEL.  ")});
        QCOMPARE(messages.messages.first().buttons, MsgButtons::OkCancel);
        // Enter keeps the stored statement.
        QCOMPARE(messages.messages.first().defaultAnswer, MsgAnswer::Cancel);
        QVERIFY(firm.dataChanged());
    }
    QCOMPARE(GetRS(appState().gcnUser, QStringLiteral("select Cash from MyValues"),
                   QStringLiteral("read"))
                 .field(0)
                 .toDouble(),
             10.0);
    {
        MessageRecorder messages(MsgAnswer::Ok);
        QVERIFY(firm.subSave_Firm_Record(false));
    }
    QCOMPARE(storedRows(QStringLiteral("Joe's Garage")), 1);
    QCOMPARE(GetRS(appState().gcnUser, QStringLiteral("select Cash from MyValues"),
                   QStringLiteral("read"))
                 .field(0)
                 .toDouble(),
             20.0);

    // Delete: No keeps it, Yes removes it and empties the screen.
    {
        MessageRecorder messages(MsgAnswer::No);
        firm.subDelete_Firm_Record();
        QCOMPARE(storedRows(QStringLiteral("Joe's Garage")), 1);
    }
    MessageRecorder messages(MsgAnswer::Yes);
    firm.subDelete_Firm_Record();
    QCOMPARE(messages.texts(),
             QStringList{QStringLiteral("Are you sure you want to delete this record?")});
    QCOMPARE(messages.messages.first().defaultAnswer, MsgAnswer::No);
    QCOMPARE(storedRows(QStringLiteral("Joe's Garage")), 0);
    QCOMPARE(firm.txtCash->text(), QStringLiteral("0"));
    QCOMPARE(firm.txtComments->toPlainText(), QString());
    QCOMPARE(firm.lblNAICS->text(), m_code);
    // Deleting a key that is not stored asks, then says nothing more.
    firm.subDelete_Firm_Record();
    QCOMPARE(messages.messages.size(), 2);
}

void tst_FirmScreen::saveRefusals_data()
{
    QTest::addColumn<QString>("firmName");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("cash");
    QTest::addColumn<QString>("message");
    QTest::newRow("blank name") << "   "
                                << "2005"
                                << "1"
                                << "Invalid firm name.";
    QTest::newRow("prompt left as it is") << "Enter a Firm Name Here"
                                          << "2005"
                                          << "1"
                                          << "Invalid firm name.";
    QTest::newRow("year not a number") << "Acme"
                                       << "20x5"
                                       << "1"
                                       << "Invalid year.  Year must be between 2004 and 2006";
    QTest::newRow("lone minus sign") << "Acme"
                                     << "2005"
                                     << "-"
                                     << "Please enter a number";
}

void tst_FirmScreen::saveRefusals()
{
    QFETCH(QString, firmName);
    QFETCH(QString, year);
    QFETCH(QString, cash);
    QFETCH(QString, message);
    frmMyValues &firm = showFirm();
    fill(firm, {QStringLiteral("FirmName=") + firmName, QStringLiteral("Year=") + year});
    firm.txtCash->setText(cash);
    MessageRecorder messages;
    QVERIFY(!firm.subSave_Firm_Record(false));
    QCOMPARE(messages.texts(), QStringList{message});
    QVERIFY(firm.dataChanged());
    QCOMPARE(
        GetRS(appState().gcnUser, QStringLiteral("select * from MyValues"), QStringLiteral("read"))
            .RecordCount(),
        0);
}

void tst_FirmScreen::unsavedChangesOnNew_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("firmName");
    QTest::addColumn<int>("storedAfter");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("yes saves then clears") << int(MsgAnswer::Yes) << "Acme" << 1 << true;
    QTest::newRow("no clears without saving") << int(MsgAnswer::No) << "Acme" << 0 << true;
    QTest::newRow("cancel keeps everything") << int(MsgAnswer::Cancel) << "Acme" << 0 << false;
    QTest::newRow("yes with a refused name keeps the screen")
        << int(MsgAnswer::Yes) << "  " << 0 << false;
}

void tst_FirmScreen::unsavedChangesOnNew()
{
    QFETCH(int, answer);
    QFETCH(QString, firmName);
    QFETCH(int, storedAfter);
    QFETCH(bool, cleared);
    frmMyValues &firm = showFirm();
    fill(firm, {QStringLiteral("FirmName=") + firmName, QStringLiteral("Cash=7")});
    MessageRecorder messages(static_cast<MsgAnswer>(answer));
    firm.mnuNew->trigger();
    QCOMPARE(messages.texts().first(), QStringLiteral("The data for the firm ") + firmName +
                                           QStringLiteral(" has changed.  Do you want to save "
                                                          "the changes?"));
    QCOMPARE(messages.messages.first().buttons, MsgButtons::YesNoCancel);
    QCOMPARE(
        GetRS(appState().gcnUser, QStringLiteral("select * from MyValues"), QStringLiteral("read"))
            .RecordCount(),
        storedAfter);
    QCOMPARE(firm.txtCash->text(), cleared ? QStringLiteral("0") : QStringLiteral("7"));
    // An unchanged screen is cleared without a question.
    if (cleared) {
        messages.messages.clear();
        firm.mnuNew->trigger();
        QCOMPARE(messages.messages.size(), 0);
    }
}

void tst_FirmScreen::openChecks()
{
    frmMyValues &firm = showFirm();
    frmOpenExisting &openExisting = ScreenRegistry::get<frmOpenExisting>();
    {
        // Nothing stored, nothing changed: the no-records message.
        MessageRecorder messages;
        firm.mnuOpen->trigger();
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("No records were found")});
        QVERIFY(!openExisting.isVisible());
        QVERIFY(!appState().gblnKeepFirmForm);
    }
    appState().gintLanguage = Language::French;
    fill(firm, {QStringLiteral("FirmName=Acme"), QStringLiteral("Cash=7")});
    {
        // Changed and answered No: the list opens without the records test.
        MessageRecorder messages(MsgAnswer::No);
        firm.mnuOpen->trigger();
        QCOMPARE(messages.texts().first(),
                 QStringLiteral("Les donées de l'entreprise Acme on changé.  Voulez-vous "
                                "sauvegarder les changements?"));
        QVERIFY(openExisting.isVisible());
    }
    openExisting.hide();
    QCOMPARE(firm.txtCash->text(), QStringLiteral("7"));
}

void tst_FirmScreen::comparisonChecks_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("message"); // empty: the list goes to the report
    const QStringList balanced{QStringLiteral("FirmName=Acme"), QStringLiteral("Cash=100"),
                               QStringLiteral("ShareC=100")};
    QTest::newRow("nothing entered")
        << QStringList{QStringLiteral("FirmName=Acme")} << "Please enter your firm values first";
    QTest::newRow("totals differ")
        << QStringList{QStringLiteral("FirmName=Acme"), QStringLiteral("Cash=100")}
        << "Total Assets is not equal Total Liabilities and Shareholders' Equity";
    QTest::newRow("year before") << balanced + QStringList{QStringLiteral("Year=2003")}
                                 << "Invalid year.  Year must be between 2004 and 2006";
    QTest::newRow("year after") << balanced + QStringList{QStringLiteral("Year=2007")}
                                << "Invalid year.  Year must be between 2004 and 2006";
    QTest::newRow("year with letters") << balanced + QStringList{QStringLiteral("Year=2005x")}
                                       << "Invalid year.  Year must be between 2004 and 2006";
    QTest::newRow("empty firm name")
        << QStringList{QStringLiteral("Cash=100"), QStringLiteral("ShareC=100"),
                       QStringLiteral("FirmName=")}
        << "Please enter a firm name";
    QTest::newRow("blank name passes")
        << QStringList{QStringLiteral("Cash=100"), QStringLiteral("ShareC=100"),
                       QStringLiteral("FirmName= ")}
        << "";
    QTest::newRow("year 2005 passes") << balanced + QStringList{QStringLiteral("Year=2005")} << "";
}

void tst_FirmScreen::comparisonChecks()
{
    QFETCH(QStringList, values);
    QFETCH(QString, message);
    frmMyValues &firm = showFirm();
    fill(firm, values);
    MessageRecorder messages;
    const std::optional<QStringList> list = firm.fncPrepareComparison();
    // The screen keeps its contents after the report, whatever the checks said.
    QVERIFY(appState().gblnKeepFirmForm);
    if (!message.isEmpty()) {
        QVERIFY(!list);
        QCOMPARE(messages.texts(), QStringList{message});
        return;
    }
    QVERIFY(list);
    QCOMPARE(messages.texts(), QStringList());
    QCOMPARE(list->size(), 37);
    QCOMPARE(list->at(0), firm.txtFirmName->text());
    QCOMPARE(list->at(1), firm.cboYear->currentText());
    QCOMPARE(list->at(2), m_code);
    QCOMPARE(list->at(3), m_industry.trimmed());
    for (int i = 0; i < kStatementItemCount; ++i)
        QCOMPARE(list->at(4 + i),
                 firm.amountBox(QString::fromLatin1(statementItems()[i].column))->text());
    QCOMPARE(list->at(4), QStringLiteral("100"));  // Cash
    QCOMPARE(list->at(12), QStringLiteral("100")); // Ta
    QCOMPARE(list->at(34), QStringLiteral("100")); // TotLiabShareEq
}

void tst_FirmScreen::comparisonReportShows()
{
    frmMyValues &firm = showFirm();
    fill(firm, {QStringLiteral("FirmName=Acme"), QStringLiteral("Year=2005"),
                QStringLiteral("Cash=100"), QStringLiteral("ShareC=100")});
    MessageRecorder messages;
    bool viewerShown = false;
    frmReportViewer &viewer = ScreenRegistry::get<frmReportViewer>();
    connect(&viewer, &Screen::activated, &viewer, [&viewer, &viewerShown] {
        viewerShown = viewer.isVisible();
        QTimer::singleShot(0, &viewer, &QWidget::hide);
    });
    firm.mnuReport->trigger();
    QVERIFY(viewerShown);
    QCOMPARE(messages.texts(), QStringList());
    const RecordSet row = GetRS(appState().gcnUser, QStringLiteral("select * from Rpt_Comparison"),
                                QStringLiteral("read"));
    QCOMPARE(row.RecordCount(), 1);
    // Back from the modal report, the screen kept its statement.
    QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Acme"));
    QCOMPARE(firm.txtCash->text(), QStringLiteral("100"));
    QCOMPARE(storedRows(QStringLiteral("Acme")), 0);
}

void tst_FirmScreen::languageSwitch()
{
    frmMyValues &firm = showFirm();
    fill(firm,
         {QStringLiteral("FirmName=Acme"), QStringLiteral("Cash=40"), QStringLiteral("Year=2005")});
    const bool changed = firm.dataChanged();
    firm.languageHelp.mnuFrench->trigger();
    QCOMPARE(appState().gintLanguage, Language::French);
    // The typed name stays; only the label shows the new language's prompt.
    QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Acme"));
    QCOMPARE(firm.lblFirmName->text(), QStringLiteral("Entrer un nom d’entreprise ici"));
    QCOMPARE(firm.txtCash->text(), QStringLiteral("40"));
    QCOMPARE(firm.cboYear->currentText(), QStringLiteral("2005"));
    QCOMPARE(firm.dataChanged(), changed);
    QCOMPARE(firm.itemLabel(QStringLiteral("lblCash"))->text(), QStringLiteral("Encaisse"));
    QCOMPARE(firm.itemLabel(QStringLiteral("lblEquity"))->text(),
             QStringLiteral("Total, capitaux propres "));
    QCOMPARE(firm.lblIncome->text(), QStringLiteral("Données de l'état des résultats "));
    QCOMPARE(testsupport::shownText(firm.mnuFile->title()), QStringLiteral("Fichier"));
    QCOMPARE(testsupport::shownText(firm.mnuOpen->text()),
             QStringLiteral("Ouvrir le rapport existant"));
    QCOMPARE(testsupport::shownText(firm.languageHelp.mnuAbout->text()),
             QStringLiteral("Au sujet de LAVOR"));
    QCOMPARE(testsupport::shownText(firm.languageHelp.mnuEnglish->text()),
             QStringLiteral("English"));
    QVERIFY(appState().gstrDatasetCaption.size() > 0);
    QCOMPARE(firm.windowTitle(),
             QStringLiteral("Comparer une entreprise avec ") + appState().gstrDatasetCaption);
    // The industry's name follows the language on the search screen and here.
    const frmSearch &search = ScreenRegistry::get<frmSearch>();
    QCOMPARE(firm.lblIndustry->text(), search.txtIndName->text());
    QCOMPARE(firm.lblNAICS->text(), m_code);
    QCOMPARE(search.optNAICScode->text(), QStringLiteral("Code du SCIAN"));
    // The toolbar's tips are the same in both languages.
    QCOMPARE(firm.tbToolbar->actions().first()->toolTip(), QStringLiteral("New / Nouveau"));

    firm.languageHelp.mnuEnglish->trigger();
    QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Acme"));
    QCOMPARE(firm.dataChanged(), changed);
    QCOMPARE(firm.lblIndustry->text(), m_industry);
    QCOMPARE(testsupport::shownText(firm.mnuReturnSearch->text()),
             QStringLiteral("Return to Industry Selection"));

    // The untouched prompt follows the language.
    MessageRecorder messages(MsgAnswer::No);
    firm.mnuNew->trigger();
    firm.languageHelp.mnuFrench->trigger();
    QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Entrer un nom d’entreprise ici"));
    firm.languageHelp.mnuEnglish->trigger();
    QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Enter a Firm Name Here"));
}

// A switch made on the search screen reaches the firm screen behind it: a
// statement the firm screen keeps when shown again reads in the new language.
void tst_FirmScreen::languageSwitchReachesHiddenScreens()
{
    frmMyValues &firm = showFirm();
    frmOpenExisting &openExisting = ScreenRegistry::get<frmOpenExisting>();
    firm.mnuReturnSearch->trigger();
    frmSearch &search = ScreenRegistry::get<frmSearch>();
    QVERIFY(search.isVisible());
    QVERIFY(!firm.isVisible());

    search.languageHelp.mnuFrench->trigger();
    QCOMPARE(firm.itemLabel(QStringLiteral("lblCash"))->text(), QStringLiteral("Encaisse"));
    QCOMPARE(testsupport::shownText(firm.mnuFile->title()), QStringLiteral("Fichier"));
    QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Entrer un nom d’entreprise ici"));
    QCOMPARE(firm.windowTitle(),
             QStringLiteral("Comparer une entreprise avec ") + appState().gstrDatasetCaption);
    QCOMPARE(appState().gstrDatasetCaption, ScreenRegistry::get<frmMenu>().optVol2->text());
    QVERIFY(firm.lblIndustry->text() != m_industry);
    QCOMPARE(firm.lblIndustry->text(), search.txtIndName->text());
    QCOMPARE(openExisting.cmdOpen->text(), QStringLiteral("Ouvrir"));

    appState().gblnKeepFirmForm = true;
    search.hide();
    firm.showScreen();
    QCOMPARE(firm.lblIncome->text(), QStringLiteral("Données de l'état des résultats "));
    QCOMPARE(firm.lblIndustry->text(), search.txtIndName->text());
}

void tst_FirmScreen::returnsAndExit()
{
    // Nothing changed: the exit question.
    frmMyValues &firm = showFirm();
    QVERIFY(!firm.dataChanged());
    {
        EndRecorder ends;
        MessageRecorder messages(MsgAnswer::No);
        firm.mnuExit->trigger();
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("Do you want to exit?")});
        QVERIFY(!ends.ended());
        QVERIFY(firm.isVisible());
    }
    {
        EndRecorder ends;
        MessageRecorder messages(MsgAnswer::Yes);
        try {
            firm.mnuExit_Click();
        } catch (const ProgramEnded &) {
        }
        QCOMPARE(ends.exitCodes, QList<int>{0});
        QCOMPARE(messages.messages.size(), 1);
    }
    // Return to the main menu, No to saving: the screen goes, unsaved.
    fill(firm, {QStringLiteral("FirmName=Acme"), QStringLiteral("Cash=40")});
    MessageRecorder messages(MsgAnswer::No);
    firm.mnuReturn->trigger();
    QVERIFY(!firm.isVisible());
    QVERIFY(ScreenRegistry::get<frmMenu>().isVisible());
    QCOMPARE(storedRows(QStringLiteral("Acme")), 0);
}

void tst_FirmScreen::itemLabelShowsDefinition()
{
    frmMyValues &firm = showFirm();
    firm.txtCash->setText(QStringLiteral("5"));
    firm.txtCash->setFocus();
    MessageRecorder messages;
    QTest::mouseClick(firm.itemLabel(QStringLiteral("lblCash")), Qt::LeftButton);
    firm.languageHelp.mnuFrench->trigger();
    QTest::mouseClick(firm.itemLabel(QStringLiteral("lblCash")), Qt::LeftButton);
    QCOMPARE(messages.messages.size(), 2);
    QCOMPARE(messages.messages.at(0).title, QStringLiteral("CASH AND DEPOSITS DEFINITION"));
    QCOMPARE(messages.messages.at(1).title, QStringLiteral("DÉFINITION ENCAISSE ET DÉPÔTS"));
    QCOMPARE(messages.messages.at(0).icon, MsgIcon::Information);
    QCOMPARE(firm.focusWidget(), firm.txtCash);
}

void tst_FirmScreen::roundTripsKeepTheChangedMark_data()
{
    QTest::addColumn<QString>("trip");
    QTest::newRow("comparison report") << "report";
    QTest::newRow("industry definition") << "definition";
    QTest::newRow("about screen") << "about";
    QTest::newRow("help") << "help";
}

// Coming back to the screen keeps a typed statement's changed mark, so the
// commands that would drop it still ask to save it.
void tst_FirmScreen::roundTripsKeepTheChangedMark()
{
    QFETCH(QString, trip);
    frmMyValues &firm = showFirm();
    fill(firm, {QStringLiteral("FirmName=Acme"), QStringLiteral("Year=2005"),
                QStringLiteral("Cash=100"), QStringLiteral("ShareC=100")});
    QVERIFY(firm.dataChanged());
    {
        MessageRecorder messages;
        // Each window the trip opens hides itself once it is active.
        const auto leaveWhenActive = [](Screen &screen) {
            connect(&screen, &Screen::activated, &screen,
                    [&screen] { QTimer::singleShot(0, &screen, &QWidget::hide); });
        };
        if (trip == QLatin1String("report")) {
            leaveWhenActive(ScreenRegistry::get<frmReportViewer>());
            firm.mnuReport->trigger();
        } else if (trip == QLatin1String("definition")) {
            firm.mnuDefinition_Click();
            frmIndustryDefinitions &viewer = ScreenRegistry::get<frmIndustryDefinitions>();
            QVERIFY(viewer.isVisible());
            viewer.activate();
            viewer.hide();
        } else if (trip == QLatin1String("about")) {
            leaveWhenActive(ScreenRegistry::get<frmAbout>());
            firm.languageHelp.mnuAbout->trigger();
        } else {
            setProcessStarter([](const QString &, const QStringList &) { return true; });
            firm.languageHelp.mnuContents->trigger();
            setProcessStarter({});
        }
        QCOMPARE(messages.texts(), QStringList());
    }
    QCOMPARE(Screen::lastActiveScreen(), &firm);
    QCOMPARE(firm.txtCash->text(), QStringLiteral("100"));
    QVERIFY(firm.dataChanged());

    MessageRecorder messages(MsgAnswer::Cancel);
    firm.mnuNew->trigger();
    QCOMPARE(messages.texts(), QStringList{QStringLiteral("The data for the firm Acme has changed. "
                                                          " Do you want to save the changes?")});
    QCOMPARE(firm.txtCash->text(), QStringLiteral("100"));
}

void tst_FirmScreen::cancelKeepsTheStatement_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("New") << "mnuNew";
    QTest::newRow("Open") << "mnuOpen";
    QTest::newRow("Return to Main Menu") << "mnuReturn";
    QTest::newRow("Return to Industry Selection") << "mnuReturnSearch";
    QTest::newRow("Return button") << "btnBack";
}

// Cancel in the unsaved-changes question cancels the command: the screen,
// its statement and its changed mark stay.
void tst_FirmScreen::cancelKeepsTheStatement()
{
    QFETCH(QString, command);
    frmMyValues &firm = showFirm();
    fill(firm, {QStringLiteral("FirmName=Acme"), QStringLiteral("Cash=40")});
    MessageRecorder messages(MsgAnswer::Cancel);
    if (command == QLatin1String("btnBack"))
        firm.btnBack->click();
    else
        firm.findChild<QAction *>(command)->trigger();
    QCOMPARE(messages.messages.size(), 1);
    QCOMPARE(messages.messages.first().buttons, MsgButtons::YesNoCancel);
    QVERIFY(firm.isVisible());
    QVERIFY(!ScreenRegistry::get<frmMenu>().isVisible());
    QVERIFY(!ScreenRegistry::get<frmSearch>().isVisible());
    QVERIFY(!ScreenRegistry::get<frmOpenExisting>().isVisible());
    QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Acme"));
    QCOMPARE(firm.txtCash->text(), QStringLiteral("40"));
    QVERIFY(firm.dataChanged());
    QCOMPARE(storedRows(QStringLiteral("Acme")), 0);
}

void tst_FirmScreen::exitWithAChangedStatement_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<int>("stored");
    QTest::newRow("Exit, Yes saves then ends") << "menu" << int(MsgAnswer::Yes) << true << 1;
    QTest::newRow("Exit, No ends unsaved") << "menu" << int(MsgAnswer::No) << true << 0;
    QTest::newRow("Exit, Cancel stays") << "menu" << int(MsgAnswer::Cancel) << false << 0;
    QTest::newRow("close box, Yes saves then ends") << "close" << int(MsgAnswer::Yes) << true << 1;
    QTest::newRow("close box, Cancel stays") << "close" << int(MsgAnswer::Cancel) << false << 0;
}

void tst_FirmScreen::exitWithAChangedStatement()
{
    QFETCH(QString, how);
    QFETCH(int, answer);
    QFETCH(bool, ends);
    QFETCH(int, stored);
    frmMyValues &firm = showFirm();
    fill(firm, {QStringLiteral("FirmName=Acme"), QStringLiteral("Cash=40")});
    EndRecorder ending;
    MessageRecorder messages(static_cast<MsgAnswer>(answer));
    try {
        if (how == QLatin1String("menu"))
            firm.mnuExit_Click();
        else
            firm.close();
    } catch (const ProgramEnded &) {
    }
    QCOMPARE(messages.texts().first(), QStringLiteral("The data for the firm Acme has changed.  "
                                                      "Do you want to save the changes?"));
    QCOMPARE(messages.messages.first().buttons, MsgButtons::YesNoCancel);
    QCOMPARE(ending.ended(), ends);
    if (ends)
        QCOMPARE(ending.exitCodes, QList<int>{0});
    QCOMPARE(storedRows(QStringLiteral("Acme")), stored);
    if (!ends) {
        QVERIFY(firm.isVisible());
        QCOMPARE(firm.txtCash->text(), QStringLiteral("40"));
        QVERIFY(firm.dataChanged());
    }
}

void tst_FirmScreen::pasteIsFilteredLikeTyping_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("message"); // empty: none
    const QString number = QStringLiteral("Please enter a number");
    QTest::newRow("Ctrl+V digits") << "ctrl+v"
                                   << "1234"
                                   << "51234" << QString();
    QTest::newRow("Shift+Insert digits") << "shift+insert"
                                         << "77"
                                         << "577" << QString();
    QTest::newRow("context menu digits") << "menu"
                                         << "90"
                                         << "590" << QString();
    QTest::newRow("Ctrl+V letters") << "ctrl+v"
                                    << "12abc"
                                    << "5" << number;
    QTest::newRow("Shift+Insert cents rounded")
        << "shift+insert"
        << "12.5"
        << "513"
        << "The cents were rounded to whole dollars: 12.5 is entered as 13.";
    QTest::newRow("context menu minus sign") << "menu"
                                             << "-3"
                                             << "-53" << QString();
    QTest::newRow("Ctrl+V blank inside") << "ctrl+v"
                                         << "1 000"
                                         << "51000" << QString();
    QTest::newRow("context menu accounting negative") << "menu"
                                                      << "($1,234)"
                                                      << "-51234" << QString();
    QTest::newRow("Ctrl+V French decimals, as an import reads them") << "ctrl+v"
                                                                     << "80 000,00 $"
                                                                     << "580000" << QString();
    QTest::newRow("context menu French cents rounded")
        << "menu"
        << "1 234,56 $"
        << "51235"
        << "The cents were rounded to whole dollars: 1 234,56 $ is entered as 1235.";
}

// Pasted text goes into an amount box when typing could have put it there,
// or an import would read it (cents rounded, and said); anything else gets
// the number message and nothing is pasted.
void tst_FirmScreen::pasteIsFilteredLikeTyping()
{
    QFETCH(QString, how);
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    QFETCH(QString, message);
    frmMyValues &firm = showFirm();
    firm.activateWindow();
    firm.txtCash->setText(QStringLiteral("5"));
    firm.txtCash->setFocus();
    firm.txtCash->deselect();
    firm.txtCash->end(false);
    QApplication::clipboard()->setText(clipboard);
    MessageRecorder messages;
    if (how == QLatin1String("ctrl+v")) {
        QTest::keyClick(firm.txtCash, Qt::Key_V, Qt::ControlModifier);
    } else if (how == QLatin1String("shift+insert")) {
        QTest::keyClick(firm.txtCash, Qt::Key_Insert, Qt::ShiftModifier);
    } else {
        bool pasteFound = false;
        QTimer::singleShot(0, &firm, [&pasteFound] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction *action : menu->actions()) {
                if (action->text().startsWith(QLatin1String("&Paste"))) {
                    pasteFound = true;
                    action->trigger();
                }
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                firm.txtCash->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(firm.txtCash, &event);
        QVERIFY(pasteFound);
    }
    QCOMPARE(firm.txtCash->text(), after);
    QCOMPARE(messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
}

void tst_FirmScreen::refusalLeavesTheBoxSelectedWhole_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("refused");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("then");
    QTest::addColumn<QString>("after");
    const QString number = QStringLiteral("Please enter a number");
    const QString tooLarge = QStringLiteral(
        "This amount is too large. The largest amount accepted is 922,337,203,685,477.");
    QTest::newRow("comma, then a paste") << "0"
                                         << "key:Comma" << number << "moved|paste:80000"
                                         << "80000";
    QTest::newRow("comma, then typing") << "0"
                                        << "key:Comma" << number << "moved|type:120"
                                        << "120";
    QTest::newRow("a control key, then typing") << "0"
                                                << "ctrl:Q" << number << "moved|type:120"
                                                << "120";
    QTest::newRow("pasted letters, then a paste") << "0"
                                                  << "paste:12abc" << number << "moved|paste:80000"
                                                  << "80000";
    QTest::newRow("pasted two decimal marks, then typing")
        << "0"
        << "paste:1.2.3" << number << "moved|type:120"
        << "120";
    QTest::newRow("pasted amount too large, then typing")
        << "0"
        << "paste:1234567890123456" << tooLarge << "moved|type:120"
        << "120";
    QTest::newRow("digit past the largest amount, then typing")
        << "92233720368547"
        << "end|type:8" << tooLarge << "moved|type:120"
        << "120";
    QTest::newRow("a refusal, then minus") << "250"
                                           << "key:Period" << number << "moved|key:Minus|type:5"
                                           << "-5";
    QTest::newRow("the user places the caret after a refusal")
        << "250"
        << "key:Comma" << number << "moved|key:End|type:1"
        << "2501";
}

// After any refusal the box holds what it held before, selected whole, and
// the next digit or paste replaces it, even when the window left the caret
// elsewhere; an amount never silently grows tenfold.
void tst_FirmScreen::refusalLeavesTheBoxSelectedWhole()
{
    QFETCH(QString, start);
    QFETCH(QString, refused);
    QFETCH(QString, message);
    QFETCH(QString, then);
    QFETCH(QString, after);
    frmMyValues &firm = showFirm();
    QVERIFY(QTest::qWaitForWindowActive(&firm));
    fill(firm, {QStringLiteral("Cash=") + start});
    firm.txtCash->setFocus();
    firm.txtCash->selectAll();
    MessageRecorder messages;
    play(firm, firm.txtCash, refused);
    QCOMPARE(messages.texts(), QStringList{message});
    QCOMPARE(firm.txtCash->text(), start);
    QCOMPARE(firm.txtCash->selectedText(), start);
    QCOMPARE(firm.txtToa->text(), start);
    play(firm, firm.txtCash, then);
    QCOMPARE(firm.txtCash->text(), after);
    QCOMPARE(messages.texts().size(), 1);
}

void tst_FirmScreen::editingShortcutsPass_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("select all, then typing") << "end|ctrl:A|type:7"
                                             << "7"
                                             << "" << QStringList();
    QTest::newRow("copy") << "ctrl:A|ctrl:C"
                          << "1234"
                          << "1234" << QStringList();
    QTest::newRow("cut") << "ctrl:A|ctrl:X"
                         << ""
                         << "1234" << QStringList();
    QTest::newRow("undo") << "end|type:5|ctrl:Z"
                          << "1234"
                          << "" << QStringList();
    QTest::newRow("redo") << "end|type:5|ctrl:Z|ctrlshift:Z"
                          << "12345"
                          << "" << QStringList();
    QTest::newRow("the save command's key") << "ctrl:S"
                                            << "1234"
                                            << "" << QStringList{"Data has been saved."};
    QTest::newRow("a menu's key") << "alt:F"
                                  << "1234"
                                  << "" << QStringList();
    QTest::newRow("other control keys stay filtered") << "ctrl:B"
                                                      << "1234"
                                                      << "" << QStringList{"Please enter a number"};
}

void tst_FirmScreen::editingShortcutsPass()
{
    QFETCH(QString, script);
    QFETCH(QString, after);
    QFETCH(QString, clipboard);
    QFETCH(QStringList, messages);
    frmMyValues &firm = showFirm();
    QVERIFY(QTest::qWaitForWindowActive(&firm));
    fill(firm, {QStringLiteral("FirmName=Shortcut Ltd"), QStringLiteral("Cash=1234")});
    firm.txtCash->setFocus();
    QApplication::clipboard()->clear();
    MessageRecorder recorder;
    play(firm, firm.txtCash, script);
    if (QWidget *popup = QApplication::activePopupWidget()) {
        QCOMPARE(popup, firm.mnuFile);
        popup->close();
    } else {
        QVERIFY(!script.startsWith(QLatin1String("alt:")));
    }
    QCOMPARE(recorder.texts(), messages);
    QCOMPARE(firm.txtCash->text(), after);
    QCOMPARE(firm.txtToa->text(), after.isEmpty() ? QStringLiteral("0") : after);
    if (!clipboard.isEmpty())
        QCOMPARE(QApplication::clipboard()->text(), clipboard);
    QCOMPARE(storedRows(QStringLiteral("Shortcut Ltd")),
             messages.size() == 1 && messages.first().startsWith("Data") ? 1 : 0);
}

void tst_FirmScreen::subtotalsFollowTyping_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("cash");
    QTest::newRow("typing") << "type:12"
                            << "12";
    QTest::newRow("backspace") << "type:12|key:Backspace"
                               << "1";
    QTest::newRow("minus") << "type:12|key:Minus"
                           << "-12";
    QTest::newRow("paste") << "paste:(1 000)"
                           << "-1000";
    QTest::newRow("language switch") << "type:12|french"
                                     << "12";
}

// Subtotals follow each change while the user types, before the box is
// left; a language switch in the middle shows the current totals.
void tst_FirmScreen::subtotalsFollowTyping()
{
    QFETCH(QString, script);
    QFETCH(QString, cash);
    frmMyValues &firm = showFirm();
    QVERIFY(QTest::qWaitForWindowActive(&firm));
    fill(firm, {QStringLiteral("Invest=5"), QStringLiteral("Banks=7")});
    firm.txtCash->setFocus();
    firm.txtCash->selectAll();
    MessageRecorder messages;
    play(firm, firm.txtCash, script);
    QCOMPARE(messages.texts(), QStringList());
    QVERIFY(firm.txtCash->hasFocus());
    QCOMPARE(firm.txtCash->text(), cash);
    QCOMPARE(firm.txtToa->text(), cash);
    QCOMPARE(firm.txtTa->text(), QString::number(cash.toInt() + 5));
    QCOMPARE(firm.txtTotLiabShareEq->text(), QStringLiteral("7"));
}

void tst_FirmScreen::writeRefusedMidSession_data()
{
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only") << "read-only"
                               << "it is read-only";
    QTest::newRow("locked by another program") << "locked"
                                               << "another program holds it locked";
}

// A user database that refuses writes in the middle of a session: save,
// delete and the comparison report each say so, write nothing, and the
// program goes on with the statement on the screen.
void tst_FirmScreen::writeRefusedMidSession()
{
    QFETCH(QString, refusal);
    QFETCH(QString, reason);
    frmMyValues &firm = showFirm();
    fill(firm, {QStringLiteral("FirmName=Acme"), QStringLiteral("Year=2005"),
                QStringLiteral("Cash=100"), QStringLiteral("ShareC=100")});
    {
        MessageRecorder saved;
        QVERIFY(firm.subSave_Firm_Record(false));
    }
    firm.txtCash->setText(QStringLiteral("300"));
    firm.txtShareC->setText(QStringLiteral("300"));
    firm.subCalculateSubTotals();

    const QString userFile = appState().gcnUser.filePath();
    const QString other = QUuid::createUuid().toString();
    if (refusal == QLatin1String("read-only")) {
        QSqlQuery(appState().gcnUser.database()).exec(QStringLiteral("PRAGMA query_only = ON"));
    } else {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), other);
        db.setDatabaseName(userFile);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("begin immediate")));
    }

    EndRecorder ending;
    MessageRecorder messages(MsgAnswer::Ok);
    const auto run = [](const std::function<void()> &command) {
        try {
            runGuarded(command);
        } catch (const ProgramEnded &) {
        }
    };
    run([&firm] { firm.mnuSave->trigger(); });
    messages.answers = {MsgAnswer::Yes, MsgAnswer::Ok};
    run([&firm] { firm.subDelete_Firm_Record(); });
    bool viewerShown = false;
    frmReportViewer &viewer = ScreenRegistry::get<frmReportViewer>();
    connect(&viewer, &Screen::activated, &viewer, [&viewer, &viewerShown] {
        viewerShown = true;
        QTimer::singleShot(0, &viewer, &QWidget::hide);
    });
    run([&firm] { firm.mnuReport->trigger(); });

    QVERIFY(!ending.ended());
    QVERIFY(!viewerShown);
    const QStringList texts = messages.texts();
    QCOMPARE(texts.size(), 5);
    QCOMPARE(texts.at(1), QStringLiteral("The statement could not be saved: the user database ") +
                              userFile + QStringLiteral(" refused the change (") + reason +
                              QStringLiteral("). Nothing was written; the statement is still on "
                                             "the screen."));
    QCOMPARE(texts.at(2), QStringLiteral("Are you sure you want to delete this record?"));
    QVERIFY2(texts.at(3).startsWith(QStringLiteral("The statement could not be deleted")),
             qPrintable(texts.at(3)));
    QVERIFY2(texts.at(4).startsWith(QStringLiteral("The report could not be prepared")),
             qPrintable(texts.at(4)));
    QVERIFY(firm.isVisible());
    QCOMPARE(firm.txtCash->text(), QStringLiteral("300"));
    QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Acme"));
    QVERIFY(firm.dataChanged());

    // Once the database takes writes again, the same statement saves.
    if (refusal == QLatin1String("read-only")) {
        QSqlQuery(appState().gcnUser.database()).exec(QStringLiteral("PRAGMA query_only = OFF"));
    } else {
        QSqlDatabase::database(other, false).close();
        QSqlDatabase::removeDatabase(other);
    }
    QCOMPARE(GetRS(appState().gcnUser, QStringLiteral("select Cash from MyValues"),
                   QStringLiteral("read"))
                 .field(0)
                 .toDouble(),
             100.0);
    MessageRecorder again(MsgAnswer::Ok);
    QVERIFY(firm.subSave_Firm_Record(false));
    QCOMPARE(GetRS(appState().gcnUser, QStringLiteral("select Cash from MyValues"),
                   QStringLiteral("read"))
                 .field(0)
                 .toDouble(),
             300.0);
}

// "ACME" and "Acme" for one year are one statement: saving one when the
// other is stored asks the replace question, even from a save that
// otherwise replaces without asking; nothing goes without the answer.
QUORVEL_TEST_MAIN(tst_FirmScreen)
#include "tst_FirmScreen.moc"

void tst_FirmScreen::exactTotalsAreSaved()
{
    frmMyValues &firm = showFirm();
    fill(firm, {QStringLiteral("FirmName=Odd Digits"), QStringLiteral("Cash=15000000"),
                QStringLiteral("Ar=5123"), QStringLiteral("Invest=16777217"),
                QStringLiteral("Banks=15005123"), QStringLiteral("ShareC=16777217")});
    QCOMPARE(firm.txtToa->text(), QStringLiteral("15005123"));
    QCOMPARE(firm.txtTa->text(), QStringLiteral("31782340"));
    MessageRecorder messages;
    QVERIFY(firm.subSave_Firm_Record(false));
    const RecordSet rs = GetRS(appState().gcnUser,
                               QStringLiteral("select Toa, Ta, Tliab, Equity1, TotLiabShareEq "
                                              "from MyValues where FirmName = 'Odd Digits'"),
                               QStringLiteral("read"));
    QCOMPARE(rs.field(QStringLiteral("Toa")).toDouble(), 15005123.0);
    QCOMPARE(rs.field(QStringLiteral("Ta")).toDouble(), 31782340.0);
    QCOMPARE(rs.field(QStringLiteral("Tliab")).toDouble(), 15005123.0);
    QCOMPARE(rs.field(QStringLiteral("Equity1")).toDouble(), 16777217.0);
    QCOMPARE(rs.field(QStringLiteral("TotLiabShareEq")).toDouble(), 31782340.0);

    // A total typed over by hand is saved as the sum of its items.
    firm.txtToa->setText(QStringLiteral("1.500512E+07"));
    QVERIFY(firm.subSave_Firm_Record(true));
    QCOMPARE(GetRS(appState().gcnUser,
                   QStringLiteral("select Toa from MyValues where FirmName = 'Odd Digits'"),
                   QStringLiteral("read"))
                 .field(0)
                 .toDouble(),
             15005123.0);
}

void tst_FirmScreen::industryStaysNamedAfterNew()
{
    frmMyValues &firm = showFirm();
    const QString title = firm.windowTitle();
    QVERIFY(title.endsWith(appState().gstrDatasetCaption));
    fill(firm, {QStringLiteral("FirmName=Acme"), QStringLiteral("Cash=40")});
    MessageRecorder messages(MsgAnswer::No);
    QVERIFY(firm.subStart_New_Firm_Record());
    QCOMPARE(firm.lblIndustry->text(), m_industry);
    QCOMPARE(firm.lblNAICS->text(), m_code);
    // The comparison carries the industry's title, not an empty one.
    fill(firm,
         {QStringLiteral("FirmName=Acme"), QStringLiteral("Cash=40"), QStringLiteral("Banks=40")});
    const std::optional<QStringList> values = firm.fncPrepareComparison();
    QVERIFY(values);
    QCOMPARE(values->at(kComparisonIndustry), m_industry.trimmed());
}

void tst_FirmScreen::reopenedUnderAnotherIndustry()
{
    frmMyValues &firm = showFirm();
    const QString savedCode = m_code;
    fill(firm, {QStringLiteral("FirmName=ACME Builders"), QStringLiteral("Cash=40"),
                QStringLiteral("Banks=40")});
    {
        MessageRecorder messages;
        QVERIFY(firm.subSave_Firm_Record(false));
    }
    const RecordSet saved =
        GetRS(appState().gcnUser,
              QStringLiteral("select FirmKey, NAICS, Volume, Region from StatementIndustry"),
              QStringLiteral("read"));
    QCOMPARE(saved.RecordCount(), 1);
    QCOMPARE(saved.text(QStringLiteral("FirmKey")), QStringLiteral("acme builders"));
    QCOMPARE(saved.text(QStringLiteral("NAICS")), savedCode);
    QCOMPARE(saved.field(QStringLiteral("Volume")).toInt(), 2);

    // Another data set and another industry are chosen, then the statement is opened.
    MessageRecorder messages(MsgAnswer::No);
    firm.mnuReturn_Click();
    frmMenu &menu = ScreenRegistry::get<frmMenu>();
    menu.optVol1->setChecked(true);
    QVERIFY(menu.fncDetermineDataset());
    frmSearch &search = ScreenRegistry::get<frmSearch>();
    search.showScreen();
    search.optNAICScode->click();
    // The first industry of volume 1 that is not the saved one.
    for (int i = 0; i < search.cboNAICScodes->count(); ++i) {
        search.cboNAICScodes->setCurrentIndex(i);
        search.cboNAICScodes_Click();
        if (search.lblHiddenNaics->text() != savedCode)
            break;
    }
    const QString nowCode = search.lblHiddenNaics->text();
    QVERIFY(nowCode != savedCode);

    frmOpenExisting &open = ScreenRegistry::get<frmOpenExisting>();
    QVERIFY(open.fncLoadFirms());
    QCOMPARE(open.AdodcFirms->columnCount(), 5);
    QVERIFY2(open.AdodcFirms->value(0, 2).toString().startsWith(savedCode + QLatin1Char(' ')),
             qPrintable(open.AdodcFirms->value(0, 2).toString()));
    open.subOpenRecord();
    QVERIFY(firm.isVisible());
    QVERIFY(firm.windowTitle().endsWith(appState().gstrDatasetCaption));
    QCOMPARE(appState().gintVolume, qint16(1));
    QCOMPARE(firm.lblNAICS->text(), nowCode);
    QVERIFY(!firm.lblSavedIndustry->isHidden());
    const QString line = firm.lblSavedIndustry->text();
    QVERIFY2(line.startsWith(QStringLiteral("Saved under ") + savedCode), qPrintable(line));
    QVERIFY2(line.contains(QStringLiteral("; compared with the industry now chosen: ") + nowCode),
             qPrintable(line));
    QVERIFY2(line.contains(QStringLiteral("(volume 2 – ")), qPrintable(line));

    // The line follows a switch of language.
    const QString evidence = qEnvironmentVariable("QUORVEL_EVIDENCE_DIR");
    if (!evidence.isEmpty())
        firm.grab().save(evidence + QStringLiteral("/firm-saved-under-en.png"));
    firm.languageHelp.mnuFrench->trigger();
    QVERIFY2(
        firm.lblSavedIndustry->text().startsWith(QStringLiteral("Sauvegardé sous ") + savedCode),
        qPrintable(firm.lblSavedIndustry->text()));
    if (!evidence.isEmpty())
        firm.grab().save(evidence + QStringLiteral("/firm-saved-under-fr.png"));
    firm.languageHelp.mnuEnglish->trigger();
    firm.txtFirmName->setText(QStringLiteral("ACME Builders")); // the switch shows the prompt

    // Saved again, the statement belongs to the industry now chosen.
    MessageRecorder saving(MsgAnswer::Ok);
    QVERIFY(firm.subSave_Firm_Record(false));
    QVERIFY(firm.lblSavedIndustry->isHidden());
}

// A statement written with amounts of 16 and 17 significant digits, reopened
// and saved again, stores the very same numbers.
void tst_FirmScreen::reopenedAmountsSaveUnchanged()
{
    frmMyValues &firm = showFirm();
    FirmStatement amounts;
    amounts.Cash = 123456789012.3456;
    amounts.Ar = 0.30000000000000004;
    amounts.Sales = 98765432109876.52;
    amounts.Banks = 1.0 / 3.0;
    testsupport::saveStatement(
        appState().gcnUser,
        testsupport::firmRecord(QStringLiteral("Exact Ltd."), 2006, m_code, amounts));

    frmOpenExisting &open = ScreenRegistry::get<frmOpenExisting>();
    QVERIFY(open.fncLoadFirms());
    open.subOpenRecord();
    QCOMPARE(firm.txtCash->text(), QStringLiteral("123456789012.3456"));
    QCOMPARE(firm.txtAr->text(), QStringLiteral("0.30000000000000004"));
    MessageRecorder messages;
    QVERIFY(firm.subSave_Firm_Record(true));
    const RecordSet rs =
        GetRS(appState().gcnUser, QStringLiteral("select Cash, Ar, Sales, Banks from MyValues"),
              QStringLiteral("read"));
    QCOMPARE(rs.RecordCount(), 1);
    // Seventeen digits tell any two doubles apart: the comparison is exact.
    const auto exact = [](double value) { return QString::number(value, 'g', 17); };
    QCOMPARE(exact(rs.field(QStringLiteral("Cash")).toDouble()), exact(amounts.Cash));
    QCOMPARE(exact(rs.field(QStringLiteral("Ar")).toDouble()), exact(amounts.Ar));
    QCOMPARE(exact(rs.field(QStringLiteral("Sales")).toDouble()), exact(amounts.Sales));
    QCOMPARE(exact(rs.field(QStringLiteral("Banks")).toDouble()), exact(amounts.Banks));
}
