// The message table: the program's message texts by number, loaded from the
// embedded "MESSAGES" string resource when an error is raised.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace cvcalc {

// Numbers of the messages the framework raises.
namespace msg {
inline constexpr int InvalidOp = 65360;
inline constexpr int ZeroDivide = 65361;
inline constexpr int Overflow = 65362;
inline constexpr int Underflow = 65363;
inline constexpr int DivByZero = 65364;
inline constexpr int RangeError = 65365;
inline constexpr int IntOverflow = 65366;
inline constexpr int ControlC = 65367;
inline constexpr int ExternalException = 65368;
inline constexpr int OleActivationFailed = 65369;
inline constexpr int OleNoWindowHandle = 65370;
inline constexpr int FormatTooLong = 65391;
inline constexpr int ResNotFound = 65409;
inline constexpr int UnknownProperty = 65413;
inline constexpr int InvalidFloat = 65421;
inline constexpr int InvalidBitmap = 65422;
inline constexpr int InvalidImage = 65426;
inline constexpr int InvalidName = 65427;
inline constexpr int InvalidPropertyPath = 65429;
inline constexpr int InvalidPropertyValue = 65430;
inline constexpr int PropertyException = 65436;
inline constexpr int ReadError = 65437;
inline constexpr int ReadOnlyProperty = 65438;
inline constexpr int AncestorNotFound = 65446;
inline constexpr int ClassNotFound = 65451;
inline constexpr int DuplicateName = 65454;
}  // namespace msg

// The text of message `id`; an empty text when the table has no such entry.
std::string LoadMessage(int id);

// Fills the directives of `pattern` in order with `args`: every "%" followed
// by a letter takes the next argument ("%%" is a percent sign).  Missing
// arguments leave the directive empty; surplus arguments are ignored.
std::string FormatMessageText(std::string_view pattern, std::initializer_list<std::string_view> args);

// LoadMessage(id) filled with args.
std::string LoadMessageFormatted(int id, std::initializer_list<std::string_view> args);

}  // namespace cvcalc
