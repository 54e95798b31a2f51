// kivo-cli report: client files' score reports printed into PDFs through the program's own
// report engine, one file into the PDF named, or any number of files into one PDF each.
#include <QPageSize>
#include <QString>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "cli/ClientInput.h"
#include "cli/Commands.h"
#include "cli/GuiSession.h"
#include "cli/InputFiles.h"
#include "cli/Messages.h"
#include "cli/OutputArgs.h"
#include "model/Error.h"
#include "model/Session.h"
#include "print/engine/OutputFile.h"
#include "print/engine/PageOutput.h"
#include "print/score/ScoreReport.h"

namespace kivo::cli {
namespace {

namespace fs = std::filesystem;

constexpr int kPdfDpi = 600;

struct ReportRequest {
    std::vector<std::string> inputs;
    std::string output;
    bool a4 = false;
    bool batch = false;  // one PDF per client into the folder `output`
};

QPageSize PaperOf(bool a4) {
    return QPageSize(a4 ? QPageSize::A4 : QPageSize::Letter);
}

bool EndsWithSlash(const std::string& path) {
    return !path.empty() && path.back() == '/';
}

std::optional<std::string> Parse(std::span<const std::string> args, ReportRequest& request) {
    OutputArgs output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::optional<std::string> problem;
        if (output.Take(args, i, true, problem)) {
            if (problem) return problem;
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option '" + a + "' for report";
        } else {
            request.inputs.push_back(a);
        }
    }
    if (request.inputs.empty()) return "report needs a FILE";
    if (output.output.empty()) return output.Check("report", ".pdf");
    request.output = output.output;
    request.a4 = output.a4;
    std::error_code ec;
    const bool oneFile = request.inputs.size() == 1 && request.inputs[0] != "-" &&
                         !fs::is_directory(request.inputs[0], ec);
    request.batch = EndsWithSlash(request.output) || fs::is_directory(request.output, ec);
    if (!request.batch && !oneFile) {
        return "report of several files, a folder or - writes into a folder: give -o OUTDIR/";
    }
    if (!request.batch) return output.Check("report", ".pdf");
    return std::nullopt;
}

// The score report laid out on the chosen paper: Letter as the program prints it, or A4
// with the same margins (the bands fit either width).
void SetPaper(print::ScoreReport& scoreReport, bool a4) {
    if (!a4) return;
    auto& page = scoreReport.Report().Page;
    page.PaperSize = report::Paper::A4;
    page.Width = 2100.0;
    page.Length = 2970.0;
}

// The score report of the client in gClientRecord, laid out and recorded.
report::PageStore Generate(print::ScoreReport& scoreReport) {
    // There is no report screen here: score the client as it would before printing.
    ComputeSubscaleScores();
    return scoreReport.Report().Generate();
}

// Draws the recorded report into a PDF at `output`: empty when it was written whole, else the
// message saying why not.
std::string WritePdf(const report::PageStore& store, bool a4, const std::string& output) {
    try {
        report::PdfFile pdf(QString::fromStdString(output), PaperOf(a4), kPdfDpi, store.title);
        if (!report::OutputPages(store, pdf, {kPdfDpi, kPdfDpi, 0.0, 0.0, {}}, 1,
                                 store.PageCount())) {
            pdf.Abandon("the pages could not be drawn");
        }
        pdf.Commit();
    } catch (const FileError& e) {
        return UnwrittenText(e);
    }
    return {};
}

// Writes recorded reports into their PDFs on worker threads while the caller lays out the
// next ones: laying out reads the session's globals and stays on one thread, drawing into a
// PDF (fonts, image compression) is most of the time and needs nothing shared. At most two
// reports per worker wait, so memory stays flat however many files there are.
class PdfWriters {
public:
    PdfWriters(bool a4, unsigned threads) : a4_(a4) {
        for (unsigned i = 0; i < threads; ++i) workers_.emplace_back([this] { Work(); });
    }
    ~PdfWriters() { Finish(); }
    PdfWriters(const PdfWriters&) = delete;
    PdfWriters& operator=(const PdfWriters&) = delete;

    void Write(std::size_t index, report::PageStore store, std::string output) {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [this] { return queue_.size() < 2 * workers_.size(); });
        queue_.push_back({index, std::move(store), std::move(output)});
        ready_.notify_one();
    }

    // Waits for every PDF; why the outputs that could not be written were not, in the order
    // given.
    std::vector<std::pair<std::size_t, std::string>> Finish() {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        ready_.notify_all();
        for (auto& worker : workers_) {
            if (worker.joinable()) worker.join();
        }
        std::sort(failed_.begin(), failed_.end());
        return failed_;
    }

private:
    struct Job {
        std::size_t index = 0;
        report::PageStore store;
        std::string output;
    };

    void Work() {
        for (;;) {
            Job job;
            {
                std::unique_lock lock(mutex_);
                ready_.wait(lock, [this] { return done_ || !queue_.empty(); });
                if (queue_.empty()) return;
                job = std::move(queue_.front());
                queue_.pop_front();
                room_.notify_one();
            }
            if (auto failure = WritePdf(job.store, a4_, job.output); !failure.empty()) {
                const std::lock_guard lock(mutex_);
                failed_.emplace_back(job.index, std::move(failure));
            }
        }
    }

    bool a4_ = false;
    std::mutex mutex_;
    std::condition_variable ready_;  // a job waits, or no more will come
    std::condition_variable room_;   // the queue has room
    std::deque<Job> queue_;
    bool done_ = false;
    std::vector<std::pair<std::size_t, std::string>> failed_;
    std::vector<std::thread> workers_;
};

// PDF names in the output folder, taken from the client files' names: smith.KVO gives
// smith.pdf. A name already given in this run in any case (by Unicode case folding, so
// MÜLLER.pdf and müller.pdf collide, as they would on a system that ignores case) takes the
// first free smith-2.pdf, smith-3.pdf, ...
class PdfNames {
public:
    std::string Next(const std::string& clientFile) {
        std::string stem = fs::path(clientFile).stem().string();
        if (stem.empty()) stem = "report";
        std::string name = stem + ".pdf";
        for (int n = 2; !used_.insert(Folded(name)).second; ++n) {
            name = stem + "-" + std::to_string(n) + ".pdf";
        }
        return name;
    }

private:
    static std::string Folded(const std::string& name) {
        return QString::fromStdString(name)
            .normalized(QString::NormalizationForm_C)
            .toCaseFolded()
            .toStdString();
    }

    std::set<std::string> used_;
};

// "[3/100] out/smith.pdf" on one terminal line, rewritten for each file and cleared before a
// message and at the end. Silent when standard error is not a terminal (a log, a pipe).
class Progress {
public:
    Progress(std::ostream& err, bool shown, std::size_t total)
        : err_(err), shown_(shown), total_(total) {}
    ~Progress() { Clear(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void Writing(std::size_t done, const std::string& file) {
        if (!shown_) return;
        err_ << "\r\033[K[" << done << '/' << total_ << "] " << TerminalText(file) << std::flush;
        onLine_ = true;
    }

    // Before a message: the message gets a line of its own.
    void Clear() {
        if (!onLine_) return;
        err_ << "\r\033[K" << std::flush;
        onLine_ = false;
    }

private:
    std::ostream& err_;
    bool shown_ = false;
    std::size_t total_ = 0;
    bool onLine_ = false;
};

int ReportOne(const ReportRequest& request, std::ostream& err) {
    if (!ReadOneClientFile(request.inputs[0], gClientRecord, err)) return 1;
    LoadNormTable();
    const GuiSession gui;
    print::ScoreReport scoreReport;
    SetPaper(scoreReport, request.a4);
    if (const auto failure = WritePdf(Generate(scoreReport), request.a4, request.output);
        !failure.empty()) {
        PrintMessage(err, failure);
        return 1;
    }
    return 0;
}

// Makes the output folder and tries a file in it, so that a folder that cannot be written is
// one message before any work rather than one per client. False, reported, when it fails.
bool OutputFolderWritable(const std::string& folder, std::ostream& err) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    std::string reason;
    if (!fs::is_directory(folder, ec)) {
        reason = ec ? ec.message() : "it is not a folder";
    } else {
        try {
            const report::OutputFile probe(QString::fromStdString(folder + "probe"));
        } catch (const FileError& e) {
            reason = e.Reason();
        }
    }
    if (reason.empty()) return true;
    PrintMessage(err, "cannot write into '" + folder + "': " + reason);
    return false;
}

int ReportEach(const ReportRequest& request, const Streams& streams) {
    const std::string folder =
        EndsWithSlash(request.output) ? request.output : request.output + '/';
    if (!OutputFolderWritable(folder, streams.err)) return 1;
    // The whole list first: the progress counts against it, and PDFs written into a folder
    // that is also read are not read back.
    std::vector<std::string> files;
    const bool clean =
        ForEachClientFile(request.inputs, streams.in, streams.err, [&](const std::string& file) {
            std::error_code ec;
            if (fs::is_directory(file, ec)) return Visit::Folder;
            files.push_back(file);
            return Visit::Next;
        });
    int status = clean ? 0 : 1;
    LoadNormTable();
    const GuiSession gui;
    print::ScoreReport scoreReport;
    SetPaper(scoreReport, request.a4);
    PdfNames names;
    Progress progress(streams.err, streams.errIsTerminal, files.size());
    PdfWriters writers(request.a4, std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    for (std::size_t i = 0; i < files.size(); ++i) {
        try {
            if (ReadClientInput(files[i], gClientRecord) == InputKind::Folder) continue;
        } catch (const Error& e) {
            progress.Clear();
            PrintMessage(streams.err, e.what());
            status = 1;
            continue;
        }
        // Only a client that is printed takes a name.
        std::string output = folder + names.Next(files[i]);
        progress.Writing(i + 1, output);
        writers.Write(i, Generate(scoreReport), std::move(output));
    }
    const auto failed = writers.Finish();
    progress.Clear();
    for (const auto& [index, failure] : failed) {
        PrintMessage(streams.err, failure);
        status = 1;
    }
    return status;
}

}  // namespace

int Report(std::span<const std::string> args, const Streams& streams) {
    ReportRequest request;
    if (const auto problem = Parse(args, request)) return UsageError(streams.err, *problem);
    const int status =
        request.batch ? ReportEach(request, streams) : ReportOne(request, streams.err);
    streams.out.flush();
    return status;
}

}  // namespace kivo::cli
