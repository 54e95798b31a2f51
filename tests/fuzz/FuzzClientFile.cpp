// Fuzz target: a client file read from disk, scored, printed by kivo-cli show and scores,
// and drawn (chart, score tables, item graph of every view subscale) on a recording canvas.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "canvas/FontMap.h"
#include "canvas/RecordingCanvas.h"
#include "cli/Cli.h"
#include "drawing/ItemGraph.h"
#include "drawing/ItemViewTables.h"
#include "drawing/ReportPaintBox.h"
#include "drawing/ScoreTables.h"
#include "drawing/SubscaleChart.h"
#include "model/ClientFile.h"
#include "model/Error.h"
#include "model/Scoring.h"
#include "tests/fuzz/FuzzGui.h"
#include "tests/support/TempDir.h"

namespace {

const std::string& InputPath() {
    static const TempDir folder;
    static const std::string path = (folder / "client.KVO").string();
    return path;
}

int RunCli(std::initializer_list<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    return kivo::cli::Run(args, out, err);
}

void Draw(const kivo::ClientRecord& record) {
    using namespace kivo;
    using namespace kivo::drawing;
    SubscaleScoreTable scores{};
    ComputeSubscaleScores(record, scores);
    for (const auto& condition : scores) {
        for (const SubscaleScore& score : condition) {
            if (ScoreDisplayText(score, ",").size() > kScoreDisplayTextMax) std::abort();
        }
    }
    canvas::RecordingCanvas canvas;
    DrawReportPaintBox(canvas, kReportBoxWidth, kReportBoxHeight, scores, SubscaleNorms(), ".");
    DrawSubscaleChart(canvas, 700, 420, ChartVariant::Print, scores, SubscaleNorms());
    DrawScoreTables(canvas, 700, 300, TableLayout::Print, scores, ",");
    for (int view = 0; view < kViewSubscaleCount; ++view) {
        DrawItemGraph(canvas, kItemBoxWidth, kItemBoxHeight, record, record.TestForm, view);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = [] {
        kivo::fuzz::EnsureGuiApplication();
        kivo::canvas::InstallFontSubstitutes();
        kivo::FillItemTextTable();
        return true;
    }();
    (void)ready;
    {
        std::ofstream file(InputPath(), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    kivo::ClientRecord record{};
    kivo::ResetClientRecord(record);
    bool read = true;
    try {
        kivo::ReadClientFile(InputPath(), record);
    } catch (const kivo::Error&) {
        read = false;
    }
    // kivo-cli agrees with the reader: 0 for a client file, 1 for a refused one.
    if (RunCli({"show", InputPath()}) != (read ? 0 : 1)) std::abort();
    if (RunCli({"scores", "--format", "json", InputPath()}) != (read ? 0 : 1)) std::abort();
    if (read) Draw(record);
    return 0;
}
