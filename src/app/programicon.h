#ifndef PROGRAMICON_H
#define PROGRAMICON_H

#include <QIcon>

// The one icon of every window of the program.
QIcon programIcon();

#endif // PROGRAMICON_H
