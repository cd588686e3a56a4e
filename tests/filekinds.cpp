#include "filekinds.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace tw::test {

const char *FileKindName(FileKind k)
{
    switch (k) {
    case FileKind::Fifo: return "a FIFO";
    case FileKind::Socket: return "a socket";
    case FileKind::Folder: return "a folder";
    }
    return "";
}

QString FileKindReason(FileKind k)
{
    return k == FileKind::Folder ? QStringLiteral("it is a folder, not a file")
                                 : QStringLiteral("it is not a regular file");
}

namespace {

bool makeSocket(const QByteArray &name)
{
    sockaddr_un addr{};
    if (name.size() >= static_cast<qsizetype>(sizeof addr.sun_path))
        return false;
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, name.constData(), static_cast<size_t>(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // Bound and closed: the socket file stays, with nobody behind it.
    const bool ok = ::bind(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr) == 0;
    ::close(fd);
    return ok;
}

} // namespace

void MakeFileKind(FileKind k, const QString &path)
{
    QFile::remove(path);
    QDir(path).removeRecursively();
    const QByteArray name = QFile::encodeName(path);
    switch (k) {
    case FileKind::Fifo: ASSERT_EQ(::mkfifo(name.constData(), 0644), 0) << std::strerror(errno); break;
    case FileKind::Socket: ASSERT_TRUE(makeSocket(name)) << std::strerror(errno); break;
    case FileKind::Folder: ASSERT_TRUE(QDir().mkpath(path)); break;
    }
}

void ExpectUntouched(FileKind k, const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    ASSERT_EQ(::lstat(name.constData(), &st), 0) << FileKindName(k) << " is gone";
    switch (k) {
    case FileKind::Fifo: {
        ASSERT_TRUE(S_ISFIFO(st.st_mode)) << "the FIFO was replaced";
        const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(fd, 0) << std::strerror(errno);
        char buf[256];
        EXPECT_LE(::read(fd, buf, sizeof buf), 0) << "something was written into the FIFO";
        ::close(fd);
        break;
    }
    case FileKind::Socket: EXPECT_TRUE(S_ISSOCK(st.st_mode)) << "the socket was replaced"; break;
    case FileKind::Folder:
        ASSERT_TRUE(S_ISDIR(st.st_mode)) << "the folder was replaced";
        EXPECT_TRUE(QDir(path).isEmpty()) << "something was put into the folder";
        break;
    }
}

bool EndsWithin(double seconds, const QString &fifo, const std::function<void()> &work)
{
    std::mutex m;
    std::condition_variable cv;
    bool done = false;
    std::thread t([&] {
        work();
        const std::lock_guard<std::mutex> lock(m);
        done = true;
        cv.notify_all();
    });
    std::unique_lock<std::mutex> lock(m);
    const bool inTime = cv.wait_for(lock, std::chrono::duration<double>(seconds), [&] { return done; });
    // Freed: an open for reading waits for a writer, an open for writing for
    // a reader, a read for data or the last writer's close. Opened for both
    // and closed again, the FIFO gives each of them what it waits for.
    const QByteArray name = QFile::encodeName(fifo);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done) {
        if (std::chrono::steady_clock::now() > giveUp) {
            // Waiting on something no FIFO frees (a lock that is never
            // given): the test ends here rather than never.
            const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
            std::fprintf(stderr,
                         "FAILED: %s.%s: the work did not end within %.0f s, nor once %s was opened and closed "
                         "again; the test run stops here\n",
                         info ? info->test_suite_name() : "?", info ? info->name() : "?", seconds, name.constData());
            std::fflush(stderr);
            std::_Exit(1);
        }
        lock.unlock();
        const int fd = ::open(name.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (fd >= 0)
            ::close(fd);
        lock.lock();
        cv.wait_for(lock, std::chrono::milliseconds(200), [&] { return done; });
    }
    lock.unlock();
    t.join();
    return inTime;
}

} // namespace tw::test
