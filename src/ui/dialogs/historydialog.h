#pragma once
// "History": the images kept from and for the controllers, newest first, with the firmware copies
// taken before upgrades, each with its unit (the truck or machine the controller is fitted to),
// its technician and PC. The list can be narrowed to one unit. The technician picks an image to
// open, gives an unassigned image its unit, or sends a unit's image to the connected controller;
// opening and sending never change the history.
#include "history/historystore.h"

#include <QDialog>
#include <QList>

#include <optional>

// The name of the variant a controller announcing `productLetter` is ("" when none is known).
QString HistoryVariantName(char productLetter);
// A kept image in words: "the image from controller 2026-12-08 22:45:03 on COM7 (Truck 47)".
QString HistoryImageWords(const HistoryEntry &entry);

class QComboBox;
class QLabel;
class QPushButton;
class QTreeView;
class HistoryModel;

class HistoryDialog : public QDialog {
    Q_OBJECT
public:
    // What the technician chose to do with the entry.
    enum class Action { Open, Send };
    struct Choice {
        HistoryEntry entry;
        Action action = Action::Open;
    };
    // Whether "Send to controller" is offered at all, and whether a controller is connected to
    // take the image.
    enum class SendOffer { Hidden, NotConnected, Connected };

    HistoryDialog(HistoryStore &store, SendOffer send = SendOffer::Hidden, QWidget *parent = nullptr);

    // Shows the dialog modally; the image entry chosen and what to do with it, if anything.
    // `assigned` tells whether an image was given its unit meanwhile.
    static std::optional<Choice> Choose(HistoryStore &store, SendOffer send, QWidget *parent, bool *assigned = nullptr);
    // The same with opening as the only choice.
    static std::optional<HistoryEntry> ChooseImage(HistoryStore &store, QWidget *parent);

    std::optional<HistoryEntry> SelectedImage() const;

private:
    void FillUnitFilter(const QString &keep);
    void ShowEntries();
    void SelectionChanged();
    void AssignClicked();
    void SendClicked();

    HistoryStore &m_store;
    const SendOffer m_send;
    Action m_action = Action::Open;
    bool m_assigned = false;
    HistoryModel *m_model = nullptr;
    QComboBox *UnitFilter = nullptr;
    QTreeView *HistoryList = nullptr;
    QLabel *ServerLabel = nullptr;
    QPushButton *OpenButton = nullptr;
    QPushButton *AssignButton = nullptr;
    QPushButton *SendButton = nullptr;
    QPushButton *CloseButton = nullptr;
};
