#pragma once
// The command line's side of the link worker: the same TCOMThread the window runs, hosted by an
// object on the main thread that turns the worker's hand-overs into results, stderr lines and
// exit statuses. Each operation waits (serving the hand-overs) until the worker has finished it,
// failed, or let a time limit pass.
#include "core/calimage.h"
#include "cli/portchoice.h"
#include "link/linkhost.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

class Cli;
class TCOMThread;

class CliLink : public QObject, public LinkHost {
public:
    CliLink(Cli &cli, PortChoice port);
    ~CliLink() override;

    // Opens the port and waits, for --wait at most, until the controller has announced itself.
    bool Connect();
    // The same in two halves, for several ports at once: Start opens, WaitConnected waits.
    void Start();
    bool WaitConnected(int timeoutMs);
    // Downloads the controller's image, exactly as it came over the line.
    bool Download(CalImageBytes *image);
    // Uploads `image`; the controller has taken it when this returns true.
    bool Upload(const CalImageBytes &image);
    // Asks the connected controller whether it hears the tool; false (with the failure) when it
    // does not answer. Its answer is left unacknowledged.
    bool Probe();
    // Restarts the controller into its bootloader (or hooks the bootloader of a controller without
    // an application) and carries `job` out; the run's end in `outcome`.
    // `backupFile` receives the flash the run reads (the backup, or the read-only run's output).
    bool RunFirmware(const FirmwareJob &job, const QString &backupFile, FirmwareOutcome *outcome);

    // Before Connect: the first order on the port starts the application of a controller waiting
    // in its bootloader (a running application restarts through its bootloader).
    void StartApplicationFirst() { m_startFirst = true; }
    // After a firmware run that backed the flash up: it was erased, and no file was written.
    bool FlashWasErased() const { return m_flashErased; }

    // After a false return: the exit status and the line that says what failed.
    int FailureStatus() const { return m_failureStatus; }
    QString FailureText() const { return m_failureText; }
    const PortChoice &Port() const { return m_port; }
    // The unit (--unit) the controller is fitted to, as the history names it; empty: none given.
    QString Unit() const;
    // What the controller announced itself as (after Connect).
    uint8_t ProductLetter() const { return m_productLetter; }
    QString Banner() const { return m_banner; }

    // LinkHost.
    QObject *LinkContext() override { return this; }
    void SyncStatus(const LinkStatus &status) override;
    void ShowError(const QString &text) override;
    void ShowInfo(const QString &text) override;
    void ImageToBuffer(uint8_t *buffer) override;
    void BufferToImage(const uint8_t *buffer) override;
    QString SelectFirmwareFile() override { return m_job.fileName; }
    FirmwareJob ChooseFirmwareJob() override;
    bool KeepFirmwareBackup(const QByteArray &hex, QString *error) override;
    void NoFirmwareToKeep() override { m_flashErased = true; }
    void FirmwareRunEnded(FirmwareOutcome outcome, const QString &text) override;
    bool DownloadOnFirstConnect() const override { return false; }
    bool StartApplicationOnOpen() const override { return m_startFirst; }
    // A firmware job finds a controller left waiting in its bootloader, as the window does.
    bool FindWaitingBootloader() const override { return m_job.readOnly || !m_job.fileName.isEmpty(); }
    bool WorkLeft() const override { return m_workLeft; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Serves the event queue until `done` holds (true), the worker has stopped or `timeoutMs`
    // has passed (false; < 0: no limit).
    bool WaitFor(const std::function<bool()> &done, int timeoutMs);
    // Stores `request` as soon as the link is connected, within --wait.
    bool Request(uint8_t request, const QString &what);
    // Asks for an image transfer and waits until `finished` (counted by its link message) has grown.
    bool Transfer(uint8_t request, const int &finished, const QString &what);
    bool Failed(int status, const QString &text);
    uint8_t State() const;

    Cli &m_cli;
    const PortChoice m_port;
    std::unique_ptr<TCOMThread> m_worker;
    bool m_showProgress = false;
    QString m_stoppedText;       // the worker's status text once it stopped (Stopped)
    bool m_replaceAsked = false; // the worker asked to be replaced (RestartPending)
    int m_failureStatus = 0;
    QString m_failureText;
    uint8_t m_productLetter = 0;
    QString m_banner;
    CalImageBytes m_outgoing{};
    CalImageBytes m_incoming{};
    int m_uploads = 0;
    int m_downloads = 0;
    FirmwareJob m_job;
    QString m_backupFile;
    bool m_jobChosen = false;
    bool m_runEnded = false;
    FirmwareOutcome m_outcome = FirmwareOutcome::NoFile;
    QString m_backupError;
    QString m_lastBox;  // the last error box's text (a controller without firmware says so in one)
    bool m_startFirst = false;
    bool m_flashErased = false;
    // Whether the worker is to acknowledge the controller's next announcement: until the
    // connection and while a request waits to be stored; once a job is taken, the controller is
    // left announcing after it. Read on the worker's thread.
    std::atomic<bool> m_workLeft{true};
};
