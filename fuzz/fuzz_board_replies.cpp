// Arbitrary bytes as every kind of board reply: no crash, and an accepted read reply is
// exactly the text its image encodes to.

#include "model/board_protocol.h"
#include "model/edata.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view reply(reinterpret_cast<const char*>(data), size);

    if (const std::optional<EdataBytes> image = ParseReadReply(reply)) {
        if (ReadReplyText(*image) != reply) {
            std::abort();
        }
    }
    const std::uint8_t sent = size > 0 ? data[0] : 0;
    const EchoCheck echo = CheckWriteEcho(reply, sent);
    if (echo == EchoCheck::Confirmed && HexToByte(reply.substr(1)) != sent) {
        std::abort();
    }
    if (const std::optional<std::uint8_t> pair = ParseHexPair(reply)) {
        if (HexToByte(reply) != *pair) {
            std::abort();
        }
    }
    if (const std::optional<OutputStates> states = ParseOutputReply(reply)) {
        for (std::size_t j = 0; j < states->size(); ++j) {
            if (OutputCommand(static_cast<int>(j), (*states)[j]) == reply[j]) {
                std::abort(); // the command always asks for the other state
            }
        }
    }
    static_cast<void>(ClassifyLinkReply(reply));
    static_cast<void>(IsWriteReady(reply));
    static_cast<void>(ReplyComplete(reply));
    return 0;
}
