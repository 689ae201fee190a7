#include "search/PrintWrapping.h"

#include <QTest>

// The layout of a printed industry definition.
class tst_PrintWrapping : public QObject
{
    Q_OBJECT

private slots:
    void wrapBody_data();
    void wrapBody();
    void printLines();
    void crLfLineBreaks_data();
    void crLfLineBreaks();
};

namespace {
const QString kIndent(15, QLatin1Char(' '));
const QString CR(QChar(13));
const QString LF(QChar(10));

// Twenty four-letter words separated by single blanks: 99 characters.
QString twentyWords()
{
    QStringList words;
    for (int i = 0; i < 20; ++i)
        words << QStringLiteral("word");
    return words.join(QLatin1Char(' '));
}
} // namespace

void tst_PrintWrapping::wrapBody_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QString words = twentyWords();
    QTest::newRow("twenty words wrap after the blank at 80")
        << words << kIndent + words.left(80) + CR + kIndent + words.mid(80);
    QTest::newRow("line break starts an indented line")
        << QStringLiteral("First line.\r\nSecond line.")
        << kIndent + QStringLiteral("First line.") + LF + kIndent + QStringLiteral("Second line.");
    const QString longWord(100, QLatin1Char('x'));
    QTest::newRow("a word longer than 80 stays whole") << longWord << kIndent + longWord;
    QTest::newRow("empty definition is the indent alone") << QString() << kIndent;
    const QString line79 = QString(78, QLatin1Char('a')) + QStringLiteral(" b");
    QTest::newRow("blank at 79 on a first line does not wrap") << line79 << kIndent + line79;
    QTest::newRow("blank at 79 after a line break wraps")
        << QStringLiteral("x\r\n") + line79
        << kIndent + QStringLiteral("x") + LF + kIndent + line79.left(79) + CR + kIndent +
               QStringLiteral("b");
    QTest::newRow("a lone carriage return is dropped, the next character indents")
        << QStringLiteral("ab\rcd")
        << kIndent + QStringLiteral("abc") + kIndent + QStringLiteral("d");
    QTest::newRow("an empty line of the text stays")
        << QStringLiteral("a\r\n\r\nb")
        << kIndent + QStringLiteral("a") + LF + kIndent + LF + kIndent + QStringLiteral("b");
}

void tst_PrintWrapping::wrapBody()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(fncWrapDefinitionBody(text), expected);
}

void tst_PrintWrapping::printLines()
{
    const QString words = twentyWords();
    const QVector<PrintLine> lines =
        fncDefinitionPrintLines(QStringLiteral("445110 - Grocery stores"), words);
    const PrintLine blank{QStringLiteral(" "), false, 10};
    const PrintLine boldBlank{QStringLiteral(" "), true, 12};
    const QVector<PrintLine> expected = {
        blank,
        blank,
        blank,
        blank,
        {kIndent + QStringLiteral("445110 - Grocery stores"), true, 12},
        boldBlank,
        boldBlank,
        boldBlank,
        {kIndent + words.left(80), false, 10},
        {kIndent + words.mid(80), false, 10},
    };
    QCOMPARE(lines.size(), expected.size());
    for (int i = 0; i < lines.size(); ++i) {
        QCOMPARE(lines.at(i).text, expected.at(i).text);
        QCOMPARE(lines.at(i).bold, expected.at(i).bold);
        QCOMPARE(lines.at(i).pointSize, expected.at(i).pointSize);
    }
}

void tst_PrintWrapping::crLfLineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("line feeds become CR LF")
        << QStringLiteral("a\nb\nc") << QStringLiteral("a\r\nb\r\nc");
    QTest::newRow("CR LF stays") << QStringLiteral("a\r\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("no break") << QStringLiteral("abc") << QStringLiteral("abc");
}

void tst_PrintWrapping::crLfLineBreaks()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(withCrLfLineBreaks(text), expected);
}

QTEST_GUILESS_MAIN(tst_PrintWrapping)
#include "tst_PrintWrapping.moc"
