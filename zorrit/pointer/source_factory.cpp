// SPDX-License-Identifier: GPL-3.0-or-later
// The table of pointer sources, in the order they are tried. A new source is one line here.
#include "source_factory.h"

#include "gnome_pointer_source.h"
#include "kwin_pointer_source.h"
#include "wlroots_pointer_source.h"

#include "platform/wayland/wayland_session.h"

namespace zorrit::pointer {

namespace {

struct SourceKind
{
    bool (*found)(const SourceContext &context);
    std::unique_ptr<CompositorSource> (*make)(const SourceContext &context);
};

template <class Source>
std::unique_ptr<CompositorSource> make(const SourceContext &context)
{
    return std::make_unique<Source>(context);
}

// A compositor of its own comes before what several share.
constexpr SourceKind kSourceKinds[] = {
    {&KWinPointerSource::found, &make<KWinPointerSource>},
    {&GnomePointerSource::found, &make<GnomePointerSource>},
    {&WlrootsPointerSource::found, &make<WlrootsPointerSource>},
};

} // namespace

bool isWaylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || qgetenv("XDG_SESSION_TYPE") == "wayland";
}

std::unique_ptr<CompositorSource> makeSessionSource(const SourceContext &context)
{
    for (const SourceKind &kind : kSourceKinds) {
        if (kind.found(context))
            return kind.make(context);
    }
    return nullptr;
}

bool spritesOnLayerShell(const SourceContext &context)
{
    // ZORRIT_SPRITES=x11 keeps them X11 windows: to compare the two, or to get round a layer
    // shell that misbehaves.
    if (qgetenv("ZORRIT_SPRITES") == "x11")
        return false;
    if (!context.wayland || !context.wayland->offers().layerShell)
        return false;
    return WlrootsPointerSource::found(context) || KWinPointerSource::found(context);
}

} // namespace zorrit::pointer
