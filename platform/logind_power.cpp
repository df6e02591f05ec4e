#include "platform/logind_power.h"

#include <unistd.h>

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEventLoop>
#include <QTimer>

namespace win {
namespace {

const char* const kService = "org.freedesktop.login1";
const char* const kManagerPath = "/org/freedesktop/login1";
const char* const kManager = "org.freedesktop.login1.Manager";
const char* const kSession = "org.freedesktop.login1.Session";

const char* MethodOf(PowerAction action) {
    switch (action) {
        case PowerAction::PowerOff: return "PowerOff";
        case PowerAction::Reboot: return "Reboot";
        case PowerAction::Halt: return "Halt";
        case PowerAction::Suspend: return "Suspend";
    }
    return "";
}

// Waits for the answer with the event loop turning, at most the service's time.
bool Await(QDBusPendingCall& call) {
    if (!call.isFinished()) {
        QEventLoop loop;
        QDBusPendingCallWatcher watcher(call);
        QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(LogindPower::kAnswerMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return call.isFinished() && !call.isError();
}

QDBusMessage Call(const QString& path, const QString& interface, const QString& method,
                  const QVariantList& args) {
    QDBusMessage m = QDBusMessage::createMethodCall(kService, path, interface, method);
    m.setArguments(args);
    m.setInteractiveAuthorizationAllowed(true);
    return m;
}

}  // namespace

std::string LogindPower::Can(PowerAction action) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return {};
    QDBusPendingReply<QString> reply =
        bus.asyncCall(Call(kManagerPath, kManager, QString("Can") + MethodOf(action), {}), kAnswerMs);
    if (!Await(reply)) return {};
    return reply.value().toStdString();
}

bool LogindPower::Request(PowerAction action) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return false;
    QDBusPendingCall reply = bus.asyncCall(Call(kManagerPath, kManager, MethodOf(action), {true}), kAnswerMs);
    return Await(reply);
}

bool LogindPower::EndSession() {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return false;
    QDBusPendingReply<QDBusObjectPath> session = bus.asyncCall(
        Call(kManagerPath, kManager, "GetSessionByPID", {QVariant::fromValue(static_cast<uint>(::getpid()))}),
        kAnswerMs);
    if (!Await(session)) return false;
    QDBusPendingCall end = bus.asyncCall(Call(session.value().path(), kSession, "Terminate", {}), kAnswerMs);
    return Await(end);
}

}  // namespace win
