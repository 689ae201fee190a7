#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <type_traits>

class QWidget;
class StatementStore;

// Runs `work`, one call into the statement store, for a screen. A call into
// the team database runs on a thread of its own while the screen keeps
// drawing: its input waits for half a second, then a progress window says
// what is awaited and offers Cancel, which stops the call (StoreError,
// Cancelled) unless a commit is already under way. Errors thrown by `work`
// are thrown again here. The local file answers at once and is used on the
// screen's thread, as its database connection requires.
void fncWaitForStore(QWidget *parent, StatementStore &store, const std::function<void()> &work);

// The same for a call that returns a value.
template <typename Work>
auto fncWaitForStore(QWidget *parent, StatementStore &store, Work &&work)
    -> std::enable_if_t<!std::is_void_v<decltype(work())>, decltype(work())>
{
    std::optional<decltype(work())> result;
    fncWaitForStore(parent, store, std::function<void()>([&] { result.emplace(work()); }));
    return std::move(*result);
}
