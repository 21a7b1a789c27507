#include "app/itemrow.h"
#include "app/mainwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsEmpty();
    void hasMenus();
    void timersRun();
    void tabsThroughQuantitiesThenButtons();
    void totalFollowsRowsAtTheTick();
    void longTotalFitsTheLabel();
    void editsName();
    void editsPrice();
    void refusesPriceThatIsNotANumber_data();
    void refusesPriceThatIsNotANumber();
    void cancelledEditsChangeNothing();
    void showsTypedTextLiterally();
    void describesControlsForScreenReaders();
    void showsTheClock();

private:
    template<class T>
    T *child(const QString &name) const
    {
        T *widget = m_window->findChild<T *>(name);
        if (!widget)
            qWarning("no child %s", qPrintable(name));
        return widget;
    }
    QString total() const { return child<QLabel>(QStringLiteral("zj"))->text(); }

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

void TestMainWindow::startsEmpty()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Ormek商人计算器"));
    QCOMPARE(total(), QStringLiteral("0"));
    QCOMPARE(child<QLabel>(QStringLiteral("Label6"))->text(), QStringLiteral("欢迎使用！"));
    for (int k = 1; k <= 9; ++k) {
        const QString n = QString::number(k);
        QVERIFY(child<QPushButton>(QStringLiteral("btn") + n)->text().isEmpty());
        QVERIFY(child<QLabel>(QStringLiteral("l") + n)->text().isEmpty());
        QCOMPARE(child<QLabel>(QStringLiteral("s") + n)->text(), QStringLiteral("修改"));
        QVERIFY(child<QLineEdit>(QStringLiteral("Text") + n)->text().isEmpty());
    }
    QVERIFY(child<QLineEdit>(QStringLiteral("Text1"))->hasFocus());
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
}

void TestMainWindow::hasMenus()
{
    const QStringList numerals = { "一", "二", "三", "四", "五" };
    for (const QString prefix : { "BC", "DQ", "CK" }) {
        for (int slot = 1; slot <= 5; ++slot) {
            auto *action = child<QAction>(prefix + QString::number(slot));
            QVERIFY(action);
            QCOMPARE(action->text(), QStringLiteral("方案") + numerals.at(slot - 1));
        }
    }
    QCOMPARE(child<QMenu>(QStringLiteral("BCFA"))->title(), QStringLiteral("保存方案"));
    QCOMPARE(child<QMenu>(QStringLiteral("DQFA"))->title(), QStringLiteral("读取方案"));
    QCOMPARE(child<QMenu>(QStringLiteral("CKFA"))->title(), QStringLiteral("查看方案"));
    QCOMPARE(child<QMenu>(QStringLiteral("DQFA"))->actions().last()->objectName(),
             QStringLiteral("CSH"));
    QCOMPARE(child<QAction>(QStringLiteral("halp"))->text(), QStringLiteral("帮助"));

    QSignalSpy saves(m_window, &MainWindow::savePresetRequested);
    child<QAction>(QStringLiteral("BC3"))->trigger();
    QCOMPARE(saves.size(), 1);
    QCOMPARE(saves.first().first().toInt(), 3);
}

void TestMainWindow::timersRun()
{
    auto *totalTimer = child<QTimer>(QStringLiteral("Timer1"));
    auto *clockTimer = child<QTimer>(QStringLiteral("Timer2"));
    QVERIFY(totalTimer->isActive());
    QCOMPARE(totalTimer->interval(), 500);
    QVERIFY(clockTimer->isActive());
    QCOMPARE(clockTimer->interval(), 1000);
}

void TestMainWindow::tabsThroughQuantitiesThenButtons()
{
    QStringList order;
    for (int i = 0; i < 11; ++i) {
        QWidget *focused = QApplication::focusWidget();
        order << focused->objectName();
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    QCOMPARE(order,
             QStringList({ "Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8",
                           "Text9", "Command1", "Command2" }));
}

void TestMainWindow::totalFollowsRowsAtTheTick()
{
    m_window->row(1).setPrice(QStringLiteral("3000"));
    m_window->row(2).setPrice(QStringLiteral("not a price"));
    auto *quantity = child<QLineEdit>(QStringLiteral("Text1"));
    QTest::keyClicks(quantity, QStringLiteral("2"));
    QCOMPARE(total(), QStringLiteral("0"));
    m_window->updateTotal();
    QCOMPARE(total(), QStringLiteral("6,000"));

    QTest::keyClick(quantity, Qt::Key_Escape);
    QCOMPARE(total(), QStringLiteral("6,000"));
    m_window->updateTotal();
    QCOMPARE(total(), QStringLiteral("0"));

    QTest::keyClicks(child<QLineEdit>(QStringLiteral("Text2")), QStringLiteral("1"));
    m_window->updateTotal();
    QCOMPARE(total(), QStringLiteral("第2行单价无效"));
}

void TestMainWindow::longTotalFitsTheLabel()
{
    m_window->row(1).setPrice(QStringLiteral("999999999999"));
    QTest::keyClicks(child<QLineEdit>(QStringLiteral("Text1")), QStringLiteral("999"));
    m_window->updateTotal();
    auto *label = child<QLabel>(QStringLiteral("zj"));
    QCOMPARE(label->text(), QStringLiteral("998,999,999,999,001"));
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
}

void TestMainWindow::editsName()
{
    m_fakes->dialogs.answers = { QStringLiteral("蓝冰") };
    QTest::mouseClick(child<QPushButton>(QStringLiteral("btn4")), Qt::LeftButton);
    QCOMPARE(m_fakes->dialogs.questions.size(), 1);
    QCOMPARE(m_fakes->dialogs.questions.first().prompt, QStringLiteral("请输入物品名："));
    QCOMPARE(m_fakes->dialogs.questions.first().title, QStringLiteral("设置"));
    QCOMPARE(m_window->row(4).name(), QStringLiteral("蓝冰"));

    // The price prompt names the new name at once.
    m_fakes->dialogs.answers = { QStringLiteral("8000") };
    QTest::mouseClick(child<QLabel>(QStringLiteral("s4")), Qt::LeftButton);
    QCOMPARE(m_fakes->dialogs.questions.last().prompt, QStringLiteral("请输入[蓝冰]的单价："));
    QCOMPARE(m_fakes->dialogs.questions.last().title, QStringLiteral("设置物品单价"));

    m_fakes->dialogs.answers = { QStringLiteral("   ") };
    QTest::mouseClick(child<QPushButton>(QStringLiteral("btn5")), Qt::LeftButton);
    QCOMPARE(m_window->row(5).name(), QStringLiteral("   "));
    for (int k : { 1, 2, 3, 6, 7, 8, 9 })
        QVERIFY(m_window->row(k).name().isEmpty());
}

void TestMainWindow::editsPrice()
{
    QSignalSpy edits(m_window, &MainWindow::priceTableEdited);
    for (const QString answer : { "-5", "0.5", " 30 ", "3,000" }) {
        m_fakes->dialogs.answers = { answer };
        QTest::mouseClick(child<QLabel>(QStringLiteral("s2")), Qt::LeftButton);
        QCOMPARE(m_window->row(2).price(), answer);
    }
    // A row without a name still gets its brackets.
    QCOMPARE(m_fakes->dialogs.questions.first().prompt, QStringLiteral("请输入[]的单价："));
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
    QCOMPARE(edits.size(), 4);
    QVERIFY(m_window->row(1).price().isEmpty());
}

void TestMainWindow::refusesPriceThatIsNotANumber_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("letters") << "abc";
    QTest::newRow("blanks") << "   ";
    QTest::newRow("nan") << "nan";
    QTest::newRow("inf") << "inf";
    QTest::newRow("too large") << "1e999";
    QTest::newRow("full-width") << "１２";
    QTest::newRow("hex") << "0x10";
}

void TestMainWindow::refusesPriceThatIsNotANumber()
{
    QFETCH(QString, answer);
    m_window->row(3).setPrice(QStringLiteral("80"));
    m_fakes->dialogs.answers = { answer };
    QTest::mouseClick(child<QLabel>(QStringLiteral("s3")), Qt::LeftButton);
    QCOMPARE(m_window->row(3).price(), QStringLiteral("80"));
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    QCOMPARE(m_fakes->dialogs.messages.first().prompt, QStringLiteral("单价必须是数字！"));
    QCOMPARE(m_fakes->dialogs.messages.first().title, QStringLiteral("设置物品单价"));
}

void TestMainWindow::cancelledEditsChangeNothing()
{
    m_window->setPriceTable(defaultPriceTable());
    QSignalSpy edits(m_window, &MainWindow::priceTableEdited);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("btn1")), Qt::LeftButton);
    QTest::mouseClick(child<QLabel>(QStringLiteral("s1")), Qt::LeftButton);
    QCOMPARE(m_fakes->dialogs.questions.size(), 2);
    QVERIFY(m_window->priceTable() == defaultPriceTable());
    QCOMPARE(edits.size(), 0);
}

void TestMainWindow::showsTypedTextLiterally()
{
    m_fakes->dialogs.answers = { QStringLiteral("A&B"), QStringLiteral("1") };
    QTest::mouseClick(child<QPushButton>(QStringLiteral("btn1")), Qt::LeftButton);
    QTest::mouseClick(child<QLabel>(QStringLiteral("s1")), Qt::LeftButton);
    QCOMPARE(m_window->row(1).name(), QStringLiteral("A&B"));
    // Doubled on the button so that it draws one '&' and makes no shortcut.
    QCOMPARE(child<QPushButton>(QStringLiteral("btn1"))->text(), QStringLiteral("A&&B"));
    QCOMPARE(m_fakes->dialogs.questions.last().prompt, QStringLiteral("请输入[A&B]的单价："));

    PriceTable table = defaultPriceTable();
    table[1] = { QStringLiteral("<b>x</b>"), QStringLiteral("<i>1</i>") };
    table[2] = { QStringLiteral("&&&"), QStringLiteral("&5") };
    m_window->setPriceTable(table);
    QVERIFY(m_window->priceTable() == table);
    QCOMPARE(child<QLabel>(QStringLiteral("l2"))->textFormat(), Qt::PlainText);
}

void TestMainWindow::describesControlsForScreenReaders()
{
    for (int k = 1; k <= 9; ++k) {
        const QString n = QString::number(k);
        QCOMPARE(child<QLineEdit>(QStringLiteral("Text") + n)->accessibleName(),
                 QStringLiteral("第%1行数量").arg(k));
        QCOMPARE(child<QPushButton>(QStringLiteral("btn") + n)->accessibleDescription(),
                 QStringLiteral("第%1行物品名").arg(k));
        QCOMPARE(child<QLabel>(QStringLiteral("l") + n)->accessibleDescription(),
                 QStringLiteral("第%1行单价").arg(k));
        QCOMPARE(child<QLabel>(QStringLiteral("s") + n)->accessibleDescription(),
                 QStringLiteral("修改第%1行单价").arg(k));
    }
    QCOMPARE(child<QLabel>(QStringLiteral("zj"))->accessibleDescription(), QStringLiteral("总价"));
    QCOMPARE(child<QLabel>(QStringLiteral("Label6"))->accessibleDescription(),
             QStringLiteral("状态"));
}

void TestMainWindow::showsTheClock()
{
    m_fakes->clock.current = QDateTime(QDate(2026, 12, 6), QTime(21, 5, 9));
    m_window->updateClock();
    QCOMPARE(child<QLabel>(QStringLiteral("Label6"))->text(),
             QStringLiteral("系统时间：2026/12/6 21:05:09"));
}

ORMEK_GUI_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
