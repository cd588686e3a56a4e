#pragma once

#include <QString>

#include <functional>
#include <string>

namespace tw::test {

// What may stand where a file of the program's should be.
enum class FileKind { Fifo, Socket, Folder };
inline constexpr FileKind AllFileKinds[] = {FileKind::Fifo, FileKind::Socket, FileKind::Folder};
const char *FileKindName(FileKind k); // "a FIFO", ...
// What the program says of it: "it is not a regular file", "it is a folder,
// not a file".
QString FileKindReason(FileKind k);

// Puts a thing of this kind at `path` in place of whatever stood there: a
// FIFO, a socket nobody listens on, an empty folder.
void MakeFileKind(FileKind k, const QString &path);
// Checks that the thing is still there as it was made: nothing took its
// place, nothing was written into a FIFO, nothing put in a folder.
void ExpectUntouched(FileKind k, const QString &path);

// Runs `work` on a thread of its own and waits for it at most `seconds`.
// Work that waits for ever on the FIFO at `fifo` (an open or a read that no
// writer answers) is then freed by opening the FIFO's other end and closing
// it again, so the test ends either way. False when it had to be freed; work
// that even then does not end within ten seconds ends the test run with a
// failure.
bool EndsWithin(double seconds, const QString &fifo, const std::function<void()> &work);

} // namespace tw::test
