#pragma once
// The HEX file a firmware command names, read and checked before the controller is touched: a
// refused file never restarts a controller into its bootloader.
#include <QString>

class Cli;

// Exit::Ok when `hexFile` is a regular file of valid records that put data into the flash the
// bootloader reaches; otherwise the failure line is printed and its exit status returned.
int CheckFirmwareFile(Cli &cli, const QString &hexFile);
