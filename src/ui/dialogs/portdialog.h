#pragma once
// "COM Port Setting": picks the serial port the link uses from the ports the system has
// registered (and those of the serial device map), or a COM number typed in that nobody lists yet
// (a USB adapter whose driver registers late). "Network..." adds a controller behind a serial
// device server under a COM number of its own.
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

    // Shows the dialog modally and returns the chosen port number: the selected item or the typed
    // number however the dialog was closed; `currentPort` when the typed text names no port; 0
    // when the list is empty and nothing is typed.
    static int ChoosePort(QWidget *parent, int currentPort);

    // The port table from port names as the system lists them ("COM<n>"; any other name, or a
    // number that is not decimal, counts as port 0).
    static PortTable BuildPortTable(const QStringList &portNames);
    // The listed port numbers (1..255, ascending).
    static QList<int> ListedPorts(const PortTable &table);
    // The item to preselect: the current port if listed, else the highest listed port below it,
    // else the first.
    static int PreselectIndex(const QList<int> &ports, int currentPort);

    // The number in a typed port name, "COM<n>" or "<n>" (1..255, any case, spaces around it
    // ignored); 0 when the text is no such name.
    static int TypedPort(const QString &text);

    int SelectedPort() const;

    // "Network...": asks for a network address and lists and selects its COM number.
    void AddNetworkPort();

private:
    void FillList(int selectPort);
    void UpdateOk();
    // The listed item shown in the box, or the typed number; 0 when the text names no port.
    int ShownPort() const;

    QList<int> m_ports;
    int m_currentPort = 0;
    QComboBox *ComPortBox = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *NetworkButton = nullptr;
};
