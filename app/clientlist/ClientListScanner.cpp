// Batches go to the window's thread as soon as the first few files are read, then every
// 50 ms, so rows appear at once and the window is not flooded with one event per file.
#include "app/clientlist/ClientListScanner.h"

#include <QMetaObject>
#include <chrono>

namespace kivo {

class ClientListScanner::Batcher : public ClientListSink {
public:
    explicit Batcher(ClientListScanner& scanner) : scanner_(scanner) {}
    ~Batcher() override { Flush(); }

    bool Stopped() const override { return scanner_.stop_; }
    void Found(ClientListEntry&& entry) override {
        Batch().found.push_back(std::move(entry));
        MaybeFlush();
    }
    void Gone(const std::string& path) override { Batch().gone.push_back(path); }
    void FolderAdded(const std::string& folder) override { Batch().foldersAdded.push_back(folder); }
    void FolderGone(const std::string& folder) override { Batch().foldersGone.push_back(folder); }
    void FolderFailed(const std::string& folder, const std::string& reason) override {
        // A subfolder that cannot be listed is simply not listed; the data folder itself is
        // said in the status line.
        if (folder.empty()) Batch().rootFailure = reason;
    }

    void Finish() { Batch().scanFinished = true; }

    void Flush() {
        if (!batch_ || scanner_.stop_) return;
        // Queued to the scanner's own thread; dropped by Qt if the scanner is gone by then.
        QMetaObject::invokeMethod(
            &scanner_,
            [scanner = &scanner_, batch = std::move(batch_)] { emit scanner->Changed(batch); },
            Qt::QueuedConnection);
        batch_.reset();
        last_ = Clock::now();
        ++flushes_;
    }

private:
    using Clock = std::chrono::steady_clock;

    ClientListChanges& Batch() {
        if (!batch_) batch_ = std::make_shared<ClientListChanges>();
        return *batch_;
    }

    void MaybeFlush() {
        // The first rows go at once; after that a batch every 50 ms, and every 250 ms once
        // the list is long, since each batch costs the window a pass over all its rows.
        const std::size_t size = batch_->found.size();
        sent_ += 1;
        const auto every = sent_ < 20000 ? kEvery : kEvery * 5;
        if ((flushes_ == 0 && size >= 64) || (size % 256 == 0 && Clock::now() - last_ > every)) {
            Flush();
        }
    }

    static constexpr auto kEvery = std::chrono::milliseconds(50);
    ClientListScanner& scanner_;
    std::shared_ptr<ClientListChanges> batch_;
    Clock::time_point last_ = Clock::now();
    int flushes_ = 0;
    std::size_t sent_ = 0;
};

ClientListScanner::ClientListScanner(const std::string& root, QObject* parent)
    : QObject(parent), mirror_(root) {
    jobs_.push_back({Job::Kind::Scan, {}});
    thread_ = std::thread([this] { Run(); });
}

ClientListScanner::~ClientListScanner() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void ClientListScanner::Rescan(const std::string& folder) {
    Post({Job::Kind::Rescan, folder});
}

void ClientListScanner::Poll() {
    Post({Job::Kind::Poll, {}});
}

void ClientListScanner::Post(Job job) {
    {
        std::lock_guard lock(mutex_);
        for (const auto& queued : jobs_) {
            if (queued.kind == job.kind && queued.folder == job.folder) return;
        }
        jobs_.push_back(std::move(job));
    }
    wake_.notify_all();
}

void ClientListScanner::Run() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
            if (stop_) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        Batcher batcher(*this);
        switch (job.kind) {
            case Job::Kind::Scan:
                mirror_.Scan(batcher);
                batcher.Finish();
                break;
            case Job::Kind::Rescan:
                mirror_.Rescan(job.folder, batcher);
                break;
            case Job::Kind::Poll:
                mirror_.Poll(batcher);
                break;
        }
    }
}

}  // namespace kivo
