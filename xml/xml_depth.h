// How deeply the elements of an XML text nest, found without parsing it, so
// that texts deep enough to exhaust the parser's stack are refused first.
// Self-contained: the archive tool compiles it too.
#ifndef VELTRANO_XML_XML_DEPTH_H
#define VELTRANO_XML_XML_DEPTH_H

#include <cstddef>

namespace xml_depth {

// The parser, the printer and the destructor recurse once per level; deeper
// texts are refused.
constexpr int kMaxSafeDepth = 1000;

// Comments, CDATA, declarations and quoted attribute values are skipped.
int NestingDepth(const char* text, size_t size);

}  // namespace xml_depth

#endif
