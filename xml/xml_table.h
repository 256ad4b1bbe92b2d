// The core's table of open XML documents: handle checks, free entries and
// the cursor each operation works on.
#ifndef VELTRANO_XML_XML_TABLE_H
#define VELTRANO_XML_XML_TABLE_H

#include <tinyxml.h>

#include "core/core_state.h"

namespace xml_table {

constexpr int kMaxDocuments = CoreState::kXmlHandles;

// The entry of an open document, or null (silently) for a handle outside
// 1..10 or one whose entry is free.
XmlHandle* Find(CoreState& state, int handle);

// The cursor element of an open document. Null silently for a bad handle;
// with a good handle but no cursor it logs that no element is pointed,
// naming the operation and the entry.
TiXmlElement* Cursor(CoreState& state, int handle, const char* operation);

// Index of the first free entry, or -1 when all are taken.
int FirstFree(const CoreState& state);

// Puts a document into a free entry with nothing pointed or stored; returns
// its handle.
int Occupy(CoreState& state, int index, TiXmlDocument* document, TiXmlElement* cursor);

// Deletes the document of an entry and frees it.
void Release(XmlHandle& entry);

// Deletes every document still open.
void ReleaseAll(CoreState& state);

}  // namespace xml_table

#endif
