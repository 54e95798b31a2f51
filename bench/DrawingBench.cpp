// Painting the report paint box and the item graph into images, each against filling the
// same image white in the same run.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "bench/GuiBenchMain.h"
#include "canvas/PainterCanvas.h"
#include "drawing/ItemGraph.h"
#include "drawing/ReportPaintBox.h"
#include "model/ClientRecord.h"
#include "model/Scoring.h"
#include "tests/support/ClientBuilder.h"

namespace {

using namespace kivo;

// A long-form client with every item answered in both conditions.
ClientRecord LongFormClient() {
    return test::ClientBuilder()
        .Form(kLongForm)
        .AnswerEach(0, [](int item) { return static_cast<char>('A' + item % 7); })
        .AnswerEach(1, [](int item) { return static_cast<char>('B' + item % 5); })
        .Build();
}

void BM_FillReportImage(benchmark::State& state) {
    QImage image(drawing::kReportBoxWidth, drawing::kReportBoxHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FillReportImage);

void BM_PaintReportBox(benchmark::State& state) {
    const ClientRecord client = LongFormClient();
    SubscaleScoreTable scores{};
    ComputeSubscaleScores(client, scores);
    QImage image(drawing::kReportBoxWidth, drawing::kReportBoxHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        canvas::PainterCanvas canvas(painter);
        drawing::DrawReportPaintBox(canvas, image.width(), image.height(), scores, SubscaleNorms(),
                                    ".");
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintReportBox);

void BM_FillItemImage(benchmark::State& state) {
    QImage image(drawing::kItemBoxWidth, drawing::kItemBoxHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FillItemImage);

void BM_PaintItemGraphLongSpeechCues(benchmark::State& state) {
    FillItemTextTable();
    const ClientRecord client = LongFormClient();
    QImage image(drawing::kItemBoxWidth, drawing::kItemBoxHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        canvas::PainterCanvas canvas(painter);
        drawing::DrawItemGraph(canvas, image.width(), image.height(), client, kLongForm, 0);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintItemGraphLongSpeechCues);

}  // namespace

int main(int argc, char** argv) {
    return kivo::bench::RunGuiBenchmarks<QGuiApplication>(argc, argv);
}
