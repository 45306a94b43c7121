# SPDX-License-Identifier: GPL-3.0-or-later
# The .thm file association and finding the installed files.
include(GNUInstallDirs)
target_sources(zorrit_core PRIVATE
    integration/association_files.cpp integration/association_files.h
    integration/install_locations.cpp integration/install_locations.h
    integration/mimeapps_list.cpp integration/mimeapps_list.h
    integration/theme_association.cpp integration/theme_association.h
)
# The data folder and the menu entries, seen from the program folder; the same layout holds in the
# build tree (bin/ and share/zorrit/) and in an installation.
file(RELATIVE_PATH _zorrit_rel_data ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/zorrit)
file(RELATIVE_PATH _zorrit_rel_apps ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/applications)
set_source_files_properties(integration/install_locations.cpp PROPERTIES COMPILE_DEFINITIONS
    "ZORRIT_RELATIVE_DATADIR=\"${_zorrit_rel_data}\";ZORRIT_RELATIVE_APPLICATIONSDIR=\"${_zorrit_rel_apps}\";ZORRIT_INSTALL_DATADIR=\"${CMAKE_INSTALL_FULL_DATADIR}/zorrit\"")

# The installed menu entry's translated keys (`Key[lang]=...` lines), which the entry Zorrit
# writes in its place carries too, each with its group: "" for the main one, else the action.
file(STRINGS ${PROJECT_SOURCE_DIR}/resources/zorrit.desktop _entry_lines ENCODING UTF-8)
set(_group "")
set(ZORRIT_ENTRY_TRANSLATIONS "")
foreach(_line IN LISTS _entry_lines)
    if(_line MATCHES "^\\[Desktop Action ([A-Za-z]+)\\]$")
        set(_group "${CMAKE_MATCH_1}")
    elseif(_line MATCHES "^(GenericName|Comment|Name)\\[[A-Za-z_@]+\\]=")
        string(REPLACE "\\" "\\\\" _line "${_line}")
        string(REPLACE "\"" "\\\"" _line "${_line}")
        string(APPEND ZORRIT_ENTRY_TRANSLATIONS "    {u\"${_group}\", u\"${_line}\"},\n")
    endif()
endforeach()
set(_generated_integration ${CMAKE_CURRENT_BINARY_DIR}/generated/zorrit/integration)
configure_file(integration/entry_translations.h.in ${_generated_integration}/entry_translations.h
    @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/resources/zorrit.desktop)
target_sources(zorrit_core PRIVATE ${_generated_integration}/entry_translations.h)
