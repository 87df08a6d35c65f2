#include "presentation/WeatherView.h"

#include "core/ChannelTables.h"
#include "workspace/Edits.h"

namespace rp770::presentation {

std::vector<WeatherRowView> MakeWeatherView(const DataSet& data) {
    const auto& table = WxTable();
    std::vector<WeatherRowView> rows;
    for (size_t i = 0; i < static_cast<size_t>(kWxChannels); ++i) {
        const ChannelRecord* r = i < data.wx.size() ? &data.wx[i] : nullptr;
        WeatherRowView row;
        row.label = i < table.size() ? table[i].name : std::string();
        row.enable = {FlagCaption(ChannelFlag::Enable, Area::WX), r && r->Enable};
        row.scan = {FlagCaption(ChannelFlag::Scan, Area::WX), r && r->ScanMemory, row.enable.checked};
        rows.push_back(row);
    }
    return rows;
}

}  // namespace rp770::presentation
