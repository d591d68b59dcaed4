# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
"""A private desktop for driving the real kaltrix: its own X server, window manager, D-Bus session with the
accessibility bus, config, runtime and home folders, and a browser that only records the addresses it gets.

Everything started here carries a marker in its environment, so that whatever is left at the end (also
processes that D-Bus activated or that kaltrix handed addresses to) is found and ended by its process id.
Every wait is bounded."""

import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time

MARKER = "KALTRIX_E2E_SESSION"


class Failure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(condition, timeout, what, interval=0.1):
    """Polls condition until it gives something true and returns that; raises Failure after timeout."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = condition()
            if value:
                return value
        except Exception as error:  # a window may vanish between two calls over the bus
            last_error = error
        if time.monotonic() >= deadline:
            detail = f" (last error: {last_error})" if last_error else ""
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}{detail}")
        time.sleep(interval)


def _read_fd_line(fd, timeout):
    deadline = time.monotonic() + timeout
    data = b""
    while not data.endswith(b"\n"):
        remaining = deadline - time.monotonic()
        if remaining <= 0:
            raise Failure("a helper did not report its address in time")
        ready, _, _ = select.select([fd], [], [], remaining)
        if not ready:
            continue
        chunk = os.read(fd, 4096)
        if not chunk:
            break
        data += chunk
    return data.decode().strip()


class Session:
    """The private desktop. Use as a context manager; slow multiplies every wait (sanitizer builds). A panel
    of that many pixels takes the top of the screen; without accessible, the bus is not read."""

    def __init__(self, recorder, slow=1.0, screen="1280x1024x24", panel=0, accessible=True):
        self.slow = slow
        self.screen = screen
        self.panel = panel
        self.accessible = accessible
        self.root = tempfile.mkdtemp(prefix="kaltrix-e2e-")
        self.config = self._folder("config")
        self.runtime = self._folder("runtime")
        os.chmod(self.runtime, 0o700)
        self.home = self._folder("home")
        # A folder of desktop entries that names no handler for web addresses.
        self.no_handlers = self._folder("no-handlers")
        # Copied, so that it runs whatever the checkout did to its file mode.
        self.recorder = os.path.join(self.root, "browser-recorder")
        shutil.copy(recorder, self.recorder)
        os.chmod(self.recorder, 0o755)
        self.helpers = []
        self.window_manager = None
        self.env = {}
        self.tree = None

    def _folder(self, name):
        path = os.path.join(self.root, name)
        os.makedirs(path)
        return path

    def timeout(self, seconds):
        return seconds * self.slow

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
        env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "LANG": "C.UTF-8",
            "HOME": self.home,
            "XDG_CONFIG_HOME": self.config,
            "XDG_RUNTIME_DIR": self.runtime,
            "XDG_CACHE_HOME": self._folder("cache"),
            "XDG_DATA_HOME": self._folder("data"),
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            MARKER: self.root,
        }
        for name in ("TZ", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"):
            if name in os.environ:
                env[name] = os.environ[name]
        self.env = env

        read_end, write_end = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen, "-nolisten", "tcp",
                     "-noreset"], pass_fds=(write_end,), log="xvfb.log")
        os.close(write_end)
        display = _read_fd_line(read_end, self.timeout(20))
        os.close(read_end)
        check(display.isdigit(), f"Xvfb gave no display number ({display!r})")
        env["DISPLAY"] = ":" + display

        read_end, write_end = os.pipe()
        self._spawn(["dbus-daemon", "--session", "--nofork", "--nopidfile", f"--print-address={write_end}"],
                    pass_fds=(write_end,), log="dbus.log")
        os.close(write_end)
        env["DBUS_SESSION_BUS_ADDRESS"] = _read_fd_line(read_end, self.timeout(20))
        os.close(read_end)

        openbox = ["openbox", "--sm-disable"]
        if self.panel:
            # The window manager keeps the strip free, as a desktop's panel does, and leaves it out of the
            # work area it announces.
            rc = os.path.join(self.root, "openbox-rc.xml")
            with open(rc, "w") as f:
                f.write('<openbox_config xmlns="http://openbox.org/3.4/rc">'
                        f"<margins><top>{self.panel}</top></margins></openbox_config>\n")
            openbox += ["--config-file", rc]
        self.window_manager = self._spawn(openbox, log="openbox.log")
        # The current desktop is announced by the window manager once it manages the screen.
        wait_for(lambda: self.xdotool("get_desktop", check_rc=False) is not None, self.timeout(20),
                 "the window manager")

        if not self.accessible:
            return
        # The accessibility library reads the session bus from the environment when it first connects.
        os.environ.update({k: v for k, v in env.items() if k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                                                                 "XDG_RUNTIME_DIR")})
        import gi

        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi

        self.atspi = Atspi
        Atspi.init()
        # A slow program must not look like a vanished window.
        Atspi.set_timeout(int(10000 * self.slow), int(30000 * self.slow))
        self.tree = Tree(Atspi)

    def _spawn(self, argv, log, pass_fds=(), extra_env=None):
        env = dict(self.env)
        for name, value in (extra_env or {}).items():  # None takes a variable away
            if value is None:
                env.pop(name, None)
            else:
                env[name] = value
        with open(os.path.join(self.root, log), "ab") as out:
            proc = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=out,
                                    pass_fds=pass_fds, start_new_session=True)
        self.helpers.append(proc)
        return proc

    def key(self, *keys):
        """Presses keys on the focused window with real key events, as xdotool names them (alt+t, Return)."""
        for name in keys:
            self.xdotool("key", "--clearmodifiers", name)
            time.sleep(0.05 * self.slow)

    def type(self, text):
        """Types text. A character the keyboard map lacks (the ë of Zoë) is bound to a spare key only for its
        press and unbound half the delay later: a busy program that reads the key after that gets nothing,
        so such a character gets a long delay of its own."""
        for run in re.findall(r"[ -~]+|[^ -~]", text):
            self.xdotool("type", "--delay", "40" if run.isascii() else str(int(400 * self.slow)), run)

    def keyboard(self, layout, *options):
        """Switches the keyboard to a layout (setxkbmap's arguments; options not given are cleared)."""
        subprocess.run(["setxkbmap", "-option", "", layout, *options], env=self.env, check=True,
                       timeout=self.timeout(15))

    def click(self, node):
        x, y = self.tree.centre(node)
        # Not --sync: it waits for a movement that never comes when the pointer is already there.
        self.xdotool("mousemove", str(x), str(y), "sleep", "0.1", "click", "1")

    def xdotool(self, *args, check_rc=True):
        """Runs xdotool on the private display; gives its output, or None when it failed and check_rc is off."""
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True,
                                timeout=self.timeout(15))
        if result.returncode != 0:
            if check_rc:
                raise Failure(f"xdotool {' '.join(args)} failed: {result.stderr.strip()}")
            return None
        return result.stdout.strip()

    def window_report(self, pid):
        """What the server and the window manager hold of a process's windows, mapped or not: for a window
        that never becomes active."""
        lines = [f"window manager running: {self.window_manager.poll() is None}"]
        for wid in (self.xdotool("search", "--pid", str(pid), check_rc=False) or "").split():
            said = "".join(subprocess.run(argv, env=self.env, capture_output=True, text=True,
                                          timeout=self.timeout(15)).stdout
                           for argv in (["xwininfo", "-id", wid], ["xprop", "-id", wid, "WM_STATE", "_NET_WM_STATE"]))
            lines.append(wid + ": " + "; ".join(line.strip() for line in said.splitlines()
                                                 if "Map State" in line or line.startswith(("WM_STATE", "_NET"))))
        return "".join("\n    " + line for line in lines)

    def close(self):
        for proc in self.helpers:
            _end(proc)
        for pid in marked_processes(self.root):
            _kill(pid)
        # Let the killed ones go before their folders do.
        deadline = time.monotonic() + 5
        while marked_processes(self.root) and time.monotonic() < deadline:
            time.sleep(0.1)
        for path, _, _ in os.walk(self.root):
            os.chmod(path, 0o700)
        shutil.rmtree(self.root, ignore_errors=True)


def marked_processes(root):
    """Ids of the processes whose environment carries this session's marker."""
    needle = f"{MARKER}={root}".encode() + b"\0"
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit() or int(entry) == os.getpid():
            continue
        try:
            with open(f"/proc/{entry}/environ", "rb") as f:
                if needle in f.read() + b"\0":
                    found.append(int(entry))
        except OSError:
            continue
    return found


def _kill(pid):
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass


def _end(proc):
    if proc.poll() is not None:
        return
    try:
        os.killpg(proc.pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    try:
        proc.wait(timeout=3)
    except subprocess.TimeoutExpired:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        proc.wait(timeout=5)


class Tree:
    """Reads windows and controls over the accessibility bus, as a screen reader does."""

    def __init__(self, atspi):
        self.atspi = atspi

    def applications(self):
        """The accessible applications by process id."""
        desktop = self.atspi.get_desktop(0)
        found = {}
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is None:
                continue
            # Read fresh every time: a cached name or state would hide what the program just did.
            app.set_cache_mask(self.atspi.Cache.NONE)
            found[app.get_process_id()] = app
        return found

    def showing(self, node):
        return node.get_state_set().contains(self.atspi.StateType.SHOWING)

    def has_state(self, node, state):
        return node.get_state_set().contains(getattr(self.atspi.StateType, state.upper()))

    def children(self, node):
        kids = (node.get_child_at_index(i) for i in range(node.get_child_count()))
        return [kid for kid in kids if kid is not None]

    def windows(self, app):
        """The top-level windows of an application that are on screen."""
        return [w for w in self.children(app) if self.showing(w)]

    def find_all(self, root, role=None, name=None):
        """Showing descendants of root with that role and name (either may be left open), in tree order."""
        found = []
        stack = list(reversed(self.children(root)))
        while stack:
            node = stack.pop()
            if not self.showing(node):
                continue  # hidden pages and closed menus cannot be seen, nor reached
            if (role is None or node.get_role_name() == role) and (name is None or node.get_name() == name):
                found.append(node)
            stack.extend(reversed(self.children(node)))
        return found

    def find(self, root, role=None, name=None):
        """The one showing descendant with that role and name; fails when there is none or more than one."""
        found = self.find_all(root, role, name)
        check(len(found) == 1, f"expected one {role or 'control'} {name!r}, found {len(found)}")
        return found[0]

    def text(self, node):
        return self.atspi.Text.get_text(node, 0, self.atspi.Text.get_character_count(node))

    def centre(self, node):
        rect = self.atspi.Component.get_extents(node, self.atspi.CoordType.SCREEN)
        check(rect.width > 0 and rect.height > 0, f"{node.get_name()!r} has no area on screen")
        return rect.x + rect.width // 2, rect.y + rect.height // 2


class Kaltrix:
    """One started kaltrix process, seen through the accessibility tree."""

    def __init__(self, session, binary, name, extra_env=None, wrapper=()):
        self.session = session
        self.tree = session.tree
        self.name = name
        self.log = os.path.join(session.root, name + ".log")
        self.proc = session._spawn([*wrapper, binary], log=name + ".log", extra_env=extra_env)

    @property
    def pid(self):
        return self.proc.pid

    def app(self):
        return self.tree.applications().get(self.pid)

    def windows(self):
        """(role, title, node) of every window of this process on screen; empty before it is accessible."""
        app = self.app()
        if app is None:
            return []
        return [(w.get_role_name(), w.get_name(), w) for w in self.tree.windows(app)]

    def wait_window(self, title, contains=None, role=None, timeout=20):
        """The one window on screen with that title (and holding a control named contains)."""
        def match():
            found = []
            for kind, name, node in self.windows():
                if name != title or (role and kind != role):
                    continue
                if contains is None or self.tree.find_all(node, name=contains):
                    found.append(node)
            return found[0] if len(found) == 1 else None
        return wait_for(match, self.session.timeout(timeout), f"{self.name}: window {title!r} with {contains!r}")

    def running(self):
        return self.proc.poll() is None

    def exit_code(self, timeout=20):
        try:
            return self.proc.wait(timeout=self.session.timeout(timeout))
        except subprocess.TimeoutExpired:
            raise Failure(f"{self.name} did not end within {self.session.timeout(timeout):.0f} s") from None

    def x_windows(self):
        """The mapped X windows of this process."""
        out = self.session.xdotool("search", "--onlyvisible", "--pid", str(self.pid), check_rc=False)
        return out.split() if out else []

    def has_keyboard(self, window):
        """True when this window is active both for the program and for the window manager: with many
        programs starting at once, the program may still believe in a focus the window manager already gave
        to a newer window, and keys go where the window manager says."""
        if not self.tree.has_state(window, "active"):
            return False
        out = self.session.xdotool("getactivewindow", "getwindowpid", check_rc=False)
        return out is not None and out.strip() == str(self.pid)

    def activate(self, window):
        """Gives the keyboard to this window: through the window manager, as a task bar would, and where that
        is not enough, by a click on an empty spot at the window's lower left edge, as a person would."""
        if self.has_keyboard(window):
            return
        x, y = self.tree.centre(window)
        for wid in self.x_windows():
            geometry = dict(line.split("=", 1) for line in
                            self.session.xdotool("getwindowgeometry", "--shell", wid).splitlines())
            left, top = int(geometry["X"]), int(geometry["Y"])
            if left <= x < left + int(geometry["WIDTH"]) and top <= y < top + int(geometry["HEIGHT"]):
                self.session.xdotool("windowactivate", "--sync", wid, check_rc=False)
                break
        try:
            wait_for(lambda: self.has_keyboard(window), self.session.timeout(2), "activation")
            return
        except Failure:
            pass
        rect = self.tree.atspi.Component.get_extents(window, self.tree.atspi.CoordType.SCREEN)
        self.session.xdotool("mousemove", str(rect.x + 2), str(rect.y + rect.height - 3), "sleep", "0.1",
                             "click", "1")
        try:
            wait_for(lambda: self.has_keyboard(window), self.session.timeout(10),
                     f"{self.name}: window {window.get_name()!r} to become active")
        except Failure as failure:
            active = self.session.xdotool("getactivewindow", check_rc=False)
            owner = self.session.xdotool("getactivewindow", "getwindowpid", check_rc=False)
            raise Failure(f"{failure}; active for the program: {self.tree.has_state(window, 'active')}, for "
                          f"the window manager: {active} of process {owner}; ours: {self.x_windows()}"
                          f"{self.session.window_report(self.pid)}") from None

    def kill(self):
        _end(self.proc)
