// The message queue: one Qt event-dispatch step with or without waiting,
// our own quit message, and immediate delivery of pending paints.
#pragma once

#include <functional>

namespace cvcalc {

// Processes whatever is pending in Qt's queue (input, window-system events,
// posted events, paints) without waiting.  True when something was processed.
bool ProcessOneMessage();

// Blocks until something arrives, and processes it.
void WaitForMessages();

// Posts the quit message.  When the loop takes it from the queue, the quit
// flag is set and the quit callback, if any, is called.
void PostQuitMessage();
using QuitCallback = std::function<void()>;
void SetQuitCallback(QuitCallback callback);
bool QuitMessageReceived();
// Clears the quit flag (for tests that run several loops).
void ResetQuitMessage();

// Delivers every pending Paint message now, without processing any other
// input (for tests and the scripted driver after an invalidation).
void ProcessPendingPaints();

// While paints are held, a window's Paint message is not delivered: the
// window's region stays pending.  Letting go delivers every pending one.
// For a fuzzing harness of the scripted driver, whose scripts look at the
// pixels only now and then.
void HoldPaints(bool held);

}  // namespace cvcalc
