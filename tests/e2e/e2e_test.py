#!/usr/bin/env python3
"""End-to-end test of the real tarnwick binary.

Starts a private Xvfb, runs the program against a fresh HOME and drives it
with real X input events (xdotool), as a person at the keyboard and mouse
would. What the table shows is read back from the JSON file the main window
writes when TARNWICK_STATE_FILE is set; what the program keeps is checked from
outside, in its settings file and score file, once it has ended.

Controls are reached with the keys the program has for them, or at places
taken from the state file and the X server's window geometry; screenshots are
kept as evidence for a failure report, never read to find anything.

usage: e2e_test.py --xclose <xclose helper> [--shots <dir>] <tarnwick binary>

Python standard library only. Every wait polls with a deadline; Xvfb and the
program are ended on every way out.
"""

import argparse
import ctypes
import json
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # nothing of the test in the source tree
from programenv import program_environment  # noqa: E402

CARD_W, CARD_H = 71, 96
TABLEAU, STOCK, WASTE, FOUNDATION, FREECELL = 0, 1, 2, 3, 4

# One score record: date, game, number, seconds, moves, score, status.
RECORD = (rb'"\d{4}-\d\d-\d\d \d\d:\d\d:\d\d","%s",\d+,\d+,\d+,-?\d+,%s\r\n')


class Failure(Exception):
    pass


def check(cond, message):
    if not cond:
        raise Failure(message)


def _die_with_parent():
    # Children go down with the test even when it is killed outright (a ctest
    # timeout), so no Xvfb or program is left behind.
    try:
        libc = ctypes.CDLL(None, use_errno=True)
        PR_SET_PDEATHSIG = 1
        libc.prctl(PR_SET_PDEATHSIG, signal.SIGKILL)
    except Exception:
        pass


class Harness:
    def __init__(self, binary, xclose, shots):
        self.binary = binary
        self.xclose = xclose
        self.shots = shots
        self.shot_no = 0
        self.xvfb = None
        self.app = None
        self.app_log = None
        self.env = None
        self.tmp = tempfile.mkdtemp(prefix="tarnwick-e2e-")
        self.state_file = os.path.join(self.tmp, "state.json")

    # --- X server -----------------------------------------------------------

    def start_xvfb(self):
        r, w = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=_die_with_parent)
        os.close(w)
        text = b""
        deadline = time.monotonic() + 15
        while not text.endswith(b"\n"):
            left = deadline - time.monotonic()
            check(left > 0 and self.xvfb.poll() is None, "Xvfb did not report a display")
            ready, _, _ = select.select([r], [], [], left)
            if ready:
                chunk = os.read(r, 64)
                check(chunk, "Xvfb closed its display pipe without a display number")
                text += chunk
        os.close(r)
        self.display = ":" + text.decode().strip()
        print(f"Xvfb on display {self.display}")

    def new_home(self, name):
        home = os.path.join(self.tmp, name)
        env = program_environment(home, self.display)
        env["TARNWICK_STATE_FILE"] = self.state_file
        self.env = env
        return home

    def new_home_with_settings(self, name, settings):
        """A fresh home whose settings file holds `settings`."""
        self.new_home(name)
        os.makedirs(os.path.dirname(self.settings_path()))
        with open(self.settings_path(), "w", encoding="utf-8") as f:
            f.write(settings)

    def settings_path(self):
        return os.path.join(self.env["XDG_CONFIG_HOME"], "Tarnwick", "Tarnwick.conf")

    def score_path(self, player):
        return os.path.join(self.env["XDG_DATA_HOME"], "Tarnwick", player + ".sre")

    # --- tools --------------------------------------------------------------

    def run(self, *cmd, timeout=10, ok=True):
        try:
            p = subprocess.run(list(cmd), env=self.env, capture_output=True, timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"{' '.join(cmd)} did not finish within {timeout} s")
        if ok and p.returncode != 0:
            raise Failure(f"{' '.join(cmd)} failed ({p.returncode}): {p.stderr.decode(errors='replace')}")
        return p

    def xdo(self, *args, timeout=10):
        return self.run("xdotool", *args, timeout=timeout)

    def shot(self, step):
        self.shot_no += 1
        path = os.path.join(self.shots, f"{self.shot_no:02d}-{step}.png")
        self.run("import", "-silent", "-window", "root", path, timeout=20)
        return path

    def wait(self, what, pred, timeout=15.0, interval=0.05):
        deadline = time.monotonic() + timeout
        while True:
            value = pred()
            if value:
                return value
            if self.app is not None and self.app.poll() is not None:
                raise Failure(f"program ended (exit {self.app.returncode}) while waiting for {what}")
            if time.monotonic() > deadline:
                raise Failure(f"timed out after {timeout:.0f} s waiting for {what}")
            time.sleep(interval)

    # --- the program --------------------------------------------------------

    def start_app(self, run_name):
        if os.path.exists(self.state_file):
            os.remove(self.state_file)
        self.app_log = open(os.path.join(self.shots, f"{run_name}.log"), "wb")
        self.app = subprocess.Popen([self.binary], env=self.env, stdout=self.app_log,
                                    stderr=subprocess.STDOUT, preexec_fn=_die_with_parent)

    def wait_exit(self, timeout=15):
        try:
            rc = self.app.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"program still running {timeout} s after it was asked to end")
        self.app_log.close()
        self.app = None
        # Nothing on the terminal, though no sound server runs here: a
        # player starting the game from a shell sees only what is wrong.
        with open(self.app_log.name, "rb") as f:
            said = f.read()
        check(not said, "the program wrote to the terminal:\n" + said[-4000:].decode(errors="replace"))
        return rc

    def stop_all(self):
        if self.app is not None and self.app.poll() is None:
            self.app.kill()
            self.app.wait()
        if self.xvfb is not None and self.xvfb.poll() is None:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def state(self):
        try:
            with open(self.state_file, encoding="utf-8") as f:
                return json.load(f)
        except (OSError, ValueError):
            return None

    @staticmethod
    def card(s, i):
        return next((c for c in s["cards"] if c["i"] == i), None) if s else None

    def settled(self, writes=2):
        """The table as shown after `writes` further refreshes of the state
        file (it is rewritten every 500 ms)."""
        seen = []

        def stamp():
            try:
                return os.stat(self.state_file).st_mtime_ns
            except OSError:
                return None

        def refreshed():
            t = stamp()
            if t is not None and (not seen or t != seen[-1]):
                seen.append(t)
            return len(seen) > writes

        self.wait("the table to refresh", refreshed, timeout=10, interval=0.02)
        s = self.state()
        check(s is not None, "state file unreadable")
        return s

    def windows(self):
        """The program's mapped top-level windows: id, title, kind, geometry."""
        p = self.run("xdotool", "search", "--onlyvisible", "--classname", "^tarnwick$", ok=False)
        found = []
        for wid in p.stdout.decode().split():
            g = self.run("xdotool", "getwindowgeometry", "--shell", wid, ok=False)
            n = self.run("xdotool", "getwindowname", wid, ok=False)
            t = self.run("xprop", "-id", wid, "_NET_WM_WINDOW_TYPE", ok=False)
            if g.returncode or n.returncode:
                continue  # gone in between
            geo = dict(line.split("=", 1) for line in g.stdout.decode().split() if "=" in line)
            types = t.stdout.decode()
            kind = ("splash" if "_SPLASH" in types else "dialog" if "_DIALOG" in types
                    else "menu" if "MENU" in types else "normal")
            found.append({"id": wid, "title": n.stdout.decode().rstrip("\n"), "kind": kind,
                          "x": int(geo["X"]), "y": int(geo["Y"]), "w": int(geo["WIDTH"]), "h": int(geo["HEIGHT"])})
        return found

    def window_of(self, kind):
        for w in self.windows():
            if w["kind"] == kind:
                return w
        return None

    def click(self, x, y):
        self.xdo("mousemove", str(x), str(y), "sleep", "0.05", "click", "1")

    def drag(self, x0, y0, x1, y1, steps=12):
        args = ["mousemove", str(x0), str(y0), "sleep", "0.05", "mousedown", "1", "sleep", "0.05"]
        for k in range(1, steps + 1):
            args += ["mousemove", str(x0 + (x1 - x0) * k // steps), str(y0 + (y1 - y0) * k // steps),
                     "sleep", "0.02"]
        args += ["sleep", "0.05", "mouseup", "1"]
        self.xdo(*args)

    def keys(self, window, *keys):
        self.xdo("windowfocus", "--sync", window["id"])
        self.xdo("key", "--delay", "40", *keys)

    # --- steps a person takes -----------------------------------------------

    def dismiss_splash(self):
        """Clicks the splash away as soon as it is mapped; returns the main
        window and the game selector once both are up."""
        first = self.wait("the first window to be mapped", self.windows, timeout=20)
        splash = next((w for w in first if w["kind"] == "splash"), None)
        if splash:
            check(splash["w"] < 600 and splash["h"] < 300, f"splash unexpectedly large: {splash}")
            self.shot("splash")
            self.click(splash["x"] + splash["w"] // 2, splash["y"] + splash["h"] // 2)

        def both():
            ws = self.windows()
            main = next((w for w in ws if w["kind"] == "normal" and w["w"] > 600), None)
            dlg = next((w for w in ws if w["kind"] == "dialog"), None)
            gone = not any(w["kind"] == "splash" for w in ws)
            return (main, dlg) if main and dlg and gone else None

        main, dlg = self.wait("the main window and the game selector", both)
        check(main["title"] == "Tarnwick", f"main window title before a game: {main['title']!r}")
        check(dlg["title"] == "Tarnwick", f"game selector title: {dlg['title']!r}")
        return main, dlg

    def choose_in_selector(self, dlg, name):
        # Home goes to the top of the tree, so the typed search always runs
        # from the same place whatever was preselected.
        self.keys(dlg, "Home")
        self.xdo("type", "--delay", "25", name)

    def play_from_selector(self, dlg):
        # Play is the selector's default button: Return presses it wherever
        # the focus is inside the window (neither the tree nor the player box
        # keeps the key for itself).
        self.keys(dlg, "Return")
        self.wait("the game selector to go on Return (Play)",
                  lambda: not any(w["id"] == dlg["id"] for w in self.windows()), timeout=10)

    def wait_game(self, game, player="Player1", timeout=20):
        pattern = re.compile(r"^Tarnwick \[%s\] \[%s\] \[(\d+)\]$" % (re.escape(game), re.escape(player)))

        def dealt():
            s = self.state()
            if not s or not s.get("running") or not pattern.match(s.get("title", "")):
                return None
            # Dealt: every card lies on its pile (none in the stock on these
            # games) and the menu bar shows the move count.
            if not s["cards"] or any(c["cell"] == STOCK for c in s["cards"]):
                return None
            return s

        s = self.wait(f"a dealt game of {game}", dealt, timeout=timeout)
        return s, pattern

    @staticmethod
    def moves(s):
        m = re.match(r"^Moves :(\d+)$", s.get("moves", ""))
        return int(m.group(1)) if m else None

    @staticmethod
    def pick_move(s):
        """A tableau top card that can go to an empty free cell with no
        autoplay after it: neither it nor the card it uncovers is an Ace or
        could follow a foundation's top card."""
        found = [c["num"] for c in s["cards"] if c["cell"] == FOUNDATION and c["pos"] == c["top"]]
        playable = lambda n: n == 0 or (n - 1) in found
        free = [c for c in s["cells"] if c["empty"]]
        check(free, "no empty free cell after the deal")
        piles = {}
        for c in s["cards"]:
            if c["cell"] == TABLEAU:
                piles.setdefault(c["pile"], {})[c["pos"]] = c
        for p in sorted(piles):
            cards = piles[p]
            top = max(cards)
            if top < 1 or top != cards[top]["top"]:
                continue
            if playable(cards[top]["num"]) or playable(cards[top - 1]["num"]):
                continue
            return cards[top], free[0]
        raise Failure("no tableau pile with a safe card to move")

    def move_to_free_cell(self, s):
        card, cell = self.pick_move(s)
        before = self.moves(s)
        self.drag(card["x"] + CARD_W // 2, card["y"] + CARD_H // 2,
                  cell["x"] + CARD_W // 2, cell["y"] + CARD_H // 2)

        def moved():
            t = self.state()
            c = self.card(t, card["i"])
            return t if c and c["cell"] == FREECELL else None

        t = self.wait(f"card {card['i']} to land in a free cell", moved, timeout=10)
        return card, before, t

    def alive_check(self):
        check(self.app is not None and self.app.poll() is None, "program is not running")


# --- the runs ---------------------------------------------------------------

def parse_ini(path):
    groups, group = {}, None
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if line.startswith("[") and line.endswith("]"):
                group = groups.setdefault(line[1:-1], {})
            elif "=" in line and group is not None:
                k, v = line.split("=", 1)
                group[k.strip()] = v.strip()
    return groups


def run_first(h):
    print("run 1: fresh home, play Freecell, move, undo, close the window")
    h.new_home("home1")
    h.start_app("run1")
    main, dlg = h.dismiss_splash()
    h.shot("selector")

    h.choose_in_selector(dlg, "Freecell")
    h.shot("freecell-chosen")
    h.play_from_selector(dlg)
    s, pattern = h.wait_game("Freecell")
    title = h.xdo("getwindowname", main["id"]).stdout.decode().rstrip("\n")
    check(pattern.match(title), f"window caption after Play: {title!r}")
    check(title == s["title"], "state file and X disagree on the caption")
    check(h.window_of("dialog") is None, "game selector still shown after Play")
    h.shot("dealt")

    m0 = h.moves(s)
    check(m0 is not None, f"no move count in the menu bar: {s.get('moves')!r}")
    if not any(c["cell"] == FOUNDATION for c in s["cards"]):
        check(m0 == 0, f"moves after a deal that needed no autoplay: {m0}")
    card, _, _ = h.move_to_free_cell(s)
    # Two more refreshes of the table, so a move that followed by itself
    # would have shown.
    t = h.settled()
    check(h.moves(t) == m0 + 1, f"moves after one drag: {t['moves']!r}, before {m0}")
    h.shot("card-in-free-cell")

    h.keys(main, "ctrl+z")

    def undone():
        u = h.state()
        c = h.card(u, card["i"])
        back = c and (c["cell"], c["pile"], c["pos"]) == (TABLEAU, card["pile"], card["pos"])
        return u if back and h.moves(u) == m0 else None

    h.wait("Ctrl+Z to take the move back", undone, timeout=10)
    t = h.settled()
    check(h.moves(t) == m0, f"moves after Ctrl+Z: {t['moves']!r}, expected {m0}")
    h.shot("undone")

    h.run(h.xclose, main["id"])
    rc = h.wait_exit()
    check(rc == 0, f"program exit status after closing the window: {rc}")

    ini = parse_ini(h.settings_path())
    users, data, recent = ini.get("Users", {}), ini.get("Data", {}), ini.get("Recent", {})
    check(users.get("1") == "Player1", f"Users/1 = {users.get('1')!r}")
    check(users.get("100") == "Player1", f"Users/100 = {users.get('100')!r}")
    check(data.get("LastGName") == "Freecell", f"Data/LastGName = {data.get('LastGName')!r}")
    check(recent.get("1") == "Freecell", f"Recent/1 = {recent.get('1')!r}")

    with open(h.score_path("Player1"), "rb") as f:
        scores = f.read()
    check(re.fullmatch(RECORD % (b"Freecell", b"0"), scores),
          f"score file after closing a running game: {scores!r}")
    number = pattern.match(title).group(1).encode()
    check(scores.split(b",")[2] == number, "score record names another game number")
    print("run 1 passed")
    return scores


def run_second(h, scores):
    print("run 2: same home, start a game, open the help, File > Exit")
    h.start_app("run2")
    main, dlg = h.dismiss_splash()
    h.shot("selector-again")
    # The last-played variant is preselected: Play at once.
    h.play_from_selector(dlg)
    h.wait_game("Freecell")
    h.shot("second-game")

    # The help window stays open while the program ends: it must go without
    # a crash.
    h.keys(main, "F1")
    h.wait("the help window", lambda: any(w["title"].endswith("Tarnwick Help") for w in h.windows()),
           timeout=10)
    h.shot("help-open")
    h.keys(main, "alt+f")
    h.wait("the File menu to open", lambda: h.window_of("menu"), timeout=10)
    h.shot("file-menu")
    h.xdo("key", "x")
    rc = h.wait_exit()
    check(rc == 0, f"program exit status after File > Exit: {rc}")

    with open(h.score_path("Player1"), "rb") as f:
        after = f.read()
    check(after == scores, f"File > Exit changed the score file: {after!r}")
    print("run 2 passed")


GARBAGE_SETTINGS = """[Data]
LastGName=nonsense
Autoplay=abc
CardSpeed=99999
UndoSpeed=-
UndoallSpeed=1e9
ReplaySpeed=0x10
BGIndex=x
RangeIndex=-5
DeckIndex=zz
Fade=?
CustomColor=q
SoundStart=loud
SoundCardDown=NaN
SoundCardUp=\\x01
SoundUndo=70000
SoundRedo=--1
SoundAutoPlay=yes
SoundWin=" "
ShowToolbar=2.5
ShowTime=maybe
ShowScore=[]
ShowMoves=on

[Users]
1=Player1
100=Player1
"""

BROKEN_SCORES = (
    b'"2024-01-02 03:04:05","Freecell",12345,100,80,500,1\r\n'
    b'"2024-01-03 10:00:00","Freecell"\r\n'
    b'\r\n'
    b'\x00\xff\xfe\x80\x1b[2J\x7f junk \x01\x02\r\n'
    b'"2024-02-03 04:05:06","Baker\'s Game",777,60,40,300,0\r\n'
    b'"2024-03-04 05:06:07","Freec'
)


def run_third(h):
    print("run 3: garbage settings and a broken score file")
    h.new_home_with_settings("home3", GARBAGE_SETTINGS)
    os.makedirs(os.path.dirname(h.score_path("Player1")))
    with open(h.score_path("Player1"), "wb") as f:
        f.write(BROKEN_SCORES)

    h.start_app("run3")
    main, dlg = h.dismiss_splash()
    h.shot("garbage-selector")
    h.choose_in_selector(dlg, "Freecell")
    h.play_from_selector(dlg)
    s, _ = h.wait_game("Freecell")
    h.shot("garbage-dealt")
    h.move_to_free_cell(s)
    h.shot("garbage-moved")
    h.alive_check()

    h.run(h.xclose, main["id"])
    rc = h.wait_exit()
    check(rc == 0, f"program exit status after closing the window: {rc}")

    with open(h.score_path("Player1"), "rb") as f:
        after = f.read()
    # Nothing of the old file is removed: the unfinished last line is ended
    # and stays a line of its own, never completed into a record.
    kept = BROKEN_SCORES + b"\r\n"
    check(after.startswith(kept), f"the old score lines were changed: {after!r}")
    tail = after[len(kept):]
    check(re.fullmatch(RECORD % (b"Freecell", b"0"), tail),
          f"expected one new record on a line of its own, got {tail!r}")
    print("run 3 passed")


SLOW_SETTINGS = """[Data]
CardSpeed=50
LastGName=Freecell

[Users]
1=Player1
100=Player1
"""


def run_fourth(h):
    print("run 4: Card Moving Speed 50, F2, the window closed during the deal")
    h.new_home_with_settings("home4", SLOW_SETTINGS)
    h.start_app("run4")
    main, dlg = h.dismiss_splash()
    h.choose_in_selector(dlg, "Freecell")
    started = time.monotonic()
    h.play_from_selector(dlg)
    s, pattern = h.wait_game("Freecell", timeout=60)
    print(f"  a deal at speed 50 took {time.monotonic() - started:.1f} s")
    first = pattern.match(s["title"]).group(1).encode()
    h.shot("slow-dealt")

    # F2 abandons the game (recorded once) and deals the next one slowly.
    h.keys(main, "F2")

    def dealing():
        t = h.state()
        return t if t and not t.get("running") and pattern.match(t.get("title", "")) \
            and pattern.match(t["title"]).group(1).encode() != first else None

    h.wait("the new deal to begin", dealing, timeout=10)
    time.sleep(1.5)
    t = h.state()
    check(t and not t.get("running"), "the deal was over before the window was closed: too fast to test")
    h.shot("closing-during-deal")
    h.run(h.xclose, main["id"])
    rc = h.wait_exit(timeout=60)
    check(rc == 0, f"program exit status after closing during a deal: {rc}")

    with open(h.score_path("Player1"), "rb") as f:
        scores = f.read()
    check(re.fullmatch(RECORD % (b"Freecell", b"0"), scores),
          f"expected the game abandoned by F2 alone, got {scores!r}")
    check(scores.split(b",")[2] == first, f"the record names another game than the abandoned one: {scores!r}")
    print("run 4 passed")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("binary")
    ap.add_argument("--xclose", required=True)
    ap.add_argument("--shots", default=os.path.join(os.getcwd(), "shots"))
    args = ap.parse_args()

    for tool in ("Xvfb", "xdotool", "xprop", "import"):
        if not shutil.which(tool):
            print(f"FAILED: {tool} not found (scripts/deps.sh --test installs it)")
            return 1
    shutil.rmtree(args.shots, ignore_errors=True)
    os.makedirs(args.shots)

    h = Harness(os.path.abspath(args.binary), os.path.abspath(args.xclose), args.shots)
    # A plain kill of the test (SIGTERM, Ctrl+C) still ends what it started.
    for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(sig, lambda n, _f: (_ for _ in ()).throw(SystemExit(128 + n)))
    started = time.monotonic()
    try:
        h.start_xvfb()
        scores = run_first(h)
        run_second(h, scores)
        run_third(h)
        run_fourth(h)
    except Failure as e:
        print(f"FAILED: {e}")
        try:
            h.shot("failure")
        except Exception:
            pass
        for w in (h.windows() if h.xvfb and h.xvfb.poll() is None else []):
            print("  window:", w)
        if h.app_log is not None:
            if not h.app_log.closed:
                h.app_log.flush()
            with open(h.app_log.name, "rb") as f:
                print("program output:\n" + f.read()[-4000:].decode(errors="replace"))
        return 1
    finally:
        h.stop_all()
        print(f"screenshots and program logs: {args.shots}")
    print(f"e2e: all runs passed in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
