// Reads arbitrary text as the kernel's UDP socket table, for the drop count of given sockets.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/UdpDrops.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view table(reinterpret_cast<const char*>(data), size);
    (void)corvane::udpDropsIn(table, {0, 1, 876578}, {0, 514, 0xCE45});
    return 0;
}
