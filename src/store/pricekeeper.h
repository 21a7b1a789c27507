#ifndef PRICEKEEPER_H
#define PRICEKEEPER_H

#include "platform/windowslot.h"
#include "store/previewwindow.h"
#include "store/pricestore.h"

#include <QObject>
#include <QPointer>

class MainWindow;
struct Platform;

// Keeps the main window's price table in the settings store, and carries out the preset
// commands and the preview window.
//
// The table on screen and the start counter are written after every change of the rows and
// when the window closes, so that an ending without a close loses nothing. Only the names and
// prices changed here are written, so that another instance's changes to the others stay. A
// failed save is reported once until a save succeeds again, and always at the close and for a
// preset.
class PriceKeeper : public QObject
{
    Q_OBJECT

public:
    explicit PriceKeeper(Platform &platform, QObject *parent = nullptr);
    ~PriceKeeper() override;

    // Fills the rows of a main window that is not shown yet: on the first run the user is
    // greeted and gets the default table, on any later run the stored one.
    void load(MainWindow *window);

    // Writes the rows and the counter without asking or telling anything; false when they did
    // not reach the store. Does nothing, successfully, once the main window is gone.
    bool saveSession();

    // The preview window, or null while it does not exist.
    PreviewWindow *previewWindow() const;

public Q_SLOTS:
    void saveChanges();
    void saveAtClose();
    void savePreset(int slot);
    void loadPreset(int slot);
    void viewPreset(int slot);
    void resetTable();

Q_SIGNALS:
    // The preview window was made; it is discarded by its close button.
    void previewCreated(PreviewWindow *window);

private:
    void tellAboutKeptCopy();
    void tellAboutFailedSave();

    Platform &m_platform;
    PriceStore m_store;
    QPointer<MainWindow> m_window;
    // What the store holds of the automatic table, as this instance last read or wrote it.
    KnownTable m_known;
    bool m_runCounted = false;
    WindowSlot<PreviewWindow> m_preview;
    bool m_failureTold = false;
};

#endif // PRICEKEEPER_H
