#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace tw::test {

// The header fields and the sample data of a RIFF/WAVE file, read without any
// of the program's own code.
struct WaveInfo {
    bool ok = false;
    QString error;
    quint16 format = 0, channels = 0, bits = 0;
    quint32 rate = 0;
    QByteArray data;
};

WaveInfo parseWave(const QByteArray &bytes);

} // namespace tw::test
