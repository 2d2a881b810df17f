#pragma once
// Helpers shared by the Qt Test executables: controls by object name, answering modal boxes,
// a private settings folder, and the main window started as the tests need it.
#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class TQuarnForm;

// The control named `name` below `root`; aborts the test run with a clear message when missing.
template <class T>
T *findControl(const QObject *root, const QString &name)
{
    T *control = root->findChild<T *>(name);
    if (!control) qFatal("control %s not found", qPrintable(name));
    return control;
}

// Answers every modal window that opens while it lives: a message box gets `button` pressed and
// its text recorded; any other dialog is handed to `onDialog` (or rejected).
class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(QMessageBox::StandardButton button = QMessageBox::Ok);
    ~ModalAnswerer() override;

    void setButton(QMessageBox::StandardButton button) { m_button = button; }
    void setDialogHandler(std::function<void(QWidget *)> handler) { m_onDialog = std::move(handler); }
    const QStringList &texts() const { return m_texts; }
    QStringList titlesAndTexts() const { return m_titled; }
    void clear() { m_texts.clear(); m_titled.clear(); }

private:
    void poll();
    QTimer m_timer;
    QMessageBox::StandardButton m_button;
    std::function<void(QWidget *)> m_onDialog;
    QStringList m_texts;
    QStringList m_titled;
};

// Points QSettings and the user's data folder at a fresh temporary folder for as long as it lives.
class PrivateSettings {
public:
    PrivateSettings();
    ~PrivateSettings();
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// The main window as the tests start it: no splash, application style installed.
std::unique_ptr<TQuarnForm> makeMainWindow();

// How long a wait on a condition lasts before the test counts it as never coming. It only catches
// a hang, so it lies far beyond anything a loaded machine takes: a download alone is 256 passes of
// the link worker, each a sleep that a busy scheduler stretches.
constexpr int WaitDeadlineMs = 30000;

// Waits (serving the event queue) until `done` holds or `timeoutMs` passes; true when it held.
bool waitUntil(const std::function<bool()> &done, int timeoutMs = WaitDeadlineMs);
