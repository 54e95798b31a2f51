// Builds a man page from its roff template and the README, so the text the two share is
// written once, in the README. Used by the build only: ManPageGen README TEMPLATE VERSION OUT.
//
// Template lines that name README text are replaced by it, converted to roff:
//   @README_INTRO@                 the paragraphs under the README's title
//   @README_SECTION Title@         the section "## Title", prose
//   @README_PARAGRAPH Title|Words@ the paragraph of "## Title" that starts with Words
//   @README_PAGE Title@            the indented man-style block of "## Title": its lines
//                                  indented 4 spaces in capitals become .SH headings, the
//                                  rest keeps its layout
// and @VERSION@ anywhere by the version. A named part missing from the README fails the build.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

[[noreturn]] void Fail(const std::string& message) {
    std::cerr << "ManPageGen: " << message << '\n';
    std::exit(1);
}

Lines ReadLines(const std::string& path) {
    std::ifstream in(path);
    if (!in) Fail("cannot read " + path);
    Lines lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::size_t Indent(const std::string& line) {
    const auto first = line.find_first_not_of(' ');
    return first == std::string::npos ? line.size() : first;
}

bool Blank(const std::string& line) {
    return line.find_first_not_of(' ') == std::string::npos;
}

// Text for roff: backslashes and minus signs escaped (so options stay ASCII hyphens when
// copied from the page), a leading dot or quote kept from being read as a request, and
// characters beyond ASCII as groff's \[uXXXX]. `code` spans in bold when `markdown`.
std::string Roff(const std::string& text, bool markdown) {
    std::string out;
    bool bold = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else if (c == '`' && markdown) {
            out += bold ? "\\fR" : "\\fB";
            bold = !bold;
        } else if (c >= 0x80) {
            // One UTF-8 sequence: its code point.
            const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
            unsigned long point = c & (0x3Fu >> extra);
            for (int k = 0; k < extra && i + 1 < text.size(); ++k) {
                point = (point << 6) | (static_cast<unsigned char>(text[++i]) & 0x3Fu);
            }
            char buf[16];
            std::snprintf(buf, sizeof buf, "\\[u%04lX]", point);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    if (bold) out += "\\fR";
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
    return out;
}

// The lines of "## title" up to the next heading of the same or a higher level.
Lines Section(const Lines& readme, const std::string& title) {
    const std::string heading = "## " + title;
    std::size_t i = 0;
    while (i < readme.size() && readme[i] != heading) ++i;
    if (i == readme.size()) Fail("the README has no section '" + heading + "'");
    Lines lines;
    for (++i; i < readme.size() && !StartsWith(readme[i], "## ") && !StartsWith(readme[i], "# ");
         ++i) {
        lines.push_back(readme[i]);
    }
    return lines;
}

// The lines under the README's title, before its first section.
Lines Intro(const Lines& readme) {
    Lines lines;
    std::size_t i = 0;
    while (i < readme.size() && !StartsWith(readme[i], "# ")) ++i;
    for (++i; i < readme.size() && !StartsWith(readme[i], "## "); ++i) lines.push_back(readme[i]);
    return lines;
}

// Markdown prose as roff: paragraphs, bullet lists, indented code blocks, ### headings.
void ConvertProse(const Lines& lines, std::ostream& out) {
    bool verbatim = false;     // inside a code block
    bool paragraph = false;    // inside a paragraph or list item
    bool blankInCode = false;  // a blank line that may be inside a code block
    for (const auto& line : lines) {
        if (Blank(line)) {
            paragraph = false;
            blankInCode = verbatim;
            continue;
        }
        const bool code = Indent(line) >= 4 && !paragraph;
        if (code && verbatim && blankInCode) out << ".sp\n";
        blankInCode = false;
        if (code != verbatim) {
            out << (code ? ".PP\n.RS 4\n.nf\n" : ".fi\n.RE\n");
            verbatim = code;
        }
        if (code) {
            out << Roff(line.substr(4), false) << '\n';
        } else if (StartsWith(line, "### ")) {
            out << ".SS " << Roff(line.substr(4), true) << '\n';
        } else if (StartsWith(line, "- ")) {
            out << ".IP \\(bu 2\n" << Roff(line.substr(2), true) << '\n';
            paragraph = true;
        } else {
            if (!paragraph) out << ".PP\n";
            out << Roff(line.substr(Indent(line)), true) << '\n';
            paragraph = true;
        }
    }
    if (verbatim) out << ".fi\n.RE\n";
}

// The paragraph of `lines` that starts with `words`.
Lines Paragraph(const Lines& lines, const std::string& words) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!StartsWith(lines[i], words) || (i > 0 && !Blank(lines[i - 1]))) continue;
        Lines paragraph;
        for (; i < lines.size() && !Blank(lines[i]); ++i) paragraph.push_back(lines[i]);
        return paragraph;
    }
    Fail("the README has no paragraph starting '" + words + "'");
}

bool IsPageHeading(const std::string& line) {
    if (Indent(line) != 4 || line.size() <= 4) return false;
    for (std::size_t i = 4; i < line.size(); ++i) {
        if (!(line[i] == ' ' || (line[i] >= 'A' && line[i] <= 'Z'))) return false;
    }
    return true;
}

// The man-style block of a README section: headings become .SH, the text under them keeps
// its lines and indentation (less the block's own eight columns) in no-fill mode.
void ConvertPage(const Lines& lines, std::ostream& out) {
    bool open = false;
    Lines pending;  // blank lines wait until more text follows under the same heading
    for (const auto& line : lines) {
        if (IsPageHeading(line)) {
            if (open) out << ".fi\n";
            out << ".SH " << Roff(line.substr(4), false) << "\n.nf\n";
            open = true;
            pending.clear();
        } else if (open && Blank(line)) {
            pending.push_back("");
        } else if (open && Indent(line) >= 8) {
            for (std::size_t k = 0; k < pending.size(); ++k) out << ".sp\n";
            pending.clear();
            out << Roff(line.substr(8), false) << '\n';
        } else if (open && Indent(line) < 4) {
            break;  // prose after the block
        }
    }
    if (!open) Fail("the README section holds no man-style block");
    out << ".fi\n";
}

std::string Argument(const std::string& line, const std::string& directive) {
    return line.substr(directive.size(), line.size() - directive.size() - 1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) Fail("usage: ManPageGen README TEMPLATE VERSION OUT");
    const Lines readme = ReadLines(argv[1]);
    const Lines page = ReadLines(argv[2]);
    const std::string version = argv[3];
    std::ostringstream out;
    for (std::string line : page) {
        if (line == "@README_INTRO@") {
            ConvertProse(Intro(readme), out);
        } else if (StartsWith(line, "@README_SECTION ")) {
            ConvertProse(Section(readme, Argument(line, "@README_SECTION ")), out);
        } else if (StartsWith(line, "@README_PARAGRAPH ")) {
            const std::string what = Argument(line, "@README_PARAGRAPH ");
            const auto bar = what.find('|');
            ConvertProse(Paragraph(Section(readme, what.substr(0, bar)), what.substr(bar + 1)),
                         out);
        } else if (StartsWith(line, "@README_PAGE ")) {
            ConvertPage(Section(readme, Argument(line, "@README_PAGE ")), out);
        } else {
            for (auto at = line.find("@VERSION@"); at != std::string::npos;
                 at = line.find("@VERSION@")) {
                line.replace(at, 9, version);
            }
            out << line << '\n';
        }
    }
    std::ofstream file(argv[4], std::ios::binary);
    file << out.str();
    if (!file.flush()) Fail(std::string("cannot write ") + argv[4]);
    return 0;
}
