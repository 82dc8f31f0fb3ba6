#include "WireFaults.h"

#include <algorithm>

namespace kivo::sim {

namespace {

// SplitMix64: a good spread of bits from a counter, so each block's damage
// can be worked out on its own.
quint64 mix(quint64 x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

} // namespace

NoiseHit noiseHit(quint64 seed, int every, qint64 block)
{
    const quint64 bits = mix(mix(seed) ^ quint64(block));
    NoiseHit hit;
    hit.offset = block * every + qint64(bits % quint64(every));
    hit.mask = quint8(1 + (bits >> 32) % 255);
    return hit;
}

qint64 WireFaults::allowance(qint64 wanted) const
{
    if (!cutAfter_) return wanted;
    return std::clamp<qint64>(*cutAfter_ - sent_, 0, wanted);
}

QByteArray WireFaults::damage(QByteArray bytes) const
{
    if (every_ <= 0 || bytes.isEmpty()) return bytes;
    const qint64 end = sent_ + bytes.size();
    for (qint64 block = sent_ / every_; block * every_ < end; ++block) {
        const NoiseHit hit = noiseHit(seed_, every_, block);
        if (hit.offset >= sent_ && hit.offset < end) bytes[hit.offset - sent_] = char(quint8(bytes[hit.offset - sent_]) ^ hit.mask);
    }
    return bytes;
}

} // namespace kivo::sim
