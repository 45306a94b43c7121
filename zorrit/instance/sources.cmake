# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(zorrit_core PRIVATE
    instance/command_line.cpp instance/command_line.h
    instance/hand_off.cpp instance/hand_off.h
    instance/hand_off_server.cpp instance/hand_off_server.h
    instance/start_mark.cpp instance/start_mark.h
    instance/takeover_claims.cpp instance/takeover_claims.h
)
