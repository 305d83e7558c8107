#include "platform/x11/ClientProcess.h"

#include <xcb/res.h>

#include <cstdlib>

namespace tapfill::platform::x11 {

long processOfClient(xcb_connection_t* connection, std::uint32_t resource)
{
    if (resource == XCB_NONE)
        return 0;
    xcb_res_client_id_spec_t spec{resource, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    xcb_generic_error_t* error = nullptr;
    xcb_res_query_client_ids_reply_t* reply =
        xcb_res_query_client_ids_reply(connection, xcb_res_query_client_ids(connection, 1, &spec), &error);
    std::free(error); // taken here, so that no error handler sees it
    if (!reply)
        return 0;
    long process = 0;
    for (auto ids = xcb_res_query_client_ids_ids_iterator(reply); ids.rem > 0; xcb_res_client_id_value_next(&ids)) {
        if ((ids.data->spec.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID)
            && xcb_res_client_id_value_value_length(ids.data) >= 1)
            process = static_cast<long>(*xcb_res_client_id_value_value(ids.data));
    }
    std::free(reply);
    return process;
}

} // namespace tapfill::platform::x11
