#pragma once
// "History": the images kept from and for the controllers, newest first, with the firmware copies
// taken before upgrades. The technician picks an image to open; the history itself is only read.
#include "history/historystore.h"

#include <QDialog>
#include <QList>

#include <optional>

class QLabel;
class QPushButton;
class QTreeView;
class HistoryModel;

class HistoryDialog : public QDialog {
    Q_OBJECT
public:
    HistoryDialog(const HistoryStore &store, QWidget *parent = nullptr);

    // Shows the dialog modally; the image entry the technician chose to open, if any.
    static std::optional<HistoryEntry> ChooseImage(const HistoryStore &store, QWidget *parent);

    std::optional<HistoryEntry> SelectedImage() const;

private:
    void SelectionChanged();

    HistoryModel *m_model = nullptr;
    QTreeView *HistoryList = nullptr;
    QLabel *FolderLabel = nullptr;
    QPushButton *OpenButton = nullptr;
    QPushButton *CloseButton = nullptr;
};
