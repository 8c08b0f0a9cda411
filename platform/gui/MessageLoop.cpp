// One step of Qt's event dispatcher, our own quit message, and paints on demand.
#include "platform/gui/MessageLoop.h"

#include <QtCore/QAbstractEventDispatcher>
#include <QtCore/QCoreApplication>
#include <QtCore/QEvent>
#include <QtCore/QObject>
#include <QtWidgets/QWidget>
#include <vector>

#include "platform/core/VectorState.h"
#include "platform/gui/GuiPlatform.h"
#include "platform/gui/NativeWindow.h"
#include "platform/gui/QtBridge.h"

namespace cvcalc {

namespace {
const QEvent::Type QuitEventType = static_cast<QEvent::Type>(QEvent::User + 0x51);

bool QuitFlag = false;
QuitCallback TheQuitCallback;

// Receives the quit message; lives as long as the application.
class QuitReceiver : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() != QuitEventType) return QObject::event(e);
        QuitFlag = true;
        if (TheQuitCallback) {
            try {
                TheQuitCallback();
            } catch (...) {
                ReportDispatchError(std::current_exception());
            }
        }
        return true;
    }
};

QuitReceiver& Receiver() {
    InitPlatform();
    static QuitReceiver* receiver = new QuitReceiver;
    return *receiver;
}

bool DispatchStep(QEventLoop::ProcessEventsFlags flags) {
    InitPlatform();
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    bool processed = dispatcher != nullptr && dispatcher->processEvents(flags);
    // Widgets whose window went away inside a dispatch were left for later;
    // outside every dispatch they can go now.
    if (Registry().dispatchDepth == 0) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ClearUpperVectorState();
    return processed;
}
}  // namespace

bool ProcessOneMessage() { return DispatchStep(QEventLoop::AllEvents); }

void WaitForMessages() { DispatchStep(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents); }

void PostQuitMessage() { QCoreApplication::postEvent(&Receiver(), new QEvent(QuitEventType)); }

void SetQuitCallback(QuitCallback callback) { TheQuitCallback = std::move(callback); }

bool QuitMessageReceived() { return QuitFlag; }

void ResetQuitMessage() { QuitFlag = false; }

void HoldPaints(bool held) {
    InitPlatform();
    Registry().paintsHeld = held;
    // What was put aside while held is still pending: painted now.
    if (!held) ProcessPendingPaints();
}

void ProcessPendingPaints() {
    InitPlatform();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    // Whatever Qt still holds back (a platform that paints on its own
    // clock) is painted by hand.
    std::vector<TNativeWindow*> windows(Registry().windows.begin(), Registry().windows.end());
    for (TNativeWindow* w : windows)
        if (Registry().IsLive(w)) w->Update();
    ClearUpperVectorState();
}

}  // namespace cvcalc
