#include "reports/WaitCursorPause.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

void pauseWithWaitCursor(int milliseconds)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QApplication::restoreOverrideCursor();
}
