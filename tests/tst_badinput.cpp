#include "app/itemrow.h"
#include "app/mainwindow.h"
#include "app/program.h"
#include "app/rowtexts.h"
#include "platform/qtsettingsstore.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace {

const QString tableSection = QStringLiteral("物品名称及价格储存");
const QString badRow3 = QStringLiteral("第3行单价无效");

// One run of the program, past its first run, on this store and the other fakes. It ends
// without a close, so the next run finds only what was saved as it happened.
void run(FakePlatform &fakes, SettingsStore &store, const std::function<void(MainWindow &)> &use)
{
    store.setValue(QStringLiteral("使用次数"), QStringLiteral("N"), QStringLiteral("1"));
    Platform platform { store, fakes.dialogs, fakes.launcher, fakes.clipboard, fakes.clock };
    Program program(platform);
    program.start();
    use(*program.mainWindow());
}

QLineEdit *quantityBox(MainWindow &window, int row)
{
    return window.findChild<QLineEdit *>(QStringLiteral("Text%1").arg(row));
}

// The total as the next tick shows it.
QString totalAfterTick(MainWindow &window)
{
    window.updateTotal();
    return window.findChild<QLabel *>(QStringLiteral("zj"))->text();
}

} // namespace

// Odd price answers, names and pasted quantities, given the way a user gives them: the program
// keeps running, says clearly what it made of each, and keeps exactly what it accepted.
class TestBadInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void priceAnswers_data();
    void priceAnswers();
    void names_data();
    void names();
    void pastedQuantities_data();
    void pastedQuantities();
};

void TestBadInput::priceAnswers_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("total"); // with quantity 10, once the answer is the price

    QTest::newRow("empty") << "" << badRow3;
    QTest::newRow("blanks only") << "   " << badRow3;
    QTest::newRow("letters") << "abc" << badRow3;
    QTest::newRow("nan") << "nan" << badRow3;
    QTest::newRow("inf") << "inf" << badRow3;
    QTest::newRow("minus zero") << "-0"
                                << "0";
    QTest::newRow("hexadecimal") << "0x10" << badRow3;
    QTest::newRow("1e308 times 10") << "1e308"
                                    << "数值过大";
    QTest::newRow("full-width digits") << "１２" << badRow3;
    QTest::newRow("10,000 digits") << QString(u'1' + QString(9999, u'0')) << badRow3;
    QTest::newRow("grouped thousands") << "3,000"
                                       << "30,000";
    QTest::newRow("decimal comma") << "1.234,5" << badRow3;
    QTest::newRow("blanks around") << " 12 "
                                   << "120";
}

void TestBadInput::priceAnswers()
{
    QFETCH(QString, answer);
    QFETCH(QString, total);
    const bool accepted = total != badRow3;
    FakePlatform fakes;
    fakes.store.setValue(tableSection, QStringLiteral("b3"), QStringLiteral("7"));

    run(fakes, fakes.store, [&](MainWindow &window) {
        QTest::keyClicks(quantityBox(window, 3), QStringLiteral("10"));
        fakes.dialogs.answers = { answer };
        QTest::mouseClick(window.findChild<QLabel *>(QStringLiteral("s3")), Qt::LeftButton);
        const QString kept = accepted ? answer : QStringLiteral("7");
        QCOMPARE(window.row(3).price(), kept);
        QCOMPARE(fakes.store.value(tableSection, QStringLiteral("b3"), QString()), kept);
        QCOMPARE(totalAfterTick(window), accepted ? total : QStringLiteral("70"));
        // An empty answer is a cancel.
        QCOMPARE(fakes.dialogs.messages.size(), accepted || answer.isEmpty() ? 0 : 1);
        for (const FakeDialogs::Box &box : fakes.dialogs.messages)
            QCOMPARE(box.prompt + box.title, QStringLiteral("单价必须是数字！设置物品单价"));
    });
    // Any stored price is shown as it stands, also one edited into the store by hand, and the
    // total names the row whose price is not a number.
    fakes.store.setValue(tableSection, QStringLiteral("b3"), answer);
    run(fakes, fakes.store, [&](MainWindow &window) {
        QCOMPARE(window.row(3).price(), answer);
        QTest::keyClicks(quantityBox(window, 3), QStringLiteral("10"));
        QCOMPARE(totalAfterTick(window), total);
    });
}

void TestBadInput::names_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("emoji") << "🍎苹果😀";
    QTest::newRow("right to left") << "تفاح אבג 12";
    const char16_t controls[] = u"a\0b\x01\tc\r\nd\x7f\u200e\u202e";
    QTest::newRow("control characters") << QString::fromUtf16(controls, std::size(controls) - 1);
    QTest::newRow("100,000 characters") << QString(100000, u'长');
}

// Through the real store file in the test's own configuration folder.
void TestBadInput::names()
{
    QFETCH(QString, name);
    FakePlatform fakes;
    QFile::remove(QtSettingsStore().location());

    QtSettingsStore store;
    run(fakes, store, [&](MainWindow &window) {
        fakes.dialogs.answers = { name };
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("btn2")), Qt::LeftButton);
        QCOMPARE(window.row(2).name(), name);
        QCOMPARE(window.row(2).nameButton()->text(), escapeMnemonic(name));
        QTest::mouseClick(window.findChild<QLabel *>(QStringLiteral("s2")), Qt::LeftButton);
        QCOMPARE(fakes.dialogs.questions.last().prompt,
                 QStringLiteral("请输入[") + name + QStringLiteral("]的单价："));
    });
    QtSettingsStore reread;
    run(fakes, reread, [&](MainWindow &window) { QCOMPARE(window.row(2).name(), name); });
    QVERIFY(fakes.dialogs.messages.isEmpty());
}

void TestBadInput::pastedQuantities_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("quantity"); // after "2" was typed
    QTest::addColumn<QString>("total"); // at a price of 3

    QTest::newRow("digits then letters") << "12abc"
                                         << "2"
                                         << "6";
    QTest::newRow("full-width digits") << "１２"
                                       << "2"
                                       << "6";
    QTest::newRow("digits") << "5"
                            << "25"
                            << "75";
    QTest::newRow("400 digits") << QString(400, u'9') << QString(u'2' + QString(400, u'9'))
                                << "数值过大";
}

void TestBadInput::pastedQuantities()
{
    QFETCH(QString, pasted);
    QFETCH(QString, quantity);
    QFETCH(QString, total);
    FakePlatform fakes;
    fakes.store.setValue(tableSection, QStringLiteral("b1"), QStringLiteral("3"));

    run(fakes, fakes.store, [&](MainWindow &window) {
        QLineEdit *box = quantityBox(window, 1);
        QTest::keyClicks(box, QStringLiteral("2"));
        QGuiApplication::clipboard()->setText(pasted);
        box->paste(); // what the box's context menu does
        QCOMPARE(box->text(), quantity);
        QCOMPARE(totalAfterTick(window), total);
    });
}

ORMEK_GUI_TEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
