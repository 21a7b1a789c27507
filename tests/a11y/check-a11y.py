#!/usr/bin/python3
"""Walks the accessibility tree of the running program and fails on any control that shows a
value but has neither an accessible name nor a description.

Run by tests/a11y/run-a11y-check.sh inside its own D-Bus session and X server."""

import os
import subprocess
import sys
import time

import pyatspi

PROGRAM = sys.argv[1]
APP_NAMES = {"Ormek商人计算器", "ormek-calculator"}

# Roles of controls that show a value: a reader needs a name or a description for each.
VALUE_ROLES = {
    pyatspi.ROLE_LABEL,
    pyatspi.ROLE_STATIC,
    pyatspi.ROLE_PUSH_BUTTON,
    pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_PROGRESS_BAR,
    pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_STATUS_BAR,
}


def find_app(timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name in APP_NAMES:
                return app
        time.sleep(0.2)
    return None


def walk(node, path=()):
    yield node, path
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child, path + (f"{child.getRoleName()}[{index}]",))


def find_by(node, role, name):
    for child, _ in walk(node):
        if child.getRole() == role and child.name == name:
            return child
    return None


def click(node):
    action = node.queryAction()
    for index in range(action.nActions):
        if action.getName(index) in ("press", "click", "Press", "SetFocus") or index == 0:
            action.doAction(index)
            return
    raise RuntimeError(f"{node.name} has no action")


def check(app):
    problems = []
    checked = 0
    for node, path in walk(app):
        if node.getRole() not in VALUE_ROLES:
            continue
        if not node.getState().contains(pyatspi.STATE_SHOWING):
            continue
        checked += 1
        if not (node.name or "").strip() and not (node.description or "").strip():
            problems.append(f"{node.getRoleName()} at {'/'.join(path)}")
    return checked, problems


def main():
    process = subprocess.Popen([PROGRAM])
    try:
        app = find_app()
        if app is None:
            print("FAIL: the program did not join the accessibility bus")
            return 1
        time.sleep(1.0)
        for opener in OPENERS:
            opener(app)
        time.sleep(1.0)
        checked, problems = check(app)
        for problem in problems:
            print(f"FAIL: no accessible name or description: {problem}")
        print(f"{checked} controls that show a value checked, {len(problems)} without a name")
        return 1 if problems or checked == 0 else 0
    finally:
        process.terminate()
        process.wait(timeout=10)


def open_scheduler(app):
    button = find_by(app, pyatspi.ROLE_PUSH_BUTTON, "自动关机")
    if button is not None:
        click(button)


# Each opens one more window so that its controls are checked as well.
OPENERS = [open_scheduler]

if __name__ == "__main__":
    sys.exit(main())
