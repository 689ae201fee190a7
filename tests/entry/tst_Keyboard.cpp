// The keyboard on the entry screens: Enter presses Search on the dataset
// screen, Escape closes the about screen (owned by the screen that opened
// it), and every menu has mnemonics unique within it, in both languages.
#include "core/ProgramFolder.h"
#include "core/ProgramLanguage.h"
#include "core/ScreenRegistry.h"
#include "entry/frmAbout.h"
#include "entry/frmMenu.h"
#include "support/ReferenceFixture.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTimer>

using namespace testsupport;

namespace {
// The mnemonic letters of the texts; an empty text where one has none.
QStringList mnemonics(const QList<QAction *> &actions)
{
    QStringList keys;
    for (const QAction *action : actions) {
        if (action->isSeparator())
            continue;
        const QString text = action->text();
        const qsizetype mark = text.indexOf(QLatin1Char('&'));
        keys << (mark >= 0 && mark + 1 < text.size() ? text.at(mark + 1).toLower() : QString());
    }
    return keys;
}
} // namespace

class tst_Keyboard : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;
    std::unique_ptr<StateScope> m_state;

    frmMenu &shownMenu(Language language)
    {
        setProgramLanguage(language);
        frmMenu &menu = ScreenRegistry::get<frmMenu>();
        menu.showScreen();
        return menu;
    }

private slots:
    void init()
    {
        m_state = std::make_unique<StateScope>();
        m_dir = new QTemporaryDir;
        setProgramFolderOverride(m_dir->path());
        const QString path = m_dir->filePath(QStringLiteral("ROV_DATA.mdb"));
        QVERIFY(entryfixture::writeReferenceDatabase(path));
        ConnectToFile(appState().gcnReference, path, QStringLiteral("unknown"), OpenMode::ReadOnly);
    }

    void cleanup()
    {
        m_state.reset();
        delete m_dir;
        m_dir = nullptr;
    }

    void enterPressesSearch_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("message");
        QTest::newRow("en:Return")
            << Language::English << int(Qt::Key_Return) << "Please choose a set of financial data";
        QTest::newRow("fr:Enter") << Language::French << int(Qt::Key_Enter)
                                  << "Veuillez choisir un ensemble de données financières";
    }

    // With no set chosen, Search answers with its message: Enter pressed it.
    void enterPressesSearch()
    {
        QFETCH(Language, language);
        QFETCH(int, key);
        QFETCH(QString, message);
        frmMenu &menu = shownMenu(language);
        MessageRecorder messages;
        // From an option with the focus, as the user would.
        QTest::keyClick(menu.optVol1, Qt::Key(key));
        QCOMPARE(messages.texts(), QStringList{message});
        QTest::keyClick(&menu, Qt::Key_Escape);
        QCOMPARE(messages.texts().size(), 1); // Escape does nothing here
        QVERIFY(menu.isVisible());
    }

    void escapeClosesAboutOwnedByTheMenu()
    {
        frmMenu &menu = shownMenu(Language::English);
        QWidget *owner = nullptr;
        bool wasVisible = false;
        QTimer::singleShot(0, this, [&] {
            frmAbout &about = ScreenRegistry::get<frmAbout>();
            owner = about.parentWidget();
            wasVisible = about.isVisible();
            QTest::keyClick(about.cmdReturn, Qt::Key_Escape);
            if (about.isVisible())
                about.cmdReturn_Click();
        });
        menu.languageHelp.mnuAbout->trigger();
        QVERIFY(wasVisible);
        QCOMPARE(owner, &menu);
        QVERIFY(!ScreenRegistry::get<frmAbout>().isVisible());
        QVERIFY(ScreenRegistry::get<frmAbout>().isWindow());
        QCOMPARE(Screen::lastActiveScreen(), &menu);
    }

    void menusHaveMnemonics_data()
    {
        QTest::addColumn<Language>("language");
        QTest::newRow("en") << Language::English;
        QTest::newRow("fr") << Language::French;
    }

    void menusHaveMnemonics()
    {
        QFETCH(Language, language);
        frmMenu &menu = shownMenu(language);
        QList<QList<QAction *>> groups{menu.menuBar()->actions()};
        for (QAction *title : menu.menuBar()->actions())
            groups << title->menu()->actions();
        for (const QList<QAction *> &group : groups) {
            const QStringList keys = mnemonics(group);
            QVERIFY2(!keys.contains(QString()), qPrintable(keys.join(',')));
            QCOMPARE(QSet<QString>(keys.cbegin(), keys.cend()).size(), keys.size());
        }
        // The language menu's own switch keeps them.
        (language == Language::English ? menu.languageHelp.mnuFrench : menu.languageHelp.mnuEnglish)
            ->trigger();
        QVERIFY(menu.mnuFile->title().contains(QLatin1Char('&')));
    }
};

QUORVEL_TEST_MAIN(tst_Keyboard)
#include "tst_Keyboard.moc"
