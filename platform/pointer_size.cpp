// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the pointer's size from the desktop's settings, once, at start.
#include "pointer_size.h"

#include "xcb_reply.h"

#include "file_names.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>

#include <xcb/xcb.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform {

namespace {

constexpr int kLargestSize = 1024;
// A settings file bigger than this is no settings file.
constexpr qint64 kLargestSettingsFile = 1 << 20;

std::optional<int> validSize(std::optional<int> size)
{
    if (size && *size >= 1 && *size <= kLargestSize)
        return size;
    return std::nullopt;
}

// Calls `each` with every piece of text between separators.
template <typename Each>
void forEachPart(QByteArrayView text, char separator, Each each)
{
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(separator, start);
        if (end < 0)
            end = text.size();
        each(text.sliced(start, end - start));
        start = end + 1;
    }
}

bool namesDesktop(QByteArrayView currentDesktop, QByteArrayView name)
{
    bool named = false;
    forEachPart(currentDesktop, ':', [&](QByteArrayView part) { named = named || part == name; });
    return named;
}

// --- GNOME: GSettings, through libgio loaded when a GNOME session asks for it -----------------

template <typename Function>
Function symbol(void *library, const char *name)
{
    void *address = dlsym(library, name);
    Function function = nullptr;
    static_assert(sizeof function == sizeof address);
    std::memcpy(&function, &address, sizeof function);
    return function;
}

std::optional<int> gnomeCursorSize()
{
    // GSettings reads dconf's database without waiting on anything. The library stays loaded:
    // GLib's types cannot be unloaded, and GNOME's own programs have it loaded anyway.
    void *gio = dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!gio)
        return std::nullopt;
    const auto defaultSource = symbol<void *(*)()>(gio, "g_settings_schema_source_get_default");
    const auto lookup =
        symbol<void *(*)(void *, const char *, int)>(gio, "g_settings_schema_source_lookup");
    const auto hasKey = symbol<int (*)(void *, const char *)>(gio, "g_settings_schema_has_key");
    const auto unrefSchema = symbol<void (*)(void *)>(gio, "g_settings_schema_unref");
    const auto newSettings =
        symbol<void *(*)(void *, void *, const char *)>(gio, "g_settings_new_full");
    const auto getInt = symbol<int (*)(void *, const char *)>(gio, "g_settings_get_int");
    const auto unrefObject = symbol<void (*)(void *)>(gio, "g_object_unref");
    if (!defaultSource || !lookup || !hasKey || !unrefSchema || !newSettings || !getInt
        || !unrefObject)
        return std::nullopt;
    // GSettings ends the program on a schema or key it does not know: both are looked up first.
    void *source = defaultSource();
    void *schema = source ? lookup(source, "org.gnome.desktop.interface", 1) : nullptr;
    if (!schema)
        return std::nullopt;
    std::optional<int> size;
    if (hasKey(schema, "cursor-size")) {
        if (void *settings = newSettings(schema, nullptr, nullptr)) {
            size = getInt(settings, "cursor-size");
            unrefObject(settings);
        }
    }
    unrefSchema(schema);
    return size;
}

// --- KDE: kcminputrc in the configuration folders, the user's first -----------------------------

std::optional<QByteArray> readSettingsFile(const QString &path)
{
    const int fd = openRegularFile(path);
    if (fd < 0)
        return std::nullopt;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    if (file.size() > kLargestSettingsFile)
        return std::nullopt;
    return file.read(kLargestSettingsFile);
}

std::optional<int> kdeCursorSize()
{
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty())
        configHome = QDir::homePath() + QStringLiteral("/.config");
    QString configDirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    if (configDirs.isEmpty())
        configDirs = QStringLiteral("/etc/xdg");
    // The user's own choice, the look-and-feel's defaults (Plasma 6), then the system's.
    QStringList folders{configHome, configHome + QStringLiteral("/kdedefaults")};
    folders += configDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &folder : folders) {
        if (const std::optional<QByteArray> text =
                readSettingsFile(folder + QStringLiteral("/kcminputrc"))) {
            if (const std::optional<int> size = kdePointerSize(*text))
                return size;
        }
    }
    return std::nullopt;
}

// --- X11: the resources on the first screen's root window ---------------------------------------

std::optional<int> xResourcesCursorSize()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return std::nullopt;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return std::nullopt;
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, screen->root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0,
                         kLargestSettingsFile / 4);
    const XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, cookie, nullptr));
    if (!reply || reply->format != 8)
        return std::nullopt;
    return xResourcePointerSize(
        QByteArrayView(static_cast<const char *>(xcb_get_property_value(reply.get())),
                       xcb_get_property_value_length(reply.get())));
}

} // namespace

PointerSizeSources sessionPointerSizeSources()
{
    return {qgetenv("XDG_CURRENT_DESKTOP"), gnomeCursorSize, kdeCursorSize,
            [] { return pointerSizeValue(qgetenv("XCURSOR_SIZE")); }, xResourcesCursorSize};
}

std::optional<int> desktopPointerSize(const PointerSizeSources &sources)
{
    const auto ask = [](const std::function<std::optional<int>()> &source) {
        return source ? validSize(source()) : std::nullopt;
    };
    if (namesDesktop(sources.currentDesktop, "GNOME")) {
        if (const std::optional<int> size = ask(sources.gnome))
            return size;
    }
    if (namesDesktop(sources.currentDesktop, "KDE")) {
        if (const std::optional<int> size = ask(sources.kde))
            return size;
    }
    if (const std::optional<int> size = ask(sources.environment))
        return size;
    return ask(sources.xResources);
}

std::optional<int> pointerSizeValue(QByteArrayView text)
{
    const QByteArrayView digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 4)
        return std::nullopt;
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return validSize(value);
}

std::optional<int> xResourcePointerSize(QByteArrayView resources)
{
    std::optional<int> size;
    forEachPart(resources, '\n', [&](QByteArrayView line) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            return;
        const QByteArrayView name = line.first(colon).trimmed();
        if (name == "Xcursor.size" || name == "Xcursor*size")
            size = pointerSizeValue(line.sliced(colon + 1));
    });
    return size;
}

std::optional<int> kdePointerSize(QByteArrayView kcminputrc)
{
    std::optional<int> size;
    bool inMouse = false;
    forEachPart(kcminputrc, '\n', [&](QByteArrayView line) {
        line = line.trimmed();
        if (line.startsWith('[')) {
            inMouse = line == "[Mouse]";
            return;
        }
        const qsizetype equals = line.indexOf('=');
        if (inMouse && equals > 0 && line.first(equals).trimmed() == "cursorSize")
            size = pointerSizeValue(line.sliced(equals + 1));
    });
    return size;
}

} // namespace platform
