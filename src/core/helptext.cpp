// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/helptext.h"

QString downloadAddress()
{
    // Set in the build, which gives it to the Windows installer too. A placeholder until the
    // program has a download page of its own; short enough to show whole beside the copy button.
    return QStringLiteral(ORMEK_DOWNLOAD_ADDRESS);
}

QString kilobytesText(qint64 bytes)
{
    return QString::number((bytes + 512) / 1024) + QStringLiteral("KB");
}

QStringList helpLines(const QString &address, const QString &programSize)
{
    return {
        QStringLiteral("【使用安全】"),
        QStringLiteral("1、本软件此版本大小为") + programSize
                + QStringLiteral("，请查看大小，如不相符，请谨慎使用；"),
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
        QStringLiteral("    这个小工具是我在摊位上算账时写的，希望也能替各位摊主省些力气。"),
        QStringLiteral("    行情天天在变，请常更新价格表，并用方案位分别保存不同的行情。"),
        QStringLiteral("    挂机过夜时可用自动关机，关机前价格表会先保存好，请放心使用。"),
        QStringLiteral("    如有问题或建议，欢迎到下载页面留言。祝各位生意兴隆！"),
    };
}

QString helpText(const QString &address, const QString &programSize)
{
    // Every line ends in a line break, the last one too.
    return helpLines(address, programSize).join(u'\n') + u'\n';
}
