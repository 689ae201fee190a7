#include "core/Screen.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace {
QPointer<Screen> &lastActive()
{
    static QPointer<Screen> screen;
    return screen;
}

// Screens in the order they last became active, most recent last.
QList<QPointer<Screen>> &activationOrder()
{
    static QList<QPointer<Screen>> order;
    return order;
}
} // namespace

Screen::Screen(QWidget *parent) : QMainWindow(parent) {}

Screen::~Screen()
{
    activationOrder().removeAll(QPointer<Screen>(this));
    if (m_modalLoop)
        m_modalLoop->quit();
}

Screen *Screen::lastActiveScreen()
{
    return lastActive().data();
}

void Screen::resetActivationHistory()
{
    lastActive().clear();
    activationOrder().clear();
}

void Screen::activate()
{
    if (lastActive() == this)
        return;
    lastActive() = this;
    activationOrder().removeAll(QPointer<Screen>(this));
    activationOrder().append(QPointer<Screen>(this));
    Form_Activate();
    emit activated();
}

void Screen::showScreen()
{
    show();
    raise();
    activateWindow();
    activate();
}

void Screen::showModal()
{
    setWindowModality(Qt::ApplicationModal);
    showScreen();
    QEventLoop loop;
    m_modalLoop = &loop;
    if (isVisible())
        loop.exec();
    m_modalLoop = nullptr;
    setWindowModality(Qt::NonModal);
}

void Screen::centreOnScreen()
{
    const QScreen *display = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!display)
        return;
    const QRect area = display->geometry();
    const QSize size = frameGeometry().size();
    move(area.x() + (area.width() - size.width()) / 2,
         area.y() + (area.height() - size.height()) / 2);
}

void Screen::setOwner(QWidget *owner)
{
    QWidget *ownerWindow = owner ? owner->window() : nullptr;
    if (ownerWindow == this || parentWidget() == ownerWindow)
        return;
    const QPoint place = pos();
    setParent(ownerWindow, windowFlags() | Qt::Window);
    move(place);
}

void Screen::setEscapeAction(std::function<void()> action)
{
    m_escapeAction = std::move(action);
}

void Screen::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_escapeAction) {
        m_escapeAction();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void Screen::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // The window system reports activations late: showing two screens in
        // quick succession can deliver the first one's activation after the
        // second was shown. Only a screen still active once the pending
        // events are through has really been brought back by the user.
        QTimer::singleShot(0, this, [this] {
            if (QApplication::activeWindow() == this && isVisible() && !isBlockedByModalScreen())
                activate();
        });
    }
    QMainWindow::changeEvent(event);
}

bool Screen::isBlockedByModalScreen() const
{
    // A late or stray platform activation of a screen under a modal one is not
    // the user coming back to it: the modal screen keeps the activation.
    const QWidget *modal = QApplication::activeModalWidget();
    return modal && modal != this && isVisible() && modal->isVisible();
}

void Screen::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    if (event->spontaneous())
        return; // minimised by the window system: no hand-off
    if (m_modalLoop)
        m_modalLoop->quit();
    if (lastActive() != this)
        return;
    // The user comes back to the most recently active screen still showing.
    const auto &order = activationOrder();
    for (auto it = order.crbegin(); it != order.crend(); ++it) {
        Screen *candidate = it->data();
        if (candidate && candidate != this && candidate->isVisible()) {
            candidate->activate();
            return;
        }
    }
}
