#include "SqliteFixture.h"
#include "TestSupport.h"

#include "core/DbTools.h"
#include "core/UnicodeLike.h"

using namespace testsupport;

class TestUnicodeLike : public QObject
{
    Q_OBJECT

private slots:
    void matches_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("substring") << "%ret%" << "Retail trade" << true;
        QTest::newRow("accented capital") << "%DÉTAIL%" << "Commerce de détail" << true;
        QTest::newRow("accented small vs capital") << "%école%" << "ÉCOLES PRIMAIRES" << true;
        QTest::newRow("accent is ignored") << "%detail%" << "Commerce de détail" << true;
        QTest::newRow("fr:accents and case ignored")
            << "%electricite%" << "Production, transport et distribution d'électricité" << true;
        QTest::newRow("fr:capitals without accents") << "%CAFE%" << "Café-restaurant" << true;
        QTest::newRow("fr:accented pattern on plain text") << "%élévateur%" << "ELEVATEURS" << true;
        QTest::newRow("fr:ligature") << "%oeuvre%" << "Main-d'Œuvre" << true;
        QTest::newRow("underscore matches an accented letter") << "caf_" << "café" << true;
        QTest::newRow("other letters still differ") << "%cafe%" << "Cafard" << false;
        QTest::newRow("underscore is exactly one character") << "b_q%" << "Banques" << false;
        QTest::newRow("underscore matches one") << "b_nques" << "Banques" << true;
        QTest::newRow("percent inside") << "%fab%ali%" << "Fabrication d'aliments" << true;
        QTest::newRow("apostrophe") << "%d'ali%" << "Fabrication d'aliments" << true;
        QTest::newRow("anchored start") << "ret%" << "Commerce de détail, retail" << false;
        QTest::newRow("empty pattern only empty") << "" << "x" << false;
        QTest::newRow("only percent") << "%" << "" << true;
    }

    void matches()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(unicodeLikeMatch(pattern, text), expected);
    }

    void escapeMakesWildcardLiteral()
    {
        QVERIFY(unicodeLikeMatch(QStringLiteral("100!%"), QStringLiteral("100%"), QLatin1Char('!')));
        QVERIFY(!unicodeLikeMatch(QStringLiteral("100!%"), QStringLiteral("1000"), QLatin1Char('!')));
    }

    void connectionUsesIt()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("t.mdb"));
        QVERIFY(writeSqliteFile(file, {QStringLiteral("create table T (Title text)"),
                                       QStringLiteral("insert into T values ('Commerce de DÉTAIL')"),
                                       QStringLiteral("insert into T values ('Retail')"),
                                       QStringLiteral("insert into T values (null)")}));
        Connection connection;
        ConnectToFile(connection, file, QStringLiteral("unknown"), OpenMode::ReadOnly);
        RecordSet rs = GetRS(connection, QStringLiteral("select Title from T where Title like ?"),
                             "read", {QStringLiteral("%détail%")});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.text(QStringLiteral("Title")), QStringLiteral("Commerce de DÉTAIL"));
        RecordSet escaped = GetRS(
            connection, QStringLiteral("select Title from T where Title like ? escape '!'"), "read",
            {QStringLiteral("ret!%")});
        QCOMPARE(escaped.RecordCount(), 0);
    }
};

QUORVEL_TEST_MAIN(TestUnicodeLike)
#include "tst_unicodelike.moc"
