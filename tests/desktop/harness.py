"""Drives the built reader from outside, the way a person at a desktop would.

Each scenario runs in its own process and gets a fresh session: an X server (Xvfb), a window
manager (openbox), a private D-Bus session bus with the accessibility bus, and the reader started
from a scratch folder that holds a copy of the executable and the settings prepared for it (the
reader keeps its files beside the executable). Widgets are found through AT-SPI by role and name;
keys and the pointer go through the X server (xdotool), the clipboard through xclip.

Everything started here is stopped by its process id when the scenario ends, also when it fails
or runs out of time. A failing scenario keeps its folder (screenshots, the reader's output, its
settings) and prints where it is.

Environment:
  ORVANE_EXE               the reader to drive (set by ctest)
  ORVANE_DESKTOP_OUT       where the scenario folders go (set by ctest: the build folder)
  ORVANE_DESKTOP_WATCH=N   a screenshot every N seconds into the scenario folder, to follow a run
  ORVANE_DESKTOP_KEEP=1    keep the folder of a passing scenario too
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import traceback

APP_TITLE = "澜晔圣经阅读器-串珠版（测试版0.1）"
SCREEN = (1024, 768)


class ScenarioFailure(AssertionError):
    pass


class Fatal(ScenarioFailure):
    """A failure no further waiting can mend (the reader has ended); wait_for passes it on."""


def check(condition, message):
    if not condition:
        raise ScenarioFailure(message)


def wait_for(what, probe, timeout=10.0, interval=0.1):
    """Polls probe() until it gives something true; returns it, or fails naming what."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = probe()
            if value:
                return value
        except Fatal:
            raise
        except Exception as e:  # a widget or window that is not there yet
            last_error = e
        if time.monotonic() >= deadline:
            detail = f" (last error: {last_error!r})" if last_error else ""
            raise ScenarioFailure(f"timed out after {timeout:.0f} s waiting for {what}{detail}")
        time.sleep(interval)


def _read_line(fd, seconds):
    """The first line a started server writes to the pipe it was given; closes the pipe."""
    line = b""
    deadline = time.monotonic() + seconds
    while not line.endswith(b"\n") and time.monotonic() < deadline:
        chunk = os.read(fd, 256)
        if not chunk:
            break
        line += chunk
    os.close(fd)
    return line


def _run(args, env=None, timeout=10, check_rc=True, input_bytes=None):
    r = subprocess.run(args, env=env, timeout=timeout, capture_output=True, input=input_bytes)
    if check_rc and r.returncode != 0:
        raise ScenarioFailure(f"{args[0]} failed ({r.returncode}): {r.stderr.decode(errors='replace')}")
    return r.stdout.decode(errors="replace")


class Session:
    """One desktop session and one reader in it. Use as a context manager."""

    def __init__(self, name, ini=None, prepare=None):
        self.name = name
        out = os.environ.get("ORVANE_DESKTOP_OUT") or tempfile.gettempdir()
        self.folder = os.path.join(out, "desktop-runs", name)
        shutil.rmtree(self.folder, ignore_errors=True)
        self.app_dir = os.path.join(self.folder, "app")
        self.shot_dir = os.path.join(self.folder, "shots")
        os.makedirs(self.app_dir)
        os.makedirs(self.shot_dir)
        exe = os.environ.get("ORVANE_EXE")
        check(exe and os.path.isfile(exe), f"ORVANE_EXE does not name the reader: {exe!r}")
        self.exe = os.path.join(self.app_dir, "orvane")
        shutil.copy2(exe, self.exe)
        self.ini_path = os.path.join(self.app_dir, "orvane.ini")
        if ini is not None:
            self.write_ini(ini)
        if prepare:
            prepare(self)
        self._procs = []  # (label, Popen), stopped in reverse order
        self.app = None  # the reader's Popen
        self._app_log = None
        self._shot_count = 0
        self._watch_stop = threading.Event()
        self.env = None
        self.display = None

    # --- settings -------------------------------------------------------------------------

    def write_ini(self, text):
        """The settings file as the reader keeps it: GBK, CR LF line ends."""
        data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("gbk")
        with open(self.ini_path, "wb") as f:
            f.write(data)

    def read_ini(self):
        with open(self.ini_path, "rb") as f:
            return f.read().decode("gbk")

    def ini_value(self, section, key):
        current = None
        for line in self.read_ini().splitlines():
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                current = line[1:-1].strip().lower()
            elif current == section.lower() and "=" in line:
                k, v = line.split("=", 1)
                if k.strip().lower() == key.lower():
                    return v.strip()
        return None

    # --- lifecycle ------------------------------------------------------------------------

    def __enter__(self):
        try:
            self._start_desktop()
        except BaseException:
            self.stop_all()
            raise
        return self

    def __exit__(self, exc_type, exc, tb):
        if exc_type is not None:
            try:
                self.screenshot("failure")
            except Exception:
                pass
        self.stop_all()
        return False

    def _spawn(self, label, args, env=None, stdout=None, cwd=None):
        log = stdout or open(os.path.join(self.folder, f"{label}.log"), "wb")
        p = subprocess.Popen(args, env=env or self.env, stdout=log, stderr=subprocess.STDOUT,
                             stdin=subprocess.DEVNULL, cwd=cwd, start_new_session=True)
        self._procs.append((label, p))
        return p

    def _start_desktop(self):
        base = {k: v for k, v in os.environ.items()
                if not k.startswith(("DBUS_", "AT_SPI", "QT_", "XDG_", "WAYLAND", "DISPLAY"))}
        home = os.path.join(self.folder, "home")
        runtime = os.path.join(self.folder, "run")
        os.makedirs(home)
        os.makedirs(runtime, mode=0o700)
        base.update(HOME=home, XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                    LANG="C.UTF-8", LC_ALL="C.UTF-8", NO_AT_BRIDGE="0")

        # X server: it writes the display number it took to the pipe once it accepts clients.
        rfd, wfd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(wfd), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
             "-nolisten", "tcp", "-noreset"], pass_fds=(wfd,), env=base,
            stdout=open(os.path.join(self.folder, "xvfb.log"), "wb"), stderr=subprocess.STDOUT,
            stdin=subprocess.DEVNULL, start_new_session=True)
        self._procs.append(("xvfb", xvfb))
        os.close(wfd)
        number = _read_line(rfd, 15)
        check(number.strip().isdigit(), "Xvfb reported no display number")
        self.display = ":" + number.decode().strip()
        base["DISPLAY"] = self.display
        self.env = base

        # Private session bus; its address is the first line it prints.
        r, w = os.pipe()
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                                f"--print-address={w}"], pass_fds=(w,), env=base,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               stdin=subprocess.DEVNULL, start_new_session=True)
        self._procs.append(("dbus", bus))
        os.close(w)
        address = _read_line(r, 10)
        check(address.strip(), "dbus-daemon reported no address")
        base["DBUS_SESSION_BUS_ADDRESS"] = address.decode().strip()

        self._spawn("openbox", ["openbox", "--sm-disable"])
        wait_for("the window manager", lambda: "window id" in _run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=base, check_rc=False), timeout=15)
        self._spawn("atspi", ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        wait_for("the accessibility bus", lambda: "unix:" in _run(
            ["dbus-send", "--session", "--dest=org.a11y.Bus", "--print-reply",
             "/org/a11y/bus", "org.a11y.Bus.GetAddress"], env=base, check_rc=False), timeout=15)

        # The AT-SPI client of this process binds to the bus of this session.
        os.environ["DISPLAY"] = self.display
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = base["DBUS_SESSION_BUS_ADDRESS"]
        watch = float(os.environ.get("ORVANE_DESKTOP_WATCH", "0") or 0)
        if watch > 0:
            threading.Thread(target=self._watch, args=(watch,), daemon=True).start()
            print(f"watching {self.name}: screenshots every {watch:g} s in {self.shot_dir}",
                  flush=True)

    def _watch(self, every):
        n = 0
        while not self._watch_stop.wait(every):
            n += 1
            try:
                self.screenshot(f"watch-{n:04d}")
            except Exception:
                pass

    def stop_all(self):
        self._watch_stop.set()
        for label, p in reversed(self._procs):
            _stop(p)
        self._procs.clear()

    # --- the reader -----------------------------------------------------------------------

    def start_reader(self, wait_window=True):
        env = dict(self.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                   QT_ACCESSIBILITY="1")
        n = sum(1 for label, _ in self._procs if label.startswith("reader"))
        self.app = self._spawn(f"reader{n}", [self.exe], env=env, cwd=self.app_dir)
        self._accessible_app = None
        if wait_window:
            self.wait_main_window()
        return self.app

    def reader_running(self):
        return self.app is not None and self.app.poll() is None

    def wait_exit(self, timeout=15):
        try:
            return self.app.wait(timeout)
        except subprocess.TimeoutExpired:
            raise ScenarioFailure(f"the reader did not end within {timeout} s")

    def kill_reader(self, sig=signal.SIGKILL):
        if self.reader_running():
            os.kill(self.app.pid, sig)
            self.app.wait(10)

    def wait_main_window(self, timeout=30):
        """The reader's main window id once it is mapped (its title is the application title)."""
        def probe():
            ids = _run(["xdotool", "search", "--onlyvisible", "--pid", str(self.app.pid)],
                       env=self.env, check_rc=False).split()
            for wid in ids:
                if APP_TITLE in self.window_title(wid):
                    return wid
            check(self.reader_running(), f"the reader ended (exit code {self.app.poll()})")
            return None
        self.window = wait_for("the main window", probe, timeout=timeout, interval=0.2)
        return self.window

    # --- X windows ------------------------------------------------------------------------

    def xwininfo(self, wid):
        out = _run(["xwininfo", "-id", str(wid)], env=self.env)
        info = {}
        for key, pattern in (("x", r"Absolute upper-left X:\s+(-?\d+)"),
                             ("y", r"Absolute upper-left Y:\s+(-?\d+)"),
                             ("width", r"Width:\s+(\d+)"), ("height", r"Height:\s+(\d+)"),
                             ("map_state", r"Map State:\s+(\w+)")):
            m = re.search(pattern, out)
            info[key] = int(m.group(1)) if m and key != "map_state" else (m.group(1) if m else None)
        return info

    def window_title(self, wid):
        return _run(["xdotool", "getwindowname", str(wid)], env=self.env, check_rc=False).strip()

    def frame_extents(self, wid):
        """(left, right, top, bottom) of the manager's frame; zeros when it draws none."""
        out = _run(["xprop", "-id", str(wid), "_NET_FRAME_EXTENTS"], env=self.env, check_rc=False)
        m = re.search(r"=\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)", out)
        return tuple(int(v) for v in m.groups()) if m else (0, 0, 0, 0)

    def wm_state(self, wid):
        out = _run(["xprop", "-id", str(wid), "WM_STATE"], env=self.env, check_rc=False)
        m = re.search(r"window state:\s*(\w+)", out)
        return m.group(1) if m else None

    def active_window(self):
        return _run(["xdotool", "getactivewindow"], env=self.env, check_rc=False).strip()

    def activate_reader(self, timeout=5):
        """Waits until the reader's main window has the focus, asking the manager for it: on a
        loaded machine a key sent before the manager has focused a new window reaches none."""
        wid = str(self.window)

        def active():
            if self.active_window() == wid:
                return True
            _run(["xdotool", "windowactivate", wid], env=self.env, check_rc=False)
            return False
        wait_for("the reader's window to have the focus", active, timeout=timeout)

    # --- input ----------------------------------------------------------------------------

    def key(self, *keys, delay_ms=30):
        _run(["xdotool", "key", "--delay", str(delay_ms), *keys], env=self.env)

    def type_ascii(self, text):
        _run(["xdotool", "type", "--delay", "20", text], env=self.env)

    def type_text(self, text, read=None, attempts=3):
        """Types text key by key. Characters beyond the keyboard map (Chinese) go out as their
        Unicode keysyms, which xdotool binds to a spare key code for the moment, so the reader
        gets ordinary key presses carrying the text, as it does from an input method's commit.
        Under load a key can arrive before the X server has told the reader of the new binding
        and is lost; with read (what the box holds now) the box is emptied and typed again."""
        for attempt in range(attempts):
            _run(["xdotool", "type", "--delay", "80", text], env=self.env)
            time.sleep(0.3)
            if read is None:
                return
            try:
                got = wait_for("the typed text", lambda: (lambda t: t if t and t.startswith(
                    text) else None)(read()), timeout=2)
                return got
            except ScenarioFailure:
                self.key("ctrl+a", "BackSpace")
        raise ScenarioFailure(f"typing {text!r} left {read()!r} in the box")

    def paste_text(self, text):
        """Types text the way an input method would leave it: put on the clipboard, Ctrl+V."""
        owner = self.set_clipboard(text)
        try:
            self.key("ctrl+v")
            time.sleep(0.3)
        finally:
            _stop(owner)

    def set_clipboard(self, text):
        owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"],
                                 env=self.env, stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL, start_new_session=True)
        self._procs.append(("xclip", owner))
        owner.stdin.write(text.encode())
        owner.stdin.close()
        wait_for("the clipboard", lambda: self.clipboard() == text, timeout=5)
        return owner

    def clipboard(self):
        r = subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", "UTF8_STRING"],
                           env=self.env, capture_output=True, timeout=5)
        return r.stdout.decode("utf-8", "replace") if r.returncode == 0 else None

    def clear_clipboard(self):
        _stop(self.set_clipboard("\x01"))

    def move(self, x, y):
        _run(["xdotool", "mousemove", str(int(x)), str(int(y))], env=self.env)

    def click(self, x=None, y=None, button=1, repeat=1):
        if x is not None:
            self.move(x, y)
            time.sleep(0.05)
        _run(["xdotool", "click", "--repeat", str(repeat), str(button)], env=self.env)

    def click_center(self, acc, button=1):
        x, y, w, h = extents(acc)
        self.click(x + w // 2, y + h // 2, button)

    # --- pictures -------------------------------------------------------------------------

    def screenshot(self, label):
        self._shot_count += 1
        path = os.path.join(self.shot_dir, f"{self._shot_count:02d}-{label}.png")
        _run(["import", "-window", "root", path], env=self.env, timeout=20)
        return path

    def pixels(self, x, y, w, h):
        """The screen rectangle as rows of (r, g, b)."""
        data = subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}",
                               "-depth", "8", "rgb:-"], env=self.env, capture_output=True,
                              timeout=20).stdout
        check(len(data) == w * h * 3, "screen grab of the wrong size")
        return [[tuple(data[(j * w + i) * 3:(j * w + i) * 3 + 3]) for i in range(w)]
                for j in range(h)]

    # --- accessibility --------------------------------------------------------------------

    def accessible_app(self, timeout=20):
        import pyatspi

        def probe():
            if not self.reader_running():
                raise Fatal(f"the reader ended (exit code {self.app.poll()})")
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                a = desktop.getChildAtIndex(i)
                if a is None:
                    continue
                try:
                    if a.get_process_id() == self.app.pid:
                        return a
                except Exception:
                    if a.name == "orvane":
                        return a
            return None
        return wait_for("the reader on the accessibility bus", probe, timeout=timeout)

    def find(self, role=None, name=None, description=None, timeout=10, showing=True, root=None,
             what=None):
        """The first accessible (depth first) with that role and name (or description)."""
        label = what or f"{role or 'widget'} {name or description or ''}".strip()

        def probe():
            found = find_all(root or self.accessible_app(), role, name, description, showing,
                             limit=1)
            return found[0] if found else None
        return wait_for(label, probe, timeout=timeout, interval=0.2)

    def find_all(self, role=None, name=None, description=None, showing=True, root=None):
        return find_all(root or self.accessible_app(), role, name, description, showing)

    def windows(self):
        """Top-level accessibles of the reader: its windows, dialogs, menus, tool-tips."""
        app = self.accessible_app()
        return [app.getChildAtIndex(i) for i in range(app.childCount)]


def _role_name(acc):
    try:
        return acc.getRoleName()
    except Exception:
        return ""


def find_all(root, role=None, name=None, description=None, showing=True, limit=None):
    import pyatspi
    out = []
    stack = [root]
    while stack:
        acc = stack.pop()
        if acc is None:
            continue
        try:
            ok = True
            if role is not None and _role_name(acc) != role:
                ok = False
            if ok and name is not None:
                n = acc.name or ""
                ok = n == name if isinstance(name, str) else bool(name.search(n))
            if ok and description is not None:
                ok = (acc.description or "") == description
            if ok and showing:
                ok = acc.getState().contains(pyatspi.STATE_SHOWING)
            if ok and acc is not root:
                out.append(acc)
                if limit and len(out) >= limit:
                    return out
            children = [acc.getChildAtIndex(i) for i in range(acc.childCount)]
        except Exception:
            continue
        stack.extend(reversed(children))
    return out


def extents(acc):
    import pyatspi
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (e.x, e.y, e.width, e.height)


def text_of(acc):
    try:
        t = acc.queryText()
        return t.getText(0, t.characterCount)
    except Exception:
        return acc.name or ""


def states(acc):
    import pyatspi
    s = acc.getState()
    return {pyatspi.stateToString(st) for st in s.getStates()}


def do_action(acc, *names):
    """Runs the accessible action a person's click would: the first of names it offers."""
    action = acc.queryAction()
    offered = [action.getName(i) for i in range(action.nActions)]
    for wanted in names or ("Press", "press", "click", "Toggle", "toggle"):
        if wanted in offered:
            action.doAction(offered.index(wanted))
            return
    raise ScenarioFailure(f"{acc.name!r} offers no action among {names}: {offered}")


def dump(acc, depth=0, out=None, max_depth=30):
    """The accessible tree as text, for a failing scenario's report."""
    out = out if out is not None else []
    try:
        out.append("  " * depth + f"[{_role_name(acc)}] {acc.name!r} {acc.description!r} "
                   f"{extents(acc) if depth else ''}")
        if depth < max_depth:
            for i in range(acc.childCount):
                dump(acc.getChildAtIndex(i), depth + 1, out, max_depth)
    except Exception as e:
        out.append("  " * depth + f"<{e!r}>")
    return out


def _stop(p):
    """Ends a child and whatever it started in its session, by its process id."""
    if p.poll() is not None:
        return
    for sig, wait in ((signal.SIGTERM, 3), (signal.SIGKILL, 5)):
        try:
            os.killpg(p.pid, sig)
        except ProcessLookupError:
            return
        try:
            p.wait(wait)
            # Children of its group (the accessibility bus of the launcher) go with the group.
            try:
                os.killpg(p.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            return
        except subprocess.TimeoutExpired:
            continue


def main(scenarios, timeout=240):
    """Runs the scenario named on the command line: scenarios maps names to functions."""
    if len(sys.argv) != 2 or sys.argv[1] not in scenarios:
        print(f"usage: {sys.argv[0]} {{{','.join(scenarios)}}}", file=sys.stderr)
        return 2
    name = sys.argv[1]
    journey = os.path.splitext(os.path.basename(sys.argv[0]))[0]
    sessions = []

    def on_alarm(signum, frame):
        raise ScenarioFailure(f"scenario ran past {timeout} s")
    signal.signal(signal.SIGALRM, on_alarm)
    signal.signal(signal.SIGTERM, lambda s, f: (_ for _ in ()).throw(ScenarioFailure("terminated")))
    signal.alarm(timeout)
    started = time.monotonic()
    folder = None
    try:
        def session(**kwargs):
            s = Session(f"{journey}.{name}", **kwargs)
            sessions.append(s)
            return s
        scenarios[name](session)
    except BaseException as e:
        signal.alarm(0)
        print(f"FAIL {journey}.{name}: {e}", flush=True)
        if not isinstance(e, ScenarioFailure):
            traceback.print_exc()
        for s in sessions:
            s.stop_all()
            print(f"kept: {s.folder}")
            for shot in sorted(os.listdir(s.shot_dir)):
                print(f"  screenshot {os.path.join(s.shot_dir, shot)}")
        return 1
    signal.alarm(0)
    for s in sessions:
        s.stop_all()
        folder = s.folder
        if not os.environ.get("ORVANE_DESKTOP_KEEP"):
            shutil.rmtree(s.folder, ignore_errors=True)
    print(f"PASS {journey}.{name} in {time.monotonic() - started:.1f} s"
          + (f" ({folder} kept)" if folder and os.path.isdir(folder) else ""))
    return 0


# --- the reader's own widgets ---------------------------------------------------------------

def bibtool(*args):
    """The command-line companion answers what the text says (expected verses, counts)."""
    tool = os.environ.get("ORVANE_BIBTOOL")
    check(tool and os.path.isfile(tool), f"ORVANE_BIBTOOL does not name bibtool: {tool!r}")
    return subprocess.run([tool, *args], capture_output=True, timeout=30,
                          check=True).stdout.decode()


def verse_text(line):
    return bibtool("verse", str(line)).rstrip("\n")


def chapter_box(s):
    """The chapter number box above the book tree."""
    return s.find("text", description="输入章号，按回车", what="the chapter number box")


def chapter_number(s):
    return text_of(chapter_box(s)).strip()


def selected_book(s):
    import pyatspi
    tree = s.find("tree", what="the book tree")
    for cell in find_all(tree, "table cell", showing=False):
        if cell.getState().contains(pyatspi.STATE_SELECTED):
            return cell.name
    return None


def wait_place(s, book, chapter, timeout=5):
    """Waits until the tree and the chapter box show book and chapter."""
    return wait_for(f"{book} {chapter} to be shown",
                    lambda: selected_book(s) == book and chapter_number(s) == str(chapter),
                    timeout=timeout)


def button(s, hint, role="push button"):
    """A tool button, found by its hint (the accessible description)."""
    return s.find(role, description=hint, what=f"the button {hint}")


def press(s, hint, role="push button"):
    do_action(button(s, hint, role), "Press", "Toggle")


def menu_path(s, *captions):
    """Chooses a menu item through the menus, as a person does: each level by its action."""
    item = None
    root = None
    for i, caption in enumerate(captions):
        item = s.find("menu item", name=caption, showing=False, root=root,
                      what=f"the menu item {caption}")
        if i + 1 < len(captions):
            root = item
    do_action(item, "Press", "Toggle", "Click", "click")


def copied_verse(s):
    """What Ctrl+C on the reading grid puts on the clipboard (the current verse as pure text)."""
    s.clear_clipboard()
    s.key("ctrl+c")
    return wait_for("Ctrl+C to fill the clipboard",
                    lambda: (lambda t: t if t and t != "\x01" else None)(s.clipboard()), timeout=5)


def main_grid_rect(s):
    """Screen rectangle of the chapter grid's viewport: the filler above the tool bar."""
    bar = s.find("tool bar", what="the chapter tool bar")
    x, y, w, h = extents(bar)
    grid = [a for a in find_all(s.accessible_app(), "filler")
            if (lambda e: e[1] + e[3] <= y and e[1] + e[3] >= y - 40 and e[0] == x and e[2] > 300
                and e[3] > 100)(extents(a))]
    check(grid, "the chapter grid was not found above its tool bar")
    return extents(grid[-1])


def grid_row_y(s, row, row_height=24):
    """The middle of a grid row on screen: row 0 is the header (20 px), verses follow."""
    gx, gy, gw, gh = main_grid_rect(s)
    return gy + 20 + (row - 1) * row_height + row_height // 2


BALL_DIGIT = (0, 128, 128)


def find_balls(s, rect):
    """Centres of the marker balls drawn in a screen rectangle (their digits are teal)."""
    x, y, w, h = rect
    px = s.pixels(x, y, w, h)
    points = [(i, j) for j in range(h) for i in range(w) if px[j][i] == BALL_DIGIT]
    clusters = []
    for i, j in points:
        for c in clusters:
            if abs(c[0] - i) <= 10 and abs(c[1] - j) <= 10:
                c[2].append((i, j))
                break
        else:
            clusters.append([i, j, [(i, j)]])
    centres = []
    for c in clusters:
        xs = [p[0] for p in c[2]]
        ys = [p[1] for p in c[2]]
        centres.append((x + (min(xs) + max(xs)) // 2, y + (min(ys) + max(ys)) // 2))
    return sorted(centres, key=lambda p: (p[1], p[0]))


def tooltip(s, timeout=5):
    """The tool-tip window on screen and its text."""
    tip = s.find("tool tip", timeout=timeout, what="a tool-tip")
    return tip


def tooltip_text(s):
    tips = find_all(s.accessible_app(), "tool tip")
    return "\n".join(text_of(t) or t.name or "" for t in tips) if tips else None


def click_tree_book(s, name):
    tree = s.find("tree", what="the book tree")
    cell = [c for c in find_all(tree, "table cell") if c.name == name]
    check(cell, f"{name} is not in the book tree")
    s.click_center(cell[0])


def click_verse(s, row, button=1):
    """A click on the text of a verse row of the chapter grid, right of its balls."""
    gx, gy, gw, gh = main_grid_rect(s)
    s.click(gx + 52 + 120, grid_row_y(s, row), button)
    time.sleep(0.2)


def key_box(s):
    """The search key box of the find panel, once the panel is shown."""
    return wait_for("the search key box", lambda: next(
        (c for c in find_all(s.accessible_app(), "combo box") if c.getState().contains(
            __import__("pyatspi").STATE_SHOWING)), None), timeout=5)


def expect_copy(s, want, message, timeout=4):
    """Ctrl+C on the grid gives want, once the chapter load (250 ms after a change) is done."""
    got = [None]

    def probe():
        got[0] = copied_verse(s)
        return got[0] == want
    try:
        wait_for(message, probe, timeout=timeout, interval=0.3)
    except ScenarioFailure:
        raise ScenarioFailure(f"{message}: Ctrl+C copied {got[0]!r}, expected {want!r}")
