#pragma once
// The printed configuration report as plain text lines: a heading, the joystick configuration, the
// valve PWM frequency and one line per trim pair. Joystick type 20 (Dorsell and Ostrel images)
// gives the Dorsell layout; every other type the Quarn layout, whatever the product.
#include "core/calimage.h"
#include "core/catalog/joysticktables.h"

#include <QString>
#include <QStringList>

#include <array>

// The print job's title (both layouts).
inline const QString ReportJobTitle = QStringLiteral("Quarn Trim/Configuration Settings");

// What the report prints as the page shows it: the position the page's frequency bar takes for the
// image (read from the image through the catalogue, so the report prints what the controller gets)
// and the text each button's mode list shows.
struct ReportControls {
    int freqbarPosition = 0;
    std::array<QString, Joy::ButtonCount> modeTexts;  // by Joy::Button

    QString modeText(Joy::Button button) const { return modeTexts[size_t(button)]; }
};

QStringList ReportLines(const CalImageBytes &image, const ReportControls &controls);

// The same report from the image alone: the frequency bar position and the button-mode texts the
// page of `product` would show for it, through the named-field catalogue. The layout is chosen as
// the printed report chooses it (joystick type 20: Dorsell); without a product, the image is read
// as that layout's product.
ReportControls ReportControlsOfImage(const CalImageBytes &image, uint8_t product);
QStringList ReportLines(const CalImageBytes &image, uint8_t product);
QStringList ReportLines(const CalImageBytes &image);
