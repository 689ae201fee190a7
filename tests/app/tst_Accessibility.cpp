// The screens as assistive technology and the keyboard meet them: every
// focusable control has a name of its own in the screen's language, the
// report page exposes its words and tables, the open-existing list works
// with Tab and Return, every firm command has a key, and the firm screen
// scrolls to every box when large fonts make it bigger than the screen.
#include "support/FirmScreenSteps.h"
#include "support/FirmStatements.h"
#include "support/TestSupport.h"

#include "core/ColourContrast.h"
#include "core/ProgramFolder.h"
#include "core/ProgramLanguage.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "entry/frmMenu.h"
#include "entry/frmStart.h"
#include "firm/frmOpenExisting.h"
#include "reports/ReportDocument.h"
#include "reports/ReportPageView.h"
#include "reports/frmReportViewer.h"
#include "session/AppSession.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QTimer>

using namespace testsupport;

namespace {
// The focusable controls of a window that carry no name a reader could say.
QStringList unnamedControls(QWidget *window)
{
    QStringList unnamed;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        // A combo box's or spin box's own editor is spoken as part of it.
        if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(window) ||
            widget->focusProxy() || qobject_cast<QComboBox *>(widget->parentWidget()) ||
            qobject_cast<QAbstractSpinBox *>(widget->parentWidget()))
            continue;
        QAccessibleInterface *control = QAccessible::queryAccessibleInterface(widget);
        const QString name = control ? control->text(QAccessible::Name) : QString();
        // On Linux a combo box says its value as its name and its purpose
        // through its label.
        const bool labelled = !control->relations(QAccessible::Label).isEmpty() ||
                              !widget->accessibleName().isEmpty();
        if (name.trimmed().isEmpty() || name == widget->objectName() ||
            (qobject_cast<QComboBox *>(widget) && !labelled))
            unnamed << widget->objectName() + QLatin1Char('(') +
                           QString::fromLatin1(widget->metaObject()->className()) +
                           QLatin1Char(')');
    }
    return unnamed;
}

// Every mark of a menu bar's menus: the menu's own and its items'.
bool reachable(const QAction *action)
{
    return !action->shortcut().isEmpty() || action->text().contains(QLatin1Char('&'));
}
} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { frmReportViewer::setDisplayPause(false); }
    void init();
    void cleanup();

    void focusableControlsAreNamed_data();
    void focusableControlsAreNamed();
    void amountBoxesAreNamedByTheirItems_data();
    void amountBoxesAreNamedByTheirItems();
    void firmCommandsHaveKeys_data();
    void firmCommandsHaveKeys();
    void openExistingByKeyboard();
    void reportPageIsReadable();
    void firmScreenScrollsToEveryBox();
    void contrast_data();
    void contrast();

private:
    QWidget *shownScreen(const QString &name);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<StateScope> m_state;
};

void tst_Accessibility::init()
{
    m_state = std::make_unique<StateScope>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(openShippedDatabases(*m_dir));
    QVERIFY(copyProgramFiles(*m_dir, {QStringLiteral("rpt_Comparison.rpt")}));
    setProgramFolderOverride(m_dir->path());
    frmMenu &menu = ScreenRegistry::get<frmMenu>();
    menu.optVol1->setChecked(true);
    QVERIFY(menu.fncDetermineDataset());
}

void tst_Accessibility::cleanup()
{
    m_state.reset();
    m_dir.reset();
}

QWidget *tst_Accessibility::shownScreen(const QString &name)
{
    if (name == QLatin1String("frmStart")) {
        ScreenRegistry::get<frmStart>().showScreen();
        return &ScreenRegistry::get<frmStart>();
    }
    if (name == QLatin1String("frmMenu")) {
        ScreenRegistry::get<frmMenu>().showScreen();
        return &ScreenRegistry::get<frmMenu>();
    }
    if (name == QLatin1String("frmSearch")) {
        ScreenRegistry::get<frmSearch>().showScreen();
        return &ScreenRegistry::get<frmSearch>();
    }
    frmMyValues &firm = showNewStatementScreen();
    if (name == QLatin1String("frmOpenExisting")) {
        saveStatement(appState().gcnUser,
                      firmRecord(QStringLiteral("Acme"), 2006, QString(), healthyStatement()));
        firm.subOpen_Existing_Firm_Record();
        return &ScreenRegistry::get<frmOpenExisting>();
    }
    return &firm;
}

void tst_Accessibility::focusableControlsAreNamed_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<Language>("language");
    for (const char *screen :
         {"frmStart", "frmMenu", "frmSearch", "frmMyValues", "frmOpenExisting"})
        for (const Language language : {Language::English, Language::French})
            QTest::addRow("%s:%s", language == Language::French ? "fr" : "en", screen)
                << QString::fromLatin1(screen) << language;
}

void tst_Accessibility::focusableControlsAreNamed()
{
    QFETCH(QString, screen);
    QFETCH(Language, language);
    setProgramLanguage(language);
    QWidget *window = shownScreen(screen);
    QVERIFY(window->isVisible());
    const QStringList unnamed = unnamedControls(window);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(' '))));
}

void tst_Accessibility::amountBoxesAreNamedByTheirItems_data()
{
    QTest::addColumn<Language>("switchTo");
    QTest::addColumn<QString>("cash");
    QTest::newRow("en") << Language::English << "Cash";
    QTest::newRow("fr, after a switch") << Language::French << "Encaisse";
}

void tst_Accessibility::amountBoxesAreNamedByTheirItems()
{
    QFETCH(Language, switchTo);
    QFETCH(QString, cash);
    setProgramLanguage(Language::English);
    frmMyValues &firm = showNewStatementScreen();
    switchTo == Language::French ? firm.languageHelp.mnuFrench->trigger()
                                 : firm.languageHelp.mnuEnglish->trigger();
    QCOMPARE(QAccessible::queryAccessibleInterface(firm.txtCash)->text(QAccessible::Name), cash);
    QCOMPARE(QAccessible::queryAccessibleInterface(firm.txtTa)->text(QAccessible::Name),
             ResourceString(168, switchTo));
    QCOMPARE(QAccessible::queryAccessibleInterface(firm.txtFirmName)->text(QAccessible::Name),
             firm.lblFirmName->text());
}

void tst_Accessibility::firmCommandsHaveKeys_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<int>("questionId"); // the command's first question
    QTest::newRow("en: Ctrl+D deletes")
        << Language::English << QKeySequence(Qt::CTRL | Qt::Key_D) << kDeleteRecordQuestion;
    QTest::newRow("fr: Ctrl+Shift+Delete clears")
        << Language::French << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete)
        << kClearAllQuestion;
    QTest::newRow("en: Shift+F1 defines the item")
        << Language::English << QKeySequence(Qt::SHIFT | Qt::Key_F1) << 0;
}

void tst_Accessibility::firmCommandsHaveKeys()
{
    QFETCH(Language, language);
    QFETCH(QKeySequence, keys);
    QFETCH(int, questionId);
    setProgramLanguage(language);
    frmMyValues &firm = showNewStatementScreen();
    // Every menu and every command of the menus: a shortcut or a mnemonic.
    for (QAction *menu : firm.menuBar()->actions()) {
        QVERIFY2(reachable(menu), qPrintable(menu->text()));
        for (QAction *command : menu->menu()->actions())
            if (!command->isSeparator())
                QVERIFY2(reachable(command), qPrintable(command->text()));
    }
    QVERIFY(firm.mnuFile->actions().contains(firm.mnuDelete));
    QVERIFY(firm.mnuFile->actions().contains(firm.mnuClearAll));

    // Window shortcuts need the window active.
    firm.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&firm));
    MessageRecorder messages(MsgAnswer::No);
    firm.txtCash->setFocus();
    QTest::keySequence(firm.txtCash, keys);
    QCOMPARE(messages.messages.size(), 1);
    if (questionId)
        QCOMPARE(messages.texts().first(), ResourceString(questionId, language));
    else
        QVERIFY(
            messages.messages.first().title.contains(QStringLiteral("cash"), Qt::CaseInsensitive));
    QCOMPARE(firm.txtCash->text(), QStringLiteral("0"));
}

void tst_Accessibility::openExistingByKeyboard()
{
    frmMyValues &firm = showNewStatementScreen();
    for (const char *name : {"Acme", "Zenith"})
        saveStatement(appState().gcnUser,
                      firmRecord(QString::fromLatin1(name), 2005, QString(), healthyStatement()));
    firm.subOpen_Existing_Firm_Record();
    frmOpenExisting &screen = ScreenRegistry::get<frmOpenExisting>();
    QVERIFY(screen.isVisible());
    QVERIFY(screen.windowFlags().testFlag(Qt::Dialog));

    // Tab leaves the list instead of walking its cells.
    screen.dbgFirms->setFocus();
    QTest::keyClick(screen.dbgFirms, Qt::Key_Tab);
    QVERIFY(screen.focusWidget() != screen.dbgFirms);
    QVERIFY(screen.isAncestorOf(screen.focusWidget()));

    screen.dbgFirms->setFocus();
    QTest::keyClick(screen.dbgFirms, Qt::Key_Down);
    MessageRecorder messages;
    QTest::keyClick(screen.dbgFirms, Qt::Key_Return);
    QVERIFY(!screen.isVisible());
    QVERIFY(firm.isVisible());
    QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Zenith"));
    QCOMPARE(messages.texts(), QStringList());
}

void tst_Accessibility::reportPageIsReadable()
{
    frmMyValues &firm = showNewStatementScreen();
    const QStringList values = comparisonValues(QStringLiteral("Acme"), 2006, firm.lblNAICS->text(),
                                                firm.lblIndustry->text(), healthyStatement());
    // Read while the report shows; checked once it is closed.
    QString name, text, said;
    QStringList drawn, headers, firstHeaderCells;
    int pages = 0;
    int tables = 0;
    QAccessible::Role role = QAccessible::NoRole;
    QTimer::singleShot(0, this, [&] {
        frmReportViewer &viewer = ScreenRegistry::get<frmReportViewer>();
        auto *sheet = viewer.findChild<QWidget *>(QStringLiteral("lblSheet"));
        QAccessibleInterface *page = QAccessible::queryAccessibleInterface(sheet);
        role = page->role();
        name = page->text(QAccessible::Name);
        pages = viewer.viewer()->pageCount();
        text = page->textInterface()->text(0, page->textInterface()->characterCount());
        for (const ReportDocument::PageText &piece : viewer.viewer()->document()->pageTexts(0))
            drawn << piece.text.simplified();
        for (int i = 0; i < page->childCount(); ++i) {
            QAccessibleTableInterface *table = page->child(i)->tableInterface();
            if (!table || table->rowCount() == 0)
                continue;
            ++tables;
            headers << table->columnDescription(0);
            const QList<QAccessibleInterface *> cells =
                table->cellAt(0, 0)->tableCellInterface()->columnHeaderCells();
            firstHeaderCells << (cells.isEmpty() ? QString()
                                                 : cells.first()->text(QAccessible::Name));
        }
        // Tab onto the first ratio.
        sheet->setFocus();
        QTest::keyClick(sheet, Qt::Key_Tab);
        said = page->text(QAccessible::Name);
        viewer.findChild<QPushButton *>(QStringLiteral("btnBack"))->click();
    });
    AppState &state = appState();
    ScreenRegistry::get<frmReportViewer>().DisplayCrystalReport(
        state.gcnReference, state.gcnUser, QStringLiteral("com"), state.gintVolume,
        state.gstrRegion, 2006, firm.lblNAICS->text(), QStringLiteral("E"), values);

    QCOMPARE(role, QAccessible::Document);
    QCOMPARE(name, ResourceString(kReportPageName, Language::English).arg(1).arg(pages));
    // Every word drawn on the page is in its accessible text.
    QVERIFY(!drawn.isEmpty());
    for (const QString &piece : std::as_const(drawn))
        QVERIFY2(text.contains(piece), qPrintable(piece));
    // The tables are tables, their cells under named column headers.
    QVERIFY(tables > 0);
    QVERIFY(!headers.contains(QString()));
    QCOMPARE(firstHeaderCells, headers);
    // A ratio is said with its row's headers: name, value, median, position.
    QVERIFY2(said.count(QStringLiteral(": ")) >= 3, qPrintable(said));
}

void tst_Accessibility::firmScreenScrollsToEveryBox()
{
    // Fonts at 144 dots per inch, in a 1366×768 screen less its frame and panel.
    const QFont normal = QApplication::font();
    QFont large = normal;
    large.setPointSizeF(normal.pointSizeF() * 1.5);
    QApplication::setFont(large);
    frmMyValues &firm = showNewStatementScreen();
    firm.resize(1342, 700);
    QCoreApplication::processEvents();
    QVERIFY(firm.width() <= 1342 && firm.height() <= 700);
    auto *scroll = firm.findChild<QScrollArea *>();
    QVERIFY(scroll);
    for (QLineEdit *box : firm.findChildren<QLineEdit *>()) {
        if (!box->objectName().startsWith(QLatin1String("txt")))
            continue;
        box->setFocus();
        QCoreApplication::processEvents();
        const QRect shown(box->mapTo(scroll->viewport(), QPoint(0, 0)), box->size());
        QVERIFY2(scroll->viewport()->rect().contains(shown), qPrintable(box->objectName()));
    }
    QApplication::setFont(normal);
}

void tst_Accessibility::contrast_data()
{
    QTest::addColumn<QColor>("foreground");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("same colour") << QColor(0x44, 0x54, 0x6a) << QColor(0x44, 0x54, 0x6a) << 1.0;
    QTest::newRow("navy title on a dark panel")
        << QColor(0x1f, 0x38, 0x64) << QColor(0x35, 0x35, 0x35) << 1.06;
}

void tst_Accessibility::contrast()
{
    QFETCH(QColor, foreground);
    QFETCH(QColor, background);
    QFETCH(double, ratio);
    QCOMPARE(qRound(contrastRatio(foreground, background) * 100) / 100.0, ratio);
    const QColor light(0xee, 0xee, 0xee);
    const QColor chosen = readableOn(foreground, background, light);
    QCOMPARE(chosen, ratio >= kTextContrast ? foreground : light);
}

QUORVEL_TEST_MAIN(tst_Accessibility)
#include "tst_Accessibility.moc"
