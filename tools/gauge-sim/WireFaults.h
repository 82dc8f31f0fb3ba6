#pragma once
// A bad wire between gauge and program: a byte changed in every N bytes
// sent, or the sending stopped for good after a number of bytes. Works on
// the stream of bytes as it leaves the gauge, counted from the first.

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace kivo::sim {

// The byte noise changes in block `block` (bytes block*every .. +every-1):
// its offset in the stream and the bits flipped (never none). The same seed
// always damages the same bytes.
struct NoiseHit {
    qint64 offset = 0;
    quint8 mask = 0;
};
NoiseHit noiseHit(quint64 seed, int every, qint64 block);

class WireFaults {
public:
    // noiseEvery 0: no noise. cutAfter: the bytes that get through before
    // the wire goes dead.
    WireFaults(int noiseEvery = 0, quint64 seed = 1, std::optional<qint64> cutAfter = std::nullopt)
        : every_(noiseEvery), seed_(seed), cutAfter_(cutAfter)
    {
    }

    // How many of `wanted` bytes may still go out.
    qint64 allowance(qint64 wanted) const;
    // `bytes` as they reach the wire when they follow what was sent so far.
    QByteArray damage(QByteArray bytes) const;
    void sent(qint64 bytes) { sent_ += bytes; }
    // The wire has gone dead: nothing more is sent, nothing answered.
    bool cut() const { return cutAfter_ && sent_ >= *cutAfter_; }

private:
    int every_ = 0;
    quint64 seed_ = 1;
    std::optional<qint64> cutAfter_;
    qint64 sent_ = 0;
};

} // namespace kivo::sim
