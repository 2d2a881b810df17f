#pragma once
// The "Floats" tab of the Quarn page: the four float outputs and their names, the float delay and
// the float options. The float-four cartridge-port box on this tab belongs to the cartridge group.
#include <QObject>

#include <cstdint>

class QuarnPage;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

class QuarnFloats : public QObject {
    Q_OBJECT
public:
    explicit QuarnFloats(QuarnPage &page);

    void Build();
    void ResetDefaults();  // the four float-port lists back to "None"

    // Loader steps of this tab.
    void LoadFloatPorts();
    void LoadFloatNames();
    void LoadFloatLockout();
    void LoadDoubleActingFloat();
    void LoadPressureHoldingFloat();
    void LoadFloatDelay();

    // Handlers
    void FloatSelectChange(int row, int index);
    void FloatNameChange(int row);  // float1 on leaving the edit, the others on each change
    void floatdelayChange(int value);
    void minfloatClick(bool checked);
    void doubleactingfloatClick(bool checked);
    void CheckBox34Click(bool checked);
    void CheckBox19Click(bool checked);

private:
    static constexpr int RowCount = 4;
    QuarnPage &m_page;
    QComboBox *m_selects[RowCount] = {};
    QLineEdit *m_names[RowCount] = {};
    QSpinBox *floatdelay = nullptr;
    QCheckBox *minfloat = nullptr, *doubleactingfloat = nullptr, *CheckBox34 = nullptr, *CheckBox19 = nullptr;
};
