#include "xml/xml_table.h"

#include "Veltrano_ILogSystem.h"

namespace xml_table {

XmlHandle* Find(CoreState& state, int handle) {
    if (handle < 1 || handle > kMaxDocuments) return nullptr;
    XmlHandle& entry = state.xml[handle - 1];
    return entry.document != nullptr ? &entry : nullptr;
}

TiXmlElement* Cursor(CoreState& state, int handle, const char* operation) {
    XmlHandle* entry = Find(state, handle);
    if (entry == nullptr) return nullptr;
    if (entry->currentNode == nullptr)
        ILogSystem.Msg(0, " . [Veltrano.%s(%d)] Error: there is not an element pointed.\n", operation, handle - 1);
    return entry->currentNode;
}

int FirstFree(const CoreState& state) {
    for (int i = 0; i < kMaxDocuments; ++i)
        if (state.xml[i].document == nullptr) return i;
    return -1;
}

int Occupy(CoreState& state, int index, TiXmlDocument* document, TiXmlElement* cursor) {
    XmlHandle& entry = state.xml[index];
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

void ReleaseAll(CoreState& state) {
    for (XmlHandle& entry : state.xml)
        if (entry.document != nullptr) Release(entry);
}

}  // namespace xml_table
