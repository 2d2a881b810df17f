#pragma once
// The images show, diff and report read: a *.joy file, "controller" (the image downloaded from
// the controller on PORT) or "defaults" (the default image), each with the product whose layout
// names its bytes.
#include "core/calimage.h"

#include <QString>

#include <memory>

class Cli;
class CliLink;

// The names an image argument takes besides a file's: the controller's image and the default image.
inline const QString ControllerImageName = QStringLiteral("controller");
inline const QString DefaultsImageName = QStringLiteral("defaults");

struct NamedImage {
    CalImageBytes image{};
    uint8_t product = 0;      // the product its bytes are read as
    bool fromController = false;
    bool fromFile = false;
};

class ImageSources {
public:
    explicit ImageSources(Cli &cli);
    ~ImageSources();

    // Loads `name`; on failure the line is printed and the exit status returned in `status`.
    // A file must hold exactly the image's 256 bytes. The controller is asked once however often
    // it is named. A file is read as --product says, or as the printed report chooses its layout;
    // the controller's own product code wins for its image.
    bool Load(const QString &name, bool defaultsAllowed, NamedImage *image, int *status);
    // The link to the controller once its image has been loaded (null before), for a command
    // that goes on talking to it.
    CliLink *Link() const { return m_link.get(); }

private:
    Cli &m_cli;
    std::unique_ptr<CliLink> m_link;
    std::unique_ptr<NamedImage> m_controller;
};
