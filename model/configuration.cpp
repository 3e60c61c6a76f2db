#include "model/configuration.h"

std::string DefaultOutName(int output) {
    return "Uscita " + std::to_string(output + 1);
}

std::string DefaultFaseName(int fase) {
    return "Fase " + std::to_string(fase + 1);
}
