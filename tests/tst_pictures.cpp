// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// Each window, drawn offscreen at scale 1 in the fonts of tests/pictures/fonts.conf, against its
// stored picture, pixel for pixel, and every text it shows against its stored list: a moved
// control, a changed colour or font, a lost label or tooltip fails here. After a change meant
// to show, scripts/pictures draws them anew (ORMEK_DRAW_PICTURES=1 writes what this test draws
// as the stored pictures and texts); look at them before committing.

#include "platform/qttranslation.h"
#include "support/guitest.h"
#include "support/picturedrun.h"

class PicturesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        const bool draw = qEnvironmentVariableIsSet("ORMEK_DRAW_PICTURES");
        QVERIFY(playPicturedRun([&](const QString &name, QWidget *window) {
            m_drawn.insert(name, window->grab().toImage().convertToFormat(QImage::Format_RGB32));
            m_texts.insert(name, shownTexts(window));
            QFile texts(stored(name, ".txt"));
            return !draw
                    || (m_drawn[name].save(stored(name, ".png")) && texts.open(QIODevice::WriteOnly)
                        && texts.write(m_texts[name].toUtf8()));
        }));
        QCOMPARE(m_drawn.size(), 5);
    }

    void looksAsStored_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *name : { "main-window", "scheduler", "countdown", "preview", "help" })
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void looksAsStored()
    {
        QFETCH(QString, window);
        const QImage drawn = m_drawn.value(window);
        if (drawn != QImage(stored(window, ".png")).convertToFormat(QImage::Format_RGB32)) {
            const QString drawnPath = QDir::temp().filePath(window + QLatin1String(".png"));
            drawn.save(drawnPath);
            QFAIL(qPrintable(QStringLiteral("differs from the stored picture; drawn as ")
                             + drawnPath));
        }
        QFile file(stored(window, ".txt"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        // QCOMPARE names the first line that differs.
        QCOMPARE(m_texts.value(window).split(u'\n'),
                 QString::fromUtf8(file.readAll()).split(u'\n'));
    }

private:
    static QString stored(const QString &name, const char *suffix)
    {
        return QStringLiteral(PICTURES_DIR "/") + name + QLatin1String(suffix);
    }

    QMap<QString, QImage> m_drawn;
    QMap<QString, QString> m_texts;
};

int main(int argc, char *argv[])
{
    GuiTest::prepareEnvironment();
    // Only the fonts named there, whatever else the machine has, with the Simplified Chinese
    // forms of the ideographs.
    qputenv("FONTCONFIG_FILE", PICTURES_DIR "/fonts.conf");
    qputenv("FC_LANG", "zh-cn");
    QApplication app(argc, argv);
    installQtTranslation();
    GuiTest::guardAgainstModalBoxes();
    PicturesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pictures.moc"
