# SPDX-License-Identifier: GPL-3.0-or-later
# The bus contract goes into a header here, and into the KWin script (resources/reporters/), a
# resource of the program.
set(_generated ${CMAKE_CURRENT_BINARY_DIR}/generated/zorrit/pointer)
configure_file(pointer/pointer_bus.h.in ${_generated}/pointer_bus.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/reporters/kwin_pointer.js.in ${_generated}/kwin_pointer.js @ONLY)
target_include_directories(zorrit_core PUBLIC ${CMAKE_CURRENT_BINARY_DIR}/generated)
target_sources(zorrit_core PRIVATE
    pointer/bus_pointer_source.cpp pointer/bus_pointer_source.h
    pointer/compositor_source.h pointer/source_context.h
    pointer/source_factory.cpp pointer/source_factory.h
    pointer/pointer_notice.cpp pointer/pointer_notice.h
    pointer/gnome_pointer_source.cpp pointer/gnome_pointer_source.h
    pointer/kwin_pointer_source.cpp pointer/kwin_pointer_source.h
    pointer/output_mapping.cpp pointer/output_mapping.h
    pointer/output_watch.cpp pointer/output_watch.h
    pointer/pointer_choice.cpp pointer/pointer_choice.h
    pointer/reported_full_screen.h
    pointer/wlroots_pointer_source.cpp pointer/wlroots_pointer_source.h
    ${_generated}/pointer_bus.h
)
set_source_files_properties(${_generated}/kwin_pointer.js PROPERTIES QT_RESOURCE_ALIAS kwin_pointer.js)
qt_add_resources(zorrit_core "pointer_scripts" PREFIX "/pointer" FILES ${_generated}/kwin_pointer.js)
