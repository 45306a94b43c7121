// SPDX-License-Identifier: GPL-3.0-or-later
// The preferences dialog's lifetime: loaded on first use (which runs its opening steps), closed
// (which saves) and destroyed; a new load reads everything again.
#pragma once

#include "prefs_model.h"

#include <QObject>

#include <memory>

namespace zorrit::prefs {

// Every load and unload of the preferences goes through here, in this order:
//   model() loads the state invisibly and emits modelLoaded() (the window makes its dialog);
//   unload() emits aboutToUnload() (the window drops its dialog), saves and destroys the state;
//   discard() does the same without saving.
// An unload asked for while the preferences are in use under a nested event loop (a modal box of
// their own, the open dialog of a theme) waits until that loop has ended: the tray menu reaches us
// over D-Bus even while a modal dialog is up, and must not pull the state from under it.
class PrefsHolder final : public QObject
{
    Q_OBJECT

public:
    explicit PrefsHolder(PrefsDeps deps);
    ~PrefsHolder() override;

    // The dialog's state, loaded invisibly first if it is not loaded.
    PrefsModel &model();
    // The loaded state, or null.
    PrefsModel *loaded() const { return m_model.get(); }
    // Closes the dialog the usual way: every setting is saved, then it is gone.
    void unload();
    // Ends without saving (the program is quitting).
    void discard();

    // Keeps the state loaded while a modal box that belongs to it runs (the about box over the
    // dialog); an unload asked for meanwhile happens once the last guard has gone.
    class InUse
    {
    public:
        explicit InUse(PrefsHolder &holder);
        ~InUse();
        InUse(const InUse &) = delete;
        InUse &operator=(const InUse &) = delete;

    private:
        PrefsHolder &m_holder;
    };
    bool inUse() const;

Q_SIGNALS:
    void modelLoaded(zorrit::prefs::PrefsModel &model);
    void aboutToUnload(zorrit::prefs::PrefsModel &model);
    // Passed on from each loaded state (PrefsModel::themeNotFound).
    void themeNotFound();

private:
    enum class Pending { None, Unload, Discard };
    void finish(Pending how);
    void runPendingLater();
    void runPending();

    PrefsDeps m_deps;
    std::unique_ptr<PrefsModel> m_model;
    int m_inUse = 0;
    Pending m_pending = Pending::None;
};

} // namespace zorrit::prefs
