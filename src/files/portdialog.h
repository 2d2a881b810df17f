#pragma once
// "COM Port Setting": picks the serial port the link uses from the ports the system has
// registered (and those of the serial device map).
#include <QDialog>
#include <QStringList>

#include <array>

class QComboBox;
class QPushButton;

class TSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // One flag per port number 0..255: set when a port named COM<n> exists.
    using PortTable = std::array<bool, 256>;

    explicit TSettingsDialog(int currentPort, QWidget *parent = nullptr);

    // Shows the dialog modally and returns the chosen port number: the selected item however
    // the dialog was closed, or 0 when the list is empty.
    static int ChoosePort(QWidget *parent, int currentPort);

    // The port table from port names as the system lists them ("COM<n>"; any other name, or a
    // number that is not decimal, counts as port 0).
    static PortTable BuildPortTable(const QStringList &portNames);
    // The listed port numbers (1..255, ascending).
    static QList<int> ListedPorts(const PortTable &table);
    // The item to preselect: the current port if listed, else the highest listed port below it,
    // else the first.
    static int PreselectIndex(const QList<int> &ports, int currentPort);

    int SelectedPort() const;

private:
    QList<int> m_ports;
    QComboBox *ComPortBox = nullptr;
    QPushButton *OKButton = nullptr;
};
