// Menu mnemonics: one letter a menu text, unique within its menu, the first
// letter of a word where one is free, in whichever language the texts are.
#include "core/MenuMnemonics.h"

#include <QTest>

class tst_MenuMnemonics : public QObject
{
    Q_OBJECT

private slots:
    void texts_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("first letters") << QStringList{"File", "Language", "Help"}
                                       << QStringList{"&File", "&Language", "&Help"};
        QTest::newRow("en:second word when the first letter is taken")
            << QStringList{"Return to Main Menu", "Return to Industry Selection", "Exit"}
            << QStringList{"&Return to Main Menu", "Return &to Industry Selection", "&Exit"};
        QTest::newRow("fr:inner letter when every word's is taken")
            << QStringList{"Fichier", "Vue", "Langue", "Aide", "Fin"}
            << QStringList{"&Fichier", "&Vue", "&Langue", "&Aide", "F&in"};
        QTest::newRow("accented and capital letters count once")
            << QStringList{"Écran", "écrire"} << QStringList{"&Écran", "é&crire"};
        QTest::newRow("old marks are replaced, && stays")
            << QStringList{"Sa&ve", "R&&D"} << QStringList{"&Save", "&R&&D"};
        QTest::newRow("no letter left")
            << QStringList{"ab", "ba", "ab"} << QStringList{"&ab", "&ba", "ab"};
    }

    void texts()
    {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, expected);
        QCOMPARE(withMnemonics(texts), expected);
    }
};

QTEST_APPLESS_MAIN(tst_MenuMnemonics)
#include "tst_MenuMnemonics.moc"
