// The values a layout's templates read: only the names the templates use are
// formatted, and every way a template can name a value still finds it.
#include "reports/ReportData.h"
#include "reports/ReportLayout.h"
#include "support/LogicTestSupport.h"

namespace {
const QString kLayout = QStringLiteral(R"([report]
language = t.Language
[tables]
T1 as t
[formats]
pct = percent 1
q25 = equals 25
[columns]
Share = pct
[rows items over t]
fields = label value
A = t.Label t.Share
B = "fixed" t.Missing
[header]
{{#t}}H:{{Label}}{{/t}}
[footer]
F:{{t.Share|raw}}
[template]
)");

RecordSet oneRow()
{
    return RecordSet({"Language", "Label", "Share", "Missing", "Unused"},
                     {{QStringLiteral("E"), QStringLiteral("a&b"), 25.0, QVariant(), 7.5}});
}

QString render(const QString &which, const QString &body)
{
    const ReportLayout layout = parseReportLayout(kLayout + body);
    const QVector<RecordSet> tables{oneRow()};
    const auto data = buildReportData(layout, tables, reportLanguageOf(layout, tables));
    const QString &text =
        which == "header" ? layout.header : (which == "footer" ? layout.footer : layout.body);
    return renderReportTemplate(text, data).trimmed();
}
} // namespace

class tst_ReportData : public QObject
{
    Q_OBJECT

private slots:
    void everyWayOfNamingAValue_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("expected");
        QTest::newRow("default format") << "{{#t}}{{Share}}{{/t}}"
                                        << "25.0%";
        QTest::newRow("named format") << "{{#t}}{{Share|pct}}{{/t}}"
                                      << "25.0%";
        QTest::newRow("raw") << "{{#t}}{{Share|raw}}{{/t}}"
                             << "25";
        QTest::newRow("equals flag") << "{{#t}}{{#Share|q25}}quarter{{/Share|q25}}{{/t}}"
                                     << "quarter";
        QTest::newRow("inverted has") << "{{#t}}{{^Missing|has}}none{{/Missing|has}}{{/t}}"
                                      << "none";
        QTest::newRow("null flag") << "{{#t}}{{#Missing|null}}N{{/Missing|null}}{{/t}}"
                                   << "N";
        QTest::newRow("nonzero flag") << "{{#t}}{{#Share|nonzero}}NZ{{/Share|nonzero}}{{/t}}"
                                      << "NZ";
        QTest::newRow("dotted name") << "{{t.Share|raw}} {{t.Label}}"
                                     << "25 a&amp;b";
        QTest::newRow("unescaped, three braces") << "{{#t}}{{{Label}}}{{/t}}"
                                                 << "a&b";
        QTest::newRow("unescaped, ampersand") << "{{#t}}{{& Label }}{{/t}}"
                                              << "a&b";
        QTest::newRow("list over a table")
            << "{{#t}}{{#items}}[{{label}}={{value}}]{{/items}}{{/t}}"
            << "[a&amp;b=25.0%][fixed=]";
        QTest::newRow("comment names nothing") << "{{! Unused }}{{#t}}{{Unused}}{{/t}}"
                                               << "7.5";
        QTest::newRow("other tag marks") << "{{=<% %>=}}<%#t%><%share|pct%><%/t%>"
                                         << "25.0%";
    }
    void everyWayOfNamingAValue()
    {
        QFETCH(QString, body);
        QFETCH(QString, expected);
        QCOMPARE(render("body", body), expected);
    }

    // The header and footer read their own names, not only the body's.
    void headerAndFooterNames()
    {
        QCOMPARE(render("header", "<p>body</p>"), QStringLiteral("H:a&amp;b"));
        QCOMPARE(render("footer", "<p>body</p>"), QStringLiteral("F:25"));
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_ReportData)
#include "tst_ReportData.moc"
