#include "testhome.h"

#include <QByteArray>
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
    return true;
}

} // namespace tw::test
