#include "mail/net/host_resolver.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QObject>

namespace tessaro::mail {
namespace {

int ErrorOf(QHostInfo::HostInfoError error) {
    switch (error) {
        case QHostInfo::NoError: return 0;
        case QHostInfo::HostNotFound: return 11001;
        default: return 11003;
    }
}

class QtResolver : public HostResolver {
public:
    int Start(const std::string& host, std::function<void(const HostAnswer&)> done) override {
        return QHostInfo::lookupHost(QString::fromStdString(host), &context_,
                                     [done = std::move(done)](const QHostInfo& info) {
                                         HostAnswer answer;
                                         answer.error = ErrorOf(info.error());
                                         for (const QHostAddress& a : info.addresses()) {
                                             if (a.protocol() == QAbstractSocket::IPv4Protocol)
                                                 answer.ipv4.push_back(a.toIPv4Address());
                                         }
                                         done(answer);
                                     });
    }
    void Abort(int id) override { QHostInfo::abortHostLookup(id); }

private:
    QObject context_;  // answers after this resolver is gone are dropped with it
};

}  // namespace

std::unique_ptr<HostResolver> SystemResolver() { return std::make_unique<QtResolver>(); }

}  // namespace tessaro::mail
