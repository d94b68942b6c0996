#!/usr/bin/python3
# Walks the wizard from page 1 to page 16 through the accessibility bus alone: finds controls
# by their accessible names, presses them, types a caption into the caption dialog, and
# checks that the run wrote the sample page. Usage: atspi_walk.py <brindlewick> <output dir>
import os
import subprocess
import sys
import time

import pyatspi

TITLE = "The Brindlewick v4.00"


def fail(message):
    print("AT-SPI walk: " + message)
    sys.exit(1)


def wait_for(what, find, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def find(root, name, roles=None):
    """The first showing descendant with this accessible name (and one of the roles)."""
    if root is None:
        return None
    stack = [root]
    while stack:
        node = stack.pop()
        try:
            if node.name == name and (roles is None or node.getRole() in roles) and showing(node):
                return node
            if node is root or showing(node):
                stack.extend(c for c in node if c is not None)
        except Exception:
            continue
    return None


def application(process):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        try:
            if app is not None and app.get_process_id() == process.pid:
                return app
        except Exception:
            continue
    return None


def press(app, name):
    button = wait_for('button "%s"' % name,
                      lambda: find(app, name, (pyatspi.ROLE_PUSH_BUTTON,)))
    if not button.getState().contains(pyatspi.STATE_ENABLED):
        fail('button "%s" is disabled' % name)
    action = button.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("press", "click", "Press"):
            action.doAction(i)
            return
    action.doAction(0)


def on_page(app, number):
    wait_for("page %d" % number, lambda: find(app, "Page %d of 16" % number))


def add_caption(app, text):
    press(app, "Add  a new caption ( at end )")
    dialog = wait_for("the caption dialog",
                      lambda: find(app, "Label text for Button", (pyatspi.ROLE_DIALOG,)))
    entry = wait_for("the caption field", lambda: next(
        (n for n in [pyatspi.findDescendant(dialog, lambda x: x.getRole() == pyatspi.ROLE_TEXT
                                            and showing(x))] if n is not None), None))
    entry.queryEditableText().setTextContents(text)
    press(dialog, "OK")
    wait_for("the caption in the list", lambda: find(app, text, (pyatspi.ROLE_LIST_ITEM,)))


def main():
    program, out_dir = sys.argv[1], sys.argv[2]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", TMPDIR=out_dir)
    process = subprocess.Popen([program], env=env)
    try:
        app = wait_for("the wizard on the accessibility bus", lambda: application(process), 30)
        wait_for("the main window", lambda: find(app, TITLE, (pyatspi.ROLE_FRAME,)))
        pages = wait_for("the page container", lambda: find(app, "Wizard pages"))
        extents = pages.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if (extents.width, extents.height) != (622, 311):
            fail("client area is %dx%d, not 622x311" % (extents.width, extents.height))

        on_page(app, 1)
        press(app, "Next >>")
        on_page(app, 2)
        add_caption(app, "Home")
        add_caption(app, "About|Us")
        # MouseOver: pages 3-9, then 13-15.
        for number in [3, 4, 5, 6, 7, 8, 9, 13, 14, 15, 16]:
            press(app, "Next >>")
            on_page(app, number)
        page = os.path.join(out_dir, "BTNPAGE.html")
        wait_for("the sample page", lambda: page if os.path.exists(page) else None, 60)
        press(app, "Close")
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            fail("Close did not end the program")
        for name in ["btn1.png", "btn1s.gif", "btn2.jpg", "btn2s.png", "btnproject.blp"]:
            if not os.path.exists(os.path.join(out_dir, name)):
                fail("missing " + name)
        print("AT-SPI walk: pages 1 to 16, captions added, files written")
    finally:
        if process.poll() is None:
            process.kill()


main()
