#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

"""Asks an X window to close, as a window manager's close button does: WM_DELETE_WINDOW.

    close-window.py WINDOW-ID

On a busy machine Qt now and then lets such a message pass without closing the window, as a
user's click may go unheeded; the user clicks again, and so does this, up to five times, until
the window is gone or no longer shown.
"""
import sys
import time

from Xlib import X, display, error
from Xlib.protocol import event


def shown(window):
    try:
        return window.get_attributes().map_state == X.IsViewable
    except error.BadWindow:
        return False


def main():
    screen = display.Display()
    window = screen.create_resource_object("window", int(sys.argv[1], 0))
    protocols = screen.intern_atom("WM_PROTOCOLS")
    delete = screen.intern_atom("WM_DELETE_WINDOW")
    for _ in range(5):
        message = event.ClientMessage(window=window, client_type=protocols,
                                      data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(message, event_mask=X.NoEventMask)
        screen.flush()
        for _ in range(30):
            time.sleep(0.1)
            if not shown(window):
                return
    print(f"close-window.py: window {sys.argv[1]} is still shown", file=sys.stderr)


if __name__ == "__main__":
    main()
