# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: Kribed PRO developers
"""Measures the editor's window from outside, as a user sees it (scripts/measure-window).

Runs under the private X server that scripts/measure-window starts, with the editor already
showing the large database. Each interaction is sent through XTEST as a real key, and the X DAMAGE
extension reports every repaint of the screen; an interaction's time is the time from its key to
the LAST repaint it causes, where "last" means no further repaint for --quiet milliseconds. Each
interaction runs --runs times (untimed keys put the window back between runs); the median is
printed beside the first repaint's. The column border hold is the editor's CPU time while the
mouse button stays down on a header border after a drag, as a share of one core.

A repaint no wider than --cursor-width pixels is a text cursor blinking in a dialog's field and is
not counted.
"""
import argparse
import os
import select
import statistics
import subprocess
import sys
import time

from Xlib import X, XK, display
from Xlib.ext import damage, xtest

# (row of the table, keys that set it up, the timed key, keys that put the window back). A key is
# "Ctrl+Shift+End" or a text typed as it is ("text:e").
INTERACTIONS = [
    ("Page Down", ["Ctrl+Home"], "Next", []),
    ("Ctrl+End", ["Ctrl+Home"], "Ctrl+End", []),
    ("Ctrl+Home", ["Ctrl+End"], "Ctrl+Home", []),
    ("delete one row", ["Ctrl+Home"], "Ctrl+Delete", []),
    ("its undo", [], "Ctrl+z", []),
    ("row sum off", ["Ctrl+w"], "Ctrl+w", []),
    ("select every cell", ["Ctrl+Home"], "Ctrl+Shift+End", ["Ctrl+Home"]),
    # Replace all is reached backwards from the Find field and pressed by Space, which clicks on
    # the key's release: its mnemonic (Alt+A) would hold the button down for 100 ms first.
    ("Replace all of a common letter",
     ["Ctrl+h", "Alt+n", "Ctrl+a", "text:e", "Alt+t", "Ctrl+a", "text:E", "Alt+n",
      "Shift+Tab", "Shift+Tab"], "space", ["Return", "Escape", "Ctrl+z"]),
    ("Auto sizing on (Ctrl+A)", [], "Ctrl+a", ["Ctrl+a"]),
    ("Replace dialog shown", [], "Ctrl+h", ["Escape"]),
    ("Find dialog shown", [], "Ctrl+f", ["Escape"]),
]

MODIFIERS = {"Ctrl": "Control_L", "Shift": "Shift_L", "Alt": "Alt_L"}


class Screen:
    """The X server's screen: keys and clicks in through XTEST, repaints out through DAMAGE."""

    def __init__(self, pid, quiet_ms, cursor_width):
        self.pid = pid
        self.seen = []  # (ms after the key, x, y, width, height) of each repaint, for --trace
        self.display = display.Display()
        self.root = self.display.screen().root
        for extension in ("XTEST", "DAMAGE"):
            if not self.display.has_extension(extension):
                sys.exit(f"the X server has no {extension} extension")
        self.display.damage_query_version()
        self.damage = self.root.damage_create(damage.DamageReportRawRectangles)
        self.quiet = quiet_ms / 1000.0
        self.cursor_width = cursor_width

    def keycode(self, name):
        code = self.display.keysym_to_keycode(XK.string_to_keysym(name))
        if not code:
            sys.exit(f"no key for {name}")
        return code

    def _tap(self, names):
        codes = [self.keycode(n) for n in names]
        for code in codes:
            xtest.fake_input(self.display, X.KeyPress, code)
        for code in reversed(codes):
            xtest.fake_input(self.display, X.KeyRelease, code)
        self.display.flush()

    def press(self, key):
        """Sends a key ("Ctrl+End") or types a text ("text:abc")."""
        if key.startswith("text:"):
            for char in key[5:]:
                name = char if char.isalnum() else XK.keysym_to_string(ord(char))
                self._tap((["Shift_L"] if char.isupper() else []) + [name])
            return
        *mods, name = key.split("+")
        self._tap([MODIFIERS[m] for m in mods] + [name])

    def refocus(self):
        """Gives the keyboard to the top window when it went nowhere: without a window manager a
        closed dialog hands it to no window (the editor's own dialogs take it when shown)."""
        focus = self.display.get_input_focus().focus
        if isinstance(focus, int) or focus == self.root or not viewable(focus):
            windows = [w for w in self.root.query_tree().children if viewable(w)]
            if windows:
                windows[-1].set_input_focus(X.RevertToParent, X.CurrentTime)
                self.display.sync()

    def step(self, key):
        """An untimed key: sent, its repaints waited for, the keyboard kept on a window."""
        self.press(key)
        self.settle()
        self.refocus()

    def mouse(self, kind, x=0, y=0):
        if kind == X.MotionNotify:
            xtest.fake_input(self.display, kind, x=x, y=y)
        else:
            xtest.fake_input(self.display, kind, 1)
        self.display.flush()

    def repaints(self, start=None, limit=10.0):
        """Waits until the screen stays unchanged for the quiet time; returns the times after
        `start` (default: now) of the first and the last repaint, None for none."""
        start = time.monotonic() if start is None else start
        first = last = None
        busy_from, busy_cpu = start, cpu_seconds(self.pid)
        self.seen = []
        while True:
            now = time.monotonic()
            wait = max(last or start, busy_from) + self.quiet - now
            if now - start > limit:
                break
            if wait <= 0:
                # Quiet, but the editor may be working towards its next repaint (a replace of
                # every cell paints nothing until it is done): quiet counts once it idles.
                cpu = cpu_seconds(self.pid)
                if cpu - busy_cpu < 0.2 * (now - busy_from):
                    break
                busy_from, busy_cpu = now, cpu
                continue
            if not self.display.pending_events():
                select.select([self.display.fileno()], [], [], wait)
            while self.display.pending_events():
                event = self.display.next_event()
                if type(event).__name__ == "DamageNotify" and self._counts(event):
                    seen = time.monotonic()
                    first = first or seen
                    last = seen
                    area = event.area
                    self.seen.append((round((seen - start) * 1000, 1), area.x, area.y,
                                      area.width, area.height))
        return (None if first is None else first - start, None if last is None else last - start)

    def _counts(self, event):
        return event.area.width > self.cursor_width

    def settle(self):
        self.repaints(limit=30.0)

    def timed(self, key):
        """Sends the key once the screen is quiet; (first, last) repaint in ms after it."""
        self.settle()
        start = time.monotonic()
        self.press(key)
        first, last = self.repaints(start)
        return tuple(None if t is None else round(t * 1000, 1) for t in (first, last))


def viewable(window):
    try:
        return window.get_attributes().map_state == X.IsViewable
    except Exception:  # gone meanwhile
        return False


def main_window(screen):
    """The largest viewable top-level window: the editor's main window."""
    best = None
    for window in screen.root.query_tree().children:
        attributes = window.get_attributes()
        if attributes.map_state != X.IsViewable:
            continue
        geometry = window.get_geometry()
        if best is None or geometry.width * geometry.height > best[1]:
            best = (window, geometry.width * geometry.height)
    return best[0] if best else None


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def cursor_serial(screen):
    return screen.display.xfixes_get_cursor_image(screen.root).cursor_serial


def find_border(screen):
    """A column border of the grid's header: where the pointer turns into the resize cursor, on
    one of the long vertical lines the grid draws between its columns."""
    geometry = screen.root.get_geometry()
    width, height = geometry.width, geometry.height
    data = screen.root.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF).data
    middle = height // 2

    def pixel(x, y):
        at = (y * width + x) * 4
        return data[at:at + 3]

    lines = []
    for x in range(8, width // 2):
        colour = pixel(x, middle)
        if colour != b"\xff\xff\xff" and all(
                pixel(x, y) == colour for y in range(middle - 200, middle + 200, 4)):
            lines.append(x)
    screen.display.xfixes_query_version()
    screen.mouse(X.MotionNotify, width // 2, middle)
    screen.settle()
    plain = cursor_serial(screen)
    for x in lines[:8]:
        for y in range(4, middle, 2):
            screen.mouse(X.MotionNotify, x, y)
            screen.display.sync()
            time.sleep(0.01)
            if cursor_serial(screen) != plain:
                return x, y
    return None


def border_hold(screen, pid, border, hold_seconds, shots=None):
    """The editor's CPU share while the button is held still on a header border after a drag."""
    x, y = border
    screen.mouse(X.MotionNotify, x, y)
    screen.settle()
    screen.mouse(X.ButtonPress)
    for step in range(1, 31):
        screen.mouse(X.MotionNotify, x + step, y)
        time.sleep(0.01)
    # Not settle(): it waits for the editor to idle, which is what is measured here.
    screen.repaints(limit=1.0)
    before = cpu_seconds(pid)
    time.sleep(hold_seconds)
    used = cpu_seconds(pid) - before
    if shots:
        shot(shots, "holding a column border")
    screen.mouse(X.MotionNotify, x, y)
    screen.mouse(X.ButtonRelease)
    screen.settle()
    return 100.0 * used / hold_seconds


def run(args):
    screen = Screen(args.pid, args.quiet, args.cursor_width)
    window = None
    for _ in range(300):
        window = main_window(screen)
        if window is not None and window.get_geometry().width >= 600:
            break
        time.sleep(0.1)
    else:
        sys.exit("the editor's window did not appear")
    window.set_input_focus(X.RevertToParent, X.CurrentTime)
    screen.display.sync()
    screen.settle()
    for name, setup, key, restore in INTERACTIONS:
        if args.only and not any(o.lower() in name.lower() for o in args.only):
            continue
        firsts, lasts = [], []
        for run in range(args.runs):
            for k in setup:
                screen.step(k)
            first, last = screen.timed(key)
            if args.trace:
                print_trace(name, run, screen.seen)
            firsts.append(first)
            lasts.append(last)
            if args.shots:
                shot(args.shots, f"{name}-{run}-timed")
            for k in restore:
                screen.step(k)
            screen.refocus()
            if args.shots:
                shot(args.shots, f"{name}-{run}-back")
        print_row(name, firsts, lasts)
    if not args.only or any(o.lower() in "holding a column border" for o in args.only):
        border = find_border(screen)
        if border is None:
            print("holding a column border: no border found")
            return
        shares = [border_hold(screen, args.pid, border, args.hold, args.shots) for _ in range(args.runs)]
        print(f"{'holding a column border still':34} {statistics.median(shares):15.0f} % of a "
              f"core   runs: {', '.join(f'{s:.0f}' for s in shares)}")


def median(values):
    shown = [v for v in values if v is not None]
    return statistics.median(shown) if shown else None


def shot(folder, name):
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, "".join(c if c.isalnum() else "_" for c in name) + ".png")
    subprocess.run(["import", "-window", "root", path], check=False)


def print_trace(name, run, seen):
    """Every repaint of one run: when, and the area, so a late one can be told by its place."""
    print(f"  {name}, run {run + 1}:", flush=True)
    for ms, x, y, width, height in seen:
        print(f"    {ms:7.1f} ms  {width}x{height} at {x},{y}", flush=True)


def print_row(name, firsts, lasts):
    def text(v):
        return "   none" if v is None else f"{v:7.1f}"
    runs = ", ".join("-" if v is None else f"{v:.0f}" for v in lasts)
    print(f"{name:34} {text(median(firsts))} {text(median(lasts))} ms   runs: {runs}", flush=True)


def parse():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--pid", type=int, required=True, help="the editor's process")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--quiet", type=float, default=300, help="ms without repaint that end "
                        "an interaction")
    parser.add_argument("--cursor-width", type=int, default=3)
    parser.add_argument("--hold", type=float, default=2.0, help="seconds the border is held")
    parser.add_argument("--trace", action="store_true", help="print each timed run's repaints "
                        "(time after the key, size and place) to tell which one comes last")
    parser.add_argument("--shots", help="a folder for a screenshot after each run, to check "
                        "that the runs do what they should")
    parser.add_argument("only", nargs="*", help="measure only the rows whose name holds one")
    return parser.parse_args()


if __name__ == "__main__":
    print(f"{'interaction':34} {'first':>7} {'last':>7}")
    run(parse())
