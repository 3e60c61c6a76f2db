#pragma once
// What the board's replies mean: pure checks and parsers of the texts that CommTxRx returns
// (without their CR LF). No port and no window here.

#include "model/edata.h"
#include "model/effect_grid.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// "R" followed by the image as 256 upper-case hexadecimal digits.
inline constexpr std::size_t kReadReplySize = 1 + 2 * kEdataSize;

// True when the collected text is a complete reply: it ends with CR LF.
bool ReplyComplete(std::string_view collected);

// The image of a read reply. Nullopt when the length or the leading "R" is wrong, or when
// any digit pair is not valid: a damaged reply must not load zeros into the grid.
std::optional<EdataBytes> ParseReadReply(std::string_view strRx);

// The read reply the board sends for an image (without CR LF).
std::string ReadReplyText(const EdataBytes& bytes);

// The board's answer to "W" that lets the image follow.
bool IsWriteReady(std::string_view strRx);

enum class EchoCheck {
    Confirmed,  // "W" and the two digits of the byte sent
    CommError,  // not an echo at all: wrong length or letter, or digits that are not hex
    WriteError, // a well-formed echo of another byte
};
EchoCheck CheckWriteEcho(std::string_view strRx, std::uint8_t sent);

// "W" and two upper-case hexadecimal digits: how a board in the middle of taking an image
// answers every byte, whatever command it was meant to be.
bool IsWriteEcho(std::string_view strRx);

// Output states (true = on) from a reply of ten letters "A".."J", each in upper case for
// on and lower case for off; nullopt for any other reply.
using OutputStates = std::array<bool, kOutputs>;
std::optional<OutputStates> ParseOutputReply(std::string_view strRx);

// The letter that switches an output (0..9) to the other state: lower case turns it off.
char OutputCommand(int output, bool isOn);

// What answered the link test "RAT" CR LF.
enum class LinkDevice { Nothing, Board, Loopback, Other };
LinkDevice ClassifyLinkReply(std::string_view strRx);
