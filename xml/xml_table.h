// The table of open XML documents: handle checks, free entries and the
// cursor each operation works on. Documents still open when the library is
// unloaded are deleted then.
#ifndef VELTRANO_XML_XML_TABLE_H
#define VELTRANO_XML_XML_TABLE_H

#include <tinyxml.h>

// One open XML document with its cursor; a null document is a free entry.
struct XmlHandle {
    TiXmlDocument* document = nullptr;
    TiXmlElement* currentNode = nullptr;
    TiXmlElement* storedNode = nullptr;
};

namespace xml_table {

constexpr int kMaxDocuments = 10;

// The entry of an open document, or null (silently) for a handle outside
// 1..10 or one whose entry is free.
XmlHandle* Find(int handle);

// The cursor element of an open document. Null silently for a bad handle;
// with a good handle but no cursor it logs that no element is pointed,
// naming the operation and the entry.
TiXmlElement* Cursor(int handle, const char* operation);

// Index of the first free entry, or -1 when all are taken.
int FirstFree();

// Puts a document into a free entry with nothing pointed or stored; returns
// its handle.
int Occupy(int index, TiXmlDocument* document, TiXmlElement* cursor);

// Deletes the document of an entry and frees it.
void Release(XmlHandle& entry);

}  // namespace xml_table

#endif
