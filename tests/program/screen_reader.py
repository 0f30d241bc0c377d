"""What a screen reader meets in the Linux window: read through AT-SPI as Orca reads it, and
heard from Orca itself. The controls' names, roles and order, the window's title first as the
label it is; then, with the keyboard alone, Tab through the lists, Space on Избор and Enter on
Почисти. Fails on a lost or repeated name, an order other than the tab order, a list whose ten
digits Orca does not count, a Tab that takes the focus elsewhere, a focus event from a control
the keyboard is not in, or an outcome that is not told, or not said by Orca.

Usage: screen_reader.py PROGRAM, on an X display, inside a D-Bus session with the accessibility
bus up, with a home folder of its own in HOME."""

import os
import pty
import re
import subprocess
import sys
import threading
import time
import tty

import pyatspi
from gi.repository import GLib
from orca import messages

program = sys.argv[1]
failures = []
# However busy the machine, what is awaited comes within this many seconds.
PATIENCE = 30


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


def until(found):
    """Pumps until `found()` holds, or patience runs out; what it last returned."""
    end = time.time() + PATIENCE
    while not (result := found()) and time.time() < end:
        pump(0.1)
    return result


class Orca:
    """Orca, writing its log to a terminal of ours: a file it would write in blocks, and a
    terminal it writes line by line, so that what it says is heard as it says it. A busy Orca
    skips a focus it has already left, so each step waits for Orca before the next."""

    def __init__(self):
        reader, terminal = pty.openpty()
        tty.setraw(terminal)
        self.log = bytearray()
        self.lock = threading.Lock()
        threading.Thread(target=self.drain, args=(reader,), daemon=True).start()
        self.process = subprocess.Popen(
            ["orca", "--user-prefs", os.path.join(os.environ["HOME"], "orca"),
             "--debug-file", os.ttyname(terminal)],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not until(lambda: self.process.poll() is not None or any(
                app is not None and app.name == "orca" for app in pyatspi.Registry.getDesktop(0))):
            sys.exit("check-screen-reader: Orca never came up on the accessibility bus")
        if self.process.poll() is not None:
            sys.exit(f"check-screen-reader: Orca ended at once ({self.process.returncode})")

    def drain(self, reader):
        # Orca waits on a full terminal: it is read for as long as it writes.
        while chunk := os.read(reader, 65536):
            with self.lock:
                self.log += chunk

    def said(self):
        """Everything Orca has said so far, an utterance a line."""
        with self.lock:
            log = self.log.decode("utf-8", errors="replace")
        return [text.strip() for text in re.findall(r"SPEECH OUTPUT: '(.*?)'\s*[\[{]", log, re.S)]

    def after(self, keys, heard):
        """Presses `keys`; what Orca says from then on, once `heard` holds of it."""
        start = len(self.said())
        subprocess.run(["xdotool", "key", *keys], check=True)
        until(lambda: heard(self.said()[start:]))
        return self.said()[start:]

    def stop(self):
        # All it said has been heard: it need not take its time to end.
        self.process.terminate()
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


events = []


def record(event):
    try:
        source = event.source
        told = None
        if event.type.startswith("object:announcement"):
            # Said as it comes, whatever has the focus; only the control with it announces here.
            if source.getState().contains(pyatspi.STATE_FOCUSED):
                told = str(event.any_data).strip()
        elif event.type.startswith("object:text-changed:insert"):
            # What Orca reads out as it comes: text added under the control with the focus,
            # and selected where it was added.
            text = source.queryText()
            start, end = text.getSelection(0) if text.getNSelections() else (0, 0)
            parent = source.parent.getState().contains(pyatspi.STATE_FOCUSED)
            if parent and start == event.detail1 and text.getText(start, end) == event.any_data:
                told = event.any_data.strip()
        events.append((event.type, source.getRole(), source.name, event.detail1, told))
    except Exception:  # the object may be gone by the time it is read
        pass


def told():
    """What the window told since the events were last cleared."""
    return [text for *_, text in events if text]


def gained_focus(*roles):
    """The names of the objects of these roles that gained the focus, since the events were
    last cleared."""
    return [name for kind, role, name, gained, _ in events
            if kind.endswith("focused") and gained and role in roles]


def claimed():
    """Lists and list items that claimed the focus."""
    return gained_focus(pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_ITEM)


registry = pyatspi.Registry
for kind in ("object:state-changed:focused", "object:text-changed:insert", "object:announcement"):
    registry.registerEventListener(record, kind)

# Another Orca of this user's is never stopped: it may be the one that user listens to.
if subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                  stdout=subprocess.DEVNULL).returncode == 0:
    print("check-screen-reader: skipped: another Orca of this user's is running")
    sys.exit(77)
orca = Orca()
running = subprocess.Popen([program])
try:
    window = until(lambda: next((app[0] for app in registry.getDesktop(0) if app is not None
                                 and app.name != "orca" and app.childCount), None))
    if window is None:
        sys.exit("check-screen-reader: the program never showed a window on the accessibility bus")

    # Roles by their values: their names differ from one AT-SPI release to another.
    shown = [(child.getRole(), child.name) for child in window
             if child is not None and child.getState().contains(pyatspi.STATE_SHOWING)]
    print("window:", window.name, "|", window.description)
    for role, name in shown:
        print(f"  {role.value_nick}: {name}")
    roles = [role for role, _ in shown]
    # The title, which a sighted user reads first, is there for a screen reader user too, as
    # what it is: a label, which Tab passes by.
    expected = [pyatspi.ROLE_LABEL, pyatspi.ROLE_TEXT] + [pyatspi.ROLE_LIST] * 4 + [
        pyatspi.ROLE_PUSH_BUTTON] * 2
    if roles != expected:
        fail(f"the controls, in order, are {[role.value_nick for role in roles]},"
             " not the title, the output box, four lists, two buttons")
    names = [name for _, name in shown]
    if "" in names or len(set(names)) != len(names):
        fail(f"a control without a name of its own: {names}")
    if names and names[0] != window.description:
        fail(f"the title reads {names[0]!r}, not the window's {window.description!r}")
    box_name, lists, choose = names[-7], names[-6:-2], names[-2]

    # The keyboard alone: the window gets the input focus as a window manager would give it,
    # and Orca says where the focus starts.
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                            re.escape(window.name)], capture_output=True, text=True, check=True)
    subprocess.run(["xdotool", "windowfocus", "--sync", found.stdout.split()[0]], check=True)
    if not until(lambda: any(line.startswith(box_name) for line in orca.said())):
        fail(f"Orca never said where the focus starts, {box_name}: {orca.said()}")

    # Orca's own words for a list of the ten digits, in the language it speaks here.
    ten = messages.listItemCount(10)

    def focus_gained():
        return gained_focus(pyatspi.ROLE_LIST, pyatspi.ROLE_PUSH_BUTTON)

    for target in lists + [choose]:
        heard = orca.after(["Tab"], lambda said: any(line.startswith(target) for line in said)
                           and (target == choose or any(ten in line for line in said)))
        print("Orca, after Tab:", heard)
        if not any(line.startswith(target) for line in heard):
            fail(f"Tab to {target}: Orca said {heard}")
        elif target in lists and not any(ten in line for line in heard):
            fail(f"Tab to {target}: Orca never said {ten!r}: {heard}")
        # Orca may speak of a focus before this process has had the event: it is awaited.
        until(lambda: target in focus_gained())
    print("Tab went to:", focus_gained())
    if focus_gained() != lists + [choose]:
        fail(f"five Tabs went to {focus_gained()}, not the four lists and Избор in order")

    def told_after(keys, heard):
        """What the window told, and what Orca said, after `keys`; no list claims the focus."""
        events.clear()
        said = orca.after(keys, heard)
        until(told)
        if claimed():
            fail(f"after {keys}: focus claimed by {claimed()}, which the keyboard is not in")
        print(f"After {keys}, told: {told()}; Orca: {said}")
        return told(), said

    box = next(child for child in window if child is not None and child.getRoleName() == "text"
               and child.getState().contains(pyatspi.STATE_SHOWING))
    digits = lambda: " ".join(re.findall(r"\d", box.queryText().getText(0, -1)))
    chosen, said = told_after(["space"], lambda said: len(digits()) == 7 and
                              any(digits() in line for line in said))
    pin = digits()
    if len(pin) != 7 or not chosen or not chosen[-1].endswith(pin):
        fail(f"Space on Избор told {chosen}, not the PIN {pin} digit by digit")
    if not any(pin in line for line in said):
        fail(f"Space on Избор: Orca never said the PIN {pin}: {said}")
    if any(name in line for line in said for name in lists):
        fail(f"Space on Избор: Orca spoke of a list, where the keyboard is not: {said}")

    # The words are the window's own, which its tests hold; here, that something is said, and
    # not a PIN, once the box is empty, and that Orca says it.
    cleared, said = told_after(["Tab", "Return"], lambda said: any(
        text in line for text in told() for line in said))
    if box.queryText().characterCount != 0 or not cleared or re.search(r"\d", cleared[-1]):
        fail(f"Enter on Почисти emptied nothing or told no clearing: {cleared}")
    elif not any(cleared[-1] in line for line in said):
        fail(f"Enter on Почисти: Orca never said that the box was cleared: {said}")
finally:
    running.kill()
    orca.stop()

sys.exit(1 if failures else 0)
