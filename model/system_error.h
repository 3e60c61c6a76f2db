#pragma once
// The system's error numbers in the program's own words. The system's texts are English
// whatever the user's language; the user reads the Italian kind first and the system's own
// text after it, in brackets, for a search or a support call.

#include <string>

// "il dispositivo non è una porta seriale (Inappropriate ioctl for device)" for ENOTTY.
// 0 or an unknown number still gives a sentence, never an empty text.
std::string SystemErrorText(int errorNumber);

// The error number whose system text is `text`, or 0. Libraries that pass on only the
// system's text (the serial port does) are understood this way.
int ErrorNumberOfText(const std::string& text);
