#include "platform/desktop/clipboard_owner.h"

#include <QGuiApplication>

#if defined(SLEEVIX_HAVE_XCB) && QT_CONFIG(xcb)
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace {

xcb_atom_t clipboardAtom(xcb_connection_t* connection)
{
    static const char kName[] = "CLIPBOARD";
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, std::strlen(kName), kName), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

}  // namespace

bool clipboardIsUnowned()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    const xcb_atom_t clipboard = clipboardAtom(connection);
    if (clipboard == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, clipboard), nullptr);
    if (!reply)
        return false;
    const bool unowned = reply->owner == XCB_NONE;
    std::free(reply);
    return unowned;
}

#else

bool clipboardIsUnowned()
{
    return false;
}

#endif
