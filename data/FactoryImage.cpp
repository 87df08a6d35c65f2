#include "data/FactoryImage.h"

namespace rp770 {

std::vector<FactoryDestination> FactoryDestinations() {
    return {{"USA", PlanUSA}, {"INT", PlanINT}, {"CAN", PlanCAN}};
}

MemoryImage MakeFactoryImage(int startPlan) {
    DataSet data;
    data.modelNumber = 1;
    data.flags = ModelFlags{true, true, true};
    ResetDataSet(data);
    for (int p = 0; p < kPlanCount; ++p) data.groups[static_cast<size_t>(p)].Usable = true;
    data.common.TxPoDisplay = 0;
    data.common.Scan = true;
    data.common.ResumeTime = 3;
    data.common.PttScanClear = false;
    data.common.DualWatch = false;
    data.common.WeatherAlert = 3;  // every weather channel is enabled
    data.image[addr::OperatingMode] = 0;
    data.image[addr::CurrentPlan] = static_cast<uint8_t>(startPlan);
    data.image[addr::CurrentChannel] = 30;  // channel 16
    data.image[addr::CurrentWxChannel] = 0;
    EncodeImage(data);
    FixStartChannel(data);
    return data.image;
}

}  // namespace rp770
