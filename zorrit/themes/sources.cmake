# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(zorrit_core PRIVATE
    themes/shipped_themes.cpp themes/shipped_themes.h
    themes/theme_reader.cpp themes/theme_reader.h
)
