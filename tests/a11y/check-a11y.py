#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

"""Opens every window of the running program through AT-SPI, walks its accessibility tree and
fails on any control that shows a value but has neither an accessible name nor a description,
and on typing fields of one window that a reader cannot tell apart by name.
The final countdown is checked from a one-second schedule and cancelled at once.

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


def check(root):
    """Returns how many controls that show a value were checked, how many of them are typing
    fields, and the problems found."""
    problems = []
    checked = 0
    fields = 0
    # Names of the typing fields met so far, by window.
    field_names = {}
    for node, path in walk(root):
        if node.getRole() not in VALUE_ROLES:
            continue
        state = node.getState()
        if not state.contains(pyatspi.STATE_SHOWING):
            continue
        checked += 1
        where = f"{node.getRoleName()} at {root.name}/{'/'.join(path)}"
        name = (node.name or "").strip()
        if not name and not (node.description or "").strip():
            problems.append(f"no accessible name or description: {where}")
        if state.contains(pyatspi.STATE_EDITABLE):
            fields += 1
            window = path[:1] if root.getRole() == pyatspi.ROLE_APPLICATION else ()
            names = field_names.setdefault(window, set())
            if not name or name in names:
                problems.append(f"a typing field without a name of its own: {where}")
            names.add(name)
    return checked, fields, problems


def wait_for(find, what, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    raise RuntimeError(f"{what} did not appear")


def window(app, title):
    for index in range(app.childCount):
        child = app.getChildAtIndex(index)
        if child is not None and child.name == title \
                and child.getState().contains(pyatspi.STATE_SHOWING):
            return child
    return None


def press(app, role, name, inside=None):
    root = app if inside is None else inside
    click(wait_for(lambda: find_by(root, role, name), f"{name!r}"))


def open_help(app):
    press(app, pyatspi.ROLE_MENU_ITEM, "帮助")
    wait_for(lambda: window(app, "帮助"), "the help window")


def open_preview(app):
    menu = wait_for(lambda: find_by(app, pyatspi.ROLE_MENU_ITEM, "查看方案"), "'查看方案'")
    click(menu)
    press(app, pyatspi.ROLE_MENU_ITEM, "方案一", inside=menu)
    wait_for(lambda: window(app, "方案一"), "the preview window")


def open_scheduler(app):
    press(app, pyatspi.ROLE_PUSH_BUTTON, "自动关机")
    wait_for(lambda: window(app, "自动关机"), "the scheduler")


def check_final_countdown(app):
    """Starts a one-second countdown, checks the final countdown window and cancels it
    well before its ten seconds are over."""
    scheduler = wait_for(lambda: window(app, "自动关机"), "the scheduler")
    frame = find_by(scheduler, pyatspi.ROLE_PANEL, "倒计时关机") \
        or find_by(scheduler, pyatspi.ROLE_FILLER, "倒计时关机")
    if frame is None:
        raise RuntimeError("no frame 倒计时关机")
    seconds = next(node for node, _ in walk(frame)
                   if node.getRole() == pyatspi.ROLE_TEXT and node.description == "倒计时的秒数")
    seconds.queryEditableText().setTextContents("1")
    press(app, pyatspi.ROLE_PUSH_BUTTON, "开始", inside=frame)
    countdown = wait_for(lambda: window(app, "关机"), "the final countdown")
    started = time.monotonic()
    checked, fields, problems = check(countdown)
    press(app, pyatspi.ROLE_PUSH_BUTTON, "取消关机", inside=countdown)
    wait_for(lambda: None if window(app, "关机") else True, "the end of the final countdown")
    elapsed = time.monotonic() - started
    print(f"final countdown: {checked} controls checked, cancelled after {elapsed:.1f} s")
    if elapsed > 8:
        raise RuntimeError("the final countdown was not cancelled within 8 seconds")
    return checked, fields, problems


# Each opens one more window so that its controls are checked as well.
OPENERS = [open_help, open_preview, open_scheduler]


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
            print(f"opened: {opener.__name__}")
        time.sleep(1.0)
        checked, fields, problems = check(app)
        more_checked, more_fields, more_problems = check_final_countdown(app)
        checked += more_checked
        fields += more_fields
        problems += more_problems
        for problem in problems:
            print(f"FAIL: {problem}")
        print(f"{checked} controls that show a value checked, {fields} of them typing fields;"
              f" {len(problems)} problems")
        return 1 if problems or checked == 0 else 0
    finally:
        process.terminate()
        process.wait(timeout=10)


if __name__ == "__main__":
    sys.exit(main())
