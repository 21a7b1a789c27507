#include "app/itemrow.h"
#include "app/mainwindow.h"
#include "app/songfont.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QFontInfo>
#include <QImage>
#include <QLabel>

// The explicit fonts and the coloured texts, as drawn.
class TestTextStyle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void songFontIsAnInstalledSongFamily_data();
    void songFontIsAnInstalledSongFamily();
    void colouredTextsAreDrawnInTheirColour_data();
    void colouredTextsAreDrawnInTheirColour();
};

void TestTextStyle::songFontIsAnInstalledSongFamily_data()
{
    QTest::addColumn<int>("pointSize");
    QTest::newRow("link") << 9;
    QTest::newRow("quantity") << 12;
    QTest::newRow("total") << 15;
}

void TestTextStyle::songFontIsAnInstalledSongFamily()
{
    QFETCH(int, pointSize);
    const QFontInfo info(songFont(pointSize));
    // The test machine has the Noto CJK fonts; a machine with 宋体 draws with that.
    const QStringList song { QStringLiteral("SimSun"), QStringLiteral("宋体"),
                             QStringLiteral("NSimSun"), QStringLiteral("Noto Serif CJK SC") };
    QVERIFY2(song.contains(info.family()), qPrintable(info.family()));
    QCOMPARE(info.pointSize(), pointSize);
}

void TestTextStyle::colouredTextsAreDrawnInTheirColour_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("status") << QStringLiteral("Label6") << QColor(255, 0, 0);
    QTest::newRow("total") << QStringLiteral("zj") << QColor(255, 0, 0);
    QTest::newRow("price") << QStringLiteral("l1") << QColor(255, 0, 0);
    QTest::newRow("edit link") << QStringLiteral("s9") << QColor(0, 0, 255);
}

void TestTextStyle::colouredTextsAreDrawnInTheirColour()
{
    QFETCH(QString, name);
    QFETCH(QColor, colour);
    FakePlatform fakes;
    MainWindow window(fakes.platform);
    window.row(1).setPrice(QStringLiteral("1,250"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto *label = window.findChild<QLabel *>(name);
    QVERIFY(label);
    // Glyph edges blend into the background; the strokes' cores are the pure colour.
    const QImage drawn = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int pure = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x)
            pure += drawn.pixel(x, y) == colour.rgb();
    }
    QVERIFY2(pure >= 3, qPrintable(QString::number(pure)));
}

ORMEK_GUI_TEST_MAIN(TestTextStyle)
#include "tst_textstyle.moc"
