#include "reports/BackgroundLayout.h"

#include <QAbstractEventDispatcher>
#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QTextDocument>
#include <QThread>
#include <QThreadPool>

#include <algorithm>

namespace {
// The pool outlives every report but not the application: its threads end
// while the application's objects are still there.
QThreadPool *g_pool = nullptr;

void endPool()
{
    g_pool->waitForDone();
    delete g_pool;
    g_pool = nullptr;
}

QThreadPool &pool()
{
    if (!g_pool) {
        g_pool = new QThreadPool;
        g_pool->setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
        g_pool->setExpiryTimeout(-1);
        qAddPostRoutine(endPool);
    }
    return *g_pool;
}

thread_local bool t_layOutHere = false;
} // namespace

namespace backgroundlayout {

bool available()
{
    return !t_layOutHere && QThread::idealThreadCount() > 1 &&
           QCoreApplication::instance() != nullptr;
}

LayOutHere::LayOutHere() : m_before(t_layOutHere)
{
    t_layOutHere = true;
}

LayOutHere::~LayOutHere()
{
    t_layOutHere = m_before;
}

std::future<std::unique_ptr<QTextDocument>>
start(std::function<std::unique_ptr<QTextDocument>()> make)
{
    auto promise = std::make_shared<std::promise<std::unique_ptr<QTextDocument>>>();
    std::future<std::unique_ptr<QTextDocument>> result = promise->get_future();
    QThread *caller = QThread::currentThread();
    pool().start([promise, caller, make = std::move(make)] {
        try {
            std::unique_ptr<QTextDocument> document = make();
            // Laid out to the end here, so that no layout step is left for
            // the caller's thread; then the document belongs to the caller.
            document->pageCount();
            // A long document's layout may still run a timer of its own
            // (incremental layout, size change). Moving an object whose
            // timers run posts their re-registration to the new thread,
            // where the posted list is lost if the document goes first; so
            // the timers are let fire here, on the thread that started them.
            QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
            for (int wait = 0; dispatcher && wait < 100 &&
                               !dispatcher->registeredTimers(document->documentLayout()).isEmpty();
                 ++wait)
                dispatcher->processEvents(QEventLoop::WaitForMoreEvents);
            document->moveToThread(caller);
            promise->set_value(std::move(document));
        } catch (...) {
            promise->set_exception(std::current_exception());
        }
    });
    return result;
}

} // namespace backgroundlayout
