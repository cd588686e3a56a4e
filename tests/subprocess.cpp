#include "subprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <pwd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/capability.h>
#include <map>
#include <string>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tw::test {

namespace {

const char *const kChildVar = "TW_TEST_CHILD";
const char *const kSmallFsVar = "TW_SMALL_FS";
const char *const kNoRootVar = "TW_WITHOUT_ROOT";

std::map<std::string, ChildMain> &routines()
{
    static std::map<std::string, ChildMain> r;
    return r;
}

// What PrepareChild found: the routine to run, or the small filesystem made
// for this run (its size, its folder, or why it could not be made).
std::string childRoutine;
qint64 smallFsBytes = 0;
QString smallFsPath;
QString smallFsError;
bool withoutRoot = false; // this run is the one without root's rights

QString errnoText(const char *what)
{
    return QString::fromLatin1(what) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

bool writeProcFile(const char *file, const QByteArray &text)
{
    const int fd = ::open(file, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.constData(), static_cast<size_t>(text.size())) == text.size();
    ::close(fd);
    return ok;
}

// Mounting needs the capabilities the namespace gave; the tests themselves
// run without them, so that permissions bind as for anybody.
bool effectiveCapabilities(bool on)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    if (::syscall(SYS_capget, &header, data) != 0)
        return false;
    for (auto &d : data)
        d.effective = on ? d.permitted : 0;
    return ::syscall(SYS_capset, &header, data) == 0;
}

void killWithParent() { ::prctl(PR_SET_PDEATHSIG, SIGKILL); }

// A mount namespace of this process's own: inside a user namespace where
// that is allowed (any user, but not in a chroot), else as root alone.
bool enterMountNamespace(QString *error)
{
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0) {
        writeProcFile("/proc/self/setgroups", "deny");
        if (writeProcFile("/proc/self/uid_map", QByteArray::number(uid) + ' ' + QByteArray::number(uid) + " 1")
            && writeProcFile("/proc/self/gid_map", QByteArray::number(gid) + ' ' + QByteArray::number(gid) + " 1"))
            return true;
        *error = errnoText("writing the user namespace's id maps");
        return false;
    }
    const QString userNs = errnoText("unshare(user and mount namespace)");
    if (::unshare(CLONE_NEWNS) == 0)
        return true;
    *error = userNs + QStringLiteral("; ") + errnoText("unshare(mount namespace)");
    return false;
}

void makeSmallFilesystem(const QString &home)
{
    QString error;
    if (!enterMountNamespace(&error)) {
        smallFsError =
            QStringLiteral("This test needs a small filesystem of its own and could not make one (") + error
            + QStringLiteral("). It mounts a tmpfs in a mount namespace: run the tests as root, or as a user who "
                             "may make user namespaces (kernel.unprivileged_userns_clone=1), outside a chroot.");
        return;
    }
    // The tmpfs stays in this namespace. In a chroot "/" is no mount and
    // this fails; the chroot's own namespace is then what keeps it in.
    ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
    const QByteArray dir = (home + QStringLiteral("/smallfs")).toLocal8Bit();
    const QByteArray options = "size=" + QByteArray::number(smallFsBytes) + ",mode=0700";
    if (::mkdir(dir.constData(), 0700) != 0
        || ::mount("tmpfs", dir.constData(), "tmpfs", MS_NOSUID | MS_NODEV, options.constData()) != 0) {
        smallFsError = QStringLiteral("This test needs a small filesystem of its own and could not make one (")
                       + errnoText("mount tmpfs") + QStringLiteral(").");
        return;
    }
    smallFsPath = QString::fromLocal8Bit(dir);
    if (!effectiveCapabilities(false))
        smallFsError = errnoText("capset");
}

} // namespace

ChildRoutine::ChildRoutine(const char *name, ChildMain routine) { routines()[name] = routine; }

std::unique_ptr<QProcess> StartChild(const char *name, const QStringList &args)
{
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildVar), QString::fromLatin1(name));
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::MergedChannels);
    p->setChildProcessModifier(&killWithParent);
    p->start(QCoreApplication::applicationFilePath(), args);
    return p;
}

void PrepareChild(const QString &home)
{
    // Read once and forgotten: a child's own children are no copies of it.
    const QByteArray routine = qgetenv(kChildVar);
    const QByteArray bytes = qgetenv(kSmallFsVar);
    withoutRoot = !qgetenv(kNoRootVar).isEmpty();
    ::unsetenv(kChildVar);
    ::unsetenv(kSmallFsVar);
    ::unsetenv(kNoRootVar);
    childRoutine = routine.toStdString();
    if (!bytes.isEmpty()) {
        smallFsBytes = bytes.toLongLong();
        makeSmallFilesystem(home);
    }
}

int RunChildRoutine(int argc, char **argv)
{
    if (childRoutine.empty())
        return -1;
    const auto it = routines().find(childRoutine);
    if (it == routines().end()) {
        std::fprintf(stderr, "no child routine named %s\n", childRoutine.c_str());
        return 125;
    }
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return it->second(args);
}

void FinishChild()
{
    if (smallFsPath.isEmpty())
        return;
    effectiveCapabilities(true);
    const QByteArray dir = smallFsPath.toLocal8Bit();
    ::umount2(dir.constData(), MNT_DETACH);
    ::rmdir(dir.constData());
}

namespace {

// Runs the current test again in a copy of this binary, started through
// `wrapper` (with its arguments) when one is given, and takes its outcome as
// this test's.
void runThisTestAgain(const QProcessEnvironment &env, const QString &wrapper, const QStringList &wrapperArgs,
                      const QString &where)
{
    const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString test = QString::fromUtf8(info->test_suite_name()) + u'.' + QString::fromUtf8(info->name());
    const QStringList testArgs = {QStringLiteral("--gtest_filter=") + test, QStringLiteral("--gtest_color=no")};
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setChildProcessModifier(&killWithParent);
    if (wrapper.isEmpty())
        p.start(QCoreApplication::applicationFilePath(), testArgs);
    else
        p.start(wrapper, wrapperArgs + QStringList{QCoreApplication::applicationFilePath()} + testArgs);
    const std::string at = where.toStdString();
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << "the run " << at << " did not end:\n" << p.readAll().toStdString();
        return;
    }
    const QByteArray out = p.readAll();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        ADD_FAILURE() << at << ":\n" << out.toStdString();
    else if (!out.contains("[  PASSED  ] 1 test"))
        ADD_FAILURE() << "the run " << at << " ran no test:\n" << out.toStdString();
}

} // namespace

SmallFilesystem::SmallFilesystem(qint64 bytes)
{
    if (smallFsBytes != 0) {
        // The child: the filesystem was made (or not) before the tests began.
        if (!smallFsError.isEmpty()) {
            ADD_FAILURE() << smallFsError.toStdString();
            return;
        }
        if (bytes != smallFsBytes) {
            ADD_FAILURE() << "the small filesystem has " << smallFsBytes << " bytes, not " << bytes;
            return;
        }
        here_ = true;
        path_ = smallFsPath;
        return;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kSmallFsVar), QString::number(bytes));
    runThisTestAgain(env, QString(), {},
                     QStringLiteral("on a small filesystem of ") + QString::number(bytes) + QStringLiteral(" bytes"));
}

void SmallFilesystem::fill(int freePages)
{
    const QByteArray name = (path_ + QStringLiteral("/.filler")).toLocal8Bit();
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    const QByteArray page(PageSize, 'f');
    while (::write(fd, page.constData(), PageSize) == PageSize) {
    }
    struct stat st {};
    ::fstat(fd, &st);
    const off_t keep = st.st_size - (st.st_size % PageSize) - freePages * PageSize;
    ASSERT_GE(keep, 0) << "the filesystem has fewer than " << freePages << " pages";
    ASSERT_EQ(::ftruncate(fd, keep), 0) << std::strerror(errno);
    ::close(fd);
}

void SmallFilesystem::unfill() { ::unlink((path_ + QStringLiteral("/.filler")).toLocal8Bit().constData()); }

namespace {

// A mount made with the capabilities raised for it alone.
int privilegedMount(const QString &source, const QString &target, unsigned long flags)
{
    if (!effectiveCapabilities(true))
        return errno;
    const QByteArray from = source.toLocal8Bit();
    const QByteArray to = target.toLocal8Bit();
    const int rc = ::mount(source.isEmpty() ? nullptr : from.constData(), to.constData(), nullptr, flags, nullptr);
    const int err = rc == 0 ? 0 : errno;
    effectiveCapabilities(false);
    return err;
}

} // namespace

void SmallFilesystem::makeReadOnly()
{
    const int err = privilegedMount(QString(), path_, MS_REMOUNT | MS_BIND | MS_RDONLY | MS_NOSUID | MS_NODEV);
    ASSERT_EQ(err, 0) << std::strerror(err);
}

void SmallFilesystem::cover(const QString &target, const QString &source)
{
    const int err = privilegedMount(source, target, MS_BIND);
    ASSERT_EQ(err, 0) << "mount " << source.toStdString() << " over " << target.toStdString() << ": "
                      << std::strerror(err);
}

} // namespace tw::test

namespace tw::test {

WithoutRootRights::WithoutRootRights()
{
    if (withoutRoot || ::geteuid() != 0) {
        // The run without root's rights, or a user who never had them.
        if (::geteuid() == 0)
            ADD_FAILURE() << "setpriv left this run with root's rights";
        else
            here_ = true;
        return;
    }
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) {
        ADD_FAILURE() << "This test drops root's rights with setpriv, which is not on the PATH (Debian package "
                         "util-linux).";
        return;
    }
    const passwd *pw = ::getpwnam("nobody");
    if (!pw) {
        ADD_FAILURE() << "This test runs as the user \"nobody\", whom the user database does not know.";
        return;
    }
    // The run makes its temporary home in a folder of that user's own.
    QTemporaryDir scratch(QDir::tempPath() + QStringLiteral("/tarnwick-nonroot-XXXXXX"));
    if (!scratch.isValid() || ::chown(QFile::encodeName(scratch.path()).constData(), pw->pw_uid, pw->pw_gid) != 0) {
        ADD_FAILURE() << "no temporary folder for the user nobody: " << std::strerror(errno);
        return;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kNoRootVar), QStringLiteral("1"));
    env.insert(QStringLiteral("TMPDIR"), scratch.path());
    runThisTestAgain(env, setpriv,
                     {QStringLiteral("--reuid=") + QString::number(pw->pw_uid),
                      QStringLiteral("--regid=") + QString::number(pw->pw_gid), QStringLiteral("--clear-groups")},
                     QStringLiteral("as the user nobody"));
}

} // namespace tw::test
