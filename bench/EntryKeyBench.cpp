// One answer typed on the response entry page of a long-form client, from the key press to the
// repainted page, against a bare repaint of the same page in the same run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include "bench/EntryBenchWindow.h"
#include "bench/GuiBenchMain.h"
#include "pages/entry/ResponseEntryPage.h"
#include "tests/support/ClientBuilder.h"

namespace {

using namespace kivo;

// The main window on the entry page of a long-form client with no answers, its grid focused.
std::unique_ptr<MainWindow> StartOnTheEntryPage() {
    auto main =
        bench::StartWithClient(test::ClientBuilder().Name("Johnson").Form(kLongForm).Build());
    main->Show(*main->Pages().responseEntry);
    QApplication::setActiveWindow(main.get());
    QApplication::processEvents();
    return main;
}

void Press(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// Types the two sheets over and over, each pass a different answer per item, so every key
// changes an answer, moves the focus cell and now and then scrolls the answers.
template <typename Paint>
void TypeAnswers(benchmark::State& state, Paint paint) {
    auto main = StartOnTheEntryPage();
    ResponseEntryPage& page = *main->Pages().responseEntry;
    QWidget* grid = page.findChild<QWidget*>(QStringLiteral("ScrollContent"));
    int pass = 0;
    for (auto _ : state) {
        const int row = page.FocusRow();
        const bool lastCell = page.FocusCondition() == 1 && row == page.ShownItemCount() - 1;
        const int options = IsUseItem(kLongForm, row + 1) ? 5 : 7;
        const int option = (row + pass) % options;
        Press(grid, Qt::Key_A + option, QString(QChar(u'a' + static_cast<char16_t>(option))));
        paint(page);
        if (lastCell) {
            state.PauseTiming();
            Press(grid, Qt::Key_Home);
            Press(grid, Qt::Key_Left);
            QApplication::processEvents();
            ++pass;
            state.ResumeTiming();
        }
    }
    state.counters["keys"] = static_cast<double>(state.iterations());
}

// What the user waits for: the key handled, then what it changed painted.
void BM_AnswerKeyToPaint(benchmark::State& state) {
    TypeAnswers(state, [](ResponseEntryPage&) { QApplication::processEvents(); });
}
BENCHMARK(BM_AnswerKeyToPaint)->Unit(benchmark::kMillisecond);

// The key handled, what it changed painted, then the whole page painted again with every
// control on it: an upper bound.
void BM_AnswerKeyAndWholePage(benchmark::State& state) {
    TypeAnswers(state, [](ResponseEntryPage& page) {
        QApplication::processEvents();
        benchmark::DoNotOptimize(page.grab());
    });
}
BENCHMARK(BM_AnswerKeyAndWholePage)->Unit(benchmark::kMillisecond);

// The baseline: the same page painted whole, every control on it (a repaint through the
// window would paint only what is dirty), nothing typed.
void BM_EntryPageRepaint(benchmark::State& state) {
    auto main = StartOnTheEntryPage();
    for (auto _ : state) {
        benchmark::DoNotOptimize(main->Pages().responseEntry->grab());
    }
}
BENCHMARK(BM_EntryPageRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return kivo::bench::RunGuiBenchmarks<QApplication>(argc, argv, kivo::FillItemTextTable);
}
