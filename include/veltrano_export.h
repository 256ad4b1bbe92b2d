// Symbol visibility for the Veltrano SDK: the library is built with hidden
// visibility by default and only what carries VELTRANO_API is exported.
#ifndef VELTRANO_EXPORT_H
#define VELTRANO_EXPORT_H

#if defined(VELTRANO_BUILDING_LIBRARY)
#define VELTRANO_API __attribute__((visibility("default")))
#else
#define VELTRANO_API
#endif

#endif
