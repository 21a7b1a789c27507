#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

"""Asks an X window to close, as a window manager's close button does: WM_DELETE_WINDOW.

    close-window.py WINDOW-ID
"""
import sys

from Xlib import X, display
from Xlib.protocol import event


def main():
    screen = display.Display()
    window = screen.create_resource_object("window", int(sys.argv[1], 0))
    protocols = screen.intern_atom("WM_PROTOCOLS")
    delete = screen.intern_atom("WM_DELETE_WINDOW")
    message = event.ClientMessage(window=window, client_type=protocols,
                                  data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(message, event_mask=X.NoEventMask)
    screen.flush()


if __name__ == "__main__":
    main()
