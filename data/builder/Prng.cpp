#include "Prng.h"

#include <QByteArray>

std::uint64_t stableHash(const QString &key)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : key.toUtf8()) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

Prng::Prng(const QString &key) : m_state(stableHash(key)) {}

std::uint64_t Prng::next()
{
    m_state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double Prng::uniform(double low, double high)
{
    // 53 random bits give every double of [0, 1) the same chance.
    const double unit = double(next() >> 11) / double(1ULL << 53);
    return low + (high - low) * unit;
}
