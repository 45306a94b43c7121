// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and unloading the preferences state.
#include "prefs_holder.h"

#include <QMetaObject>

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
        // The model may leave a nested loop of its own with an unload waiting for it.
        connect(m_model.get(), &PrefsModel::idle, this, &PrefsHolder::runPendingLater);
        // Connected before opening, whose fall-back to the built-in theme may report it.
        connect(m_model.get(), &PrefsModel::themeNotFound, this, &PrefsHolder::themeNotFound);
        // Opening may fall back to the built-in theme, which touches the model again: it is
        // already in place, so that reaches this same object.
        m_model->open();
        Q_EMIT modelLoaded(*m_model);
    }
    return *m_model;
}

bool PrefsHolder::inUse() const
{
    return m_inUse > 0 || (m_model && m_model->busy());
}

void PrefsHolder::unload()
{
    finish(Pending::Unload);
}

void PrefsHolder::discard()
{
    finish(Pending::Discard);
}

void PrefsHolder::finish(Pending how)
{
    if (!m_model) {
        m_pending = Pending::None;
        return;
    }
    if (inUse()) {
        // Not saving wins over saving: a quit asked for meanwhile stays a quit.
        if (m_pending != Pending::Discard)
            m_pending = how;
        return;
    }
    // A quit that waited for a nested loop still ends without saving, whoever unloads first.
    if (m_pending == Pending::Discard)
        how = Pending::Discard;
    m_pending = Pending::None;
    Q_EMIT aboutToUnload(*m_model);
    std::unique_ptr<PrefsModel> model = std::move(m_model);
    if (how == Pending::Unload)
        model->close();
}

void PrefsHolder::runPendingLater()
{
    // Queued: whoever just left the nested loop is still on the stack and may use the state.
    if (m_pending != Pending::None)
        QMetaObject::invokeMethod(this, &PrefsHolder::runPending, Qt::QueuedConnection);
}

void PrefsHolder::runPending()
{
    if (m_pending != Pending::None && !inUse())
        finish(m_pending);
}

PrefsHolder::InUse::InUse(PrefsHolder &holder)
    : m_holder(holder)
{
    ++m_holder.m_inUse;
}

PrefsHolder::InUse::~InUse()
{
    if (--m_holder.m_inUse == 0)
        m_holder.runPendingLater();
}

} // namespace zorrit::prefs
