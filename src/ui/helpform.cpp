#include "ui/helpform.h"

#include "ui/centre.h"

#include <QPushButton>
#include <QTextBrowser>

namespace {
const char *const HelpText = R"(<h3>How custom configuration works</h3>
<p>Each controller has 16 valve outputs, arranged as 8 groups of 2: one group drives one hydraulic
ram, one output for in and one for out. In custom mode each group can be pointed at any axis of a
joystick, so a button can drive whatever rams the truck needs instead of the fixed plow, wing,
hoist and blade functions.</p>
<p>There are also 12 switch groups. They drive up to 24 switches of an external switch controller:
moving the joystick to full deflection and back toggles the switch set for that direction.</p>

<h3>How to set one up</h3>
<ol>
<li>Choose the joystick button that is to carry the custom mode, and the functions it should have.</li>
<li>For each axis of that button (X, Y and Z), choose the axis and pick the outputs it drives from
its list.</li>
<li>Tick "Activate Custom Mode" for the button.</li>
<li>Under "Switch Group Setup", set the switch numbers and the switch controller's bus address.</li>
<li>Press "Send Cal" to send the calibration to the controller.</li>
</ol>

<h3>Worked example: the blue button</h3>
<ol>
<li>Set the X axis of the blue button to the wing heel outputs.</li>
<li>Set the Y axis to the wing toe outputs.</li>
<li>Set the Z axis (twist) to plow up and down.</li>
<li>Tick "Activate Custom Mode" for blue, then press "Send Cal".</li>
</ol>)";
}  // namespace

HelpForm::HelpForm(QWidget *parent) : QDialog(parent, Qt::Tool | Qt::WindowMinimizeButtonHint)
{
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QStringLiteral("Quarn Help"));
    setFixedSize(484, 317);
    auto *text = new QTextBrowser(this);
    text->setObjectName(QStringLiteral("HelpText"));
    text->setHtml(QString::fromUtf8(HelpText));
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setGeometry(8, 8, 468, 266);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    ok->setGeometry(204, 282, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void HelpForm::ShowHelp(QWidget *parent)
{
    HelpForm help(parent);
    CentreOnScreen(&help);
    help.exec();
}
