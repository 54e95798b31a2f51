// The questionnaire's shipped texts (items, instructions, credits) as the screens and the
// printed forms use them.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

// The questionnaire's texts, shipped in resources/content/questionnaire.txt. Every string
// is Windows-1252, as it is shown and printed.
struct ProductContent {
    std::array<std::vector<std::string>, 3> items;            // screen texts per form
    std::string screenInstructions;                           // one paragraph
    std::vector<std::string> printInstructions;               // five lines
    std::array<std::vector<std::string>, 3> printedItemRows;  // rated items, one row each
    std::array<std::vector<std::string>, 3> printedUseLines;  // 2 + 3 + 3 lines
    std::string printCredit;
    std::string logoAcronym;
    std::string logoName;
    std::string developersCredit;
    std::string authorCredit;
    std::string sponsorLine;
    std::string rightsNotice;
};

// Parses the content file's text (UTF-8): `[section]` headers, one entry per line,
// `#` comments, `\n` for a line break inside an entry. Throws Error on a malformed file,
// a missing section or a wrong number of entries.
ProductContent ParseProductContent(std::string_view utf8);

// The content shipped with the program, parsed once.
const ProductContent& Content();

}  // namespace kivo
