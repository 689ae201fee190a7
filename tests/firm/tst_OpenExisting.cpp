#include "support/TestSupport.h"

#include "core/ResourceString.h"

#include "core/RecordSetModel.h"
#include "core/ScreenRegistry.h"
#include "entry/frmMenu.h"
#include "firm/StatementItems.h"
#include "firm/frmMyValues.h"
#include "firm/frmOpenExisting.h"
#include "search/frmSearch.h"
#include "session/AppSession.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

using namespace testsupport;

namespace {
// Records the keep-the-firm-screen flag each time the watched screen is shown.
class ShowWatcher : public QObject
{
public:
    QList<bool> keepFlagAtShow;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            keepFlagAtShow.append(appState().gblnKeepFirmForm);
        return QObject::eventFilter(watched, event);
    }
};

// A screen of no consequence, to move the activation elsewhere and back.
class OtherScreen : public Screen
{
};

// The amount a stored statement holds in the item at `index`: whole amounts
// apart from the first, which carries four decimals.
double storedAmount(int base, int index)
{
    return index == 0 ? base + 0.1234 : base + index;
}

const QString kBakeryComment = QStringLiteral("Ovens replaced in May.\nSee the lease.");

void insertStatement(const QString &firmName, int year, int base)
{
    QStringList columns{QStringLiteral("FirmName"), QStringLiteral("Year"),
                        QStringLiteral("NAICS")};
    QVariantList values{firmName, year, QStringLiteral("999999")};
    for (int i = 0; i < kStatementItemCount; ++i) {
        columns << QString::fromLatin1(statementItems()[i].column);
        values << storedAmount(base, i);
    }
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    execBound(appState().gcnUser,
              QStringLiteral("insert into MyValues (") + columns.join(QLatin1Char(',')) +
                  QStringLiteral(") values (") + marks.join(QLatin1Char(',')) + QStringLiteral(")"),
              values);
}

QStringList listedRows(const RecordSetModel &model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows << model.index(row, 0).data().toString() + QLatin1Char('|') +
                    model.index(row, 1).data().toString();
    return rows;
}

int rowOf(const RecordSetModel &model, const QString &firmName, int year)
{
    for (int row = 0; row < model.rowCount(); ++row)
        if (model.value(row, 0).toString() == firmName && model.value(row, 1).toInt() == year)
            return row;
    return -1;
}
} // namespace

class tst_OpenExisting : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void emptyTableListsNothing();
    void listOrderAndHeadings_data();
    void listOrderAndHeadings();
    void captions_data();
    void captions();

    void openLoadsTheChosenStatement_data();
    void openLoadsTheChosenStatement();
    void doubleClickOpensTheRow();
    void nothingToOpen_data();
    void nothingToOpen();
    void activationListsNewStatements();
    void activationKeepsThePickedStatement();
    void closingLeavesTheScreensBehind();
    void cancelAndEscapeGoBack_data();
    void cancelAndEscapeGoBack();

private:
    frmSearch &showSearchWithIndustry();
    void checkLoaded(const QString &firmName, int year, int base);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<StateScope> m_state;
};

void tst_OpenExisting::init()
{
    m_state = std::make_unique<StateScope>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(openShippedDatabases(*m_dir));
    frmMenu &menu = ScreenRegistry::get<frmMenu>();
    menu.optVol2->setChecked(true);
    QVERIFY(menu.fncDetermineDataset());
}

void tst_OpenExisting::cleanup()
{
    m_state.reset();
    m_dir.reset();
}

frmSearch &tst_OpenExisting::showSearchWithIndustry()
{
    frmSearch &search = ScreenRegistry::get<frmSearch>();
    search.showScreen();
    search.lblHiddenNaics->setText(QStringLiteral("445110"));
    search.txtIndName->setText(QStringLiteral("Grocery stores"));
    appSession().chooseIndustry(
        ChosenIndustry{QStringLiteral("445110"), QStringLiteral("Grocery stores")});
    return search;
}

void tst_OpenExisting::checkLoaded(const QString &firmName, int year, int base)
{
    frmMyValues &firm = ScreenRegistry::get<frmMyValues>();
    QVERIFY(firm.isVisible());
    QCOMPARE(firm.txtFirmName->text(), firmName);
    QCOMPARE(firm.cboYear->currentText(), QString::number(year));
    // The industry is the one chosen now, not the one the statement was saved with.
    QCOMPARE(firm.lblNAICS->text(), QStringLiteral("445110"));
    QCOMPARE(firm.lblIndustry->text(), QStringLiteral("Grocery stores"));
    // Captioned even when this is the screen's very first showing, and a
    // statement just read is not an unsaved change.
    QCOMPARE(firm.findChild<QLabel *>(QStringLiteral("lblCash"))->text(),
             ResourceString(152, appState().gintLanguage));
    QVERIFY(!firm.dataChanged());
    QCOMPARE(firm.txtCash->text(), QString::number(base) + QStringLiteral(".1234"));
    // The statement's comment comes with it; one saved without any has none.
    QCOMPARE(firm.txtComments->toPlainText(),
             firmName == QLatin1String("O'Brien's Bakery") ? kBakeryComment : QString());
    for (int i = 1; i < kStatementItemCount; ++i) {
        const QString column = QString::fromLatin1(statementItems()[i].column);
        QCOMPARE(firm.findChild<QLineEdit *>(QStringLiteral("txt") + column)->text(),
                 QString::number(base + i));
    }
}

void tst_OpenExisting::emptyTableListsNothing()
{
    frmOpenExisting &screen = ScreenRegistry::get<frmOpenExisting>();
    QVERIFY(!screen.fncLoadFirms());
    QCOMPARE(screen.AdodcFirms->rowCount(), 0);
    QVERIFY(!screen.dbgFirms->isVisibleTo(&screen));
    QCOMPARE(screen.AdodcFirms->objectName(), QStringLiteral("AdodcFirms"));
}

void tst_OpenExisting::listOrderAndHeadings_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QStringList>("headings");
    QTest::newRow("en") << Language::English << QStringList{"FirmName", "Year"};
    QTest::newRow("fr") << Language::French << QStringList{"Nom", "Année"};
}

void tst_OpenExisting::listOrderAndHeadings()
{
    QFETCH(Language, language);
    QFETCH(QStringList, headings);
    appState().gintLanguage = language;
    insertStatement(QStringLiteral("zeta Works"), 2006, 100);
    insertStatement(QStringLiteral("Two Years Inc"), 2006, 200);
    insertStatement(QStringLiteral("École Nord"), 2005, 300);
    insertStatement(QStringLiteral("Two Years Inc"), 2005, 400);
    insertStatement(QStringLiteral("alpha"), 2004, 500);
    // Stored before names ignored letter case: one firm, its years in order.
    insertStatement(QStringLiteral("two years inc"), 2004, 600);

    frmOpenExisting &screen = ScreenRegistry::get<frmOpenExisting>();
    QVERIFY(screen.fncLoadFirms());
    QVERIFY(screen.dbgFirms->isVisibleTo(&screen));
    QCOMPARE(listedRows(*screen.AdodcFirms),
             (QStringList{"alpha|2004", "École Nord|2005", "two years inc|2004",
                          "Two Years Inc|2005", "Two Years Inc|2006", "zeta Works|2006"}));
    QCOMPARE(screen.AdodcFirms->headerData(0, Qt::Horizontal).toString(), headings.at(0));
    QCOMPARE(screen.AdodcFirms->headerData(1, Qt::Horizontal).toString(), headings.at(1));
    QCOMPARE(screen.dbgFirms->currentIndex().row(), 0);
}

void tst_OpenExisting::captions_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("exportAll");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("en") << Language::English << "Which firm would you like to work with?"
                        << "Open Existing"
                        << "Open"
                        << "Export comparisons…"
                        << "Cancel";
    QTest::newRow("fr") << Language::French
                        << "Avec laquelle des entreprises aimeriez-vous travailler?"
                        << "Ouvrir le rapport existant"
                        << "Ouvrir"
                        << "Exporter les comparaisons…"
                        << "Annuler";
}

void tst_OpenExisting::captions()
{
    QFETCH(Language, language);
    QFETCH(QString, question);
    QFETCH(QString, title);
    QFETCH(QString, open);
    QFETCH(QString, exportAll);
    QFETCH(QString, cancel);
    appState().gintLanguage = language;
    frmOpenExisting &screen = ScreenRegistry::get<frmOpenExisting>();
    screen.showScreen();
    QCOMPARE(screen.lblQuestion->text(), question);
    QCOMPARE(screen.windowTitle(), title);
    QCOMPARE(screen.cmdOpen->text(), open);
    QCOMPARE(screen.cmdExportComparisons->text(), exportAll);
    QCOMPARE(screen.cmdCancel->text(), cancel);
}

void tst_OpenExisting::openLoadsTheChosenStatement_data()
{
    QTest::addColumn<bool>("fromFirmScreen");
    QTest::addColumn<QString>("firmName");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("base");
    QTest::newRow("search:first of two years") << false << "Two Years Inc" << 2005 << 1000;
    QTest::newRow("search:second of two years") << false << "Two Years Inc" << 2006 << 2000;
    QTest::newRow("search:apostrophes") << false << "O'Brien's Bakery" << 2006 << 3000;
    QTest::newRow("search:blanks at both ends") << false << "  Spaced Ltd  " << 2005 << 4000;
    QTest::newRow("firm:first of two years") << true << "Two Years Inc" << 2005 << 1000;
    QTest::newRow("firm:apostrophes") << true << "O'Brien's Bakery" << 2006 << 3000;
    QTest::newRow("firm:blanks at both ends") << true << "  Spaced Ltd  " << 2005 << 4000;
    // Two spellings of one name stored before names ignored letter case: each
    // stays readable.
    QTest::newRow("search:capitals of a name stored twice") << false << "ACME" << 2005 << 6000;
    QTest::newRow("search:other spelling of it") << false << "Acme" << 2005 << 7000;
}

void tst_OpenExisting::openLoadsTheChosenStatement()
{
    QFETCH(bool, fromFirmScreen);
    QFETCH(QString, firmName);
    QFETCH(int, year);
    QFETCH(int, base);
    insertStatement(QStringLiteral("Two Years Inc"), 2005, 1000);
    insertStatement(QStringLiteral("Two Years Inc"), 2006, 2000);
    insertStatement(QStringLiteral("O'Brien's Bakery"), 2006, 3000);
    execBound(
        appState().gcnUser,
        QStringLiteral("insert into StatementComment (FirmKey, [Year], Comment) values (?, ?, ?)"),
        {fncFirmKey(QStringLiteral("O'Brien's Bakery")), 2006, kBakeryComment});
    insertStatement(QStringLiteral("  Spaced Ltd  "), 2005, 4000);
    insertStatement(QStringLiteral("Spaced Ltd"), 2005, 5000);
    insertStatement(QStringLiteral("ACME"), 2005, 6000);
    insertStatement(QStringLiteral("Acme"), 2005, 7000);

    frmSearch &search = showSearchWithIndustry();
    frmMyValues &firm = ScreenRegistry::get<frmMyValues>();
    ShowWatcher watcher;
    if (fromFirmScreen) {
        // The firm screen's Open command leaves it under the list.
        search.hide();
        firm.showScreen();
        firm.txtCash->setText(QStringLiteral("77"));
        appState().gblnKeepFirmForm = true;
    } else {
        firm.installEventFilter(&watcher);
    }
    frmOpenExisting &screen = ScreenRegistry::get<frmOpenExisting>();
    QVERIFY(screen.fncLoadFirms());
    screen.showScreen();
    const int row = rowOf(*screen.AdodcFirms, firmName, year);
    QVERIFY(row >= 0);
    screen.dbgFirms->setCurrentIndex(screen.AdodcFirms->index(row, 0));

    MessageRecorder recorder;
    QTest::mouseClick(screen.cmdOpen, Qt::LeftButton);

    QVERIFY(recorder.messages.isEmpty());
    QVERIFY(!screen.isVisible());
    QVERIFY(!search.isVisible());
    checkLoaded(firmName, year, base);
    if (!fromFirmScreen)
        QCOMPARE(watcher.keepFlagAtShow, QList<bool>{true});
    // Used up by the firm screen's activation; never left over for a later one.
    QCOMPARE(appState().gblnKeepFirmForm, false);
    QCOMPARE(Screen::lastActiveScreen(), &firm);
}

void tst_OpenExisting::doubleClickOpensTheRow()
{
    insertStatement(QStringLiteral("Two Years Inc"), 2005, 1000);
    insertStatement(QStringLiteral("Two Years Inc"), 2006, 2000);
    showSearchWithIndustry();
    frmOpenExisting &screen = ScreenRegistry::get<frmOpenExisting>();
    screen.showScreen();
    QCOMPARE(screen.AdodcFirms->rowCount(), 2);

    const QRect cell = screen.dbgFirms->visualRect(screen.AdodcFirms->index(1, 0));
    QVERIFY(cell.isValid());
    // A real double-click: a click, then the double-click on the same cell.
    QTest::mouseClick(screen.dbgFirms->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(screen.dbgFirms->viewport(), Qt::LeftButton, {}, cell.center());

    QVERIFY(!screen.isVisible());
    checkLoaded(QStringLiteral("Two Years Inc"), 2006, 2000);
}

void tst_OpenExisting::nothingToOpen_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<bool>("deleteChosen");
    QTest::addColumn<QString>("message");
    QTest::newRow("en:empty list") << Language::English << false << "No records were found";
    QTest::newRow("fr:empty list") << Language::French << false << "L'item n'a pas été trouver";
    QTest::newRow("en:deleted since listed")
        << Language::English << true << "No records were found";
    QTest::newRow("fr:deleted since listed")
        << Language::French << true << "L'item n'a pas été trouver";
}

void tst_OpenExisting::nothingToOpen()
{
    QFETCH(Language, language);
    QFETCH(bool, deleteChosen);
    QFETCH(QString, message);
    appState().gintLanguage = language;
    if (deleteChosen) {
        insertStatement(QStringLiteral("Gone Ltd"), 2005, 100);
        insertStatement(QStringLiteral("Kept Ltd"), 2005, 200);
    }
    frmSearch &search = showSearchWithIndustry();
    frmOpenExisting &screen = ScreenRegistry::get<frmOpenExisting>();
    screen.showScreen();
    if (deleteChosen) {
        QCOMPARE(screen.AdodcFirms->rowCount(), 2);
        execBound(appState().gcnUser,
                  QStringLiteral("delete from MyValues where FirmName = 'Gone Ltd'"));
    }

    MessageRecorder recorder;
    QTest::mouseClick(screen.cmdOpen, Qt::LeftButton);

    QCOMPARE(recorder.texts(), QStringList{message});
    QCOMPARE(recorder.messages.first().icon, MsgIcon::None);
    QCOMPARE(recorder.messages.first().buttons, MsgButtons::Ok);
    QVERIFY(screen.isVisible());
    QVERIFY(search.isVisible());
    QVERIFY(!ScreenRegistry::isLoaded<frmMyValues>() ||
            !ScreenRegistry::get<frmMyValues>().isVisible());
    // The list now shows what is stored.
    QCOMPARE(listedRows(*screen.AdodcFirms),
             deleteChosen ? QStringList{"Kept Ltd|2005"} : QStringList{});
}

void tst_OpenExisting::activationListsNewStatements()
{
    insertStatement(QStringLiteral("First Ltd"), 2004, 100);
    frmOpenExisting &screen = ScreenRegistry::get<frmOpenExisting>();
    screen.showScreen();
    QCOMPARE(listedRows(*screen.AdodcFirms), QStringList{"First Ltd|2004"});

    insertStatement(QStringLiteral("Second Ltd"), 2006, 200);
    OtherScreen other;
    other.showScreen();
    screen.activate();
    QCOMPARE(listedRows(*screen.AdodcFirms), (QStringList{"First Ltd|2004", "Second Ltd|2006"}));
}

void tst_OpenExisting::activationKeepsThePickedStatement()
{
    insertStatement(QStringLiteral("Alpha"), 2005, 100);
    insertStatement(QStringLiteral("Beta"), 2005, 200);
    insertStatement(QStringLiteral("Gamma"), 2006, 300);
    frmOpenExisting &screen = ScreenRegistry::get<frmOpenExisting>();
    screen.showScreen();
    screen.dbgFirms->setCurrentIndex(screen.AdodcFirms->index(1, 0));

    // A statement listed before the picked one appears meanwhile.
    insertStatement(QStringLiteral("Aardvark"), 2004, 400);
    OtherScreen other;
    other.showScreen();
    screen.activate();
    const int picked = screen.dbgFirms->currentIndex().row();
    QCOMPARE(screen.AdodcFirms->value(picked, 0).toString(), QStringLiteral("Beta"));

    // Once the picked statement is gone, the first row is current again.
    execBound(appState().gcnUser, QStringLiteral("delete from MyValues where FirmName = 'Beta'"));
    other.showScreen();
    screen.activate();
    QCOMPARE(screen.dbgFirms->currentIndex().row(), 0);
}

void tst_OpenExisting::closingLeavesTheScreensBehind()
{
    insertStatement(QStringLiteral("First Ltd"), 2004, 100);
    frmSearch &search = showSearchWithIndustry();
    frmOpenExisting &screen = ScreenRegistry::get<frmOpenExisting>();
    screen.showScreen();

    MessageRecorder recorder;
    QVERIFY(screen.close());

    QVERIFY(!screen.isVisible());
    QVERIFY(search.isVisible());
    QVERIFY(!ScreenRegistry::isLoaded<frmMyValues>());
    QVERIFY(recorder.messages.isEmpty());
}

void tst_OpenExisting::cancelAndEscapeGoBack_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel button") << false;
    QTest::newRow("Escape key") << true;
}

void tst_OpenExisting::cancelAndEscapeGoBack()
{
    QFETCH(bool, escape);
    insertStatement(QStringLiteral("First Ltd"), 2004, 100);
    frmSearch &search = showSearchWithIndustry();
    frmOpenExisting &screen = ScreenRegistry::get<frmOpenExisting>();
    screen.showScreen();

    MessageRecorder recorder;
    if (escape)
        QTest::keyClick(screen.dbgFirms, Qt::Key_Escape);
    else
        screen.cmdCancel->click();

    QVERIFY(!screen.isVisible());
    QVERIFY(search.isVisible());
    QCOMPARE(Screen::lastActiveScreen(), &search);
    QVERIFY(!ScreenRegistry::isLoaded<frmMyValues>());
    QVERIFY(recorder.messages.isEmpty());
}

QUORVEL_TEST_MAIN(tst_OpenExisting)
#include "tst_OpenExisting.moc"
