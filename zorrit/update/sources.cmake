# SPDX-License-Identifier: GPL-3.0-or-later
# The HTTP/1.0 client, the transfer window, the version check and its result dialogs.
target_sources(zorrit_core PRIVATE
    update/busy_pointer.h
    update/check_outcome.cpp update/check_outcome.h
    update/http_client.cpp update/http_client.h
    update/http_request.cpp update/http_request.h
    update/http_response.cpp update/http_response.h
    update/result_dialog.cpp update/result_dialog.h
    update/transfer_status.h
    update/update_check.cpp update/update_check.h
    update/update_check_window.cpp update/update_check_window.h
    update/update_context.h
    update/version_value.cpp update/version_value.h
)
