#pragma once
// The bytes, request codes, supervisor states and time limits of the link with the controller,
// shared by the link worker and the controller emulator.
#include <cstdint>

namespace Wire {
// Tool to controller.
constexpr uint8_t Attention = 0xFF;  // asks the application for its product code
constexpr uint8_t Acknowledge = 'E'; // acknowledges a product code: the link is connected
constexpr uint8_t SendImage = 'H';   // the tool is about to upload the image
constexpr uint8_t GetImage = 'F';    // the controller is to send its image
constexpr uint8_t HookBoot = 'u';    // hooks the bootloader after its 'B'
constexpr uint8_t Identify = 'I';    // asks the bootloader for its identification line
constexpr uint8_t Restart = 'R';     // application: restart into the bootloader; bootloader: run the application
// Controller to tool.
constexpr uint8_t BootAnnounce = 'B';  // the bootloader has started
constexpr uint8_t BootReady = '?';     // the bootloader waits for an order
constexpr uint8_t ImageReady = 'I';    // the application takes the uploaded image
}  // namespace Wire

// Request byte values (the request value is the second byte of a live command).
namespace Request {
constexpr uint8_t None = 0;
constexpr uint8_t Upgrade = 251;
constexpr uint8_t GetCalibration = 253;
constexpr uint8_t SendCalibration = 254;
constexpr uint8_t Restart = 255;
// Every other value is a live command code.
constexpr bool IsLiveCommand(uint8_t code)
{
    return code != None && code != Upgrade && code != GetCalibration && code != SendCalibration &&
           code != Restart;
}
}  // namespace Request

// Link supervisor states.
namespace LinkState {
constexpr uint8_t Start = 0;
constexpr uint8_t Stopped = 1;
constexpr uint8_t WaitingForLink = 2;
constexpr uint8_t BootHook = 3;
constexpr uint8_t BootIdentify = 4;
constexpr uint8_t FirmwareInstall = 5;
constexpr uint8_t Connected = 6;
constexpr uint8_t SendingImage = 7;
constexpr uint8_t ReceivingImage = 8;
constexpr uint8_t RestartPending = 9;
constexpr uint8_t PortLost = 10;  // the port's device went away: the port is reopened when it is back
}  // namespace LinkState

// Time limits, in milliseconds.
namespace LinkTime {
constexpr uint32_t PassSleepMs = 10;           // sleep after every pass of the supervisor
constexpr uint32_t StatusRefreshMs = 250;      // status strip refresh
constexpr uint32_t LampRecentMs = 200;         // a lamp lights for a byte this recent
constexpr uint32_t LinkLostMs = 250;           // no product code after the keep-alive: blue status
constexpr uint32_t BootReadyMs = 250;          // the bootloader's '?' after its hook
constexpr uint32_t ApplicationStartMs = 2000;  // the application's product code after 'R'
constexpr uint32_t KeepAliveMs = 2000;         // idle time before the keep-alive 0xFF
constexpr uint32_t TransferGapMs = 1000;       // longest gap inside an image transfer
constexpr uint32_t RestartRepeatMs = 200;      // the restart message repeats this often
constexpr uint32_t WaitByteMs = 500;           // WaitByte gives up after this
constexpr uint32_t WaitBytePollMs = 5;
constexpr uint32_t ReadLineSilenceMs = 500;    // ReadLine gives up after this much silence
constexpr uint32_t ReadLinePollMs = 10;
constexpr uint32_t PortReturnPollMs = 500;    // a lost port's device is looked for this often
constexpr uint32_t HeldUpMs = 100;            // a pass's pause overrunning by more: the worker was held up
// An announcement the controller sent just before it heard the 'E' lands up to 60 ms after it.
// A transfer's 0xFF waits until the 'E' and the last byte heard are this long past, so that
// whatever crossed has landed and been discarded and the next letter is the answer.
constexpr uint32_t SettleMs = 80;
// A controller that has not heard the tool announces itself this often.
constexpr uint32_t AnnouncePeriodMs = 500;
// Longer than the announcement period: a line quiet this long holds no controller that is
// announcing itself unheard.
constexpr uint32_t QuietLineMs = 600;
// The upgrade probe and the identification probe: the 0xFF goes out once the line has been
// quiet for QuietLineMs, and only the announced letter within this window is the answer. The
// window is shorter than the announcement period, so it never holds two announcements.
constexpr uint32_t ProbeAnswerMs = 400;
// A line that has not fallen quiet for the probe within this long holds a controller announcing
// itself unheard.
constexpr uint32_t ProbeQuietLimitMs = 2500;
// What stretches a controller's honest answer as the tool sees it: the pass in which the byte
// waits to be read, an adapter's latency each way, and the echo's own time on the wire (a 9600
// baud byte takes 1.04 ms; the write returns once the driver holds it, not once it has left).
constexpr uint32_t AdapterLatencyMs = 16;
constexpr uint32_t ByteOnWireMs = 2;
constexpr uint32_t AnswerAllowanceMs = PassSleepMs + 2 * AdapterLatencyMs + ByteOnWireMs;
// A downloaded byte arriving more than LateByteMs (plus the allowance) after the tool's echo
// before it has its echo held back for EchoHoldMs, longer than the announcement period. A
// controller that hears the tool sends nothing until that echo: a byte arriving meanwhile is an
// announcement of a controller that does not hear the tool, never image data.
constexpr uint32_t LateByteMs = 150;
// Over a network the threshold grows with the round trip, but never to this: a deaf controller's
// next announcement arrives one announcement period after the echo of the last (the delays on
// the way cancel), and a fifth of the period is left for the network's jitter and the pass.
constexpr uint32_t LateByteCeilingMs = AnnouncePeriodMs - AnnouncePeriodMs / 5;
constexpr uint32_t EchoHoldMs = QuietLineMs;
// After the last echo a finished controller announces itself and then waits for the 'E'. A byte
// other than its letter within this window after the letter means the letter was a byte of the
// image the tool had not taken: the image it holds is shifted.
constexpr uint32_t AfterEndQuietMs = 300;
// A controller that abandoned a transfer (on a wrong echo, or after the tool's silence) announces
// itself again within this long; a read in doubt waits this long for it.
constexpr uint32_t ControllerReturnMs = 6000;
}  // namespace LinkTime

// A controller behind a serial device server on the network.
namespace NetworkTime {
// Name resolution and connection together: a server nobody answers fails this soon, not after
// the system's own TCP time-out.
constexpr uint32_t ConnectLimitMs = 5000;
// A server that holds the line for another client closes a new connection at once (after a line
// of text, for some): a connection closed within this long after it opened (plus twice the time
// the connection took) is taken as refused for that reason.
constexpr uint32_t HeldLineCheckMs = 50;
// Bytes written that the server has not acknowledged for this long end the connection: a live
// test's stream stops within it when the network goes.
constexpr uint32_t ConnectionLostMs = 1000;
// The system takes a written byte into its send buffer at once unless the connection has
// stalled: a byte not taken within this long ends the connection as lost, whether or not the
// system has noticed yet.
constexpr uint32_t WriteTakenLimitMs = 2 * ConnectionLostMs;
// A sample longer than this answered something else than the byte just written (a controller
// that restarted, an announcement): it is not a round trip.
constexpr uint32_t LongestRoundTripMs = 2000;
// A live test keeps at most this many bytes in flight (two live commands): a release reaches
// the controller behind no more than that, as on a local port.
constexpr int LiveBacklogBytes = 4;
}  // namespace NetworkTime

// Every image transfer moves the whole calibration image.
constexpr int TransferLength = 256;
// A read the line leaves in doubt is repeated until two reads agree, at most this many times.
constexpr int MaxImageReads = 4;
// Only speed the link uses.
constexpr int LinkBaudRate = 9600;
