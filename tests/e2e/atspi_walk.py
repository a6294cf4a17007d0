"""What a screen reader sees of the running program, through AT-SPI.

Usage: atspi_walk.py LOG LABEL_NAME TIMEOUT

Finds the program in the accessibility tree, its registration window's
buttons and the label window named LABEL_NAME; presses the label window's
action (the modify/delete popup opens) and the popup's Cancel button
through their AT-SPI actions (the popup goes); then waits up to TIMEOUT
seconds for the label window's description to change, and listens for the
change event on the way. Writes what it found to LOG, one fact a line;
exits 1 at the first thing missing.
"""
import sys
import time

import pyatspi
from gi.repository import GLib

log_path, label_name, timeout = sys.argv[1], sys.argv[2], float(sys.argv[3])
log = open(log_path, "w", buffering=1)


def say(line):
    log.write(line + "\n")


def die(line):
    say("MISSING " + line)
    sys.exit(1)


def walk(node, depth=0):
    """Every accessible object under `node` (a bounded walk)."""
    if depth > 12 or node is None:
        return
    yield node
    for i in range(min(node.childCount, 500)):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        yield from walk(child, depth + 1)


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "Moranote":
                return app
        time.sleep(0.1)
    die("application Moranote")


def find(app, role, name):
    for _ in range(50):
        for node in walk(app):
            try:
                if node.getRole() == role and node.name == name:
                    return node
            except Exception:
                continue
        time.sleep(0.1)
    return None


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    say("ACTIONS %s: %s" % (node.name, ",".join(names)))
    for i, n in enumerate(names):
        if n in ("Press", "press", "click"):
            action.doAction(i)
            return
    die("press action of " + node.name)


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


app = find_app()
say("APP " + app.name)

main = None
for _ in range(50):
    for i in range(app.childCount):
        top = app.getChildAtIndex(i)
        if top is not None and top.name == "Moranote" and top.getRole() != pyatspi.ROLE_MENU:
            main = top
    if main is not None:
        break
    time.sleep(0.1)
if main is None:
    for i in range(app.childCount):
        top = app.getChildAtIndex(i)
        say("TOP %s %r" % (top.getRoleName(), top.name))
    die("registration window")
say("WINDOW %s %s" % (main.getRoleName(), main.name))
for caption in ("Post", "End"):
    button = find(main, pyatspi.ROLE_PUSH_BUTTON, caption)
    if button is None:
        die("button " + caption)
    say("BUTTON %s: %s" % (caption, button.description))
message = find(main, pyatspi.ROLE_TEXT, "メッセージ")
if message is None:
    die("message box")
say("TEXT メッセージ")

label = None
for i in range(app.childCount):
    top = app.getChildAtIndex(i)
    if top is not None and top.getRole() == pyatspi.ROLE_FRAME and top.name == label_name:
        label = top
if label is None:
    for i in range(app.childCount):
        top = app.getChildAtIndex(i)
        say("TOP %s %r %r" % (top.getRoleName(), top.name, top.description))
    die("label window " + label_name)
say("LABEL %s | %s" % (label.name, label.description))

# Its action opens the popup; the popup's Cancel button closes it.
press(label)
popup = None
for _ in range(50):
    popup = next((app.getChildAtIndex(i) for i in range(app.childCount)
                  if app.getChildAtIndex(i).name == "ラベルの修正、削除"), None)
    if popup is not None and showing(popup):
        break
    time.sleep(0.1)
if popup is None or not showing(popup):
    die("popup after the label window's action")
say("POPUP " + popup.name)
cancel = find(popup, pyatspi.ROLE_PUSH_BUTTON, "ｷｬﾝｾﾙ")
if cancel is None:
    die("Cancel button")
press(cancel)
for _ in range(50):
    if not showing(popup):
        break
    time.sleep(0.1)
if showing(popup):
    die("popup gone after Cancel")
say("POPUP CLOSED")

# The warning time comes: the description changes, with its event.
events = []


def on_change(event):
    if event.source is not None and event.source.name == label_name:
        events.append(event.any_data)


pyatspi.Registry.registerEventListener(on_change, "object:property-change:accessible-description")
first = label.description
deadline = time.time() + timeout
now = first
context = GLib.MainContext.default()
while time.time() < deadline:
    while context.pending():
        context.iteration(False)
    now = label.description
    if now != first and events:
        break
    time.sleep(0.2)
for _ in range(10):  # an event still on its way
    while context.pending():
        context.iteration(False)
    time.sleep(0.05)
say("DESCRIPTION %s -> %s" % (first, now))
say("EVENTS %d" % len(events))
