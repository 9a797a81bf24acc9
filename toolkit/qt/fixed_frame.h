// What a form tells an X11 window manager about its frame. Qt advertises
// resizing in _MOTIF_WM_HINTS for every top-level window, whatever its size
// constraints; a window manager that trusts those hints then offers a resize
// cursor on the border of a window that cannot change size.
#pragma once

class QWidget;

namespace vantrel {

// On X11, replaces the window's Motif hints with a fixed frame: move,
// minimise and close, a border, a title and the system menu, and no resizing
// or maximising. Does nothing on other platforms. Call after the native
// window exists and before it is first shown.
void AdvertiseFixedFrame(QWidget& window);

}  // namespace vantrel
