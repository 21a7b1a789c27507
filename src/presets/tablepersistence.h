// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TABLEPERSISTENCE_H
#define TABLEPERSISTENCE_H

#include "presets/savedtables.h"

#include <QObject>

class PriceTableView;
struct Platform;

// Keeps the price table on screen in the settings store, and carries out the preset commands.
//
// The table on screen and the start counter are written after every change of the rows, in
// the background, and when the window closes, so that an ending without a close loses
// nothing. Only the names and prices changed here are written, so that another instance's
// changes to the others stay; commands that replace the whole table write all of it. A failed
// save is reported once until a save succeeds again, and always for a preset; at the close
// the user may try again.
class TablePersistence : public QObject
{
    Q_OBJECT

public:
    explicit TablePersistence(Platform &platform, QObject *parent = nullptr);

    // Fills a view that is not shown yet: on the first run the user is greeted and gets the
    // default table, on any later run the stored one. The view is kept until forgetView().
    void load(PriceTableView *view);
    // The view is gone: nothing is left to save, and the preset commands do nothing.
    void forgetView();

    // Writes the rows and the counter without asking or telling anything; false when they did
    // not reach the store. Does nothing, successfully, without a view.
    bool saveSession();

    // Saves as the view closes. Should the save fail, the user chooses between trying again,
    // closing without saving and going back; false when the view should stay open.
    bool saveAtClose();

    // The table in a preset slot as stored now, with what other copies wrote to it.
    PriceTable presetTable(int slot);

public Q_SLOTS:
    void saveChanges();
    void savePreset(int slot);
    void loadPreset(int slot);
    void resetTable();

private:
    // Sets what changed on screen since the last time, and the count of this run once.
    void setChanges();
    void saveWholeTable(const PriceTable &table);
    void tellAboutSave(bool saved);
    void tellAboutKeptCopy();
    void tellAboutFailedSave();

    Platform &m_platform;
    SavedTables m_store;
    PriceTableView *m_view = nullptr;
    // The table on screen as this instance last read it or set it in the store.
    PriceTable m_set;
    bool m_runCounted = false;
    bool m_failureTold = false;
};

#endif // TABLEPERSISTENCE_H
