#pragma once
// Captions of single controls of the Quarn 2 page that name an image byte, so that the page and
// the catalogue say them alike.
namespace QuarnCaptions {
inline constexpr const char *Frequency = "PWM Frequency";
inline constexpr const char *StickSafety = "Enable Stayhand";
inline constexpr const char *BladeUpTime = "Auto blade up time ";
inline constexpr const char *AutoBladePort = "Port to Move Up";
inline constexpr const char *StartupDelay = "Startup Delay";
inline constexpr const char *FloatDelay = "Float Delay Time:";
inline constexpr const char *PanicGroup = "Panic Button settings";
inline constexpr const char *OutputLinkGroup = "Output Linking settings";
inline constexpr const char *OutputLinkRow = "Link %1";
inline constexpr const char *VPlowAttached = "V-Plow attached";
inline constexpr const char *HoistLimitNC = "Enable Hoist Limit NC";
inline constexpr const char *HoistLimitNO = "Enable Hoist Limit NO";
inline constexpr const char *ControllerId = "Quarn ID:";
inline constexpr const char *ModeButtonsAreTrigger = "Mode Buttons Act As Trigger";
inline constexpr const char *MultiMode = "Multi Mode";
inline constexpr const char *AlwaysLiveMode = "Always Live Mode:";
inline constexpr const char *SafetyLatch = "Safety Latch";
}  // namespace QuarnCaptions
