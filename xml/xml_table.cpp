#include "xml/xml_table.h"

#include "Veltrano_ILogSystem.h"

namespace xml_table {
namespace {

// The entries, and the deletion at unload of the documents left open.
struct Table {
    XmlHandle entries[kMaxDocuments];
    ~Table() {
        for (XmlHandle& entry : entries)
            if (entry.document != nullptr) Release(entry);
    }
};

Table table;

}  // namespace

XmlHandle* Find(int handle) {
    if (handle < 1 || handle > kMaxDocuments) return nullptr;
    XmlHandle& entry = table.entries[handle - 1];
    return entry.document != nullptr ? &entry : nullptr;
}

TiXmlElement* Cursor(int handle, const char* operation) {
    XmlHandle* entry = Find(handle);
    if (entry == nullptr) return nullptr;
    if (entry->currentNode == nullptr)
        ILogSystem.Msg(0, " . [Veltrano.%s(%d)] Error: there is not an element pointed.\n", operation, handle - 1);
    return entry->currentNode;
}

int FirstFree() {
    for (int i = 0; i < kMaxDocuments; ++i)
        if (table.entries[i].document == nullptr) return i;
    return -1;
}

int Occupy(int index, TiXmlDocument* document, TiXmlElement* cursor) {
    XmlHandle& entry = table.entries[index];
    entry.document = document;
    entry.currentNode = cursor;
    // A stored element of an earlier document in this entry is gone with it.
    entry.storedNode = nullptr;
    return index + 1;
}

void Release(XmlHandle& entry) {
    delete entry.document;
    entry = XmlHandle{};
}

}  // namespace xml_table
