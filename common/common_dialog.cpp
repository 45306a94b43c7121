// SPDX-License-Identifier: GPL-3.0-or-later
// The open/save dialog class: properties to a chooser request, the answer back to properties.
#include "common_dialog.h"

#include <QFileInfo>

#include <exception>

namespace common {

namespace {

constexpr QChar kNul(u'\0');
constexpr int kDefaultBufferSize = 256;

QString cutAtNul(const QString &buffer)
{
    const qsizetype nul = buffer.indexOf(kNul);
    return nul < 0 ? buffer : buffer.left(nul);
}

} // namespace

QString convertFilter(const QString &filter)
{
    QString out = filter;
    out.replace(QLatin1Char('|'), kNul);
    out += kNul;
    return out;
}

std::vector<platform::FileFilter> filterPairs(const QString &converted)
{
    std::vector<platform::FileFilter> pairs;
    const QStringList items = converted.split(kNul);
    for (qsizetype i = 0; i + 1 < items.size(); i += 2) {
        if (items[i].isEmpty() || items[i + 1].isEmpty())
            break; // an empty item closes the list
        pairs.push_back({items[i], items[i + 1]});
    }
    return pairs;
}

int nameBufferSize(qint32 maxFileSize)
{
    return maxFileSize <= 0 ? kDefaultBufferSize : maxFileSize;
}

QStringList multiSelectionPaths(const QString &fileName)
{
    const QStringList items = fileName.split(kNul, Qt::SkipEmptyParts);
    if (items.size() <= 1)
        return items;
    QStringList paths;
    QString folder = items.first();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    for (qsizetype i = 1; i < items.size(); ++i)
        paths << folder + items[i];
    return paths;
}

CommonDialog::CommonDialog(platform::FileChooser &chooser)
    : m_chooser(chooser)
{
}

std::optional<CommonDialogError> CommonDialog::ShowOpen()
{
    return show(platform::ChooserMode::Open);
}

std::optional<CommonDialogError> CommonDialog::ShowSave()
{
    return show(platform::ChooserMode::Save);
}

std::optional<CommonDialogError> CommonDialog::show(platform::ChooserMode mode)
{
    m_APIReturn = 0;
    m_ExtendedError = 0;
    const int n = nameBufferSize(m_MaxFileSize);

    // The chooser always opens with an empty name: FileName is not handed over.
    platform::FileChooserRequest request;
    request.mode = mode;
    request.owner = m_hwnd;
    request.filters = filterPairs(convertFilter(m_Filter));
    request.filterIndex = m_FilterIndex;
    request.initialDir = m_InitDir;
    request.title = m_DialogTitle;
    request.defaultExt = m_DefaultExt;
    request.flags = m_Flags;
    request.maxPathLength = n;

    platform::FileChooserAnswer answer;
    try {
        answer = m_chooser.choose(request);
    } catch (const std::exception &) {
        return std::nullopt; // nothing but the cancel error leaves the routine
    }

    // What the chooser fills in: the name buffer and the title buffer, n usable characters each.
    QString fileBuffer;
    QString titleBuffer;
    bool chosen =
        answer.outcome == platform::FileChooserAnswer::Outcome::Chosen && !answer.paths.isEmpty();
    if (chosen) {
        const bool multi =
            (m_Flags & platform::chooser_flags::kAllowMultiSelect) && answer.paths.size() > 1;
        if (multi) {
            // "folder NUL name NUL name NUL NUL"; the title buffer stays empty.
            fileBuffer = QFileInfo(answer.paths.first()).absolutePath();
            for (const QString &path : answer.paths)
                fileBuffer += kNul + QFileInfo(path).fileName();
            fileBuffer += kNul;
        } else {
            fileBuffer = answer.paths.first();
            titleBuffer = QFileInfo(fileBuffer).fileName();
        }
        // A name that does not fit the buffers is refused, like a failed call.
        chosen = fileBuffer.size() <= n && titleBuffer.size() <= n;
    }

    m_APIReturn = chosen ? 1 : 0;
    if (!chosen) {
        // Cancelled or failed: FileName and FileTitle keep what they held.
        if (!m_CancelError)
            return CommonDialogError{kCancelPressedNumber, cancelPressedDescription()};
        return std::nullopt;
    }

    if ((m_Flags & platform::chooser_flags::kAllowMultiSelect) && titleBuffer.isEmpty())
        m_FileName = fileBuffer.leftJustified(n + 1, kNul); // the whole buffer, NULs included
    else
        m_FileName = cutAtNul(fileBuffer);
    m_FileTitle = cutAtNul(titleBuffer);
    return std::nullopt;
}

} // namespace common
