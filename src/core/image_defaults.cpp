#include "core/image_defaults.h"

#include "core/calimage.h"
#include "core/conversions.h"
#include "core/image_layout.h"

#include <cstring>

namespace {
constexpr int DefaultHertz = 120;
constexpr uint8_t DefaultMinTrim = 1;
constexpr uint8_t DefaultMaxTrim = 254;
constexpr uint8_t FourButtonJoystick = 1;
}  // namespace

void SetImageDefaultBytes(uint8_t *image)
{
    std::memset(image, 0, CalImageSize);
    image[Off::Frequency] = HertzToFreqByteA(DefaultHertz);
    for (int k = 0; k < Off::TrimPairCount; ++k) {
        image[Off::FirstTrimPair + 2 * k] = DefaultMinTrim;
        image[Off::FirstTrimPair + 2 * k + 1] = DefaultMaxTrim;
    }
    image[Off::JoystickType] = FourButtonJoystick;
    for (int mode : {Off::RedMode, Off::GreenMode, Off::BlueMode, Off::YellowMode, Off::OrangeMode,
                     Off::PurpleMode, Off::ControllerId})
        image[mode] = 0;
    for (int field : Off::LabelFields) {
        std::memset(image + field, ' ', Off::LabelWidth - 1);
        image[field + Off::LabelWidth - 1] = 0;
    }
    for (int port : {Off::PlowFloatPort, Off::WingFloatPort, Off::BladeFloatPort, Off::ToeFloatPort})
        image[port] = 0;
    for (const auto &pair : Off::RemotePairs) {
        image[pair[0]] = 0;
        image[pair[1]] = 1;
    }
}

void SetImageDefaults()
{
    SetImageDefaultBytes(CalImage.data());
    GlobalMinTrim = DefaultMinTrim;
    GlobalMaxTrim = DefaultMaxTrim;
}
