// Arbitrary bytes as a configuration file: LoadConfig, then the same file
// opened as a document and walked with every cursor operation.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "veltrano_cpu.h"
#include "xml_walk.h"

namespace {

std::string path;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ILogSystem.Init("/dev/null", 4, 5, "fuzz_config_load", nullptr, nullptr, nullptr);
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz_config_load-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path = pattern + "/setup.xml";
    std::atexit([] {
        std::remove(path.c_str());
        rmdir(path.substr(0, path.rfind('/')).c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) std::abort();
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    sConfig config = Veltrano.Config;
    Veltrano.LoadConfig(nullptr, path.c_str(), &config);
    // The loaded values must hold what the SDK supports.
    if (config.mtfriendly < 0 || config.audioBuffer < 1024 || config.audioBuffer > 16384)
        std::abort();
    SelectCPUCore(0);
    xml_walk::CloseAndCheck(0);
    const int h = Veltrano.XMLOpen(path.c_str());
    if (h > 0) {
        xml_walk::Walk(h);
        xml_walk::CloseAndCheck(h);
    }
    return 0;
}
