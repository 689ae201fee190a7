#include "widgets/ScrollingScreen.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>

namespace {
// Room for a window's frame and title bar, which its size leaves out.
constexpr int kFrameRoom = 24;
} // namespace

QScrollArea *setScrollingCentralWidget(QMainWindow *window, QWidget *content)
{
    auto *scroll = new QScrollArea(window);
    scroll->setObjectName(window->objectName() + QStringLiteral("Scroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    // The controls inside take the focus; the area itself is no stop.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    window->setCentralWidget(scroll);
    // Tab already scrolls to the next control; Return and the commands move
    // the focus themselves.
    QObject::connect(qApp, &QApplication::focusChanged, scroll, [scroll](QWidget *, QWidget *now) {
        if (now && scroll->widget() && scroll->widget()->isAncestorOf(now))
            scroll->ensureWidgetVisible(now);
    });
    return scroll;
}

void resizeWithinScreen(QWidget *window, const QSize &wanted)
{
    const QScreen *display = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!display) {
        window->resize(wanted);
        return;
    }
    const QSize room = display->availableGeometry().size() - QSize(kFrameRoom, 2 * kFrameRoom);
    window->resize(wanted.boundedTo(room.expandedTo(window->minimumSizeHint())));
}
