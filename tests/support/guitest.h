// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef GUITEST_H
#define GUITEST_H

#include "platform/qttranslation.h"

// The tests take Qt Widgets and Qt Test whole, as Qt's own examples take their module.
#include <QtTest>
#include <QtWidgets>
#include <functional>

namespace GuiTest {

// Forces the offscreen platform, a private configuration folder and a fixed locale.
// Call before the application object is made.
void prepareEnvironment();

// Fails the running test, instead of blocking it, when a real modal box opens.
void guardAgainstModalBoxes();

// Answers the next real modal box or menu as a user would, by answer(box), as soon as it opens.
void answerModalBox(std::function<void(QWidget *box)> answer);

// Lets queued checks and the deletion of closed windows happen.
void settle();

// Sends each character as the key event an input method would; keyClicks() takes Latin-1 only.
void typeText(QWidget *widget, const QString &text);

// The visible top-level window of that object name, or null.
QWidget *shownWindow(const QString &objectName);

// Tests tick by hand: the window's timer "Timer1" must not tick between their steps. Returns
// the interval it had.
int freezeTimer(QObject *window);

// One tick of the window's timer, through its timeout signal, as though its time had come; none
// when it is stopped.
void fireTimer(QObject *window, const char *timer = "Timer1");

// Puts stand-ins named like the shutdown programs into folder. Each only appends
// "<its name> <arguments>" to the file whose name this returns, and ends with exitCode.
// Empty when they could not be made.
QString writeShutdownStandIns(const QString &folder, int exitCode = 0);

template<class T = QWidget>
T *child(const QObject *parent, const QString &name)
{
    T *found = parent->findChild<T *>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

inline void click(const QObject *parent, const QString &name)
{
    QTest::mouseClick(child(parent, name), Qt::LeftButton);
}

// A click that comes from the window system, as a user's does: a window that a modal box
// blocks does not get it, and the right button opens the context menu.
void clickThroughWindow(const QObject *parent, const QString &name,
                        Qt::MouseButton button = Qt::LeftButton);

} // namespace GuiTest

#define ORMEK_GUI_TEST_MAIN(TestObject)                                                            \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        GuiTest::prepareEnvironment();                                                             \
        QApplication app(argc, argv);                                                              \
        installQtTranslation();                                                                    \
        GuiTest::guardAgainstModalBoxes();                                                         \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

#endif // GUITEST_H
