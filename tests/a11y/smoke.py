"""Uses LEXA as a screen reader does, over AT-SPI: finds it on the
accessibility bus, presses "Neues Wort" and the button that opens the search
window through the action interface, and reads both windows.

Usage (on a session bus and an X display, see smoke.sh):
    smoke.py LEXA DICTIONARY_FOLDER
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi


def wait_for(what, find, seconds=30):
    """The first true result of find(), polled; fails after `seconds`."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    sys.exit(f"FAIL: {what} not found within {seconds} s")


def showing(node):
    return node is not None and node.getState().contains(pyatspi.STATE_SHOWING)


def read(node, depth=0, lines=None):
    """The shown controls below node as 'role "name"' lines, each with the
    names of the labels that label it; the entries of a list are left out."""
    lines = [] if lines is None else lines
    for child in node:
        if not showing(child):
            continue
        labels = [r.getTarget(i).name for r in child.getRelationSet()
                  if r.getRelationType() == pyatspi.RELATION_LABELLED_BY
                  for i in range(r.getNTargets())]
        lines.append("  " * depth + f'{child.getRoleName()} "{child.name}"' +
                     (f" labelled by {labels}" if labels else ""))
        if child.getRole() != pyatspi.ROLE_LIST:
            read(child, depth + 1, lines)
    return lines


def find(node, role, name):
    """The shown control of that role and name below node, or None."""
    for child in node:
        if not showing(child):
            continue
        if child.getRole() == role and child.name == name:
            return child
        found = find(child, role, name)
        if found is not None:
            return found
    return None


def press(button):
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        sys.exit(f'FAIL: "{button.name}" offers no Press action, only {names}')
    action.doAction(names.index("Press"))


def shown_window(app, role):
    return next((w for w in app if showing(w) and w.getRole() == role), None)


def check(lines, pattern, window):
    if not any(re.search(pattern, line) for line in lines):
        sys.exit(f"FAIL: {pattern} not read in the {window}")


def main():
    lexa, dictionary = sys.argv[1:3]
    # The accessibility bus must run before the program asks for it.
    subprocess.run(["gdbus", "call", "--session", "--dest", "org.a11y.Bus",
                    "--object-path", "/org/a11y/bus", "--method",
                    "org.a11y.Bus.GetAddress"], check=True, stdout=subprocess.DEVNULL)
    with tempfile.TemporaryDirectory() as scratch:
        folder = os.path.join(scratch, "demo")
        shutil.copytree(dictionary, folder)
        use(lexa, folder)
    print("PASS")


def use(lexa, folder):
    """Starts LEXA on the dictionary in folder and uses both windows."""
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    program = subprocess.Popen([lexa, folder], env=env)
    try:
        app = wait_for("LEXA on the accessibility bus", lambda: next(
            (a for a in pyatspi.Registry.getDesktop(0)
             if a is not None and a.name == "LEXA" and a.childCount > 0), None) or
            (program.poll() is not None and sys.exit(f"FAIL: LEXA ended ({program.returncode})")))
        main_window = app.getChildAtIndex(0)
        new_word = wait_for('"Neues Wort"', lambda: find(
            main_window, pyatspi.ROLE_PUSH_BUTTON, "Neues Wort"))
        press(new_word)
        cancel = wait_for('"Abbruch" after "Neues Wort"', lambda: find(
            main_window, pyatspi.ROLE_PUSH_BUTTON, "Abbruch"))
        lines = read(main_window)
        print(f"== {main_window.name}, new word\n" + "\n".join(lines))
        check(lines, r'^\s*label "Wörterbuch enthält \d+ Wörter"$', "main window")
        check(lines, r'^\s*text "Wort" labelled by \[\'Wort\'\]$', "main window")
        check(lines, r'^\s*list "Icon-Dateien"$', "main window")
        press(cancel)
        search = wait_for('"Wörter aus dem Wörterbuch herausnehmen"', lambda: find(
            main_window, pyatspi.ROLE_PUSH_BUTTON, "Wörter aus dem Wörterbuch herausnehmen"))
        press(search)
        search_window = wait_for("the search window",
                                 lambda: shown_window(app, pyatspi.ROLE_DIALOG))
        wait_for('"Zurück"', lambda: find(search_window, pyatspi.ROLE_PUSH_BUTTON, "Zurück"))
        lines = read(search_window)
        print(f"== {search_window.name}\n" + "\n".join(lines))
        check(lines, r'^\s*label "\d+ gefundene Wörter"$', "search window")
        check(lines, r'^\s*list "gefundene Wörter"$', "search window")
        check(lines, r'^\s*push button "die beginnen mit\.\.\."$', "search window")
    finally:
        program.terminate()
        program.wait()


if __name__ == "__main__":
    main()
