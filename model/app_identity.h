#pragma once
// Who the program is to the system, in one place for the window, the board layer, the virtual
// board, the tests and the benchmarks: its name (the bare window title, the caption of its
// messages, the organisation and application of its settings store, its data folder) and the
// keys it keeps in that store.

#include <string>

inline constexpr char kAppName[] = "Miravel6";

// The position of the chosen port in the port list, as text ("-1": none chosen).
inline constexpr char kPortChoiceKey[] = "frmMain/cboComm";

// The device that stands for port COM<n> (ports/COM3 = /dev/pts/7); absent, the platform's
// own device for it.
inline std::string PortDeviceKey(const std::string& comName) {
    return "ports/" + comName;
}
inline std::string PortDeviceKey(int number) {
    return PortDeviceKey("COM" + std::to_string(number));
}

// The port list offers COM1 to COM16, whatever ports the computer has.
inline constexpr int kComPortCount = 16;

// The help file beside the program, opened by "Guida".
inline constexpr char kHelpFileName[] = "miravel6.hlp";
