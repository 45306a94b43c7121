// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz targets shared by the generated-input loops (always built) and the libFuzzer entry points
// (built with clang only). Each takes arbitrary bytes, must never crash or hang, and returns a
// description of the first broken property, or an empty string.
#pragma once

#include <QByteArray>

#include <string>

namespace fuzz {

// Theme lines read from a buffer: line ends, bounds, text decoding.
std::string themeLines(const QByteArray &data);
// A whole theme file on disk: line counts and the five picture lines.
std::string themeFile(const QByteArray &data);
// The command-line rule and the translucency level read from text.
std::string commandLine(const QByteArray &data);
// The settings file reader: whatever it keeps survives a rewrite unchanged.
std::string settingsFile(const QByteArray &data);
// The HTTP response reader: the same answer however the socket split it, never beyond the caps.
std::string httpResponse(const QByteArray &data);
// The version text reader: exact rounding, the 1 to 32767 range, the "#.#.#" display form.
std::string versionText(const QByteArray &data);

} // namespace fuzz
