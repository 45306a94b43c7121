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
