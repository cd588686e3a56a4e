// Start-up time, memory, idle cost and drawing of the real program under a
// private Xvfb, each beside a floor measured in the same run: an empty Qt main
// window built by the project (bench_emptywindow), and for a deal one full
// paint of the dealt table by the program's own main window
// (bench_tablefloor).
//
//   bench_startup [path/to/tarnwick ...] [--runs N] [--idle-seconds S]
//                 [--phases first,table,memory,idle,draw]
//
// Several programs (a build before and after a change) are measured in turn
// within each run, the floor first, so that a changing load on the machine
// falls on all of them alike; the ratios to the floor are the figures to
// compare.
//
// First window: from just before the exec to the X server's MapNotify of the
// first window (the splash; the empty window's only window), and VmRSS 300 ms
// later while it stands, with the number of shared libraries mapped.
//
// Table: each run gets a fresh HOME whose settings name "Double Freecell" as
// the last game. The time is taken from just before the exec to the MapNotify
// of the main window; the splash is clicked away (an XTest click) as soon as
// it is mapped. Then Play is pressed in the game selector and, once the state
// file says the game runs with every card dealt, VmRSS and VmHWM are read from
// /proc/<pid>/status.
//
// Memory: the program started as a player starts it: the splash clicked
// away, Play pressed in the game selector as soon as it shows (Freecell), and
// VmRSS read 3 s after the main window was mapped; beside it the empty window
// at the main window's size, 3 s after it was mapped.
//
// Idle: the program with a dealt game of Freecell (no state file), the empty
// window as it stands; the CPU time of its threads (/proc/<pid>/task/*/
// schedstat) and their wake-ups (the times a thread was put on a CPU, the
// same file) over S seconds (30 by default), then its system calls over
// another S seconds with strace -c -f; beside them also the empty window
// running the table's two timers and a caption changing once a second, the
// least that the timers the table must keep cost.
//
// Drawing: New Game (F2) to the last damage of the deal on the table, beside
// F2 to the damage of one full paint of the same table dealt (the floor); and
// a card dragged in steps of (20, 15) pixels, 25 pixels, as a hand moves it.
//
// Xlib and XTest are loaded at run time, so the benchmark builds with nothing
// beyond the program's own libraries. Needs Xvfb, xdotool (used only to focus
// the selector and press its default button) and strace.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <map>
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
#include <X11/keysym.h>

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
    decltype(&XFetchName) FetchName = nullptr;
    decltype(&XKeysymToKeycode) KeysymToKeycode = nullptr;
    int (*FakeKey)(Display *, unsigned int, Bool, unsigned long) = nullptr;
    Bool (*DamageQueryExtension)(Display *, int *, int *) = nullptr;
    unsigned long (*DamageCreate)(Display *, Drawable, int) = nullptr;
    void (*DamageDestroy)(Display *, unsigned long) = nullptr;
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
        get(x11, FetchName, "XFetchName");
        get(x11, KeysymToKeycode, "XKeysymToKeycode");
        get(xtst, FakeKey, "XTestFakeKeyEvent");
        void *damage = dlopen("libXdamage.so.1", RTLD_NOW);
        if (!damage) {
            why = dlerror();
            return false;
        }
        get(damage, DamageQueryExtension, "XDamageQueryExtension");
        get(damage, DamageCreate, "XDamageCreate");
        get(damage, DamageDestroy, "XDamageDestroy");
        get(xtst, FakeMotion, "XTestFakeMotionEvent");
        get(xtst, FakeButton, "XTestFakeButtonEvent");
        if (!ok)
            why = "missing Xlib or XTest symbols";
        return ok;
    }
} x;

// The event the DAMAGE extension sends, as libXdamage lays it out (its header
// is not needed to build the benchmark).
struct DamageNotifyEvent {
    int type;
    unsigned long serial;
    Bool send_event;
    Display *display;
    Drawable drawable;
    unsigned long damage;
    int level;
    Bool more;
    Time timestamp;
    XRectangle area;
    XRectangle geometry;
};
constexpr int DamageReportRawRectangles = 0;

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
        static const char *drop[] = {"DISPLAY",
                                     "HOME",
                                     "XDG_CONFIG_HOME",
                                     "XDG_DATA_HOME",
                                     "XDG_CACHE_HOME",
                                     "XDG_RUNTIME_DIR",
                                     "TARNWICK_STATE_FILE",
                                     "QT_QPA_PLATFORM",
                                     "WAYLAND_DISPLAY",
                                     "SESSION_MANAGER"};
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
        pid = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "2560x1800x24", "-nolisten", "tcp",
                     "-noreset"},
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
    if (x.GetWindowProperty(d, w, prop, 0, 8, False, XA_ATOM, &type, &format, &n, &after, &data) == Success && data) {
        const Atom first = reinterpret_cast<Atom *>(data)[0];
        static const Atom splash = x.InternAtom(d, "_NET_WM_WINDOW_TYPE_SPLASH", False);
        static const Atom dialog = x.InternAtom(d, "_NET_WM_WINDOW_TYPE_DIALOG", False);
        out = n == 0 ? "" : first == splash ? "splash" : first == dialog ? "dialog" : "normal";
        x.Free(data);
    }
    return out;
}

// A window of the program named by the binary's file name.
bool isProgramWindow(Display *d, Window w, const std::string &name = "tarnwick")
{
    XClassHint hint{};
    if (!x.GetClassHint(d, w, &hint))
        return false;
    const bool ours = hint.res_name && name == hint.res_name;
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

// A fresh HOME with the given settings file, and the environment of a run in
// it; an empty state path sets no state file.
std::optional<std::vector<std::string>> runEnv(const QTemporaryDir &home, const std::string &display,
                                               const QByteArray &settings, const QString &state, std::string &why)
{
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
        conf.write(settings);
    }
    std::vector<std::string> env = baseEnv();
    const auto set = [&env](const char *k, const QString &v) { env.push_back(std::string(k) + "=" + v.toStdString()); };
    set("DISPLAY", QString::fromStdString(display));
    set("HOME", h);
    set("XDG_CONFIG_HOME", h + QStringLiteral("/.config"));
    set("XDG_DATA_HOME", h + QStringLiteral("/.local/share"));
    set("XDG_CACHE_HOME", h + QStringLiteral("/.cache"));
    set("XDG_RUNTIME_DIR", h + QStringLiteral("/runtime"));
    if (!state.isEmpty())
        set("TARNWICK_STATE_FILE", state);
    set("QT_QPA_PLATFORM", QStringLiteral("xcb"));
    return env;
}

pid_t spawnQuiet(const std::vector<std::string> &argv, const std::vector<std::string> &env)
{
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    const pid_t pid = spawn(argv, env, &fa);
    posix_spawn_file_actions_destroy(&fa);
    return pid;
}

std::string baseName(const std::string &path) { return path.substr(path.rfind('/') + 1); }

// Waits for the MapNotify of a window of the program; 0 when none came.
Window waitMapped(Display *d, const std::string &name, Clock::time_point deadline, Clock::time_point *at = nullptr,
                  const char *type = nullptr)
{
    const int fd = ConnectionNumber(d);
    while (Clock::now() < deadline) {
        if (!x.Pending(d)) {
            pollfd p{fd, POLLIN, 0};
            poll(&p, 1, 20);
            continue;
        }
        XEvent ev;
        x.NextEvent(d, &ev);
        if (ev.type != MapNotify || ev.xmap.override_redirect)
            continue;
        const auto when = Clock::now();
        if (!isProgramWindow(d, ev.xmap.window, name))
            continue;
        if (type && windowType(d, ev.xmap.window) != type)
            continue;
        if (at)
            *at = when;
        return ev.xmap.window;
    }
    return 0;
}

// A click in the middle of a window (the splash ends on one).
void clickCentre(Display *d, Window w)
{
    XWindowAttributes a{};
    if (!x.GetWindowAttributes(d, w, &a))
        return;
    x.FakeMotion(d, -1, a.x + a.width / 2, a.y + a.height / 2, CurrentTime);
    x.FakeButton(d, 1, True, CurrentTime);
    x.FakeButton(d, 1, False, CurrentTime);
    x.Flush(d);
}

// After the splash: the main window and the game selector, and when the main
// window was mapped.
bool tableWindows(Display *d, const std::string &name, Clock::time_point deadline, Window &main, Window &dialog,
                  Clock::time_point *mainAt = nullptr)
{
    main = dialog = 0;
    while ((!main || !dialog) && Clock::now() < deadline) {
        Clock::time_point at;
        const Window w = waitMapped(d, name, deadline, &at);
        const std::string type = w ? windowType(d, w) : "";
        if (type == "normal" && !main) {
            main = w;
            if (mainAt)
                *mainAt = at;
        } else if (type == "dialog") {
            dialog = w;
        }
    }
    return main && dialog;
}

struct FirstWindow {
    double ms = 0;
    long rssKiB = 0;
    int libraries = 0;
};

// The shared libraries a process has mapped.
int librariesMapped(pid_t pid)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    if (!maps.open(QIODevice::ReadOnly))
        return -1;
    QSet<QByteArray> libs;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const qsizetype slash = line.indexOf('/');
        if (slash >= 0 && line.indexOf(".so", slash) > 0)
            libs.insert(line.mid(slash));
    }
    return static_cast<int>(libs.size());
}

// A program started for a figure, with its first window on the screen.
struct Launched {
    pid_t pid = 0;
    Window first = 0;
    Clock::time_point started; // just before the exec
    Clock::time_point mapped;  // the first window's MapNotify
};

// Starts `binary` in the fresh HOME `home` with Freecell as its last game,
// once the X server has nothing left over from the run before, and waits for
// its first window; nothing, with `why` said, when it does not come up.
std::optional<Launched> launch(Display *d, const QTemporaryDir &home, const std::string &display,
                               const std::string &binary, std::string &why, const std::vector<std::string> &args = {})
{
    const auto env = runEnv(home, display, "[Data]\nLastGName=Freecell\n", QString(), why);
    if (!env)
        return std::nullopt;
    Launched run;
    std::vector<std::string> argv{binary};
    argv.insert(argv.end(), args.begin(), args.end());
    x.Sync(d, True);
    run.started = Clock::now();
    run.pid = spawnQuiet(argv, *env);
    if (run.pid <= 0) {
        why = "cannot start " + binary;
        return std::nullopt;
    }
    run.first = waitMapped(d, baseName(binary), run.started + std::chrono::seconds(20), &run.mapped);
    if (!run.first) {
        stop(run.pid);
        why = "no window of " + binary;
        return std::nullopt;
    }
    return run;
}

// Exec to the first window mapped, and the memory while it stands.
std::optional<FirstWindow> firstWindow(Display *d, const std::string &display, const std::string &binary,
                                       std::string &why)
{
    QTemporaryDir home;
    const auto run = launch(d, home, display, binary, why);
    if (!run)
        return std::nullopt;
    FirstWindow r;
    r.ms = ms(run->mapped - run->started);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    r.rssKiB = statusKiB(run->pid, "VmRSS");
    r.libraries = librariesMapped(run->pid);
    stop(run->pid);
    return r;
}

// The scheduler's own counts of each thread of a process
// (/proc/<pid>/task/*/schedstat), where the clock ticks of /proc/<pid>/stat
// would measure an idle process in steps of 0.1 % over 10 s: nanoseconds on a
// CPU and the times the thread was put on one, by thread id.
std::map<std::string, std::pair<long long, long long>> taskTimes(pid_t pid)
{
    std::map<std::string, std::pair<long long, long long>> times;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR *dir = opendir(tasks.c_str());
    if (!dir)
        return times;
    while (const dirent *e = readdir(dir)) {
        if (e->d_name[0] == '.')
            continue;
        if (FILE *f = std::fopen((tasks + '/' + e->d_name + "/schedstat").c_str(), "r")) {
            long long onCpu = 0, waiting = 0, slices = 0;
            if (std::fscanf(f, "%lld %lld %lld", &onCpu, &waiting, &slices) == 3)
                times[e->d_name] = {onCpu, slices};
            std::fclose(f);
        }
    }
    closedir(dir);
    return times;
}

// What the threads living at `after` did since `before`: a thread that began
// in between counts from nothing; one that ended (an idle pool thread whose
// time ran out) did nothing worth counting, but its past must not be taken
// off. CPU milliseconds, and wake-ups.
std::pair<double, long long> taskDelta(const std::map<std::string, std::pair<long long, long long>> &before,
                                       const std::map<std::string, std::pair<long long, long long>> &after)
{
    long long ns = 0, runs = 0;
    for (const auto &[tid, t] : after) {
        const auto was = before.find(tid);
        ns += t.first - (was == before.end() ? 0 : was->second.first);
        runs += t.second - (was == before.end() ? 0 : was->second.second);
    }
    return {static_cast<double>(ns) / 1e6, runs};
}

// The CPU time of a process and all its threads, in milliseconds.
double cpuMs(pid_t pid)
{
    long long ns = 0;
    for (const auto &[tid, t] : taskTimes(pid))
        ns += t.first;
    return static_cast<double>(ns) / 1e6;
}

// Whether the main window's caption names the game, within a few seconds.
bool captionNames(Display *d, Window main, const char *game)
{
    const std::string want = std::string("[") + game + "]";
    for (int i = 0; i < 200; ++i) {
        char *title = nullptr;
        bool found = false;
        if (x.FetchName(d, main, &title) && title) {
            found = std::strstr(title, want.c_str()) != nullptr;
            x.Free(title);
        }
        if (found)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

struct Idle {
    double cpuPercent = 0;
    double wakeupsPerSecond = 0;
    double syscallsPerSecond = 0;
    std::string topCalls; // the most frequent system calls
};

// A program standing still: the program with a dealt game, the empty window
// as it is.
std::optional<Idle> idle(Display *d, const std::string &display, const std::string &binary, bool table, int seconds,
                         std::string &why, const std::vector<std::string> &args = {})
{
    QTemporaryDir home;
    const auto run = launch(d, home, display, binary, why, args);
    if (!run)
        return std::nullopt;
    const pid_t pid = run->pid;
    const Window first = run->first;
    const std::string name = baseName(binary);
    if (table) {
        clickCentre(d, first);
        Window main = 0, dialog = 0;
        tableWindows(d, name, Clock::now() + std::chrono::seconds(20), main, dialog);
        const std::string play = "DISPLAY=" + display + " xdotool windowfocus --sync " + std::to_string(dialog)
                                 + " key Return >/dev/null 2>&1";
        if (!main || !dialog || std::system(play.c_str()) != 0) {
            stop(pid);
            why = "could not start a game";
            return std::nullopt;
        }
        // The caption names the game once it starts; the deal has ended well
        // within the seconds after.
        if (!captionNames(d, main, "Freecell")) {
            stop(pid);
            why = "the game did not start";
            return std::nullopt;
        }
    }
    std::this_thread::sleep_for(std::chrono::seconds(3));

    Idle r;
    const auto before = taskTimes(pid);
    const auto t0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const auto [cpu, wakeups] = taskDelta(before, taskTimes(pid));
    const double elapsed = ms(Clock::now() - t0);
    r.cpuPercent = 100.0 * cpu / elapsed;
    r.wakeupsPerSecond = static_cast<double>(wakeups) * 1000.0 / elapsed;

    QTemporaryDir out;
    const std::string log = (out.path() + QStringLiteral("/strace.txt")).toStdString();
    const pid_t tracer =
        spawnQuiet({"strace", "-c", "-f", "-U", "calls,name", "-o", log, "-p", std::to_string(pid)}, baseEnv());
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // attached to every thread
    const auto s0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    kill(tracer, SIGINT);
    waitpid(tracer, nullptr, 0);
    const double traced = ms(Clock::now() - s0) / 1000.0 + 0.3;
    stop(pid);
    QFile f(QString::fromStdString(log));
    if (!f.open(QIODevice::ReadOnly)) {
        why = "strace wrote nothing (is it installed?)";
        return std::nullopt;
    }
    long total = -1;
    std::vector<std::pair<long, std::string>> calls;
    if (f.size() > 0 && !f.peek(64).contains("calls"))
        std::fprintf(stderr, "unexpected strace output\n");
    for (const QByteArray &line : f.readAll().split('\n')) {
        const QList<QByteArray> cols = line.simplified().split(' ');
        if (cols.size() != 2 || cols[0].isEmpty() || !std::isdigit(static_cast<unsigned char>(cols[0][0])))
            continue;
        if (cols[1] == "total")
            total = cols[0].toLong();
        else
            calls.push_back({cols[0].toLong(), cols[1].toStdString()});
    }
    // strace writes no table at all for a process that made no call.
    if (total < 0)
        total = 0;
    r.syscallsPerSecond = static_cast<double>(total) / traced;
    std::sort(calls.rbegin(), calls.rend());
    for (size_t i = 0; i < calls.size() && i < 4; ++i)
        r.topCalls += (i ? ", " : "") + calls[i].second + " " + std::to_string(calls[i].first);
    return r;
}

// The memory 3 s after the main window was mapped: the program with a game
// of Freecell dealt from the selector at once, or the empty window at the
// main window's size.
std::optional<FirstWindow> memoryAfterMain(Display *d, const std::string &display, const std::string &binary,
                                           bool table, std::string &why)
{
    QTemporaryDir home;
    const auto run = launch(d, home, display, binary, why,
                            table ? std::vector<std::string>{} : std::vector<std::string>{"1032", "768"});
    if (!run)
        return std::nullopt;
    Clock::time_point mainAt = run->mapped;
    if (table) {
        clickCentre(d, run->first);
        Window main = 0, dialog = 0;
        tableWindows(d, baseName(binary), Clock::now() + std::chrono::seconds(20), main, dialog, &mainAt);
        const std::string play = "DISPLAY=" + display + " xdotool windowfocus --sync " + std::to_string(dialog)
                                 + " key Return >/dev/null 2>&1";
        if (!main || !dialog || std::system(play.c_str()) != 0 || !captionNames(d, main, "Freecell")) {
            stop(run->pid);
            why = "could not start a game";
            return std::nullopt;
        }
    }
    std::this_thread::sleep_until(mainAt + std::chrono::seconds(3));
    FirstWindow r;
    r.ms = ms(mainAt - run->started);
    r.rssKiB = statusKiB(run->pid, "VmRSS");
    r.libraries = librariesMapped(run->pid);
    stop(run->pid);
    return r;
}

std::optional<Result> runOnce(Display *d, const std::string &display, const std::string &binary, std::string &why)
{
    QTemporaryDir home;
    const QString state = home.path() + QStringLiteral("/state.json");
    const auto env = runEnv(home, display, "[Data]\nLastGName=Double Freecell\n", state, why);
    if (!env)
        return std::nullopt;

    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    x.Sync(d, True); // nothing left over from the previous run
    const auto t0 = Clock::now();
    const pid_t pid = spawn({binary}, *env, &fa);
    posix_spawn_file_actions_destroy(&fa);
    if (pid <= 0) {
        why = "cannot start " + binary;
        return std::nullopt;
    }

    Result r;
    Window mainWin = 0, dialog = 0;
    const auto deadline = t0 + std::chrono::seconds(20);
    Clock::time_point splashAt, mainAt;
    const Window splash = waitMapped(d, "tarnwick", deadline, &splashAt, "splash");
    if (splash) {
        r.splashMs = ms(splashAt - t0);
        clickCentre(d, splash);
    }
    if (!splash || !tableWindows(d, "tarnwick", deadline, mainWin, dialog, &mainAt)) {
        stop(pid);
        why = "the main window or the game selector did not appear";
        return std::nullopt;
    }
    r.mainMs = ms(mainAt - t0);

    // Play the preselected game: the selector's default button.
    const std::string focus =
        "DISPLAY=" + display + " xdotool windowfocus --sync " + std::to_string(dialog) + " key Return >/dev/null 2>&1";
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
        dealt = cards.size() == 104 && std::none_of(cards.begin(), cards.end(), [](const QJsonValue &c) {
                    return c.toObject()[QStringLiteral("cell")].toInt() == 1;
                });
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

// --- drawing: a deal and a drag, damage counted by the X server ------------

// Damage of one window below a given height (the table, without the menu
// bar and toolbar above it): the union of the reported rectangles, each pixel
// counted once, and when the last report came.
class DamageWatch {
public:
    DamageWatch(Display *d, Window w, int eventBase, int belowHeight = 0) : d_(d), event_(eventBase)
    {
        XWindowAttributes a{};
        x.GetWindowAttributes(d, w, &a);
        width_ = a.width;
        height_ = a.height;
        top_ = belowHeight > 0 ? std::max(0, a.height - belowHeight) : 0;
        mask_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
        damage_ = x.DamageCreate(d, w, DamageReportRawRectangles);
        x.Sync(d, False);
        drain(std::chrono::milliseconds(200));
        reset();
    }
    ~DamageWatch() { x.DamageDestroy(d_, damage_); }

    // Reads damage until none came for `quiet`; returns false when none came
    // at all before `deadline`.
    bool drain(std::chrono::milliseconds quiet, std::chrono::milliseconds deadline = std::chrono::seconds(20))
    {
        const auto start = Clock::now();
        auto lastSeen = start;
        bool any = false;
        const int fd = ConnectionNumber(d_);
        for (;;) {
            const auto now = Clock::now();
            if (any && now - lastSeen >= quiet)
                return true;
            if (!any && now - start >= deadline)
                return false;
            if (!x.Pending(d_)) {
                pollfd p{fd, POLLIN, 0};
                poll(&p, 1, 2);
                continue;
            }
            XEvent ev;
            x.NextEvent(d_, &ev);
            if (ev.type != event_)
                continue;
            const auto &de = reinterpret_cast<const DamageNotifyEvent &>(ev);
            if (de.area.y + de.area.height <= top_)
                continue;
            add(de.area);
            lastSeen = Clock::now();
            last_ = lastSeen;
            any = true;
        }
    }
    void reset()
    {
        std::fill(mask_.begin(), mask_.end(), 0);
        pixels_ = 0;
        last_ = {};
    }
    long pixels() const { return pixels_; }
    Clock::time_point last() const { return last_; }

private:
    void add(const XRectangle &r)
    {
        for (int y = std::max<int>(0, r.y); y < std::min<int>(height_, r.y + r.height); ++y)
            for (int xx = std::max<int>(0, r.x); xx < std::min<int>(width_, r.x + r.width); ++xx) {
                uint8_t &m = mask_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(xx)];
                if (!m) {
                    m = 1;
                    ++pixels_;
                }
            }
    }
    Display *d_;
    int event_;
    int width_ = 0, height_ = 0, top_ = 0;
    unsigned long damage_ = 0;
    std::vector<uint8_t> mask_;
    long pixels_ = 0;
    Clock::time_point last_{};
};

struct Running {
    pid_t pid = -1;
    Window main = 0;
    ~Running() { stop(pid); }
};

// Starts the program with its settings, clicks the splash away and closes the
// game selector; the table is left with the focus.
bool startTable(Display *d, const std::string &display, const std::string &binary, const QTemporaryDir &home,
                const QByteArray &settings, const QString &state, const std::string &scale, Running &run,
                std::string &why)
{
    auto env = runEnv(home, display, settings, state, why);
    if (!env)
        return false;
    env->push_back("QT_SCALE_FACTOR=" + scale);
    x.Sync(d, True);
    run.pid = spawnQuiet({binary}, *env);
    const std::string name = baseName(binary);
    const Window first = waitMapped(d, name, Clock::now() + std::chrono::seconds(20));
    if (run.pid <= 0 || !first) {
        why = "no window of " + binary;
        return false;
    }
    clickCentre(d, first);
    Window dialog = 0;
    tableWindows(d, name, Clock::now() + std::chrono::seconds(20), run.main, dialog);
    const std::string close = "DISPLAY=" + display + " xdotool windowfocus --sync " + std::to_string(dialog)
                              + " key Escape windowfocus --sync " + std::to_string(run.main) + " >/dev/null 2>&1";
    if (!run.main || !dialog || std::system(close.c_str()) != 0) {
        why = "could not close the game selector";
        return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return true;
}

void pressF2(Display *d)
{
    const unsigned int key = x.KeysymToKeycode(d, XK_F2);
    x.FakeKey(d, key, True, CurrentTime);
    x.FakeKey(d, key, False, CurrentTime);
    x.Flush(d);
}

// F2 to the last damage of the deal on the table (the bottom `tableHeight`
// pixels of the window; 0 for the whole window), over `deals` deals.
std::optional<double> dealTime(Display *d, int damageEvent, Window w, int tableHeight, int deals, std::string &why)
{
    DamageWatch watch(d, w, damageEvent, tableHeight);
    std::vector<double> times;
    for (int i = 0; i < deals; ++i) {
        watch.reset();
        const auto t0 = Clock::now();
        pressF2(d);
        if (!watch.drain(std::chrono::milliseconds(400))) {
            why = "F2 drew nothing";
            return std::nullopt;
        }
        times.push_back(ms(watch.last() - t0));
    }
    return median(times);
}

struct DragFigures {
    double pixelsPerStep = 0;
    double runArea = 0; // the moving card's old and new rectangles together
    double programMsPerStep = 0, serverMsPerStep = 0;
};

// A tableau card dragged in `steps` mouse moves of (20, 15) pixels: 25
// pixels, as far as a hand moves the mouse between two of its reports.
std::optional<DragFigures> dragSteps(Display *d, int damageEvent, const Running &run, pid_t server,
                                     const QString &state, double scale, int steps, std::string &why)
{
    std::optional<QJsonObject> st;
    for (int i = 0; i < 100 && !(st && (*st)[QStringLiteral("running")].toBool()); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        st = readState(state);
    }
    if (!st) {
        why = "no state file";
        return std::nullopt;
    }
    // The top card of the fourth tableau pile.
    int cx = -1, cy = -1;
    for (const QJsonValue &v : (*st)[QStringLiteral("cards")].toArray()) {
        const QJsonObject c = v.toObject();
        if (c[QStringLiteral("cell")].toInt() == 0 && c[QStringLiteral("pile")].toInt() == 3
            && c[QStringLiteral("pos")].toInt() == c[QStringLiteral("top")].toInt()) {
            cx = c[QStringLiteral("x")].toInt();
            cy = c[QStringLiteral("y")].toInt();
        }
    }
    if (cx < 0) {
        why = "no card to drag";
        return std::nullopt;
    }
    DamageWatch watch(d, run.main, damageEvent, static_cast<int>(747 * scale));
    // Global logical coordinates; the X server's are device pixels.
    int px = static_cast<int>((cx + 30) * scale), py = static_cast<int>((cy + 20) * scale);
    x.FakeMotion(d, -1, px, py, CurrentTime);
    x.FakeButton(d, 1, True, CurrentTime);
    x.Flush(d);
    watch.drain(std::chrono::milliseconds(100), std::chrono::milliseconds(300));
    watch.reset();
    long total = 0;
    const double p0 = cpuMs(run.pid), s0 = cpuMs(server);
    for (int i = 0; i < steps; ++i) {
        px += static_cast<int>(20 * scale);
        py += static_cast<int>(15 * scale);
        x.FakeMotion(d, -1, px, py, CurrentTime);
        x.Flush(d);
        watch.drain(std::chrono::milliseconds(30), std::chrono::milliseconds(500));
        total += watch.pixels();
        watch.reset();
    }
    const double p1 = cpuMs(run.pid), s1 = cpuMs(server);
    x.FakeButton(d, 1, False, CurrentTime);
    x.Flush(d);
    DragFigures f;
    f.pixelsPerStep = static_cast<double>(total) / steps;
    // The card's old and new rectangles, which overlap at this step.
    const double w = 71 * scale, h = 96 * scale, dx = 20 * scale, dy = 15 * scale;
    f.runArea = 2 * w * h - std::max(0.0, w - dx) * std::max(0.0, h - dy);
    f.programMsPerStep = (p1 - p0) / steps;
    f.serverMsPerStep = (s1 - s0) / steps;
    return f;
}

// The floor of a deal: F2 to one full paint of the dealt table of `variant`,
// drawn by the program's main window (bench_tablefloor).
std::optional<double> tablePaint(Display *d, int damageEvent, const Xvfb &xvfb, const std::string &floor,
                                 const char *variant, const char *scale, std::string &why)
{
    QTemporaryDir home;
    auto env =
        runEnv(home, xvfb.display,
               "[Data]\nLastGName=" + QByteArray(variant) + "\nShowTime=0\nShowScore=0\nShowMoves=0\nAutoplay=0\n",
               QString(), why);
    if (!env)
        return std::nullopt;
    env->push_back(std::string("QT_SCALE_FACTOR=") + scale);
    Running f;
    x.Sync(d, True);
    f.pid = spawnQuiet({floor}, *env);
    f.main = waitMapped(d, baseName(floor), Clock::now() + std::chrono::seconds(20));
    if (!f.main) {
        why = "no dealt table of the floor";
        return std::nullopt;
    }
    const std::string focus =
        "DISPLAY=" + xvfb.display + " xdotool windowfocus --sync " + std::to_string(f.main) + " >/dev/null 2>&1";
    std::system(focus.c_str());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return dealTime(d, damageEvent, f.main, static_cast<int>(747 * std::atof(scale)), 3, why);
}

// The drawing figures of every program at scale 1 and 2, each deal beside one
// full paint of the same table dealt.
int drawing(Display *d, const Xvfb &xvfb, const std::vector<std::string> &programs, const std::string &floor, int runs,
            std::string &why)
{
    int damageEvent = 0, damageError = 0;
    if (!x.DamageQueryExtension(d, &damageEvent, &damageError)) {
        why = "the X server has no DAMAGE extension";
        return 1;
    }
    // DamageNotify is the extension's first event.
    for (const char *scale : {"1", "2"}) {
        const double sc = std::atof(scale);
        std::printf("\ndrawing at scale %s (QT_SCALE_FACTOR), medians of %d runs; floor: F2 to one full paint "
                    "of the same table dealt\n",
                    scale, runs);
        struct Case {
            const char *variant;
            int speed;
        };
        const Case cases[] = {{"Freecell", 0}, {"Freecell", 5}, {"Double Freecell", 0}, {"Double Freecell", 5}};
        std::vector<std::vector<double>> floorMs(4);
        std::vector<std::vector<std::vector<double>>> deal(programs.size(), std::vector<std::vector<double>>(4));
        std::vector<std::vector<double>> dragPx(programs.size()), dragProg(programs.size()),
            dragServer(programs.size());
        double runArea = 0;
        for (int r = 0; r < runs; ++r) {
            for (size_t c = 0; c < 4; c += 2) {
                const auto t = tablePaint(d, damageEvent, xvfb, floor, cases[c].variant, scale, why);
                if (!t)
                    return 1;
                floorMs[c].push_back(*t);
                floorMs[c + 1].push_back(*t);
            }
            for (size_t k = 0; k < programs.size(); ++k) {
                for (size_t c = 0; c < 4; ++c) {
                    QTemporaryDir home;
                    const QByteArray settings = "[Data]\nLastGName=" + QByteArray(cases[c].variant)
                                                + "\nCardSpeed=" + QByteArray::number(cases[c].speed)
                                                + "\nShowTime=0\nShowScore=0\nShowMoves=0\nAutoplay=0\n";
                    Running run;
                    if (!startTable(d, xvfb.display, programs[k], home, settings, QString(), scale, run, why))
                        return 1;
                    const auto t = dealTime(d, damageEvent, run.main, static_cast<int>(747 * sc), 3, why);
                    if (!t)
                        return 1;
                    deal[k][c].push_back(*t);
                }
                QTemporaryDir home;
                const QString state = home.path() + QStringLiteral("/state.json");
                Running run;
                if (!startTable(d, xvfb.display, programs[k], home,
                                "[Data]\nLastGName=Freecell\nShowTime=0\nShowScore=0\nShowMoves=0\nAutoplay=0\n", state,
                                scale, run, why))
                    return 1;
                pressF2(d);
                const auto f = dragSteps(d, damageEvent, run, xvfb.pid, state, sc, 40, why);
                if (!f)
                    return 1;
                dragPx[k].push_back(f->pixelsPerStep);
                dragProg[k].push_back(f->programMsPerStep);
                dragServer[k].push_back(f->serverMsPerStep);
                runArea = f->runArea;
            }
        }
        for (size_t c = 0; c < 4; c += 2)
            std::printf("floor: F2 to the dealt %s table painted whole once %.1f ms\n", cases[c].variant,
                        median(floorMs[c]));
        for (size_t k = 0; k < programs.size(); ++k) {
            for (size_t c = 0; c < 4; ++c) {
                const double m = median(deal[k][c]), fl = median(floorMs[c]);
                std::printf("p%zu: New Game (F2) to the table drawn, %s at card speed %d: %.1f ms, floor %.1f ms: "
                            "%.1f x%s\n",
                            k + 1, cases[c].variant, cases[c].speed, m, fl, m / fl,
                            cases[c].speed == 0 ? " (goal <= 2 x one paint)" : "");
            }
            const double px = median(dragPx[k]);
            std::printf("p%zu: drag step of 25 px: %.0f damaged px, floor the card's old and new rectangles %.0f px: "
                        "%.2f x (goal <= 1.5), CPU %.2f ms program + %.2f ms X server\n",
                        k + 1, px, runArea, px / runArea, median(dragProg[k]), median(dragServer[k]));
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // Beside the build's bench folder: <build>/bench/.. /src/tarnwick.
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string dir = n > 0 ? std::string(self, static_cast<size_t>(n)) : std::string(argv[0]);
    dir = dir.substr(0, dir.rfind('/'));
    std::vector<std::string> programs;
    int runs = 7;
    int idleSeconds = 30;
    std::string phases = "first,table,memory,idle,draw";
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::printf(
                "usage: %s [program ...] [--runs N] [--idle-seconds S] [--phases first,table,memory,idle,draw]\n"
                "Measures each program (default: the build's own) beside its floors; see the top of "
                "bench/bench_startup.cpp.\n",
                argv[0]);
            return 0;
        }
        if (a == "--phases" && i + 1 < argc)
            phases = argv[++i];
        else if (a == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--idle-seconds" && i + 1 < argc)
            idleSeconds = std::max(1, std::atoi(argv[++i]));
        else
            programs.push_back(a);
    }
    if (programs.empty())
        programs.push_back(dir + "/../src/tarnwick");
    const std::string floor = dir + "/bench_emptywindow";
    const std::string tableFloor = dir + "/bench_tablefloor";
    for (const std::string &p : programs)
        if (access(p.c_str(), X_OK) != 0) {
            std::fprintf(stderr, "no program at %s\n", p.c_str());
            return 1;
        }
    for (const std::string &f : {floor, tableFloor})
        if (access(f.c_str(), X_OK) != 0) {
            std::fprintf(stderr, "no floor program at %s\n", f.c_str());
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
    const auto fail = [&](const char *what, int run) {
        std::fprintf(stderr, "%s, run %d failed: %s\n", what, run, why.c_str());
        x.CloseDisplay(d);
        return 1;
    };

    std::printf("Xvfb %s, %d runs, floors: %s, %s\n", xvfb.display.c_str(), runs, floor.c_str(), tableFloor.c_str());
    for (size_t k = 0; k < programs.size(); ++k)
        std::printf("program %zu: %s\n", k + 1, programs[k].c_str());

    const auto phase = [&phases](const char *name) { return phases.find(name) != std::string::npos; };
    if (phase("draw") && drawing(d, xvfb, programs, tableFloor, runs, why) != 0)
        return fail("drawing", 0);
    if (!phase("first") && !phase("table") && !phase("memory") && !phase("idle")) {
        x.CloseDisplay(d);
        return 0;
    }

    if (phase("first")) {
        // First window: the floor and every program in turn within each run.
        std::printf("\nfirst window (exec to mapped) and VmRSS 300 ms later\n%4s %8s", "run", "floor ms");
        for (size_t k = 0; k < programs.size(); ++k)
            std::printf("   p%zu ms  ratio", k + 1);
        std::printf(" %9s", "floor MiB");
        for (size_t k = 0; k < programs.size(); ++k)
            std::printf("  p%zu MiB  ratio", k + 1);
        std::printf("\n");
        std::vector<double> floorMs, floorRss, floorLibs;
        std::vector<std::vector<double>> progMs(programs.size()), progRss(programs.size()), msRatio(programs.size()),
            rssRatio(programs.size()), progLibs(programs.size());
        for (int i = 1; i <= runs; ++i) {
            const auto f = firstWindow(d, xvfb.display, floor, why);
            if (!f)
                return fail("first window of the floor", i);
            std::vector<FirstWindow> got;
            for (const std::string &p : programs) {
                const auto r = firstWindow(d, xvfb.display, p, why);
                if (!r)
                    return fail("first window", i);
                got.push_back(*r);
            }
            floorMs.push_back(f->ms);
            floorRss.push_back(f->rssKiB / 1024.0);
            floorLibs.push_back(f->libraries);
            std::printf("%4d %8.1f", i, f->ms);
            for (size_t k = 0; k < got.size(); ++k) {
                progMs[k].push_back(got[k].ms);
                progLibs[k].push_back(got[k].libraries);
                msRatio[k].push_back(got[k].ms / f->ms);
                std::printf(" %8.1f %6.2f", got[k].ms, got[k].ms / f->ms);
            }
            std::printf(" %9.1f", f->rssKiB / 1024.0);
            for (size_t k = 0; k < got.size(); ++k) {
                progRss[k].push_back(got[k].rssKiB / 1024.0);
                rssRatio[k].push_back(static_cast<double>(got[k].rssKiB) / static_cast<double>(f->rssKiB));
                std::printf(" %8.1f %6.2f", got[k].rssKiB / 1024.0, static_cast<double>(got[k].rssKiB) / f->rssKiB);
            }
            std::printf("\n");
        }
        std::printf("median: floor %.1f ms, %.1f MiB, %.0f shared libraries mapped\n", median(floorMs),
                    median(floorRss), median(floorLibs));
        for (size_t k = 0; k < programs.size(); ++k)
            std::printf("median: p%zu first window %.1f ms = %.2f x the floor (goal < 1.3), VmRSS %.1f MiB = %.2f x "
                        "(goal < 1.5), %.0f shared libraries mapped\n",
                        k + 1, median(progMs[k]), median(msRatio[k]), median(progRss[k]), median(rssRatio[k]),
                        median(progLibs[k]));
    }
    if (phase("table")) {
        // The table: main window, a dealt Double Freecell, its memory.
        std::printf("\ntable: exec to main window mapped, and a dealt Double Freecell\n");
        std::printf("%4s %4s %12s %12s %14s %10s %10s\n", "run", "prog", "splash ms", "window ms", "dealt ms",
                    "RSS MiB", "HWM MiB");
        std::vector<std::vector<double>> window(programs.size()), rss(programs.size()), hwm(programs.size());
        for (int i = 1; i <= runs; ++i)
            for (size_t k = 0; k < programs.size(); ++k) {
                const auto r = runOnce(d, xvfb.display, programs[k], why);
                if (!r)
                    return fail("table", i);
                std::printf("%4d %4zu %12.1f %12.1f %14.1f %10.1f %10.1f\n", i, k + 1, r->splashMs, r->mainMs,
                            r->dealtMs, r->rssKiB / 1024.0, r->hwmKiB / 1024.0);
                window[k].push_back(r->mainMs);
                rss[k].push_back(r->rssKiB / 1024.0);
                hwm[k].push_back(r->hwmKiB / 1024.0);
            }
        for (size_t k = 0; k < programs.size(); ++k)
            std::printf("median: p%zu exec to main window mapped %.1f ms (goal < 250); resident after a dealt Double "
                        "Freecell %.1f MiB, peak %.1f MiB (goal < 80)\n",
                        k + 1, median(window[k]), median(rss[k]), median(hwm[k]));
    }
    if (phase("memory")) {
        // Memory as the player meets it: a game dealt, 3 s after the main
        // window; the empty window at that size beside it.
        std::printf("\nmemory 3 s after the main window (the program with Freecell dealt from the selector; the "
                    "floor: the empty window at 1032 x 768)\n");
        std::vector<double> floorRss, floorLibs;
        std::vector<std::vector<double>> rss(programs.size()), ratio(programs.size()), libs(programs.size());
        for (int i = 1; i <= runs; ++i) {
            const auto f = memoryAfterMain(d, xvfb.display, floor, false, why);
            if (!f)
                return fail("memory of the floor", i);
            floorRss.push_back(f->rssKiB / 1024.0);
            floorLibs.push_back(f->libraries);
            std::printf("%4d floor %.1f MiB, %d libraries", i, f->rssKiB / 1024.0, f->libraries);
            for (size_t k = 0; k < programs.size(); ++k) {
                const auto r = memoryAfterMain(d, xvfb.display, programs[k], true, why);
                if (!r)
                    return fail("memory", i);
                rss[k].push_back(r->rssKiB / 1024.0);
                ratio[k].push_back(static_cast<double>(r->rssKiB) / static_cast<double>(f->rssKiB));
                libs[k].push_back(r->libraries);
                std::printf("; p%zu %.1f MiB = %.2f x, %d libraries", k + 1, r->rssKiB / 1024.0, ratio[k].back(),
                            r->libraries);
            }
            std::printf("\n");
        }
        for (size_t k = 0; k < programs.size(); ++k)
            std::printf("median: p%zu VmRSS %.1f MiB, floor %.1f MiB: %.2f x (goal <= 1.4); %.0f shared libraries "
                        "mapped, floor %.0f\n",
                        k + 1, median(rss[k]), median(floorRss), median(ratio[k]), median(libs[k]), median(floorLibs));
    }
    if (phase("idle")) {
        // Idle: a few runs, each program beside the floor.
        const int idleRuns = std::min(runs, 3);
        std::printf("\nidle over %d s: CPU %%, wake-ups and system calls a second (the program's own timers wake "
                    "it 12 times a second)\n",
                    idleSeconds);
        std::vector<double> floorCpu, floorWake, floorCalls, timersCpu, timersWake, timersCalls;
        std::vector<std::vector<double>> cpu(programs.size()), wake(programs.size()), calls(programs.size());
        for (int i = 1; i <= idleRuns; ++i) {
            const auto f = idle(d, xvfb.display, floor, false, idleSeconds, why);
            if (!f)
                return fail("idle floor", i);
            std::printf("%4d floor: %.3f %% CPU, %.1f wake-ups/s, %.1f calls/s (%s)\n", i, f->cpuPercent,
                        f->wakeupsPerSecond, f->syscallsPerSecond, f->topCalls.c_str());
            floorCpu.push_back(f->cpuPercent);
            floorWake.push_back(f->wakeupsPerSecond);
            floorCalls.push_back(f->syscallsPerSecond);
            // What the timers and a caption changing once a second cost alone.
            const auto tf = idle(d, xvfb.display, floor, false, idleSeconds, why, {"--timers"});
            if (!tf)
                return fail("idle floor with timers", i);
            std::printf("%4d timers: %.3f %% CPU, %.1f wake-ups/s, %.1f calls/s (%s)\n", i, tf->cpuPercent,
                        tf->wakeupsPerSecond, tf->syscallsPerSecond, tf->topCalls.c_str());
            timersCpu.push_back(tf->cpuPercent);
            timersWake.push_back(tf->wakeupsPerSecond);
            timersCalls.push_back(tf->syscallsPerSecond);
            for (size_t k = 0; k < programs.size(); ++k) {
                const auto r = idle(d, xvfb.display, programs[k], true, idleSeconds, why);
                if (!r)
                    return fail("idle", i);
                std::printf("%4d p%zu:    %.3f %% CPU, %.1f wake-ups/s, %.1f calls/s (%s)\n", i, k + 1, r->cpuPercent,
                            r->wakeupsPerSecond, r->syscallsPerSecond, r->topCalls.c_str());
                cpu[k].push_back(r->cpuPercent);
                wake[k].push_back(r->wakeupsPerSecond);
                calls[k].push_back(r->syscallsPerSecond);
            }
        }
        std::printf("median: the empty window with the table's two timers and a caption changing once a second: "
                    "%.3f %% CPU, %.1f wake-ups/s, %.1f system calls/s\n",
                    median(timersCpu), median(timersWake), median(timersCalls));
        for (size_t k = 0; k < programs.size(); ++k)
            std::printf("median: p%zu idle CPU %.3f %% (floor %.3f %%, goal <= 0.10 %%), %.1f wake-ups/s (floor %.1f, "
                        "goal <= 12), %.1f system calls/s (floor %.1f, goal <= 25)\n",
                        k + 1, median(cpu[k]), median(floorCpu), median(wake[k]), median(floorWake), median(calls[k]),
                        median(floorCalls));
    }
    x.CloseDisplay(d);
    return 0;
}
