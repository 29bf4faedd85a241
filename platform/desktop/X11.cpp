#include "X11.h"

#include <QGuiApplication>
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

}  // namespace x11
