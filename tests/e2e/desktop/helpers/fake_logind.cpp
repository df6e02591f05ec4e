// A stand-in login manager on the system bus ($DBUS_SYSTEM_BUS_ADDRESS) for the desktop
// tests: it answers every "may I" question as told and writes each call it gets, one a
// line, into a file. Nothing is powered off. The answer "hang" says "yes" and then never
// answers the request itself.
//   fake_logind ANSWER CALL-LOG
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusObjectPath>
#include <QFile>
#include <QObject>
#include <QTextStream>
#include <cstdio>

namespace {

class Log {
public:
    explicit Log(QString path) : path_(std::move(path)) {}
    void Write(const QString& line) const {
        QFile f(path_);
        if (f.open(QIODevice::Append | QIODevice::Text)) QTextStream(&f) << line << "\n";
    }

private:
    QString path_;
};

class Manager : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    Manager(QString answer, const Log& log) : answer_(std::move(answer)), log_(log) {}

public slots:
    QString CanPowerOff() { return Can("CanPowerOff"); }
    QString CanReboot() { return Can("CanReboot"); }
    QString CanHalt() { return Can("CanHalt"); }
    QString CanSuspend() { return Can("CanSuspend"); }
    void PowerOff(bool interactive) { Called("PowerOff", interactive); }
    void Reboot(bool interactive) { Called("Reboot", interactive); }
    void Halt(bool interactive) { Called("Halt", interactive); }
    void Suspend(bool interactive) { Called("Suspend", interactive); }
    QDBusObjectPath GetSessionByPID(uint pid) {
        log_.Write("GetSessionByPID " + QString::number(pid));
        return QDBusObjectPath("/org/freedesktop/login1/session/tess");
    }

private:
    QString Can(const QString& what) {
        log_.Write(what);
        return answer_ == "hang" ? "yes" : answer_;
    }
    void Called(const QString& what, bool interactive) {
        log_.Write(what + (interactive ? " interactive" : " quiet"));
        if (answer_ == "hang") setDelayedReply(true);  // and no reply ever comes
    }
    QString answer_;
    const Log& log_;
};

class Session : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
public:
    explicit Session(const Log& log) : log_(log) {}

public slots:
    void Terminate() { log_.Write("Terminate tess"); }

private:
    const Log& log_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: fake_logind ANSWER CALL-LOG\n");
        return 2;
    }
    const Log log(argv[2]);
    Manager manager(argv[1], log);
    Session session(log);
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.registerObject("/org/freedesktop/login1", &manager, QDBusConnection::ExportAllSlots) ||
        !bus.registerObject("/org/freedesktop/login1/session/tess", &session,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService("org.freedesktop.login1")) {
        std::fprintf(stderr, "fake_logind: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    log.Write("ready");
    return app.exec();
}

#include "fake_logind.moc"
