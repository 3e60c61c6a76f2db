#include "model/configuration.h"

std::string DefaultOutName(int output) {
    return "Uscita " + std::to_string(output + 1);
}

std::string DefaultFaseName(int fase) {
    return "Fase " + std::to_string(fase + 1);
}

Configuration DefaultConfiguration() {
    Configuration config;
    for (int o = 0; o < kOutputs; ++o) {
        config.outNames[static_cast<std::size_t>(o)] = DefaultOutName(o);
    }
    for (int p = 0; p < kFasi; ++p) {
        config.faseNames[static_cast<std::size_t>(p)] = DefaultFaseName(p);
    }
    config.faseCodes.fill(kDefaultFaseCode);
    return config;
}

Configuration WithImage(Configuration config, const EdataBytes& image) {
    const DecodedEdata decoded = DecodeEdata(image);
    config.faseCodes = decoded.faseCodes;
    config.recEffSet = decoded.recEffSet;
    return config;
}
