// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and unloading the preferences state.
#include "prefs_holder.h"

namespace zorrit::prefs {

PrefsHolder::PrefsHolder(PrefsDeps deps)
    : m_deps(std::move(deps))
{
}

PrefsHolder::~PrefsHolder() = default;

PrefsModel &PrefsHolder::model()
{
    if (!m_model) {
        m_model = std::make_unique<PrefsModel>(m_deps);
        // Opening may fall back to the built-in theme, which touches the model again: it is
        // already in place, so that reaches this same object.
        m_loading = true;
        m_model->open();
        m_loading = false;
        if (onLoaded)
            onLoaded(*m_model);
    }
    return *m_model;
}

void PrefsHolder::unload()
{
    if (!m_model)
        return;
    if (onUnloading)
        onUnloading(*m_model);
    std::unique_ptr<PrefsModel> model = std::move(m_model);
    model->close();
}

void PrefsHolder::discard()
{
    if (m_model && onUnloading)
        onUnloading(*m_model);
    m_model.reset();
}

} // namespace zorrit::prefs
