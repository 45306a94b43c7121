// SPDX-License-Identifier: GPL-3.0-or-later
// Version numbers: exact decimal reading and rounding, no floating point involved.
#include "version_value.h"

#include <algorithm>

namespace zorrit::update {

namespace {
constexpr int kMaxVersion = 32767;

bool isSkipped(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

std::optional<LeadingNumber> leadingNumber(QStringView text)
{
    LeadingNumber number;
    bool signSeen = false;
    bool pointSeen = false;
    for (const QChar c : text) {
        if (isSkipped(c))
            continue;
        const bool started = signSeen || pointSeen || !number.integerDigits.isEmpty();
        if (!started && (c == QLatin1Char('-') || c == QLatin1Char('+'))) {
            signSeen = true;
            number.negative = c == QLatin1Char('-');
        } else if (isDigit(c)) {
            (pointSeen ? number.fractionDigits : number.integerDigits).append(c);
        } else if (c == QLatin1Char('.') && !pointSeen) {
            pointSeen = true;
        } else {
            break;
        }
    }
    if (number.integerDigits.isEmpty() && number.fractionDigits.isEmpty())
        return std::nullopt;
    return number;
}

std::optional<int> roundedVersion(const LeadingNumber &number)
{
    QStringView digits(number.integerDigits);
    while (!digits.isEmpty() && digits.front() == QLatin1Char('0'))
        digits = digits.sliced(1);
    if (digits.size() > 5)
        return std::nullopt; // far above any version; also keeps the sum below in range
    int value = digits.isEmpty() ? 0 : digits.toInt();

    const QString &fraction = number.fractionDigits;
    if (!fraction.isEmpty()) {
        const int first = fraction.front().digitValue();
        const bool restNonZero = std::any_of(fraction.begin() + 1, fraction.end(),
                                             [](QChar c) { return c != QLatin1Char('0'); });
        if (first > 5 || (first == 5 && restNonZero) || (first == 5 && value % 2 == 1))
            ++value;
    }
    if (number.negative || value < 1 || value > kMaxVersion)
        return std::nullopt;
    return value;
}

std::optional<int> versionValue(QStringView text)
{
    const std::optional<LeadingNumber> number = leadingNumber(text);
    if (!number)
        return std::nullopt;
    return roundedVersion(*number);
}

QString displayVersion(int version)
{
    // The "#\.#\.#" picture: digits fill the places from the right, an empty place shows nothing.
    const QString digits = QString::number(version);
    const qsizetype n = digits.size();
    const QString first = n > 2 ? digits.left(n - 2) : QString();
    const QString second = n > 1 ? digits.mid(n - 2, 1) : QString();
    return first + QLatin1Char('.') + second + QLatin1Char('.') + digits.right(1);
}

} // namespace zorrit::update
