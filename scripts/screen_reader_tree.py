# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: Kribed PRO developers
"""Prints the editor's main window as AT-SPI shows it to a screen reader (scripts/screen-reader-check).

Waits for the editor on the accessibility bus, answers the messages on the way by their default
button, prints each object's role, name and description, indented by depth, then what the
focused cell says as the arrow keys move it. Table cells are cut to the first rows, menus are not
opened. Exit status 1 when the window never appears.
"""
import sys
import time

import pyatspi

SHOWN_TABLE_CHILDREN = 40


def editor_application():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name.lower().startswith("kribed"):
                return app
        time.sleep(0.2)
    return None


def press_default_button(window):
    """The start-up message box: its button is pressed as Return would."""
    buttons = pyatspi.findAllDescendants(window, lambda o: o.getRoleName() == "push button")
    # The default button first, as Return presses it.
    buttons.sort(key=lambda o: not o.getState().contains(pyatspi.STATE_IS_DEFAULT))
    for button in buttons:
        action = button.queryAction()
        if action.nActions:
            action.doAction(0)
            return True
    return False


def shows_grid(window):
    return pyatspi.findDescendant(
        window, lambda o: o.getRoleName() == "table"
        and o.getState().contains(pyatspi.STATE_SHOWING)) is not None


def main_window(app):
    """The main window once it shows the database's grid; messages on the way are answered."""
    frame = None
    for _ in range(100):
        for window in app:
            if window is None:
                continue
            if window.getRoleName() in ("dialog", "alert") and window.childCount:
                print("Message on the way:")
                show(window, 1)
                press_default_button(window)
            elif window.getRoleName() == "frame" and "Kribed PRO" in window.name:
                frame = window
                if shows_grid(window):
                    return window
        time.sleep(0.2)
    return frame


def show(node, depth=0):
    role = node.getRoleName()
    states = node.getState()
    if not states.contains(pyatspi.STATE_SHOWING) and depth > 0:
        return
    text = f"{'  ' * depth}[{role}] {node.name!r}"
    if node.description:
        text += f" — {node.description!r}"
    if states.contains(pyatspi.STATE_FOCUSED):
        text += " (focused)"
    print(text)
    if role == "menu":
        return
    for index, child in enumerate(node):
        if role == "table" and index >= SHOWN_TABLE_CHILDREN:
            print(f"{'  ' * (depth + 1)}... {node.childCount - index} more")
            break
        if child is not None:
            show(child, depth + 1)


def main():
    app = editor_application()
    if app is None:
        print("the editor did not appear on the accessibility bus", file=sys.stderr)
        return 1
    window = main_window(app)
    if window is None:
        print("the main window did not appear", file=sys.stderr)
        return 1
    time.sleep(1)  # the status timer's first ticks name the panels
    show(window)
    announce_moves(window)
    return 0


def focused_cell(window):
    table = pyatspi.findDescendant(window, lambda o: o.getRoleName() == "table")
    if table is None:
        return None
    for cell in table:
        if cell is not None and cell.getState().contains(pyatspi.STATE_FOCUSED):
            return cell
    return None


def announce_moves(window):
    """What the reader says as the current cell moves with the arrow keys."""
    print("Moving the current cell:")
    for name, keycode in (("Down", 116), ("Right", 114), ("Right", 114)):
        pyatspi.Registry.generateKeyboardEvent(keycode, None, pyatspi.KEY_PRESSRELEASE)
        time.sleep(0.5)
        cell = focused_cell(window)
        said = f"{cell.name!r} — {cell.description!r}" if cell else "no focused cell"
        print(f"  {name}: {said}")


if __name__ == "__main__":
    sys.exit(main())
