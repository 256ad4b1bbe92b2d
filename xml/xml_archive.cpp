// XML documents in "FILE" blocks of DPF archives.
#include "Veltrano_Main.h"

#include <cstring>
#include <string>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "archive/stored_asset.h"
#include "platform/platform.h"
#include "xml/xml_parse.h"
#include "xml/xml_table.h"

namespace {

// The document is written here and read back to become the block's bytes,
// so the block holds exactly what a save to a file writes.
const char kTemporaryFile[] = "_vlttmp05";
const char kBlockType[] = "FILE";

// The archive's file name for messages; empty when it cannot be known.
const char* ArchiveName(int dpf) {
    const char* name = IStuffDPF != nullptr ? IStuffDPF->GetFilename(dpf) : nullptr;
    return name != nullptr ? name : "";
}

bool FitsBlockName(const char* block) { return std::strlen(block) < sizeof(DPF_BlockData::name); }

// The document as a file save writes it; the temporary file is gone
// afterwards whatever happened.
bool RenderThroughTemporaryFile(TiXmlDocument& document, std::string& bytes) {
    std::string error;
    const bool ok = document.SaveFile(kTemporaryFile) && xml_parse::ReadWholeFile(kTemporaryFile, bytes, error);
    platform::Remove(kTemporaryFile);
    return ok;
}

}  // namespace

int Veltrano_Main::XMLOpen(int dpf, const char* block) {
    if (dpf <= 0 || block == nullptr) return 0;
    if (!stored_asset::SdkInitialized()) {
        ILogSystem.Msg(0, " . [Veltrano.XMLOpen('%s','%s')] Error: Veltrano was not initialized. Aborting the XML load.\n",
                       ArchiveName(dpf), block);
        return 0;
    }
    const int index = xml_table::FirstFree();
    if (index < 0) {
        ILogSystem.Msg(0, " . [Veltrano.XMLOpen('%s','%s')] Error: reached maximum limit of XML opened(%d)\n",
                       ArchiveName(dpf), block, xml_table::kMaxDocuments);
        return 0;
    }
    stored_asset::LoadedBlock data;
    if (!data.Load(dpf, kBlockType, block)) {
        ILogSystem.Msg(0, " . [Veltrano.XMLOpen('%s','%s')] Error: block not found in the given DPF.\n",
                       ArchiveName(dpf), block);
        return 0;
    }
    std::string error;
    TiXmlDocument* document =
        xml_parse::ParseDocument(reinterpret_cast<const char*>(data.bytes()), static_cast<size_t>(data.size()), error);
    if (document == nullptr) {
        ILogSystem.Msg(0, " . [Veltrano.XMLOpen('%s','%s')] Error: %s\n", ArchiveName(dpf), block, error.c_str());
        return 0;
    }
    return xml_table::Occupy(index, document, nullptr);
}

int Veltrano_Main::XMLOpen(const char* dpfFile, const char* block) {
    if (dpfFile == nullptr || block == nullptr) return 0;
    if (!stored_asset::SdkInitialized()) {
        ILogSystem.Msg(0, " . [Veltrano.XMLOpen('%s','%s')] Error: Veltrano was not initialized. Aborting the XML load.\n",
                       dpfFile, block);
        return 0;
    }
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::Open, 0,
                                     [&](int dpf) { return XMLOpen(dpf, block); });
}

int Veltrano_Main::XMLSave(int handle, int dpf, const char* block) {
    XmlHandle* entry = xml_table::Find(handle);
    if (entry == nullptr || dpf <= 0 || block == nullptr) return 0;
    if (!stored_asset::SdkInitialized()) {
        ILogSystem.Msg(0, " . [Veltrano.XMLSave(%d,'%s','%s')] Error: Veltrano was not initialized. Aborting the XML save.\n",
                       handle, ArchiveName(dpf), block);
        return 0;
    }
    // Checked before an existing block is touched, so a refused save keeps it.
    if (!FitsBlockName(block)) {
        ILogSystem.Msg(0, " . [Veltrano.XMLSave(%d,'%s','%s')] Error: the block name is too long.\n", handle,
                       ArchiveName(dpf), block);
        return 0;
    }
    std::string bytes;
    if (!RenderThroughTemporaryFile(*entry->document, bytes)) return 0;
    return stored_asset::ReplaceBlock(dpf, block, kBlockType, bytes.data(), bytes.size(),
                                      dpf_format::kStorageCompressed);
}

int Veltrano_Main::XMLSave(int handle, const char* dpfFile, const char* block) {
    if (xml_table::Find(handle) == nullptr || dpfFile == nullptr || block == nullptr) return 0;
    if (!stored_asset::SdkInitialized()) {
        ILogSystem.Msg(0, " . [Veltrano.XMLSave(%d,'%s','%s')] Error: Veltrano was not initialized. Aborting the XML save.\n",
                       handle, dpfFile, block);
        return 0;
    }
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::OpenOrCreate, 0,
                                     [&](int dpf) { return XMLSave(handle, dpf, block); });
}
