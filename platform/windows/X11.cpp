#include "X11.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace x11 {

xcb_connection_t* Connection() {
    auto* x = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x ? x->connection() : nullptr;
}

xcb_atom_t Atom(const char* name) {
    xcb_connection_t* c = Connection();
    if (!c) return XCB_ATOM_NONE;
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(r);
    return a;
}

std::optional<Extents> FrameExtents(xcb_window_t w) {
    xcb_connection_t* c = Connection();
    if (!c) return std::nullopt;
    static const xcb_atom_t extents = Atom("_NET_FRAME_EXTENTS");
    std::optional<Extents> e;
    if (xcb_get_property_reply_t* p =
            xcb_get_property_reply(c, xcb_get_property(c, 0, w, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr)) {
        if (p->format == 32 && xcb_get_property_value_length(p) >= 16) {
            const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(p));
            e = Extents{int(v[0]), int(v[1]), int(v[2]), int(v[3])};
        }
        std::free(p);
    }
    return e;
}

std::optional<Corner> ViewedAt(xcb_window_t w) {
    xcb_connection_t* c = Connection();
    if (!c) return std::nullopt;
    const auto attributes = xcb_get_window_attributes(c, w);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const auto place = xcb_translate_coordinates(c, w, root, 0, 0);
    bool viewable = false;
    if (xcb_get_window_attributes_reply_t* a = xcb_get_window_attributes_reply(c, attributes, nullptr)) {
        viewable = a->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(a);
    }
    std::optional<Corner> corner;
    if (xcb_translate_coordinates_reply_t* t = xcb_translate_coordinates_reply(c, place, nullptr)) {
        if (viewable) corner = Corner{t->dst_x, t->dst_y};
        std::free(t);
    }
    return corner;
}

void AskWindowManager(xcb_window_t w, xcb_atom_t type, std::initializer_list<uint32_t> data) {
    xcb_connection_t* c = Connection();
    if (!c) return;
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = w;
    e.type = type;
    std::copy_n(data.begin(), std::min<size_t>(data.size(), 5), e.data.data32);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&e));
    xcb_flush(c);
}

namespace {
constexpr uint32_t kNorthWest = 1, kStatic = 10;

// The reference point the window asks its moves to be read by (ICCCM's
// win_gravity in WM_NORMAL_HINTS; north-west when it names none).
uint32_t GravityOf(xcb_connection_t* c, xcb_window_t w) {
    constexpr uint32_t kHasGravity = 1u << 9;
    constexpr int kGravityField = 17;
    uint32_t gravity = kNorthWest;
    const auto cookie = xcb_get_property(c, 0, w, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 0, 18);
    if (xcb_get_property_reply_t* p = xcb_get_property_reply(c, cookie, nullptr)) {
        if (p->format == 32 && xcb_get_property_value_length(p) >= 4 * (kGravityField + 1)) {
            const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(p));
            if (v[0] & kHasGravity) gravity = v[kGravityField];
        }
        std::free(p);
    }
    return gravity;
}
}  // namespace

void MoveFrame(xcb_window_t w, int x, int y) {
    xcb_connection_t* c = Connection();
    if (!c) return;
    static const xcb_atom_t moveResize = Atom("_NET_MOVERESIZE_WINDOW");
    // The position is given by the window's own reference point: some window
    // managers read the request's point, others the window's. Static: the
    // window's own corner; otherwise the frame's.
    const uint32_t gravity = GravityOf(c, w) == kStatic ? kStatic : kNorthWest;
    if (gravity == kStatic)
        if (const std::optional<Extents> frame = FrameExtents(w)) {
            x += frame->left;
            y += frame->top;
        }
    constexpr uint32_t kXAndY = (1u << 8) | (1u << 9), kFromApplication = 1u << 12;
    AskWindowManager(w, moveResize,
                     {gravity | kXAndY | kFromApplication, static_cast<uint32_t>(x), static_cast<uint32_t>(y)});
}

}  // namespace x11
