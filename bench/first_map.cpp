// Launches a program on the X display and times it to its first window
// mapped, as the X server reports it (MapNotify): the start-up benchmark's
// stopwatch (bench/startup_time.sh). Polling for the window from another
// program, as before, added its own delay to both programs compared, and so
// shrank their ratio. Prints `launch_us=… peak_kb=…`, the peak memory read
// the moment the window is mapped; the program is then ended. A program that
// ends, or shows nothing within 30 s, fails the run.
// Usage: bench_first_map PROGRAM [ARGUMENTS…]
//        bench_first_map --check   (exits 0 once the display answers)
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

extern char **environ;

namespace {
long peakKilobytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2 || (argv[1][0] == '-' && std::string(argv[1]) != "--check")) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    if (std::string(argv[1]) == "--check")
        return 0;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;
    // Every window mapped on the root is reported to us; a round trip makes
    // sure the server applies that before the program starts.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    long launchUs = -1;
    const auto limit = start + std::chrono::seconds(30);
    while (launchUs < 0 && std::chrono::steady_clock::now() < limit) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            const bool mapped = (event->response_type & ~0x80) == XCB_MAP_NOTIFY;
            free(event);
            if (mapped && launchUs < 0)
                launchUs = std::chrono::duration_cast<std::chrono::microseconds>(
                               std::chrono::steady_clock::now() - start)
                               .count();
        }
        if (launchUs >= 0 || xcb_connection_has_error(connection))
            break;
        if (waitpid(child, nullptr, WNOHANG) == child) {
            std::fprintf(stderr, "%s ended before showing a window\n", argv[1]);
            return 1;
        }
        pollfd display{xcb_get_file_descriptor(connection), POLLIN, 0};
        poll(&display, 1, 50);
    }
    const long peak = peakKilobytes(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(connection);
    if (launchUs < 0)
        return 1;
    std::printf("launch_us=%ld peak_kb=%ld\n", launchUs, peak);
    return 0;
}
