/// @file
/// Symbol visibility for the Veltrano SDK: the library is built with hidden
/// visibility by default and only what carries VELTRANO_API is exported.
#ifndef VELTRANO_EXPORT_H
#define VELTRANO_EXPORT_H

/// @def VELTRANO_API
/// Marks a class, object or function as part of the library's exported
/// interface; empty for the games that include the headers.
#if defined(VELTRANO_BUILDING_LIBRARY)
#define VELTRANO_API __attribute__((visibility("default")))
#else
#define VELTRANO_API
#endif

#endif
