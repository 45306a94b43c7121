// SPDX-License-Identifier: GPL-3.0-or-later
// Deterministic generated inputs: seeded random mutations of valid examples.
#pragma once

#include <QByteArray>
#include <QList>

#include <random>

namespace fuzz {

class InputGenerator
{
public:
    InputGenerator(QList<QByteArray> seeds, unsigned seed)
        : m_seeds(std::move(seeds))
        , m_random(seed)
    {
    }

    QByteArray next()
    {
        QByteArray data = m_seeds[pick(m_seeds.size())];
        const int mutations = 1 + pick(6);
        for (int i = 0; i < mutations; ++i)
            mutate(data);
        return data;
    }

private:
    int pick(qsizetype n) { return n <= 0 ? 0 : int(m_random() % quint64(n)); }

    char interestingByte()
    {
        static constexpr char kBytes[] = {
            '\r', '\n', '"', '\\', '=',        '%',        '/',        '#',        ' ',       '.',
            '0',  '9',  '-', '\0', char(0xff), char(0xc3), char(0x80), char(0xe9), char(0xef)};
        return pick(3) == 0 ? char(m_random()) : kBytes[pick(sizeof kBytes)];
    }

    void mutate(QByteArray &data)
    {
        switch (pick(7)) {
        case 0: // change a byte
            if (!data.isEmpty())
                data[pick(data.size())] = interestingByte();
            break;
        case 1: // insert bytes
            data.insert(pick(data.size() + 1), QByteArray(1 + pick(3), interestingByte()));
            break;
        case 2: // drop a range
            if (!data.isEmpty()) {
                const int at = pick(data.size());
                data.remove(at, 1 + pick(std::min<qsizetype>(16, data.size() - at)));
            }
            break;
        case 3: // repeat a range
            if (!data.isEmpty()) {
                const int at = pick(data.size());
                const QByteArray part = data.mid(at, 1 + pick(32));
                data.insert(pick(data.size() + 1), part.repeated(1 + pick(4)));
            }
            break;
        case 4: // splice with another example
        {
            const QByteArray &other = m_seeds[pick(m_seeds.size())];
            data = data.left(pick(data.size() + 1)) + other.mid(pick(other.size() + 1));
            break;
        }
        case 5: // cut short
            data.truncate(pick(data.size() + 1));
            break;
        default: // a long run, to reach the length limits now and then
            if (pick(20) == 0)
                data.insert(pick(data.size() + 1), QByteArray(1000 * (1 + pick(40)), 'x'));
            break;
        }
    }

    QList<QByteArray> m_seeds;
    std::mt19937_64 m_random;
};

} // namespace fuzz
