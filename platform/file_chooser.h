// SPDX-License-Identifier: GPL-3.0-or-later
// Seam for the desktop's open and save file choosers, so callers can be tested with queued answers.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>
#include <vector>

namespace platform {

// Option bits of a file chooser request (the values callers already store and pass on).
namespace chooser_flags {
inline constexpr quint32 kOverwritePrompt = 0x2;    // save: ask before replacing a file
inline constexpr quint32 kNoChangeDir = 0x8;        // leave the program's current folder alone
inline constexpr quint32 kAllowMultiSelect = 0x200; // open: several files may be chosen
} // namespace chooser_flags

// One entry of the "files of type" list: what the user reads and the patterns it stands for
// (several patterns separated by ';', as in "*.jpg;*.jpeg").
struct FileFilter
{
    QString description;
    QString pattern;
    bool operator==(const FileFilter &) const = default;
};

enum class ChooserMode { Open, Save };

struct FileChooserRequest
{
    ChooserMode mode = ChooserMode::Open;
    QPointer<QWidget> owner;         // the chooser is modal to this window; may be null
    std::vector<FileFilter> filters; // may be empty: every file is shown
    int filterIndex = 0;             // 1-based entry selected at first; out of range = the first
    QString initialDir;              // empty = the current folder
    QString title;                   // empty = "Open" or "Save As"
    QString defaultExt;              // appended (with a dot) to a name typed without extension
    quint32 flags = 0;               // chooser_flags bits
    int maxPathLength = 256;         // longer names are refused by the chooser
};

struct FileChooserAnswer
{
    enum class Outcome { Chosen, Cancelled, Failed };
    Outcome outcome = Outcome::Cancelled;
    // Chosen: absolute paths, one unless kAllowMultiSelect was set; all in one folder.
    // Failed: the chooser could not be shown at all.
    QStringList paths;
};

class FileChooser
{
public:
    virtual ~FileChooser() = default;
    // Shows the chooser modally and waits for the user.
    virtual FileChooserAnswer choose(const FileChooserRequest &request) = 0;
    // "<path> already exists. Do you want to replace it?" True when the user agrees.
    virtual bool confirmReplace(QWidget *owner, const QString &path) = 0;
};

// Shows the chooser for one file and gives its absolute path; nothing when the user cancelled,
// the chooser could not be shown, or the name is longer than request.maxPathLength. A chooser
// that may offer several files gives the first.
std::optional<QString> chooseFile(FileChooser &chooser, const FileChooserRequest &request);

// The real chooser: Qt's own file dialog (the same on every desktop, no portal round trips).
class QtFileChooser final : public FileChooser
{
public:
    FileChooserAnswer choose(const FileChooserRequest &request) override;
    bool confirmReplace(QWidget *owner, const QString &path) override;
};

} // namespace platform
