#!/usr/bin/python3
# Walks the wizard through the accessibility bus alone, as a screen reader does: finds controls
# by their accessible names, presses buttons, toggles radio buttons and sets texts with their own
# actions. Takes each of the four JavaScript options in turn, walks its pages to page 16 and back,
# and checks the files and project each run wrote, and the window titles as X11 shows them.
# With --open, starts the wizard with a project file instead and finds its captions on page 2.
# With --stop, starts it with a long project made from that file, presses Stop during the run
# and checks that page 15 stays and says what was written.
# Usage: atspi_walk.py <brindlewick> <output dir>
#        atspi_walk.py --open <brindlewick> <project with the captions below>
#        atspi_walk.py --stop <brindlewick> <project> <output dir>
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
    expect_title("Label text for Button")
    set_text(entry, text)
    press(dialog, "OK")
    wait_for("the caption in the list", lambda: find(app, text, (pyatspi.ROLE_LIST_ITEM,)))


# By JavaScript option: its radio button, the pages from page 3 on, the state letters written.
ROUTES = [
    ('Generate standard "mouse-over" buttons', [4, 5, 6, 7, 8, 9, 13, 14, 15, 16], "s"),
    ('Generate standard "pressed" buttons', [4, 5, 6, 10, 11, 12, 13, 14, 15, 16], "p"),
    ('Generate both "mouse-over" and "pressed" buttons', list(range(4, 17)), "sp"),
    ("Generate static buttons ( No JavaScript - works on any browser )",
     [4, 5, 6, 13, 14, 15, 16], ""),
]


def window_titles():
    """_NET_WM_NAME of every window, as the window manager reads it."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
    titles = []
    for line in tree.splitlines():
        words = line.split()
        if not words or not words[0].startswith("0x"):
            continue
        prop = subprocess.run(["xprop", "-id", words[0], "_NET_WM_NAME"],
                              capture_output=True, text=True).stdout
        if " = " in prop:
            titles.append(prop.split(" = ", 1)[1].strip().strip('"'))
    return titles


def expect_title(title):
    wait_for('a window titled "%s"' % title,
             lambda: True if title in window_titles() else None, 10)


def do_action(node, wanted):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() == wanted:
            action.doAction(i)
            return
    fail('"%s" has no %s action' % (node.name, wanted))


def set_text(node, text):
    node.queryEditableText().setTextContents(text)


def walk(app, pages, back=False):
    for number in pages:
        press(app, "<< Previous" if back else "Next >>")
        on_page(app, number)


def check_files(out_dir, prefix, option, letters):
    for stem in ["1", "2"]:
        for letter in "sp":
            name = os.path.join(out_dir, prefix + stem + letter + ".png")
            if os.path.exists(name) != (letter in letters):
                fail("route %d: %s %s" % (option, name,
                                         "missing" if letter in letters else "written"))
    with open(os.path.join(out_dir, prefix + "project.blp"), encoding="latin-1") as f:
        project = f.read().splitlines()
    for line in ["rgJavascriptOptions=%d" % option, "edOutputDirectoryFileNamePrefix=" + prefix,
                 "LabelText=Home", "LabelText=About|Us"]:
        if line not in project:
            fail("route %d: the project lacks %s" % (option, line))


EXAMPLE_CAPTIONS = ["Home", "About Us", "Products", "Contact"]


def open_at_start(program, project):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    process = subprocess.Popen([program, project], env=env)
    try:
        app = wait_for("the wizard with a project", lambda: application(process), 30)
        on_page(app, 1)
        press(app, "Next >>")
        on_page(app, 2)
        for caption in EXAMPLE_CAPTIONS:
            wait_for("the caption " + caption,
                     lambda: find(app, caption, (pyatspi.ROLE_LIST_ITEM,)))
        press(app, "Cancel")
        process.wait(timeout=10)
        print("AT-SPI walk: a project named at start-up shows its captions")
    finally:
        if process.poll() is None:
            process.kill()


def long_project(project, out_dir, captions):
    """The project with many captions, writing into out_dir."""
    with open(project, encoding="latin-1") as f:
        lines = [line for line in f.read().splitlines() if not line.startswith("LabelText=")]
    lines[1:1] = ["LabelText=Caption %d" % n for n in range(captions)]
    lines = ["lblOutputDirectoryFileName=" + out_dir
             if line.startswith("lblOutputDirectoryFileName=") else line for line in lines]
    name = os.path.join(out_dir, "long.blp")
    with open(name, "w", encoding="latin-1", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")
    return name


def stop_the_run(program, project, out_dir):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    process = subprocess.Popen([program, long_project(project, out_dir, 3000)], env=env)
    try:
        app = wait_for("the wizard with a long project", lambda: application(process), 30)
        on_page(app, 1)
        walk(app, [2, 3, 4, 5, 6, 7, 8, 9, 13, 14, 15])
        press(app, "Next >>")
        # The run keeps page 15, with Stop.
        press(app, "Stop")
        wait_for("the message", lambda: find(app, "OK", (pyatspi.ROLE_PUSH_BUTTON,)))
        press(app, "OK")
        said = wait_for("the stopped run's text", lambda: pyatspi.findDescendant(
            app, lambda x: x.name.startswith("Generation stopped: ") and
            x.name.endswith("\nNo sample page or project copy was written.") and showing(x)))
        said = said.name.replace("\n", " ")
        on_page(app, 15)
        if find(app, "Page 16 of 16") is not None:
            fail("page 16 after Stop")
        others = [name for name in os.listdir(out_dir)
                  if name != "long.blp" and not name.endswith((".png", ".jpg", ".gif"))]
        if others:
            fail("a stopped run wrote " + " ".join(others))
        press(app, "Cancel")
        process.wait(timeout=10)
        print("AT-SPI walk: Stop pressed on page 15, which says: " + said)
    finally:
        if process.poll() is None:
            process.kill()


def main():
    if sys.argv[1] == "--open":
        open_at_start(sys.argv[2], sys.argv[3])
        return
    if sys.argv[1] == "--stop":
        stop_the_run(sys.argv[2], sys.argv[3], sys.argv[4])
        return
    program, temporary = sys.argv[1], sys.argv[2]
    out_dir = os.path.join(temporary, "typed", "new")
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", TMPDIR=temporary)
    process = subprocess.Popen([program], env=env)
    try:
        app = wait_for("the wizard on the accessibility bus", lambda: application(process), 30)
        wait_for("the main window", lambda: find(app, TITLE, (pyatspi.ROLE_FRAME,)))
        expect_title(TITLE)
        pages = wait_for("the page container", lambda: find(app, "Wizard pages"))
        extents = pages.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if (extents.width, extents.height) != (622, 311):
            fail("client area is %dx%d, not 622x311" % (extents.width, extents.height))

        on_page(app, 1)
        # An option dialog from the menu, its title as the window manager shows it.
        item = wait_for("the JPEG options menu item", lambda: pyatspi.findDescendant(
            app, lambda x: x.name == "JPEG image file options"
            and x.getRole() == pyatspi.ROLE_MENU_ITEM))
        do_action(item, "press")
        expect_title("JPEG Image File Options")
        dialog = wait_for("the JPEG options dialog",
                          lambda: find(app, "JPEG Image File Options", (pyatspi.ROLE_DIALOG,)))
        press(dialog, "Cancel")
        press(app, "Next >>")
        on_page(app, 2)
        add_caption(app, "Home")
        add_caption(app, "About|Us")
        press(app, "Next >>")
        on_page(app, 3)
        for option, (radio_name, pages, letters) in enumerate(ROUTES):
            # The radio button's own toggle action, which sends no click.
            radio = wait_for(radio_name, lambda: find(app, radio_name,
                                                      (pyatspi.ROLE_RADIO_BUTTON,)))
            do_action(radio, "toggle")
            wait_for("the option checked",
                     lambda: radio.getState().contains(pyatspi.STATE_CHECKED) or None)
            walk(app, pages[:pages.index(13) + 1])
            prefix_field = wait_for("the prefix", lambda: find(app, "Prefix",
                                                               (pyatspi.ROLE_TEXT,)))
            prefix = "r%d" % option
            later = pages[pages.index(13) + 1:]
            if option == 0:
                # A cleared prefix is refused, not replaced by the one before, and told before
                # any folder is offered for it; a typed folder that is not there is created
                # once confirmed.
                set_text(wait_for("the folder", lambda: find(app, "Output directory",
                                                             (pyatspi.ROLE_TEXT,))), out_dir)
                set_text(prefix_field, "")
                press(app, "Next >>")
                wait_for("the prefix message", lambda: find(
                    app, "File Name Prefix must be 1 - 8 characters"))
                press(app, "OK")
                on_page(app, 13)
                if os.path.isdir(out_dir):
                    fail("a folder was made for a refused prefix")
                set_text(prefix_field, prefix)
                press(app, "Next >>")
                wait_for("the question", lambda: find(
                    app, "The specified directory does not exist. Create it?"))
                press(app, "OK")
                on_page(app, later[0])
                if not os.path.isdir(out_dir):
                    fail("the typed folder was not created")
                later = later[1:]
            else:
                set_text(prefix_field, prefix)
            walk(app, later)
            project = os.path.join(out_dir, prefix + "project.blp")
            wait_for("the project copy", lambda: project if os.path.exists(project) else None, 60)
            check_files(out_dir, prefix, option, letters)
            if option + 1 < len(ROUTES):
                walk(app, list(reversed([3] + pages[:-1])), back=True)
        press(app, "Close")
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            fail("Close did not end the program")
        print("AT-SPI walk: four routes chosen by toggle, folder, prefix and captions set, "
              "files written")
    finally:
        if process.poll() is None:
            process.kill()


if __name__ == "__main__":
    main()
