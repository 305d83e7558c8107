#pragma once
// Which process is behind an X client. A program may read the clipboard
// through another connection than the one that made its focused window
// (a clipboard thread, a second toolkit), so "the same client" is too
// narrow a test of "the same program"; the same process is the right one.

#include <xcb/xcb.h>

#include <cstdint>

namespace tapfill::platform::x11 {

/// The process of the client that made `resource` (any window or other id
/// of it), through the X-Resource extension; 0 when it cannot be told: a
/// client on another machine, a server without the extension, a client
/// gone meanwhile.
long processOfClient(xcb_connection_t* connection, std::uint32_t resource);

} // namespace tapfill::platform::x11
