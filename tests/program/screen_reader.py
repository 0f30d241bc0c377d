"""What a screen reader meets in the Linux window, read through AT-SPI as Orca reads it: the
controls' names, roles and order, then the events while the keyboard alone presses Избор and
Почисти. Fails on a lost or repeated name, an order other than the tab order, a focus event
from a control the keyboard is not in, or an outcome that is not told.

Usage: screen_reader.py PROGRAM, on an X display, inside a D-Bus session with the accessibility
bus up."""

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


events = []


def record(event):
    try:
        source = event.source
        events.append((event.type, source.getRoleName(), source.name, event.detail1,
                       source.description))
    except Exception:  # the object may be gone by the time it is read
        pass


registry = pyatspi.Registry
for kind in ("object:state-changed:focused", "object:property-change:accessible-description"):
    registry.registerEventListener(record, kind)

running = subprocess.Popen([program])
try:
    window = None
    for _ in range(400):
        pump(0.05)
        apps = [app for app in registry.getDesktop(0) if app is not None and app.childCount]
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
        subprocess.run(["xdotool", "key", *keys], check=True)
        pump(1.5)
        claimed = [(role, name) for kind, role, name, gained, _ in events
                   if kind.endswith("focused") and gained and role in ("list", "list item")]
        if claimed:
            fail(f"after {keys}: focus claimed by {claimed}, which the keyboard is not in")
        return [description for kind, _, _, _, description in events
                if kind.endswith("accessible-description") and description]

    told = told_after(["space"])
    print("Избор told:", told)
    box = next(child for child in window if child is not None and child.getRoleName() == "text"
               and child.getState().contains(pyatspi.STATE_SHOWING))
    pin = "".join(re.findall(r"\d", box.queryText().getText(0, -1)))
    if len(pin) != 4 or not told or not told[-1].endswith(" ".join(pin)):
        fail(f"Space on Избор told {told}, not the PIN {pin} digit by digit")
    told = told_after(["Tab", "Return"])
    print("Почисти told:", told)
    # The words are the window's own, which its tests hold; here, that something is said, and
    # not a PIN, once the box is empty.
    if box.queryText().characterCount != 0 or not told or re.search(r"\d", told[-1]):
        fail(f"Enter on Почисти emptied nothing or told no clearing: {told}")
finally:
    running.kill()

sys.exit(1 if failures else 0)
