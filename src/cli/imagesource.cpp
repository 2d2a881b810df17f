#include "cli/imagesource.h"

#include "core/image_defaults.h"
#include "core/catalog/catalogue.h"
#include "cli/cli.h"
#include "cli/clilink.h"
#include "cli/files.h"

namespace {
const QString &ControllerName = ControllerImageName;
const QString &DefaultsName = DefaultsImageName;
}  // namespace

ImageSources::ImageSources(Cli &cli) : m_cli(cli) {}

ImageSources::~ImageSources() = default;

bool ImageSources::Load(const QString &name, bool defaultsAllowed, NamedImage *image, int *status)
{
    uint8_t chosen = 0;
    const bool productGiven = !m_cli.Options().product.isNull() && Catalogue::ProductFromLetter(QString(m_cli.Options().product), &chosen);
    if (name == ControllerName) {
        if (!m_controller) {
            PortChoice port;
            if (!ChoosePort(m_cli, &port)) {
                *status = Exit::Usage;
                return false;
            }
            m_link = std::make_unique<CliLink>(m_cli, port);
            auto controller = std::make_unique<NamedImage>();
            if (!m_link->Connect() || !m_link->Download(&controller->image)) {
                *status = m_cli.Fail(m_link->FailureStatus(), port.label, m_link->FailureText());
                return false;
            }
            Catalogue::ProductFromLetter(QString(QChar(m_link->ProductLetter())), &controller->product);
            controller->fromController = true;
            m_controller = std::move(controller);
        }
        *image = *m_controller;
        return true;
    }
    NamedImage loaded;
    if (defaultsAllowed && name == DefaultsName) {
        SetImageDefaultBytes(loaded.image.data());
    } else {
        QByteArray contents;
        QString error;
        if (!CliFiles::ReadRegular(name, &contents, &error)) {
            *status = m_cli.Fail(Exit::File, name, error);
            return false;
        }
        if (contents.size() != CalImageSize) {
            *status = m_cli.Fail(Exit::File, name, QStringLiteral("%1 bytes; a calibration image is exactly %2").arg(contents.size()).arg(CalImageSize));
            return false;
        }
        std::copy(contents.begin(), contents.end(), loaded.image.begin());
        loaded.fromFile = true;
    }
    loaded.product = productGiven ? chosen : Catalogue::ProductOfFile(loaded.image);
    *image = loaded;
    return true;
}
