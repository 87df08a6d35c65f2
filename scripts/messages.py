#!/usr/bin/env python3
"""The message catalogues of RP770: the English catalogue (src/messages/English.def)
is the one source of the program's texts; the translators' .po files add the
languages. From them this script writes what the build needs and checks what
the tests check:

  pot      the template translators start from (po/rp770.pot)
  check    every id translated in each .po, the same placeholders and menu
           keys, the glossary of marine terms kept, the template up to date
  cpp      the command line's tables (a C++ file; no file is needed beside the program)
  json     the page's catalogues (LANGUAGE.json, English included)
  pseudo   the pseudo-language en_XA: every text about 40 % longer, with accents,
           for the layout checks
  scan     copies of catalogue texts in the sources (string literals)

Python 3 alone; nothing here depends on the locale it runs under.
"""

import argparse
import json
import os
import re
import sys
from pathlib import Path

PSEUDO = "en_XA"
PLACEHOLDER = re.compile(r"%[1-9]")


# ---- the English catalogue ---------------------------------------------------------

class Entry:
    def __init__(self, ident, english, comment, line):
        self.id = ident
        self.english = english
        self.comment = comment
        self.line = line


C_ESCAPES = {"n": "\n", "t": "\t", "r": "\r", '"': '"', "\\": "\\", "'": "'", "?": "?", "a": "\a", "0": "\0"}


def unescape_c(body):
    out = bytearray()
    i = 0
    raw = body.encode("utf-8")
    while i < len(raw):
        c = raw[i]
        if c != 0x5C:
            out.append(c)
            i += 1
            continue
        nxt = chr(raw[i + 1])
        if nxt == "x":
            j = i + 2
            while j < len(raw) and chr(raw[j]) in "0123456789abcdefABCDEF":
                j += 1
            out.append(int(raw[i + 2:j], 16) & 0xFF)
            i = j
        elif nxt in "01234567":
            j = i + 1
            while j < len(raw) and j < i + 4 and chr(raw[j]) in "01234567":
                j += 1
            out.append(int(raw[i + 1:j], 8) & 0xFF)
            i = j
        else:
            out.extend(C_ESCAPES[nxt].encode("utf-8"))
            i += 2
    return out.decode("utf-8")


ENTRY = re.compile(r'RP770_MESSAGE\(\s*([A-Za-z_][A-Za-z0-9_]*)\s*,\s*((?:"(?:[^"\\\n]|\\.)*"\s*)+)\)', re.S)
LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')


def read_catalogue(path):
    text = Path(path).read_text(encoding="utf-8")
    lines = text.split("\n")
    entries, seen, texts, problems = [], {}, {}, []
    for match in ENTRY.finditer(text):
        if text[text.rfind("\n", 0, match.start()) + 1:match.start()].strip():
            continue  # in a comment
        lineno = text.count("\n", 0, match.start()) + 1
        ident = match.group(1)
        english = "".join(unescape_c(m.group(1)) for m in LITERAL.finditer(match.group(2)))
        comment, above = [], lineno - 2
        while above >= 0 and lines[above].strip().startswith("//:"):
            comment.insert(0, lines[above].strip()[3:].strip())
            above -= 1
        if ident in seen:
            problems.append(f"{path}:{lineno}: {ident} is already on line {seen[ident]}")
        if english in texts and not comment:
            problems.append(f"{path}:{lineno}: {ident} says what {texts[english]} says: one id, or a "
                            f"//: comment telling them apart")
        seen[ident] = lineno
        texts.setdefault(english, ident)
        entries.append(Entry(ident, english, " ".join(comment), lineno))
    written = len(re.findall(r"^\s*RP770_MESSAGE\(", text, re.M))
    if written != len(entries):
        problems.append(f"{path}: {written - len(entries)} entries cannot be read")
    if problems:
        raise SystemExit("\n".join(problems))
    return entries


# ---- .po files -----------------------------------------------------------------------

def po_quote(text):
    escaped = text.replace("\\", "\\\\").replace('"', '\\"').replace("\t", "\\t").replace("\r", "\\r")
    parts = escaped.split("\n")
    lines = [p + "\\n" for p in parts[:-1]] + ([parts[-1]] if parts[-1] else [])
    if len(lines) <= 1 and len(escaped) < 70:
        return f'"{lines[0] if lines else ""}"'
    return '""\n' + "\n".join(f'"{l}"' for l in lines)


def po_unquote(body):
    out, i = [], 0
    while i < len(body):
        c = body[i]
        if c == "\\":
            out.append({"n": "\n", "t": "\t", "r": "\r", '"': '"', "\\": "\\"}[body[i + 1]])
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


class PoEntry:
    def __init__(self):
        self.context = None
        self.msgid = None
        self.msgstr = None
        self.flags = set()
        self.comments = []
        self.obsolete = False
        self.line = 0


def read_po(path):
    entries, header = [], None
    current, field = PoEntry(), None

    def finish():
        nonlocal current, header
        if current.msgid is not None:
            if current.msgid == "" and current.context is None:
                header = current
            else:
                entries.append(current)
        current = PoEntry()

    for lineno, raw in enumerate(Path(path).read_text(encoding="utf-8").splitlines(), 1):
        line = raw.strip()
        obsolete = line.startswith("#~")
        if obsolete:
            line = line[2:].strip()
        if not line:
            finish()
            field = None
            continue
        if line.startswith("#"):
            if current.msgstr is not None:
                finish()
            if line.startswith("#,"):
                current.flags.update(f.strip() for f in line[2:].split(",") if f.strip())
            else:
                current.comments.append(line)
            continue
        keyword = re.match(r'(msgctxt|msgid|msgstr)\s+"(.*)"$', line)
        if keyword:
            name, body = keyword.groups()
            if name in ("msgctxt", "msgid") and current.msgstr is not None:
                finish()
            if not current.line:
                current.line = lineno
            current.obsolete = current.obsolete or obsolete
            setattr(current, name if name != "msgctxt" else "context", po_unquote(body))
            field = name if name != "msgctxt" else "context"
        elif line.startswith('"') and field:
            setattr(current, field, getattr(current, field) + po_unquote(line[1:-1]))
        else:
            raise SystemExit(f"{path}:{lineno}: cannot read this line")
    finish()
    return header, [e for e in entries if not e.obsolete]


def header_fields(header):
    fields = {}
    for line in (header.msgstr if header else "").split("\n"):
        if ":" in line:
            key, value = line.split(":", 1)
            fields[key.strip()] = value.strip()
    return fields


PLURALS = {"fr": "nplurals=2; plural=(n > 1);"}


def po_header(language, title):
    plural = PLURALS.get(language.split("_")[0], "nplurals=2; plural=(n != 1);")
    fields = [
        "Project-Id-Version: RP770",
        "Report-Msgid-Bugs-To: ",
        "POT-Creation-Date: ",
        "PO-Revision-Date: ",
        "Last-Translator: ",
        f"Language-Team: {title}",
        f"Language: {language}",
        "MIME-Version: 1.0",
        "Content-Type: text/plain; charset=UTF-8",
        "Content-Transfer-Encoding: 8bit",
        f"Plural-Forms: {plural}",
    ]
    return 'msgid ""\nmsgstr ""\n' + "\n".join(f'"{f}\\n"' for f in fields) + "\n"


def po_entry(entry, translation, extra_flags=()):
    out = []
    if entry.comment:
        out.append(f"#. {entry.comment}")
    flags = list(extra_flags)
    if PLACEHOLDER.search(entry.english):
        flags.insert(0, "qt-format")
    if flags:
        out.append("#, " + ", ".join(flags))
    out.append(f'msgctxt "{entry.id}"')
    out.append("msgid " + po_quote(entry.english))
    out.append("msgstr " + po_quote(translation))
    return "\n".join(out) + "\n"


def write_if_changed(path, content):
    path = Path(path)
    if path.exists() and path.read_text(encoding="utf-8") == content:
        return
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text(content, encoding="utf-8", newline="\n")


def pot_text(entries):
    head = ("# The texts of RP770, as the program says them in English: the template of\n"
            "# every language's catalogue (po/LANGUAGE.po). Written from\n"
            "# src/messages/English.def by scripts/messages.py; not edited by hand.\n")
    return head + po_header("", "") + "".join("\n" + po_entry(e, "") for e in entries)


def translations_of(path, entries):
    """The translations of a .po by id; only those of the catalogue's ids."""
    _, po = read_po(path)
    by_id = {e.context: e for e in po}
    return {e.id: by_id[e.id].msgstr for e in entries
            if e.id in by_id and by_id[e.id].msgstr and "fuzzy" not in by_id[e.id].flags
            and by_id[e.id].msgid == e.english}


def language_of(path):
    return Path(path).stem


# ---- the pseudo-language -------------------------------------------------------------

ACCENTED = dict(zip("aceinouyAEIOUCNY", "åçéîñöûýÅÉÎÖÛÇÑÝ"))
FILLER = "ŀöñĝéŕ ţéẋţ ŵîţĥ åççéñţš ţö ţŕý ţĥé ļåýöûţ ŵîðţĥ åñð ĥéîĝĥţ "


def pseudo_line(line):
    if not line.strip():
        return line
    out, i = [], 0
    while i < len(line):
        if PLACEHOLDER.match(line, i):
            out.append(line[i:i + 2])
            i += 2
            continue
        out.append(ACCENTED.get(line[i], line[i]))
        i += 1
    body = "".join(out)
    extra = max(1, round(len(line) * 0.4) - 2)
    pad = (FILLER * (extra // len(FILLER) + 1))[:extra].rstrip()
    lead = len(body) - len(body.lstrip())
    return body[:lead] + "[" + body[lead:] + (" " + pad if pad else "") + "]"


def pseudo(text):
    return "\n".join(pseudo_line(l) for l in text.split("\n"))


# ---- checks ----------------------------------------------------------------------------

def read_glossary(path):
    """English term -> {language: [forms]}; a translation of a text that holds
    the term holds one of its forms."""
    terms = []
    languages = []
    exceptions = set()
    for lineno, raw in enumerate(Path(path).read_text(encoding="utf-8").splitlines(), 1):
        line = raw.rstrip("\n")
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        cells = [c.strip() for c in line.split("\t") if c.strip()]
        if cells[0] == "term":
            languages = cells[1:]
            continue
        if cells[0] == "!":
            if len(cells) != 3:
                raise SystemExit(f"{path}:{lineno}: an exception is !, an id and a term (or *)")
            exceptions.add((cells[1], cells[2]))
            continue
        if len(cells) != len(languages) + 1:
            raise SystemExit(f"{path}:{lineno}: a term and one cell for each of {', '.join(languages)}")
        terms.append((cells[0], {lang: [f.strip() for f in cell.split("/")] for lang, cell in zip(languages, cells[1:])}))
    return terms, exceptions


def accelerators(text):
    # "&&" is an ampersand, and so is one before a space ("COM & LPT").
    return len(re.findall(r"&(?=\S)", text.replace("&&", "")))


def check_translation(entry, translation):
    problems = []
    if sorted(PLACEHOLDER.findall(entry.english)) != sorted(PLACEHOLDER.findall(translation)):
        problems.append("the placeholders differ from the English " + str(sorted(set(PLACEHOLDER.findall(entry.english)))))
    if accelerators(entry.english) != accelerators(translation):
        problems.append("the menu key (&) differs from the English")
    for edge, name in ((str.startswith, "begin"), (str.endswith, "end")):
        if edge(entry.english, "\n") != edge(translation, "\n"):
            problems.append(f"the English and the translation do not both {name} with a line break")
    if entry.english.count("\t") != translation.count("\t"):
        problems.append("the tabs differ from the English")
    return problems


def glossary_problems(entry, translation, language, glossary):
    terms, exceptions = glossary
    problems = []
    plain = translation.replace("&", "").lower()
    for term, forms in terms:
        if language not in forms or (entry.id, term) in exceptions or (entry.id, "*") in exceptions:
            continue
        if re.search(r"(?<![A-Za-z])" + re.escape(term) + r"(?![a-z])", entry.english.replace("&", ""), re.I):
            if not any(form.lower() in plain for form in forms[language]):
                problems.append(f'"{term}" is not said as the glossary says ({" / ".join(forms[language])})')
    return problems


def command_check(args):
    entries = read_catalogue(args.catalogue)
    terms = read_glossary(args.glossary) if args.glossary else ([], set())
    problems = []
    if args.pot and Path(args.pot).read_text(encoding="utf-8") != pot_text(entries):
        problems.append(f"{args.pot}: not up to date with the English catalogue (cmake --build BUILD --target "
                        f"rp770-update-po writes it and merges it into the .po files)")
    ids = {e.id for e in entries}
    for po_path in args.po:
        language = language_of(po_path)
        header, po = read_po(po_path)
        if header_fields(header).get("Language") != language:
            problems.append(f"{po_path}: the header's Language is not {language}")
        by_id = {}
        for e in po:
            if e.context in by_id:
                problems.append(f"{po_path}:{e.line}: {e.context} is there twice")
            by_id[e.context] = e
            if e.context not in ids:
                problems.append(f"{po_path}:{e.line}: {e.context} is no id of the English catalogue (any more)")
        for entry in entries:
            where = f"{po_path}: {entry.id}"
            e = by_id.get(entry.id)
            if e is None:
                problems.append(f"{where}: missing")
                continue
            where = f"{po_path}:{e.line}: {entry.id}"
            if e.msgid != entry.english:
                problems.append(f"{where}: translates an older English text (msgid differs)")
            elif "fuzzy" in e.flags:
                problems.append(f"{where}: marked fuzzy (to be reviewed)")
            elif not e.msgstr:
                problems.append(f"{where}: not translated")
            else:
                for p in check_translation(entry, e.msgstr) + glossary_problems(entry, e.msgstr, language, terms):
                    problems.append(f"{where}: {p}")
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} problems in the catalogues", file=sys.stderr)
        return 1
    print(f"{len(entries)} messages, translated in {', '.join(language_of(p) for p in args.po)}")
    return 0


# ---- generated files -------------------------------------------------------------------

def cpp_string(text):
    out = []
    for b in text.encode("utf-8"):
        c = chr(b)
        if c == "\\":
            out.append("\\\\")
        elif c == '"':
            out.append('\\"')
        elif c == "\n":
            out.append("\\n")
        elif c == "\r":
            out.append("\\r")
        elif c == "\t":
            out.append("\\t")
        elif 0x20 <= b < 0x7F and c != "?":
            out.append(c)
        else:
            out.append("\\%03o" % b)  # octal: never swallows the digits that follow
    return '"' + "".join(out) + '"'


def command_cpp(args):
    entries = read_catalogue(args.catalogue)
    languages = [(language_of(p), translations_of(p, entries)) for p in args.po]
    if args.pseudo:
        languages.append((PSEUDO, {e.id: pseudo(e.english) for e in entries}))
    languages.sort()
    out = ["// Written by scripts/messages.py from the .po catalogues: the translations",
           "// the command line carries in itself. Not edited by hand.",
           '#include "messages/BuiltInTranslations.h"',
           "",
           "#include <array>",
           "",
           "namespace rp770 {",
           "",
           "namespace {",
           ""]
    for language, texts in languages:
        name = "k" + "".join(p.capitalize() for p in language.split("_"))
        out.append(f"constexpr std::array<const char*, {len(entries)}> {name} = {{")
        for e in entries:
            out.append(f"    {cpp_string(texts.get(e.id, ''))},  // {e.id}")
        out.append("};")
        out.append("")
    out.append("struct Table {")
    out.append("    const char* language;")
    out.append(f"    const std::array<const char*, {len(entries)}>* texts;")
    out.append("};")
    out.append("constexpr Table kTables[] = {")
    for language, _ in languages:
        name = "k" + "".join(p.capitalize() for p in language.split("_"))
        out.append(f'    {{"{language}", &{name}}},')
    out.append("};")
    out.append("")
    out.append("}  // namespace")
    out.append("")
    out.append("std::vector<std::string> BuiltInLanguages() {")
    out.append("    std::vector<std::string> languages;")
    out.append("    for (const Table& t : kTables) languages.emplace_back(t.language);")
    out.append("    return languages;")
    out.append("}")
    out.append("")
    out.append("std::optional<Translations> BuiltInTranslations(std::string_view language) {")
    out.append("    for (const Table& t : kTables)")
    out.append("        if (language == t.language) return Translations(t.language, {t.texts->begin(), t.texts->end()});")
    out.append("    return std::nullopt;")
    out.append("}")
    out.append("")
    out.append("}  // namespace rp770")
    write_if_changed(args.output, "\n".join(out) + "\n")
    return 0


def command_json(args):
    entries = read_catalogue(args.catalogue)
    catalogues = [("en", {e.id: e.english for e in entries})]
    catalogues += [(language_of(p), translations_of(p, entries)) for p in args.po]
    if args.pseudo:
        catalogues.append((PSEUDO, {e.id: pseudo(e.english) for e in entries}))
    for language, texts in catalogues:
        data = {"language": language, "messages": {e.id: texts.get(e.id) or e.english for e in entries}}
        write_if_changed(Path(args.output_dir) / f"{language}.json",
                         json.dumps(data, ensure_ascii=False, indent=0, sort_keys=False) + "\n")
    return 0


def command_pot(args):
    write_if_changed(args.output, pot_text(read_catalogue(args.catalogue)))
    return 0


def command_pseudo(args):
    entries = read_catalogue(args.catalogue)
    content = ("# The pseudo-language of the layout checks: every text about 40 % longer,\n"
               "# with accents. Written by scripts/messages.py; not a translation.\n")
    content += po_header(PSEUDO, "pseudo") + "".join("\n" + po_entry(e, pseudo(e.english)) for e in entries)
    write_if_changed(args.output, content)
    return 0


# ---- copies of catalogue texts in the sources ---------------------------------------------

SOURCE_LITERALS = {
    ".cpp": re.compile(r'"((?:[^"\\\n]|\\.)*)"'),
    ".h": re.compile(r'"((?:[^"\\\n]|\\.)*)"'),
    ".js": re.compile(r"'((?:[^'\\\n]|\\.)*)'|\"((?:[^\"\\\n]|\\.)*)\"|`((?:[^`\\]|\\.)*)`", re.S),
    ".html": re.compile(r">([^<>]*[A-Za-z][^<>]*)<|(?:title|aria-label|alt|content)=\"([^\"]*)\""),
}


def words(text):
    return len(re.findall(r"[A-Za-z][A-Za-z']+", text))


def scan_fragments(entries):
    """Each text's pieces between placeholders that say something on their own."""
    fragments = {}
    for e in entries:
        for piece in PLACEHOLDER.split(e.english):
            piece = piece.strip()
            if words(piece) >= 2 or (words(piece) >= 1 and "!!" in piece):
                fragments.setdefault(piece, e.id)
    return fragments


def literal_text(match, suffix):
    body = next(g for g in match.groups() if g is not None)
    if suffix in (".cpp", ".h"):
        try:
            return unescape_c(body)
        except (KeyError, ValueError, IndexError):
            return body
    return body.replace("\\n", "\n").replace("\\'", "'").replace('\\"', '"')


def command_scan(args):
    entries = read_catalogue(args.catalogue)
    fragments = scan_fragments(entries)
    long_fragments = [(f, i) for f, i in fragments.items() if len(f) >= 20]
    ignored = []
    if args.ignore:
        ignored = [l.strip() for l in Path(args.ignore).read_text(encoding="utf-8").splitlines()
                   if l.strip() and not l.startswith("#")]
    root = Path(args.root).resolve()
    copies = []
    for folder in args.folders:
        for path in sorted((root / folder).rglob("*")):
            relative = path.relative_to(root).as_posix()
            pattern = SOURCE_LITERALS.get(path.suffix)
            if not pattern or not path.is_file() or any(relative.startswith(i) for i in ignored):
                continue
            text = path.read_text(encoding="utf-8", errors="replace")
            code = re.sub(r"//[^\n]*|/\*.*?\*/", lambda m: re.sub(r"[^\n]", " ", m.group(0)), text, flags=re.S) \
                if path.suffix != ".html" else text
            for match in pattern.finditer(code):
                literal = literal_text(match, path.suffix).strip()
                if not literal:
                    continue
                found = fragments.get(literal)
                if not found and len(literal) >= 20 and words(literal) >= 3:
                    found = next((i for f, i in long_fragments if literal in f), None)
                if found:
                    line = code.count("\n", 0, match.start()) + 1
                    shown = literal if len(literal) <= 60 else literal[:57] + "..."
                    copies.append(f"{relative}:{line}: {found}: {json.dumps(shown, ensure_ascii=False)}")
    for c in copies:
        print(c)
    print(f"{len(copies)} copies of catalogue texts in {', '.join(args.folders)}", file=sys.stderr)
    return 1 if copies else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--catalogue", required=True, help="src/messages/English.def")
    sub = parser.add_subparsers(dest="command", required=True)
    p = sub.add_parser("pot")
    p.add_argument("--output", required=True)
    p = sub.add_parser("check")
    p.add_argument("--glossary")
    p.add_argument("--pot")
    p.add_argument("po", nargs="*")
    p = sub.add_parser("cpp")
    p.add_argument("--output", required=True)
    p.add_argument("--pseudo", action="store_true", help="with the pseudo-language")
    p.add_argument("po", nargs="*")
    p = sub.add_parser("json")
    p.add_argument("--output-dir", required=True)
    p.add_argument("--pseudo", action="store_true", help="with the pseudo-language")
    p.add_argument("po", nargs="*")
    p = sub.add_parser("pseudo")
    p.add_argument("--output", required=True)
    p = sub.add_parser("scan")
    p.add_argument("--root", required=True)
    p.add_argument("--ignore")
    p.add_argument("folders", nargs="+")
    args = parser.parse_args()
    return {"pot": command_pot, "check": command_check, "cpp": command_cpp, "json": command_json,
            "pseudo": command_pseudo, "scan": command_scan}[args.command](args)


if __name__ == "__main__":
    sys.exit(main())
