// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef WINDOWSLOT_H
#define WINDOWSLOT_H

#include <QPointer>
#include <QWidget>
#include <functional>

// A window that exists at most once. Showing creates it when it does not exist, shows it
// again as it was when hidden, and brings it to the front when visible. Its title-bar
// close button discards it; the next show creates it afresh.
template<class Window>
class WindowSlot
{
public:
    using Factory = std::function<Window *()>;

    explicit WindowSlot(Factory factory) : m_factory(std::move(factory)) { }
    ~WindowSlot() { delete m_window.data(); }

    WindowSlot(const WindowSlot &) = delete;
    WindowSlot &operator=(const WindowSlot &) = delete;

    Window *show()
    {
        Window *window = ensure();
        // A window left in the taskbar minimised comes back as it was.
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
        window->raise();
        window->activateWindow();
        return window;
    }

    // The window, created if needed but not shown.
    Window *ensure()
    {
        if (!m_window) {
            m_window = m_factory();
            m_window->setAttribute(Qt::WA_DeleteOnClose);
        }
        return m_window;
    }

    // The window, or null when it does not exist.
    Window *window() const { return m_window; }

private:
    Factory m_factory;
    QPointer<Window> m_window;
};

#endif // WINDOWSLOT_H
