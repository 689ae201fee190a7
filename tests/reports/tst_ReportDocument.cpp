#include "support/LogicTestSupport.h"

#include "reports/ReportData.h"
#include "reports/ReportDocument.h"

#include <QRegularExpression>

#include <QPageSize>

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
};

QUORVEL_LOGIC_TEST_MAIN(tst_ReportDocument)
#include "tst_ReportDocument.moc"
