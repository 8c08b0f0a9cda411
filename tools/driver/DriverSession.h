// The scripted driver's session: the program's two windows built exactly as
// the program builds them, worked by one command line at a time (README:
// "The scripted driver").  Error boxes are recorded instead of shown and
// appear in the dump.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace cvcalc {

class DriverSession {
public:
    // `output` receives each line the session prints (a dump, with its
    // newline).
    using Output = std::function<void(std::string_view)>;
    explicit DriverSession(Output output);
    ~DriverSession();
    DriverSession(const DriverSession&) = delete;
    DriverSession& operator=(const DriverSession&) = delete;

    // The entry point's steps, up to (not into) the message loop; the main
    // window is shown as the loop would show it.
    void Start();

    // Runs one command line.  False for a command it does not know or whose
    // arguments it cannot read; nothing of that line has run then.
    bool Run(const std::string& line);
    // Windows are painted only before the commands that look at what is
    // drawn (dump, snapshot, export, report, exportall and the mouse's
    // drag and wheel), not after every command as the desktop would: for a
    // fuzzing harness, which runs thousands of scripts a second and cares
    // that every command runs or is refused.
    void PaintOnlyWhenLookedAt();
    // Forgets the error boxes recorded so far, which every later dump would
    // otherwise list (a fuzzing harness starts each script afresh).
    void ForgetErrors();
    // Why the last refused line was refused, when there is more to say than
    // that it is unknown or unreadable (empty otherwise).
    const std::string& Refusal() const;

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace cvcalc
