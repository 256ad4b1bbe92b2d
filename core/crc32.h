// The reflected CRC-32 of IEEE 802.3 (zlib's and PNG's), table driven.
#ifndef VELTRANO_CORE_CRC32_H
#define VELTRANO_CORE_CRC32_H

#include <cstddef>
#include <cstdint>

// Fills a 256-entry table for polynomial 0xEDB88320.
void BuildCrc32Table(uint32_t table[256]);

uint32_t ComputeCrc32(const uint32_t table[256], const void* data, size_t length);

#endif
