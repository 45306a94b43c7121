// SPDX-License-Identifier: GPL-3.0-or-later
// The open/save dialog class both programs use: a fresh instance per use, properties in, a show,
// FileName and FileTitle out.
#pragma once

#include "platform/file_chooser.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>
#include <vector>

namespace common {

// The error a cancelled dialog reports when CancelError is false.
inline constexpr qint32 kCancelPressedNumber = qint32(0x800407D1); // -2147219503
inline QString cancelPressedDescription()
{
    return QStringLiteral("Cancel Pressed");
}

struct CommonDialogError
{
    qint32 number = 0;
    QString description;
};

// Filter "A|*.a|B|*.b|" as the platform list: every '|' becomes a NUL and one NUL is appended.
QString convertFilter(const QString &filter);
// The description/pattern pairs of a converted filter, read up to its first empty item.
std::vector<platform::FileFilter> filterPairs(const QString &converted);
// Usable characters of the name buffers for a MaxFileSize value (0 or less: 256).
int nameBufferSize(qint32 maxFileSize);
// The full paths in a FileName that holds a multiple selection ("folder NUL name NUL name ...");
// a plain path comes back as itself.
QStringList multiSelectionPaths(const QString &fileName);

class CommonDialog
{
public:
    explicit CommonDialog(platform::FileChooser &chooser);

    // Show the chooser. The result is in FileName, FileTitle, APIReturn and ExtendedError; the
    // return value is the "Cancel Pressed" error of a cancel while CancelError is false.
    std::optional<CommonDialogError> ShowOpen();
    std::optional<CommonDialogError> ShowSave();

    qint16 Action() const { return m_Action; }
    void setAction(qint16 v) { m_Action = v; }
    QString Filter() const { return m_Filter; }
    void setFilter(const QString &v) { m_Filter = v; }
    QString FileName() const { return m_FileName; }
    void setFileName(const QString &v) { m_FileName = v; }
    qint16 FilterIndex() const { return m_FilterIndex; }
    void setFilterIndex(qint16 v) { m_FilterIndex = v; }
    bool CancelError() const { return m_CancelError; }
    void setCancelError(bool v) { m_CancelError = v; }
    QString DefaultExt() const { return m_DefaultExt; }
    void setDefaultExt(const QString &v) { m_DefaultExt = v; }
    QString DialogTitle() const { return m_DialogTitle; }
    void setDialogTitle(const QString &v) { m_DialogTitle = v; }
    quint32 Flags() const { return m_Flags; }
    void setFlags(quint32 v) { m_Flags = v; }
    QWidget *hwnd() const { return m_hwnd.data(); } // the owner window
    void setHwnd(QWidget *v) { m_hwnd = v; }
    QString InitDir() const { return m_InitDir; }
    void setInitDir(const QString &v) { m_InitDir = v; }
    qint32 MaxFileSize() const { return m_MaxFileSize; }
    void setMaxFileSize(qint32 v) { m_MaxFileSize = v; }
    QString FileTitle() const { return m_FileTitle; }
    void setFileTitle(const QString &v) { m_FileTitle = v; }
    qint32 APIReturn() const { return m_APIReturn; }
    qint32 ExtendedError() const { return m_ExtendedError; }

private:
    std::optional<CommonDialogError> show(platform::ChooserMode mode);

    platform::FileChooser &m_chooser;
    qint16 m_Action = 0;
    QString m_Filter;
    QString m_FileName;
    qint16 m_FilterIndex = 0;
    bool m_CancelError = false;
    QString m_DefaultExt;
    QString m_DialogTitle;
    quint32 m_Flags = 0;
    QPointer<QWidget> m_hwnd;
    QString m_InitDir;
    qint32 m_MaxFileSize = 0;
    QString m_FileTitle;
    qint32 m_APIReturn = 0;
    qint32 m_ExtendedError = 0;
};

} // namespace common
