// SPDX-License-Identifier: GPL-3.0-or-later
// The properties each fuzz target checks.
#include "fuzz_targets.h"

#include "common/theme_file.h"
#include "zorrit/instance/command_line.h"
#include "zorrit/settings/settings_store.h"
#include "zorrit/themes/theme_reader.h"
#include "zorrit/trail/translucency.h"
#include "zorrit/update/http_response.h"
#include "zorrit/update/version_value.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cfenv>
#include <cmath>

namespace fuzz {

std::string themeLines(const QByteArray &data)
{
    QByteArray copy = data;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    common::ThemeLineReader reader(&buffer);
    qsizetype bytes = 0;
    int lines = 0;
    while (const std::optional<QByteArray> line = reader.next()) {
        if (line->contains('\r'))
            return "a line kept its CR";
        if (line->size() > common::kThemeMaxLineBytes)
            return "a line is longer than the limit";
        bytes += line->size();
        if (++lines > data.size() + 1)
            return "more lines than bytes";
        (void)common::decodeThemeText(*line);
    }
    if (bytes > data.size())
        return "lines hold more bytes than the input";
    if (!data.contains('\r') && !data.isEmpty() && !reader.failed() && lines != 1)
        return "without a CR the whole input is one line";
    // Re-encoding a theme keeps exactly eight lines.
    common::ThemeContent content;
    content.name = common::decodeThemeText(data.left(200));
    content.site = common::decodeThemeText(data.right(200));
    QByteArray encoded = common::encodeTheme(content);
    QBuffer again(&encoded);
    again.open(QIODevice::ReadOnly);
    common::ThemeLineReader reread(&again);
    int count = 0;
    while (reread.skip())
        ++count;
    if (count != common::kThemeLineCount)
        return "an encoded theme does not read as eight lines";
    return {};
}

std::string themeFile(const QByteArray &data)
{
    static QTemporaryDir dir;
    if (!dir.isValid())
        return {};
    const QString path = dir.filePath(QStringLiteral("fuzz.thm"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        file.write(data);
    }
    const std::optional<zorrit::themes::ThemeFile> theme = zorrit::themes::readThemeFile(path);
    const auto lines = zorrit::themes::readThemePictureLines(path);
    if (theme) {
        if (theme->lineCount < common::kThemeMinimumLines || theme->lineCount > 32767)
            return "a theme with an impossible line count was accepted";
        if (theme->lineCount == common::kThemeMinimumLines && !theme->texts.site.isEmpty())
            return "a seven-line theme has a site";
        if (!lines)
            return "start-up cannot read a theme the dialog reads";
        if (*lines != theme->pictureLines)
            return "start-up and the dialog read different picture lines";
    }
    // Loading stays inside the theme's folder and never fails loudly.
    (void)zorrit::themes::loadThemePictures(path);
    return {};
}

std::string commandLine(const QByteArray &data)
{
    const QString line = QString::fromUtf8(data);
    const QString path = zorrit::instance::takeThemePath(line);
    if (!line.startsWith(QLatin1Char('"')) && path != line)
        return "an unquoted command line was changed";
    if (line.startsWith(QLatin1Char('"')) && path.size() != std::max<qsizetype>(0, line.size() - 2))
        return "the quote rule removed the wrong number of characters";
    if (zorrit::instance::isPlainStart(line) != (line.isEmpty() || line == QLatin1String("%0")))
        return "plain start misjudged";
    const QString stored = zorrit::instance::storedThemePath(path, QStringLiteral("/home/u/work"));
    if (path.isEmpty() != stored.isEmpty())
        return "an empty path became non-empty or the reverse";
    if (!stored.isEmpty() && !QDir::isAbsolutePath(stored))
        return "the stored theme path is not absolute";
    if (const std::optional<int> level = zorrit::trail::translucencyLevel(line)) {
        if (*level < -32768 || *level > 32767)
            return "a translucency level outside 16 bits";
    }
    return {};
}

std::string settingsFile(const QByteArray &data)
{
    using zorrit::settings::SettingsStore;
    const SettingsStore::Parsed parsed = SettingsStore::parse(data);
    for (auto it = parsed.values.cbegin(); it != parsed.values.cend(); ++it) {
        if (it.key().isEmpty() || it.key().contains(QLatin1Char('\n')))
            return "a key that cannot be written back";
    }
    const QByteArray written = SettingsStore::serialize(parsed.values);
    const SettingsStore::Parsed reread = SettingsStore::parse(written);
    if (reread.damaged)
        return "a rewritten file reads as damaged";
    if (reread.values != parsed.values)
        return "a value changed on rewriting";
    return {};
}

std::string httpResponse(const QByteArray &data)
{
    using zorrit::update::ResponseAccumulator;
    ResponseAccumulator whole;
    whole.append(data);
    // Split points taken from the input itself, so every run is reproducible from its bytes.
    const qsizetype n = data.size();
    const qsizetype cut1 = n == 0 ? 0 : qsizetype(quint8(data.front())) * n / 256;
    const qsizetype cut2 = n == 0 ? 0 : cut1 + (qsizetype(quint8(data.back())) * (n - cut1)) / 256;
    ResponseAccumulator pieces;
    pieces.append(QByteArrayView(data).first(cut1));
    pieces.append(QByteArrayView(data).sliced(cut1, cut2 - cut1));
    pieces.append(QByteArrayView(data).sliced(cut2));
    ResponseAccumulator bytewise;
    if (n <= 512) {
        for (const char c : data)
            bytewise.append(QByteArrayView(&c, 1));
    } else {
        bytewise = whole;
    }
    for (const ResponseAccumulator *acc : {&pieces, &bytewise}) {
        if (acc->acceptedBody() != whole.acceptedBody())
            return "the accepted body depends on how the reads were split";
        if (acc->overflowed() != whole.overflowed() || acc->statusCode() != whole.statusCode())
            return "the outcome depends on how the reads were split";
    }
    if (whole.body().size() > ResponseAccumulator::kMaxBody)
        return "the body grew beyond its cap";
    if (const std::optional<QByteArray> body = whole.acceptedBody()) {
        if (!whole.statusCode() || *whole.statusCode() < 200 || *whole.statusCode() > 299)
            return "a body was accepted without a 2xx status";
        if (whole.unusableHeader())
            return "a body was accepted despite an unusable header block";
        if (whole.contentLength() && body->size() != *whole.contentLength())
            return "an accepted body differs from its announced length";
        if (!data.endsWith(*body) && !whole.contentLength())
            return "an accepted body is not the end of the answer";
    }
    if (const std::optional<int> status = zorrit::update::parseStatusLine(data.left(64))) {
        if (*status < 0 || *status > 999)
            return "a status code outside three digits";
    }
    return {};
}

std::string versionText(const QByteArray &data)
{
    using namespace zorrit::update;
    const QString text = QString::fromLatin1(data);
    const std::optional<LeadingNumber> number = leadingNumber(text);
    const std::optional<int> version = versionValue(text);
    if (!number) {
        if (version)
            return "a version from a text without a number";
        return {};
    }
    if (version != roundedVersion(*number))
        return "versionValue and leadingNumber + roundedVersion disagree";
    if (version && (*version < 1 || *version > 32767))
        return "a version outside 1 to 32767";
    // Where a double holds the number exactly enough, nearest-even rounding must agree with it.
    QString integer = number->integerDigits;
    while (integer.startsWith(QLatin1Char('0')))
        integer.remove(0, 1);
    if (integer.size() <= 6 && number->fractionDigits.size() <= 6) {
        const QString literal = (integer.isEmpty() ? QStringLiteral("0") : integer)
                                + QLatin1Char('.') + number->fractionDigits + QLatin1Char('0');
        std::fesetround(FE_TONEAREST);
        const double rounded = std::nearbyint(literal.toDouble());
        const bool possible = !number->negative && rounded >= 1 && rounded <= 32767;
        if (possible != version.has_value())
            return "the range check disagrees with plain rounding";
        if (version && *version != int(rounded))
            return "the rounding disagrees with nearest-even rounding";
    }
    // Blanks, tabs and line feeds count for nothing, wherever they stand.
    QString spaced;
    for (const QChar c : text.left(64))
        spaced += c + QStringLiteral(" \t\n");
    if (text.size() <= 64 && versionValue(spaced) != version)
        return "a blank changed the version";
    if (version) {
        QString shown = displayVersion(*version);
        if (shown.count(QLatin1Char('.')) != 2)
            return "the display form does not have two points";
        if (shown.remove(QLatin1Char('.')) != QString::number(*version))
            return "the display form does not read back as the version";
    }
    return {};
}

} // namespace fuzz
