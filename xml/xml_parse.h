// Turning bytes from a file or an archive block into a TinyXml document,
// with the limits that keep hostile input from exhausting memory or stack.
#ifndef VELTRANO_XML_XML_PARSE_H
#define VELTRANO_XML_XML_PARSE_H

#include <cstddef>
#include <string>

class TiXmlDocument;

namespace xml_parse {

// Larger documents are refused before anything is allocated for them.
constexpr long kMaxDocumentBytes = 64L * 1024 * 1024;

// Reads a whole file; false with a description when it cannot be read or
// is larger than a document may be.
bool ReadWholeFile(const char* path, std::string& bytes, std::string& error);

// Makes "\r\n" and lone "\r" line ends "\n", as TinyXml's own file load does.
void NormalizeLineEnds(std::string& text);

// Zeros ParseDocument puts after the text: TinyXml steps over a whole UTF-8
// sequence at a lead byte, so a text ending in one takes it past the
// terminator; this is more than the longest sequence.
constexpr size_t kParserSlack = 8;

// Parses the bytes (which need no terminating zero) into a new document;
// null with TinyXml's error description (or the depth limit's) on failure.
TiXmlDocument* ParseDocument(const char* bytes, size_t size, std::string& error);

}  // namespace xml_parse

#endif
