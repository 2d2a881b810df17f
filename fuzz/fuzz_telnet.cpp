// The Telnet decoder of a serial device server's bytes: any stream, split anywhere, never crashes,
// never yields more data than it was given, and yields the same data however it is split.
#include "link/telnetcodec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1) return 0;
    // The first byte chooses the split: chunks of 1 to 16 bytes.
    const size_t chunk = (data[0] & 0x0F) + 1;
    const char *bytes = reinterpret_cast<const char *>(data + 1);
    const int count = static_cast<int>(size - 1);
    TelnetCodec whole(9600), split(9600);
    QByteArray wholeData, splitData, wholeReplies, splitReplies;
    whole.Opening();
    split.Opening();
    whole.Receive(bytes, count, wholeData, wholeReplies);
    for (int at = 0; at < count; at += static_cast<int>(chunk))
        split.Receive(bytes + at, std::min(static_cast<int>(chunk), count - at), splitData, splitReplies);
    if (wholeData.size() > count || wholeData != splitData || wholeReplies != splitReplies) std::abort();
    return 0;
}
