// Zoom of the report viewer: the factor each choice gives for a page in a
// view, the steps Ctrl+plus and Ctrl+minus go through, and the choice that
// holds for the session.
#include "reports/ReportZoom.h"

#include <QTest>

namespace {
// Letter paper at 96 dots per inch.
const QSizeF kPortrait(816, 1056);
const QSizeF kLandscape(1056, 816);
constexpr int kMargin = 8;
} // namespace

class tst_ReportZoom : public QObject
{
    Q_OBJECT

private slots:
    void factors_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("fixed");
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<QSize>("view");
        QTest::addColumn<double>("expected");
        const int fitWidth = int(ZoomChoice::Kind::FitWidth);
        const int wholePage = int(ZoomChoice::Kind::WholePage);
        const int fixed = int(ZoomChoice::Kind::Fixed);
        // A 1366 x 768 screen leaves the viewer about 960 x 620 for the page.
        QTest::newRow("fit width, landscape page wider than the view")
            << fitWidth << 0.0 << kLandscape << QSize(956, 620) << 940.0 / 1056;
        QTest::newRow("fit width, portrait page")
            << fitWidth << 0.0 << kPortrait << QSize(1648, 620) << 1632.0 / 816;
        QTest::newRow("whole page, height decides")
            << wholePage << 0.0 << kPortrait << QSize(956, 544) << 528.0 / 1056;
        QTest::newRow("whole page, width decides")
            << wholePage << 0.0 << kLandscape << QSize(544, 2000) << 528.0 / 1056;
        QTest::newRow("fit width never beyond the largest step")
            << fitWidth << 0.0 << kPortrait << QSize(4000, 600) << 2.0;
        QTest::newRow("fit width never below a quarter")
            << fitWidth << 0.0 << kPortrait << QSize(40, 600) << 0.25;
        QTest::newRow("fixed step, any view")
            << fixed << 1.25 << kPortrait << QSize(100, 100) << 1.25;
        QTest::newRow("fixed beyond the steps")
            << fixed << 9.0 << kPortrait << QSize(100, 100) << 2.0;
    }

    void factors()
    {
        QFETCH(int, kind);
        QFETCH(double, fixed);
        QFETCH(QSizeF, page);
        QFETCH(QSize, view);
        QFETCH(double, expected);
        const ZoomChoice choice{ZoomChoice::Kind(kind), fixed};
        QCOMPARE(zoomFactor(choice, page, view, kMargin), expected);
    }

    void steps_data()
    {
        QTest::addColumn<double>("current");
        QTest::addColumn<double>("in");
        QTest::addColumn<double>("out");
        QTest::newRow("on a step") << 1.0 << 1.25 << 0.75;
        QTest::newRow("between steps (a fitted width)") << 0.89 << 1.0 << 0.75;
        QTest::newRow("smallest") << 0.5 << 0.75 << 0.5;
        QTest::newRow("largest") << 2.0 << 2.0 << 1.5;
        QTest::newRow("below the steps") << 0.3 << 0.5 << 0.5;
    }

    void steps()
    {
        QFETCH(double, current);
        QFETCH(double, in);
        QFETCH(double, out);
        const ZoomChoice zoomIn = zoomedIn(current);
        const ZoomChoice zoomOut = zoomedOut(current);
        QCOMPARE(zoomIn.kind, ZoomChoice::Kind::Fixed);
        QCOMPARE(zoomIn.factor, in);
        QCOMPARE(zoomOut.kind, ZoomChoice::Kind::Fixed);
        QCOMPARE(zoomOut.factor, out);
    }

    void sessionChoice()
    {
        QCOMPARE(sessionZoomChoice().kind, ZoomChoice::Kind::FitWidth);
        setSessionZoomChoice({ZoomChoice::Kind::Fixed, 1.5});
        QCOMPARE(sessionZoomChoice(), (ZoomChoice{ZoomChoice::Kind::Fixed, 1.5}));
        setSessionZoomChoice({});
    }
};

QTEST_APPLESS_MAIN(tst_ReportZoom)
#include "tst_ReportZoom.moc"
