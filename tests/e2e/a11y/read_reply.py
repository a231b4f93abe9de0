"""Works the running terminal through AT-SPI only, as a screen reader user would: presses
ON, types a command into the command line, presses S, and reads the reply row back."""
import sys
import time

import pyatspi

DEADLINE = time.monotonic() + 30


def wait_for(what, probe):
    while time.monotonic() < DEADLINE:
        try:
            found = probe()
        except Exception:  # the tree changes under us while the program starts
            found = None
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"FAIL: {what} did not appear")


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == "varmo-terminal":
            return app
    return None


def press(node):
    """Clicks a button through its "Press" action (a checkable button also has "Toggle",
    which changes its state without clicking it)."""
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def named(root, name, roles):
    return pyatspi.findDescendant(
        root, lambda node: node.name == name and node.getRoleName() in roles)


app = wait_for("the terminal", application)
on = wait_for("ON", lambda: named(app, "ON", ("radio button",)))
press(on)
send = named(app, "S", ("push button",))
wait_for("S enabled", lambda: send.getState().contains(pyatspi.STATE_ENABLED))

line = wait_for("the command line", lambda: named(app, "Command line", ("text", "entry")))
line.queryEditableText().setTextContents("$01M")
press(send)

replies = wait_for("the reply list", lambda: named(app, "ОТВЕТ:", ("list",)))
wait_for("a reply row", lambda: replies.childCount >= 2)
heading = replies.getChildAtIndex(0).name
reply = replies.getChildAtIndex(1).name
requests = named(app, "ЗАПРОС:", ("list",))
request = requests.getChildAtIndex(1).name
print(f"heading {heading!r}, request {request!r}, reply {reply!r}")
if heading != "ОТВЕТ:" or request != "$01M" or reply != "$01M\u240a":
    sys.exit("FAIL: unexpected rows")
print("PASS: the reply was read back through AT-SPI")
