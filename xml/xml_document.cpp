// XML documents from and to plain files, new documents, and closing.
#include "Veltrano_Main.h"

#include <string>

#include "Veltrano_ILogSystem.h"
#include "archive/stored_asset.h"
#include "xml/xml_parse.h"
#include "xml/xml_table.h"

int Veltrano_Main::XMLOpen(const char* fileName) {
    if (fileName == nullptr) return 0;
    const int index = xml_table::FirstFree();
    if (index < 0) {
        ILogSystem.Msg(0, " . [Veltrano.XMLOpen('%s')] Error: reached maximum limit of XML opened(%d)\n", fileName,
                       xml_table::kMaxDocuments);
        return 0;
    }
    std::string text;
    std::string error;
    TiXmlDocument* document = nullptr;
    if (xml_parse::ReadWholeFile(fileName, text, error)) {
        xml_parse::NormalizeLineEnds(text);
        document = xml_parse::ParseDocument(text.data(), text.size(), error);
    }
    if (document == nullptr) {
        ILogSystem.Msg(0, " . [Veltrano.XMLOpen('%s')] Error: %s\n", fileName, error.c_str());
        return 0;
    }
    return xml_table::Occupy(index, document, nullptr);
}

int Veltrano_Main::XMLCreate(const char* rootName) {
    if (!stored_asset::SdkInitialized()) {
        ILogSystem.Msg(0, " . [Veltrano.XMLCreate()] Error: Veltrano was not initialized. Aborting the XML load.\n");
        return 0;
    }
    if (rootName == nullptr) return 0;
    const int index = xml_table::FirstFree();
    if (index < 0) {
        ILogSystem.Msg(0, " . [Veltrano.XMLCreate()] Error: reached maximum limit of XML opened(%d)\n",
                       xml_table::kMaxDocuments);
        return 0;
    }
    TiXmlDocument* document = new TiXmlDocument;
    document->LinkEndChild(new TiXmlDeclaration("1.0", "UTF-8", "yes"));
    document->LinkEndChild(new TiXmlElement(rootName));
    TiXmlElement* root = document->FirstChildElement();
    if (document->Error() || root == nullptr) {
        ILogSystem.Msg(0, " . [Veltrano.XMLCreate()] Error: %s\n", document->ErrorDesc());
        delete document;
        return 0;
    }
    return xml_table::Occupy(index, document, root);
}

void Veltrano_Main::XMLClose(int handle) {
    XmlHandle* entry = xml_table::Find(handle);
    if (entry != nullptr) xml_table::Release(*entry);
}

int Veltrano_Main::XMLSave(int handle, const char* fileName) {
    XmlHandle* entry = xml_table::Find(handle);
    if (entry == nullptr || fileName == nullptr) return 0;
    MakeDirectory(fileName);
    return entry->document->SaveFile(fileName) ? 1 : 0;
}
