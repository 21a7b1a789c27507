#include "app/fittedtext.h"
#include "app/itemrow.h"
#include "app/mainwindow.h"
#include "app/songfont.h"
#include "shutdown/schedulerwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLabel>

// The explicit fonts, the coloured texts, the texts fitted to their room and the frames'
// captions, as drawn.
class TestTextStyle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void songFontIsAnInstalledSongFamily_data();
    void songFontIsAnInstalledSongFamily();
    void colouredTextsAreDrawnInTheirColour_data();
    void colouredTextsAreDrawnInTheirColour();
    void fitsTextIntoItsRoom_data();
    void fitsTextIntoItsRoom();
    void setsFrameCaptionsIntoTheBorder_data();
    void setsFrameCaptionsIntoTheBorder();
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
    if (!GuiTest::hasSongFont())
        QSKIP("no Song font is installed here (Wine has no Chinese fonts)");
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

void TestTextStyle::fitsTextIntoItsRoom_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("elided");
    const QString smile = QString::fromUcs4(U"\U0001F600");
    QTest::newRow("empty") << QString() << 33 << false;
    QTest::newRow("short price") << QStringLiteral("450") << 33 << false;
    // As wide as at 7 pt in whatever font the system gives.
    QTest::newRow("seven digits, smaller") << QStringLiteral("1234567") << -7 << false;
    QTest::newRow("forty digits") << QStringLiteral("1234567890").repeated(4) << 33 << true;
    QTest::newRow("ideographs") << QStringLiteral("灵魂灾难").repeated(3) << 79 << true;
    QTest::newRow("two million ideographs") << QString(2000000, QChar(0x9B54)) << 79 << true;
    // Where the fitting stops reading, 4 characters a pixel from either end, a pair straddles
    // the cut; between the cuts and around them, characters without width.
    const QString noWidth(4 * 79 - 2, QChar(0x200B));
    const QString pairsAtTheCuts = QLatin1Char('a') + noWidth + smile
            + QString(100000, QChar(0x200B)) + smile + noWidth + QLatin1Char('b');
    QTest::newRow("pairs at the cuts") << pairsAtTheCuts << 79 << true;
}

void TestTextStyle::fitsTextIntoItsRoom()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(bool, elided);
    const int minimum = 6;
    const QFont font = songFont(9);
    const auto metrics = [&font](int pointSize) {
        QFont sized = font;
        sized.setPointSize(pointSize);
        return QFontMetrics(sized);
    };
    if (width < 0)
        width = metrics(-width).horizontalAdvance(text);

    const FittedText fitted = fitText(text, font, width, minimum);
    QCOMPARE(fitted.elided, elided);
    QVERIFY(fitted.pointSize >= minimum && fitted.pointSize <= 9);
    QVERIFY(metrics(fitted.pointSize).horizontalAdvance(fitted.text) <= width);
    QVERIFY(fitted.text.isValidUtf16());
    if (!elided) {
        // Whole, at the largest size it fits.
        QCOMPARE(fitted.text, text);
        if (fitted.pointSize < 9)
            QVERIFY(metrics(fitted.pointSize + 1).horizontalAdvance(text) > width);
        return;
    }
    QCOMPARE(fitted.pointSize, minimum);
    const qsizetype cut = fitted.text.indexOf(QChar(0x2026));
    QVERIFY2(cut > 0, qPrintable(fitted.text));
    QVERIFY(text.startsWith(fitted.text.left(cut)));
    QVERIFY(fitted.text.size() > cut + 1);
    QVERIFY(text.endsWith(fitted.text.mid(cut + 1)));
}

void TestTextStyle::setsFrameCaptionsIntoTheBorder_data()
{
    QTest::addColumn<bool>("inScheduler");
    QTest::addColumn<QString>("name");
    QTest::newRow("total") << false << QStringLiteral("Frame1");
    QTest::newRow("clock time") << true << QStringLiteral("Frame1");
    QTest::newRow("countdown") << true << QStringLiteral("Frame2");
}

void TestTextStyle::setsFrameCaptionsIntoTheBorder()
{
    QFETCH(bool, inScheduler);
    QFETCH(QString, name);
    FakePlatform fakes;
    MainWindow main(fakes.platform);
    SchedulerWindow scheduler(fakes.platform);
    QWidget *window = inScheduler ? static_cast<QWidget *>(&scheduler) : &main;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QWidget *frame = GuiTest::child(window, name);

    // The frame as it draws itself, without its controls.
    QImage drawn(frame->size(), QImage::Format_RGB32);
    frame->render(&drawn, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    const QRgb background = frame->palette().color(QPalette::Window).rgb();
    const int right = frame->width() - 3;
    int border = 0;
    while (border < frame->height() && drawn.pixel(right, border) == background)
        ++border;
    // The caption: the dark strokes, darker than any line of the border.
    QRect caption;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (qGray(drawn.pixel(x, y)) < 128)
                caption |= QRect(x, y, 1, 1);
        }
    }
    QVERIFY(!caption.isEmpty());
    // The middle of the two-pixel line, border + 1, lies in the caption's middle third.
    const double third = caption.height() / 3.0;
    QVERIFY2(border + 1 > caption.top() + third && border + 1 < caption.top() + 2 * third,
             qPrintable(QString("caption %1 to %2, border at %3")
                                .arg(caption.top())
                                .arg(caption.bottom())
                                .arg(border)));
    // The line runs from the left edge and breaks off before the caption.
    QVERIFY(drawn.pixel(3, border) != background);
    QCOMPARE(drawn.pixel(caption.left() - 1, border), background);

    const QList<QWidget *> controls = frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QVERIFY(!controls.isEmpty());
    for (const QWidget *control : controls) {
        const QByteArray what = control->objectName().toUtf8();
        QVERIFY2(control->y() > border + 1, what.constData());
        QVERIFY2(frame->rect().contains(control->geometry()), what.constData());
        QVERIFY2(!caption.intersects(control->geometry()), what.constData());
    }
    QVERIFY(!frame->accessibleName().isEmpty());
}

ORMEK_GUI_TEST_MAIN(TestTextStyle)
#include "tst_textstyle.moc"
