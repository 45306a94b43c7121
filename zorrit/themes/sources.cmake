# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(zorrit_core PRIVATE
    themes/shipped_themes.cpp themes/shipped_themes.h
    themes/theme_reader.cpp themes/theme_reader.h
)
# A larger trail draws the shipped themes afresh at its size, from the drawings they were made of.
target_link_libraries(zorrit_core PRIVATE theme_art)
