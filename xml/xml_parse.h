// Turning bytes from a file or an archive block into a TinyXml document,
// with the limits that keep hostile input from exhausting memory or stack.
#ifndef VELTRANO_XML_XML_PARSE_H
#define VELTRANO_XML_XML_PARSE_H

#include <cstddef>
#include <string>

#include "xml/parser_text.h"

class TiXmlDocument;

namespace xml_parse {

// Larger documents are refused before anything is allocated for them.
constexpr long kMaxDocumentBytes = 64L * 1024 * 1024;

// Reads a whole file; false with a description when it cannot be read or
// is larger than a document may be.
bool ReadWholeFile(const char* path, std::string& bytes, std::string& error);

// Makes "\r\n" and lone "\r" line ends "\n", as TinyXml's own file load does.
void NormalizeLineEnds(std::string& text);

// Parses the bytes (which need no terminating zero) into a new document;
// null with TinyXml's error description (or the depth limit's) on failure.
TiXmlDocument* ParseDocument(const char* bytes, size_t size, std::string& error);

}  // namespace xml_parse

#endif
