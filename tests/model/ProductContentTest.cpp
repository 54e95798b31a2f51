// The questionnaire content file: the shipped texts have the shape the screens and printed
// forms need, and malformed content is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/Error.h"
#include "model/ProductContent.h"
#include "model/Questionnaire.h"

using namespace kivo;

namespace {

constexpr char kTypographic = '\x92';

std::string Name(int form) {
    return std::string(FormKindName(form));
}

// The screen text on one line, as the printed rows and use lines carry it.
std::string OneLine(const std::string& text) {
    const auto lf = text.find('\n');
    if (lf == std::string::npos) return text;
    const auto before = text.find_last_not_of(' ', lf - 1);
    const auto after = text.find_first_not_of(' ', lf + 1);
    return text.substr(0, before + 1) + " " + text.substr(after);
}

std::size_t LeadingBlanks(const std::string& s) {
    const auto p = s.find_first_not_of(' ');
    return p == std::string::npos ? s.size() : p;
}

}  // namespace

TEST(ProductContent, LineBreaksSitExactlyWhereTheFormsNeedThem) {
    // form -> item -> the break with its blanks
    const std::map<int, std::map<int, std::string>> breaks = {
        {0, {{5, " \n "}, {18, " \n "}, {27, " \n "}, {28, " \n "}}},
        {1, {{5, " \n "}, {6, " \n "}, {27, "  \n  "}, {28, "  \n  "}}},
        {2, {{5, " \n "}, {13, " \n "}, {24, " \n "}, {39, "  \n  "}, {40, "  \n  "}}},
    };
    const auto& c = Content();
    for (int form = 0; form < kFormCount; ++form) {
        for (int n = 1; n <= ItemCount(form); ++n) {
            const std::string& t = c.items[form][n - 1];
            SCOPED_TRACE(Name(form) + " item " + std::to_string(n) + ": " + t);
            EXPECT_EQ(t.back(), '?');
            const auto lf = t.find('\n');
            const auto it = breaks.at(form).find(n);
            if (it == breaks.at(form).end()) {
                EXPECT_EQ(lf, std::string::npos);
                continue;
            }
            ASSERT_NE(lf, std::string::npos);
            EXPECT_EQ(std::count(t.begin(), t.end(), '\n'), 1);
            const auto pad = (it->second.size() - 1) / 2;
            EXPECT_EQ(t.substr(lf - pad, it->second.size()), it->second);
            EXPECT_NE(t[lf - pad - 1], ' ') << "no extra blank before the break";
            EXPECT_NE(t[lf + pad + 1], ' ') << "no extra blank after the break";
            // The item view cuts texts over 41 characters at 38: the break must lie beyond.
            EXPECT_GT(t.size(), 41u);
            EXPECT_GE(lf, 38u);
        }
    }
}

TEST(ProductContent, ApostrophesOfBothKindsOnlyWhereListed) {
    const std::set<std::pair<int, int>> typographic = {{0, 5}, {0, 6}, {1, 18},
                                                       {2, 6}, {2, 7}, {2, 29}};
    const std::set<std::pair<int, int>> plain = {{1, 6}, {2, 13}};
    const auto& c = Content();
    for (int form = 0; form < kFormCount; ++form) {
        for (int n = 1; n <= ItemCount(form); ++n) {
            const std::string& t = c.items[form][n - 1];
            SCOPED_TRACE(Name(form) + " item " + std::to_string(n) + ": " + t);
            EXPECT_EQ(t.find(kTypographic) != std::string::npos, typographic.count({form, n}) == 1);
            EXPECT_EQ(t.find('\'') != std::string::npos, plain.count({form, n}) == 1);
        }
    }
}

TEST(ProductContent, PrintedRowsAreTheScreenTextsOnOneLine) {
    const auto& c = Content();
    for (int form = 0; form < kFormCount; ++form) {
        const int rated = ItemCount(form) - 3;
        ASSERT_EQ(c.printedItemRows[form].size(), static_cast<std::size_t>(rated));
        for (int n = 1; n <= rated; ++n) {
            const std::string& row = c.printedItemRows[form][n - 1];
            SCOPED_TRACE(Name(form) + " row " + std::to_string(n) + ": " + row);
            const std::string expected =
                "  " + std::to_string(n) + ".  " + OneLine(c.items[form][n - 1]);
            // Rows longer than this run into the answer letters on the printed page.
            EXPECT_LE(row.size(), 64u);
            // Word for word and letter case for letter case: the paper reads as the screen.
            EXPECT_EQ(row, expected);
        }
    }
}

// Words after a sentence's first that start with a capital: a reader takes them for typos
// unless they are "I" or an abbreviation.
std::vector<std::string> CapitalisedInside(const std::string& text, bool startsSentence) {
    static const std::set<std::string> kAlwaysCapital = {"I", "TV"};
    std::vector<std::string> found;
    bool first = startsSentence;
    std::string word;
    const auto endWord = [&] {
        if (word.empty()) return;
        const bool capital = std::isupper(static_cast<unsigned char>(word.front())) != 0;
        if (capital && !first && kAlwaysCapital.count(word) == 0) found.push_back(word);
        first = false;
        word.clear();
    };
    for (const char ch : text) {
        if (std::isalpha(static_cast<unsigned char>(ch)) != 0) {
            word.push_back(ch);
        } else if (ch != '\'' && ch != kTypographic) {
            endWord();
        }
    }
    endWord();
    return found;
}

TEST(ProductContent, ItemTextsAreInSentenceCase) {
    const auto& c = Content();
    const auto check = [](const std::string& text, bool startsSentence) {
        EXPECT_EQ(CapitalisedInside(text, startsSentence), std::vector<std::string>{}) << text;
    };
    for (int form = 0; form < kFormCount; ++form) {
        SCOPED_TRACE(Name(form));
        for (const auto& item : c.items[form]) check(item, true);
        for (const auto& row : c.printedItemRows[form]) check(row, true);
        // The use questions' first lines start with the item number, the others go on with
        // the sentence.
        for (const auto& line : c.printedUseLines[form]) {
            const auto text = line.substr(LeadingBlanks(line));
            check(text, std::isdigit(static_cast<unsigned char>(text.front())) != 0);
        }
    }
    // The check itself finds what it is for.
    EXPECT_EQ(CapitalisedInside("Being comfortable to wear all Day?", true),
              std::vector<std::string>{"Day"});
    EXPECT_EQ(CapitalisedInside("    listening Situations", false),
              std::vector<std::string>{"Situations"});
}

TEST(ProductContent, PrintedUseQuestionsFollowTheLineStructure) {
    const auto& c = Content();
    // (line index within the 8 lines, leading blanks) for the continuation lines
    const std::pair<int, std::size_t> indents[] = {{1, 1}, {3, 4}, {4, 10}, {6, 4}, {7, 1}};
    const int firsts[] = {0, 2, 5};
    const int lineCounts[] = {2, 3, 3};
    for (int form = 0; form < kFormCount; ++form) {
        const auto& lines = c.printedUseLines[form];
        ASSERT_EQ(lines.size(), 8u);
        for (const auto& [index, blanks] : indents) {
            EXPECT_EQ(LeadingBlanks(lines[index]), blanks) << Name(form) << " line " << index;
        }
        for (int u = 0; u < 3; ++u) {
            const int item = ItemCount(form) - 2 + u;
            const std::string& first = lines[firsts[u]];
            const std::string prefix = " " + std::to_string(item) + ". ";
            ASSERT_EQ(first.rfind(prefix, 0), 0u) << first;
            EXPECT_NE(first[prefix.size()], ' ');
            std::string joined = first.substr(prefix.size());
            for (int i = 1; i < lineCounts[u]; ++i) {
                joined += " " + lines[firsts[u] + i].substr(LeadingBlanks(lines[firsts[u] + i]));
            }
            EXPECT_EQ(joined, OneLine(c.items[form][item - 1])) << Name(form) << " item " << item;
        }
    }
}

TEST(ProductContent, InstructionsCreditsAndCaption) {
    const auto& c = Content();
    EXPECT_FALSE(c.screenInstructions.empty());
    ASSERT_EQ(c.printInstructions.size(), 5u);
    for (const auto& line : c.printInstructions) EXPECT_EQ(LeadingBlanks(line), 1u) << line;
    // " (c) Institution, year"
    ASSERT_GE(c.printCredit.size(), 8u);
    EXPECT_EQ(c.printCredit.substr(0, 2), " \xA9");
    const auto comma = c.printCredit.rfind(", ");
    ASSERT_NE(comma, std::string::npos);
    const auto year = c.printCredit.substr(comma + 2);
    EXPECT_EQ(year.size(), 4u);
    EXPECT_TRUE(std::all_of(year.begin(), year.end(), ::isdigit)) << year;
    EXPECT_EQ(c.logoAcronym.size(), 4u);
    EXPECT_TRUE(std::all_of(c.logoAcronym.begin(), c.logoAcronym.end(), ::isupper));
    EXPECT_FALSE(c.logoName.empty());
    EXPECT_NE(c.rightsNotice.find("2011-2013"), std::string::npos);
    for (const auto* s : {&c.developersCredit, &c.authorCredit, &c.sponsorLine}) {
        EXPECT_FALSE(s->empty());
    }
}

TEST(ProductContent, ParserRefusesMalformedContent) {
    const char* bad[] = {
        "entry before any section\n", "[items.a]\nbad \\t escape\n",
        "[items.a]\nonly one\n",  // sections missing and counts wrong
        "[items.a]\n\xCE\xA9\n",  // not Windows-1252
    };
    for (const char* text : bad) EXPECT_THROW(ParseProductContent(text), Error) << text;
}
