#include "workspace/ChannelCsvImport.h"

#include <array>
#include <map>

#include "core/Codecs.h"
#include "core/DecimalText.h"
#include "files/CsvText.h"
#include "files/ValueText.h"
#include "workspace/ChannelCsv.h"
#include "workspace/Edits.h"

namespace rp770 {

namespace {

// The problems found: the first kShownProblems named, the rest counted.
class Problems {
public:
    explicit Problems(ChannelImport& result) : result_(result) {}
    void Add(std::string problem) {
        if (result_.problems.size() < kShownProblems)
            result_.problems.push_back(std::move(problem));
        else
            ++result_.moreProblems;
    }
    bool Any() const { return !result_.problems.empty(); }

private:
    ChannelImport& result_;
};

// Where each column stands in the records: a field index, -1 when absent.
using Columns = std::array<int, kCsvColumns>;

std::string Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::optional<bool> ParseSwitch(std::string_view text) {
    const std::string t = ToLower(Trimmed(text));
    if (t == "1" || t == "yes" || t == "true" || t == "on") return true;
    if (t == "0" || t == "no" || t == "false" || t == "off") return false;
    return std::nullopt;
}

// A frequency as a number text with "." (a comma is taken as the decimal
// mark: spreadsheets in comma languages write it).
std::string DotDecimal(std::string_view text) { return CommaAsPoint(Trimmed(text)); }

// A frequency cell in the table's own form ("156,8" reads as 156.8000); text
// that is no number stays as it is, and so never equals a frequency.
std::string FrequencyForm(std::string_view text) {
    const std::string t = DotDecimal(text);
    if (t.empty()) return t;
    const std::optional<double> value = ToDouble(t);
    return value ? CsvFrequency(*value) : t;
}

// One record of the table laid over the data.
class RowImport {
public:
    RowImport(const DataSet& base, DataSet& next, const CsvRecord& record, const Columns& columns, Problems& problems)
        : base_(base), next_(next), record_(record), columns_(columns), problems_(problems) {}

    // The channel the row names; nothing after a problem.
    std::optional<ChannelRef> Locate() {
        const std::string plan = Trimmed(Given(CsvColumn::Plan).value_or(""));
        std::optional<Area> area;
        for (Area a : {Area::USA, Area::INT, Area::CAN, Area::WX, Area::EXP})
            if (EqualsNoCase(plan, AreaName(a))) area = a;
        if (!area) {
            Refuse(plan.empty() ? MessageText(MessageId::CsvPlanEmpty) : MessageText(MessageId::CsvPlanUnknown, plan));
            return std::nullopt;
        }
        if (*area == Area::WX && !base_.flags.wx) {
            Refuse(MessageId::CsvNoWeatherChannels);
            return std::nullopt;
        }
        const std::string slot = Trimmed(Given(CsvColumn::Slot).value_or(""));
        const std::optional<double> number = ToDouble(slot);
        std::optional<ChannelRef> ref;
        if (number && *number == static_cast<int>(*number)) ref = FromTableNumber(base_, *area, static_cast<int>(*number));
        if (!ref) {
            Refuse(IsPlan(*area)       ? MessageText(MessageId::CsvSlotNotPlanSlot, slot, AreaName(*area))
                   : *area == Area::WX ? MessageText(MessageId::CsvSlotNotWxPosition, slot)
                                       : MessageText(MessageId::CsvSlotNotExpChannel, slot));
            return std::nullopt;
        }
        ref_ = *ref;
        name_ = AreaChannelName(base_, ref_);
        return ref_;
    }

    void Run() {
        const ChannelCsvCells baseCells = ChannelCsvRow(base_, ref_);
        for (CsvColumn column : {CsvColumn::Enable, CsvColumn::Scan, CsvColumn::Duplex, CsvColumn::TxEnable,
                                 CsvColumn::LowPower, CsvColumn::PowerUp})
            Switch(column);
        for (CsvColumn column : {CsvColumn::RxMHz, CsvColumn::TxMHz}) Frequency(column, baseCells);
        Display(baseCells);
        const ChannelRecord* before = FindRecord(base_, ref_);
        const ChannelRecord* after = FindRecord(next_, ref_);
        // A channel that was incomplete already is not the table's doing.
        if (ref_.area == Area::EXP && IsIncompleteExpChannel(*after) && !IsIncompleteExpChannel(*before))
            RefuseChannel(MessageId::CsvEnabledNeedsFrequencyAndNumber);
    }

private:
    std::optional<std::string> Given(CsvColumn column) const {
        const int at = columns_[static_cast<size_t>(column)];
        if (at < 0 || at >= static_cast<int>(record_.fields.size())) return std::nullopt;
        return record_.fields[static_cast<size_t>(at)];
    }
    void Refuse(const MessageText& reason) { problems_.Add(Words(MessageId::CsvProblemOnLine, record_.line, reason)); }
    void RefuseChannel(const MessageText& reason) { Refuse(MessageText(MessageId::CsvChannelProblem, name_, reason)); }

    void Switch(CsvColumn column) {
        const std::optional<std::string> given = Given(column);
        if (!given) return;
        const ChannelFlag flag = *ColumnFlag(column);
        const std::string name = CsvColumnName(column);
        const std::string text = Trimmed(*given);
        if (!HasFlag(ref_.area, flag)) {
            if (!text.empty())
                RefuseChannel(MessageText(MessageId::CsvColumnNotInPlan, AreaName(ref_.area), name));
            return;
        }
        if (text.empty()) return;  // neither on nor off: left as it is
        const std::optional<bool> on = ParseSwitch(text);
        if (!on) {
            RefuseChannel(MessageText(MessageId::CsvSwitchNotOneOrZero, name, text));
            return;
        }
        if (*on == FlagValue(*FindRecord(base_, ref_), flag)) return;
        // The row's frequencies and display come next; the whole row is checked after them.
        if (ApplyChannelFlag(next_, ref_, flag, *on, Completion::Later)) {
            const MessageId why = flag == ChannelFlag::TxEnable ? MessageId::CsvReceiveOnly
                                  : flag == ChannelFlag::Duplex  ? MessageId::CsvNoDuplex
                                                                 : MessageId::CsvCannotHaveIt;
            RefuseChannel(MessageText(MessageId::CsvSwitchCannotBeOn, name, MessageText(why)));
        }
    }

    void Frequency(CsvColumn column, const ChannelCsvCells& baseCells) {
        const std::optional<std::string> given = Given(column);
        if (!given) return;
        const std::string name = CsvColumnName(column);
        const std::string form = FrequencyForm(*given);
        if (form == baseCells[static_cast<size_t>(column)]) return;
        if (ref_.area != Area::EXP) {
            // Fixed by the tables (an empty cell says nothing); the receive
            // frequency follows the row's Duplex.
            if (form.empty()) return;
            const std::string inUse = ChannelCsvRow(next_, ref_)[static_cast<size_t>(column)];
            if (form == inUse) return;
            const bool wx = ref_.area == Area::WX;
            RefuseChannel(inUse.empty()
                              ? MessageText(wx ? MessageId::CsvFixedByWxTableNone : MessageId::CsvFixedByPlanNone, name,
                                            Trimmed(*given))
                              : MessageText(wx ? MessageId::CsvFixedByWxTable : MessageId::CsvFixedByPlan, name,
                                            Trimmed(*given), inUse));
            return;
        }
        const std::string text = DotDecimal(*given);
        if (!text.empty() && !ToDouble(text)) {
            RefuseChannel(MessageText(MessageId::CsvNotFrequency, name, Trimmed(*given)));
            return;
        }
        if (ApplyExpFrequency(next_, ref_.index, column == CsvColumn::RxMHz, text))
            RefuseChannel(MessageText(MessageId::CsvFrequencyOutOfRange, name, Trimmed(*given)));
    }

    void Display(const ChannelCsvCells& baseCells) {
        const std::optional<std::string> given = Given(CsvColumn::Display);
        if (!given) return;
        if (ref_.area != Area::EXP) {
            if (!Trimmed(*given).empty()) RefuseChannel(MessageId::CsvDisplayOnlyExp);
            return;
        }
        // Short texts are padded on the right: a spreadsheet that dropped
        // trailing blanks changes nothing.
        // As exported: a text cell may carry the spreadsheet's text mark.
        std::string cell(FromSpreadsheetText(*given));
        if (cell.size() > 3) {
            RefuseChannel(MessageText(MessageId::CsvDisplayTooLong, *given));
            return;
        }
        cell.resize(3, ' ');
        if (cell == baseCells[static_cast<size_t>(CsvColumn::Display)]) return;
        // As typed into the editor's two boxes: the left two right-aligned, the right one.
        std::string left = cell.substr(0, 2);
        while (!left.empty() && left.front() == ' ') left.erase(0, 1);
        const std::string right = TrimSpaces(cell.substr(2, 1));
        if (ApplyExpDisplay(next_, ref_.index, left, right))
            RefuseChannel(MessageText(MessageId::CsvDisplayNotShown, *given));
    }

    const DataSet& base_;
    DataSet& next_;
    const CsvRecord& record_;
    const Columns& columns_;
    Problems& problems_;
    ChannelRef ref_;
    std::string name_;
};

}  // namespace

std::string ImportRefusalText(const std::string& fileName, const ChannelImport& imported) {
    std::string text = Words(MessageId::ChannelsNotImportedFrom, fileName);
    if (imported.moreProblems > 0)
        text += " " + Words(MessageId::CsvProblemsCounted, imported.problems.size() + imported.moreProblems,
                            imported.problems.size());
    for (const std::string& problem : imported.problems) text += "\n" + problem;
    return text;
}

ChannelImport ImportChannelCsv(const DataSet& base, std::string_view text) {
    ChannelImport result{base, {}};
    Problems problems(result);
    const CsvTable table = ParseCsv(text);
    for (const std::string& problem : table.problems) problems.Add(problem);
    if (table.records.empty()) {
        problems.Add(Words(MessageId::CsvProblemOnLine, 1, MessageText(MessageId::CsvNoTable)));
        return result;
    }

    const CsvRecord& header = table.records.front();
    Columns columns;
    columns.fill(-1);
    for (size_t i = 0; i < header.fields.size(); ++i)
        for (int c = 0; c < kCsvColumns; ++c)
            if (columns[static_cast<size_t>(c)] < 0 && EqualsNoCase(Trimmed(header.fields[i]), CsvColumnName(static_cast<CsvColumn>(c))))
                columns[static_cast<size_t>(c)] = static_cast<int>(i);
    bool located = true;
    for (CsvColumn needed : {CsvColumn::Plan, CsvColumn::Slot})
        if (columns[static_cast<size_t>(needed)] < 0) {
            problems.Add(Words(MessageId::CsvProblemOnLine, header.line,
                               MessageText(MessageId::CsvHeaderLacksColumn, CsvColumnName(needed))));
            located = false;
        }
    if (!located) return result;

    std::map<std::pair<Area, int>, int> seen;  // channel -> the line that named it
    for (size_t i = 1; i < table.records.size(); ++i) {
        const CsvRecord& record = table.records[i];
        RowImport row(base, result.data, record, columns, problems);
        const std::optional<ChannelRef> ref = row.Locate();
        if (!ref) continue;
        const auto [at, first] = seen.emplace(std::make_pair(ref->area, ref->index), record.line);
        if (!first) {
            problems.Add(Words(MessageId::CsvProblemOnLine, record.line,
                               MessageText(MessageId::CsvChannelTwice, AreaChannelName(base, *ref), at->second)));
            continue;
        }
        row.Run();
    }
    if (problems.Any()) {
        result.data = base;
        return result;
    }
    // Whatever order the rows came in, the weather alert follows the weather channels.
    result.data.common.WeatherAlert = WeatherAlertFollowing(base, result.data);
    return result;
}

}  // namespace rp770
