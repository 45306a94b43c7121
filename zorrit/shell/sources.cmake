# SPDX-License-Identifier: GPL-3.0-or-later
# About box, system-icon control and the version holder.
target_sources(zorrit_core PRIVATE
    shell/about_box.cpp shell/about_box.h
    shell/version_holder.h
    shell/xq_sys_icons.cpp shell/xq_sys_icons.h
)
