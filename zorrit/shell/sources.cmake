# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(zorrit_core PRIVATE
    shell/about_box.cpp shell/about_box.h
    shell/loading_window.cpp shell/loading_window.h
    shell/message_icon.cpp shell/message_icon.h
    shell/not_found_notice.cpp shell/not_found_notice.h
    shell/program_icon.cpp shell/program_icon.h
    shell/status_notifier.cpp shell/status_notifier.h
    shell/theme_not_found_dialog.cpp shell/theme_not_found_dialog.h
    shell/tray_window.cpp shell/tray_window.h
    shell/version_holder.h
    shell/welcome_window.cpp shell/welcome_window.h
    shell/window_pictures.cpp shell/window_pictures.h
)
