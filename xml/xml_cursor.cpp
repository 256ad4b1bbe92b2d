// Moving the cursor over a document's elements, and editing elements.
#include "Veltrano_Main.h"

#include <cstdarg>

#include "xml/xml_table.h"

namespace {

// Moves the cursor to target when there is one; 1 when it moved.
int MoveTo(XmlHandle& entry, TiXmlElement* target) {
    if (target == nullptr) return 0;
    entry.currentNode = target;
    return 1;
}

bool IsWithin(const TiXmlNode* node, const TiXmlNode* ancestor) {
    for (; node != nullptr; node = node->Parent())
        if (node == ancestor) return true;
    return false;
}

}  // namespace

int Veltrano_Main::XMLNodeFirst(int handle) {
    XmlHandle* entry = xml_table::Find(handle);
    return entry != nullptr ? MoveTo(*entry, entry->document->FirstChildElement()) : 0;
}

int Veltrano_Main::XMLNodeNext(int handle) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLNodeNext");
    return cursor != nullptr ? MoveTo(*xml_table::Find(handle), cursor->NextSiblingElement()) : 0;
}

int Veltrano_Main::XMLNodePrev(int handle) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLNodePrev");
    if (cursor == nullptr) return 0;
    // Only the immediately preceding node counts: a comment or text there stops it.
    TiXmlNode* previous = cursor->PreviousSibling();
    return MoveTo(*xml_table::Find(handle), previous != nullptr ? previous->ToElement() : nullptr);
}

int Veltrano_Main::XMLNodeParent(int handle) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLNodeParent");
    if (cursor == nullptr) return 0;
    // The root's parent is the document, which is not an element.
    TiXmlNode* parent = cursor->Parent();
    return MoveTo(*xml_table::Find(handle), parent != nullptr ? parent->ToElement() : nullptr);
}

int Veltrano_Main::XMLNodeChild(int handle) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLNodeChild");
    return cursor != nullptr ? MoveTo(*xml_table::Find(handle), cursor->FirstChildElement()) : 0;
}

int Veltrano_Main::XMLNodeStore(int handle) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLNodeStore");
    if (cursor == nullptr) return 0;
    xml_table::Find(handle)->storedNode = cursor;
    return 1;
}

int Veltrano_Main::XMLNodeRestore(int handle) {
    if (xml_table::Cursor(handle, "XMLNodeRestore") == nullptr) return 0;
    XmlHandle& entry = *xml_table::Find(handle);
    return MoveTo(entry, entry.storedNode);
}

int Veltrano_Main::XMLNodePointTo(int handle, int count, const char* name, ...) {
    XmlHandle* entry = xml_table::Find(handle);
    if (entry == nullptr || count < 1) return 0;
    if (name == nullptr) {
        // No path at all: nothing is pointed afterwards.
        entry->currentNode = nullptr;
        return 1;
    }
    TiXmlElement* element = entry->document->FirstChildElement(name);
    va_list names;
    va_start(names, name);
    for (int i = 1; i < count && element != nullptr; ++i) {
        const char* next = va_arg(names, const char*);
        element = next != nullptr ? element->FirstChildElement(next) : nullptr;
    }
    va_end(names);
    return MoveTo(*entry, element);
}

int Veltrano_Main::XMLNodeRemove(int handle) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLNodeRemove");
    if (cursor == nullptr) return 0;
    XmlHandle& entry = *xml_table::Find(handle);
    // Neither the cursor nor a stored element may outlive the removed subtree.
    if (IsWithin(entry.storedNode, cursor)) entry.storedNode = nullptr;
    entry.currentNode = nullptr;
    TiXmlNode* parent = cursor->Parent();
    return parent != nullptr && parent->RemoveChild(cursor) ? 1 : 0;
}

int Veltrano_Main::XMLNodeRename(int handle, const char* name) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLNodeRename");
    if (cursor == nullptr || name == nullptr) return 0;
    cursor->SetValue(name);
    return 1;
}

int Veltrano_Main::XMLNodeCreate(int handle, const char* name) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLNodeCreate");
    if (cursor == nullptr || name == nullptr) return 0;
    TiXmlNode* child = cursor->LinkEndChild(new TiXmlElement(name));
    return MoveTo(*xml_table::Find(handle), child != nullptr ? child->ToElement() : nullptr);
}

char* Veltrano_Main::XMLNodeGetName(int handle) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLNodeGetName");
    return cursor != nullptr ? const_cast<char*>(cursor->Value()) : nullptr;
}
