#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>

class QProcess;

namespace tw::test {

// Test code that needs processes of its own runs in copies of the test
// binary, started again with an environment variable that says what to do.
// Both test mains call PrepareChild before any thread starts and
// RunChildRoutine once the application object exists.

// A routine a test runs in processes of its own (several writers at once,
// say). Declared at namespace scope in the test's file; the routine gets the
// arguments it was started with and returns the process's exit code.
using ChildMain = int (*)(const QStringList &args);
struct ChildRoutine {
    ChildRoutine(const char *name, ChildMain routine);
};

// Starts the named routine in a new copy of this binary. It is killed when
// the test process ends; stdout and stderr are merged.
std::unique_ptr<QProcess> StartChild(const char *name, const QStringList &args);

// A real filesystem of a few kilobytes, for what a full or a read-only disk
// does. The test that declares one runs again in a child process, in a mount
// namespace of its own with a tmpfs of that size; in its own run the object
// waits for that child and takes its outcome as the test's, and here() is
// false. Making the filesystem needs a mount namespace: root, or a user who
// may make user namespaces (not inside a chroot). Where neither works the test
// fails and says so.
//
// In the child the process has no effective capabilities, so file
// permissions bind root as they bind anybody.
//
//     SmallFilesystem fs(64 * 1024);
//     if (!fs.here())
//         return;
//     ... work in fs.path()
class SmallFilesystem {
public:
    explicit SmallFilesystem(qint64 bytes);
    bool here() const { return here_; }
    // The filesystem's top folder (no trailing slash).
    QString path() const { return path_; }
    // Fills the filesystem with a file of its own until no whole page is
    // left, then gives back `freePages` pages.
    void fill(int freePages = 0);
    // Frees what fill() took.
    void unfill();
    // Makes the whole filesystem read-only.
    void makeReadOnly();
    // Mounts `source` (a folder or file of this filesystem) over `target` for
    // the rest of the run: what the test writes there never reaches the real
    // one.
    void cover(const QString &target, const QString &source);
    static constexpr qint64 PageSize = 4096;

private:
    bool here_ = false;
    QString path_;
};

// File permissions as they bind a user who is not root (root passes every
// mode). Run as root, the test that declares one runs again in a child
// process with the rights of the user "nobody", dropped with setpriv; in its
// own run the object waits for that child and takes its outcome as the
// test's, and here() is false. Run by any other user, the test runs in place.
// Where the rights cannot be dropped the test fails and says so.
//
//     WithoutRootRights user;
//     if (!user.here())
//         return;
//     ... a file of mode 000 cannot be opened now
class WithoutRootRights {
public:
    WithoutRootRights();
    bool here() const { return here_; }

private:
    bool here_ = false;
};

// Called by the mains: before any thread (a user namespace is only made for
// a process of one thread), and once the application object exists. -1 from
// RunChildRoutine means that this is no child routine: run the tests.
void PrepareChild(const QString &home);
int RunChildRoutine(int argc, char **argv);
// After the tests: leaves the small filesystem, so the temporary home can go.
void FinishChild();

} // namespace tw::test
