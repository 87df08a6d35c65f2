#pragma once
// The factory memory images shipped as definition files, made from the
// program's own defaults.

#include <string>
#include <vector>

#include "core/MemoryImage.h"

namespace rp770 {

struct FactoryDestination {
    std::string name;  // USA, INT, CAN
    int plan;          // the plan the radio starts on
};

std::vector<FactoryDestination> FactoryDestinations();
MemoryImage MakeFactoryImage(int startPlan);

}  // namespace rp770
