// Fuzz target: a saved page store (".kps") loaded, drawn page by page on a small image as the
// preview would, and saved and loaded again.
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "canvas/FontMap.h"
#include "model/Error.h"
#include "print/engine/PageStore.h"
#include "print/engine/PageStoreFile.h"
#include "tests/fuzz/FuzzGui.h"

// libFuzzer tries inputs no longer than its corpus unless told otherwise; a page file reaches
// its budgets (1 MiB of text, 200,000 drawings, a million points) only at several megabytes,
// so inputs up to 17 MiB are allowed unless -max_len is given.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static std::vector<char*> args(*argv, *argv + *argc);
    static char maxLen[] = "-max_len=17825792";
    const bool given = std::any_of(args.begin(), args.end(), [](const char* arg) {
        return std::strncmp(arg, "-max_len=", 9) == 0;
    });
    if (!given) {
        args.insert(args.begin() + 1, maxLen);
        args.push_back(nullptr);
        *argc = static_cast<int>(args.size()) - 1;
        *argv = args.data();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = [] {
        kivo::fuzz::EnsureGuiApplication();
        kivo::canvas::InstallFontSubstitutes();
        return true;
    }();
    (void)ready;
    using namespace kivo::report;
    PageStore store;
    try {
        store = LoadPageStore(
            QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    } catch (const kivo::Error&) {
        return 0;
    }
    // A small device keeps every page cheap to draw whatever its sizes say.
    QImage image(80, 100, QImage::Format_RGB32);
    for (const Page& page : store.pages) {
        image.fill(Qt::white);
        QPainter painter(&image);
        RenderPage(page, painter, {8.0, 8.0, 0.0, 0.0, {}});
    }
    // What loads saves and loads back to the same pages.
    const PageStore again = LoadPageStore(SavePageStore(store));
    if (again.PageCount() != store.PageCount() || again.title != store.title) std::abort();
    return 0;
}
