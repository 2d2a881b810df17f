#pragma once
// The main window: menus, the product page stack, the link status strip and the log window.
#include "core/calimage.h"
#include "ui/editorhost.h"
#include "history/historystore.h"
#include "link/linkhost.h"

#include <QMainWindow>
#include <cstdint>
#include <optional>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTimer;
class QWidget;
class ProductPage;
class ShopSync;
class TCOMThread;

struct StartOptions {
    bool showSplash = true;  // the tests start without the modal splash
};

class TQuarnForm : public QMainWindow, public EditorHost, public LinkHost {
    Q_OBJECT
public:
    explicit TQuarnForm(StartOptions options = {}, QWidget *parent = nullptr);
    ~TQuarnForm() override;

    // Page stack indexes, in the order of the stack.
    enum PageIndex { BlankPage = 0, QuarnPageIndex, DorsellPageIndex, VintlePageIndex, BrennicPageIndex, CsCanPageIndex };

    // EditorHost
    void ImageToControls(bool fromLink) override;
    bool Loading() const override { return m_updating; }
    void TestPress(uint8_t code, uint8_t level) override;
    void TestReleaseImmediate() override;
    void TestReleaseZeroLevel(uint8_t code) override;
    void ShowHelp() override;

    // Image defaults plus the page controls the defaults put back.
    void SetImageDefaults();

    TCOMThread *comThread() const { return ComThread; }
    // The system asks the program to end (a signal, the session's end): every window closes as by
    // its close box, boxes and dialogs included, with no new box shown, and the link worker lets
    // go of the controller.
    void EndForSystem();

    // LinkHost: what the link worker hands over to this window (run on the UI thread while the
    // worker waits).
    QObject *LinkContext() override { return this; }
    void SyncStatus(const LinkStatus &status) override;
    void ShowError(const QString &text) override;
    void ShowInfo(const QString &text) override;
    void ImageToBuffer(uint8_t *buffer) override;
    void BufferToImage(const uint8_t *buffer) override;
    QString SelectFirmwareFile() override;
    // The upgrade first keeps the firmware it replaces in the history, unless the settings say not
    // to (quarnform_history.cpp).
    FirmwareJob ChooseFirmwareJob() override;
    bool KeepFirmwareBackup(const QByteArray &hex, QString *error) override;
    // A run that failed before its end says why in a box (quarnform_firmware.cpp).
    void FirmwareRunEnded(FirmwareOutcome outcome, const QString &text) override;
    // A controller left waiting in its bootloader (its programming stopped part-way) is found at
    // the next connection and asked for its firmware.
    bool FindWaitingBootloader() const override { return true; }
    uint32_t testPressStamp() const { return m_testPressStamp; }
    // Opens the *.joy file `fileName` as "&Open" does once a file is chosen (the window opens a
    // file named on its command line, as Explorer does when a *.joy file is opened).
    void OpenJoyFile(const QString &fileName);

public slots:
    // File menu
    void Open1Click();
    void Save1Click();
    void History1Click();
    void Compare1Click();
    void ShopServer1Click();
    void Print1Click();
    void Exit1Click();
    // View menu
    void LogWindow1Click();
    void QuarnMenu1Click();
    void DorsellMenu1Click();
    void BrennicMenu1Click();
    void HornerCsCAN1Click();
    void Ostrel1Click();
    // Datalink menu and status strip
    void PortNumber1Click();
    void SendCalClick();
    void GetCalibration1Click();
    void UpgradeFirmware1Click();
    void ResetCalFile1Click();
    void UploadButtonClick();
    void DownloadButtonClick();
    void ResetButtonClick();
    // Help menu
    void About1Click();

    void Timer2Timer();

protected:
    void closeEvent(QCloseEvent *event) override;
    // The application-wide hook: sees every event of the UI thread's queue and handles the link
    // message (AppMessage).
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildMenus();
    void BuildClientArea();
    void LayoutClientArea();
    // Shows the kept image on the page of `code`, with the log line a download gets; edits made
    // on the page shown before are kept first.
    void ShowProductPage(uint8_t code, PageIndex page);
    // Sets the current product's page from CalImage (the shown image).
    void LoadPage();
    // Shows the kept image on the current product's page, every control starting from where it
    // stood once the window had started: CalImage becomes the image as that page shows it.
    void ShowKept();
    // The image in CalImage becomes the kept image (a reset image, the defaults) and is shown.
    void ShowImage();
    // The same for an image that has just arrived (download, file, history); the log window says
    // how many settings showing adjusted, if any.
    void ShowArrivedImage();
    void LogShownAdjustments();
    // What the page's controls stored in the shown image since it was shown goes into the kept
    // image.
    void TakeEdits();
    // "&Send Cal" from a page other than the connected controller's variant asks first; true when
    // the send may go ahead.
    bool SendFromThisPageAgreed();

    // The link worker: created for ComPort, freed (waiting for its thread) and replaced whenever
    // the link must start afresh.
    void CreateLink();
    void FreeLink();
    void ReplaceLink();
    // Stores a request in the worker; has effect only while the link is connected.
    void SetRequest(uint8_t code, uint8_t value);
    // Installs AppMessage as the application-wide hook (once the window exists).
    void InstallAppMessage();
    // Handles one link message; true when the event was one.
    bool AppMessage(QEvent *event);

    // The controller history (quarnform_history.cpp). The bytes of each exchange are captured in
    // the hand-overs, with the port and the unit the Unit box names, and kept once the worker's
    // finish message has arrived, never during the transfer; a history that cannot be written
    // costs one line in the log window.
    void KeepExchange(int linkCode);
    QString HandOverPort() const;
    // The unit the Unit box names (empty: unassigned).
    QString CurrentUnit() const;
    // The Unit box offers the units already in the history; what is typed in it stays.
    void OfferUnits();
    // ... and a unit just kept, without listing them all again.
    void OfferUnit(const QString &unit);
    // A unit belongs to the controller on the line: it goes when the status strip shows the
    // controller gone (after having shown it there) or when the port changes.
    void FollowLinkForUnit(const LinkStatus &status);
    void ForgetUnit();
    // The count of entries not yet on the shop server, in the status strip.
    void ShowServerState();
    bool ControllerConnected();
    // Sends a unit's kept image to the connected controller once its variant matches and the
    // technician, shown what it changes in the controller, agreed.
    void SendFromHistory(const HistoryEntry &entry, const CalImageBytes &image);
    // Replaces the image with `image` and shows it, as "&Open" does with a file's bytes.
    void OpenImage(const CalImageBytes &image);
    struct Exchange {
        CalImageBytes bytes{};
        QString port;
        QString unit;
        uint8_t product = 0;
    };
    Exchange m_uploadCapture;    // what ImageToBuffer handed to the worker
    Exchange m_downloadCapture;  // what BufferToImage received, before any defaults
    std::optional<CalImageBytes> m_lastExchanged;  // the last image a finished transfer carried
    // The same for the controller on the line now: forgotten with the unit.
    std::optional<CalImageBytes> m_controllerImage;
    bool m_controllerShown = false;  // the status strip shows a controller (green)
    QString m_freeingPort;       // the port of a worker being freed
    ShopSync *m_shopSync = nullptr;  // shares the history with the shop's server
    QString m_chipLine;          // the chip the bootloader named for the firmware run under way

    TCOMThread *ComThread = nullptr;
    bool m_freeingLink = false;       // FreeLink is waiting for the worker's thread
    bool m_endingForSystem = false;   // EndForSystem: no box or dialog is shown any more
    bool m_linkCreated = false;       // the first worker has been created
    // Finish messages that arrived while a worker was being freed; shown once it is gone.
    struct DeferredLinkMessage {
        int workerId;
        int code;
    };
    std::vector<DeferredLinkMessage> m_deferredLinkMessages;
    bool m_updating = false;          // the update latch of ImageToControls
    // The image as it came from the controller, a file or the history, with the technician's
    // edits; CalImage holds it as the current page shows it (m_shown: as last shown).
    CalImageBytes m_kept{};
    CalImageBytes m_shown{};
    uint32_t m_testPressStamp = 0;    // 0 none, 1 ending, else the tick of the last press
    int m_clientHeight = 0;

    // Menu items
    QAction *Open1 = nullptr, *Save1 = nullptr, *Print1 = nullptr, *Exit1 = nullptr;
    QAction *History1 = nullptr, *Compare1 = nullptr, *ShopServer1 = nullptr;
    QAction *LogWindow1 = nullptr, *QuarnMenu1 = nullptr, *DorsellMenu1 = nullptr, *BrennicMenu1 = nullptr,
            *HornerCsCAN1 = nullptr, *Ostrel1 = nullptr;
    QAction *PortNumber1 = nullptr, *SendCal = nullptr, *GetCalibration1 = nullptr,
            *UpgradeFirmware1 = nullptr, *ResetCalFile1 = nullptr;
    QAction *About1 = nullptr;

    // Client area
    QWidget *Client = nullptr;
    QStackedWidget *ProductNotebook = nullptr;
    ProductPage *Pages[6] = {};
    QWidget *BottomPanel = nullptr;
    QWidget *TopProgPanel = nullptr;
    QLabel *ConnectedPanel = nullptr;
    QLabel *ProgressLabel = nullptr;
    QProgressBar *ProgressGauge = nullptr;
    QLabel *TXLabel = nullptr, *TXPanel = nullptr, *RXLabel = nullptr, *RXPanel = nullptr;
    QPushButton *UploadButton = nullptr, *DownloadButton = nullptr, *ResetButton = nullptr;
    QLabel *UnitLabel = nullptr;
    QComboBox *UnitBox = nullptr;
    QLabel *ServerWaitingLabel = nullptr;
    QWidget *MemoPanel = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QTimer *Timer2 = nullptr;
};
