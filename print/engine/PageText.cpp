// A recorded page's texts in reading order.
#include "print/engine/PageText.h"

#include <algorithm>
#include <vector>

namespace kivo::report {

namespace {

constexpr double kSameLine = 5.0;  // tenths of a millimetre

}  // namespace

QString PageText(const Page& page) {
    std::vector<const PageItem*> texts;
    for (const PageItem& item : page.items) {
        if (item.kind == PageItem::Kind::Text && !item.text.trimmed().isEmpty()) {
            texts.push_back(&item);
        }
    }
    std::stable_sort(texts.begin(), texts.end(),
                     [](const PageItem* a, const PageItem* b) { return a->top < b->top; });
    // Lines first (tops within kSameLine of the line's first), then left to right in each.
    QString text;
    for (std::size_t first = 0; first < texts.size();) {
        std::size_t end = first;
        while (end < texts.size() && texts[end]->top - texts[first]->top <= kSameLine) ++end;
        std::vector<const PageItem*> line(texts.begin() + static_cast<std::ptrdiff_t>(first),
                                          texts.begin() + static_cast<std::ptrdiff_t>(end));
        std::stable_sort(line.begin(), line.end(), [](const PageItem* a, const PageItem* b) {
            return a->rect.left() < b->rect.left();
        });
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (i > 0) text += QStringLiteral("  ");
            text += line[i]->text.trimmed();
        }
        text += QLatin1Char('\n');
        first = end;
    }
    return text;
}

}  // namespace kivo::report
