#include "app/fittedtext.h"
#include "app/itemrow.h"
#include "app/mainwindow.h"
#include "app/programfont.h"
#include "app/songfont.h"
#include "shutdown/schedulerwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QImage>
#include <QLabel>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>

// The explicit fonts, the coloured texts, the texts fitted to their room and the frames'
// captions, as drawn.
class TestTextStyle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drawsInSongFontAndColour()
    {
        FakePlatform fakes;
        MainWindow window(fakes.platform);
        window.row(1).setPrice(QStringLiteral("1,250"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Glyph edges blend into the background; the strokes' cores are the pure colour.
        const std::pair<const char *, QRgb> colours[] = {
            { "Label6", qRgb(255, 0, 0) },
            { "zj", qRgb(255, 0, 0) },
            { "l1", qRgb(255, 0, 0) },
            { "s9", qRgb(0, 0, 255) },
        };
        for (const auto &[name, colour] : colours) {
            const QImage drawn = GuiTest::child(&window, name)
                                         ->grab()
                                         .toImage()
                                         .convertToFormat(QImage::Format_RGB32);
            int pure = 0;
            for (int y = 0; y < drawn.height(); ++y) {
                for (int x = 0; x < drawn.width(); ++x)
                    pure += drawn.pixel(x, y) == colour;
            }
            QVERIFY2(pure >= 3, name);
        }

        // The interface font stays the desktop's, with Chinese glyphs found behind it.
        const QFont desktop("DejaVu Sans", 11);
        QCOMPARE(programFont(desktop).families().value(0), desktop.family());
        QCOMPARE(programFont(desktop).pointSize(), 11);
        // In the Simplified Chinese forms, whatever the language, where a face that comes in
        // several forms is installed.
        const auto severalForms = [](const QString &family) {
            return family.contains("CJK") || family.contains("Source Han");
        };
        const QStringList installed = QFontDatabase::families();
        if (std::any_of(installed.cbegin(), installed.cend(), severalForms)) {
            QTextLayout layout("骨", programFont(desktop));
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            const QString face = layout.glyphRuns().value(0).rawFont().familyName();
            QVERIFY2(!severalForms(face) || face.endsWith(" SC"), qPrintable(face));
        }

        if (!GuiTest::hasSongFont())
            QSKIP("no Song font is installed here (Wine has no Chinese fonts)");
        // The test machine has the Noto CJK fonts; a machine with 宋体 draws with that.
        const QStringList song { "SimSun", "宋体", "NSimSun", "Noto Serif CJK SC" };
        for (int pointSize : { 9, 12, 15 }) {
            const QFontInfo info(songFont(pointSize));
            QVERIFY2(song.contains(info.family()), qPrintable(info.family()));
            QCOMPARE(info.pointSize(), pointSize);
        }
    }

    // However long the text, only its two ends are measured and shown; a pair of UTF-16 halves is
    // never cut apart, also where characters without width sit at the cuts.
    void fitsTheEndsOfLongTexts()
    {
        const QString smile = QString::fromUcs4(U"\U0001F600");
        const QString noWidth(4 * 79 - 2, QChar(0x200B));
        // Digits that fit only at the smallest size are shown whole in it.
        const int narrowest = QFontMetrics(songFont(6)).horizontalAdvance("1234567890");
        const auto shown = [](const FittedText &fitted) {
            return fitted.text + u' ' + QString::number(fitted.pointSize)
                    + (fitted.elided ? " elided" : "");
        };
        QCOMPARE(shown(fitText("1234567890", songFont(9), narrowest, 6)), "1234567890 6");
        // As many characters as may share the width fit whole, when they have none.
        const QString filled = u'a' + noWidth + QChar(0x200B);
        QCOMPARE(shown(fitText(filled, songFont(9), 79, 6)), filled + " 9");
        const QString texts[] = { QString(2000000, QChar(0x9B54)),
                                  u'a' + noWidth + smile + QString(100000, QChar(0x200B)) + smile
                                          + noWidth + u'b' };
        for (const QString &text : texts) {
            const FittedText fitted = fitText(text, songFont(9), 79, 6);
            QVERIFY(fitted.elided);
            QCOMPARE(fitted.pointSize, 6);
            QVERIFY(fitted.text.isValidUtf16());
            const qsizetype cut = fitted.text.indexOf(QChar(0x2026));
            QVERIFY(cut > 0 && fitted.text.size() > cut + 1);
            QVERIFY(text.startsWith(fitted.text.left(cut)));
            QVERIFY(text.endsWith(fitted.text.mid(cut + 1)));
        }
    }

    void setsFrameCaptionsIntoTheBorder_data()
    {
        QTest::addColumn<bool>("inScheduler");
        QTest::addColumn<QString>("name");
        QTest::newRow("total") << false << QStringLiteral("Frame1");
        QTest::newRow("clock time") << true << QStringLiteral("Frame1");
        QTest::newRow("countdown") << true << QStringLiteral("Frame2");
    }

    void setsFrameCaptionsIntoTheBorder()
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
        int border = 0;
        while (border < frame->height() && drawn.pixel(frame->width() - 3, border) == background)
            ++border;
        // The caption: the dark strokes, darker than any line of the border.
        QRect caption;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                if (qGray(drawn.pixel(x, y)) < 128)
                    caption |= QRect(x, y, 1, 1);
            }
        }
        // The middle of the two-pixel line, border + 1, lies in the caption's middle third; the
        // line runs from the left edge and breaks off before the caption.
        QVERIFY(border + 1 > caption.top() + caption.height() / 3.0);
        QVERIFY(border + 1 < caption.top() + caption.height() * 2 / 3.0);
        QVERIFY(drawn.pixel(3, border) != background);
        QCOMPARE(drawn.pixel(caption.left() - 1, border), background);

        const QList<QWidget *> controls =
                frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QVERIFY(!controls.isEmpty());
        for (const QWidget *control : controls) {
            QVERIFY(control->y() > border + 1);
            QVERIFY(frame->rect().contains(control->geometry()));
            QVERIFY(!caption.intersects(control->geometry()));
        }
        QVERIFY(!frame->accessibleName().isEmpty());
    }
};

ORMEK_GUI_TEST_MAIN(TestTextStyle)
#include "tst_textstyle.moc"
