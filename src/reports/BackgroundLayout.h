#pragma once

#include <functional>
#include <future>
#include <memory>

class QTextDocument;

// Laying out text documents away from the calling thread. A report's parts
// after its forced page breaks are laid out here while the caller lays out
// the first part, so a report of several pages is ready sooner on a machine
// with more than one core.
//
// The threads are kept for the program's life: text layout keeps its fonts
// per thread, and a new thread would load them again for every report.
namespace backgroundlayout {

// Whether another core is there to lay out at the same time, for this
// thread: not on a thread that keeps every core busy already.
bool available();

// While it lives, the calling thread lays out its documents itself: a batch
// export's workers each take a core, and would only queue up behind the
// layout threads.
class LayOutHere
{
public:
    LayOutHere();
    ~LayOutHere();
    LayOutHere(const LayOutHere &) = delete;
    LayOutHere &operator=(const LayOutHere &) = delete;

private:
    bool m_before;
};

// Runs `make` on a layout thread and hands its document, laid out to the
// end, over to the calling thread. An exception thrown by `make` comes out
// of the future's get().
std::future<std::unique_ptr<QTextDocument>>
start(std::function<std::unique_ptr<QTextDocument>()> make);

} // namespace backgroundlayout
