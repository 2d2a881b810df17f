// The main window's side of the link: creating and replacing the worker, requests, the status
// strip's buttons and the Datalink menu.
#include "editor/quarnform.h"

void TQuarnForm::CreateLink() {}
void TQuarnForm::FreeLink() {}
void TQuarnForm::ReplaceLink()
{
    FreeLink();
    CreateLink();
}
void TQuarnForm::SetRequest(uint8_t, uint8_t) {}
void TQuarnForm::PortNumber1Click() {}
void TQuarnForm::SendCalClick() { SetRequest(254, 0); }
void TQuarnForm::GetCalibration1Click() { SetRequest(253, 0); }
void TQuarnForm::UpgradeFirmware1Click() {}
void TQuarnForm::UploadButtonClick() { SetRequest(254, 0); }
void TQuarnForm::DownloadButtonClick() { SetRequest(253, 0); }
void TQuarnForm::ResetButtonClick() {}
