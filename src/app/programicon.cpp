#include "app/programicon.h"

QIcon programIcon()
{
    QIcon icon;
    for (const int size : { 16, 24, 32, 48, 64, 128, 256 })
        icon.addFile(QStringLiteral(":/icons/net.ormek.Calculator-%1.png").arg(size),
                     QSize(size, size));
    return icon;
}
