"""Drives the Farline window as a person with a screen reader would: controls found through the
accessibility bus by their role and name, pressed with the mouse, text typed with the keyboard.
  drive.py keypad NUMBER                  types NUMBER on the keypad and presses Call
  drive.py shows NUMBER                   waits until the keypad shows NUMBER
  drive.py contact SEARCH PERSON NUMBER   searches the contacts, opens PERSON, taps NUMBER
  drive.py recents-top NAME               waits until NAME is the top row of the recent calls"""
import subprocess
import sys
import time

import pyatspi

BUTTON, TAB, ROW, TEXT, LABEL = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_LIST_ITEM,
                                 pyatspi.ROLE_TEXT, pyatspi.ROLE_LABEL)


def application(name="farline", timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    sys.exit(f"no application '{name}' on the accessibility bus")


def shown(node, role):
    """Every shown control of `role` below `node`, in the window's order, as (name, control)."""
    for child in node:
        if child is None:
            continue
        states = child.getState()
        if child.getRole() == role and states.contains(pyatspi.STATE_VISIBLE) \
                and states.contains(pyatspi.STATE_SHOWING):
            yield child.name.strip(), child
        yield from shown(child, role)


def wait_for(what, find, timeout=20.0):
    deadline = time.monotonic() + timeout
    while (found := find()) is None:
        if time.monotonic() > deadline:
            sys.exit(f"the window does not show {what}")
        time.sleep(0.2)
    return found


def control(role, name):
    """The shown control of `role` named `name`, the last (front-most) of several."""
    def find():
        matches = [c for n, c in shown(application(), role) if n == name]
        return matches[-1] if matches else None
    return wait_for(f"'{name}'", find)


def press(target):
    box = target.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x, y = box.x + box.width // 2, box.y + box.height // 2
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "mousedown", "1"], check=True)
    time.sleep(0.05)
    subprocess.run(["xdotool", "mouseup", "1"], check=True)
    time.sleep(0.3)  # a pushed screen slides in


def display():
    """The number the keypad shows, as the display's accessible description tells it."""
    return next((c.description for n, c in shown(application(), LABEL) if n == "Number"), None)


def keypad(number):
    def keys():
        found = dict(shown(application(), BUTTON))
        return found if all(k in found for k in [*"0123456789", "Call"]) else None
    found = wait_for("the keypad's keys", keys)
    for digit in number:
        press(found[digit])
    press(found["Call"])


def contact(search, person, number):
    press(control(TAB, "Contacts"))
    press(control(TEXT, "Search"))
    subprocess.run(["xdotool", "type", "--delay", "50", search], check=True)
    # Only the person searched for stays in the list.
    wait_for(f"only '{person}' found", lambda: [n for n, _ in shown(application(), ROW)] == [person] or None)
    press(control(ROW, person))
    press(control(BUTTON, number))


def recents_top(name):
    press(control(TAB, "Recents"))
    wait_for(f"'{name}' on top of the recent calls",
             lambda: next((n for n, _ in shown(application(), ROW)), None) == name or None)


if __name__ == "__main__":
    command, *args = sys.argv[1:]
    if command == "keypad":
        keypad(*args)
    elif command == "shows":
        wait_for(f"the number {args[0]}", lambda: display() == args[0] or None, timeout=10)
    elif command == "contact":
        contact(*args)
    elif command == "recents-top":
        recents_top(*args)
    else:
        sys.exit(__doc__)
