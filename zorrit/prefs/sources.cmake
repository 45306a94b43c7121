# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(zorrit_core PRIVATE
    prefs/autostart.cpp prefs/autostart.h
    prefs/prefs_dialog.cpp prefs/prefs_dialog.h
    prefs/prefs_holder.cpp prefs/prefs_holder.h
    prefs/prefs_model.cpp prefs/prefs_model.h
    prefs/prefs_window.cpp prefs/prefs_window.h
)
