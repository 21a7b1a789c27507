// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "presets/tablepersistence.h"

#include "core/presetslot.h"
#include "core/pricetableview.h"
#include "core/runcount.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/settingsstore.h"

#include <utility>

TablePersistence::TablePersistence(Platform &platform, QObject *parent)
    : QObject(parent), m_platform(platform), m_store(platform.store)
{
    connect(&platform.store, &SettingsStore::saved, this, &TablePersistence::tellAboutSave);
}

PriceTable TablePersistence::presetTable(int slot)
{
    m_store.reload();
    return m_store.table(slot);
}

// The store has just been read when it was opened, at the start.
void TablePersistence::load(PriceTableView *view)
{
    const SettingsStore &store = m_platform.store;
    // A store that is there but cannot be read is not a first run: it is left as it is.
    if (store.isUnreadable()) {
        m_platform.dialogs.showMessage(
                QStringLiteral("无法读取设置文件（不是普通文件、大于 %1 MB 或不可读），"
                               "本次不会改写它：\n%2")
                        .arg(SettingsStore::largestFile / 1000000)
                        .arg(store.location()),
                QStringLiteral("提示"));
    } else if (countThisRun(m_store.runCount()).firstRun) {
        m_platform.dialogs.showMessage(
                QStringLiteral("欢迎使用Ormek商人计算器，本机是第一次运行本软件，将调用默认设置！"
                               "往后程序会自动保存你的设置！"),
                QStringLiteral("欢迎使用"));
        const PriceTable table = defaultPriceTable();
        view->setPriceTable(table);
        // Another copy started at the same time may have stored its own rows already: the
        // defaults go only where there is nothing yet, and after that only what changes here.
        m_store.setMissingEntries(automaticTable, table);
        m_set = table;
        m_view = view;
        return;
    }
    const PriceTable table = m_store.table(automaticTable);
    view->setPriceTable(table);
    m_set = table;
    // Only now is there a table to save.
    m_view = view;
}

void TablePersistence::forgetView()
{
    m_view = nullptr;
}

void TablePersistence::setChanges()
{
    const PriceTable table = m_view->priceTable();
    m_store.setChangedEntries(automaticTable, table, m_set);
    m_set = table;
    // What is set stays set until it is written.
    if (!std::exchange(m_runCounted, true))
        m_store.countRun();
}

bool TablePersistence::saveSession()
{
    if (!m_view)
        return true;
    setChanges();
    return m_store.commit();
}

void TablePersistence::saveChanges()
{
    if (!m_view)
        return;
    setChanges();
    m_store.save();
}

void TablePersistence::tellAboutSave(bool saved)
{
    tellAboutKeptCopy();
    // Telling after every edit would nag; once per run of failures is enough.
    if (saved)
        m_failureTold = false;
    else if (!m_failureTold)
        tellAboutFailedSave();
}

bool TablePersistence::saveAtClose()
{
    for (;;) {
        const bool saved = saveSession();
        tellAboutKeptCopy();
        if (saved)
            return true;
        const int choice = m_platform.dialogs.askChoice(
                QStringLiteral("保存失败！价格表的修改还没有保存。"), QStringLiteral("保存"),
                { QStringLiteral("重新保存"), QStringLiteral("不保存，直接关闭"),
                  QStringLiteral("返回") });
        if (choice == 1)
            return true;
        if (choice != 0)
            return false;
    }
}

void TablePersistence::savePreset(int slot)
{
    if (!m_view)
        return;
    m_store.setTable(slot, m_view->priceTable());
    const bool saved = m_store.commit();
    tellAboutKeptCopy();
    if (saved)
        m_platform.dialogs.showMessage(presetSavedMessage(slot), QStringLiteral("保存"));
    else
        tellAboutFailedSave();
}

void TablePersistence::loadPreset(int slot)
{
    if (!m_view)
        return;
    m_store.reload();
    saveWholeTable(m_store.table(slot));
    m_platform.dialogs.showMessage(presetLoadedMessage(slot), QStringLiteral("读取"));
}

void TablePersistence::resetTable()
{
    if (!m_view)
        return;
    saveWholeTable(defaultPriceTable());
    m_platform.dialogs.showMessage(QStringLiteral("初始化成功！"), QStringLiteral("初始化"));
}

void TablePersistence::saveWholeTable(const PriceTable &table)
{
    m_view->setPriceTable(table);
    // Every row, even one this copy shows already: another copy may have stored another.
    m_store.setTable(automaticTable, table);
    m_set = table;
    saveChanges();
}

void TablePersistence::tellAboutKeptCopy()
{
    const QString copy = m_platform.store.takeKeptCopy();
    if (!copy.isEmpty())
        m_platform.dialogs.showMessage(QStringLiteral("设置文件已损坏，已另存为备份：\n") + copy,
                                       QStringLiteral("提示"));
}

void TablePersistence::tellAboutFailedSave()
{
    m_platform.dialogs.showMessage(QStringLiteral("保存失败！"), QStringLiteral("保存"));
    m_failureTold = true;
}
