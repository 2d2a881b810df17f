#include "support/filedialogs.h"

#include "support/testsupport.h"

#include <QFileDialog>
#include <QLineEdit>

FileDialogTyper::FileDialogTyper(ModalAnswerer &answerer, const QString &path) : m_answerer(answerer), m_path(path)
{
    answerer.setDialogHandler([this](QWidget *dialog) { answer(dialog); });
}

FileDialogTyper::~FileDialogTyper() { m_answerer.setDialogHandler({}); }

void FileDialogTyper::answer(QWidget *widget)
{
    auto *dialog = qobject_cast<QFileDialog *>(widget);
    if (!dialog) {
        if (auto *other = qobject_cast<QDialog *>(widget)) other->reject();
        return;
    }
    if (m_answered.contains(dialog)) return;  // still busy with this one (an overwrite question)
    m_answered << dialog;

    auto *nameBox = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    m_seen << FileDialogSeen{dialog->windowTitle(), dialog->directory().absolutePath(), nameBox ? nameBox->text() : QString(),
                             dialog->nameFilters(), dialog->acceptMode() == QFileDialog::AcceptSave};
    if (m_path.isEmpty() || !nameBox) {
        dialog->reject();
        return;
    }
    nameBox->setText(m_path);
    // Accept from the event loop, so an overwrite question it raises is answered by the poller.
    QMetaObject::invokeMethod(static_cast<QDialog *>(dialog), &QDialog::accept, Qt::QueuedConnection);
}
