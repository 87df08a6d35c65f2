#include "web/ViewObjects.h"

#include <array>
#include <utility>

#include "web/PageHooks.h"

namespace rp770::web {

namespace {

constexpr std::array<std::pair<Area, const char*>, 5> kAreas{
    {{Area::USA, "USA"}, {Area::INT, "INT"}, {Area::CAN, "CAN"}, {Area::WX, "WX"}, {Area::EXP, "EXP"}}};
constexpr std::array<std::pair<ChannelFlag, const char*>, 6> kFlags{{{ChannelFlag::Enable, "enable"},
                                                                     {ChannelFlag::Scan, "scan"},
                                                                     {ChannelFlag::Duplex, "duplex"},
                                                                     {ChannelFlag::TxEnable, "txEnable"},
                                                                     {ChannelFlag::LowPower, "lowPower"},
                                                                     {ChannelFlag::PowerUp, "powerUp"}}};
constexpr std::array<std::pair<CommonField, const char*>, 5> kCommonFields{
    {{CommonField::Scan, "scan"},
     {CommonField::ResumeTime, "resumeTime"},
     {CommonField::PttScanClear, "pttScanClear"},
     {CommonField::DualWatch, "dualWatch"},
     {CommonField::WeatherAlert, "weatherAlert"}}};

// The length of the valid UTF-8 sequence at `i` (shortest form, no
// surrogates, up to U+10FFFF); 0 where there is none.
size_t Utf8Length(std::string_view text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    if (c < 0x80) return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the bounds of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0) low = 0xA0;
        if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0) low = 0x90;
        if (c == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (size_t k = 2; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    return length;
}

bool IsUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8Length(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

// Windows-1252's characters at 0x80-0x9F; its five unassigned bytes stand
// for the C1 controls of the same number, as Windows itself maps them.
constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

template <typename T, size_t N>
std::optional<T> Named(const std::array<std::pair<T, const char*>, N>& names, const std::string& name) {
    for (const auto& [value, text] : names)
        if (name == text) return value;
    return std::nullopt;
}

template <typename T, typename F>
val ArrayOf(const T& items, F make) {
    val array = val::array();
    for (const auto& item : items) array.call<void>("push", make(item));
    return array;
}

val SwitchObject(const presentation::SwitchView& s) {
    val o = val::object();
    o.set("caption", s.caption);
    o.set("checked", s.checked);
    o.set("enabled", s.enabled);
    o.set("visible", s.visible);
    return o;
}

val ChoiceObject(const presentation::ChoiceView& c) {
    val o = val::object();
    o.set("items", ArrayOf(c.items, [](const presentation::ComboItem& item) {
              val i = val::object();
              i.set("text", item.text);
              i.set("data", item.data);
              return i;
          }));
    // -1: no selection; -2: the selection stays as it is.
    o.set("selected", c.selected);
    o.set("enabled", c.enabled);
    o.set("visible", c.visible);
    return o;
}

val TextObject(const presentation::TextView& t) {
    val o = val::object();
    o.set("text", PageString(t.text));
    o.set("enabled", t.enabled);
    o.set("editable", t.editable);
    return o;
}

const char* ScreenKindName(presentation::ScreenKind kind) {
    using presentation::ScreenKind;
    switch (kind) {
        case ScreenKind::General: return "general";
        case ScreenKind::Grey: return "grey";
        case ScreenKind::Common: return "common";
        case ScreenKind::ChannelList: return "list";
        case ScreenKind::Weather: return "weather";
        case ScreenKind::ChannelEditor: return "editor";
        case ScreenKind::None: break;
    }
    return "none";
}

}  // namespace

std::string PageText(std::string_view bytes) {
    if (IsUtf8(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        AppendUtf8(out, c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c);
    }
    return out;
}

val PageString(const std::string& bytes) { return val(PageText(bytes)); }

bool IsObject(const val& v) { return !v.isNull() && v.typeOf().as<std::string>() == "object"; }

val Strings(const std::vector<std::string>& texts) {
    return ArrayOf(texts, [](const std::string& s) { return val(s); });
}

val OutcomeObject(const Outcome& outcome) {
    val o = val::object();
    o.set("ok", outcome.Ok());
    o.set("cancelled", outcome.Cancelled());
    o.set("messages", MessagesObject(outcome.messages));
    return o;
}

val TransferObject(const TransferOutcome& outcome, bool commError) {
    val o = OutcomeObject(outcome);
    o.set("synchronised", outcome.synchronised);
    o.set("completed", outcome.completed);
    o.set("partial", outcome.partial);
    o.set("verified", outcome.verified);
    o.set("commError", commError);
    return o;
}

std::optional<Area> AreaNamed(const std::string& name) { return Named(kAreas, name); }
std::optional<ChannelFlag> FlagNamed(const std::string& name) { return Named(kFlags, name); }
std::optional<CommonField> CommonFieldNamed(const std::string& name) { return Named(kCommonFields, name); }

const char* BoxName(presentation::EditorBox box) {
    switch (box) {
        case presentation::EditorBox::DisplayLeft: return "displayLeft";
        case presentation::EditorBox::DisplayRight: return "displayRight";
        case presentation::EditorBox::Rx: return "rx";
        case presentation::EditorBox::Tx: return "tx";
    }
    return "";
}

const char* FlagName(ChannelFlag flag) {
    for (const auto& [value, text] : kFlags)
        if (value == flag) return text;
    return "";
}

val ChannelObject(ChannelRef channel) {
    val o = val::object();
    o.set("area", std::string(AreaName(channel.area)));
    o.set("index", channel.index);
    return o;
}

std::optional<ChannelRef> ChannelOf(const val& object) {
    if (!IsObject(object)) return std::nullopt;
    const val area = object["area"], index = object["index"];
    if (!area.isString() || !index.isNumber()) return std::nullopt;
    const std::optional<Area> a = AreaNamed(area.as<std::string>());
    if (!a) return std::nullopt;
    return ChannelRef{*a, index.as<int>()};
}

std::vector<ChannelRef> ChannelsOf(const val& array) {
    std::vector<ChannelRef> channels;
    if (!val::global("Array").call<bool>("isArray", array)) return channels;
    const int n = array["length"].as<int>();
    for (int i = 0; i < n; ++i)
        if (const auto c = ChannelOf(array[i])) channels.push_back(*c);
    return channels;
}

val TreeObject(const std::vector<presentation::TreeNodeInfo>& nodes) {
    return ArrayOf(nodes, [](const presentation::TreeNodeInfo& n) {
        val o = val::object();
        o.set("key", n.key);
        o.set("text", PageString(n.text));
        o.set("parent", n.parentKey);
        return o;
    });
}

val ScreenObject(const presentation::NodeScreen& screen) {
    val o = ChannelObject(screen.channel);
    o.set("kind", std::string(ScreenKindName(screen.kind)));
    return o;
}

val CommonSetupObject(const presentation::CommonSetupView& v) {
    val o = val::object();
    o.set("scan", ChoiceObject(v.scan));
    o.set("resumeTime", ChoiceObject(v.resumeTime));
    o.set("pttScanClear", ChoiceObject(v.pttScanClear));
    o.set("dualWatch", ChoiceObject(v.dualWatch));
    o.set("weatherAlert", ChoiceObject(v.weatherAlert));
    o.set("weatherAlertVisible", v.weatherAlertVisible);
    o.set("groups", ArrayOf(v.groups, [](const presentation::GroupView& g) {
              val group = val::object();
              group.set("usable", SwitchObject(g.usable));
              group.set("priority", ChoiceObject(g.priority));
              return group;
          }));
    o.set("atisVisible", v.atisVisible);
    o.set("atisGroups", ArrayOf(v.atisGroups, SwitchObject));
    o.set("atisCode", TextObject(v.atisCode));
    return o;
}

val ChannelListObject(const presentation::ChannelListView& v) {
    val o = val::object();
    o.set("area", std::string(AreaName(v.area)));
    o.set("name", v.name);
    o.set("columns", ArrayOf(v.columns, [](const presentation::GridColumn& c) {
              val column = val::object();
              column.set("header", c.header.Render());
              column.set("widthTwips", c.widthTwips);
              column.set("flag", c.flag ? val(std::string(FlagName(*c.flag))) : val::null());
              column.set("typed", c.typed ? val(std::string(BoxName(*c.typed))) : val::null());
              return column;
          }));
    o.set("rows", ArrayOf(v.rows, [](const presentation::GridRow& row) {
              return ArrayOf(row, PageString);
          }));
    o.set("channels", ArrayOf(v.channels, ChannelObject));
    o.set("tips", ArrayOf(v.tips, PageString));
    o.set("checks", ArrayOf(v.checks, [](const presentation::GridChecks& row) {
              return ArrayOf(row, [](const std::optional<presentation::GridCheck>& check) {
                  if (!check) return val::null();
                  val cell = val::object();
                  cell.set("checked", check->checked);
                  cell.set("enabled", check->enabled);
                  return cell;
              });
          }));
    return o;
}

val ListMenuObject(const presentation::ListMenuView& v) {
    val o = val::object();
    o.set("flags", ArrayOf(v.flags, [](const presentation::FlagEntry& e) {
              val entry = val::object();
              entry.set("flag", std::string(FlagName(e.flag)));
              entry.set("name", e.name);
              entry.set("setText", e.setText);
              entry.set("clearText", e.clearText);
              entry.set("canSet", e.canSet);
              entry.set("canClear", e.canClear);
              return entry;
          }));
    o.set("openText", v.openText);
    o.set("openEnabled", v.openEnabled);
    return o;
}

val EditorObject(const presentation::ChannelEditorView& v) {
    val o = val::object();
    o.set("exp", v.exp);
    o.set("displayLeft", TextObject(v.displayLeft));
    o.set("displayRight", TextObject(v.displayRight));
    o.set("rx", TextObject(v.rx));
    o.set("tx", TextObject(v.tx));
    o.set("unit", v.unit);
    o.set("enable", SwitchObject(v.enable));
    o.set("scan", SwitchObject(v.scan));
    o.set("duplex", SwitchObject(v.duplex));
    o.set("txEnable", SwitchObject(v.txEnable));
    o.set("lowPower", SwitchObject(v.lowPower));
    o.set("powerUp", SwitchObject(v.powerUp));
    return o;
}

val WeatherObject(const std::vector<presentation::WeatherRowView>& rows) {
    return ArrayOf(rows, [](const presentation::WeatherRowView& r) {
        val row = val::object();
        row.set("label", PageString(r.label));
        row.set("enable", SwitchObject(r.enable));
        row.set("scan", SwitchObject(r.scan));
        return row;
    });
}

val DifferencesObject(const std::vector<Difference>& differences) {
    return ArrayOf(differences, [](const Difference& d) {
        val o = val::object();
        o.set("area", d.area);
        o.set("channel", d.channel);
        o.set("field", d.field);
        o.set("a", PageString(d.a));
        o.set("b", PageString(d.b));
        o.set("line", PageString(DifferenceLine(d)));
        return o;
    });
}

val PrintedPagesObject(const std::vector<RecordedText>& texts) {
    val pages = val::array();
    int last = 0;
    for (const RecordedText& t : texts) {
        while (last < t.page) {
            pages.call<void>("push", val::array());
            ++last;
        }
        if (t.text.empty()) continue;
        val cell = val::object();
        cell.set("x", t.x);
        cell.set("y", t.y);
        cell.set("text", PageString(t.text));
        pages[t.page - 1].call<void>("push", cell);
    }
    return pages;
}

}  // namespace rp770::web
