#pragma once
// The emulator's options, parsed in one place from a table (sim_options.cpp): add a row there
// for a new option.
#include "sim_bootloader.h"

#include <QString>
#include <QStringList>

constexpr int ComAuto = -1;

struct SimOptions {
    int com = 0;                  // register COM<n> in the serial device map while running
                                  // (ComAuto: the first number no port has)
    char product = 'j';           // product letter announced
    QString imageFile;            // image held at start (a *.joy file); else the default image
    QString saveImageFile;        // every uploaded image is written here
    bool noFirmware = false;      // the bootloader holds no application (as boot.hasFirmware false)
    int bootWaitMs = 300;         // after its 'B' the bootloader waits this long for its hook
    bool fastStart = false;       // power-up starts the application without the bootloader
    int announceMs = 500;         // unprompted product code repeats this often until acknowledged
    bool verbose = false;         // log every byte of the image transfers too
    bool pacing = true;           // send and hear at the pace of a 9600 baud line
    int byteDelayMs = 0;          // each downloaded byte and each upload echo goes this much later
    // Faults.
    bool silent = false;          // never answers anything
    bool deaf = false;            // announces itself but hears nothing the tool sends
    char wrongCode = 0;           // announces and answers with this letter instead
    int wrongEchoAt = -1;         // upload byte k (from 0) is echoed wrong, then right
    bool wrongEchoOnly = false;   // ... and the right echo never follows
    int stopAfter = -1;           // a transfer goes silent after k bytes
    int garbage = 0;              // garbage bytes sent before every product code
    SimBootOptions boot;          // the bootloader beyond its hook: chip, firmware, its faults
};

// Parses the command line (without the program name). False with a message on a bad option.
// `helpWanted` is set by --help.
bool ParseSimOptions(const QStringList &arguments, SimOptions &options, bool &helpWanted, QString &error);
QString SimUsage();
