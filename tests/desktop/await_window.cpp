// await-window TITLE SECONDS
//
// Waits until a window with exactly this title (UTF-8) is viewable on the X
// display and prints its id and the moment it was seen (milliseconds since
// the epoch), as a rider would first see it: the managed
// windows of the window manager (or the top-level windows without one) are
// checked every 2 ms, a few round trips each, so the moment is not hidden
// behind a slow search of the whole window tree. Exit status 1 on timeout.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t *c, const char *name)
{
    Reply<xcb_intern_atom_reply_t> r(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::vector<xcb_window_t> Candidates(xcb_connection_t *c, xcb_window_t root, xcb_atom_t clientList)
{
    std::vector<xcb_window_t> windows;
    Reply<xcb_get_property_reply_t> list(
        xcb_get_property_reply(c, xcb_get_property(c, 0, root, clientList, XCB_ATOM_WINDOW, 0, 4096), nullptr),
        &std::free);
    if (list && list->format == 32 && xcb_get_property_value_length(list.get()) > 0) {
        const auto *ids = static_cast<const xcb_window_t *>(xcb_get_property_value(list.get()));
        windows.assign(ids, ids + xcb_get_property_value_length(list.get()) / 4);
        return windows;
    }
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr), &std::free);
    if (tree) {
        const xcb_window_t *children = xcb_query_tree_children(tree.get());
        windows.assign(children, children + xcb_query_tree_children_length(tree.get()));
    }
    return windows;
}

std::string Title(xcb_connection_t *c, xcb_window_t w, xcb_atom_t netName, xcb_atom_t utf8)
{
    for (auto [property, type] : {std::pair{netName, utf8}, std::pair{xcb_atom_t(XCB_ATOM_WM_NAME), xcb_atom_t(XCB_ATOM_ANY)}}) {
        Reply<xcb_get_property_reply_t> r(
            xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 256), nullptr), &std::free);
        if (r && r->format == 8 && xcb_get_property_value_length(r.get()) > 0)
            return std::string(static_cast<const char *>(xcb_get_property_value(r.get())),
                               static_cast<std::size_t>(xcb_get_property_value_length(r.get())));
    }
    return {};
}

bool Viewable(xcb_connection_t *c, xcb_window_t w)
{
    Reply<xcb_get_window_attributes_reply_t> r(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr), &std::free);
    return r && r->map_state == XCB_MAP_STATE_VIEWABLE;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: await-window TITLE SECONDS\n");
        return 2;
    }
    const std::string title = argv[1];
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::atoi(argv[2]) * 1000);
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "await-window: no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t clientList = Atom(c, "_NET_CLIENT_LIST");
    const xcb_atom_t netName = Atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");
    int status = 1;
    while (status != 0 && std::chrono::steady_clock::now() < end) {
        for (xcb_window_t w : Candidates(c, root, clientList))
            if (Title(c, w, netName, utf8) == title && Viewable(c, w)) {
                const auto seen = std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::system_clock::now().time_since_epoch());
                std::printf("%u %lld\n", w, static_cast<long long>(seen.count()));
                status = 0;
                break;
            }
        if (status != 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    xcb_disconnect(c);
    return status;
}
