// The main window's side of the firmware upgrade: the choice of the firmware file. Until the
// bootloader programming lands, no file is chosen.
#include "editor/quarnform.h"

QString TQuarnForm::SelectFirmwareFile() { return {}; }
