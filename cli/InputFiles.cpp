// kivo-cli's inputs turned into client files: the files named, the lines of standard input
// and the folders, walked as the client list walks the data folder (model/ClientFolderWalk).
#include "cli/InputFiles.h"

#include <climits>
#include <filesystem>
#include <system_error>

#include "cli/Messages.h"
#include "model/ClientFolderWalk.h"
#include "model/Error.h"

namespace kivo::cli {
namespace {

namespace fs = std::filesystem;

#ifdef PATH_MAX
constexpr std::size_t kLongestPath = PATH_MAX - 1;  // the limit counts the closing NUL
#else
constexpr std::size_t kLongestPath = 4095;
#endif

class Walker {
public:
    Walker(std::istream& in, std::ostream& err,
           const std::function<Visit(const std::string& path)>& visit)
        : in_(in), err_(err), visit_(visit) {}

    void Input(const std::string& input) {
        if (stopped_) return;
        if (input == "-") {
            ReadList();
            return;
        }
        // A client file name goes to the reader at once: asking the file system first would
        // add a call per file to a batch that is otherwise one open and one read each. The
        // reader tells a folder by what it opened.
        std::error_code ec;
        if (!HasClientFileName(input) && fs::is_directory(input, ec)) {
            Folder(input);
        } else {
            VisitFile(input);
        }
    }

    bool Clean() const { return clean_; }

private:
    void VisitFile(const std::string& path) {
        switch (visit_(path)) {
            case Visit::Next:
                break;
            case Visit::Folder:
                Folder(path);
                break;
            case Visit::Stop:
                stopped_ = true;
                break;
        }
    }

    void ReadList() {
        std::string line;
        while (!stopped_ && ReadLine(line)) {
            if (line.empty() || line == "-") continue;
            Input(line);
        }
    }

    // The next line of the list, without its CR LF or LF. False at the end of the list, and,
    // reported, at a line longer than any path: the rest of it is not read.
    bool ReadLine(std::string& line) {
        line.clear();
        std::streambuf& list = *in_.rdbuf();
        for (;;) {
            const auto c = list.sbumpc();
            if (c == std::char_traits<char>::eof()) {
                in_.setstate(std::ios::eofbit);
                if (line.empty()) return false;
                break;  // a last line without its line end
            }
            if (c == '\n') break;
            if (line.size() > kLongestPath) return TooLong();  // one byte more: a CR
            line.push_back(static_cast<char>(c));
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > kLongestPath) return TooLong();
        return true;
    }

    bool TooLong() {
        Report(Error("a line on standard input is longer than the longest path (" +
                     std::to_string(kLongestPath) + " bytes)"));
        return false;
    }

    // The client files below `folder`, by the one walk every part of the program uses. A
    // folder that cannot be read is reported with its full path and the walk goes on.
    void Folder(const std::string& folder) {
        struct Visitor : FolderWalkVisitor {
            Walker& walker;
            const std::string& root;
            Visitor(Walker& w, const std::string& r) : walker(w), root(r) {}
            bool Stopped() const override { return walker.stopped_; }
            bool EnterFolder(const std::string&) override { return true; }
            void ClientFile(const std::string& path, platform::EntryType) override {
                // Whatever it is, the reader opens it and says what is wrong with it.
                if (walker.visit_(JoinPath(root, path)) == Visit::Stop) walker.stopped_ = true;
            }
            void FolderFailed(const std::string& failed, const std::string& reason) override {
                walker.Report(FileError(FileErrorKind::Open,
                                        failed.empty() ? root : JoinPath(root, failed), reason));
            }
        } visitor(*this, folder);
        WalkClientFolder(folder, "", visitor);
    }

    void Report(const Error& error) {
        PrintMessage(err_, error.what());
        clean_ = false;
    }

    std::istream& in_;
    std::ostream& err_;
    const std::function<Visit(const std::string& path)>& visit_;
    bool clean_ = true;
    bool stopped_ = false;
};

}  // namespace

std::size_t LongestListedPath() {
    return kLongestPath;
}

bool ForEachClientFile(std::span<const std::string> inputs, std::istream& in, std::ostream& err,
                       const std::function<Visit(const std::string& path)>& visit) {
    Walker walker(in, err, visit);
    for (const auto& input : inputs) walker.Input(input);
    return walker.Clean();
}

}  // namespace kivo::cli
