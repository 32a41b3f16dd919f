"""Whole-program test support: a private X server, a private session bus with the
accessibility bus on it, the player started from a copy of a project, and helpers that
find widgets on the accessibility bus, press and click them, send keys and read pixels
from screenshots.

Every process started here is ended by its id when the session closes, also on failure.
"""

import contextlib
import ctypes
import ctypes.util
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77  # CTest's SKIP_RETURN_CODE for these tests


class Skip(Exception):
    """The test cannot run here; the reason is printed and the test reports a skip."""


class Failure(AssertionError):
    pass


def log(*args):
    print("[e2e %6.2f]" % (time.monotonic() - _T0), *args, flush=True)


_T0 = time.monotonic()


def poll(what, probe, timeout=15.0, interval=0.1):
    """Calls probe until it returns something true and returns that; fails after timeout."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = probe()
            if value:
                return value
        except Failure:
            raise
        except Exception as e:  # the bus or a widget may be in the middle of a change
            last_error = e
        if time.monotonic() > deadline:
            detail = " (last error: %r)" % (last_error,) if last_error else ""
            raise Failure("timed out after %.0f s waiting for %s%s" % (timeout, what, detail))
        time.sleep(interval)


def _kill_group(proc, name):
    """Ends a process we started (in its own session) and everything it started."""
    if proc is None:
        return
    if proc.poll() is None:
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(proc.pid, sig)
            except ProcessLookupError:
                break
            try:
                proc.wait(timeout=3)
                break
            except subprocess.TimeoutExpired:
                continue
    else:
        # The leader is gone; children it left in its group still go.
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except (ProcessLookupError, PermissionError):
            pass


# --- pixels ---------------------------------------------------------------------------

class Screenshot:
    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise Failure("pixel (%d,%d) outside the %dx%d screen" % (x, y, self.width, self.height))
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])


def parse_ppm(blob):
    """Reads a binary PPM (P6, maxval 255) as ImageMagick writes it."""
    fields = []
    pos = 0
    while len(fields) < 4:
        while blob[pos:pos + 1].isspace():
            pos += 1
        if blob[pos:pos + 1] == b"#":
            pos = blob.index(b"\n", pos) + 1
            continue
        end = pos
        while not blob[end:end + 1].isspace():
            end += 1
        fields.append(blob[pos:end])
        pos = end
    pos += 1  # one white-space byte before the samples
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise Failure("unexpected screenshot format %r" % (fields,))
    w, h = int(fields[1]), int(fields[2])
    data = blob[pos:pos + w * h * 3]
    if len(data) != w * h * 3:
        raise Failure("short screenshot: %d bytes for %dx%d" % (len(data), w, h))
    return Screenshot(w, h, data)


def near(colour, target, tolerance):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, target))


def hex_colour(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


# --- the session ------------------------------------------------------------------------

class Session:
    """A private X server and session bus; start the player with start_player()."""

    def __init__(self, screen="1024x768", audio="dummy", audio_file=None):
        self.screen = screen
        self.audio = audio
        self.audio_file = audio_file
        self.tmp = None
        self.xvfb = None
        self.wm = None
        self.bus = None
        self.player = None
        self.player_log = None
        self.display = None
        self.env = None
        self._pyatspi = None
        self._window_cache = {}

    # context manager: cleanup always runs
    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def _start(self):
        self.tmp = tempfile.mkdtemp(prefix="qm-e2e-")
        runtime = os.path.join(self.tmp, "runtime")
        config = os.path.join(self.tmp, "config")
        os.mkdir(runtime, 0o700)
        os.mkdir(config)
        self._start_xvfb()
        env = dict(os.environ)
        for key in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY",
                    "SESSION_MANAGER", "XAUTHORITY"):
            env.pop(key, None)
        env.update({
            "DISPLAY": ":%d" % self.display,
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": config,
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_ACCESSIBILITY": "1",
            "NO_AT_BRIDGE": "0",
            "SDL_AUDIODRIVER": self.audio,
        })
        if self.audio_file:
            env["SDL_DISKAUDIOFILE"] = self.audio_file
        self._start_bus(env)
        self.env = env
        self._start_window_manager(env)
        # The driver talks to the same buses as the player.
        os.environ.update({k: env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                                               "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME")})
        for key in ("AT_SPI_BUS_ADDRESS",):
            os.environ.pop(key, None)

    def _start_xvfb(self):
        # Xvfb picks a free display number itself (-displayfd) and tells us which once it
        # accepts connections: no race with other servers starting at the same time.
        log_path = os.path.join(self.tmp, "xvfb.log")
        read_end, write_end = os.pipe()
        try:
            proc = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen + "x24",
                 "-nolisten", "tcp", "-noreset", "+extension", "RANDR"],
                stdout=subprocess.DEVNULL, stderr=open(log_path, "wb"), pass_fds=(write_end,),
                start_new_session=True)
        finally:
            os.close(write_end)
        self.xvfb = proc
        with os.fdopen(read_end, "rb") as pipe:
            number = pipe.readline().strip()  # EOF if Xvfb fails
        if not number.isdigit():
            raise Skip("Xvfb did not start (see %s)" % log_path)
        self.display = int(number)
        log("Xvfb :%d %s (pid %d)" % (self.display, self.screen, proc.pid))

    def _start_window_manager(self, env):
        # Windows are placed, decorated and stacked as on a desktop: a window that covers
        # another, or one placed off the screen, shows here as it would there.
        if shutil.which("openbox") is None:
            raise Failure("openbox is not installed (scripts/install-deps.sh installs it)")
        log_path = os.path.join(self.tmp, "openbox.log")
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=env,
                                   stdout=subprocess.DEVNULL, stderr=open(log_path, "wb"),
                                   start_new_session=True)

        def managing():
            probe = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env,
                                   capture_output=True, text=True)
            return "window id" in probe.stdout
        poll("the window manager", managing)
        log("openbox (pid %d)" % self.wm.pid)

    def _start_bus(self, env):
        proc = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env, start_new_session=True)
        self.bus = proc
        address = proc.stdout.readline().decode().strip()
        if not address:
            raise Failure("the session bus did not start")
        env["DBUS_SESSION_BUS_ADDRESS"] = address
        subprocess.check_call(["dbus-update-activation-environment", "DISPLAY",
                               "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME"], env=env)
        log("session bus %s (pid %d)" % (address, proc.pid))

    def close(self):
        if self._pyatspi is not None:
            self._window_cache.clear()
        _kill_group(self.player, "player")
        if self.player_log:
            self.player_log.close()
        _kill_group(self.wm, "openbox")
        _kill_group(self.bus, "dbus-daemon")
        _kill_group(self.xvfb, "Xvfb")
        if self.player is not None:
            self._dump_player_log()
        if self.tmp and os.environ.get("QM_E2E_KEEP") != "1":
            shutil.rmtree(self.tmp, ignore_errors=True)

    def _dump_player_log(self):
        path = os.path.join(self.tmp, "player.log")
        try:
            with open(path, "rb") as f:
                text = f.read().decode(errors="replace").strip()
        except OSError:
            return
        if text:
            lines = text.splitlines()
            print("--- player output (last 40 lines) ---")
            print("\n".join(lines[-40:]))
            print("---")

    # --- the player

    def copy_project(self, demo):
        """Copies the project into the temporary folder; returns the copy's path."""
        project = os.path.join(self.tmp, os.path.basename(os.path.normpath(demo)))
        shutil.copytree(demo, project)
        return project

    def start_player(self, run, project, args=None):
        """Starts a copy of `run` placed in the project's folder, so that it finds its project
        there. Returns the Popen."""
        exe = os.path.join(project, "run")
        shutil.copy2(run, exe)
        self.player_log = open(os.path.join(self.tmp, "player.log"), "wb")
        self.player = subprocess.Popen([exe] + list(args or []), cwd=project, env=self.env,
                                       stdout=self.player_log, stderr=subprocess.STDOUT,
                                       start_new_session=True)
        log("player started (pid %d)" % self.player.pid)
        return self.player

    def start_command(self, argv, cwd, env=None):
        """Starts the player through another program (a launcher, a start script) in `cwd`,
        with the session's environment changed by `env` (a value of None removes the variable).
        Returns the Popen."""
        run_env = dict(self.env)
        for key, value in (env or {}).items():
            if value is None:
                run_env.pop(key, None)
            else:
                run_env[key] = value
        self.player_log = open(os.path.join(self.tmp, "player.log"), "wb")
        self.player = subprocess.Popen(list(argv), cwd=cwd, env=run_env, stdout=self.player_log,
                                       stderr=subprocess.STDOUT, start_new_session=True)
        log("%s started (pid %d)" % (os.path.basename(argv[0]), self.player.pid))
        return self.player

    def start_editor(self, folder, project=None):
        """Starts `quillmoor` from the installation folder `folder` (opening `project` when
        given) and waits for it on the accessibility bus. Returns the Popen."""
        argv = [os.path.join(folder, "quillmoor")] + ([project] if project else [])
        self.start_command(argv, self.tmp)
        self.application()
        return self.player

    def modal_click(self, name, role="push button", root=None):
        """Buttons that open a modal dialog answer AT-SPI only once it closes: click them
        instead."""
        self.click(self.find(name, role, timeout=15, root=root))

    def choose_file(self, path):
        """The file dialog that is open: the path typed in its file name box, then Open."""
        def file_name_box():
            boxes = [t for t in self.find_all(role="text")
                     if "file name" in (t.name or "").lower()]
            return boxes[0] if boxes else None
        try:
            box = poll("the file dialog", file_name_box, 15)
        except Failure:
            windows = self.x("xdotool", "search", "--name", ".", output=True, check=False)
            names = [self.x("xdotool", "getwindowname", w, output=True, check=False).strip()
                     for w in windows.split()]
            raise Failure("no file name box in the file dialog (windows: %r):\n%s"
                          % (names, self.describe()))
        self.set_text(box, path)
        self.press("Open", "push button")
        poll("the file dialog closed", lambda: file_name_box() is None, 15)

    def new_project(self, name, title):
        """In the editor's start panel: "New Project" named `name`, OK on the question, the
        software title `title`, OK; returns once the project panel shows."""
        self.modal_click("New Project")
        self.set_text(self.find("Project name", "text", timeout=15), name)
        self.press("OK", "push button")
        alert = self.find(role="alert", timeout=15)
        self.do_action(self.find("OK", "push button", root=alert), "Press")
        self.set_text(self.find("Software Title", "text", timeout=15), title)
        self.press("OK", "push button")
        self.find("Run Project (Start)", "push button", timeout=15)

    def wait_player_exit(self, timeout=15):
        try:
            return self.player.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure("the player did not end within %d s" % timeout)

    def check_player_running(self):
        if self.player is not None and self.player.poll() is not None:
            raise Failure("the player ended unexpectedly with status %d" % self.player.returncode)

    # --- X helpers

    def x(self, *args, check=True, output=False):
        cmd = [str(a) for a in args]
        if output:
            return subprocess.run(cmd, env=self.env, check=check, stdout=subprocess.PIPE,
                                  stderr=subprocess.PIPE, timeout=20).stdout.decode()
        return subprocess.run(cmd, env=self.env, check=check, stdout=subprocess.DEVNULL,
                              stderr=subprocess.PIPE, timeout=20)

    def screenshot(self):
        blob = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env,
                              check=True, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              timeout=20).stdout
        return parse_ppm(blob)

    def screen_size(self):
        for line in self.x("xdpyinfo", output=True).splitlines():
            line = line.strip()
            if line.startswith("dimensions:"):
                w, h = line.split()[1].split("x")
                return int(w), int(h)
        raise Failure("xdpyinfo gave no screen size")

    def move_to(self, x, y):
        # "mousemove --sync" to where the pointer already is waits for a move that never comes.
        out = self.x("xdotool", "getmouselocation", "--shell", output=True)
        at = dict(l.split("=", 1) for l in out.splitlines() if "=" in l)
        if (at.get("X"), at.get("Y")) != (str(int(x)), str(int(y))):
            self.x("xdotool", "mousemove", "--sync", int(x), int(y))

    def click_at(self, x, y, button=1):
        self.move_to(x, y)
        self.x("xdotool", "click", button)

    def window_at(self, x, y):
        """The top-level X window under the point."""
        self.move_to(x, y)
        out = self.x("xdotool", "getmouselocation", "--shell", output=True)
        for line in out.splitlines():
            if line.startswith("WINDOW=") and int(line.split("=", 1)[1]):
                return int(line.split("=", 1)[1])
        # xdotool names no window when the one under the pointer holds native child windows
        # (a video's, the menu bar's): take the player's shown top-level window there.
        if self.player is not None:
            found = self.x("xdotool", "search", "--onlyvisible", "--maxdepth", "1", "--pid",
                           self.player.pid, check=False, output=True)
            for win in found.split():
                geometry = self.x("xdotool", "getwindowgeometry", "--shell", win, check=False,
                                  output=True)
                g = dict(l.split("=", 1) for l in geometry.splitlines() if "=" in l)
                try:
                    gx, gy, gw, gh = (int(g[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
                except (KeyError, ValueError):
                    continue
                if gx <= x < gx + gw and gy <= y < gy + gh:
                    return int(win)
        raise Failure("no window under (%d,%d)" % (x, y))

    def client_window(self, win):
        """The application's window inside `win` (the window manager's frame holds it)."""
        if "WM_STATE(WM_STATE)" in self.x("xprop", "-id", win, "WM_STATE", check=False,
                                          output=True):
            return win
        tree = self.x("xwininfo", "-children", "-id", win, check=False, output=True)
        for line in tree.splitlines():
            line = line.strip()
            if line.startswith("0x"):
                found = self.client_window(int(line.split()[0], 16))
                if found is not None:
                    return found
        return None

    def key(self, keysym, at):
        """Gives X focus to the window under `at` (x, y), then presses keysym."""
        win = self.window_at(*at)
        client = self.client_window(win) or win
        self.x("xdotool", "windowactivate", "--sync", client, check=False)
        self.x("xdotool", "windowfocus", "--sync", client)
        self.x("xdotool", "key", "--clearmodifiers", keysym)

    # --- accessibility

    @property
    def atspi(self):
        if self._pyatspi is None:
            import pyatspi  # after the buses exist: it connects on import
            self._pyatspi = pyatspi
        return self._pyatspi

    def application(self, timeout=20):
        """The player's application object on the accessibility bus."""
        pid = self.player.pid

        def probe():
            self.check_player_running()
            desktop = self.atspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is None:
                    continue
                try:
                    if app.get_process_id() == pid:
                        return app
                except Exception:
                    continue
            return None
        return poll("the player on the accessibility bus", probe, timeout)

    def _walk(self, node, depth=0):
        if node is None or depth > 40:
            return
        yield node
        try:
            count = node.childCount
        except Exception:
            return
        for i in range(count):
            try:
                child = node.getChildAtIndex(i)
            except Exception:
                continue
            yield from self._walk(child, depth + 1)

    def role_name(self, acc):
        return acc.getRoleName()

    def showing(self, acc):
        states = acc.getState()
        return states.contains(self.atspi.STATE_SHOWING) and states.contains(self.atspi.STATE_VISIBLE)

    def find_all(self, name=None, role=None, showing=True, root=None):
        found = []
        for node in self._walk(root or self.application()):
            try:
                if name is not None and node.name != name:
                    continue
                if role is not None and node.getRoleName() not in (
                        (role,) if isinstance(role, str) else role):
                    continue
                if showing and not self.showing(node):
                    continue
            except Exception:
                continue
            found.append(node)
        return found

    def find(self, name=None, role=None, showing=True, timeout=15, root=None):
        """Polls until a widget with this accessible name (and role) is on the bus."""
        what = "widget %r%s" % (name, " (%s)" % (role,) if role else "")

        def probe():
            self.check_player_running()
            hits = self.find_all(name, role, showing, root)
            return hits[0] if hits else None
        return poll(what, probe, timeout)

    def gone(self, name=None, role=None, timeout=15):
        def probe():
            self.check_player_running()
            return not self.find_all(name, role, True)
        poll("widget %r to go" % (name,), probe, timeout)

    def describe(self, root=None, limit=200):
        """The showing widgets as text, for failure messages."""
        lines = []
        for node in self._walk(root or self.application()):
            try:
                lines.append("%s %r%s" % (node.getRoleName(), node.name,
                                          "" if self.showing(node) else " (hidden)"))
            except Exception:
                continue
            if len(lines) >= limit:
                break
        return "\n".join(lines)

    def do_action(self, acc, action):
        act = acc.queryAction()
        names = [act.getName(i) for i in range(act.nActions)]
        for i, n in enumerate(names):
            if n.lower() == action.lower():
                act.doAction(i)
                return
        raise Failure("%r offers no action %r (it offers %r)" % (acc.name, action, names))

    def press(self, name, role=None, action="Press", timeout=15):
        acc = self.find(name, role, timeout=timeout)
        self.do_action(acc, action)
        return acc

    def extents(self, acc):
        e = acc.queryComponent().getExtents(self.atspi.DESKTOP_COORDS)
        return e.x, e.y, e.width, e.height

    def click(self, acc, button=1):
        x, y, w, h = self.extents(acc)
        if w <= 0 or h <= 0:
            raise Failure("%r has no size on screen (%d,%d %dx%d)" % (acc.name, x, y, w, h))
        self.click_at(x + w // 2, y + h // 2, button)

    def set_text(self, acc, text):
        acc.queryEditableText().setTextContents(text)

    def text_of(self, acc):
        t = acc.queryText()
        return t.getText(0, t.characterCount)


def editor_copy(session, editor, compiler):
    """A copy of the editor's installation folder `editor` in the session's temporary folder,
    whose setup compiler is the shell script `compiler`: the tests do not play setup programs."""
    folder = os.path.join(session.tmp, "Quillmoor")
    shutil.copytree(editor, folder, symlinks=True)
    script = os.path.join(folder, "Compiler", "Compil32.exe")
    with open(script, "w") as f:
        f.write(compiler)
    os.chmod(script, 0o700)
    return folder


def _interrupted(signum, frame):
    raise Failure("interrupted by signal %d (test took too long?)" % signum)


def main(test, limit=55):
    """Runs test() and turns its outcome into an exit status: 0 pass, 1 fail, SKIP skipped.
    After `limit` seconds the test fails, and its session still cleans up."""
    started = time.monotonic()
    signal.signal(signal.SIGALRM, _interrupted)
    signal.signal(signal.SIGTERM, _interrupted)
    signal.alarm(limit)
    try:
        test()
    except Skip as e:
        print("SKIPPED: %s" % e, flush=True)
        sys.exit(SKIP)
    except Failure as e:
        print("FAILED: %s" % e, flush=True)
        sys.exit(1)
    finally:
        signal.alarm(0)
    log("passed in %.1f s" % (time.monotonic() - started))
    sys.exit(0)


# --- display modes --------------------------------------------------------------------------

class _XRRModeInfo(ctypes.Structure):
    _fields_ = [("id", ctypes.c_ulong), ("width", ctypes.c_uint), ("height", ctypes.c_uint),
                ("dotClock", ctypes.c_ulong), ("hSyncStart", ctypes.c_uint),
                ("hSyncEnd", ctypes.c_uint), ("hTotal", ctypes.c_uint), ("hSkew", ctypes.c_uint),
                ("vSyncStart", ctypes.c_uint), ("vSyncEnd", ctypes.c_uint),
                ("vTotal", ctypes.c_uint), ("name", ctypes.c_char_p),
                ("nameLength", ctypes.c_uint), ("modeFlags", ctypes.c_ulong)]


class _XRRScreenResources(ctypes.Structure):
    _fields_ = [("timestamp", ctypes.c_ulong), ("configTimestamp", ctypes.c_ulong),
                ("ncrtc", ctypes.c_int), ("crtcs", ctypes.POINTER(ctypes.c_ulong)),
                ("noutput", ctypes.c_int), ("outputs", ctypes.POINTER(ctypes.c_ulong)),
                ("nmode", ctypes.c_int), ("modes", ctypes.POINTER(_XRRModeInfo))]


def _add_mode_with_libxrandr(display, name, timing, flags):
    """Creates the mode and adds it to every output in one X connection. (A mode made by one
    `xrandr --newmode` run is freed by the server when that client disconnects, before a
    second run can add it.)"""
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xrr = ctypes.CDLL(ctypes.util.find_library("Xrandr") or "libXrandr.so.2")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    xrr.XRRGetScreenResources.restype = ctypes.POINTER(_XRRScreenResources)
    xrr.XRRGetScreenResources.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xrr.XRRFreeScreenResources.argtypes = [ctypes.POINTER(_XRRScreenResources)]
    xrr.XRRCreateMode.restype = ctypes.c_ulong
    xrr.XRRCreateMode.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(_XRRModeInfo)]
    xrr.XRRAddOutputMode.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong]
    dpy = xlib.XOpenDisplay(display.encode())
    if not dpy:
        return False
    try:
        root = xlib.XDefaultRootWindow(dpy)
        res = xrr.XRRGetScreenResources(dpy, root)
        if not res:
            return False
        outputs = [res.contents.outputs[i] for i in range(res.contents.noutput)]
        xrr.XRRFreeScreenResources(res)
        clock, hd, hs, he, ht, vd, vs, ve, vt = timing
        raw = name.encode()
        info = _XRRModeInfo(0, hd, vd, int(clock * 1e6), hs, he, ht, 0, vs, ve, vt, raw,
                            len(raw), flags)
        mode = xrr.XRRCreateMode(dpy, root, ctypes.byref(info))
        if not mode:
            return False
        for output in outputs:
            xrr.XRRAddOutputMode(dpy, output, mode)
        xlib.XSync(dpy, 0)
        return bool(outputs)
    finally:
        xlib.XCloseDisplay(dpy)


def xrandr_outputs_and_modes(session):
    """{output name: [mode names]} of the connected outputs."""
    result, current = {}, None
    for line in session.x("xrandr", "--query", output=True).splitlines():
        if not line.startswith(" ") and " connected" in line:
            current = line.split()[0]
            result[current] = []
        elif line.startswith("   ") and current:
            result[current].append(line.split()[0])
    return result


def add_640x480(session):
    """Offers 640 x 480 on the X server's output(s); raises Skip when that is impossible.
    Returns the output name."""
    name = "640x480_60"
    timing = (25.18, 640, 656, 752, 800, 480, 490, 492, 525)
    outputs = xrandr_outputs_and_modes(session)
    if not outputs:
        raise Skip("the X server reports no XRandR output")
    output = next(iter(outputs))
    session.x("xrandr", "--newmode", name, *[str(v) for v in timing], "-hsync", "-vsync",
              check=False)
    session.x("xrandr", "--addmode", output, name, check=False)
    if name not in xrandr_outputs_and_modes(session).get(output, []):
        RR_HSyncNegative, RR_VSyncNegative = 0x2, 0x8
        try:
            _add_mode_with_libxrandr(":%d" % session.display, name, timing,
                                     RR_HSyncNegative | RR_VSyncNegative)
        except OSError as e:
            raise Skip("libXrandr is not usable here: %s" % e)
    if name not in xrandr_outputs_and_modes(session).get(output, []):
        raise Skip("this X server does not accept a 640 x 480 mode on output %s" % output)
    log("output %s offers %s" % (output, name))
    return output
