// Start-up time and memory of the real program under a private Xvfb.
//
//   bench_startup [path/to/tarnwick] [runs]
//
// Each run gets a fresh HOME whose settings name "Double Freecell" as the last
// game. The time is taken from just before the exec to the X server's
// MapNotify of the main window; the splash is clicked away (an XTest click) as
// soon as it is mapped. Then Play is pressed in the game selector and, once
// the state file says the game runs with every card dealt, VmRSS and VmHWM are
// read from /proc/<pid>/status.
//
// Xlib and XTest are loaded at run time, so the benchmark builds with nothing
// beyond the program's own libraries. Needs Xvfb and xdotool (used only to
// focus the selector and press its default button).
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <type_traits>
#include <unistd.h>
#include <vector>

// Xlib last: its macros (Bool, Status, None) clash with Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// --- Xlib, loaded at run time ---------------------------------------------

struct X {
    decltype(&XOpenDisplay) OpenDisplay = nullptr;
    decltype(&XCloseDisplay) CloseDisplay = nullptr;
    decltype(&XSelectInput) SelectInput = nullptr;
    decltype(&XPending) Pending = nullptr;
    decltype(&XNextEvent) NextEvent = nullptr;
    decltype(&XSync) Sync = nullptr;
    decltype(&XFlush) Flush = nullptr;
    decltype(&XGetWindowAttributes) GetWindowAttributes = nullptr;
    decltype(&XGetClassHint) GetClassHint = nullptr;
    decltype(&XGetWindowProperty) GetWindowProperty = nullptr;
    decltype(&XInternAtom) InternAtom = nullptr;
    decltype(&XFree) Free = nullptr;
    decltype(&XSetErrorHandler) SetErrorHandler = nullptr;
    int (*FakeMotion)(Display *, int, int, int, unsigned long) = nullptr;
    int (*FakeButton)(Display *, unsigned int, Bool, unsigned long) = nullptr;

    bool load(std::string &why)
    {
        void *x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_GLOBAL);
        void *xtst = dlopen("libXtst.so.6", RTLD_NOW);
        if (!x11 || !xtst) {
            why = dlerror();
            return false;
        }
        bool ok = true;
        const auto get = [&](void *lib, auto &fn, const char *name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(lib, name));
            ok = ok && fn;
        };
        get(x11, OpenDisplay, "XOpenDisplay");
        get(x11, CloseDisplay, "XCloseDisplay");
        get(x11, SelectInput, "XSelectInput");
        get(x11, Pending, "XPending");
        get(x11, NextEvent, "XNextEvent");
        get(x11, Sync, "XSync");
        get(x11, Flush, "XFlush");
        get(x11, GetWindowAttributes, "XGetWindowAttributes");
        get(x11, GetClassHint, "XGetClassHint");
        get(x11, GetWindowProperty, "XGetWindowProperty");
        get(x11, InternAtom, "XInternAtom");
        get(x11, Free, "XFree");
        get(x11, SetErrorHandler, "XSetErrorHandler");
        get(xtst, FakeMotion, "XTestFakeMotionEvent");
        get(xtst, FakeButton, "XTestFakeButtonEvent");
        if (!ok)
            why = "missing Xlib or XTest symbols";
        return ok;
    }
} x;

// A window that went away between its MapNotify and our questions about it.
int ignoreErrors(Display *, XErrorEvent *) { return 0; }

// --- child processes ------------------------------------------------------

pid_t spawn(const std::vector<std::string> &argv, const std::vector<std::string> &env,
            posix_spawn_file_actions_t *actions = nullptr)
{
    std::vector<char *> a, e;
    for (const auto &s : argv)
        a.push_back(const_cast<char *>(s.c_str()));
    a.push_back(nullptr);
    for (const auto &s : env)
        e.push_back(const_cast<char *>(s.c_str()));
    e.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, a[0], actions, nullptr, a.data(), e.data()) != 0)
        return -1;
    return pid;
}

void stop(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

std::vector<std::string> baseEnv()
{
    std::vector<std::string> env;
    for (char **p = environ; *p; ++p) {
        const std::string s = *p;
        const std::string key = s.substr(0, s.find('='));
        static const char *drop[] = {"DISPLAY", "HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                     "XDG_RUNTIME_DIR", "TARNWICK_STATE_FILE", "QT_QPA_PLATFORM",
                                     "WAYLAND_DISPLAY", "SESSION_MANAGER"};
        if (std::find(std::begin(drop), std::end(drop), key) == std::end(drop))
            env.push_back(s);
    }
    return env;
}

struct Xvfb {
    pid_t pid = -1;
    std::string display;

    bool start()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_addclose(&fa, fds[0]);
        posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
        pid = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten",
                     "tcp", "-noreset"},
                    baseEnv(), &fa);
        posix_spawn_file_actions_destroy(&fa);
        close(fds[1]);
        std::string text;
        const auto deadline = Clock::now() + std::chrono::seconds(15);
        while (pid > 0 && text.find('\n') == std::string::npos && Clock::now() < deadline) {
            pollfd p{fds[0], POLLIN, 0};
            if (poll(&p, 1, 200) > 0) {
                char buf[32];
                const ssize_t n = read(fds[0], buf, sizeof buf);
                if (n <= 0)
                    break;
                text.append(buf, static_cast<size_t>(n));
            }
        }
        close(fds[0]);
        if (text.find('\n') == std::string::npos)
            return false;
        display = ":";
        display.append(text, 0, text.find('\n'));
        return true;
    }
    ~Xvfb() { stop(pid); }
};

// --- one run --------------------------------------------------------------

std::string windowType(Display *d, Window w)
{
    static const Atom prop = x.InternAtom(d, "_NET_WM_WINDOW_TYPE", False);
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char *data = nullptr;
    std::string out;
    if (x.GetWindowProperty(d, w, prop, 0, 8, False, XA_ATOM, &type, &format, &n, &after, &data) == Success
        && data) {
        const Atom first = reinterpret_cast<Atom *>(data)[0];
        static const Atom splash = x.InternAtom(d, "_NET_WM_WINDOW_TYPE_SPLASH", False);
        static const Atom dialog = x.InternAtom(d, "_NET_WM_WINDOW_TYPE_DIALOG", False);
        out = n == 0 ? "" : first == splash ? "splash" : first == dialog ? "dialog" : "normal";
        x.Free(data);
    }
    return out;
}

bool isProgramWindow(Display *d, Window w)
{
    XClassHint hint{};
    if (!x.GetClassHint(d, w, &hint))
        return false;
    const bool ours = hint.res_name && std::strcmp(hint.res_name, "tarnwick") == 0;
    if (hint.res_name)
        x.Free(hint.res_name);
    if (hint.res_class)
        x.Free(hint.res_class);
    return ours;
}

std::optional<QJsonObject> readState(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll());
    if (!doc.isObject())
        return std::nullopt;
    return doc.object();
}

long statusKiB(pid_t pid, const char *field)
{
    FILE *f = std::fopen(("/proc/" + std::to_string(pid) + "/status").c_str(), "r");
    if (!f)
        return -1;
    char line[256];
    long v = -1;
    const size_t len = std::strlen(field);
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, field, len) == 0 && line[len] == ':')
            v = std::strtol(line + len + 1, nullptr, 10);
    std::fclose(f);
    return v;
}

struct Result {
    double splashMs = 0, mainMs = 0, dealtMs = 0;
    long rssKiB = 0, hwmKiB = 0;
};

std::optional<Result> runOnce(Display *d, const std::string &display, const std::string &binary, std::string &why)
{
    QTemporaryDir home;
    const QString h = home.path();
    QDir().mkpath(h + QStringLiteral("/.config/Tarnwick"));
    QDir().mkpath(h + QStringLiteral("/runtime"));
    QFile::setPermissions(h + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    {
        QFile conf(h + QStringLiteral("/.config/Tarnwick/Tarnwick.conf"));
        if (!conf.open(QIODevice::WriteOnly)) {
            why = "cannot write the settings file";
            return std::nullopt;
        }
        conf.write("[Data]\nLastGName=Double Freecell\n");
    }
    const QString state = h + QStringLiteral("/state.json");
    std::vector<std::string> env = baseEnv();
    const auto set = [&env](const char *k, const QString &v) { env.push_back(std::string(k) + "=" + v.toStdString()); };
    set("DISPLAY", QString::fromStdString(display));
    set("HOME", h);
    set("XDG_CONFIG_HOME", h + QStringLiteral("/.config"));
    set("XDG_DATA_HOME", h + QStringLiteral("/.local/share"));
    set("XDG_CACHE_HOME", h + QStringLiteral("/.cache"));
    set("XDG_RUNTIME_DIR", h + QStringLiteral("/runtime"));
    set("TARNWICK_STATE_FILE", state);
    set("QT_QPA_PLATFORM", QStringLiteral("xcb"));

    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    x.Sync(d, True); // nothing left over from the previous run
    const auto t0 = Clock::now();
    const pid_t pid = spawn({binary}, env, &fa);
    posix_spawn_file_actions_destroy(&fa);
    if (pid <= 0) {
        why = "cannot start " + binary;
        return std::nullopt;
    }

    Result r;
    Window mainWin = 0, dialog = 0;
    bool clicked = false;
    const auto deadline = t0 + std::chrono::seconds(20);
    const int fd = ConnectionNumber(d);
    while (!(mainWin && dialog) && Clock::now() < deadline) {
        if (!x.Pending(d)) {
            pollfd p{fd, POLLIN, 0};
            poll(&p, 1, 50);
            continue;
        }
        XEvent ev;
        x.NextEvent(d, &ev);
        if (ev.type != MapNotify || ev.xmap.override_redirect)
            continue;
        const auto at = Clock::now();
        const Window w = ev.xmap.window;
        if (!isProgramWindow(d, w))
            continue;
        const std::string type = windowType(d, w);
        if (type == "splash" && !clicked) {
            r.splashMs = ms(at - t0);
            XWindowAttributes a{};
            if (x.GetWindowAttributes(d, w, &a)) {
                x.FakeMotion(d, -1, a.x + a.width / 2, a.y + a.height / 2, CurrentTime);
                x.FakeButton(d, 1, True, CurrentTime);
                x.FakeButton(d, 1, False, CurrentTime);
                x.Flush(d);
                clicked = true;
            }
        } else if (type == "dialog") {
            dialog = w;
        } else if (type == "normal" && !mainWin) {
            mainWin = w;
            r.mainMs = ms(at - t0);
        }
    }
    if (!mainWin || !dialog) {
        stop(pid);
        why = "the main window or the game selector did not appear";
        return std::nullopt;
    }

    // Play the preselected game: the selector's default button.
    const std::string focus = "DISPLAY=" + display + " xdotool windowfocus --sync " + std::to_string(dialog)
        + " key Return >/dev/null 2>&1";
    if (std::system(focus.c_str()) != 0) {
        stop(pid);
        why = "xdotool could not press Play";
        return std::nullopt;
    }
    const auto dealDeadline = Clock::now() + std::chrono::seconds(60);
    bool dealt = false;
    while (!dealt && Clock::now() < dealDeadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const auto s = readState(state);
        if (!s || !(*s)[QStringLiteral("running")].toBool()
            || !(*s)[QStringLiteral("title")].toString().startsWith(QStringLiteral("Tarnwick [Double Freecell]")))
            continue;
        const QJsonArray cards = (*s)[QStringLiteral("cards")].toArray();
        dealt = cards.size() == 104
            && std::none_of(cards.begin(), cards.end(),
                            [](const QJsonValue &c) { return c.toObject()[QStringLiteral("cell")].toInt() == 1; });
    }
    if (!dealt) {
        stop(pid);
        why = "no dealt game of Double Freecell within 60 s";
        return std::nullopt;
    }
    r.dealtMs = ms(Clock::now() - t0);
    r.rssKiB = statusKiB(pid, "VmRSS");
    r.hwmKiB = statusKiB(pid, "VmHWM");
    stop(pid);
    return r;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    std::string binary;
    if (argc > 1) {
        binary = argv[1];
    } else {
        // Beside the build's bench folder: <build>/bench/.. /src/tarnwick.
        char self[4096];
        const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
        std::string dir = n > 0 ? std::string(self, static_cast<size_t>(n)) : std::string(argv[0]);
        dir = dir.substr(0, dir.rfind('/'));
        binary = dir + "/../src/tarnwick";
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    if (access(binary.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "no program at %s\n", binary.c_str());
        return 1;
    }
    std::string why;
    if (!x.load(why)) {
        std::fprintf(stderr, "cannot load Xlib/XTest: %s\n", why.c_str());
        return 1;
    }
    Xvfb xvfb;
    if (!xvfb.start()) {
        std::fprintf(stderr, "cannot start Xvfb\n");
        return 1;
    }
    Display *d = x.OpenDisplay(xvfb.display.c_str());
    if (!d) {
        std::fprintf(stderr, "cannot open display %s\n", xvfb.display.c_str());
        return 1;
    }
    x.SetErrorHandler(ignoreErrors);
    x.SelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    x.Sync(d, False);

    std::printf("program: %s\nXvfb %s, %d runs\n", binary.c_str(), xvfb.display.c_str(), runs);
    std::printf("%4s %12s %12s %14s %10s %10s\n", "run", "splash ms", "window ms", "dealt ms", "RSS MiB", "HWM MiB");
    std::vector<double> splash, window, rss, hwm;
    for (int i = 1; i <= runs; ++i) {
        const auto r = runOnce(d, xvfb.display, binary, why);
        if (!r) {
            std::fprintf(stderr, "run %d failed: %s\n", i, why.c_str());
            x.CloseDisplay(d);
            return 1;
        }
        std::printf("%4d %12.1f %12.1f %14.1f %10.1f %10.1f\n", i, r->splashMs, r->mainMs, r->dealtMs,
                    r->rssKiB / 1024.0, r->hwmKiB / 1024.0);
        splash.push_back(r->splashMs);
        window.push_back(r->mainMs);
        rss.push_back(r->rssKiB / 1024.0);
        hwm.push_back(r->hwmKiB / 1024.0);
    }
    x.CloseDisplay(d);
    const double w = median(window), m = median(rss);
    std::printf("median: exec to splash mapped %.1f ms, exec to main window mapped %.1f ms (goal < 250)\n",
                median(splash), w);
    std::printf("median: resident after a dealt Double Freecell %.1f MiB, peak %.1f MiB (goal < 80)\n", m,
                median(hwm));
    return 0;
}
