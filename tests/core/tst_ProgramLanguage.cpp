// The program's language reaches Qt's own texts: the standard dialogs, the
// message boxes and the line edits' context menus read French when the
// program is in French, and English again after switching back.
#include "core/ProgramLanguage.h"
#include "support/TestSupport.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {
QStringList saveDialogButtons()
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList texts;
    for (QAbstractButton *button : dialog.findChild<QDialogButtonBox *>()->buttons())
        texts << button->text().remove(QLatin1Char('&'));
    texts.sort();
    return texts;
}

QStringList lineEditMenu()
{
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (QAction *action : menu->actions())
        if (!action->isSeparator())
            texts << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    return texts;
}
} // namespace

class tst_ProgramLanguage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { setProgramLanguage(Language::English); }

    void switchesQtTexts_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("paste");
        QTest::addColumn<QString>("messageYes");
        QTest::addColumn<QString>("folderType"); // the file dialogs' type column
        QTest::newRow("fr") << Language::French << QStringList{"Annuler", "Enregistrer"} << "Coller"
                            << "Oui"
                            << "Dossier";
        QTest::newRow("en") << Language::English << QStringList{"Cancel", "Save"} << "Paste"
                            << "Yes"
                            << "Folder";
    }

    void switchesQtTexts()
    {
        QFETCH(Language, language);
        QFETCH(QStringList, buttons);
        QFETCH(QString, paste);
        QFETCH(QString, messageYes);
        QFETCH(QString, folderType);
        // From the other language, so that the switch has something to undo.
        setProgramLanguage(language == Language::English ? Language::French : Language::English);
        setProgramLanguage(language);
        QCOMPARE(appState().gintLanguage, language);
        QCOMPARE(saveDialogButtons(), buttons);
        QVERIFY2(lineEditMenu().contains(paste), qPrintable(lineEditMenu().join(", ")));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes").remove('&'), messageYes);
        QCOMPARE(QFileIconProvider().type(QFileInfo(QDir::tempPath())), folderType);
    }

    // French chosen twice, then English: no French catalogue stays loaded.
    void loadsOnceAndUnloads()
    {
        const auto yes = [] {
            return QCoreApplication::translate("QPlatformTheme", "&Yes").remove('&');
        };
        setProgramLanguage(Language::French);
        setProgramLanguage(Language::French);
        QCOMPARE(yes(), QStringLiteral("Oui"));
        QVERIFY2(lineEditMenu().contains(QStringLiteral("Coller")),
                 qPrintable(lineEditMenu().join(", ")));
        setProgramLanguage(Language::English);
        QCOMPARE(yes(), QStringLiteral("Yes"));
        QCOMPARE(saveDialogButtons(), (QStringList{"Cancel", "Save"}));
    }
};

QUORVEL_TEST_MAIN(tst_ProgramLanguage)
#include "tst_ProgramLanguage.moc"
