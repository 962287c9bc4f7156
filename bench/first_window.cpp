// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program and reports how long it takes until a window of its
// process is viewable (for Pigmentry: the tray icon docked in the tray host;
// for a program without a tray icon: its main window), then, after a pause,
// its resident memory. With FIRST_WINDOW_THEN set, that shell command runs
// next and the memory is read once more (Pigmentry: visit every Studio page).
// Usage: first_window SECONDS PROGRAM [ARGUMENTS...]
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    auto *reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

bool viewableWindowOf(xcb_connection_t *c, xcb_window_t window, xcb_atom_t pidAtom, uint32_t pid)
{
    auto *tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
    if (!tree)
        return false;
    const xcb_window_t *children = xcb_query_tree_children(tree);
    const int count = xcb_query_tree_children_length(tree);
    std::vector<xcb_window_t> list(children, children + count);
    std::free(tree);
    for (const xcb_window_t child : list) {
        auto *attributes = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, child), nullptr);
        const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(attributes);
        if (!viewable)
            continue;
        auto *property =
            xcb_get_property_reply(c, xcb_get_property(c, 0, child, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        const bool ours = property && xcb_get_property_value_length(property) == 4
            && *static_cast<uint32_t *>(xcb_get_property_value(property)) == pid;
        std::free(property);
        if (ours || viewableWindowOf(c, child, pidAtom, pid))
            return true;
    }
    return false;
}

long residentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: first_window SECONDS PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t pidAtom = atom(c, "_NET_WM_PID");

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // The program's own chatter would bury the figures.
        if (const int null = open("/dev/null", O_WRONLY); null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    double ms = -1;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
        if (viewableWindowOf(c, root, pidAtom, uint32_t(pid))) {
            ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(std::atof(argv[1])));
    std::printf("%s: first window after %.0f ms, resident memory %.1f MiB\n", argv[2], ms, residentKiB(pid) / 1024.0);
    if (const char *then = std::getenv("FIRST_WINDOW_THEN")) {
        if (std::system(then) == 0) {
            std::this_thread::sleep_for(std::chrono::duration<double>(std::atof(argv[1])));
            std::printf("%s: after \"%s\", resident memory %.1f MiB\n", argv[2], then, residentKiB(pid) / 1024.0);
        }
    }
    kill(pid, SIGTERM);
    xcb_disconnect(c);
    return 0;
}
