// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a version number from the version file's text, and showing one as "#.#.#".
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace zorrit::update {

// The number a text begins with, digit by digit. Blanks, tabs and line feeds are skipped wherever
// they stand; reading stops at the first character that cannot continue a decimal number.
struct LeadingNumber
{
    bool negative = false;
    QString integerDigits;  // may be empty, as in ".5"
    QString fractionDigits; // after the decimal point
    bool operator==(const LeadingNumber &) const = default;
};

// Nothing when the text does not begin with a number.
std::optional<LeadingNumber> leadingNumber(QStringView text);

// Rounds to the nearest integer, halves to the even neighbour; nothing when the result is not a
// possible version (1 to 32767).
std::optional<int> roundedVersion(const LeadingNumber &number);

// leadingNumber + roundedVersion: the latest version a version file announces.
std::optional<int> versionValue(QStringView text);

// Each of the last three digits separated by a point: 122 -> "1.2.2"; leading digits beyond three
// stay in the first place (1234 -> "12.3.4").
QString displayVersion(int version);

} // namespace zorrit::update
