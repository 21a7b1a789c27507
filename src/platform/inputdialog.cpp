// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/inputdialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

InputDialog::InputDialog(const QString &prompt, const QString &title, QWidget *parent)
    : QDialog(parent)
    , m_field(new QLineEdit(this))
    , m_tooLong(new QLabel(QStringLiteral("文字过长：最多%1个字符。").arg(longestText), this))
{
    // One more than it gives back, so that a longer paste is seen rather than cut.
    m_field->setMaxLength(longestText + 1);
    m_tooLong->hide();
    connect(m_field, &QLineEdit::textChanged, this, &InputDialog::checkLength);

    setWindowTitle(title);

    auto *promptLabel = new QLabel(prompt, this);
    promptLabel->setTextFormat(Qt::PlainText);
    promptLabel->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_okButton = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(promptLabel);
    layout->addWidget(m_field);
    layout->addWidget(m_tooLong);
    layout->addWidget(buttons);
    setMinimumWidth(300);
}

QString InputDialog::text() const
{
    return m_field->text();
}

void InputDialog::checkLength()
{
    const bool tooLong = m_field->text().size() > longestText;
    m_tooLong->setVisible(tooLong);
    m_okButton->setEnabled(!tooLong);
}
