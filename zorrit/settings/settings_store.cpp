// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and atomically writing the settings file.
#include "settings_store.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace zorrit::settings {

namespace {

constexpr qint64 kMaxFileBytes = 1024 * 1024;
constexpr auto kLockWait = std::chrono::seconds(3);

// Holds the writer's lock on "<file>.lock" for its lifetime; waits a little for another writer.
class WriteLock
{
public:
    explicit WriteLock(const QString &path)
    {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0)
            return;
        const auto deadline = std::chrono::steady_clock::now() + kLockWait;
        while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::close(m_fd);
                m_fd = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ~WriteLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    WriteLock(const WriteLock &) = delete;
    WriteLock &operator=(const WriteLock &) = delete;
    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

QString escapeValue(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

std::optional<QString> unescapeValue(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i].unicode()) {
        case '\\':
            out += QLatin1Char('\\');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

} // namespace

QString SettingKey::path() const
{
    return QLatin1String(kDataKey) + QLatin1String(name);
}

bool settingToBool(const QString &value)
{
    const QString v = value.trimmed();
    if (v.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    bool ok = false;
    const double number = v.toDouble(&ok);
    return ok && number != 0;
}

SettingsStore::SettingsStore(QString folder)
    : m_folder(std::move(folder))
    , m_file(m_folder + QStringLiteral("/settings.conf"))
{
}

QString SettingsStore::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/ReDiroriro");
}

SettingsStore::Parsed SettingsStore::parse(const QByteArray &bytes)
{
    Parsed parsed;
    // Each line is decoded on its own: a line that is not valid UTF-8 is damage, while a value
    // that merely holds U+FFFD (written by us, validly encoded) is kept like any other.
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArrayView raw(bytes.constData() + start, end - start);
        start = end + 1;
        if (raw.endsWith('\r'))
            raw.chop(1);
        // A byte-order mark is skipped at the start of the file only; elsewhere it is text.
        const QStringDecoder::Flags flags = raw.data() == bytes.constData()
                                                ? QStringDecoder::Flag::Stateless
                                                : QStringDecoder::Flag::Stateless
                                                      | QStringDecoder::Flag::ConvertInitialBom;
        QStringDecoder utf8(QStringDecoder::Utf8, flags);
        const QString line = utf8.decode(raw);
        if (utf8.hasError() || raw.contains('\0')) {
            parsed.damaged = true; // not text we wrote, not even in a comment
            continue;
        }
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        std::optional<QString> value;
        if (eq > 0)
            value = unescapeValue(QStringView(line).mid(eq + 1));
        if (!value) {
            parsed.damaged = true;
            continue;
        }
        parsed.values.insert(line.left(eq), *value);
    }
    return parsed;
}

QByteArray SettingsStore::serialize(const QMap<QString, QString> &values)
{
    QByteArray out = "# Zorrit settings: one value per line, <value path>=<text>\n";
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        out += (it.key() + QLatin1Char('=') + escapeValue(it.value())).toUtf8() + '\n';
    return out;
}

SettingsStore::ReadState SettingsStore::load(Parsed &parsed) const
{
    QFile file(m_file);
    if (!file.exists())
        return ReadState::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return ReadState::Failed;
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFile::NoError)
        return ReadState::Failed;
    if (bytes.size() > kMaxFileBytes) {
        parsed.damaged = true; // not ours: keep it aside, start afresh
        return ReadState::Ok;
    }
    parsed = parse(bytes);
    return ReadState::Ok;
}

QString SettingsStore::ReadSetting(const QString &path, const QString &defaultValue) const
{
    const auto read = [&] {
        Parsed parsed;
        load(parsed);
        return parsed.values.value(path);
    };
    QString result = read();
    if (result.isEmpty()) {
        WriteSetting(path, defaultValue);
        result = read();
    }
    return result;
}

void SettingsStore::WriteSetting(const QString &path, const QString &value) const
{
    if (!QDir().mkpath(m_folder))
        return;
    WriteLock lock(m_file + QStringLiteral(".lock"));
    if (!lock.held())
        return;
    Parsed parsed;
    const ReadState state = load(parsed);
    if (state == ReadState::Failed)
        return; // we could not see what is there: never overwrite it blindly
    if (parsed.values.value(path) == value && !parsed.damaged && state == ReadState::Ok
        && parsed.values.contains(path))
        return;
    if (parsed.damaged) {
        QFile::remove(backupPath());
        if (!QFile::copy(m_file, backupPath()))
            return; // keep the damaged original rather than lose what may be in it
    }
    parsed.values.insert(path, value);
    // Unbuffered, so a full disk shows in write() itself and the old file is kept.
    QSaveFile out(m_file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray bytes = serialize(parsed.values);
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return;
    }
    out.commit(); // renames over the old file only when everything was written
}

} // namespace zorrit::settings
