// The machine-wide settings file: an optional INI-style file of "Name=value"
// lines that only the administrator writes.  The program reads one value,
// "FPUMaskValue".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cvcalc {

inline constexpr const char* MachineSettingsPath = "/etc/cvcalc/settings.ini";
// A settings file holds a line or two; anything larger is not one.
inline constexpr long MachineSettingsMaxBytes = 64 * 1024;

// The whole file, when it is a regular file of at most
// MachineSettingsMaxBytes; nothing otherwise (the user's settings are read
// the same way).
std::optional<std::string> ReadSmallRegularFile(const std::string& path);

// The 32-bit value `name` (case-insensitive, in any section; decimal or 0x
// hexadecimal).  A missing or unreadable file, anything but a regular file of
// at most MachineSettingsMaxBytes, a missing name or a value that is no
// 32-bit number all mean: no value.  A leading UTF-8 byte-order mark is
// skipped.
std::optional<std::uint32_t> ReadMachineSetting(std::string_view name, const std::string& path = MachineSettingsPath);

}  // namespace cvcalc
