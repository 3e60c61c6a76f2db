// Writes the five sample configurations into a folder: miravel6-make-samples <folder>.

#include "files/format/dm6_format.h"
#include "tools/make_samples/sample_configs.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    for (const SampleConfiguration& sample : BuildSampleConfigurations()) {
        const std::string path = std::string(argv[1]) + "/" + sample.fileName;
        const std::string bytes = WriteDm6(sample.config);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
