// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qtdialogs.h"

#include "platform/inputdialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

// Each box blocks only the window it was opened from (window-modal), never the others: the
// final countdown's "取消关机" stays within reach while a box waits on the main window. That
// window may be discarded while its box waits, and the box with it: boxes live on the heap
// and are looked at only while they exist.

namespace {

QMessageBox *messageBox(const QString &prompt, const QString &title)
{
    auto *box = new QMessageBox(QMessageBox::NoIcon, title, prompt, QMessageBox::NoButton,
                                QApplication::activeWindow());
    box->setWindowModality(Qt::WindowModal);
    box->setTextFormat(Qt::PlainText);
    return box;
}

} // namespace

void QtDialogs::showMessage(const QString &prompt, const QString &title)
{
    QPointer<QMessageBox> box = messageBox(prompt, title);
    box->setStandardButtons(QMessageBox::Ok);
    box->exec();
    delete box.data();
}

QString QtDialogs::askText(const QString &prompt, const QString &title)
{
    QPointer<InputDialog> dialog = new InputDialog(prompt, title, QApplication::activeWindow());
    dialog->setWindowModality(Qt::WindowModal);
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog;
    const QString text = accepted ? dialog->text() : QString();
    delete dialog.data();
    return text;
}

int QtDialogs::askChoice(const QString &prompt, const QString &title, const QStringList &choices)
{
    QPointer<QMessageBox> box = messageBox(prompt, title);
    QList<QAbstractButton *> buttons;
    for (const QString &choice : choices)
        buttons << box->addButton(choice, QMessageBox::AcceptRole);
    box->setDefaultButton(qobject_cast<QPushButton *>(buttons.constFirst()));
    box->setEscapeButton(buttons.constLast());
    box->exec();
    const qsizetype chosen = box ? buttons.indexOf(box->clickedButton()) : -1;
    delete box.data();
    return chosen < 0 ? int(choices.size()) - 1 : int(chosen);
}
