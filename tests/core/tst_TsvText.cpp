#include "support/LogicTestSupport.h"

#include "core/TsvText.h"

#include <QRegularExpression>

class tst_TsvText : public QObject
{
    Q_OBJECT

private slots:
    void cellEscapes_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "Total assets"
                               << "Total assets";
        QTest::newRow("line break") << "first\\nsecond"
                                    << "first\nsecond";
        QTest::newRow("tab") << "a\\tb"
                             << "a\tb";
        QTest::newRow("backslash") << "C:\\\\data"
                                   << "C:\\data";
        QTest::newRow("unknown escape kept") << "a\\qb"
                                             << "a\\qb";
        QTest::newRow("trailing backslash kept") << "end\\"
                                                 << "end\\";
        QTest::newRow("escaped backslash before n") << "\\\\n"
                                                    << "\\n";
        QTest::newRow("accents") << "Bénéfice net"
                                 << "Bénéfice net";
    }

    void cellEscapes()
    {
        QFETCH(QString, cell);
        QFETCH(QString, text);
        QCOMPARE(unescapeTsvCell(cell), text);
    }

    void rowsSkipCommentsAndBlankLines()
    {
        const QString text = QStringLiteral("# a comment\r\n"
                                            "1\tOne\r\n"
                                            "\n"
                                            "   \n"
                                            "2\tTwo\\nlines\tthird cell\n"
                                            "#4\tnot a row\n"
                                            "3\t");
        const QList<QStringList> expected = {
            {QStringLiteral("1"), QStringLiteral("One")},
            {QStringLiteral("2"), QStringLiteral("Two\nlines"), QStringLiteral("third cell")},
            {QStringLiteral("3"), QString()}};
        QCOMPARE(tsvRows(text), expected);
    }

    void missingResourceGivesNoRows()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("missing")));
        QVERIFY(tsvResourceRows(QStringLiteral(":/no/such/table.tsv"), "Test table").isEmpty());
    }

    void shippedTablesReadWhole_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("cells");
        QTest::newRow("string table") << ":/strings/strings.tsv" << 2;
        QTest::newRow("comparison texts") << ":/reports/comparison_texts.tsv" << 3;
    }

    void shippedTablesReadWhole()
    {
        QFETCH(QString, path);
        QFETCH(int, cells);
        const QList<QStringList> rows = tsvResourceRows(path, "Test table");
        QVERIFY(rows.size() > 50);
        for (const QStringList &row : rows)
            QVERIFY2(row.size() == cells, qPrintable(row.join(QLatin1Char('|'))));
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_TsvText)
#include "tst_TsvText.moc"
