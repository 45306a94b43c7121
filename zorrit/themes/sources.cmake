# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(zorrit_core PRIVATE
    themes/theme_reader.cpp themes/theme_reader.h
)
