#include "wavefile.h"

namespace tw::test {

WaveInfo parseWave(const QByteArray &b)
{
    WaveInfo w;
    auto byte = [&](qsizetype i) { return static_cast<quint32>(static_cast<uchar>(b.at(i))); };
    auto u16 = [&](qsizetype at) { return static_cast<quint16>(byte(at) | (byte(at + 1) << 8)); };
    auto u32 = [&](qsizetype at) { return u16(at) | (static_cast<quint32>(u16(at + 2)) << 16); };
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE") {
        w.error = QStringLiteral("not RIFF/WAVE");
        return w;
    }
    if (u32(4) != quint32(b.size() - 8)) {
        w.error = QStringLiteral("RIFF size does not match the file");
        return w;
    }
    bool haveFmt = false;
    qsizetype at = 12;
    while (at + 8 <= b.size()) {
        const QByteArray id = b.mid(at, 4);
        const quint32 len = u32(at + 4);
        const qsizetype body = at + 8;
        if (body + qsizetype(len) > b.size()) {
            w.error = QStringLiteral("chunk runs past the end");
            return w;
        }
        if (id == "fmt " && len >= 16) {
            w.format = u16(body);
            w.channels = u16(body + 2);
            w.rate = u32(body + 4);
            w.bits = u16(body + 14);
            haveFmt = true;
        } else if (id == "data") {
            w.data = b.mid(body, len);
        }
        at = body + len + (len & 1);
    }
    w.ok = haveFmt && !w.data.isEmpty();
    if (!w.ok)
        w.error = QStringLiteral("fmt or data chunk missing");
    return w;
}

} // namespace tw::test
