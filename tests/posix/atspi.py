"""Reads and presses a box through AT-SPI, as a screen reader would.

  atspi.py describe TITLE      role, description, then "label: ..." and
                               "button: ..." lines, in the window's order
  atspi.py press TITLE NAME    performs the named push button's action
  atspi.py extents TITLE       "x y width height" of the window, then of
                               each push button, in screen coordinates
  atspi.py focusable TITLE     the role of every focusable node, then
                               "default: NAME" for each default button
  atspi.py scrollbar TITLE     "beside" where a scroll bar shows beside the
                               text, not over it; else "none" or "over"

Waits up to 20 s for a window of that name; exits 1 without one.
"""
import sys
import time

import pyatspi


def find_window(title):
    deadline = time.time() + 20
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            for window in app or []:
                if window is not None and window.name == title:
                    return window
        time.sleep(0.1)
    sys.exit(1)


def walk(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from walk(child)


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return f"{box.x} {box.y} {box.width} {box.height}"


def main(command, title, *rest):
    window = find_window(title)
    nodes = list(walk(window))
    buttons = [n for n in nodes if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    if command == "describe":
        print(window.getRoleName())
        print(window.description.replace("\r\n", "|").replace("\n", "|"))
        for node in nodes:
            if node.getRole() == pyatspi.ROLE_LABEL and node.name:
                # A CR shows as such: screen readers must get plain line feeds.
                print("label: " + node.name.replace("\r", "<CR>").replace("\n", "|"))
            elif node.getRole() == pyatspi.ROLE_ICON:
                print("icon: " + node.name)
        for button in buttons:
            print("button: " + button.name)
    elif command == "press":
        button = next(b for b in buttons if b.name == rest[0])
        button.queryAction().doAction(0)
    elif command == "extents":
        print(extents(window))
        for button in buttons:
            print(extents(button))
    elif command == "scrollbar":
        bars = [n for n in nodes if n.getRole() == pyatspi.ROLE_SCROLL_BAR
                and n.getState().contains(pyatspi.STATE_SHOWING)]
        texts = [n for n in nodes if n.getRole() == pyatspi.ROLE_LABEL and n.name]
        if not bars or not texts:
            print("none")
            return
        bar = bars[0].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        text = texts[0].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        visible = texts[0].parent.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        right = min(text.x + text.width, visible.x + visible.width)
        print("beside" if bar.width > 0 and bar.x >= right else "over")
    elif command == "focusable":
        for node in nodes:
            if node.getState().contains(pyatspi.STATE_FOCUSABLE):
                print(node.getRoleName())
        for button in buttons:
            if button.getState().contains(pyatspi.STATE_IS_DEFAULT):
                print("default: " + button.name)


if __name__ == "__main__":
    main(*sys.argv[1:])
