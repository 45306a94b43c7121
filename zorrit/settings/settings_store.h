// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store: text values addressed by full value paths, kept in a plain text file.
#pragma once

#include "setting_names.h"

#include <QMap>
#include <QString>

namespace zorrit::settings {

// No value is cached: every read goes to the file and every write goes straight through, so two
// copies of the program always see each other's values. Writes are atomic (temporary file and
// rename) and locked against a writer in another process. A damaged file reads as the values that
// can still be made out of it, and is copied aside (".bak") before it is rewritten.
class SettingsStore
{
public:
    // folder: where the settings file lives; created on the first write.
    explicit SettingsStore(QString folder);

    // $XDG_CONFIG_HOME/ReDiroriro (by default ~/.config/ReDiroriro).
    static QString defaultFolder();

    // The stored text; when it is missing or empty, the default is written and read back.
    // Empty when the store can be neither read nor written. When the settings file is not a
    // regular file (a folder, a FIFO, a device), the default, and nothing is written.
    // Never fails loudly.
    QString read(const QString &path, const QString &defaultValue) const;
    QString read(const SettingKey &key) const { return read(key.path(), key.fallback()); }
    // Writes the text; a failure leaves the old value and is not reported.
    void write(const QString &path, const QString &value) const;
    void write(const SettingKey &key, const QString &value) const { write(key.path(), value); }
    // A check box or an option in its stored form (see storedFlag).
    void writeFlag(const SettingKey &key, bool on) const { write(key, storedFlag(key, on)); }

    QString filePath() const { return m_file; }
    QString backupPath() const { return m_file + QStringLiteral(".bak"); }

    struct Parsed
    {
        QMap<QString, QString> values;
        bool damaged = false;
    };
    // The file format, public for tests and the fuzzer: "<full value path>=<text>" per line;
    // in the text, "\\", "\n" and "\r" stand for a backslash, LF and CR, and "\xHH" (80 to FF)
    // for a byte of a file name that is not UTF-8. Lines starting with '#'
    // are comments. Anything else marks the file as damaged and is skipped.
    static Parsed parse(const QByteArray &bytes);
    static QByteArray serialize(const QMap<QString, QString> &values);

private:
    enum class ReadState { Ok, Missing, Failed, NotRegular };
    ReadState load(Parsed &parsed) const;

    QString m_folder;
    QString m_file;
};

} // namespace zorrit::settings
