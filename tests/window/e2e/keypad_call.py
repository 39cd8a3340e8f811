"""Types a number on the Farline window's keypad and presses Call, finding each key through the
accessibility bus by its name and pressing it with the mouse; or, with --shows NUMBER, waits until
the keypad shows NUMBER."""
import subprocess
import sys
import time

import pyatspi


def application(name, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    sys.exit(f"no application '{name}' on the accessibility bus")


def controls(node):
    """Every shown push button below `node`, by name."""
    found = {}
    for child in node:
        if child is None:
            continue
        states = child.getState()
        if child.getRole() == pyatspi.ROLE_PUSH_BUTTON and states.contains(pyatspi.STATE_VISIBLE) \
                and states.contains(pyatspi.STATE_SHOWING):
            found.setdefault(child.name, child)
        found.update({k: v for k, v in controls(child).items() if k not in found})
    return found


def press(control):
    box = control.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x, y = box.x + box.width // 2, box.y + box.height // 2
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "mousedown", "1"], check=True)
    time.sleep(0.05)
    subprocess.run(["xdotool", "mouseup", "1"], check=True)
    time.sleep(0.05)


def display(app):
    """The number the keypad shows, as the display's accessible description tells it."""
    for child in app:
        if child is None:
            continue
        if child.getRole() == pyatspi.ROLE_LABEL and child.name == "Number":
            return child.description
        found = display(child)
        if found is not None:
            return found
    return None


def wait_for_display(number, timeout=10.0):
    app = application("farline")
    deadline = time.monotonic() + timeout
    while display(app) != number:
        if time.monotonic() > deadline:
            sys.exit(f"the keypad shows {display(app)!r}, not {number!r}")
        time.sleep(0.2)


def main(number):
    app = application("farline")
    deadline = time.monotonic() + 20
    while True:
        keys = controls(app)
        if all(digit in keys for digit in "0123456789") and "Call" in keys:
            break
        if time.monotonic() > deadline:
            sys.exit(f"the keypad's keys are not all shown: {sorted(keys)}")
        time.sleep(0.2)
    for digit in number:
        press(keys[digit])
    press(keys["Call"])


if __name__ == "__main__":
    if sys.argv[1] == "--shows":
        wait_for_display(sys.argv[2])
    else:
        main(sys.argv[1])
