#include "support/testsupport.h"

#include "ui/appstyle.h"
#include "ui/quarnform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QSettings>
#include <QTest>

ModalAnswerer::ModalAnswerer(QMessageBox::StandardButton button) : m_button(button)
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start();
}

ModalAnswerer::~ModalAnswerer() = default;

void ModalAnswerer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        m_texts << box->text();
        m_titled << box->windowTitle() + QStringLiteral(": ") + box->text();
        QAbstractButton *button = box->button(m_button);
        if (!button && !box->buttons().isEmpty()) button = box->buttons().first();
        if (button) button->click();
        else box->reject();
        return;
    }
    if (m_onDialog) {
        m_onDialog(modal);
        return;
    }
    if (auto *dialog = qobject_cast<QDialog *>(modal)) dialog->reject();
}

PrivateSettings::PrivateSettings()
{
    qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
    // The controller history and any other user data land here too, never in the real home.
    qputenv("XDG_DATA_HOME", (m_dir.path() + QStringLiteral("/data")).toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
#ifdef Q_OS_WIN
    // The registry has no folder of a test's own: the settings go to an INI file in the folder.
    QSettings::setDefaultFormat(QSettings::IniFormat);
#endif
}

PrivateSettings::~PrivateSettings()
{
    QSettings::setDefaultFormat(QSettings::NativeFormat);
}

std::unique_ptr<TQuarnForm> makeMainWindow()
{
    InstallApplicationStyle();
    StartOptions options;
    options.showSplash = false;
    auto form = std::make_unique<TQuarnForm>(options);
    form->show();
    return form;
}

bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    return QTest::qWaitFor(done, timeoutMs);
}
