// The check behind "add --xml": a document must be well-formed before it is
// stored, so the SDK's XML loader can read it back.
#ifndef VELTRANO_DPF_XML_CHECK_H
#define VELTRANO_DPF_XML_CHECK_H

#include <string>
#include <vector>

// Prints the parser's error with its line and column and returns false when
// the bytes are not a well-formed XML document.
bool IsWellFormedXml(const std::string& path, const std::vector<char>& bytes);

#endif
