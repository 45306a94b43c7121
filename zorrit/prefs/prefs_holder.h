// SPDX-License-Identifier: GPL-3.0-or-later
// The preferences dialog's lifetime: loaded on first use (which runs its opening steps), closed
// (which saves) and destroyed; a new load reads everything again.
#pragma once

#include "prefs_model.h"

#include <functional>
#include <memory>

namespace zorrit::prefs {

class PrefsHolder
{
public:
    explicit PrefsHolder(PrefsDeps deps);
    ~PrefsHolder();

    // The dialog's state, loaded invisibly first if it is not loaded.
    PrefsModel &model();
    // The loaded state, or null.
    PrefsModel *loaded() const { return m_model.get(); }
    // Closes the dialog the usual way: every setting is saved, then it is gone.
    void unload();
    // Ends without saving (the program is quitting).
    void discard();

    // Lets the widgets follow the state: called after a load and before an unload.
    std::function<void(PrefsModel &)> onLoaded;
    std::function<void(PrefsModel &)> onUnloading;

private:
    PrefsDeps m_deps;
    std::unique_ptr<PrefsModel> m_model;
    bool m_loading = false;
};

} // namespace zorrit::prefs
