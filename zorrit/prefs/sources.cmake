# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(zorrit_core PRIVATE
    prefs/prefs_holder.cpp prefs/prefs_holder.h
    prefs/prefs_model.cpp prefs/prefs_model.h
)
