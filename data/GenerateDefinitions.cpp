// Writes the factory definition files USA_013E.ini, INT_013E.ini and
// CAN_013E.ini into a folder, made from the program's own defaults:
//   rp770-gendata OUTPUT_FOLDER
// Each is a 1024-byte memory image with the model code at both ends; all
// three plans are usable and each file starts the radio on its own plan.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "data/FactoryImage.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: rp770-gendata OUTPUT_FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    for (const auto& dest : rp770::FactoryDestinations()) {
        const rp770::MemoryImage image = rp770::MakeFactoryImage(dest.plan);
        const std::string path = folder + "/" + dest.name + "_013E.ini";
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(image.bytes.data()), image.size());
        if (!out) {
            std::cerr << "rp770-gendata: cannot write " << path << "\n";
            return 1;
        }
        std::cout << path << "\n";
    }
    return 0;
}
