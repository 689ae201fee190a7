#pragma once

#include <QString>
#include <cstdint>

// A small deterministic random number generator (splitmix64) seeded from a
// text key, so that a figure depends only on what it describes (industry,
// dataset, year), never on the order in which figures are generated.
class Prng
{
public:
    explicit Prng(const QString &key);

    std::uint64_t next();
    // Uniform in [low, high).
    double uniform(double low, double high);

private:
    std::uint64_t m_state;
};

// FNV-1a hash of the key's UTF-8 bytes.
std::uint64_t stableHash(const QString &key);
