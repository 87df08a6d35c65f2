#pragma once
// The text of the user's settings file, in the INI dialect the Qt desktop
// writes for this application: "[Section]" headers and "key=value" lines,
// UTF-8. Section and key names escape what is not a letter, digit, '-',
// '_' or '.' as %XX (%UXXXX beyond Latin-1) and a '/' inside a key as '\';
// keys before any header, or under "[General]", have no section (a section
// of that name is written "[%General]"). Values escape control characters,
// '"' and '\' C-style (\t, \n, \x1, the digit after a hex escape escaped
// too), are quoted when they hold ',', ';' or '=' or begin or end with a
// space, and begin with "@@" when they begin with '@'. An unquoted ','
// makes a list, which reads as no text. Reading takes ';' and '#' lines as
// comments and a '\' at the end of a line as its continuation.

#include <map>
#include <string>
#include <string_view>

namespace rp770::platform {

// Every value of the text, by its path: "Section/key" ("key" without a section).
std::map<std::string, std::string> ReadSettingsIni(std::string_view text);

// The text with one value set: the line of the key replaced where it is,
// else added at the end of its section, else in a new section at the end.
// Everything else stays as it was. `newline` ends the lines written.
std::string WithSettingsIniValue(std::string_view text, const std::string& section, const std::string& key,
                                 const std::string& value, std::string_view newline = "\n");

// The escapes themselves, for section names and keys, and for values.
std::string EscapeIniKey(std::string_view key);
std::string UnescapeIniKey(std::string_view key);
std::string EscapeIniValue(std::string_view value);
// The value a line holds, as text; nothing for a list.
std::string UnescapeIniValue(std::string_view raw);

}  // namespace rp770::platform
