// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and atomically writing the settings file.
#include "settings_store.h"

#include "platform/file_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace zorrit::settings {

namespace {

// What is read of a file at most: far beyond anything this program writes, small enough to read
// on every lookup. A longer file is damaged; the lines before the cut are still kept.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
// A longer line is damage and is skipped; the lines around it are kept.
constexpr qsizetype kMaxLineBytes = 1024 * 1024;
constexpr auto kLockWait = std::chrono::seconds(3);

// Closes a descriptor when it goes out of scope.
class Fd
{
public:
    explicit Fd(int fd)
        : m_fd(fd)
    {
    }
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Reads up to limit bytes; false on a read error.
bool readUpTo(int fd, qint64 limit, QByteArray &out)
{
    out.clear();
    char buffer[65536];
    while (out.size() < limit) {
        const ssize_t n =
            ::read(fd, buffer, size_t(qMin<qint64>(sizeof buffer, limit - out.size())));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        out.append(buffer, n);
    }
    return true;
}

// A settings file that is not a regular file is left alone; the user hears of it once per run.
void warnNotRegular(const QString &path)
{
    static bool warned = false;
    if (warned)
        return;
    warned = true;
    const QString text = QCoreApplication::translate(
        "zorrit::settings::SettingsStore",
        "zorrit: %1 is not a regular file; running on the default settings and saving nothing "
        "until it is moved away.\n");
    std::fputs(text.arg(path).toLocal8Bit().constData(), stderr);
}

// The backup of a damaged file, private to the user like the file itself.
bool writeBackup(const QString &from, const QString &to)
{
    const Fd in(platform::openRegularFile(from));
    if (in.get() < 0)
        return false;
    QFile::remove(to);
    const Fd out(::open(QFile::encodeName(to).constData(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (out.get() < 0)
        return false;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(in.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out.get(), buffer + done, size_t(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                return false;
            done += w;
        }
    }
}

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
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        // A file name byte that is not UTF-8 (kept as a lone surrogate) is written as "\xHH", so
        // the file stays UTF-8 text and the name comes back byte for byte.
        const bool paired = i > 0 && value[i - 1].isHighSurrogate();
        if (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF && !paired) {
            out += QStringLiteral("\\x") + QString::number(c.unicode() - 0xDC00, 16).toUpper();
            continue;
        }
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
        case 'x': {
            bool ok = false;
            const int byte = i + 2 < text.size() ? text.mid(i + 1, 2).toInt(&ok, 16) : 0;
            if (!ok || byte < 0x80 || byte > 0xFF || text[i + 1] == QLatin1Char('+')
                || text[i + 1] == QLatin1Char('-'))
                return std::nullopt;
            out += QChar(char16_t(0xDC00 + byte));
            i += 2;
            break;
        }
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
        if (raw.size() > kMaxLineBytes) {
            parsed.damaged = true; // no line of ours is this long
            continue;
        }
        if (raw.endsWith('\r'))
            raw.chop(1);
        // A byte-order mark is skipped at the start of the file only; elsewhere it is text.
        const QStringDecoder::Flags flags =
            raw.data() == bytes.constData()
                ? QStringDecoder::Flag::Stateless
                : QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;
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
    const Fd fd(platform::openRegularFile(m_file));
    if (fd.get() < 0) {
        if (errno == ENOENT)
            return ReadState::Missing;
        if (errno == EINVAL) {
            warnNotRegular(m_file);
            return ReadState::NotRegular;
        }
        return ReadState::Failed;
    }
    QByteArray bytes;
    if (!readUpTo(fd.get(), kMaxFileBytes + 1, bytes))
        return ReadState::Failed;
    if (bytes.size() > kMaxFileBytes) {
        // Keep every whole line before the cut; the rest is lost to the damage.
        bytes.truncate(bytes.lastIndexOf('\n', kMaxFileBytes - 1) + 1);
        parsed = parse(bytes);
        parsed.damaged = true;
        return ReadState::Ok;
    }
    parsed = parse(bytes);
    return ReadState::Ok;
}

QString SettingsStore::read(const QString &path, const QString &defaultValue) const
{
    bool usable = true;
    const auto read = [&] {
        Parsed parsed;
        usable = load(parsed) != ReadState::NotRegular;
        return parsed.values.value(path);
    };
    QString result = read();
    if (!usable)
        return defaultValue; // nothing can be stored there: run on the defaults
    if (result.isEmpty()) {
        write(path, defaultValue);
        result = read();
    }
    return result;
}

void SettingsStore::write(const QString &path, const QString &value) const
{
    if (!QDir().mkpath(m_folder))
        return;
    WriteLock lock(m_file + QStringLiteral(".lock"));
    if (!lock.held())
        return;
    Parsed parsed;
    const ReadState state = load(parsed);
    if (state == ReadState::Failed || state == ReadState::NotRegular)
        return; // we could not see what is there, or it is no file of ours: never overwrite it
    if (parsed.values.value(path) == value && !parsed.damaged && state == ReadState::Ok
        && parsed.values.contains(path))
        return;
    if (parsed.damaged) {
        if (!writeBackup(m_file, backupPath()))
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
    // Renames over the old file only when everything was written. A link to a regular file is
    // written through (dotfile managers keep such links); the check above made sure of the target.
    out.commit();
}

} // namespace zorrit::settings
