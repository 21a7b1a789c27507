// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/clocktext.h"
#include "mainwindow/itemrow.h"
#include "mainwindow/mainwindow.h"
#include "shutdown/schedulerwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"
#include "widgets/fittedtext.h"
#include "widgets/programfont.h"
#include "widgets/songfont.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRawFont>
#include <QSignalSpy>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <QTimer>

using GuiTest::child;
using GuiTest::click;

// The main window wires its rows to the total, the clock, the key filter and the input boxes,
// and draws its texts in their fonts and colours, fitted to their room.
class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fakes = new FakePlatform;
        m_window = new MainWindow(m_fakes->platform);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }

    void cleanup()
    {
        delete m_window;
        delete m_fakes;
    }

    void addsUpAtEachTick_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("prices");
        QTest::addColumn<QStringList>("quantities");
        QTest::addColumn<QString>("total");
        const QLocale chinese(QLocale::Chinese, QLocale::China);
        const QLocale german(QLocale::German, QLocale::Germany);
        using L = QStringList;
        QTest::newRow("one row") << chinese << L { "3000" } << L { "2" } << "6,000";
        // Stored prices, "1,000" of an older version and "2.5", read the same in every locale.
        QTest::newRow("older prices, German")
                << german << L { "1,000", "2.5" } << L { "1", "3" } << "1,007.5";
        QTest::newRow("long total shows whole")
                << chinese << L { "999999999999" } << L { "999" } << "998,999,999,999,001";
    }

    // Typed quantities count at the total timer's next tick, not before.
    void addsUpAtEachTick()
    {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, prices);
        QFETCH(QStringList, quantities);
        QFETCH(QString, total);
        QLocale::setDefault(locale);
        auto restoreLocale =
                qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); });
        QCOMPARE(child<QTimer>(m_window, "Timer1")->interval(), 500);
        for (int row = 1; row <= prices.size(); ++row) {
            m_window->row(row).setPrice(prices.at(row - 1));
            QTest::keyClicks(box(row), quantities.at(row - 1));
        }
        QCOMPARE(label("zj")->text(), "0");
        tick("Timer1");
        QCOMPARE(label("zj")->text(), total);
        QVERIFY(label("zj")->fontMetrics().horizontalAdvance(total) <= label("zj")->width());
        QTest::keyClick(box(1), Qt::Key_Escape);
        tick("Timer1");
        QCOMPARE(label("zj")->text(), "0");
        // Back at full size once the total is short again.
        QCOMPARE(label("zj")->font().pointSize(), 15);
    }

    void showsTheClock_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("shown");
        QTest::newRow("evening") << QTime(21, 5, 9) << "系统时间：2026/12/6 21:05:09";
        QTest::newRow("midnight: the date alone") << QTime(0, 0) << "系统时间：2026/12/6";
        QTest::newRow("half past midnight") << QTime(0, 30) << "系统时间：2026/12/6 00:30:00";
    }

    void showsTheClock()
    {
        QFETCH(QTime, time);
        QFETCH(QString, shown);
        QCOMPARE(child<QTimer>(m_window, "Timer2")->interval(), 1000);
        m_fakes->clock.current = QDateTime(QDate(2026, 12, 6), time);
        tick("Timer2");
        QCOMPARE(label("Label6")->text(), shown);
    }

    void leavesTheZoneNameOutOfTheClock_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("shown");
        // Wherever a locale's long time format puts the zone's name, it goes with its blanks.
        QTest::newRow("first") << QLocale(QLocale::Chinese, QLocale::China) << "2026/12/6 21:05:09";
        QTest::newRow("last, after the AM/PM mark")
                << QLocale(QLocale::English, QLocale::UnitedStates) << "12/6/26 9:05:09 PM";
    }

    void leavesTheZoneNameOutOfTheClock()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, shown);
        QCOMPARE(clockText(QDateTime(QDate(2026, 12, 6), QTime(21, 5, 9)), locale), shown);
    }

    void tabsThroughQuantitiesThenButtons()
    {
        QStringList order;
        for (int i = 0; i < 12; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order,
                 QStringList({ "Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7",
                               "Text8", "Text9", "Command1", "Command2", "Text1" }));
        // A screen reader tells what the buttons do, beyond their captions.
        for (const char *name : { "Command1", "Command2" })
            QVERIFY(!child(m_window, name)->accessibleDescription().isEmpty());
    }

    void keepsDigitsOnly_data()
    {
        // What is typed, then pasted, and what the box shows.
        QTest::addColumn<QStringList>("steps");
        using L = QStringList;
        QTest::newRow("signs, separators, a letter") << L { "-1.5, 2/:a", "", "152" };
        QTest::newRow("full-width digits") << L { "１２", "", "" };
        QTest::newRow("an Esc character clears") << L { "12\0333", "", "3" };
        QTest::newRow("pasted letters") << L { "2", "12abc", "2" };
        QTest::newRow("pasted digits") << L { "2", "340", "2340" };
    }

    void keepsDigitsOnly()
    {
        QFETCH(QStringList, steps);
        GuiTest::typeText(box(4), steps[0]);
        QGuiApplication::clipboard()->setText(steps[1]);
        box(4)->paste();
        QCOMPARE(box(4)->text(), steps[2]);
    }

    void editsAndClearsQuantities()
    {
        QTest::keyClicks(box(1), "123");
        for (Qt::Key key : { Qt::Key_Backspace, Qt::Key_Home, Qt::Key_Delete, Qt::Key_Return })
            QTest::keyClick(box(1), key);
        QCOMPARE(box(1)->text(), "2");
        // Esc from a box clears them all, as does the button; the focus goes to the first box.
        for (bool button : { false, true }) {
            for (int row = 1; row <= 9; ++row)
                QTest::keyClicks(box(row), QString::number(row));
            box(9)->setFocus();
            button ? click(m_window, "Command1") : QTest::keyClick(box(9), Qt::Key_Escape);
            for (int row = 1; row <= 9; ++row)
                QVERIFY(box(row)->text().isEmpty());
            QVERIFY(box(1)->hasFocus());
        }
    }

    void editsNameAndPrice()
    {
        m_window->setPriceTable(defaultPriceTable());
        QSignalSpy edits(m_window, &MainWindow::priceTableEdited);
        // The right button asks nothing.
        click(m_window, "btn4");
        click(m_window, "s4");
        QTest::mouseClick(child(m_window, "s4"), Qt::RightButton);
        QCOMPARE(m_fakes->dialogs.questions.size(), 2);
        QCOMPARE(edits.size(), 0);
        QVERIFY(m_window->priceTable() == defaultPriceTable());

        m_fakes->dialogs.answers = { "A&B", " 30 ", "abc" };
        click(m_window, "btn4");
        click(m_window, "s4");
        click(m_window, "s4");
        QCOMPARE(m_window->row(4).name(), "A&B");
        QCOMPARE(m_window->row(4).price(), "30");
        // Doubled on the button so that it draws one '&' and makes no shortcut.
        QCOMPARE(child<QPushButton>(m_window, "btn4")->text(), "A&&B");
        QCOMPARE(m_fakes->dialogs.questions.at(3), "请输入[A&B]的单价：|设置物品单价");
        QCOMPARE(edits.size(), 2);
        QCOMPARE(m_fakes->dialogs.messages, { "单价必须是数字！|设置物品单价" });
    }

    void showsLongNamesAndPrices_data()
    {
        QTest::addColumn<bool>("isName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("elided");
        QTest::newRow("seven-digit price") << false << QStringLiteral("1234567") << false;
        QTest::newRow("forty-digit price")
                << false << QStringLiteral("1234567890").repeated(4) << true;
        QTest::newRow("price with markup")
                << false << QStringLiteral("<b>1234567890</b>").repeated(3) << true;
        QTest::newRow("name with markup and '&'")
                << true << QStringLiteral("<b>A&B</b> 灵魂灾难灵魂灾难") << true;
        QTest::newRow("name from a damaged store")
                << true << QString(2000000, QChar(0x9B54)) << true;
    }

    void showsLongNamesAndPrices()
    {
        QFETCH(bool, isName);
        QFETCH(QString, text);
        QFETCH(bool, elided);
        if (!elided && !GuiTest::hasSongFont())
            QSKIP("only a Song font's narrow digits fit whole here");
        auto *button = child<QPushButton>(m_window, "btn5");
        QLabel *price = label("l5");
        QWidget *shownIn = isName ? static_cast<QWidget *>(button) : price;
        isName ? m_window->row(5).setName(text) : m_window->row(5).setPrice(text);
        QCOMPARE(isName ? m_window->row(5).name() : m_window->row(5).price(), text);
        const QString shown = isName ? button->text().replace("&&", "&") : price->text();
        // As written, never as markup.
        QVERIFY(isName || price->textFormat() == Qt::PlainText);
        // Within the button, or clear of the name button that the price label overlaps.
        const int room =
                isName ? button->width() : price->geometry().right() - button->geometry().right();
        QVERIFY(QFontMetrics(shownIn->font()).horizontalAdvance(shown) <= room);
        if (isName) {
            QVERIFY(text.startsWith(button->accessibleName().left(50)));
            QVERIFY(button->accessibleName().size() >= qMin(text.size(), 50));
            QVERIFY(button->accessibleName().size() < 1000);
        }
        QCOMPARE(shown != text, elided);
        if (!elided)
            return;
        // Its two ends, and the whole text as written (or as much as anyone reads) in the tooltip.
        const qsizetype cut = shown.indexOf(QChar(0x2026));
        QVERIFY(cut > 0 && text.startsWith(shown.left(cut)) && text.endsWith(shown.mid(cut + 1)));
        const QString toolTip = QTextDocumentFragment::fromHtml(shownIn->toolTip()).toPlainText();
        QVERIFY(toolTip.contains(text.left(50)) && toolTip.size() < 1000);
        QVERIFY(!isName || toolTip.contains("点击设置物品名"));
    }

    void showsNamesOnOneLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ends in a tab") << QString("碳\t") << "碳 ";
        QTest::newRow("two lines") << QString("上\r\n下") << "上  下";
    }

    // As written in the tooltip and for screen readers, on one line on the button.
    void showsNamesOnOneLine()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        m_window->row(2).setName(name);
        auto *button = child<QPushButton>(m_window, "btn2");
        QCOMPARE(button->text(), shown);
        QCOMPARE(button->accessibleName(), name);
    }

    void drawsInColourAndTheDesktopsFont()
    {
        m_window->row(1).setPrice(QStringLiteral("1,250"));
        // Glyph edges blend into the background; the strokes' cores are the pure colour.
        const std::pair<const char *, QRgb> colours[] = { { "Label6", qRgb(255, 0, 0) },
                                                          { "zj", qRgb(255, 0, 0) },
                                                          { "l1", qRgb(255, 0, 0) },
                                                          { "s9", qRgb(0, 0, 255) } };
        for (const auto &[name, colour] : colours)
            QVERIFY2(GuiTest::countPixels(child(m_window, name), colour) >= 3, name);

        // The interface font stays the desktop's, with Chinese glyphs found behind it.
        const QFont desktop("DejaVu Sans", 11);
        const QFont font = programFont(desktop);
        QCOMPARE(font.families().value(0), desktop.family());
        QCOMPARE(font.pointSize(), 11);
        // In the Simplified Chinese forms, whatever the language, where a face that comes in
        // several forms is installed.
        const auto severalForms = [](const QString &family) {
            return family.contains("CJK") || family.contains("Source Han");
        };
        const QStringList installed = QFontDatabase::families();
        if (std::any_of(installed.cbegin(), installed.cend(), severalForms)) {
            QTextLayout layout("骨", font);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            const QString face = layout.glyphRuns().value(0).rawFont().familyName();
            QVERIFY2(!severalForms(face) || face.endsWith(" SC"), qPrintable(face));
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
            QVERIFY(text.startsWith(fitted.text.left(cut))
                    && text.endsWith(fitted.text.mid(cut + 1)));
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
        SchedulerWindow scheduler(m_fakes->platform);
        QWidget *window = inScheduler ? static_cast<QWidget *>(&scheduler) : m_window;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QWidget *frame = child(window, name);

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
        QVERIFY(qAbs(border + 1 - caption.top() - caption.height() / 2.0) < caption.height() / 6.0);
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

private:
    QLineEdit *box(int row) const
    {
        return child<QLineEdit>(m_window, "Text" + QString::number(row));
    }

    QLabel *label(const char *name) const { return child<QLabel>(m_window, name); }
    void tick(const char *timer) { GuiTest::fireTimer(m_window, timer); }

    FakePlatform *m_fakes = nullptr;
    MainWindow *m_window = nullptr;
};

ORMEK_GUI_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
