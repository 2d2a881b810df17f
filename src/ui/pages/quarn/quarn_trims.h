#pragma once
// The five trim tabs of the Quarn page: twenty trim groups (two bars, two value labels, "Test Min"
// and "Test Max", the port label, the output name under the group) and the run-on note.
#include "core/catalog/quarn_trimgroups.h"
#include "ui/pages/quarn/quarnpage.h"

#include <QObject>

class QLabel;
class QPushButton;
class QScrollBar;

class QuarnTrims : public QObject {
    Q_OBJECT
public:
    explicit QuarnTrims(QuarnPage &page);

    void Build();
    // Loader: bar positions (256 - byte) and the value labels.
    void LoadBars();
    void LoadValueLabels();
    void SetOutputNamesVisible(bool visible);

    // Trim bar handlers, shared by the twenty groups: store the side that moved (the core keeps
    // min <= max), refresh the page.
    void TrimMinScrollBarChange(int group, int position);
    void TrimMaxScrollBarChange(int group, int position);
    // Live test: a press drives the group's output at the trim shown; any release stops it.
    void TestButtonMouseDown(int group, bool maxSide);
    void ButtonMouseUp();

private:
    struct Controls {
        QScrollBar *minBar = nullptr, *maxBar = nullptr;
        QLabel *minValue = nullptr, *maxValue = nullptr, *outputName = nullptr;
    };
    void BuildGroup(int index, QWidget *tab, int slot);

    QuarnPage &m_page;
    Controls m_groups[QuarnTrimGroupCount];
};
