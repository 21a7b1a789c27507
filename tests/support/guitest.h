#ifndef GUITEST_H
#define GUITEST_H

#include <QApplication>
#include <QTest>

namespace GuiTest {

// Forces the offscreen platform, a private configuration folder and a fixed locale.
// Call before the application object is made.
void prepareEnvironment();

// Fails the running test, instead of blocking it, when a real modal box opens.
void guardAgainstModalBoxes();

} // namespace GuiTest

#define ORMEK_GUI_TEST_MAIN(TestObject)                                                            \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        GuiTest::prepareEnvironment();                                                             \
        QApplication app(argc, argv);                                                              \
        GuiTest::guardAgainstModalBoxes();                                                         \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

#endif // GUITEST_H
