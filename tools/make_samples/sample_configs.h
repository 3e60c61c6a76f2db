#pragma once
// The five sample configurations that ship beside the program, built in code.

#include "model/configuration.h"

#include <string>
#include <vector>

struct SampleConfiguration {
    std::string fileName; // "e_mv4f.dm6" ...
    Configuration config;
};

// In the order of the sample buttons.
std::vector<SampleConfiguration> BuildSampleConfigurations();
