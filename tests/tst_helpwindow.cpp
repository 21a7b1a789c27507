#include "help/helptext.h"
#include "help/helpwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QLabel>
#include <QPlainTextEdit>

using GuiTest::child;
using GuiTest::click;

class TestHelpWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesThePlaceholderAddress();
    void showsCopiesAndOpensTheAddress();
};

void TestHelpWindow::namesThePlaceholderAddress()
{
    const QString address = downloadAddress();
    const QStringList lines = helpLines(address);
    QVERIFY(lines.at(3).startsWith("3、如不是在" + address + "上下载"));
    QVERIFY(lines.at(4).contains("然后去" + address + "下载软件"));
    QCOMPARE(helpText(address).count(address), 2);
    QVERIFY(helpText(address).endsWith("祝各位生意兴隆！\n"));
    // Under the reserved domain until the program has a page of its own.
    const QUrl url(address);
    QCOMPARE(url.scheme(), "https");
    QVERIFY(url.host() == "example.com" || url.host().endsWith(".example.com"));
}

void TestHelpWindow::showsCopiesAndOpensTheAddress()
{
    FakePlatform fakes;
    HelpWindow window(fakes.platform);
    window.show();
    auto *text = child<QPlainTextEdit>(&window, "RichTextBox1");
    QCOMPARE(text->toPlainText(), helpText(downloadAddress()));
    QVERIFY(text->isReadOnly());
    auto *link = child<QLabel>(&window, "Label9");
    QCOMPARE(link->text(), downloadAddress());
    QCOMPARE(link->textFormat(), Qt::PlainText);
    QVERIFY(!link->accessibleDescription().isEmpty());

    click(&window, "Command2");
    QCOMPARE(fakes.clipboard.text, downloadAddress());
    QCOMPARE(fakes.clipboard.writes, 1);
    QCOMPARE(fakes.dialogs.messages.size(), 1);
    QCOMPARE(fakes.dialogs.messages.first().prompt, "复制成功！");
    QCOMPARE(fakes.dialogs.messages.first().title, "复制");

    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(fakes.launcher.openedUrls, QList<QUrl>({ QUrl(downloadAddress()) }));
    QCOMPARE(fakes.dialogs.messages.size(), 1);
    fakes.launcher.openUrlSucceeds = false;
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(fakes.dialogs.messages.size(), 2);
    QCOMPARE(fakes.dialogs.messages.last().prompt, "无法打开浏览器！");
    QCOMPARE(fakes.dialogs.messages.last().title, "提示");

    // "关闭" only hides; the text stays as it was.
    click(&window, "Command1");
    QVERIFY(!window.isVisible());
    window.show();
    QCOMPARE(text->toPlainText(), helpText(downloadAddress()));
}

ORMEK_GUI_TEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
