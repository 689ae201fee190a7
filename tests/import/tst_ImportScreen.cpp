// The firm screen's template and import commands: a template written by the
// screen, filled as a spreadsheet program would, and imported back gives the
// same amounts on the screen and, once saved, in the database; cancelling,
// a bad file and a second amount column.
#include "core/ResourceString.h"
#include "core/ScreenRegistry.h"
#include "core/StringIds.h"
#include "entry/frmMenu.h"
#include "firm/AmountText.h"
#include "firm/StatementItems.h"
#include "firm/frmMyValues.h"
#include "import/ImportLabels.h"
#include "import/ImportSummaryDialog.h"
#include "import/StatementImport.h"
#include "reports/frmReportViewer.h"
#include "search/frmSearch.h"
#include "store/SqliteStatementStore.h"
#include "support/FirmScreenSteps.h"
#include "support/SpreadsheetReader.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <xlsxwriter.h>

using namespace testsupport;

Q_DECLARE_METATYPE(Language)

namespace {
// The index of an item code, or -1.
int itemOf(const QString &code)
{
    for (int i = 0; i < kStatementItemCount; ++i) {
        if (code == QLatin1String(statementItems()[i].column))
            return i;
    }
    return -1;
}

// Amounts for the typed items, negative ones among them, and the totals
// that add them up, in statementItems() order.
std::array<double, kStatementItemCount> statementAmounts()
{
    std::array<double, kStatementItemCount> amounts{};
    for (int i = 0; i < kStatementItemCount; ++i)
        amounts[i] = (i % 7 == 3 ? -1 : 1) * (1000.0 + 37 * i);
    for (const SubtotalRule &rule : subtotalRules()) {
        double sum = 0;
        for (const char *addend : rule.addends)
            sum += amounts[itemOf(QLatin1String(addend))];
        amounts[itemOf(QLatin1String(rule.column))] = sum;
    }
    return amounts;
}

QString amountText(const QString &code)
{
    return QString::number(statementAmounts()[itemOf(code)], 'f', 0);
}

// Types each item's amount, totals included, into the CSV template's empty
// amount field: the one before the last on an item's line.
bool fillCsv(const QString &path, QChar separator)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    file.close();
    for (QString &line : lines) {
        const QString code = line.section(separator, 0, 0);
        if (itemOf(code) >= 0)
            line.insert(line.lastIndexOf(separator), amountText(code));
    }
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(lines.join(QStringLiteral("\r\n")).toUtf8()) > 0;
}

// Saves the workbook again as a spreadsheet program would after the amounts
// were typed into column D: its cells read back without the importer, then
// written anew with the amounts.
bool fillXlsx(const QString &path)
{
    XlsxReader reader;
    if (!reader.open(path))
        return false;
    const QMap<QString, XlsxCell> cells = reader.cells(1);
    lxw_workbook *workbook = workbook_new(path.toUtf8().constData());
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
    for (auto it = cells.cbegin(); it != cells.cend(); ++it) {
        lxw_row_t row = 0;
        lxw_col_t column = 0;
        row = lxw_name_to_row(it.key().toLatin1().constData());
        column = lxw_name_to_col(it.key().toLatin1().constData());
        if (it->number)
            worksheet_write_number(sheet, row, column, it->text.toDouble(), nullptr);
        else
            worksheet_write_string(sheet, row, column, it->text.toUtf8().constData(), nullptr);
        if (column == 0 && itemOf(it->text) >= 0)
            worksheet_write_number(sheet, row, 3, statementAmounts()[itemOf(it->text)], nullptr);
    }
    return workbook_close(workbook) == LXW_NO_ERROR;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

class tst_ImportScreen : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void templateRoundTrip_data();
    void templateRoundTrip();
    void importChoices_data();
    void importChoices();
    void rowAssignedInTheSummaryIsRemembered_data();
    void rowAssignedInTheSummaryIsRemembered();

private:
    frmMyValues &showFirm();
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<StateScope> m_state;
};

void tst_ImportScreen::init()
{
    m_state = std::make_unique<StateScope>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(openShippedDatabases(*m_dir));
    frmMenu &menu = ScreenRegistry::get<frmMenu>();
    menu.optVol2->setChecked(true);
    QVERIFY(menu.fncDetermineDataset());
}

void tst_ImportScreen::cleanup()
{
    m_state.reset();
    m_dir.reset();
}

frmMyValues &tst_ImportScreen::showFirm()
{
    return showNewStatementScreen();
}

void tst_ImportScreen::templateRoundTrip_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<Language>("language");
    QTest::newRow("en:xlsx") << "xlsx" << Language::English;
    QTest::newRow("fr:xlsx") << "xlsx" << Language::French;
    QTest::newRow("en:csv") << "csv" << Language::English;
    QTest::newRow("fr:csv") << "csv" << Language::French;
}

void tst_ImportScreen::templateRoundTrip()
{
    QFETCH(QString, format);
    QFETCH(Language, language);
    appState().gintLanguage = language;
    frmMyValues &firm = showFirm();
    firm.txtFirmName->setText(QStringLiteral("Aller-Retour Ltée"));
    firm.cboYear->setEditText(QStringLiteral("2005"));
    const QString path = m_dir->filePath(QStringLiteral("template.") + format);
    firm.setFileChooser([&path](bool, const QString &) { return path; });
    MessageRecorder messages(MsgAnswer::Ok);
    firm.subSaveTemplate();
    QVERIFY2(messages.messages.isEmpty(), qPrintable(messages.texts().join('\n')));

    QVERIFY(
        format == QLatin1String("xlsx")
            ? fillXlsx(path)
            : fillCsv(path, language == Language::French ? QLatin1Char(';') : QLatin1Char(',')));
    firm.subInitializeValues();
    QString summary;
    firm.setImportSummaryRunner([&summary](ImportSummaryDialog &dialog) {
        summary = dialog.txtImportSummary->toPlainText();
        return true;
    });
    QVERIFY(firm.subImportStatement());
    QVERIFY2(messages.messages.isEmpty(), qPrintable(messages.texts().join('\n')));
    // Every typed item filled, nothing rounded, no total differing: four
    // lines after the checks the made-up amounts fail, none of them a total.
    const QList<ImportCheck> checks = importStatement(readStatementFile(path), 0).checks;
    QVERIFY(!checks.isEmpty());
    for (const ImportCheck &check : checks)
        QVERIFY(check.kind != ImportCheck::Kind::FileTotal);
    QCOMPARE(summary.count(QLatin1Char('\n')), 3 + checks.size());
    QVERIFY(summary.contains(QStringLiteral(" 28 ")));
    QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Aller-Retour Ltée"));
    QCOMPARE(firm.cboYear->currentText(), QStringLiteral("2005"));
    QVERIFY(firm.dataChanged());
    const auto expected = statementAmounts();
    for (int i = 0; i < kStatementItemCount; ++i) {
        const QString column = QLatin1String(statementItems()[i].column);
        QCOMPARE(fncLeadingNumber(firm.amountBox(column)->text()), expected[i]);
    }
    // Nothing reaches the database before the user saves.
    Connection &user = appState().gcnUser;
    SqliteStatementStore store(user);
    QVERIFY(!store.open(QStringLiteral("Aller-Retour Ltée"), 2005));
    QVERIFY(firm.subSave_Firm_Record(false));
    const std::optional<SavedStatement> saved =
        store.open(QStringLiteral("Aller-Retour Ltée"), 2005);
    QVERIFY(saved);
    for (int i = 0; i < kStatementItemCount; ++i)
        QCOMPARE(saved->amounts.*firmStatementAmounts()[i], expected[i]);
}

void tst_ImportScreen::importChoices_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("column");   // the column the user picks; -1 cancels
    QTest::addColumn<QString>("cash"); // the cash box afterwards
    QTest::addColumn<int>("message");  // the message's text id, 0 for none

    QTest::newRow("cancel leaves the screen")
        << QByteArray("Item,Amount\nCash,75\n") << -1 << "0" << 0;
    QTest::newRow("bad file leaves the screen")
        << QByteArray("Item;Amount\nCash;75\nAr,5\nInv,6\n") << 0 << "0" << kImportMixedSeparators;
    QTest::newRow("second amount column")
        << QByteArray("Item,2006,2005\nCash,75,\"(1,250)\"\n") << 1 << "-1250" << 0;
}

void tst_ImportScreen::importChoices()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, column);
    QFETCH(int, message);
    frmMyValues &firm = showFirm();
    const QString path = m_dir->filePath(QStringLiteral("statement.csv"));
    QVERIFY(writeFile(path, bytes));
    firm.setFileChooser([&path](bool, const QString &) { return path; });
    firm.setImportSummaryRunner([column](ImportSummaryDialog &dialog) {
        if (column < 0)
            return false;
        dialog.cboAmountColumn->setCurrentIndex(column);
        return true;
    });
    const QString prompt = firm.txtFirmName->text();
    MessageRecorder messages(MsgAnswer::Ok);
    QCOMPARE(firm.subImportStatement(), column >= 0 && message == 0);
    QTEST(firm.txtCash->text(), "cash");
    QCOMPARE(firm.dataChanged(), column >= 0 && message == 0);
    QCOMPARE(firm.txtFirmName->text(), prompt);
    QCOMPARE(messages.messages.size(), message ? 1 : 0);
    if (message)
        QVERIFY(messages.texts().first().startsWith(
            ResourceString(message, Language::English).section(QLatin1Char('%'), 0, 0)));
}

void tst_ImportScreen::rowAssignedInTheSummaryIsRemembered_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("item"); // the item's name in the language, as the list shows it
    QTest::newRow("en") << Language::English << "Cash";
    QTest::newRow("fr") << Language::French << "Encaisse";
}

// A row the import does not know is assigned to an item from the summary's
// list: the summary follows, the amount goes on the screen, and the next
// import of that client's file knows the row.
void tst_ImportScreen::rowAssignedInTheSummaryIsRemembered()
{
    QFETCH(Language, language);
    QFETCH(QString, item);
    appState().gintLanguage = language;
    frmMyValues &firm = showFirm();
    firm.txtFirmName->setText(QStringLiteral("Maple Ridge Homes Ltd"));
    const QString path = m_dir->filePath(QStringLiteral("client.csv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Item,Amount\nCash on hand and in bank,1500\nAccounts receivable,2000\n");
    file.close();
    firm.setFileChooser([&path](bool, const QString &) { return path; });

    int listedBefore = -1;
    int listedAfter = -1;
    firm.setImportSummaryRunner([&](ImportSummaryDialog &dialog) {
        listedBefore = dialog.tblUnrecognised->rowCount();
        const QString evidence = qEnvironmentVariable("QUORVEL_EVIDENCE_DIR");
        if (!evidence.isEmpty())
            dialog.grab().save(evidence + QStringLiteral("/import-summary-%1.png")
                                              .arg(language == Language::French ? "fr" : "en"));
        auto *items = dialog.findChild<QComboBox *>(QStringLiteral("cboAssign2"));
        if (!items || items->findText(item) < 0)
            return false;
        emit items->activated(items->findText(item));
        QTest::qWait(0); // the assignment is queued: the table is rebuilt
        listedAfter = dialog.tblUnrecognised->rowCount();
        return true;
    });
    MessageRecorder messages(MsgAnswer::Ok);
    QVERIFY(firm.subImportStatement());
    QCOMPARE(listedBefore, 1);
    QCOMPARE(listedAfter, 0);
    QCOMPARE(firm.txtCash->text(), QStringLiteral("1500"));
    QCOMPARE(SqliteStatementStore(appState().gcnUser)
                 .importMapping(QStringLiteral("MAPLE RIDGE HOMES LTD")),
             (LabelMapping{{foldImportLabel(QStringLiteral("Cash on hand and in bank")),
                            QStringLiteral("Cash")}}));

    // The next import of the client's file knows the row.
    firm.setImportSummaryRunner([&](ImportSummaryDialog &dialog) {
        listedBefore = dialog.tblUnrecognised->rowCount();
        return true;
    });
    firm.txtCash->setText(QStringLiteral("0"));
    QVERIFY(firm.subImportStatement());
    QCOMPARE(listedBefore, 0);
    QCOMPARE(firm.txtCash->text(), QStringLiteral("1500"));
}

QUORVEL_TEST_MAIN(tst_ImportScreen)
#include "tst_ImportScreen.moc"
