// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/itemrow.h"
#include "mainwindow/mainwindow.h"
#include "platform/systemfonts.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"
#include "widgets/fittedtext.h"
#include "widgets/programfont.h"
#include "widgets/programicon.h"
#include "widgets/songfont.h"

using GuiTest::child;
using GuiTest::click;

namespace {

// Whether shown is the text's two ends joined by "…", never cutting a pair of UTF-16 halves.
bool showsEnds(const QString &text, const QString &shown)
{
    const qsizetype cut = shown.indexOf(QChar(0x2026));
    return shown.isValidUtf16() && cut > 0 && shown.size() > cut + 1
            && text.startsWith(shown.left(cut)) && text.endsWith(shown.mid(cut + 1));
}

} // namespace

// The main window wires its rows to the total, the clock, the key filter and the input boxes,
// and fits its texts to their room.
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
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    }

    void addsUpAtEachTick_data()
    {
        QTest::addColumn<QStringList>("prices");
        QTest::addColumn<QStringList>("quantities");
        QTest::addColumn<QString>("total");
        using L = QStringList;
        // Stored prices, "1,000" of an older version and "2.5", read the same in every locale.
        QTest::newRow("older prices") << L { "1,000", "2.5" } << L { "1", "3" } << "1,007.5";
        QTest::newRow("long total shows whole")
                << L { "999999999999" } << L { "999" } << "998,999,999,999,001";
    }

    // Typed quantities count at the total timer's next tick, not before, in any locale.
    void addsUpAtEachTick()
    {
        QFETCH(QStringList, prices);
        QFETCH(QStringList, quantities);
        QFETCH(QString, total);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
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
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("shown");
        const QLocale chinese(QLocale::Chinese, QLocale::China);
        QTest::newRow("midnight: the date alone") << chinese << QTime(0, 0) << "2026/12/6";
        QTest::newRow("half past midnight") << chinese << QTime(0, 30) << "2026/12/6 00:30:00";
        // Wherever a locale's long time format puts the zone's name, it goes with its blanks.
        QTest::newRow("zone name last, after the AM/PM mark")
                << QLocale(QLocale::English, QLocale::UnitedStates) << QTime(21, 5, 9)
                << "12/6/26 9:05:09 PM";
    }

    // A greeting until the clock's first tick.
    void showsTheClock()
    {
        QFETCH(QLocale, locale);
        QFETCH(QTime, time);
        QFETCH(QString, shown);
        QLocale::setDefault(locale);
        QCOMPARE(child<QLabel>(MainWindow(m_fakes->platform).centralWidget(), "Label6")->text(),
                 "欢迎使用！");
        QCOMPARE(child<QTimer>(m_window, "Timer2")->interval(), 1000);
        m_fakes->clock.current = QDateTime(QDate(2026, 12, 6), time);
        tick("Timer2");
        QCOMPARE(label("Label6")->text(), "系统时间：" + shown);
    }

    void keepsDigitsOnly_data()
    {
        // What is typed, then pasted, and what the box shows.
        QTest::addColumn<QStringList>("steps");
        using L = QStringList;
        QTest::newRow("signs, separators, a letter") << L { "-1.5, 2/:a", "", "152" };
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

    // Tab goes through the quantities, then the buttons.
    void editsAndClearsQuantities()
    {
        QStringList order;
        for (int i = 0; i < 12; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order,
                 QStringList({ "Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7",
                               "Text8", "Text9", "Command1", "Command2", "Text1" }));
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
        QCOMPARE(m_fakes->dialogs.questions,
                 QStringList({ "请输入物品名：|设置", "请输入[小红]的单价：|设置物品单价" }));
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

    void showsLongAndAwkwardTexts_data()
    {
        QTest::addColumn<bool>("isName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown"); // empty: its two ends, at the smallest point size
        const QString digits = QStringLiteral("1234567890");
        QTest::newRow("seven-digit price") << false << digits.left(7) << digits.left(7);
        QTest::newRow("price with markup")
                << false << QStringLiteral("<b>%1</b>").arg(digits).repeated(3) << QString();
        QTest::newRow("name with markup and '&'")
                << true << QStringLiteral("<b>A&B</b> 灵魂灾难灵魂灾难") << QString();
        QTest::newRow("name from a damaged store")
                << true << QString(2000000, QChar(0x9B54)) << QString();
        // On one line on the button; as written in the tooltip and for screen readers.
        QTest::newRow("name ends in a tab") << true << QStringLiteral("碳\t") << "碳 ";
        QTest::newRow("name on two lines") << true << QStringLiteral("上\r\n下") << "上  下";
    }

    void showsLongAndAwkwardTexts()
    {
        QFETCH(bool, isName);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        const QString family = QFontInfo(label("l5")->font()).family();
        if (!isName && !shown.isEmpty() && !songFamilyCandidates().contains(family))
            QSKIP("only a Song font's narrow digits fit whole here");
        auto *button = child<QPushButton>(m_window, "btn5");
        QLabel *price = label("l5");
        QWidget *control = isName ? static_cast<QWidget *>(button) : price;
        isName ? m_window->row(5).setName(text) : m_window->row(5).setPrice(text);
        QCOMPARE(isName ? m_window->row(5).name() : m_window->row(5).price(), text);
        const QString drawn = isName ? button->text().replace("&&", "&") : price->text();
        // As written, never as markup.
        QVERIFY(isName || price->textFormat() == Qt::PlainText);
        // Within the button, or clear of the name button that the price label overlaps.
        const int room =
                isName ? button->width() : price->geometry().right() - button->geometry().right();
        QVERIFY(QFontMetrics(control->font()).horizontalAdvance(drawn) <= room);
        const QString a11y = button->accessibleName();
        QVERIFY(!isName
                || (text.startsWith(a11y.left(50)) && a11y.size() >= qMin(text.size(), 50)
                    && a11y.size() < 1000));
        // The whole text as written, or as much as anyone reads, in the tooltip.
        const QString toolTip = QTextDocumentFragment::fromHtml(control->toolTip()).toPlainText();
        QVERIFY(toolTip.size() < 1000 && (!isName || toolTip.contains("点击设置物品名")));
        if (!shown.isEmpty()) {
            QCOMPARE(drawn, shown);
            return;
        }
        QVERIFY(showsEnds(text, drawn));
        // Digits stay clear at 6 points, ideographs need 7.
        QCOMPARE(control->font().pointSize(), isName ? 7 : 6);
        QVERIFY(toolTip.contains(text.left(50)));
    }

    void fitsTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("fitted"); // "ends": its two ends only
        const QString digits = QStringLiteral("1234567890");
        const QString noWidth(4 * 79 - 2, QChar(0x200B));
        const QString smile = QString::fromUcs4(U"\U0001F600");
        const int narrowest = QFontMetrics(songFont(6)).horizontalAdvance(digits);
        QTest::newRow("whole at the smallest size") << digits << 9 << narrowest << digits + " 6";
        QTest::newRow("a font below the smallest size") << digits << 5 << 200 << digits + " 5";
        // Only the two ends are measured, however long the text; as many characters as may
        // share the width fit whole, when they have none.
        const QString filled = u'a' + noWidth + QChar(0x200B);
        QTest::newRow("characters without width") << filled << 9 << 79 << filled + " 9";
        QTest::newRow("pairs of UTF-16 halves at both cuts")
                << u'a' + noWidth + smile + QString(100000, QChar(0x200B)) + smile + noWidth + u'b'
                << 9 << 79 << "ends 6 elided";
    }

    void fitsTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, pointSize);
        QFETCH(int, width);
        QFETCH(QString, fitted);
        const FittedText fit = fitText(text, songFont(pointSize), width, 6);
        QCOMPARE((fit.elided && showsEnds(text, fit.text) ? "ends" : fit.text) + u' '
                         + QString::number(fit.pointSize) + (fit.elided ? " elided" : ""),
                 fitted);
    }

    // The window's icon, in the five sizes drawn for it.
    void hasTheProgramsIcon() { QCOMPARE(programIcon().availableSizes().size(), 5); }

    // The interface font stays the desktop's, with Chinese glyphs found behind it: in the
    // Simplified Chinese forms, whatever the language, where a face with several is installed.
    void usesTheDesktopsFont()
    {
        const QFont font = programFont(QFont("DejaVu Sans", 11));
        QCOMPARE(font.families().value(0), "DejaVu Sans");
        QCOMPARE(font.pointSize(), 11);
        const auto severalForms = [](const QString &family) {
            return family.contains("CJK") || family.contains("Source Han");
        };
        const QStringList installed = QFontDatabase::families();
        if (std::none_of(installed.cbegin(), installed.cend(), severalForms))
            QSKIP("no face with several forms installed");
        QTextLayout layout("骨", font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QString face = layout.glyphRuns().value(0).rawFont().familyName();
        QVERIFY2(!severalForms(face) || face.endsWith(" SC"), qPrintable(face));
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
