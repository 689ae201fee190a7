#include "support/LogicTestSupport.h"

#include "reports/PdfFinish.h"
#include "reports/ReportData.h"
#include "reports/ReportDocument.h"
#include "support/SpreadsheetReader.h"

#include <QRegularExpression>

#include <QPageSize>
#include <QProcess>
#include <QTemporaryDir>

// A report body cut at its page breaks: each part starts a page, keeps the
// body's style sheet, and the pages come out in order, whichever thread laid
// a part out.
class tst_ReportDocument : public QObject
{
    Q_OBJECT

private:
    static QPageLayout letter()
    {
        return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                           QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    }

    static QString head()
    {
        return QStringLiteral("<html><head><style>p.tall { font-size: 40pt; }</style></head>"
                              "<body>");
    }

    // Lines that fill about two pages in the style sheet's tall font.
    static QString tallLines()
    {
        QString lines;
        for (int i = 0; i < 30; ++i)
            lines += QStringLiteral("<p class=\"tall\">Line %1</p>").arg(i);
        return lines;
    }

    // Whether a page shows any ink at all.
    static bool hasInk(const QImage &page)
    {
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 128)
                    return true;
        return false;
    }

private slots:
    void eachPartStartsAPage_data()
    {
        QTest::addColumn<QStringList>("parts");
        QTest::newRow("no break") << QStringList{"First"};
        QTest::newRow("one break") << QStringList{"First", "Second"};
        QTest::newRow("two breaks") << QStringList{"First", "Second", "Third"};
        QTest::newRow("an empty part still has its page") << QStringList{"First", "", "Third"};
    }
    void eachPartStartsAPage()
    {
        QFETCH(QStringList, parts);
        QStringList paragraphs;
        for (const QString &part : parts)
            paragraphs << QStringLiteral("<p class=\"tall\">%1</p>").arg(part);
        const ReportDocument document(head() + paragraphs.join(QLatin1String(kPageBreak)) +
                                          QStringLiteral("</body></html>"),
                                      QString(), QString(), letter());
        QCOMPARE(document.pageCount(), parts.size());
        QCOMPARE(document.toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                 QStringList(parts).filter(QRegularExpression(QStringLiteral("."))));
        for (int page = 0; page < parts.size(); ++page)
            QCOMPARE(hasInk(document.pageImage(page, 30)), !parts.at(page).isEmpty());
    }

    // A part after a break is laid out with the body's style sheet: it takes
    // as many pages as the same lines alone do.
    void laterPartsKeepTheStyleSheet()
    {
        const ReportDocument alone(head() + tallLines() + QStringLiteral("</body></html>"),
                                   QString(), QString(), letter());
        QVERIFY(alone.pageCount() > 1);
        const ReportDocument afterBreak(head() + QStringLiteral("<p>First</p>") +
                                            QLatin1String(kPageBreak) + tallLines() +
                                            QStringLiteral("</body></html>"),
                                        QString(), QString(), letter());
        QCOMPARE(afterBreak.pageCount(), 1 + alone.pageCount());
    }

    // A part that runs a little past its page is drawn smaller to stay whole
    // when the layout allows it; a part that needs two pages keeps them.
    void partKeptWholeWhenALittleLong_data()
    {
        QTest::addColumn<double>("overrun"); // lines, as a share of one page's
        QTest::addColumn<double>("smallestScale");
        QTest::addColumn<int>("pages");
        QTest::newRow("one line over, may shrink") << 0.0 << 0.85 << 1;
        QTest::newRow("one line over, full size only") << 0.0 << 1.0 << 2;
        QTest::newRow("half a page over") << 0.5 << 0.85 << 2;
    }

    void partKeptWholeWhenALittleLong()
    {
        QFETCH(double, overrun);
        QFETCH(double, smallestScale);
        QFETCH(int, pages);
        const auto lines = [](int count) {
            QString html;
            for (int i = 0; i < count; ++i)
                html += QStringLiteral("<p class=\"tall\">Line %1</p>").arg(i);
            return html;
        };
        const auto body = [&](int count) {
            return head() + QStringLiteral("<p>First</p>") + QLatin1String(kPageBreak) +
                   lines(count) + QStringLiteral("</body></html>");
        };
        // The fewest lines that run onto a second page at full size.
        int onePage = 1;
        while (ReportDocument(body(onePage + 1), QString(), QString(), letter()).pageCount() == 2)
            ++onePage;
        const int count = onePage + 1 + int(overrun * onePage);
        const ReportDocument document(body(count), QString(), QString(), letter(), smallestScale);
        QCOMPARE(document.pageCount(), 1 + pages);
        QVERIFY(document.toPlainText().contains(QStringLiteral("Line %1").arg(count - 1)));
        QVERIFY(hasInk(document.pageImage(document.pageCount() - 1, 30)));
    }

    // Page numbers in the footer count the pages of every part.
    void footerCountsAllParts()
    {
        const ReportDocument document(
            head() + QStringLiteral("<p>First</p>") + QLatin1String(kPageBreak) + tallLines() +
                QStringLiteral("</body></html>"),
            QString(), QStringLiteral("Page %1 of %2").arg(kPageToken, kPagesToken), letter());
        QVERIFY(document.toPlainText().endsWith(
            QStringLiteral("Page 1 of %1").arg(document.pageCount())));
    }

    // Targets that are the tab become the space; sources, longer ranges and
    // other targets stay as they are.
    void textMapsGiveTheSpace_data()
    {
        QTest::addColumn<QByteArray>("cmap");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("range array") << QByteArray("1 beginbfrange\n<0001> <0003> [<0046> <0009> "
                                                   "<0069>]\nendbfrange")
                                     << QByteArray("1 beginbfrange\n<0001> <0003> [<0046> <0020> "
                                                   "<0069>]\nendbfrange");
        QTest::newRow("range of one code")
            << QByteArray("beginbfrange\n<0007> <0007> <0009>\nendbfrange")
            << QByteArray("beginbfrange\n<0007> <0007> <0020>\nendbfrange");
        QTest::newRow("range of several codes")
            << QByteArray("beginbfrange\n<0007> <0008> <0009>\nendbfrange")
            << QByteArray("beginbfrange\n<0007> <0008> <0009>\nendbfrange");
        QTest::newRow("chars, tab as source")
            << QByteArray("beginbfchar\n<0009> <0041>\n<000a> <0009>\nendbfchar")
            << QByteArray("beginbfchar\n<0009> <0041>\n<000a> <0020>\nendbfchar");
        QTest::newRow("outside a section")
            << QByteArray("<0009> begincmap <0009>") << QByteArray("<0009> begincmap <0009>");
    }

    void textMapsGiveTheSpace()
    {
        QFETCH(QByteArray, cmap);
        QFETCH(QByteArray, expected);
        QCOMPARE(fncSpaceForTabInCMap(cmap), expected);
    }

    // The file as qpdf reads it back: each font's map gives the space, and
    // the catalog and the information name the language and the author.
    void pdfNamesItsLanguageAndMapsTheSpace_data()
    {
        QTest::addColumn<bool>("french");
        QTest::addColumn<QString>("language");
        QTest::newRow("en") << false << QStringLiteral("en-CA");
        QTest::newRow("fr") << true << QStringLiteral("fr-CA");
    }

    void pdfNamesItsLanguageAndMapsTheSpace()
    {
        QFETCH(bool, french);
        QFETCH(QString, language);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("words.pdf"));
        const ReportDocument document(
            head() + QStringLiteral("<p>Current ratio and quick ratio</p></body></html>"),
            QString(), QString(), letter());
        QVERIFY(document.exportPdf(path, QStringLiteral("Words"), french));

        QProcess qpdf;
        qpdf.start(QStringLiteral("qpdf"),
                   {QStringLiteral("--qdf"), QStringLiteral("--object-streams=disable"), path,
                    QStringLiteral("-")});
        QVERIFY(qpdf.waitForFinished(30000));
        const QByteArray plain = qpdf.readAllStandardOutput();
        QVERIFY(plain.contains("/Lang (" + language.toLatin1() + ")"));
        QVERIFY(plain.contains("/Author (" + fncDocumentAuthor().toLatin1() + ")"));
        // Qt writes each map's targets as one array per range.
        const QRegularExpression targets(QStringLiteral("beginbfrange[^\\[]*(\\[[^\\]]*\\])"));
        int maps = 0;
        for (const QRegularExpressionMatch &match :
             targets.globalMatch(QString::fromLatin1(plain))) {
            ++maps;
            QVERIFY2(!match.captured(1).contains(QLatin1String("<0009>")),
                     qPrintable(match.captured(1)));
            QVERIFY(match.captured(1).contains(QLatin1String("<0020>")));
        }
        QVERIFY(maps > 0);
        QCOMPARE(testsupport::pdfPageCount(path), 1);
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_ReportDocument)
#include "tst_ReportDocument.moc"
