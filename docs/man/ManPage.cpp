// rp770-manpage: writes a man page from a program's own --help text, so the
// page lists every command and option the program has, and stays so as
// commands are added.
//
//   rp770-manpage --program PATH --name NAME --summary TEXT --version V
//                 [--commands] [--files-from README.md --files-heading TITLE]
//                 [--see-also "PAGE(1),PAGE(1)"] -o OUT.1
//
// The help text it reads is laid out like this (rp770-cli's and rp770's
// texts are):
//
//   Usage: NAME ...             the synopsis, "   or: ..." lines after it;
//            ...                an indented line goes on with the one above
//                               a blank line
//   Text at the left margin.    the description
//                               a blank line
//   Heading:                    a section (Options:, Files:, Exit status:,
//                               Environment:)
//     TERM      text            an entry: a term, two or more spaces, text;
//     TERM                      or a term alone with its text on the lines
//                 text          below, indented further
//     A line with no text       a paragraph: its lines share one indent and
//     after it.                 hold no run of two spaces
//
//       example                 after a blank line, lines indented further
//       lines                   than the entries: kept as they are
//
// The help texts are wrapped at 80 columns (WrapHelpText), which keeps to
// this layout.
//
// With --commands, the entries of the "Commands:" section are commands: the
// first word of each is run as PATH WORD --help, and each command's own
// usage, text and sections become a subsection of COMMANDS.
//
// With --files-from, the README's section "## TITLE" (Markdown: ###
// headings, paragraphs, "- " lists, ``` code blocks, tables (the last
// column as the text of the others), `code` and **bold**) is added to the FILES section.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#if defined(_WIN32)
#define popen _popen
#define pclose _pclose
#endif

namespace {

// The page as it is written: text only, so no stream (and no locale) is needed.
class Page {
public:
    Page& operator<<(const std::string& text) {
        text_ += text;
        return *this;
    }
    Page& operator<<(const char* text) {
        text_ += text;
        return *this;
    }
    Page& operator<<(char c) {
        text_ += c;
        return *this;
    }
    const std::string& str() const { return text_; }

private:
    std::string text_;
};

// The lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

struct Entry {
    std::string term;  // empty: a paragraph
    std::string text;
    bool example = false;  // text: lines kept as they are
};

struct Section {
    std::string heading;
    std::vector<Entry> entries;
};

struct Help {
    std::vector<std::string> usage;
    std::string description;
    std::vector<Section> sections;
};

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

size_t Indent(const std::string& line) { return line.find_first_not_of(' '); }

std::string Join(const std::string& a, const std::string& b) { return a.empty() ? b : (b.empty() ? a : a + " " + b); }

bool Run(const std::string& command, std::string& output) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    return pclose(pipe) == 0;
}

std::string Quoted(const std::string& s) {
#if defined(_WIN32)
    return "\"" + s + "\"";
#else
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
#endif
}

Help ParseHelp(const std::string& text) {
    Help help;
    std::vector<std::string> lines;
    for (const std::string& line : Lines(text)) lines.push_back(line.substr(0, line.find_last_not_of(" \r") + 1));
    Section* section = nullptr;
    bool inUsage = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty()) {
            inUsage = false;
            continue;
        }
        if (line.rfind("Usage: ", 0) == 0 || line.rfind("   or: ", 0) == 0) {
            help.usage.push_back(Trim(line.substr(7)));
            inUsage = true;
            continue;
        }
        const size_t indent = Indent(line);
        if (inUsage && indent > 0) {
            help.usage.back() = Join(help.usage.back(), Trim(line));
            continue;
        }
        inUsage = false;
        const bool afterBlank = i == 0 || lines[i - 1].empty();
        if (indent == 0 && line.back() == ':' && afterBlank) {
            help.sections.push_back({line.substr(0, line.size() - 1), {}});
            section = &help.sections.back();
            continue;
        }
        if (indent == 0 || !section) {
            help.description = Join(help.description, Trim(line));
            if (i + 1 < lines.size() && lines[i + 1].empty()) help.description += "\n";
            continue;
        }
        Entry entry;
        if (afterBlank && indent >= 4) {
            entry.example = true;
            entry.text = line.substr(indent);
            while (i + 1 < lines.size() && !lines[i + 1].empty() && Indent(lines[i + 1]) >= indent)
                entry.text += "\n" + lines[++i].substr(indent);
            section->entries.push_back(entry);
            continue;
        }
        const std::string body = line.substr(indent);
        const size_t gap = body.find("  ");
        if (gap != std::string::npos) {
            entry.term = body.substr(0, gap);
            entry.text = Trim(body.substr(gap));
        } else {
            entry.term = body;
            // A paragraph, or a term too long for one line, goes on at the same indent.
            while (i + 1 < lines.size() && !lines[i + 1].empty() && Indent(lines[i + 1]) == indent &&
                   lines[i + 1].find("  ", indent) == std::string::npos)
                entry.term = Join(entry.term, Trim(lines[++i]));
        }
        while (i + 1 < lines.size() && !lines[i + 1].empty() && Indent(lines[i + 1]) > indent)
            entry.text = Join(entry.text, Trim(lines[++i]));
        if (entry.text.empty()) std::swap(entry.term, entry.text);  // a paragraph
        section->entries.push_back(entry);
    }
    return help;
}

// ---- groff ------------------------------------------------------------------

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    return out;
}

// A text line of the page: escaped, and never taken for a request.
std::string TextLine(const std::string& text) {
    const std::string e = Escape(text);
    return (!e.empty() && (e[0] == '.' || e[0] == '\'')) ? "\\&" + e : e;
}

// `code` and **bold** in bold, [text](link) as its text.
std::string Inline(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == '`') {
            const size_t end = text.find('`', i + 1);
            if (end != std::string::npos) {
                out += "\\fB" + Escape(text.substr(i + 1, end - i - 1)) + "\\fR";
                i = end + 1;
                continue;
            }
        }
        if (text.compare(i, 2, "**") == 0) {
            const size_t end = text.find("**", i + 2);
            if (end != std::string::npos) {
                out += "\\fB" + Escape(text.substr(i + 2, end - i - 2)) + "\\fR";
                i = end + 2;
                continue;
            }
        }
        if (text[i] == '[') {
            const size_t close = text.find("](", i);
            const size_t end = close == std::string::npos ? close : text.find(')', close);
            if (end != std::string::npos) {
                out += Escape(text.substr(i + 1, close - i - 1));
                i = end + 1;
                continue;
            }
        }
        out += Escape(std::string(1, text[i++]));
    }
    return (!out.empty() && (out[0] == '.' || out[0] == '\'')) ? "\\&" + out : out;
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

void WriteParagraphs(Page& out, const std::string& text) {
    for (const std::string& p : Lines(text))
        if (!Trim(p).empty()) out << ".PP\n" << TextLine(Trim(p)) << "\n";
}

void WriteEntries(Page& out, const std::vector<Entry>& entries) {
    for (const Entry& e : entries) {
        if (e.example) {
            out << ".PP\n.RS 4\n.nf\n";
            for (const std::string& line : Lines(e.text)) out << TextLine(line) << "\n";
            out << ".fi\n.RE\n";
        } else if (e.term.empty())
            out << ".PP\n" << TextLine(e.text) << "\n";
        else
            out << ".TP\n\\fB" << Escape(e.term) << "\\fR\n" << TextLine(e.text) << "\n";
    }
}

// ---- Markdown section of the README ----------------------------------------

void WriteMarkdown(Page& out, const std::string& markdown) {
    enum class Block { None, Paragraph, Item } block = Block::None;
    std::string text;
    bool inTable = false;  // the first row of a table is its heading, which the page leaves out
    auto flush = [&] {
        if (block == Block::Paragraph) out << ".PP\n" << Inline(text) << "\n";
        if (block == Block::Item) out << ".IP \\(bu 2\n" << Inline(text) << "\n";
        block = Block::None;
        text.clear();
    };
    const std::vector<std::string> lines = Lines(markdown);
    for (size_t n = 0; n < lines.size(); ++n) {
        std::string line = lines[n];
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const bool heading = line.rfind("|", 0) == 0 && !inTable;
        inTable = line.rfind("|", 0) == 0;
        if (heading) continue;
        if (line.rfind("```", 0) == 0) {
            flush();
            out << ".PP\n.RS 4\n.nf\n";
            while (++n < lines.size() && lines[n].rfind("```", 0) != 0) out << TextLine(lines[n]) << "\n";
            out << ".fi\n.RE\n";
        } else if (line.rfind("###", 0) == 0) {
            flush();
            out << ".SS " << Escape(Trim(line.substr(line.find_first_not_of('#')))) << "\n";
        } else if (line.rfind("|", 0) == 0) {
            flush();
            std::vector<std::string> cells;
            std::string cell;
            for (size_t i = 1; i < line.size(); ++i) {
                if (line[i] == '|' && line[i - 1] != '\\') {
                    cells.push_back(Trim(cell));
                    cell.clear();
                } else {
                    cell += line[i];
                }
            }
            if (cells.empty() || cells[0].rfind("---", 0) == 0) continue;
            // A row: its cells but the last as the tag, the last as the text.
            std::string tag;
            for (size_t i = 0; i + 1 < cells.size(); ++i) tag += (i ? "  " : "") + Inline(cells[i]);
            out << ".TP\n" << (cells.size() > 1 ? tag : "") << "\n" << Inline(cells.back()) << "\n";
        } else if (line.rfind("- ", 0) == 0) {
            flush();
            block = Block::Item;
            text = Trim(line.substr(2));
        } else if (Trim(line).empty()) {
            flush();
        } else {
            if (block == Block::None) block = Block::Paragraph;
            text = Join(text, Trim(line));
        }
    }
    flush();
}

std::string MarkdownSection(const std::string& path, const std::string& title) {
    std::ifstream in(path);
    std::string text, line;
    bool inside = false;
    while (std::getline(in, line)) {
        if (line.rfind("## ", 0) == 0) {
            if (inside) break;
            inside = Trim(line.substr(3)) == title;
            continue;
        }
        if (inside) text += line + "\n";
    }
    return text;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::map<std::string, std::string> opt;
    bool commands = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--commands")
            commands = true;
        else if (i + 1 < argc)
            opt[a] = argv[++i];
    }
    for (const char* required : {"--program", "--name", "--summary", "--version", "-o"}) {
        if (!opt.count(required)) {
            std::cerr << "rp770-manpage: " << required << " is needed\n";
            return 2;
        }
    }
    const std::string program = opt["--program"];
    std::string text;
    if (!Run(Quoted(program) + " --help", text)) {
        std::cerr << "rp770-manpage: " << program << " --help failed\n";
        return 1;
    }
    const Help help = ParseHelp(text);

    Page out;
    const std::string name = opt["--name"];
    out << ".\\\" Written by rp770-manpage from " << name << " --help; do not edit.\n"
        << ".TH " << Upper(Escape(name)) << " 1 \"\" \"RP770 " << Escape(opt["--version"]) << "\" \"User Commands\"\n"
        << ".SH NAME\n" << Escape(name) << " \\- " << Escape(opt["--summary"]) << "\n"
        << ".SH SYNOPSIS\n";
    for (size_t i = 0; i < help.usage.size(); ++i) out << (i ? ".br\n" : "") << TextLine(help.usage[i]) << "\n";
    out << ".SH DESCRIPTION\n";
    WriteParagraphs(out, help.description);

    std::string filesExtra;
    if (opt.count("--files-from")) filesExtra = MarkdownSection(opt["--files-from"], opt["--files-heading"]);
    bool filesWritten = false;
    for (const Section& section : help.sections) {
        const bool isFiles = Upper(section.heading).rfind("FILES", 0) == 0;
        out << ".SH " << Upper(Escape(isFiles ? std::string("Files") : section.heading)) << "\n";
        if (commands && section.heading == "Commands") {
            // Each command's help; entries two or more commands share are
            // described once, after the commands.
            std::vector<Help> subs;
            std::map<std::string, int> uses;
            for (const Entry& e : section.entries) {
                const std::string word = e.term.substr(0, e.term.find(' '));
                std::string commandHelp;
                if (!Run(Quoted(program) + " " + word + " --help", commandHelp)) {
                    std::cerr << "rp770-manpage: " << program << " " << word << " --help failed\n";
                    return 1;
                }
                subs.push_back(ParseHelp(commandHelp));
                if (subs.back().usage.empty()) subs.back().usage.push_back(e.term);
                if (subs.back().description.empty()) subs.back().description = e.text;
                for (const Section& s : subs.back().sections)
                    for (const Entry& o : s.entries) ++uses[o.term + "\n" + o.text];
            }
            std::vector<Entry> shared;
            for (const Help& sub : subs) {
                out << ".SS " << TextLine(sub.usage.front()) << "\n";
                WriteParagraphs(out, sub.description);
                std::string also;
                for (const Section& s : sub.sections) {
                    std::vector<Entry> own;
                    for (const Entry& o : s.entries) {
                        if (o.term.empty() || uses[o.term + "\n" + o.text] < 2) {
                            own.push_back(o);
                            continue;
                        }
                        also += (also.empty() ? "" : ", ") + ("\\fB" + Escape(o.term) + "\\fR");
                        bool known = false;
                        for (const Entry& k : shared) known = known || (k.term == o.term && k.text == o.text);
                        if (!known) shared.push_back(o);
                    }
                    if (own.empty()) continue;
                    out << ".PP\n\\fI" << Escape(s.heading) << ":\\fR\n.RS 2\n";
                    WriteEntries(out, own);
                    out << ".RE\n";
                }
                if (!also.empty()) out << ".PP\nAlso: " << also << " (below).\n";
            }
            if (!shared.empty()) {
                out << ".SS Options several commands take\n";
                WriteEntries(out, shared);
            }
            continue;
        }
        WriteEntries(out, section.entries);
        if (isFiles) {
            WriteMarkdown(out, filesExtra);
            filesWritten = true;
        }
    }
    if (!filesWritten && !filesExtra.empty()) {
        out << ".SH FILES\n";
        WriteMarkdown(out, filesExtra);
    }
    // "rp770-cli(1),lp(1)"
    if (opt.count("--see-also")) {
        out << ".SH SEE ALSO\n";
        std::string list = opt["--see-also"];
        for (size_t start = 0; start < list.size();) {
            const size_t end = std::min(list.find(',', start), list.size());
            const std::string page = Trim(list.substr(start, end - start));
            const size_t paren = std::min(page.find('('), page.size());
            out << ".BR " << Escape(page.substr(0, paren)) << " " << page.substr(paren) << (end < list.size() ? "," : "")
                << "\n";
            start = end + 1;
        }
    }
    std::ofstream file(opt["-o"], std::ios::binary | std::ios::trunc);
    file << out.str();
    if (!file.flush()) {
        std::cerr << "rp770-manpage: cannot write " << opt["-o"] << "\n";
        return 1;
    }
    return 0;
}
