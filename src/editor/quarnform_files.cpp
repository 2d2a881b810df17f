// The main window's file commands: *.joy files, the reset image and the printed report.
#include "editor/quarnform.h"

void TQuarnForm::Open1Click() {}
void TQuarnForm::Save1Click() {}
void TQuarnForm::Print1Click() {}
void TQuarnForm::ResetCalFile1Click() {}
