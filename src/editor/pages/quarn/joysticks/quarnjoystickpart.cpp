#include "editor/pages/quarn/joysticks/quarnjoystickpart.h"

#include "editor/pages/quarn/quarnpage.h"

QuarnJoystickPart::QuarnJoystickPart(QuarnPage &page, QObject *parent) : QObject(parent), m_page(page) {}

void QuarnJoystickPart::BuildJoysticksTab(QWidget *) {}
void QuarnJoystickPart::BuildCustomTab(QWidget *) {}
void QuarnJoystickPart::BuildRemoteTab(QWidget *) {}
void QuarnJoystickPart::LoadJoystickType() {}
void QuarnJoystickPart::LoadJoystickSubPage() {}
void QuarnJoystickPart::LoadButtonModes() {}
void QuarnJoystickPart::LoadCustomAxes() {}
void QuarnJoystickPart::LoadSticksAndRemote() {}
void QuarnJoystickPart::SetVPlowAttached(bool) {}
