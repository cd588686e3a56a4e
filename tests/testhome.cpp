#include "testhome.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace tw::test {

bool UseTemporaryHome(const QTemporaryDir &home)
{
    if (!home.isValid())
        return false;
    const QByteArray h = home.path().toUtf8();
    setenv("HOME", h.constData(), 1);
    setenv("XDG_CONFIG_HOME", (h + "/config").constData(), 1);
    setenv("XDG_DATA_HOME", (h + "/data").constData(), 1);
    setenv("XDG_CACHE_HOME", (h + "/cache").constData(), 1);
    // Without a runtime folder of their own, Qt and the sound system's client
    // make one in /tmp that outlives the test, and the client would find the
    // user's sound server through the real one.
    const QByteArray runtime = h + "/runtime";
    if (!QDir().mkpath(QString::fromUtf8(runtime))
        || !QFile::setPermissions(QString::fromUtf8(runtime),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        return false;
    setenv("XDG_RUNTIME_DIR", runtime.constData(), 1);
    // The only sound server a test reaches is one it starts itself, at the
    // usual place in that folder; naming it also keeps the client from
    // starting one on its own.
    setenv("PULSE_SERVER", ("unix:" + runtime + "/pulse/native").constData(), 1);
    return true;
}

} // namespace tw::test
