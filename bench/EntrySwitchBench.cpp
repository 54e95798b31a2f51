// Switching from the demographics page to the response entry page of a full long-form client
// and back, painted, against switching between two empty pages in the same main window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLayout>
#include <cstring>

#include "app/MainWindow.h"
#include "bench/EntryBenchWindow.h"
#include "bench/GuiBenchMain.h"
#include "pages/demographics/DemographicsPage.h"
#include "pages/entry/ResponseEntryPage.h"
#include "tests/support/ClientBuilder.h"

namespace {

using namespace kivo;

// Every item answered in both conditions with a letter its list offers.
ClientRecord LongFormClient() {
    const auto options = [](int item) { return IsUseItem(kLongForm, item) ? 5 : 7; };
    return test::ClientBuilder()
        .Name("Johnson")
        .Fitting1({.hearingAid = "Model X (open dome)"})
        .Fitting2({.hearingAid = "Model Y"})
        .Form(kLongForm)
        .AnswerEach(0, [&](int item) { return static_cast<char>('A' + item % options(item)); })
        .AnswerEach(1,
                    [&](int item) { return static_cast<char>('A' + (item + 3) % options(item)); })
        .Build();
}

// The main window shown with the client on its demographics page.
std::unique_ptr<MainWindow> StartWithLongFormClient() {
    return bench::StartWithClient(LongFormClient());
}

// One iteration: two switches (there and back), each painted.
void BM_EntryPageSwitch(benchmark::State& state) {
    auto main = StartWithLongFormClient();
    for (auto _ : state) {
        main->Show(*main->Pages().responseEntry);
        QApplication::processEvents();
        main->Show(*main->Pages().demographics);
        QApplication::processEvents();
    }
    state.counters["switches"] = benchmark::Counter(2.0 * static_cast<double>(state.iterations()));
}
BENCHMARK(BM_EntryPageSwitch)->Unit(benchmark::kMillisecond);

void BM_EmptyPageSwitch(benchmark::State& state) {
    auto main = StartWithLongFormClient();
    main->Pages().demographics->hide();
    // Two empty pages laid over the page area as the window lays its own.
    QWidget* area = main->findChild<QWidget*>(QStringLiteral("WindowPanel"));
    auto* first = new Page(area);
    auto* second = new Page(area);
    for (Page* page : {first, second}) {
        page->setVisible(false);
        area->layout()->addWidget(page);
    }
    first->show();
    QApplication::processEvents();
    for (auto _ : state) {
        SwitchPage(*second, {first});
        QApplication::processEvents();
        SwitchPage(*first, {second});
        QApplication::processEvents();
    }
}
BENCHMARK(BM_EmptyPageSwitch)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return kivo::bench::RunGuiBenchmarks<QApplication>(argc, argv, kivo::FillItemTextTable);
}
