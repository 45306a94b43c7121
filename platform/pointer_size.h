// SPDX-License-Identifier: GPL-3.0-or-later
// How large the desktop draws the mouse pointer, as its settings say: GNOME's and KDE's own
// settings, XCURSOR_SIZE and the X resource Xcursor.size.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <optional>

namespace platform {

// Where each answer is read; each gives nothing where it says nothing. Tests put in their own.
struct PointerSizeSources
{
    QByteArray currentDesktop;                       // XDG_CURRENT_DESKTOP, names split by ':'
    std::function<std::optional<int>()> gnome;       // org.gnome.desktop.interface cursor-size
    std::function<std::optional<int>()> kde;         // kcminputrc, [Mouse] cursorSize
    std::function<std::optional<int>()> environment; // XCURSOR_SIZE
    std::function<std::optional<int>()> xResources;  // Xcursor.size on the X display
};

// The session's own: its environment, its settings, its X display (through Qt's connection,
// none without one). GNOME's setting is read through GSettings (libgio, loaded only then).
PointerSizeSources sessionPointerSizeSources();

// The pointer's size in pixels: in a GNOME or KDE session that desktop's own setting (it draws
// the pointer from it), else or failing that XCURSOR_SIZE, then Xcursor.size. Nothing where none
// of them gives a size. Each source is asked only when the ones before it said nothing.
std::optional<int> desktopPointerSize(const PointerSizeSources &sources);

// A size as the settings write it: a whole number of pixels from 1 to 1024, nothing otherwise.
std::optional<int> pointerSizeValue(QByteArrayView text);
// Xcursor.size (or Xcursor*size; the last one counts) in the X resources' text.
std::optional<int> xResourcePointerSize(QByteArrayView resources);
// cursorSize in the [Mouse] group of KDE's kcminputrc.
std::optional<int> kdePointerSize(QByteArrayView kcminputrc);

} // namespace platform
