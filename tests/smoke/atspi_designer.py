#!/usr/bin/python3
# Walks the designer window through the accessibility bus alone, as a screen reader does: opens
# a project with --designer, adds a caption in the list, picks a state's built-in background and
# its font with their controls' own actions, switches the preview to 2x and back, saves and
# generates. The caller compares the files with those of brindlewick-cli for the saved project.
# Usage: atspi_designer.py <brindlewick> <project>   (run in the folder the project writes into)
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
# The wizard walk's helpers.
from atspi_walk import application, do_action, fail, find, press, set_text, showing, \
    wait_for  # noqa: E402

import pyatspi  # noqa: E402


def descendant(root, test):
    return pyatspi.findDescendant(root, lambda x: test(x) and showing(x))


def menu_item(app, name):
    item = wait_for('menu item "%s"' % name, lambda: pyatspi.findDescendant(
        app, lambda x: x.name == name and x.getRole() == pyatspi.ROLE_MENU_ITEM))
    do_action(item, "press")


def add_caption(app, text):
    press(app, "Add a caption at the end")
    captions = wait_for("the caption list", lambda: find(app, "Button captions"))
    wait_for("the new row", lambda: find(captions, "New button"))
    # The field under the list edits the current caption, the new one.
    set_text(find(app, "Current caption", (pyatspi.ROLE_TEXT,)), text)
    wait_for("the caption in the list", lambda: find(captions, text))


def pick_background(app, state, index):
    pictures = wait_for("the pictures", lambda: find(app, state + " built-in background"))
    # The thumbnail's own action selects it.
    picture = pictures.getChildAtIndex(index)
    do_action(picture, "toggle")
    wait_for("the picture chosen",
             lambda: picture.getState().contains(pyatspi.STATE_SELECTED) or None)


def underline_font(app, state):
    press(app, "Choose the %s font" % state.lower())
    dialog = wait_for("the font dialog", lambda: descendant(
        app, lambda x: x.getRole() == pyatspi.ROLE_DIALOG))
    box = wait_for("Underline", lambda: find(dialog, "Underline", (pyatspi.ROLE_CHECK_BOX,)))
    do_action(box, "toggle")
    wait_for("Underline checked", lambda: box.getState().contains(pyatspi.STATE_CHECKED) or None)
    press(dialog, "OK")


def main():
    program, project = sys.argv[1], sys.argv[2]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    process = subprocess.Popen([program, "--designer", project], env=env)
    try:
        app = wait_for("the designer on the accessibility bus", lambda: application(process), 30)
        title = "Brindlewick Designer \u2014 " + os.path.basename(project)
        wait_for("the window", lambda: find(app, title, (pyatspi.ROLE_FRAME,)))
        wait_for("the project's captions", lambda: find(app, "Contact"))
        add_caption(app, "Designed")
        pick_background(app, "Normal", 41)
        underline_font(app, "Normal")
        for scale in ("twice the size", "real size"):
            radio = find(app, "Preview at " + scale, (pyatspi.ROLE_RADIO_BUTTON,))
            do_action(radio, "toggle")
            wait_for(scale, lambda: radio.getState().contains(pyatspi.STATE_CHECKED) or None)
        menu_item(app, "Save")
        press(wait_for("the saved message", lambda: descendant(
            app, lambda x: x.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT))), "OK")
        press(app, "Generate the buttons and the page")
        said = wait_for("the result line", lambda: descendant(
            app, lambda x: " files written to " in x.name), 60).name
        menu_item(app, "Close")
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            fail("Close did not end the designer")
        print("AT-SPI designer walk: caption, background, font, 2x, saved; " + said)
    finally:
        if process.poll() is None:
            process.kill()


main()
