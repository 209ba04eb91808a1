#include "app/main/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

namespace app
{

namespace
{

QString SocketPath(const QString& key)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + u'/' + key + QStringLiteral("-%1.sock").arg(getuid());
}

} // namespace

SingleInstance::SingleInstance(const QString& key)
{
    const QString path = SocketPath(key);
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(500)) {
        probe.write("raise\n");
        probe.waitForBytesWritten(500);
        probe.disconnectFromServer();
        FOtherRunning = true;
        return;
    }
    // Nobody answers: a socket file left by a crashed copy is stale.
    QLocalServer::removeServer(path);
    FServer = std::make_unique<QLocalServer>();
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    FServer->listen(path);
    QObject::connect(FServer.get(), &QLocalServer::newConnection, FServer.get(), [this] {
        while (QLocalSocket* s = FServer->nextPendingConnection()) {
            QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            if (OnRaise)
                OnRaise();
        }
    });
}

SingleInstance::~SingleInstance() = default;

} // namespace app
