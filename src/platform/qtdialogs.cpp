#include "platform/qtdialogs.h"

#include "platform/inputdialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

// Each box blocks only the window it was opened from (window-modal), never the others: the
// final countdown's "取消关机" stays within reach while a box waits on the main window.

void QtDialogs::showMessage(const QString &prompt, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::WindowModal);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

QString QtDialogs::askText(const QString &prompt, const QString &title)
{
    InputDialog dialog(prompt, title, QApplication::activeWindow());
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.text();
}

int QtDialogs::askChoice(const QString &prompt, const QString &title, const QStringList &choices)
{
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::WindowModal);
    box.setTextFormat(Qt::PlainText);
    QList<QAbstractButton *> buttons;
    for (const QString &choice : choices)
        buttons << box.addButton(choice, QMessageBox::AcceptRole);
    box.setDefaultButton(qobject_cast<QPushButton *>(buttons.constFirst()));
    box.setEscapeButton(buttons.constLast());
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return chosen < 0 ? int(choices.size()) - 1 : int(chosen);
}
