# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(zorrit_core PRIVATE
    settings/setting_names.h
    settings/settings_store.cpp settings/settings_store.h
)
