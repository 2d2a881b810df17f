#pragma once
// Answers the file dialogs of a test as a technician would: types a full path into the file name
// box and presses the accept button; records where the dialog started and what it offered.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class ModalAnswerer;

struct FileDialogSeen {
    QString title;
    QString directory;       // the folder the dialog showed first
    QString typedName;       // the file name box as the dialog opened
    QStringList nameFilters;
    bool saving = false;
};

class FileDialogTyper {
public:
    // Every file dialog that `answerer` meets gets `path` typed in and accepted, or is cancelled
    // when `path` is empty. Message boxes (overwrite questions, errors) stay with `answerer`.
    FileDialogTyper(ModalAnswerer &answerer, const QString &path);
    ~FileDialogTyper();
    FileDialogTyper(const FileDialogTyper &) = delete;
    FileDialogTyper &operator=(const FileDialogTyper &) = delete;

    void setPath(const QString &path) { m_path = path; }
    const QList<FileDialogSeen> &seen() const { return m_seen; }

private:
    void answer(QWidget *dialog);
    ModalAnswerer &m_answerer;
    QString m_path;
    QList<QPointer<QWidget>> m_answered;
    QList<FileDialogSeen> m_seen;
};
