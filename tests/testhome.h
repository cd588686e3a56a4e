#pragma once

class QTemporaryDir;

namespace tw::test {

// Tests never touch the real home: points HOME and the XDG folders into
// `home`, before Qt reads them. False when the folder could not be made.
bool UseTemporaryHome(const QTemporaryDir &home);

} // namespace tw::test
