// strut-panel HEIGHT
//
// A desktop panel for the desktop test: a dock window along the top edge of
// the X screen that reserves HEIGHT pixels (a strut), so the window manager
// shrinks the work area as a real panel does. Runs until it is killed.
#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

xcb_atom_t Atom(xcb_connection_t *c, const char *name)
{
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> r(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace

int main(int argc, char **argv)
{
    const int height = argc > 1 ? std::atoi(argv[1]) : 32;
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c) || height <= 0) {
        std::fprintf(stderr, "strut-panel: no X display or bad height\n");
        return 1;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint16_t width = screen->width_in_pixels;
    const xcb_window_t panel = xcb_generate_id(c);
    const uint32_t values[] = {0x303030};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, panel, screen->root, 0, 0, width, uint16_t(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL, values);
    const xcb_atom_t dock = Atom(c, "_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, panel, Atom(c, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &dock);
    // left, right, top, bottom; then the start and end of each edge's part.
    const std::array<uint32_t, 12> strut{0, 0, uint32_t(height), 0, 0, 0, 0, 0, 0, uint32_t(width - 1), 0, 0};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, panel, Atom(c, "_NET_WM_STRUT"), XCB_ATOM_CARDINAL, 32, 4,
                        strut.data());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, panel, Atom(c, "_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL, 32,
                        12, strut.data());
    // Placed by the program at 0, 0 (WM_NORMAL_HINTS: user position and size).
    std::array<uint32_t, 18> hints{};
    hints[0] = 1 | 2 | 4 | 8;
    hints[3] = width;
    hints[4] = uint32_t(height);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, panel, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, 18,
                        hints.data());
    xcb_map_window(c, panel);
    xcb_flush(c);
    while (xcb_generic_event_t *event = xcb_wait_for_event(c))
        std::free(event);
    xcb_disconnect(c);
    return 0;
}
