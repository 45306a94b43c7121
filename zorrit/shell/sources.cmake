# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(zorrit_core PRIVATE
    shell/about_box.cpp shell/about_box.h
    shell/ahwell_dialog.cpp shell/ahwell_dialog.h
    shell/not_found_notice.cpp shell/not_found_notice.h
    shell/program_icon.cpp shell/program_icon.h
    shell/stand_window.cpp shell/stand_window.h
    shell/status_notifier.cpp shell/status_notifier.h
    shell/startup1_window.cpp shell/startup1_window.h
    shell/tray_window.cpp shell/tray_window.h
    shell/version_holder.h
    shell/xq_sys_icons.cpp shell/xq_sys_icons.h
)
