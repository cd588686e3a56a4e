#pragma once

class QTemporaryDir;

namespace tw::test {

// Tests never touch the real home or runtime folder: points HOME, the XDG
// folders and the sound server's address into `home`, before Qt reads them.
// False when a folder could not be made.
bool UseTemporaryHome(const QTemporaryDir &home);

} // namespace tw::test
