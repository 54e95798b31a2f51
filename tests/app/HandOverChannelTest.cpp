// The hand-over socket itself, on its own: who may connect, what is left on disk, and how the
// running copy treats connections that are not a second start's (too long, cut short, slow).
// The far end is Qt's own local socket, so the bytes on the wire are checked against another
// implementation of the same kind of socket.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/InstanceChannel.h"
#include "app/InstanceLock.h"
#include "tests/support/TempDir.h"

namespace kivo {
namespace {

class HandOverChannel : public ::testing::Test {
protected:
    QString SocketPath() const {
        return QString::fromStdString((folder_ / "kivo.socket").string());
    }

    // A connection to the server, as a second start (or anything else) makes one.
    std::unique_ptr<QLocalSocket> Connect() {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(SocketPath());
        // The server's event loop runs meanwhile and takes the connection.
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return socket->state() == QLocalSocket::ConnectedState; }, 5000));
        return socket;
    }

    // A second start's hand-over, sent from another thread while this one runs the server's
    // event loop.
    bool HandOver(const QString& path) {
        std::atomic<int> result = -1;
        std::thread sender([&] { result = HandOverFile(SocketPath(), path, 2000, 2000) ? 1 : 0; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return result >= 0; }, 10000));
        sender.join();
        return result == 1;
    }

    // What the server answers before it closes the connection.
    static QByteArray AnswerOf(QLocalSocket& socket) {
        QByteArray answer;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                answer += socket.readAll();
                return socket.state() == QLocalSocket::UnconnectedState;
            },
            5000));
        return answer + socket.readAll();
    }

    TempDir folder_;
};

// In the user's private runtime folder the socket is made in place; in a folder others may
// enter it is made in a private folder of its own and moved, so its mode is set before anyone
// else can reach it. Either way it ends up the same, with nothing else left behind.
TEST_F(HandOverChannel, OnlyTheUserCanConnectAndTheSocketGoesWithTheServer) {
    for (const mode_t folderMode : {0700, 0755}) {
        SCOPED_TRACE(folderMode);
        ::chmod(folder_.path().c_str(), folderMode);
        {
            InstanceServer server(SocketPath());
            ASSERT_TRUE(server.Listening());
            struct stat facts {};
            ASSERT_EQ(::lstat(SocketPath().toUtf8().constData(), &facts), 0);
            EXPECT_TRUE(S_ISSOCK(facts.st_mode));
            EXPECT_EQ(facts.st_mode & 0777, 0600u);
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()), {}), 1);
            QSignalSpy handed(&server, &InstanceServer::FileHandedOver);
            EXPECT_TRUE(HandOver(QStringLiteral("/clients/a.KVO")));
            EXPECT_EQ(handed.size(), 1);
        }
        EXPECT_FALSE(QFile::exists(SocketPath()));
    }
}

// A socket left by a copy that crashed is replaced; a file of any other kind by that name is
// not the program's to remove, and the program then runs without the hand-over.
TEST_F(HandOverChannel, ALeftSocketIsReplacedAnythingElseIsKept) {
    for (const mode_t folderMode : {0700, 0755}) {
        SCOPED_TRACE(folderMode);
        ::chmod(folder_.path().c_str(), folderMode);
        QLocalServer crashed;  // its socket file stays when the process dies
        crashed.setSocketOptions(QLocalServer::UserAccessOption);
        ASSERT_TRUE(crashed.listen(SocketPath()));
        InstanceServer server(SocketPath());
        EXPECT_TRUE(server.Listening());
        QSignalSpy handed(&server, &InstanceServer::FileHandedOver);
        EXPECT_TRUE(HandOver(QStringLiteral("/clients/a.KVO")));
        ASSERT_EQ(handed.size(), 1);
        EXPECT_EQ(handed.at(0).at(0).toString(), QStringLiteral("/clients/a.KVO"));
    }
    WriteBytes(folder_ / "kivo.socket", {'n', 'o', 't', 'e', 's'});
    const InstanceServer server(SocketPath());
    EXPECT_FALSE(server.Listening());
    EXPECT_EQ(ReadBytes(folder_ / "kivo.socket"),
              (std::vector<unsigned char>{'n', 'o', 't', 'e', 's'}));
    EXPECT_FALSE(HandOverFile(SocketPath(), QStringLiteral("/clients/a.KVO"), 300, 300));
}

// A line may arrive in pieces; one that never ends, or a connection that ends before its line
// does, is dropped without an answer, and the next second start is served as ever.
TEST_F(HandOverChannel, PiecesAreJoinedAndStrayConnectionsDropped) {
    InstanceServer server(SocketPath());
    ASSERT_TRUE(server.Listening());
    QSignalSpy handed(&server, &InstanceServer::FileHandedOver);

    auto slow = Connect();
    slow->write("/clients/sl");
    slow->flush();
    QTest::qWait(50);
    slow->write("ow.KVO\n");
    EXPECT_EQ(AnswerOf(*slow), kHandOverReply);
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed.at(0).at(0).toString(), QStringLiteral("/clients/slow.KVO"));

    auto endless = Connect();
    endless->write(QByteArray(kMaxHandOverMessage + 4096, '/'));
    EXPECT_EQ(AnswerOf(*endless), QByteArray());

    auto cut = Connect();
    cut->write("/clients/cut");
    cut->flush();
    cut->disconnectFromServer();
    QTest::qWait(50);

    // Gone before the answer: writing it must not end the program (SIGPIPE).
    auto gone = Connect();
    gone->write("/clients/gone.KVO\n");
    gone->flush();
    gone->abort();
    ASSERT_TRUE(QTest::qWaitFor([&] { return handed.size() == 2; }, 5000));

    EXPECT_TRUE(HandOver(QStringLiteral("/clients/next.KVO")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return handed.size() == 3; }, 5000));
    EXPECT_EQ(handed.at(2).at(0).toString(), QStringLiteral("/clients/next.KVO"));
}

// Connections that never send their line hold nothing for long: each is closed after the idle
// limit, and beyond 32 at a time the oldest is closed to make room, so a real second start is
// always served.
// Too many silent connections: the oldest make room, whatever time the connecting took (the
// idle limit is far beyond it), and a real hand-over still gets through.
TEST_F(HandOverChannel, SilentConnectionsBeyondTheLimitCloseTheOldest) {
    InstanceServer server(SocketPath(), nullptr, std::chrono::minutes(10));
    ASSERT_TRUE(server.Listening());
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < 40; ++i) idle.push_back(Connect());
    QTest::qWait(100);
    // The first eight made room for the last eight; the others are still open.
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(idle[static_cast<std::size_t>(i)]->state() == QLocalSocket::UnconnectedState,
                  i < 8)
            << i;
    }
    EXPECT_TRUE(HandOver(QStringLiteral("/clients/real.KVO")));
}

TEST_F(HandOverChannel, IdleConnectionsAreClosed) {
    InstanceServer server(SocketPath(), nullptr, std::chrono::milliseconds(300));
    ASSERT_TRUE(server.Listening());
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < 4; ++i) idle.push_back(Connect());
    // After the idle limit, none is left open.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return std::all_of(idle.begin(), idle.end(), [](const auto& socket) {
                return socket->state() == QLocalSocket::UnconnectedState;
            });
        },
        5000));
}

// A running copy whose window hangs takes no connections; once its queue is full, a second
// start still gives up when its time to connect has passed instead of waiting for ever.
TEST_F(HandOverChannel, ASecondStartGivesUpOnAHungCopy) {
    InstanceServer server(SocketPath());
    ASSERT_TRUE(server.Listening());
    QElapsedTimer waited;
    waited.start();
    std::vector<std::thread> senders;
    std::atomic<int> handed = 0;
    // No event loop runs here while they try: the copy is hung.
    for (int i = 0; i < 24; ++i) {
        senders.emplace_back([&] {
            if (HandOverFile(SocketPath(), QStringLiteral("/a.KVO"), 500, 500)) ++handed;
        });
    }
    for (std::thread& sender : senders) sender.join();
    EXPECT_EQ(handed, 0);
    EXPECT_LT(waited.elapsed(), 5000);
}

// Without a runtime folder of the user's, the lock and the socket go to a folder of the user's
// own in the temporary folder, private to the user; where someone else took that name, to
// ~/.cache/kivo, made private; never to the shared temporary folder itself.
TEST(RuntimeFolderFallback, APrivateFolderOfTheUsersOwn) {
    TempDir temp;
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray oldTemp = qgetenv("TMPDIR");
    const QByteArray oldCache = qgetenv("XDG_CACHE_HOME");
    // Neither the runtime folder named in the environment nor the one Qt would make in the
    // temporary folder ("runtime-<user>") can be used: both are files.
    WriteBytes(temp / "not-a-folder", {'x'});
    WriteBytes(temp / (std::string("runtime-") + ::getpwuid(::getuid())->pw_name), {'x'});
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString((temp / "not-a-folder").string()));
    qputenv("TMPDIR", QByteArray::fromStdString(temp.path().string()));
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString((temp / "home-cache").string()));
    const std::filesystem::path own = temp / ("kivo-" + std::to_string(::getuid()));
    const std::string socketName = "kivo-" + std::to_string(::getuid()) + ".socket";

    EXPECT_EQ(RuntimeFolder().toStdString(), own.string());
    struct stat facts {};
    ASSERT_EQ(::lstat(own.c_str(), &facts), 0);
    EXPECT_EQ(facts.st_mode & 0777, 0700u);
    EXPECT_EQ(InstanceChannelName().toStdString(), (own / socketName).string());

    ::chmod(own.c_str(), 0777);  // as if another user had made it first
    const std::filesystem::path cache = temp / "home-cache" / "kivo";
    EXPECT_EQ(RuntimeFolder().toStdString(), cache.string());
    ASSERT_EQ(::lstat(cache.c_str(), &facts), 0);
    EXPECT_EQ(facts.st_mode & 0777, 0700u);
    EXPECT_EQ(InstanceChannelName().toStdString(), (cache / socketName).string());

    // With no private folder to be had there is neither lock nor socket, rather than one
    // anyone could get in the way of.
    ::chmod(cache.c_str(), 0777);
    EXPECT_EQ(RuntimeFolder(), QString());
    EXPECT_EQ(InstanceChannelName(), QString());
    EXPECT_FALSE(InstanceLock(QStringLiteral("KIVOLock")).Acquired());
    EXPECT_FALSE(std::filesystem::exists(temp / "KIVOLock"));

    qputenv("XDG_RUNTIME_DIR", oldRuntime);
    qputenv("TMPDIR", oldTemp);
    qputenv("XDG_CACHE_HOME", oldCache);
    if (oldCache.isEmpty()) qunsetenv("XDG_CACHE_HOME");
}

// Outside the user's own folder a socket of another user's is left where it is, and nothing
// listens there.
TEST(RuntimeFolderFallback, AnotherUsersSocketOutsideTheOwnFolderIsLeftAlone) {
    if (::getuid() != 0) GTEST_SKIP() << "only root can give a socket away";
    TempDir temp;
    ::chmod(temp.path().c_str(), 01777);  // a shared folder
    const QString path = QString::fromStdString((temp / "kivo.socket").string());
    QLocalServer squatter;
    ASSERT_TRUE(squatter.listen(path));
    ASSERT_EQ(::chown(path.toUtf8().constData(), 65534, 65534), 0);
    struct stat before {};
    ASSERT_EQ(::lstat(path.toUtf8().constData(), &before), 0);
    {
        InstanceServer server(path);
        EXPECT_FALSE(server.Listening());
    }
    struct stat after {};
    ASSERT_EQ(::lstat(path.toUtf8().constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, 65534u);
}

// A file name may hold a line break; the running copy would read the line up to it and open the
// file that names, so such a path is not sent at all and the second start says the program
// runs.
TEST_F(HandOverChannel, APathWithALineBreakIsNotSent) {
    InstanceServer server(SocketPath());
    ASSERT_TRUE(server.Listening());
    QSignalSpy handed(&server, &InstanceServer::FileHandedOver);
    EXPECT_FALSE(HandOver(QStringLiteral("/clients/a\nb.KVO")));
    QTest::qWait(50);
    EXPECT_EQ(handed.size(), 0);
    EXPECT_TRUE(HandOver(QStringLiteral("/clients/a b.KVO")));
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed.at(0).at(0).toString(), QStringLiteral("/clients/a b.KVO"));
}

// The second start gives up at once when the other end takes the line but closes without the
// answer, rather than waiting out its time; and when no one listens at all.
TEST_F(HandOverChannel, TheSenderGivesUpWithoutAnAnswer) {
    QLocalServer silent;
    ASSERT_TRUE(silent.listen(SocketPath()));
    bool handed = true;
    QElapsedTimer waited;
    waited.start();
    std::thread sender(
        [&] { handed = HandOverFile(SocketPath(), QStringLiteral("/a.KVO"), 2000, 20000); });
    ASSERT_TRUE(silent.waitForNewConnection(5000));
    QLocalSocket* socket = silent.nextPendingConnection();
    while (!socket->canReadLine()) ASSERT_TRUE(socket->waitForReadyRead(5000));
    EXPECT_EQ(socket->readLine(), "/a.KVO\n");
    socket->disconnectFromServer();
    sender.join();
    EXPECT_FALSE(handed);
    EXPECT_LT(waited.elapsed(), 10000);

    silent.close();
    EXPECT_FALSE(HandOverFile(SocketPath(), QStringLiteral("/a.KVO"), 300, 300));
}

}  // namespace
}  // namespace kivo
