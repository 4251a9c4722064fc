// startwatch: starts a program on the X display and measures, from outside it,
//   frame_ms    the wall time from launch until its window is mapped and painted,
//   hwm_kib     its peak resident memory (VmHWM) a while after that,
//   and, with --idle-s N, its processor time and wake-ups over N seconds of nobody typing.
//
//   startwatch [--settle-ms MS] [--idle-s S] -- PROGRAM [ARGS...]
//
// It prints one line of name=value pairs and ends the program with SIGTERM. The moment of
// the first frame is the first drawing the X server reports (DAMAGE extension, on the root
// window, raw rectangles) inside a mapped top-level window: with no window manager and the
// windows' background "None" (as Qt's are) nothing but the program draws there.
// `xdotool search --sync` cannot do this job: it polls every 500 ms.

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <map>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void fail(const char *message)
{
    std::fprintf(stderr, "startwatch: %s\n", message);
    std::exit(2);
}

long statusField(const std::string &file, const char *name)
{
    std::ifstream in(file);
    std::string line;
    const size_t length = std::strlen(name);
    while (std::getline(in, line)) {
        if (line.compare(0, length, name) == 0 && line.size() > length && line[length] == ':')
            return std::atol(line.c_str() + length + 1);
    }
    return -1;
}

struct Usage
{
    double cpuMs = 0;     // user + system time of every thread, from the scheduler (ns precision)
    long wakeups = 0;     // voluntary context switches of every thread: each is a sleep ended
    long involuntary = 0; // context switches forced on it
};

Usage usage(pid_t pid)
{
    Usage result;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR *dir = opendir(tasks.c_str());
    if (!dir)
        return result;
    while (dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string task = tasks + "/" + entry->d_name;
        std::ifstream schedstat(task + "/schedstat");
        double runNs = 0;
        if (schedstat >> runNs)
            result.cpuMs += runNs / 1e6;
        result.wakeups += statusField(task + "/status", "voluntary_ctxt_switches");
        result.involuntary += statusField(task + "/status", "nonvoluntary_ctxt_switches");
    }
    closedir(dir);
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    int settleMs = 500;
    int idleSeconds = 0;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string arg = argv[first];
        if (arg == "--settle-ms" && first + 1 < argc)
            settleMs = std::atoi(argv[++first]);
        else if (arg == "--idle-s" && first + 1 < argc)
            idleSeconds = std::atoi(argv[++first]);
        else if (arg == "--") {
            ++first;
            break;
        } else
            fail("usage: startwatch [--settle-ms MS] [--idle-s S] -- PROGRAM [ARGS...]");
    }
    if (first >= argc)
        fail("no program given");

    int screenNumber = 0;
    xcb_connection_t *c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c))
        fail("cannot open the display");
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;

    const xcb_query_extension_reply_t *damageExtension = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damageExtension || !damageExtension->present)
        fail("the X server has no DAMAGE extension");
    free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
    const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &events);
    xcb_damage_create(c, xcb_generate_id(c), root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); // all of it in force

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0)
        fail("fork failed");
    if (child == 0) {
        execvp(argv[first], argv + first);
        std::perror("startwatch: exec");
        _exit(127);
    }

    struct Window
    {
        int x = 0, y = 0, width = 0, height = 0;
        bool mapped = false;
    };
    std::map<xcb_window_t, Window> windows;
    double frameMs = -1;
    const int fd = xcb_get_file_descriptor(c);
    while (frameMs < 0) {
        xcb_generic_event_t *event = xcb_poll_for_event(c);
        if (!event) {
            if (xcb_connection_has_error(c))
                fail("lost the display");
            pollfd wait{fd, POLLIN, 0};
            poll(&wait, 1, 100);
            if (Clock::now() - start > std::chrono::seconds(20)) {
                kill(child, SIGKILL);
                fail("no window was painted within 20 s");
            }
            int status = 0;
            if (waitpid(child, &status, WNOHANG) == child)
                fail("the program ended before painting a window");
            continue;
        }
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto *e = reinterpret_cast<xcb_create_notify_event_t *>(event);
            if (e->parent == root)
                windows[e->window] = {e->x, e->y, e->width, e->height, false};
        } else if (type == XCB_CONFIGURE_NOTIFY) {
            const auto *e = reinterpret_cast<xcb_configure_notify_event_t *>(event);
            if (auto it = windows.find(e->window); it != windows.end())
                it->second = {e->x, e->y, e->width, e->height, it->second.mapped};
        } else if (type == XCB_MAP_NOTIFY) {
            const auto *e = reinterpret_cast<xcb_map_notify_event_t *>(event);
            if (auto it = windows.find(e->window); it != windows.end())
                it->second.mapped = true;
        } else if (type == XCB_UNMAP_NOTIFY) {
            const auto *e = reinterpret_cast<xcb_unmap_notify_event_t *>(event);
            if (auto it = windows.find(e->window); it != windows.end())
                it->second.mapped = false;
        } else if (type == damageExtension->first_event + XCB_DAMAGE_NOTIFY) {
            const auto *e = reinterpret_cast<xcb_damage_notify_event_t *>(event);
            const xcb_rectangle_t &r = e->area;
            for (const auto &[id, w] : windows) {
                if (w.mapped && r.x < w.x + w.width && w.x < r.x + r.width && r.y < w.y + w.height
                    && w.y < r.y + r.height) {
                    frameMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                    break;
                }
            }
        }
        free(event);
    }

    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const std::string status = "/proc/" + std::to_string(child) + "/status";
    std::printf("frame_ms=%.2f", frameMs);
    if (idleSeconds > 0) {
        const Usage before = usage(child);
        std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
        const Usage after = usage(child);
        std::printf(" idle_s=%d idle_cpu_ms=%.2f idle_wakeups=%ld idle_involuntary=%ld", idleSeconds,
                    after.cpuMs - before.cpuMs, after.wakeups - before.wakeups,
                    after.involuntary - before.involuntary);
    }
    std::printf(" hwm_kib=%ld\n", statusField(status, "VmHWM"));
    std::fflush(stdout);

    kill(child, SIGTERM);
    int exitStatus = 0;
    waitpid(child, &exitStatus, 0);
    xcb_disconnect(c);
    return 0;
}
