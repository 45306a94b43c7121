// SPDX-License-Identifier: GPL-3.0-or-later
// Listing the compositor's outputs through xdg-output on a Wayland connection of our own.
#include "wayland_outputs.h"

#include "xdg-output-unstable-v1-client-protocol.h"

#include <QSocketNotifier>

#include <wayland-client.h>

#include <cstring>
#include <list>
#include <utility>

namespace platform::wayland {

namespace {

struct Output
{
    OutputsState *state = nullptr;
    uint32_t global = 0;
    wl_output *output = nullptr;
    zxdg_output_v1 *xdg = nullptr;
    NamedRect pending;
    NamedRect shown; // what the last done event confirmed
    bool done = false;
};

} // namespace

struct OutputsState
{
    wl_registry *registry = nullptr;
    zxdg_output_manager_v1 *manager = nullptr;
    std::list<Output> outputs; // stable addresses: each is its listeners' data
    bool changed = false;

    void describe(Output &output);
    void drop(Output &output)
    {
        if (output.xdg)
            zxdg_output_v1_destroy(output.xdg);
        if (output.output)
            wl_output_destroy(output.output);
        output.xdg = nullptr;
        output.output = nullptr;
    }
};

namespace {

void logicalPosition(void *data, zxdg_output_v1 *, int32_t x, int32_t y)
{
    static_cast<Output *>(data)->pending.rect.moveTo(x, y);
}

void logicalSize(void *data, zxdg_output_v1 *, int32_t width, int32_t height)
{
    static_cast<Output *>(data)->pending.rect.setSize(QSize(width, height));
}

void outputDone(void *data, zxdg_output_v1 *)
{
    auto *output = static_cast<Output *>(data);
    output->shown = output->pending;
    output->done = true;
    output->state->changed = true;
}

void outputName(void *data, zxdg_output_v1 *, const char *name)
{
    static_cast<Output *>(data)->pending.name = QString::fromUtf8(name);
}

void outputDescription(void *, zxdg_output_v1 *, const char *) {}

// Version 2: the done event still comes from xdg-output, after a change of its own values.
constexpr zxdg_output_v1_listener kOutputListener = {logicalPosition, logicalSize, outputDone,
                                                     outputName, outputDescription};
constexpr uint32_t kXdgOutputVersion = 2;

void globalAdded(void *data, wl_registry *registry, uint32_t global, const char *interface,
                 uint32_t version)
{
    auto *state = static_cast<OutputsState *>(data);
    if (std::strcmp(interface, wl_output_interface.name) == 0) {
        Output &output = state->outputs.emplace_back();
        output.state = state;
        output.global = global;
        // Version 1 has no events we need to answer: xdg-output says all we use.
        output.output =
            static_cast<wl_output *>(wl_registry_bind(registry, global, &wl_output_interface, 1));
        state->describe(output);
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0
               && version >= kXdgOutputVersion && !state->manager) {
        state->manager = static_cast<zxdg_output_manager_v1 *>(wl_registry_bind(
            registry, global, &zxdg_output_manager_v1_interface, kXdgOutputVersion));
        for (Output &output : state->outputs)
            state->describe(output);
    }
}

void globalRemoved(void *data, wl_registry *, uint32_t global)
{
    auto *state = static_cast<OutputsState *>(data);
    for (auto it = state->outputs.begin(); it != state->outputs.end(); ++it) {
        if (it->global == global) {
            state->drop(*it);
            state->outputs.erase(it);
            state->changed = true;
            return;
        }
    }
}

constexpr wl_registry_listener kRegistryListener = {globalAdded, globalRemoved};

} // namespace

void OutputsState::describe(Output &output)
{
    if (!manager || output.xdg || !output.output)
        return;
    output.xdg = zxdg_output_manager_v1_get_xdg_output(manager, output.output);
    zxdg_output_v1_add_listener(output.xdg, &kOutputListener, &output);
}

WaylandOutputs::WaylandOutputs(QObject *parent)
    : QObject(parent)
{
}

WaylandOutputs::~WaylandOutputs()
{
    disconnect();
}

bool WaylandOutputs::connect()
{
    disconnect();
    m_display = wl_display_connect(nullptr);
    if (!m_display)
        return false;
    m_state = std::make_unique<OutputsState>();
    m_state->registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_state->registry, &kRegistryListener, m_state.get());
    // The globals, then each output's description.
    if (wl_display_roundtrip(m_display) < 0 || !m_state->manager
        || wl_display_roundtrip(m_display) < 0) {
        disconnect();
        return false;
    }
    m_state->changed = false;
    m_notifier = new QSocketNotifier(wl_display_get_fd(m_display), QSocketNotifier::Read, this);
    QObject::connect(m_notifier, &QSocketNotifier::activated, this, &WaylandOutputs::readSocket);
    return true;
}

std::vector<NamedRect> WaylandOutputs::outputs() const
{
    std::vector<NamedRect> found;
    if (!m_state)
        return found;
    for (const Output &output : m_state->outputs) {
        if (output.done && !output.shown.rect.isEmpty())
            found.push_back(output.shown);
    }
    return found;
}

void WaylandOutputs::readSocket()
{
    // Only this thread reads the connection, so the plain sequence is enough.
    if (wl_display_prepare_read(m_display) == 0) {
        if (wl_display_read_events(m_display) < 0) {
            m_notifier->setEnabled(false);
            Q_EMIT changed();
            return;
        }
    }
    if (wl_display_dispatch_pending(m_display) < 0) {
        m_notifier->setEnabled(false);
        Q_EMIT changed();
        return;
    }
    wl_display_flush(m_display);
    if (std::exchange(m_state->changed, false))
        Q_EMIT changed();
}

void WaylandOutputs::disconnect()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_state) {
        for (Output &output : m_state->outputs)
            m_state->drop(output);
        if (m_state->manager)
            zxdg_output_manager_v1_destroy(m_state->manager);
        if (m_state->registry)
            wl_registry_destroy(m_state->registry);
    }
    m_state.reset();
    if (m_display)
        wl_display_disconnect(m_display);
    m_display = nullptr;
}

} // namespace platform::wayland
