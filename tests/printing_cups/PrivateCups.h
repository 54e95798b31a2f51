// A private CUPS scheduler for the printing tests: its own configuration, socket and spool in
// a temporary folder, five file-backed queues, and every job it received kept for reading back.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kivo::test {

// The scheduler the printing tests print to, started once per test process before the first
// test and stopped after the last. The system's own scheduler is never touched: this one
// listens only on a socket in its folder, and CUPS_SERVER points this process at it.
//   "letter": US Letter, 0.25 in margins, 1200 dpi, the default queue
//   "a4":     A4, 12 pt margins, 1200 dpi
//   "letter-a4": US Letter (the default paper) or A4, 0.25 in margins, 1200 dpi
//   "letter-wide": US Letter, 0.75 in margins, 1200 dpi
//   "a4-wide":     A4, 0.75 in margins, 1200 dpi
class PrivateCups {
public:
    // The running scheduler, or null when it is not installed or could not start (Problem()
    // says why).
    static PrivateCups* Get();
    static const std::string& Problem();
    // Whether cupsd and lpadmin are on this machine.
    static bool Installed();

    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // The documents of every job received so far, oldest first: the PDF each job carried.
    std::vector<std::filesystem::path> Documents() const;
    // The IPP attributes of job `number` (from 1) as stored, to search for option names.
    std::string JobControl(int number) const;

    // Runs a CUPS admin tool against this scheduler; false when it failed. `output` gets
    // what the tool wrote.
    bool Admin(const QString& tool, const QStringList& args, QString* output = nullptr) const;

    // Starts and stops the scheduler for the whole test program.
    static void Start();
    static void Stop();

private:
    PrivateCups() = default;
    bool Launch(std::string& problem);

    std::filesystem::path folder_;
    QString socket_;
    long pid_ = 0;
};

}  // namespace kivo::test
