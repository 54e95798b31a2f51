// The client list's worker thread: it walks the data folder once, then rescans the folders
// the watcher names and polls folder times, and hands what it found to the window's thread
// in batches, so the window never waits for the disk.
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "model/ClientListScan.h"

namespace kivo {

// What one batch changes in the list, applied in this order: gone files, then found ones.
struct ClientListChanges {
    std::vector<std::string> gone;
    std::vector<ClientListEntry> found;
    std::vector<std::string> foldersAdded;
    std::vector<std::string> foldersGone;
    bool scanFinished = false;  // the first walk of the whole folder is complete
    std::string rootFailure;    // why the data folder itself could not be listed
};

class ClientListScanner : public QObject {
    Q_OBJECT
public:
    // Starts the walk of `root` at once.
    explicit ClientListScanner(const std::string& root, QObject* parent = nullptr);
    // Stops the walk where it is and waits for the thread (a file being read at most).
    ~ClientListScanner() override;

    // Lists `folder` (relative to the root) again and reports what changed.
    void Rescan(const std::string& folder);
    // Looks at every folder's time and rescans those that moved.
    void Poll();

signals:
    void Changed(const std::shared_ptr<ClientListChanges>& changes);

private:
    struct Job {
        enum class Kind { Scan, Rescan, Poll } kind;
        std::string folder;
    };
    class Batcher;

    void Post(Job job);
    void Run();

    ClientFolderMirror mirror_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

}  // namespace kivo
