#include "support/DatabaseWriter.h"
#include "support/LogicTestSupport.h"

#include "core/DbTools.h"
#include "core/SearchFold.h"
#include "core/UnicodeLike.h"

#include <QList>
#include <QRandomGenerator>

using namespace testsupport;

namespace {
// The plain definition of `like`, trying every split after each '%'. Its time
// grows exponentially with the number of '%'s: fit for short texts only.
bool referenceMatch(const QString &p, qsizetype pi, const QString &t, qsizetype ti, QChar escape)
{
    if (pi == p.size())
        return ti == t.size();
    const QChar c = p.at(pi);
    if (!escape.isNull() && c == escape && pi + 1 < p.size())
        return ti < t.size() && p.at(pi + 1) == t.at(ti) &&
               referenceMatch(p, pi + 2, t, ti + 1, escape);
    if (c == QLatin1Char('%')) {
        for (qsizetype k = ti; k <= t.size(); ++k)
            if (referenceMatch(p, pi + 1, t, k, escape))
                return true;
        return false;
    }
    return ti < t.size() && (c == QLatin1Char('_') || c == t.at(ti)) &&
           referenceMatch(p, pi + 1, t, ti + 1, escape);
}

bool reference(const QString &pattern, const QString &text, QChar escape = QChar())
{
    const QString foldedEscape = escape.isNull() ? QString() : foldForSearch(QString(escape));
    return referenceMatch(foldForSearch(pattern), 0, foldForSearch(text), 0,
                          foldedEscape.size() == 1 ? foldedEscape.at(0) : escape);
}

QString randomText(QRandomGenerator &random, const QString &alphabet, int maxLength)
{
    const int length = int(random.bounded(maxLength + 1));
    QString text;
    for (int i = 0; i < length; ++i)
        text += alphabet.at(int(random.bounded(alphabet.size())));
    return text;
}
} // namespace

class TestUnicodeLike : public QObject
{
    Q_OBJECT

private slots:
    void matches_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("substring") << "%ret%"
                                   << "Retail trade" << true;
        QTest::newRow("accented capital") << "%DÉTAIL%"
                                          << "Commerce de détail" << true;
        QTest::newRow("accented small vs capital") << "%école%"
                                                   << "ÉCOLES PRIMAIRES" << true;
        QTest::newRow("accent is ignored") << "%detail%"
                                           << "Commerce de détail" << true;
        QTest::newRow("fr:accents and case ignored")
            << "%electricite%"
            << "Production, transport et distribution d'électricité" << true;
        QTest::newRow("fr:capitals without accents") << "%CAFE%"
                                                     << "Café-restaurant" << true;
        QTest::newRow("fr:accented pattern on plain text") << "%élévateur%"
                                                           << "ELEVATEURS" << true;
        QTest::newRow("fr:ligature") << "%oeuvre%"
                                     << "Main-d'Œuvre" << true;
        QTest::newRow("underscore matches an accented letter") << "caf_"
                                                               << "café" << true;
        QTest::newRow("other letters still differ") << "%cafe%"
                                                    << "Cafard" << false;
        QTest::newRow("underscore is exactly one character") << "b_q%"
                                                             << "Banques" << false;
        QTest::newRow("underscore matches one") << "b_nques"
                                                << "Banques" << true;
        QTest::newRow("percent inside") << "%fab%ali%"
                                        << "Fabrication d'aliments" << true;
        QTest::newRow("apostrophe") << "%d'ali%"
                                    << "Fabrication d'aliments" << true;
        QTest::newRow("anchored start") << "ret%"
                                        << "Commerce de détail, retail" << false;
        QTest::newRow("empty pattern only empty") << ""
                                                  << "x" << false;
        QTest::newRow("only percent") << "%"
                                      << "" << true;
    }

    void matches()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(LikePattern(pattern).matches(text), expected);
    }

    void escapeMakesWildcardLiteral()
    {
        QVERIFY(
            LikePattern(QStringLiteral("100!%"), QLatin1Char('!')).matches(QStringLiteral("100%")));
        QVERIFY(!LikePattern(QStringLiteral("100!%"), QLatin1Char('!'))
                     .matches(QStringLiteral("1000")));
    }

    // The fold, taken a character at a time, is what normalising the whole
    // text (NFKD), dropping its non-spacing marks, spelling out œ and æ and
    // folding letter case gives: for every character, and for long texts
    // that mix them.
    void foldIsNormalisationWithoutMarks()
    {
        const auto normalised = [](const QString &text) {
            QString folded;
            for (const char32_t c : text.normalized(QString::NormalizationForm_KD).toUcs4()) {
                if (QChar::category(c) == QChar::Mark_NonSpacing)
                    continue;
                if (c == 0x0152 || c == 0x0153)
                    folded += QLatin1String("oe");
                else if (c == 0x00c6 || c == 0x00e6)
                    folded += QLatin1String("ae");
                else
                    folded += QString::fromUcs4(&c, 1);
            }
            return folded.toCaseFolded();
        };
        QString mixed;
        for (char32_t character = 0; character < 0x30000; ++character) {
            if (QChar::isSurrogate(character) ||
                QChar::category(character) == QChar::Other_NotAssigned)
                continue;
            const QString text = QString::fromUcs4(&character, 1);
            QVERIFY2(foldForSearch(text) == normalised(text),
                     qPrintable(QString::number(uint(character), 16)));
            if (character % 7 == 0)
                mixed += text;
        }
        QCOMPARE(foldForSearch(mixed), normalised(mixed));
        QCOMPARE(foldForSearch(QStringLiteral("ÉCOLE ŒUVRE ﬁnale İ 𝐀")),
                 QStringLiteral("ecole oeuvre finale i a"));
        QCOMPARE(foldForSearch(QString(100000, QChar(0x00c9))), QString(100000, QLatin1Char('e')));
    }

    // The same answer as the plain definition, on many random patterns and
    // texts: ASCII and accented letters in both cases, wildcards, an escape.
    void agreesWithThePlainDefinition_data()
    {
        QTest::addColumn<QString>("textAlphabet");
        QTest::addColumn<QString>("patternAlphabet");
        QTest::addColumn<QChar>("escape");
        QTest::newRow("ascii") << "abAB"
                               << "abAB%_" << QChar();
        QTest::newRow("accented") << "eéÉEàÀœ"
                                  << "éÉeàÀoœ%_" << QChar();
        QTest::newRow("escape") << "a%_!b"
                                << "a%_!bB" << QChar(QLatin1Char('!'));
        QTest::newRow("escape is a wildcard") << "a%_b"
                                              << "a%_b" << QChar(QLatin1Char('%'));
    }

    void agreesWithThePlainDefinition()
    {
        QFETCH(QString, textAlphabet);
        QFETCH(QString, patternAlphabet);
        QFETCH(QChar, escape);
        QRandomGenerator random(20061231);
        int matched = 0;
        for (int round = 0; round < 20000; ++round) {
            const QString pattern = randomText(random, patternAlphabet, 8);
            const QString text = randomText(random, textAlphabet, 10);
            const bool expected = reference(pattern, text, escape);
            matched += expected ? 1 : 0;
            QVERIFY2(LikePattern(pattern, escape).matches(text) == expected,
                     qPrintable(QStringLiteral("'%1' like '%2'").arg(text, pattern)));
        }
        // Both answers occur often enough for the comparison to mean something.
        QVERIFY2(matched > 500 && matched < 19500, qPrintable(QString::number(matched)));
    }

    // Patterns that make a backtracking matcher try every split of the text;
    // their answers checked on texts long enough to hang one.
    void adversarialPatterns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        const QString title = QStringLiteral("Fabrication de produits en plastique et en "
                                             "caoutchouc, sauf pneus et chambres à air, "
                                             "ÉQUIPEMENT DE TRANSPORT");
        const QString pairs = QStringLiteral("_%_%_%_%_%_%_%_%");
        QTest::newRow("no z anywhere") << pairs + QStringLiteral("z") << title << false;
        QTest::newRow("z at the end")
            << pairs + QStringLiteral("z") << title + QStringLiteral("Z") << true;
        QTest::newRow("z too early")
            << pairs + QStringLiteral("z") << QStringLiteral("abcdefz") + title << false;
        QTest::newRow("many percents around a")
            << QStringLiteral("%a%a%a%a%a%a%a%a%b") << QString(200, QLatin1Char('a')) << false;
        QTest::newRow("accented run") << QStringLiteral("%é%é%é%é%é%é%x")
                                      << QString(200, QChar(0xC9)) + QStringLiteral("X") << true;
        QTest::newRow("underscores exceed the text")
            << QString(300, QLatin1Char('_')) + "%" << title << false;
    }

    void adversarialPatterns()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(LikePattern(pattern).matches(text), expected);
    }

    // The keyword goes in as one bound value (folded once for the statement);
    // a pattern that changes from row to row is read afresh each time.
    void patternPerStatementAndPerRow()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("t.mdb"));
        QVERIFY(writeSqliteFile(
            file, {QStringLiteral("create table T (Title text, Pattern text)"),
                   QStringLiteral("insert into T values ('École primaire', '%PRIM%')"),
                   QStringLiteral("insert into T values ('Banques', 'b_nques')"),
                   QStringLiteral("insert into T values ('ÉCOLES DE CONDUITE', '%x%')"),
                   QStringLiteral("insert into T values ('Commerce', null)")}));
        Connection connection;
        ConnectToFile(connection, file, QStringLiteral("unknown"), OpenMode::ReadOnly);
        const RecordSet schools =
            GetRS(connection, QStringLiteral("select Title from T where Title like ? order by 1"),
                  "read", {QStringLiteral("%éCOLE%")});
        QCOMPARE(schools.RecordCount(), 2);
        QCOMPARE(schools.row(0).at(0).toString(), QStringLiteral("ÉCOLES DE CONDUITE"));
        QCOMPARE(schools.row(1).at(0).toString(), QStringLiteral("École primaire"));
        const RecordSet own = GetRS(connection,
                                    QStringLiteral("select Title from T where Title like Pattern "
                                                   "order by 1"),
                                    "read");
        QCOMPARE(own.RecordCount(), 2);
        QCOMPARE(own.row(0).at(0).toString(), QStringLiteral("Banques"));
        QCOMPARE(own.row(1).at(0).toString(), QStringLiteral("École primaire"));
    }

    void connectionUsesIt()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("t.mdb"));
        QVERIFY(
            writeSqliteFile(file, {QStringLiteral("create table T (Title text)"),
                                   QStringLiteral("insert into T values ('Commerce de DÉTAIL')"),
                                   QStringLiteral("insert into T values ('Retail')"),
                                   QStringLiteral("insert into T values (null)")}));
        Connection connection;
        ConnectToFile(connection, file, QStringLiteral("unknown"), OpenMode::ReadOnly);
        RecordSet rs = GetRS(connection, QStringLiteral("select Title from T where Title like ?"),
                             "read", {QStringLiteral("%détail%")});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.text(QStringLiteral("Title")), QStringLiteral("Commerce de DÉTAIL"));
        RecordSet escaped =
            GetRS(connection, QStringLiteral("select Title from T where Title like ? escape '!'"),
                  "read", {QStringLiteral("ret!%")});
        QCOMPARE(escaped.RecordCount(), 0);
    }
};

QUORVEL_LOGIC_TEST_MAIN(TestUnicodeLike)
#include "tst_UnicodeLike.moc"
