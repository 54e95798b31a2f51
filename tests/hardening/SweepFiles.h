// The damaged client files written to disk once per test run, for the sweeps that load them
// through kivo-cli and the main window.
#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/hardening/DamagedClients.h"
#include "tests/support/TempDir.h"

namespace kivo::test {

// The damaged client files written once into a folder of their own for the whole run.
struct SweepFile {
    std::filesystem::path path;
    bool refused = false;
    QString Path() const { return QString::fromStdString(path.string()); }
};

inline const std::vector<SweepFile>& SweepFiles() {
    static TempDir folder;
    static const std::vector<SweepFile> files = [] {
        std::vector<SweepFile> written;
        for (const DamagedClient& c : DamagedClients()) {
            const auto path = folder / c.name;
            WriteBytes(path, c.bytes);
            written.push_back({path, c.refused});
        }
        return written;
    }();
    return files;
}

}  // namespace kivo::test
