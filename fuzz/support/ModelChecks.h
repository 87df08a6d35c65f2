#pragma once
// What every data set must satisfy, however its bytes or text came in.

#include <string>

#include "core/Model.h"

namespace rp770::fuzz {

// A data set of the supported model with every feature, at factory defaults.
const DataSet& FactoryData();

// Every field of two data sets (image included) is the same.
bool SameData(const DataSet& a, const DataSet& b);
// The first difference, for a failure message; empty when none.
std::string FirstDifference(const DataSet& a, const DataSet& b);

// Fields the model can hold: flags are booleans, positions name a slot of
// their plan, frequencies are finite, the tables keep their sizes, the image
// its size.
void CheckModel(const DataSet& data, const char* where);

// Encoding the data into the image (as before programming or saving) never
// touches the model-code bytes at both ends nor anything past the used
// memory; once the data have gone through the image they are stable: a
// second decode and encode gives the same image.
void CheckEncode(DataSet data, const char* where);

}  // namespace rp770::fuzz
