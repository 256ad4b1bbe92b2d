// Arbitrary bytes as a "FILE" block of an archive, opened as an XML document
// and walked with every cursor operation. The first input byte chooses the
// block's storage (compressed, raw or scrambled); the rest is the block.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
#include "xml_walk.h"

namespace {

std::string archive;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ILogSystem.Init("/dev/null", 4, 5, "fuzz_xml_block", nullptr, nullptr, nullptr);
    if (Veltrano.Init(0) != 1) std::abort();
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz_xml_block-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) std::abort();
    archive = pattern + "/doc.dpf";
    std::atexit([] {
        std::remove(archive.c_str());
        Veltrano.Quit();
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::remove(archive.c_str());
    const int dpf = IStuffDPF->Create(archive.c_str());
    if (dpf <= 0) std::abort();
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    DPF_BlockData block{};
    std::strcpy(block.name, "doc");
    std::strcpy(block.type, "FILE");
    block.storage = static_cast<unsigned char>(data[0] % 3);
    block.size = static_cast<int>(bytes.size());
    block.data = bytes.data();
    IStuffDPF->AddData(dpf, &block);
    const int h = Veltrano.XMLOpen(dpf, "doc");
    if (h > 0) {
        xml_walk::Walk(h);
        // Saving back replaces the block the document came from.
        Veltrano.XMLSave(h, dpf, "doc");
        xml_walk::CloseAndCheck(h);
    }
    IStuffDPF->Close(dpf);
    return 0;
}
