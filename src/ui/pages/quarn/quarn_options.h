#pragma once
// The option boxes of the Quarn page that are plain flags (one table), the hoist limit input
// (normally closed or normally open), the V-plow and its notes, and the "Panic" tab with the panic
// outputs and the output linking lists.
#include <QObject>
#include <QVector>

class QuarnPage;
class QCheckBox;
class QComboBox;
class QLabel;
class QWidget;

class QuarnOptions : public QObject {
    Q_OBJECT
public:
    explicit QuarnOptions(QuarnPage &page);

    void Build();
    // Boxes of the joystick tabs that share a flag row with this page (looked up by name once the
    // joystick tabs are built).
    void AttachJoystickBoxes();

    // Loader steps.
    void LoadVPlow();
    void LoadHoistLimit();
    void LoadFlags();
    void LoadOutputLinks();

    // Handlers
    void FlagClick(int row, bool checked);
    void hoistlimitenableClick(bool checked);
    void hoistNOClick(bool checked);
    void CheckBox31Click(bool checked);
    void OutputLinkChange(int link, int index);

private:
    void BuildPanicTab();
    void BuildVPlow();
    void BuildHoistLimit();
    void BuildFlags();
    void ShowVPlow(bool attached);

    QuarnPage &m_page;
    QWidget *m_panicOutputs = nullptr;
    QVector<QVector<QCheckBox *>> m_flagBoxes;  // per flag row: the box, or the joystick tabs' boxes
    QCheckBox *hoistlimitenable = nullptr, *hoistNO = nullptr, *CheckBox31 = nullptr;
    QVector<QLabel *> m_vplowNotes;
    QVector<QComboBox *> m_links;
};
