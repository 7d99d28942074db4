#include "platform/os/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

// An abstract-namespace socket name: no file to go stale, the kernel frees it
// when the holder ends, also after kill -9.
constexpr char kRaiseRequest[] = "raise\n";
constexpr int kConnectTimeoutMs = 1000;

class LocalSocketSingleInstance final : public ISingleInstance {
public:
    explicit LocalSocketSingleInstance(const AnsiString& name)
        : name_(QString::fromStdString(name) + QLatin1Char('-') + QString::number(getuid()))
    {
    }

    bool Claim() override
    {
        // Two copies started together may both find no holder; the one that
        // loses the listen race asks the winner, hence the second round.
        for (int round = 0; round < 2; ++round) {
            if (AskHolderToRaise())
                return false;
            if (Listen())
                return true;
            if (server_->serverError() != QAbstractSocket::AddressInUseError)
                break;
        }
        // The name cannot be had for another reason: run as the first copy,
        // as a failed mutex would.
        std::fprintf(stderr, "%s: single-instance name %s not claimed: %s\n", program_invocation_short_name,
                     qPrintable(name_), qPrintable(server_->errorString()));
        return true;
    }

private:
    bool AskHolderToRaise()
    {
        QLocalSocket socket;
        socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
        socket.connectToServer(name_);
        if (!socket.waitForConnected(kConnectTimeoutMs))
            return false;
        socket.write(kRaiseRequest);
        socket.waitForBytesWritten(kConnectTimeoutMs);
        socket.disconnectFromServer();
        return true;
    }

    bool Listen()
    {
        server_ = std::make_unique<QLocalServer>();
        server_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
        if (!server_->listen(name_))
            return false;
        QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
            while (QLocalSocket* peer = server_->nextPendingConnection())
                Serve(peer);
        });
        return true;
    }

    // The request may arrive together with the hang-up; both paths read it.
    void Serve(QLocalSocket* peer)
    {
        auto readRequest = [this, peer] {
            if (peer->canReadLine() && peer->readLine() == kRaiseRequest && OnRaiseRequest)
                OnRaiseRequest();
        };
        QObject::connect(peer, &QLocalSocket::readyRead, peer, readRequest);
        QObject::connect(peer, &QLocalSocket::disconnected, peer, [peer, readRequest] {
            readRequest();
            peer->deleteLater();
        });
        readRequest();
    }

    QString name_;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace

std::unique_ptr<ISingleInstance> CreateSingleInstance(const AnsiString& name)
{
    return std::make_unique<LocalSocketSingleInstance>(name);
}
