#include "help/helptext.h"
#include "help/helpwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

class TestHelpWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void showsTheTextLineByLine_data();
    void showsTheTextLineByLine();
    void endsEveryLineWithABreak();
    void addressIsAPlaceholder();
    void showsTheAddress();
    void copiesExactlyTheAddress();
    void opensTheAddress();
    void reportsABrowserThatCannotStart();
    void closeOnlyHides();

private:
    QPlainTextEdit *textBox() const
    {
        return m_window->findChild<QPlainTextEdit *>("RichTextBox1");
    }
    QLabel *link() const { return m_window->findChild<QLabel *>("Label9"); }

    FakePlatform *m_fakes = nullptr;
    HelpWindow *m_window = nullptr;
};

void TestHelpWindow::init()
{
    m_fakes = new FakePlatform;
    m_window = new HelpWindow(m_fakes->platform);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestHelpWindow::cleanup()
{
    delete m_window;
    delete m_fakes;
}

void TestHelpWindow::showsTheTextLineByLine_data()
{
    const QString address = downloadAddress();
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    const QString lines[] = {
        QStringLiteral("【使用安全】"),
        QStringLiteral("1、本软件此版本大小为160KB，请查看大小，如不相符，请谨慎使用；"),
        QStringLiteral("2、本程序无联网功能，如发现程序使用网络，请谨慎使用；"),
        QStringLiteral("3、如不是在") + address
                + QStringLiteral("上下载的本软件，参照上面两点，并杀毒后再使用！"),
        QStringLiteral("（“谨慎使用”的解释：关闭软件，杀毒，杀木马，然后去") + address
                + QStringLiteral("下载软件！这个是安全的！）"),
        QString(),
        QStringLiteral("【使用帮助】"),
        QStringLiteral("1、物品名及价格均可根据个人需要更改；"),
        QStringLiteral("2、保存读取"),
        QStringLiteral("自动保存：物品名及价格会在关闭软件时自动进行保存，下次打开软件自动读取；"),
        QStringLiteral("手动保存：软件提供5个方案位，可手动保存提取方案；"),
        QStringLiteral("（保存的的方案只能再本机上读取）"),
        QString(),
        QStringLiteral("【软件作者】"),
    };
    for (int i = 0; i < int(std::size(lines)); ++i)
        QTest::addRow("line %d", i + 1) << i + 1 << lines[i];
}

void TestHelpWindow::showsTheTextLineByLine()
{
    QFETCH(int, line);
    QFETCH(QString, text);
    const QStringList shown = textBox()->toPlainText().split(u'\n');
    QCOMPARE(shown.at(line - 1), text);
}

void TestHelpWindow::endsEveryLineWithABreak()
{
    const QStringList shown = textBox()->toPlainText().split(u'\n');
    // Fourteen lines, four remarks of the author, and the empty line after the last break.
    QCOMPARE(shown.size(), 14 + 4 + 1);
    for (int line = 15; line <= 18; ++line) {
        const QString remark = shown.at(line - 1);
        QVERIFY(remark.startsWith(QStringLiteral("    ")));
        QVERIFY(remark.size() > 4 && !remark.at(4).isSpace());
    }
    QVERIFY(shown.last().isEmpty());
    QVERIFY(textBox()->isReadOnly());
}

void TestHelpWindow::addressIsAPlaceholder()
{
    const QUrl url(downloadAddress());
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("https"));
    QVERIFY(url.host() == QStringLiteral("example.com")
            || url.host().endsWith(QStringLiteral(".example.com")));
}

void TestHelpWindow::showsTheAddress()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("帮助"));
    QCOMPARE(link()->text(), downloadAddress());
    QCOMPARE(link()->textFormat(), Qt::PlainText);
    QCOMPARE(link()->toolTip(), QStringLiteral("点击访问"));
    QVERIFY(link()->font().underline());
    QVERIFY(!link()->accessibleDescription().isEmpty());
    QCOMPARE(m_window->findChild<QLabel *>("Label8")->text(),
             QStringLiteral("唯一认可的下载地址："));
    QCOMPARE(m_window->findChild<QLabel *>("Label10")->text(),
             QStringLiteral("其它地址下载本软件请谨慎使用！"));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
}

void TestHelpWindow::copiesExactlyTheAddress()
{
    QTest::mouseClick(m_window->findChild<QPushButton *>("Command2"), Qt::LeftButton);
    QCOMPARE(m_fakes->clipboard.text, downloadAddress());
    QCOMPARE(m_fakes->clipboard.writes, 1);
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    QCOMPARE(m_fakes->dialogs.messages.first().prompt, QStringLiteral("复制成功！"));
    QCOMPARE(m_fakes->dialogs.messages.first().title, QStringLiteral("复制"));
}

void TestHelpWindow::opensTheAddress()
{
    QTest::mouseClick(link(), Qt::LeftButton);
    QTest::mouseClick(link(), Qt::LeftButton);
    QCOMPARE(m_fakes->launcher.openedUrls,
             QList<QUrl>({ QUrl(downloadAddress()), QUrl(downloadAddress()) }));
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestHelpWindow::reportsABrowserThatCannotStart()
{
    m_fakes->launcher.openUrlSucceeds = false;
    QTest::mouseClick(link(), Qt::LeftButton);
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    QCOMPARE(m_fakes->dialogs.messages.first().prompt, QStringLiteral("无法打开浏览器！"));
    QCOMPARE(m_fakes->dialogs.messages.first().title, QStringLiteral("提示"));
}

void TestHelpWindow::closeOnlyHides()
{
    const QString text = textBox()->toPlainText();
    QTest::mouseClick(m_window->findChild<QPushButton *>("Command1"), Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
    m_window->show();
    QCOMPARE(textBox()->toPlainText(), text);
}

ORMEK_GUI_TEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
