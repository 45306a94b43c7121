# SPDX-License-Identifier: GPL-3.0-or-later
# The tick goes into a header here, from the top-level CMakeLists.txt.
set(_generated ${CMAKE_CURRENT_BINARY_DIR}/generated/zorrit/trail)
configure_file(trail/tick.h.in ${_generated}/tick.h @ONLY)
target_include_directories(zorrit_core PUBLIC ${CMAKE_CURRENT_BINARY_DIR}/generated)
target_sources(zorrit_core PRIVATE
    trail/corner_settings.h
    trail/full_screen_hiding.cpp trail/full_screen_hiding.h
    trail/full_screen_policy.cpp trail/full_screen_policy.h
    trail/sprite_picture.cpp trail/sprite_picture.h
    trail/sprite_window.cpp trail/sprite_window.h
    trail/tick_thread.cpp trail/tick_thread.h
    trail/trail_engine.cpp trail/trail_engine.h
    trail/trail_math.cpp trail/trail_math.h
    trail/translucency.cpp trail/translucency.h
    ${_generated}/tick.h
)
