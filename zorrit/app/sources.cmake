# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(zorrit_core PRIVATE
    app/zorrit_app.cpp app/zorrit_app.h
)
