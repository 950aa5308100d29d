"""Drives Windows programs under Wine on an X display from outside, as a user
would: starts them, sees their windows appear, moves them and clicks on them."""

import contextlib
import os
import pathlib
import re
import signal
import subprocess
import sys
import threading
import time
from dataclasses import dataclass

REPO = pathlib.Path(__file__).resolve().parents[2]
WINE_RUN = REPO / "cmake" / "wine-run"
WITH_DISPLAY = REPO / "scripts" / "with-display"

# Wine's screen is 96 dots per inch unless the prefix says otherwise.
TWIPS_PER_PIXEL = 15

# A root property set and seen again tells that the watch is listening.
_PROBE = "_QUILLBY_WATCH_PROBE"


class Failure(Exception):
    pass


def wait_until(condition, timeout, what):
    """Polls condition until it gives something true; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"waited {timeout} s for {what}")
        time.sleep(0.05)


def _x(*command):
    return subprocess.run(command, capture_output=True, text=True, check=True).stdout


def on_a_display():
    """Runs this script anew under scripts/with-display when DISPLAY is unset, so
    that it runs on an Xvfb of its own, stopped when the script ends."""
    if not os.environ.get("DISPLAY"):
        os.execv(WITH_DISPLAY, [str(WITH_DISPLAY), sys.executable, *sys.argv])


@dataclass
class Mapped:
    seen: float  # time.monotonic() when the map was reported
    window: int
    pid: int | None
    name: str | None


def _owner_and_name(window):
    out = subprocess.run(["xprop", "-id", hex(window), "_NET_WM_PID", "WM_NAME"],
                         capture_output=True, text=True).stdout
    pid = re.search(r"_NET_WM_PID\(CARDINAL\) = (\d+)", out)
    name = re.search(r'WM_NAME\([A-Z_]+\) = "(.*)"', out)
    return (int(pid.group(1)) if pid else None), (name.group(1) if name else None)


class MapWatch:
    """Every top-level window mapped on the display while the watch runs, in order,
    with the moment it was reported: no polling, so no polling delay either."""

    def __init__(self):
        self._maps = []
        self._probed = False
        self._changed = threading.Condition()
        self._xev = subprocess.Popen(
            ["xev", "-root", "-event", "substructure", "-event", "property"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, bufsize=1)
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()

    def __enter__(self):
        try:
            wait_until(self._probe, 10, "xev to listen on the root window")
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *_):
        self.close()

    def close(self):
        subprocess.run(["xprop", "-root", "-remove", _PROBE], capture_output=True)
        self._xev.terminate()
        self._xev.wait()
        self._reader.join()

    def _probe(self):
        subprocess.run(["xprop", "-root", "-f", _PROBE, "8s", "-set", _PROBE, "1"],
                       capture_output=True)
        with self._changed:
            self._changed.wait_for(lambda: self._probed, timeout=0.2)
            return self._probed

    def _read(self):
        in_map = False
        for line in self._xev.stdout:
            seen = time.monotonic()
            if line.startswith("MapNotify event"):
                in_map = True
                continue
            if in_map:
                in_map = False
                found = re.search(r"event 0x[0-9a-f]+, window (0x[0-9a-f]+)", line)
                if found:
                    window = int(found.group(1), 16)
                    pid, name = _owner_and_name(window)
                    with self._changed:
                        self._maps.append(Mapped(seen, window, pid, name))
                        self._changed.notify_all()
            elif _PROBE in line:
                with self._changed:
                    self._probed = True
                    self._changed.notify_all()

    def mark(self):
        """A place in the record; maps_since(mark) gives what came after it."""
        with self._changed:
            return len(self._maps)

    def maps_since(self, mark):
        with self._changed:
            return list(self._maps[mark:])

    def wait_for(self, pid, accept, timeout, what, since=0):
        """The first window of process pid mapped after since whose name accept takes."""
        def found():
            return next((m for m in self._maps[since:] if m.pid == pid and accept(m.name)), None)

        with self._changed:
            if not self._changed.wait_for(found, timeout):
                raise Failure(f"waited {timeout} s for {what}")
            return found()


@dataclass
class Geometry:
    x: int
    y: int
    width: int
    height: int
    viewable: bool


def geometry(window):
    out = _x("xwininfo", "-id", hex(window))

    def field(label):
        return int(re.search(rf"{label}:\s+(-?\d+)", out).group(1))

    return Geometry(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                    field("Height"), "Map State: IsViewable" in out)


def move(window, x, y):
    _x("xdotool", "windowmove", hex(window), str(x), str(y))

    def arrived():
        place = geometry(window)
        return (place.x, place.y) == (x, y)

    wait_until(arrived, 10, f"window {hex(window)} to move to {x},{y}")


def click(x, y):
    # No --sync: it waits for a motion that never comes when the pointer is
    # already there. The click follows the move on the same connection anyway.
    _x("xdotool", "mousemove", str(x), str(y), "click", "1")


def click_control(client_x, client_y, rect):
    """Clicks the middle of a control given in twips from the client area's corner."""
    left, top, width, height = (round(v / TWIPS_PER_PIXEL) for v in rect)
    click(client_x + left + width // 2, client_y + top + height // 2)


def twips(pixels):
    return round(pixels * TWIPS_PER_PIXEL)


class WineProgram:
    """One Windows program started in folder under Wine; killed, by its own id, if
    it is still running when the block ends."""

    def __init__(self, folder, exe):
        self.process = subprocess.Popen([str(WINE_RUN), exe], cwd=folder,
                                        stdout=subprocess.DEVNULL)
        # wine-run and wine hand over by exec, so this is the program's own process.
        self.pid = self.process.pid

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.end()

    def end(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()

    def wait_exit(self, timeout, what):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"waited {timeout} s for {what}") from None


def end_programs_in(folder):
    """Ends, by their ids, the Windows programs still running from folder: ones that
    a program under test started itself and left behind when a check failed."""
    windows_path = ("z:" + str(folder).replace("/", "\\")).lower().encode()
    for proc in pathlib.Path("/proc").iterdir():
        if not proc.name.isdigit():
            continue
        try:
            command = (proc / "cmdline").read_bytes().lower()
        except OSError:
            continue
        if windows_path in command:
            with contextlib.suppress(ProcessLookupError):
                os.kill(int(proc.name), signal.SIGKILL)
