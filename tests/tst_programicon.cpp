#include "app/programicon.h"
#include "support/guitest.h"

class TestProgramIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hasEverySize();
};

void TestProgramIcon::hasEverySize()
{
    const QIcon icon = programIcon();
    for (const int size : { 16, 24, 32, 48, 64, 128, 256 }) {
        const QPixmap pixmap = icon.pixmap(QSize(size, size));
        QVERIFY2(!pixmap.isNull(), qPrintable(QString::number(size)));
        QCOMPARE(pixmap.size(), QSize(size, size));
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    }
}

ORMEK_GUI_TEST_MAIN(TestProgramIcon)
#include "tst_programicon.moc"
