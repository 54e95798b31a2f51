// Parsing of the embedded questionnaire text file, strict about its shape so that damaged
// content is reported instead of showing wrong items.
#include "model/ProductContent.h"

#include <map>

#include "model/Cp1252.h"
#include "model/Error.h"

namespace kivo {
namespace embedded {
std::string_view QuestionnaireContent();
}

namespace {

using Sections = std::map<std::string, std::vector<std::string>, std::less<>>;

std::string Unescape(std::string_view line, int lineNumber) {
    std::string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\\') {
            out.push_back(line[i]);
        } else if (i + 1 < line.size() && line[i + 1] == 'n') {
            out.push_back('\n');
            ++i;
        } else {
            throw Error("questionnaire content, line " + std::to_string(lineNumber) +
                        ": a backslash must be followed by n");
        }
    }
    return out;
}

Sections SplitSections(std::string_view text) {
    Sections sections;
    std::vector<std::string>* current = nullptr;
    int lineNumber = 0;
    while (!text.empty()) {
        const auto eol = text.find('\n');
        auto line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            current = &sections[std::string(line.substr(1, line.size() - 2))];
            continue;
        }
        if (!current) {
            throw Error("questionnaire content, line " + std::to_string(lineNumber) +
                        ": text before the first [section]");
        }
        const auto bytes = Utf8ToCp1252(Unescape(line, lineNumber));
        if (!bytes) {
            throw Error("questionnaire content, line " + std::to_string(lineNumber) +
                        ": not representable in Windows-1252");
        }
        current->push_back(*bytes);
    }
    return sections;
}

std::vector<std::string> Take(const Sections& sections, std::string_view name, std::size_t count) {
    const auto it = sections.find(name);
    if (it == sections.end()) {
        throw Error("questionnaire content: section [" + std::string(name) + "] is missing");
    }
    if (it->second.size() != count) {
        throw Error("questionnaire content: section [" + std::string(name) + "] has " +
                    std::to_string(it->second.size()) + " entries, expected " +
                    std::to_string(count));
    }
    return it->second;
}

std::string TakeOne(const Sections& sections, std::string_view name) {
    return Take(sections, name, 1).front();
}

}  // namespace

ProductContent ParseProductContent(std::string_view utf8) {
    const Sections s = SplitSections(utf8);
    ProductContent c;
    constexpr std::array<const char*, 3> kForm = {"a", "b", "long"};
    constexpr std::array<std::size_t, 3> kCount = {28, 28, 40};
    for (std::size_t f = 0; f < 3; ++f) {
        const std::string form = kForm[f];
        c.items[f] = Take(s, "items." + form, kCount[f]);
        c.printedItemRows[f] = Take(s, "print.items." + form, kCount[f] - 3);
        c.printedUseLines[f] = Take(s, "print.use." + form, 8);
    }
    c.screenInstructions = TakeOne(s, "instructions.screen");
    c.printInstructions = Take(s, "instructions.print", 5);
    c.printCredit = TakeOne(s, "credit.print");
    const auto logo = Take(s, "logo.caption", 2);
    c.logoAcronym = logo[0];
    c.logoName = logo[1];
    c.developersCredit = TakeOne(s, "credit.developers");
    c.authorCredit = TakeOne(s, "credit.author");
    c.sponsorLine = TakeOne(s, "credit.sponsor");
    c.rightsNotice = TakeOne(s, "credit.rights");
    return c;
}

const ProductContent& Content() {
    static const ProductContent content = ParseProductContent(embedded::QuestionnaireContent());
    return content;
}

}  // namespace kivo
