"""What a screen reader meets in the Linux window: read through AT-SPI as Orca reads it, and
heard from Orca itself. The controls' names, roles and order; then, with the keyboard alone,
Tab through the lists, Space on Избор and Enter on Почисти. Fails on a lost or repeated name,
an order other than the tab order, a focus event from a control the keyboard is not in, or an
outcome that is not told, or not said by Orca.

Usage: screen_reader.py PROGRAM, on an X display, inside a D-Bus session with the accessibility
bus up, with a home folder of its own in HOME."""

import datetime
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

program = sys.argv[1]
failures = []


def fail(message):
    failures.append(message)
    print("check-screen-reader: " + message, file=sys.stderr)


def pump(seconds):
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def now():
    return datetime.datetime.now().strftime("%H:%M:%S.%f")


def on_from(start, clock):
    """Seconds from the time of day `start` to `clock`, both as Orca logs them, over midnight
    if need be."""
    def of_day(at):
        hours, minutes, rest = at.split(":")
        return int(hours) * 3600 + int(minutes) * 60 + float(rest)
    return (of_day(clock) - of_day(start)) % 86400


class Orca:
    """Orca, speaking to its debug log; what it said is read once it has stopped, the log
    being written in blocks."""

    def __init__(self):
        self.log = os.path.join(os.environ["HOME"], "orca.log")
        self.process = subprocess.Popen(
            ["orca", "--user-prefs", os.path.join(os.environ["HOME"], "orca"),
             "--debug-file", self.log], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(200):
            if self.process.poll() is not None:
                sys.exit(f"check-screen-reader: Orca ended at once ({self.process.returncode})")
            if any(app is not None and app.name == "orca"
                   for app in pyatspi.Registry.getDesktop(0)):
                return
            pump(0.1)
        sys.exit("check-screen-reader: Orca never came up on the accessibility bus")

    def said(self):
        """[(time, text)] of everything Orca said, once it has stopped."""
        self.process.terminate()
        try:
            self.process.wait(15)
        except subprocess.TimeoutExpired:
            self.process.kill()
        with open(self.log, encoding="utf-8", errors="replace") as log:
            return re.findall(r"^(\d\d:\d\d:\d\d\.\d+) - SPEECH OUTPUT: '(.*?)'\s*[\[{]",
                              log.read(), re.M | re.S)


events = []


def record(event):
    try:
        source = event.source
        told = None
        if event.type.startswith("object:text-changed:insert"):
            # What Orca reads out as it comes: text added under the control with the focus,
            # and selected there.
            text = source.queryText()
            start, end = text.getSelection(0) if text.getNSelections() else (0, 0)
            parent = source.parent.getState().contains(pyatspi.STATE_FOCUSED)
            if parent and text.getText(start, end) == event.any_data:
                told = event.any_data.strip()
        events.append((event.type, source.getRoleName(), source.name, event.detail1, told))
    except Exception:  # the object may be gone by the time it is read
        pass


registry = pyatspi.Registry
for kind in ("object:state-changed:focused", "object:text-changed:insert"):
    registry.registerEventListener(record, kind)

# Another Orca of this user's is never stopped: it may be the one that user listens to.
if subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                  stdout=subprocess.DEVNULL).returncode == 0:
    print("check-screen-reader: skipped: another Orca of this user's is running")
    sys.exit(77)
orca = Orca()
marks = {}
running = subprocess.Popen([program])
try:
    window = None
    for _ in range(400):
        pump(0.05)
        apps = [app for app in registry.getDesktop(0)
                if app is not None and app.name != "orca" and app.childCount]
        if apps:
            window = apps[0][0]
            break
    if window is None:
        sys.exit("check-screen-reader: the program never showed a window on the accessibility bus")

    shown = [(child.getRoleName(), child.name) for child in window
             if child is not None and child.getState().contains(pyatspi.STATE_SHOWING)]
    print("window:", window.name, "|", window.description)
    for role, name in shown:
        print(f"  {role}: {name}")
    roles = [role for role, _ in shown]
    expected = ["text", "list", "list", "list", "list", "push button", "push button"]
    if [role for role in roles if role != "label"] != expected:
        fail(f"the controls, in order, are {roles}, not the output box, four lists, two buttons")
    names = [name for _, name in shown]
    if "" in names or len(set(names)) != len(names):
        fail(f"a control without a name of its own: {names}")

    # The keyboard alone: the window gets the input focus as a window manager would give it.
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                            re.escape(window.name)], capture_output=True, text=True, check=True)
    subprocess.run(["xdotool", "windowfocus", "--sync", found.stdout.split()[0]], check=True)
    pump(1)
    marks["Tab"] = now()
    for key in ["Tab"] * 5:
        subprocess.run(["xdotool", "key", key], check=True)
        pump(0.3)
    focused = [name for kind, role, name, gained, _ in events
               if kind.endswith("focused") and gained and role in ("list", "push button")]
    print("Tab went to:", focused)
    if focused != names[-6:-1]:
        fail(f"five Tabs went to {focused}, not the four lists and Избор in order")

    def told_after(keys):
        events.clear()
        marks[" ".join(keys)] = now()
        subprocess.run(["xdotool", "key", *keys], check=True)
        pump(1.5)
        claimed = [(role, name) for kind, role, name, gained, _ in events
                   if kind.endswith("focused") and gained and role in ("list", "list item")]
        if claimed:
            fail(f"after {keys}: focus claimed by {claimed}, which the keyboard is not in")
        return [told for *_, told in events if told]

    told = told_after(["space"])
    print("Избор told:", told)
    box = next(child for child in window if child is not None and child.getRoleName() == "text"
               and child.getState().contains(pyatspi.STATE_SHOWING))
    pin = " ".join(re.findall(r"\d", box.queryText().getText(0, -1)))
    if len(pin) != 7 or not told or not told[-1].endswith(pin):
        fail(f"Space on Избор told {told}, not the PIN {pin} digit by digit")
    cleared = told_after(["Tab", "Return"])
    print("Почисти told:", cleared)
    # The words are the window's own, which its tests hold; here, that something is said, and
    # not a PIN, once the box is empty.
    if box.queryText().characterCount != 0 or not cleared or re.search(r"\d", cleared[-1]):
        fail(f"Enter on Почисти emptied nothing or told no clearing: {cleared}")
    marks["end"] = now()
finally:
    running.kill()
    said = orca.said()

# What Orca said at each step, the steps told apart by the time. What must be said may come
# late on a busy machine: it is looked for in all that follows its step.
first = next(iter(marks.values()))
steps = [(step, on_from(first, at)) for step, at in marks.items()]
heard = [(on_from(first, at), text.strip()) for at, text in said]
during, since = {}, {}
for (step, start), (_, end) in zip(steps, steps[1:]):
    during[step] = [text for at, text in heard if start <= at < end]
    since[step] = " ".join(text for at, text in heard if start <= at)
    print(f"Orca, after {step}:", during[step])
lists = names[-6:-2]
spoken = [name for name in lists if name + "." in since.get("Tab", "")]
if spoken != lists:
    fail(f"Tab through the lists: Orca said {spoken} of the names {lists}")
if pin not in since.get("space", ""):
    fail(f"Space on Избор: Orca never said the PIN {pin}")
if any(name in " ".join(during.get("space", [])) for name in lists):
    fail("Space on Избор: Orca spoke of a list, where the keyboard is not")
if not cleared or cleared[-1] not in since.get("Tab Return", ""):
    fail("Enter on Почисти: Orca never said that the box was cleared")

sys.exit(1 if failures else 0)
