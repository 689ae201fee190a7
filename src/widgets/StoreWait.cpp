#include "widgets/StoreWait.h"

#include "core/AppState.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "store/StatementStore.h"

#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include <thread>

namespace {
// How long a call may take before the progress window shows.
constexpr int kQuietWaitMs = 500;

// What is awaited, a bar that runs, and Cancel. Cancel and Esc ask the call
// to stop; the window stays until it has.
class StoreWaitDialog : public QDialog
{
public:
    StoreWaitDialog(QWidget *parent, const QString &storeName, StatementStore &store)
        : QDialog(parent), m_store(store), m_language(appState().gintLanguage)
    {
        setObjectName(QStringLiteral("dlgStoreWait"));
        setWindowTitle(QStringLiteral("Quorvel"));
        setWindowModality(Qt::ApplicationModal);
        m_label = new QLabel(ResourceString(kWaitingForStore, m_language).arg(storeName), this);
        m_label->setObjectName(QStringLiteral("lblStoreWait"));
        auto *bar = new QProgressBar(this);
        bar->setObjectName(QStringLiteral("barStoreWait"));
        bar->setRange(0, 0);
        bar->setAccessibleName(m_label->text());
        m_cancel = new QPushButton(ResourceString(kCancel, m_language), this);
        m_cancel->setObjectName(QStringLiteral("cmdStoreWaitCancel"));
        connect(m_cancel, &QPushButton::clicked, this, &StoreWaitDialog::reject);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(m_label);
        layout->addWidget(bar);
        layout->addWidget(m_cancel, 0, Qt::AlignRight);
    }

    void reject() override
    {
        m_store.requestCancel();
        m_cancel->setEnabled(false);
        m_label->setText(ResourceString(kStoppingStoreCommand, m_language));
    }

private:
    StatementStore &m_store;
    Language m_language;
    QLabel *m_label = nullptr;
    QPushButton *m_cancel = nullptr;
};
} // namespace

void fncWaitForStore(QWidget *parent, StatementStore &store, const std::function<void()> &work)
{
    store.clearCancel();
    if (!store.isTeam()) {
        work();
        return;
    }
    // Named before the call starts: the call owns the store until it ends.
    const QString storeName = store.description(appState().gintLanguage);
    QEventLoop loop;
    std::exception_ptr failure;
    bool finished = false;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        // Queued to the loop: delivered even if the loop has not started yet.
        QMetaObject::invokeMethod(
            &loop,
            [&] {
                finished = true;
                loop.quit();
            },
            Qt::QueuedConnection);
    });

    // First a short wait that keeps the screen drawn but takes no input, so
    // that nothing else starts on the screen meanwhile.
    QTimer::singleShot(kQuietWaitMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished) {
        StoreWaitDialog dialog(parent, storeName, store);
        dialog.show();
        while (!finished)
            loop.exec();
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}
