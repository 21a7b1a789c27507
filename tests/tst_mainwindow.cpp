#include "app/itemrow.h"
#include "app/mainwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextDocumentFragment>
#include <QTimer>

using GuiTest::child;
using GuiTest::click;

// The main window wires its rows to the total, the key filter and the input boxes; the
// arithmetic and the checks themselves are tested in tst_total.
class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void ticksUpdateTotalAndClock();
    void addsUpAlikeInEveryLocale_data();
    void addsUpAlikeInEveryLocale();
    void tabsThroughQuantitiesThenButtons();
    void keepsDigitsOnly_data();
    void keepsDigitsOnly();
    void editsAndClearsQuantities();
    void editsNameAndPrice();
    void showsLongNamesAndPrices_data();
    void showsLongNamesAndPrices();

private:
    QLineEdit *box(int row) const
    {
        return child<QLineEdit>(m_window, "Text" + QString::number(row));
    }
    QString total() const { return child<QLabel>(m_window, "zj")->text(); }

    FakePlatform *m_fakes = nullptr;
    MainWindow *m_window = nullptr;
};

void TestMainWindow::init()
{
    m_fakes = new FakePlatform;
    m_window = new MainWindow(m_fakes->platform);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestMainWindow::cleanup()
{
    delete m_window;
    delete m_fakes;
}

void TestMainWindow::ticksUpdateTotalAndClock()
{
    for (const auto &[name, interval] : { std::pair("Timer1", 500), std::pair("Timer2", 1000) }) {
        QVERIFY(child<QTimer>(m_window, name)->isActive());
        QCOMPARE(child<QTimer>(m_window, name)->interval(), interval);
    }

    m_window->row(1).setPrice("3000");
    m_window->row(2).setPrice("not a price");
    QTest::keyClicks(box(1), "2");
    QCOMPARE(total(), "0");
    m_window->updateTotal();
    QCOMPARE(total(), "6,000");
    QTest::keyClick(box(1), Qt::Key_Escape);
    QCOMPARE(total(), "6,000");
    m_window->updateTotal();
    QCOMPARE(total(), "0");
    QTest::keyClicks(box(2), "1");
    m_window->updateTotal();
    QCOMPARE(total(), "第2行单价无效");

    // A long total shows whole.
    QTest::keyClick(box(2), Qt::Key_Backspace);
    m_window->row(3).setPrice("999999999999");
    QTest::keyClicks(box(3), "999");
    m_window->updateTotal();
    auto *label = child<QLabel>(m_window, "zj");
    QCOMPARE(label->text(), "998,999,999,999,001");
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());

    m_fakes->clock.current = QDateTime(QDate(2026, 12, 6), QTime(21, 5, 9));
    m_window->updateClock();
    QCOMPARE(child<QLabel>(m_window, "Label6")->text(), "系统时间：2026/12/6 21:05:09");
    // At midnight exactly, the date alone.
    m_fakes->clock.current = QDateTime(QDate(2026, 12, 7), QTime(0, 0));
    m_window->updateClock();
    QCOMPARE(child<QLabel>(m_window, "Label6")->text(), "系统时间：2026/12/7");
}

void TestMainWindow::addsUpAlikeInEveryLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("Chinese") << QLocale(QLocale::Chinese, QLocale::China);
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
    QTest::newRow("French") << QLocale(QLocale::French, QLocale::France);
}

// The same stored prices, "1,000" of an older version and "2.5", give the same total.
void TestMainWindow::addsUpAlikeInEveryLocale()
{
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    auto restoreLocale =
            qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); });
    m_window->row(1).setPrice("1,000");
    m_window->row(2).setPrice("2.5");
    QTest::keyClicks(box(1), "1");
    QTest::keyClicks(box(2), "3");
    m_window->updateTotal();
    QCOMPARE(total(), "1,007.5");
}

void TestMainWindow::tabsThroughQuantitiesThenButtons()
{
    QStringList order;
    for (int i = 0; i < 11; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order,
             QStringList({ "Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8",
                           "Text9", "Command1", "Command2" }));
    // A screen reader tells what the buttons do, beyond their captions.
    for (const char *name : { "Command1", "Command2" }) {
        const QWidget *button = child(m_window, name);
        QVERIFY(!button->accessibleDescription().isEmpty());
        QVERIFY(button->accessibleDescription() != button->accessibleName());
    }
}

void TestMainWindow::keepsDigitsOnly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits and a letter") << "12a3" << QString() << "123";
    QTest::newRow("signs, separators, next to digits") << "-1.5, 2/:" << QString() << "152";
    QTest::newRow("full-width digits") << "１２" << QString() << "";
    QTest::newRow("pasted letters") << "2"
                                    << "12abc"
                                    << "2";
    QTest::newRow("pasted full-width digits") << "2"
                                              << "１２"
                                              << "2";
    QTest::newRow("pasted digits") << "2"
                                   << "340"
                                   << "2340";
}

void TestMainWindow::keepsDigitsOnly()
{
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    GuiTest::typeText(box(4), typed);
    if (!pasted.isNull()) {
        QGuiApplication::clipboard()->setText(pasted);
        box(4)->paste();
    }
    QCOMPARE(box(4)->text(), shown);
}

void TestMainWindow::editsAndClearsQuantities()
{
    QTest::keyClicks(box(1), "123");
    QTest::keyClick(box(1), Qt::Key_Backspace);
    QTest::keyClick(box(1), Qt::Key_Home);
    QTest::keyClick(box(1), Qt::Key_Delete);
    QTest::keyClick(box(1), Qt::Key_Return);
    QCOMPARE(box(1)->text(), "2");
    // Esc from any box clears them all, as does the button.
    for (int from = 1; from <= 10; ++from) {
        for (int row = 1; row <= 9; ++row)
            QTest::keyClicks(box(row), QString::number(row));
        if (from == 10) {
            click(m_window, "Command1");
        } else {
            box(from)->setFocus();
            QTest::keyClick(box(from), Qt::Key_Escape);
        }
        for (int row = 1; row <= 9; ++row)
            QVERIFY2(box(row)->text().isEmpty(), qPrintable(QString("from %1").arg(from)));
        QVERIFY(box(1)->hasFocus());
    }
}

void TestMainWindow::editsNameAndPrice()
{
    m_window->setPriceTable(defaultPriceTable());
    QSignalSpy edits(m_window, &MainWindow::priceTableEdited);
    // Cancelled boxes change nothing.
    click(m_window, "btn4");
    click(m_window, "s4");
    QCOMPARE(edits.size(), 0);
    QVERIFY(m_window->priceTable() == defaultPriceTable());

    m_fakes->dialogs.answers = { "A&B", " 30 " };
    click(m_window, "btn4");
    click(m_window, "s4");
    QCOMPARE(m_window->row(4).name(), "A&B");
    QCOMPARE(m_window->row(4).price(), "30");
    // Doubled on the button so that it draws one '&' and makes no shortcut.
    QCOMPARE(child<QPushButton>(m_window, "btn4")->text(), "A&&B");
    const QList<FakeDialogs::Box> &asked = m_fakes->dialogs.questions;
    QCOMPARE(asked.at(2).prompt + asked.at(2).title, "请输入物品名：设置");
    QCOMPARE(asked.at(3).prompt + asked.at(3).title, "请输入[A&B]的单价：设置物品单价");
    QCOMPARE(edits.size(), 2);
    QVERIFY(m_fakes->dialogs.messages.isEmpty());

    PriceTable table = defaultPriceTable();
    table[1] = { "<b>x</b>", "<i>1</i>" };
    table[2] = { "&&&", "&5" };
    m_window->setPriceTable(table);
    QVERIFY(m_window->priceTable() == table);
    QCOMPARE(child<QLabel>(m_window, "l2")->textFormat(), Qt::PlainText);
}

void TestMainWindow::showsLongNamesAndPrices_data()
{
    QTest::addColumn<bool>("isName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("elided");
    QTest::newRow("seven-digit price") << false << QStringLiteral("1234567") << false;
    QTest::newRow("forty-digit price") << false << QStringLiteral("1234567890").repeated(4) << true;
    QTest::newRow("name, smaller") << true << QStringLiteral("魔石头像魔石头") << false;
    QTest::newRow("name with markup and '&'")
            << true << QStringLiteral("<b>A&B</b> 灵魂灾难灵魂灾难") << true;
    QTest::newRow("name from a damaged store") << true << QString(2000000, QChar(0x9B54)) << true;
}

void TestMainWindow::showsLongNamesAndPrices()
{
    QFETCH(bool, isName);
    QFETCH(QString, text);
    QFETCH(bool, elided);
    if (!elided && !GuiTest::hasSongFont())
        QSKIP("only a Song font's narrow digits fit whole here");
    ItemRow &row = m_window->row(5);
    auto *button = child<QPushButton>(m_window, "btn5");
    auto *label = child<QLabel>(m_window, "l5");
    QString shown;
    QString toolTip;
    if (isName) {
        row.setName(text);
        QCOMPARE(row.name(), text);
        shown = button->text().replace("&&", "&");
        toolTip = button->toolTip();
        QVERIFY(button->sizeHint().width() <= button->width());
        QVERIFY(text.startsWith(button->accessibleName().left(50)));
        QVERIFY(button->accessibleName().size() >= qMin(text.size(), 50));
        QVERIFY(button->accessibleName().size() < 1000);
    } else {
        row.setPrice(text);
        QCOMPARE(row.price(), text);
        shown = label->text();
        toolTip = label->toolTip();
        // Clear of the name button that the label overlaps.
        const int room = label->geometry().right() - button->geometry().right();
        QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= room);
    }

    QCOMPARE(shown != text, elided);
    if (!elided)
        return;
    const qsizetype cut = shown.indexOf(QChar(0x2026));
    QVERIFY(cut > 0 && cut < shown.size() - 1);
    QVERIFY(text.startsWith(shown.left(cut)));
    QVERIFY(text.endsWith(shown.mid(cut + 1)));
    // The tooltip shows the whole text as written, or as much as anyone reads.
    const QString plainToolTip = QTextDocumentFragment::fromHtml(toolTip).toPlainText();
    QVERIFY(plainToolTip.contains(text.left(50)));
    QVERIFY(plainToolTip.size() < 1000);
    if (text.size() < 50)
        QVERIFY(plainToolTip.contains(text));
    if (isName)
        QVERIFY(plainToolTip.contains("点击设置物品名"));
}

ORMEK_GUI_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
