#include "reports/ExplainPlacement.h"

#include <QTest>

// Where the ratio explanation panel goes: never over the row it explains
// while the view has room for it, and always inside the view.
class tst_ExplainPlacement : public QObject
{
    Q_OBJECT

private slots:
    void placement_data()
    {
        QTest::addColumn<QRect>("room");
        QTest::addColumn<QRect>("row");
        QTest::addColumn<QSize>("panel");
        QTest::addColumn<QString>("side"); // where the panel lies against the row

        const QRect room(8, 8, 1000, 600);
        const QSize panel(380, 250);
        QTest::newRow("narrow page: right of it")
            << room << QRect(200, 300, 400, 20) << panel << "right";
        QTest::newRow("row at the bottom, beside it: kept in the view")
            << room << QRect(200, 590, 400, 16) << panel << "right";
        QTest::newRow("page pushed right: left of it")
            << room << QRect(500, 100, 500, 20) << panel << "left";
        QTest::newRow("full-width page: below the row")
            << room << QRect(8, 100, 1000, 20) << panel << "below";
        QTest::newRow("full-width page, row near the bottom: above it")
            << room << QRect(8, 500, 1000, 20) << panel << "above";
        QTest::newRow("view too small: inside it, on the larger side")
            << QRect(8, 8, 400, 300) << QRect(8, 60, 400, 20) << panel << "inside";
    }

    void placement()
    {
        QFETCH(QRect, room);
        QFETCH(QRect, row);
        QFETCH(QSize, panel);
        QFETCH(QString, side);

        const QRect placed(explainPanelPlace(room, row, panel), panel);
        QVERIFY2(room.contains(placed) || side == QLatin1String("inside"),
                 qPrintable(QStringLiteral("%1,%2").arg(placed.x()).arg(placed.y())));
        QCOMPARE(explainPanelFits(room, row, panel), side != QLatin1String("inside"));
        if (side == QLatin1String("inside")) {
            QVERIFY(room.contains(placed.topLeft()));
            QCOMPARE(placed.bottom(), room.bottom()); // the room below the row is larger
            return;
        }
        QVERIFY(!placed.intersects(row));
        const QString actual = placed.left() > row.right()   ? QStringLiteral("right")
                               : placed.right() < row.left() ? QStringLiteral("left")
                               : placed.top() > row.bottom() ? QStringLiteral("below")
                                                             : QStringLiteral("above");
        QCOMPARE(actual, side);
    }
};

QTEST_APPLESS_MAIN(tst_ExplainPlacement)
#include "tst_ExplainPlacement.moc"
