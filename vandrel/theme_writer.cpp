// SPDX-License-Identifier: GPL-3.0-or-later
// The ".thm" rule and the atomic theme write.
#include "theme_writer.h"

#include <QIODevice>
#include <QSaveFile>

namespace vandrel {

QString themeTargetPath(const QString &chosen)
{
    const QString ext = QStringLiteral(".thm");
    QString base = chosen;
    if (base.endsWith(ext, Qt::CaseSensitive))
        base.chop(ext.size());
    return base + ext;
}

bool writeAllBytes(QIODevice &device, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool saveThemeFile(const QString &path, const common::ThemeContent &content)
{
    QSaveFile file(path);
    // Never fall back to writing the target in place: that could leave half a theme behind.
    file.setDirectWriteFallback(false);
    // Unbuffered: a buffered write that fails only when flushed inside commit() would go
    // unnoticed there, and a cut-off theme would replace the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    // Without a commit the temporary file is discarded when `file` goes.
    if (!writeAllBytes(file, common::encodeTheme(content)) || !file.flush()
        || file.error() != QFileDevice::NoError)
        return false;
    return file.commit();
}

} // namespace vandrel
